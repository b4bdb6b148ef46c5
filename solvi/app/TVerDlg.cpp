#include "solvi/app/TVerDlg.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>

#include "platform/TextSource.h"
#include "resources/SolviControlIds.h"
#include "solvi/app/DialogBuilder.h"

namespace norda::solvi {

namespace {
using enum VersionPanelIds::Control;

QString Label(const std::map<int, QWidget*>& controls, int id) {
    auto it = controls.find(id);
    if (it == controls.end())
        return {};
    if (auto* label = qobject_cast<QLabel*>(it->second))
        return label->text();
    if (auto* view = qobject_cast<QPlainTextEdit*>(it->second))
        return view->toPlainText();
    return {};
}

void SetText(const std::map<int, QWidget*>& controls, int id, const std::string& text) {
    auto it = controls.find(id);
    if (it == controls.end())
        return;
    const QString t = QString::fromStdString(text);
    if (auto* label = qobject_cast<QLabel*>(it->second))
        label->setText(t);
    else if (auto* view = qobject_cast<QPlainTextEdit*>(it->second))
        view->setPlainText(t);
}
}  // namespace

TVerDlg::TVerDlg(QWidget* parent, const TextSource& texts) : QFrame(parent) {
    const DialogTemplate& dialog = BuiltinDialog(VersionPanelIds::kDialog);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    controls_ = BuildControls(this, dialog, SolviIcon);
    // The descriptions wrap inside a plain box.
    for (const auto& [id, w] : controls_) {
        if (auto* view = qobject_cast<QPlainTextEdit*>(w)) {
            view->setFrameShape(QFrame::Box);
            view->setFrameShadow(QFrame::Sunken);
        }
    }
    RefreshTexts(texts);
}

void TVerDlg::SetFileLines(const std::string& version, const std::string& description) {
    SetText(controls_, kFileVersion, version);
    SetText(controls_, kFileText, description);
}

void TVerDlg::SetRadioLines(const std::string& version, const std::string& description) {
    SetText(controls_, kRadioVersion, version);
    SetText(controls_, kRadioText, description);
}

void TVerDlg::RefreshTexts(const TextSource& texts) {
    fileLabel_ = QString::fromStdString(texts.Text(1013));
    // The tabs line the colons up in the texts; here the value column does that, and a
    // run of tabs would push the colon out of its label.
    auto shown = [](QString text) {
        static const QRegularExpression tabs(QStringLiteral("\\t+"));
        return text.replace(tabs, QStringLiteral(" ")).toStdString();
    };
    SetText(controls_, kFileLabel, shown(fileLabel_));
    SetText(controls_, kRadioLabel, shown(QString::fromStdString(texts.Text(1014))));
}

QString TVerDlg::FileVersion() const {
    return Label(controls_, kFileVersion);
}
QString TVerDlg::FileDescription() const {
    return Label(controls_, kFileText);
}
QString TVerDlg::RadioVersion() const {
    return Label(controls_, kRadioVersion);
}
QString TVerDlg::RadioDescription() const {
    return Label(controls_, kRadioText);
}
QString TVerDlg::FileLabel() const {
    return fileLabel_;
}

}  // namespace norda::solvi
