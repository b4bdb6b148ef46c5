#include "ombra/pages/TDataDlg.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

#include "ombra/pages/Icons.h"
#include "ombra/pages/MessageStyles.h"
#include "ombra/pages/TMessageDlg.h"
#include "ui/DialogBuilder.h"

namespace norda::ombra {

namespace {
TDataDlg::ExecuteHook& HookSlot() {
    static TDataDlg::ExecuteHook hook;
    return hook;
}
constexpr int kCaptionError = 602;
}  // namespace

void TDataDlg::SetExecuteHook(ExecuteHook hook) {
    HookSlot() = std::move(hook);
}

TDataDlg::TDataDlg(QWidget* parent, int resourceId, const ResourceModule& module, bool isModal,
                   bool okCloses, bool cancelCloses)
    : QDialog(parent),
      resourceId_(resourceId),
      module_(module),
      isModal_(isModal),
      okCloses_(okCloses),
      cancelCloses_(cancelCloses) {
    if (!isModal_) {
        // A page is a child inside the client area, not a window of its own.
        setWindowFlags(Qt::Widget);
    } else {
        setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    }
    if (const DialogTemplate* tpl = module.Dialog(resourceId))
        controls_ = BuildControls(this, *tpl, ResourceIcon);
    for (auto& [id, w] : controls_) {
        if (auto* b = qobject_cast<QPushButton*>(w)) {
            connect(b, &QPushButton::clicked, this, [this, id = id] { Command(id); });
        }
    }
}

TDataDlg::~TDataDlg() {
    // The edits' validators refer to the checks; drop them before the checks go.
    for (auto& b : bindings_)
        b.edit->setValidator(nullptr);
}

QWidget* TDataDlg::Control(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

void TDataDlg::SetTextLimit(int editId, int textLimit) {
    if (auto* e = Item<QLineEdit>(editId); e != nullptr && textLimit > 0) {
        e->setMaxLength(textLimit);
        limits_[e] = textLimit;
    }
}

void TDataDlg::ShowText(QLineEdit* edit, const std::string& text) {
    if (edit == nullptr)
        return;
    const QString shown = QString::fromStdString(text);
    if (const auto limit = limits_.find(edit); limit != limits_.end())
        edit->setMaxLength(std::max(limit->second, static_cast<int>(shown.size())));
    edit->setText(shown);
}

void TDataDlg::Bind(int editId, std::unique_ptr<FieldCheck> check, int textLimit) {
    auto* edit = Item<QLineEdit>(editId);
    if (edit == nullptr || check == nullptr)
        return;
    SetTextLimit(editId, textLimit);
    edit->setValidator(new TQtFieldValidator(*check, edit));
    // A refused keystroke is heard, as the edits of the system's own dialogs sound it:
    // a character that silently vanished would leave another number than was typed.
    connect(edit, &QLineEdit::inputRejected, edit, [] { QApplication::beep(); });
    bindings_.push_back({editId, edit, std::move(check)});
}

void TDataDlg::PlaceDialog() {
    QWidget* parent = parentWidget();
    if (parent == nullptr)
        return;
    if (!isModal_) {
        const int x = std::max(0, parent->width() / 2 - width() / 2);
        const int y = std::max(0, parent->height() / 2 - height() / 2);
        move(x, y);
        return;
    }
    const QRect pw = parent->window()->frameGeometry();
    int x = pw.left() + pw.width() / 2 - width() / 2;
    int y = pw.top() + pw.height() / 2 - height() / 2;
    if (x < 0)
        x = 50;
    if (y < 0)
        y = 50;
    move(x, y);
}

bool TDataDlg::CanLeave() {
    for (auto& b : bindings_) {
        if (!b.edit->isEnabled())
            continue;
        if (!b.check->IsValid(b.edit->text().toStdString())) {
            b.edit->setFocus();
            TMessageDlg::Show(this, module_, QString::fromStdString(b.check->ErrorText(module_)),
                              QString::fromStdString(module_.Text(kCaptionError)),
                              kIconExclamation);
            b.edit->setFocus();
            b.edit->selectAll();
            return false;
        }
    }
    TransferFromDialog();
    return true;
}

void TDataDlg::SetupOnce() {
    if (setUp_)
        return;
    setUp_ = true;
    TransferToDialog();
    PlaceDialog();
}

int TDataDlg::Execute() {
    SetupOnce();
    if (auto& hook = HookSlot())
        return hook(*this);
    return exec();
}

void TDataDlg::Create() {
    SetupOnce();
    show();
}

void TDataDlg::Command(int id) {
    if (id == 1) {
        if (okCloses_ && CanLeave())
            done(1);
    } else if (id == 2) {
        if (cancelCloses_)
            done(2);
    }
}

void TDataDlg::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Command(1);
            e->accept();
            return;
        case Qt::Key_Escape:
            Command(2);
            e->accept();
            return;
        default:
            QDialog::keyPressEvent(e);
    }
}

// QDialog's own Escape and Return paths end here; route them through the command rules.
void TDataDlg::reject() {
    Command(2);
}
void TDataDlg::accept() {
    Command(1);
}

}  // namespace norda::ombra
