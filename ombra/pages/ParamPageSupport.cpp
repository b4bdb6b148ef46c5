#include "ombra/pages/ParamPageSupport.h"

#include "codeplug/RadioParameters.h"

#include <cstdlib>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "ombra/pages/TMessageDlg.h"
#include "resources/OmbraControlIds.h"
#include "ui/DialogBuilder.h"

namespace norda::ombra {

namespace paramctl {

namespace {

class FocusWatcher final : public QObject {
  public:
    FocusWatcher(QObject* parent, std::function<void()> action)
        : QObject(parent), action_(std::move(action)) {}
    bool eventFilter(QObject* watched, QEvent* e) override {
        // Only the user moving on counts: focus also leaves when the page is hidden or
        // destroyed, or a menu opens, and no rule may run then.
        if (e->type() == QEvent::FocusOut) {
            switch (static_cast<QFocusEvent*>(e)->reason()) {
                case Qt::TabFocusReason:
                case Qt::BacktabFocusReason:
                case Qt::MouseFocusReason:
                case Qt::ShortcutFocusReason:
                    action_();
                    break;
                default:
                    break;
            }
        }
        return QObject::eventFilter(watched, e);
    }

  private:
    std::function<void()> action_;
};

}  // namespace

bool Checked(const TDataDlg& dlg, int id) {
    auto* b = dlg.Item<QAbstractButton>(id);
    return b != nullptr && b->isChecked();
}

void SetChecked(TDataDlg& dlg, int id, bool on) {
    if (auto* b = dlg.Item<QAbstractButton>(id))
        b->setChecked(on);
}

std::string Text(const TDataDlg& dlg, int id) {
    if (auto* e = dlg.Item<QLineEdit>(id))
        return e->text().toStdString();
    if (auto* l = dlg.Item<QLabel>(id))
        return l->text().toStdString();
    return {};
}

void SetText(TDataDlg& dlg, int id, const std::string& text) {
    if (auto* e = dlg.Item<QLineEdit>(id))
        dlg.ShowText(e, text);
    else if (auto* l = dlg.Item<QLabel>(id))
        l->setText(QString::fromStdString(text));
}

void SelectRadio(TDataDlg& dlg, int id) {
    if (auto* r = dlg.Item<QRadioButton>(id))
        r->setChecked(true);
}

void ClearRadioGroup(TDataDlg& dlg, int anyOfGroup) {
    auto* r = dlg.Item<QRadioButton>(anyOfGroup);
    if (r == nullptr)
        return;
    QButtonGroup* group = r->group();
    if (group == nullptr) {
        r->setChecked(false);
        return;
    }
    // An exclusive group cannot be emptied button by button.
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons())
        b->setChecked(false);
    group->setExclusive(true);
}

int SelectedRadio(const TDataDlg& dlg, std::initializer_list<int> ids) {
    for (int id : ids)
        if (Checked(dlg, id))
            return id;
    return 0;
}

void SetEnabled(TDataDlg& dlg, int id, bool on) {
    if (QWidget* w = dlg.Control(id))
        w->setEnabled(on);
}

int Message(TDataDlg& dlg, const std::string& text, int captionId, int style) {
    const ResourceModule& module = dlg.Module();
    return TMessageDlg::Show(&dlg, module, QString::fromStdString(text),
                             ToQString(module.Text(captionId)), style);
}

int Message(TDataDlg& dlg, int textId, int captionId, int style) {
    return Message(dlg, dlg.Module().Text(textId), captionId, style);
}

void OnFocusLost(TDataDlg& dlg, int id, std::function<void()> action) {
    if (QWidget* w = dlg.Control(id))
        w->installEventFilter(new FocusWatcher(w, std::move(action)));
}

void OnClicked(TDataDlg& dlg, int id, std::function<void()> action) {
    if (auto* b = dlg.Item<QAbstractButton>(id))
        QObject::connect(b, &QAbstractButton::clicked, &dlg,
                         [action = std::move(action)] { action(); });
}

void BoldHeading(TDataDlg& dlg) {
    if (auto* heading = dlg.Item<QLabel>(kPageHeadingId)) {
        QFont font = heading->font();
        font.setBold(true);
        if (font.pointSizeF() > 0)
            font.setPointSizeF(font.pointSizeF() * 1.15);
        heading->setFont(font);
    }
}

long Integer(const std::string& text) {
    return std::strtol(text.c_str(), nullptr, 10);
}

std::string OptionalNumber(long value) {
    return value == 0 ? std::string() : std::to_string(value);
}

}  // namespace paramctl
}  // namespace norda::ombra
