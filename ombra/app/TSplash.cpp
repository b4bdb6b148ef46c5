#include "ombra/app/TSplash.h"

#include <map>

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "ombra/app/TSettingsDlgs.h"
#include "ombra/pages/Icons.h"
#include "resources/OmbraControlIds.h"
#include "ui/DialogBuilder.h"

namespace norda::ombra {

TSplash::TSplash(const ResourceModule& module, int countryCode)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    std::map<int, QWidget*> controls;
    if (const DialogTemplate* tpl = module.Dialog(OmbraSplashIds::kDialog))
        controls = BuildControls(this, *tpl, ResourceIcon);
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("TSplash { border: 1px solid palette(dark); }"));
    if (auto* l = qobject_cast<QLabel*>(controls[OmbraSplashIds::kProduct])) {
        l->setText(ProductDescription(countryCode));
        QFont f = l->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * 1.25);
        l->setFont(f);
    }
    if (auto* l = qobject_cast<QLabel*>(controls[OmbraSplashIds::kVersion]))
        l->setText(ProductVersionLine(countryCode));
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(width() / 2, height() / 2));
}

}  // namespace norda::ombra
