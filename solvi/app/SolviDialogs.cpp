#include "solvi/app/SolviDialogs.h"

#include <QLineEdit>
#include <QRadioButton>

#include "resources/ResourceModule.h"
#include "solvi/app/CommandLine.h"

namespace norda {

namespace {
constexpr int kSpeedEdit = 102;
constexpr int kTurkishButton = 101;
constexpr int kEnglishButton = 102;
}  // namespace

TSelBaudrate::TSelBaudrate(QWidget* parent, const ResourceModule& module, int32_t baud)
    : TemplateDialog(parent, DialogOf(module, kDialogId)) {
    if (auto* edit = qobject_cast<QLineEdit*>(Control(kSpeedEdit))) {
        edit->setMaxLength(7);
        edit->setText(QString::number(baud));
        edit->selectAll();
        edit->setFocus();
    }
}

int32_t TSelBaudrate::Baud() const {
    auto* edit = qobject_cast<QLineEdit*>(Control(kSpeedEdit));
    return edit != nullptr ? DecimalValue(edit->text().toStdString()) : 0;
}

TLanguage::TLanguage(QWidget* parent, const ResourceModule& module, int language)
    : TemplateDialog(parent, DialogOf(module, kDialogId)) {
    auto* button =
        qobject_cast<QRadioButton*>(Control(language == 90 ? kTurkishButton : kEnglishButton));
    if (button != nullptr)
        button->setChecked(true);
}

int TLanguage::Language() const {
    auto* english = qobject_cast<QRadioButton*>(Control(kEnglishButton));
    return english != nullptr && english->isChecked() ? 9 : 90;
}

TSplashWin::TSplashWin(const ResourceModule& module)
    : TemplateDialog(nullptr, DialogOf(module, kDialogId)) {
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setAutoFillBackground(true);
}

TAboutDlg::TAboutDlg(QWidget* parent, const ResourceModule& module)
    : TemplateDialog(parent, DialogOf(module, kDialogId)) {}

}  // namespace norda
