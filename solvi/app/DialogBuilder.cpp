#include "solvi/app/DialogBuilder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "resources/ResourceModule.h"
#include "resources/SolviResources.h"

namespace norda {

QIcon SolviIcon() {
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A handheld radio with its aerial and a flash bolt on the display.
    p.setPen(QPen(QColor(30, 30, 30), 2));
    p.drawLine(31, 3, 31, 14);
    p.setBrush(QColor(40, 70, 120));
    p.drawRoundedRect(QRectF(13, 12, 24, 33), 4, 4);
    p.setBrush(QColor(200, 230, 255));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(17, 16, 16, 11));
    p.setBrush(QColor(255, 200, 0));
    const QPointF bolt[] = {{26, 17}, {21, 22.5}, {25, 22.5}, {23, 27}, {29, 21}, {25, 21}};
    p.drawPolygon(bolt, 6);
    p.setBrush(QColor(180, 190, 205));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRect(QRectF(17 + col * 6, 31 + row * 4.5, 4, 3));
    return QIcon(pixmap);
}

const DialogTemplate& DialogOf(const ResourceModule& module, int id) {
    if (const DialogTemplate* d = module.Dialog(id))
        return *d;
    return BuiltinDialog(id);
}

const DialogTemplate& BuiltinDialog(int id) {
    for (const DialogTemplate& d : SolviBuiltinResources().dialogs)
        if (d.id == id)
            return d;
    static const DialogTemplate kEmpty{0, "", 0, 0, {}};
    return kEmpty;
}

const DialogControl* FindControl(const DialogTemplate& dialog, int id) {
    for (const DialogControl& c : dialog.controls)
        if (c.id == id)
            return &c;
    return nullptr;
}

std::map<int, QWidget*> BuildControls(QWidget* parent, const DialogTemplate& dialog) {
    std::map<int, QWidget*> byId;
    auto* asDialog = qobject_cast<QDialog*>(parent);
    QButtonGroup* radios = nullptr;
    for (const DialogControl& c : dialog.controls) {
        const QString text = FromUtf8(c.text);
        QWidget* w = nullptr;
        switch (c.kind) {
            case ControlKind::Static: {
                auto* label = new QLabel(text, parent);
                if (c.flags & kCtlAlignRight)
                    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                else if (c.flags & kCtlAlignCenter)
                    label->setAlignment(Qt::AlignCenter);
                w = label;
                break;
            }
            case ControlKind::Edit:
                w = new QLineEdit(text, parent);
                break;
            case ControlKind::RadioButton: {
                if (radios == nullptr || (c.flags & kCtlGroupStart))
                    radios = new QButtonGroup(parent);
                auto* radio = new QRadioButton(text, parent);
                radios->addButton(radio, c.id);
                w = radio;
                break;
            }
            case ControlKind::CheckBox:
                w = new QCheckBox(text, parent);
                break;
            case ControlKind::PushButton:
            case ControlKind::DefPushButton: {
                auto* button = new QPushButton(text, parent);
                if (asDialog != nullptr) {
                    button->setDefault(c.kind == ControlKind::DefPushButton);
                    button->setAutoDefault(c.kind == ControlKind::DefPushButton);
                    if (c.id == 1)
                        QObject::connect(button, &QPushButton::clicked, asDialog, &QDialog::accept);
                    else if (c.id == 2)
                        QObject::connect(button, &QPushButton::clicked, asDialog, &QDialog::reject);
                }
                w = button;
                break;
            }
            case ControlKind::GroupBox:
                w = new QGroupBox(text, parent);
                break;
            case ControlKind::Icon: {
                auto* label = new QLabel(parent);
                label->setPixmap(SolviIcon().pixmap(c.w, c.h));
                w = label;
                break;
            }
            case ControlKind::ListBox:
                w = new QListWidget(parent);
                break;
            case ControlKind::TextView: {
                auto* view = new QPlainTextEdit(text, parent);
                view->setReadOnly(true);
                view->setFrameShape(QFrame::Box);
                view->setFrameShadow(QFrame::Sunken);
                w = view;
                break;
            }
        }
        w->setGeometry(c.x, c.y, c.w, c.h);
        if (c.flags & kCtlHidden)
            w->hide();
        if (c.flags & kCtlDisabled)
            w->setEnabled(false);
        if (c.kind == ControlKind::GroupBox)
            w->lower();
        if (c.id > 0)
            byId[c.id] = w;
    }
    return byId;
}

TemplateDialog::TemplateDialog(QWidget* parent, const DialogTemplate& dialog) : QDialog(parent) {
    setWindowTitle(FromUtf8(dialog.title));
    setFixedSize(dialog.w, dialog.h);
    controls_ = BuildControls(this, dialog);
}

QWidget* TemplateDialog::Control(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

}  // namespace norda
