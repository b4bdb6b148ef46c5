#include "ombra/pages/DialogBuilder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ombra/pages/Icons.h"

namespace norda {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void BuildControls(QWidget* dialog, const DialogTemplate& tpl, std::map<int, QWidget*>& controls) {
    if (tpl.w > 0 && tpl.h > 0)
        dialog->setFixedSize(tpl.w, tpl.h);
    dialog->setWindowTitle(ToQString(tpl.title));
    QButtonGroup* radios = nullptr;
    for (const auto& c : tpl.controls) {
        const QString text = ToQString(c.text);
        QWidget* w = nullptr;
        switch (c.kind) {
            case ControlKind::Static: {
                auto* l = new QLabel(text, dialog);
                if (c.flags & kCtlAlignRight)
                    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                if (c.flags & kCtlAlignCenter)
                    l->setAlignment(Qt::AlignCenter);
                w = l;
                break;
            }
            case ControlKind::Edit:
                w = new QLineEdit(text, dialog);
                break;
            case ControlKind::RadioButton: {
                auto* r = new QRadioButton(text, dialog);
                if (radios == nullptr || (c.flags & kCtlGroupStart)) {
                    radios = new QButtonGroup(dialog);
                    radios->setExclusive(true);
                }
                radios->addButton(r);
                w = r;
                break;
            }
            case ControlKind::CheckBox:
                w = new QCheckBox(text, dialog);
                break;
            case ControlKind::PushButton:
            case ControlKind::DefPushButton: {
                auto* b = new QPushButton(text, dialog);
                b->setAutoDefault(false);
                b->setDefault(c.kind == ControlKind::DefPushButton);
                w = b;
                break;
            }
            case ControlKind::GroupBox:
                w = new QGroupBox(text, dialog);
                w->lower();
                break;
            case ControlKind::Icon: {
                auto* l = new QLabel(dialog);
                const QIcon icon = ResourceIcon(c.id);
                if (!icon.isNull())
                    l->setPixmap(icon.pixmap(c.w, c.h));
                w = l;
                break;
            }
            case ControlKind::ListBox:
                w = new QListWidget(dialog);
                break;
            case ControlKind::TextView: {
                auto* t = new QPlainTextEdit(dialog);
                t->setReadOnly(true);
                t->setLineWrapMode(QPlainTextEdit::NoWrap);
                w = t;
                break;
            }
        }
        w->setGeometry(c.x, c.y, c.w, c.h);
        if (c.flags & kCtlHidden)
            w->hide();
        if (c.flags & kCtlDisabled)
            w->setEnabled(false);
        if (c.id > 0) {
            w->setObjectName(QString::number(c.id));
            controls[c.id] = w;
        }
    }
}

}  // namespace norda
