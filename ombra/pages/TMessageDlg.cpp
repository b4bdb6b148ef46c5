#include "ombra/pages/TMessageDlg.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>

#include "ombra/pages/Icons.h"
#include "ombra/pages/MessageLayout.h"
#include "resources/OmbraControlIds.h"
#include "ui/DialogBuilder.h"

namespace norda::ombra {

namespace {
TMessageDlg::Responder& ResponderSlot() {
    static TMessageDlg::Responder responder;
    return responder;
}
}  // namespace

void TMessageDlg::SetResponder(Responder responder) {
    ResponderSlot() = std::move(responder);
}

TMessageDlg::TMessageDlg(QWidget* owner, const ResourceModule& module, const QString& text,
                         const QString& caption, int style)
    : QDialog(owner), style_(style) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    std::map<int, QWidget*> controls;
    if (const DialogTemplate* tpl = module.Dialog(MessageBoxIds::kDialog))
        controls = BuildControls(this, *tpl, ResourceIcon);
    for (auto& [id, w] : controls) {
        if (id == MessageBoxIds::kText)
            text_ = qobject_cast<QLabel*>(w);
        else if (id == MessageBoxIds::kIcon)
            icon_ = qobject_cast<QLabel*>(w);
        else if (auto* b = qobject_cast<QPushButton*>(w)) {
            buttons_[id] = b;
            b->hide();
            connect(b, &QPushButton::clicked, this, [this, id = id] { done(id); });
        }
    }
    // A module without dialog 50 still gets a usable box.
    if (text_ == nullptr)
        text_ = new QLabel(this);
    if (icon_ == nullptr)
        icon_ = new QLabel(this);
    text_->setTextFormat(Qt::PlainText);
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWindowTitle(caption);
    shown_ = MessageButtons(style);
    for (int id : shown_) {
        if (!buttons_.count(id)) {
            auto* b = new QPushButton(QString::number(id), this);
            buttons_[id] = b;
            connect(b, &QPushButton::clicked, this, [this, id] { done(id); });
        }
        buttons_[id]->show();
    }
    if (!shown_.empty()) {
        for (auto& [id, b] : buttons_)
            b->setDefault(false);
        buttons_[shown_.front()]->setDefault(true);
        buttons_[shown_.front()]->setFocus();
    }
    const int iconId = MessageIconId(style);
    if (iconId != 0) {
        icon_->setPixmap(ResourceIcon(iconId).pixmap(32, 32));
        icon_->show();
    } else {
        icon_->hide();
    }
    SetText(text);
}

void TMessageDlg::SetText(const QString& text) {
    text_->setText(text);
    Relayout(extraHeight_);
}

int TMessageDlg::Relayout(int extraHeight) {
    extraHeight_ = extraHeight;
    const QFontMetrics fm(text_->font());
    int w = 0;
    int h = 0;
    for (const QString& line : text_->text().split('\n')) {
        w = std::max(w, fm.horizontalAdvance(line));
        h += fm.lineSpacing();
    }
    const MessageLayout l = ComputeMessageLayout(w + 2, h, static_cast<int>(shown_.size()));
    const int extraTop = l.text.y + l.text.h + 8;
    setFixedSize(l.width, l.height + extraHeight);
    icon_->setGeometry(l.icon.x, l.icon.y, l.icon.w, l.icon.h);
    text_->setGeometry(l.text.x, l.text.y, l.text.w, l.text.h);
    for (size_t i = 0; i < shown_.size(); ++i) {
        const Rect& r = l.buttons[i];
        buttons_[shown_[i]]->setGeometry(r.x, r.y + extraHeight, r.w, r.h);
    }
    return extraTop;
}

void TMessageDlg::showEvent(QShowEvent* e) {
    QRect area;
    if (QWidget* owner = parentWidget()) {
        area = owner->window()->frameGeometry();
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->geometry();
    }
    if (area.isValid())
        move(area.center() - QPoint(width() / 2, height() / 2));
    QDialog::showEvent(e);
}

QPushButton* TMessageDlg::Button(int id) const {
    auto it = buttons_.find(id);
    return it == buttons_.end() || it->second->isHidden() ? nullptr : it->second;
}

void TMessageDlg::reject() {
    // Escape and the close box answer like a message box: Cancel where there is one,
    // OK where it is the only button, nothing otherwise.
    for (int id : shown_)
        if (id == 2)
            return done(2);
    if (shown_.size() == 1)
        return done(shown_.front());
}

int TMessageDlg::Execute() {
    if (auto& responder = ResponderSlot()) {
        return responder({text_->text().toStdString(), windowTitle().toStdString(), style_});
    }
    return exec();
}

int TMessageDlg::Show(QWidget* owner, const ResourceModule& module, const QString& text,
                      const QString& caption, int style) {
    TMessageDlg dlg(owner, module, text, caption, style);
    return dlg.Execute();
}

}  // namespace norda::ombra
