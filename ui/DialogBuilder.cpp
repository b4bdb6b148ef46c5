#include "ui/DialogBuilder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace norda {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const DialogControl* FindControl(const DialogTemplate& dialog, int id) {
    for (const DialogControl& c : dialog.controls)
        if (c.id == id)
            return &c;
    return nullptr;
}

namespace {

QWidget* MakeControl(QWidget* parent, const DialogControl& c, IconSource icons,
                     QButtonGroup*& radios) {
    const QString text = ToQString(c.text);
    switch (c.kind) {
        case ControlKind::Static: {
            auto* label = new QLabel(text, parent);
            if (c.flags & kCtlAlignCenter)
                label->setAlignment(Qt::AlignCenter);
            else if (c.flags & kCtlAlignRight)
                label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            return label;
        }
        case ControlKind::Edit:
            return new QLineEdit(text, parent);
        case ControlKind::RadioButton: {
            if (radios == nullptr || (c.flags & kCtlGroupStart))
                radios = new QButtonGroup(parent);
            auto* radio = new QRadioButton(text, parent);
            radios->addButton(radio, c.id);
            return radio;
        }
        case ControlKind::CheckBox:
            return new QCheckBox(text, parent);
        case ControlKind::PushButton:
        case ControlKind::DefPushButton: {
            auto* button = new QPushButton(text, parent);
            button->setAutoDefault(false);
            button->setDefault(c.kind == ControlKind::DefPushButton);
            return button;
        }
        case ControlKind::GroupBox: {
            auto* box = new QGroupBox(text, parent);
            // Under the controls drawn inside its frame.
            box->lower();
            return box;
        }
        case ControlKind::Icon: {
            auto* label = new QLabel(parent);
            const QIcon icon = icons != nullptr ? icons(c.id) : QIcon();
            if (!icon.isNull())
                label->setPixmap(icon.pixmap(c.w, c.h));
            return label;
        }
        case ControlKind::ListBox:
            return new QListWidget(parent);
        case ControlKind::TextView: {
            auto* view = new QPlainTextEdit(text, parent);
            view->setReadOnly(true);
            return view;
        }
    }
    return nullptr;
}

}  // namespace

std::map<int, QWidget*> BuildControls(QWidget* parent, const DialogTemplate& dialog,
                                      IconSource icons) {
    if (dialog.w > 0 && dialog.h > 0)
        parent->setFixedSize(dialog.w, dialog.h);
    parent->setWindowTitle(ToQString(dialog.title));
    std::map<int, QWidget*> byId;
    QButtonGroup* radios = nullptr;
    for (const DialogControl& c : dialog.controls) {
        QWidget* w = MakeControl(parent, c, icons, radios);
        if (w == nullptr)
            continue;
        w->setGeometry(c.x, c.y, c.w, c.h);
        if (c.flags & kCtlHidden)
            w->hide();
        if (c.flags & kCtlDisabled)
            w->setEnabled(false);
        if (c.id > 0) {
            w->setObjectName(QString::number(c.id));
            byId[c.id] = w;
        }
    }
    return byId;
}

TemplateDialog::TemplateDialog(QWidget* parent, const DialogTemplate& dialog, IconSource icons)
    : QDialog(parent) {
    controls_ = BuildControls(this, dialog, icons);
    for (const auto& [id, w] : controls_) {
        auto* button = qobject_cast<QPushButton*>(w);
        if (button == nullptr)
            continue;
        button->setAutoDefault(button->isDefault());
        if (id == 1)
            connect(button, &QPushButton::clicked, this, &QDialog::accept);
        else if (id == 2)
            connect(button, &QPushButton::clicked, this, &QDialog::reject);
    }
}

QWidget* TemplateDialog::Control(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

}  // namespace norda
