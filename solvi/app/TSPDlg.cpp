#include "solvi/app/TSPDlg.h"

#include <QLabel>
#include <QPushButton>
#include <ctime>

#include "resources/ResourceModule.h"
#include "solvi/app/AutoExit.h"
#include "solvi/app/DialogBuilder.h"
#include "solvi/app/TApp.h"
#include "solvi/app/TCGauge.h"

namespace norda::solvi {

namespace {
constexpr int kPanelDialog = 1;
constexpr int kStatusId = 101;
constexpr int kButtonId = 102;
constexpr int kGaugeId = 103;
constexpr int kTextBlank = 3600;
}  // namespace

TSPDlg::TSPDlg(QWidget* parent, TApp& app, PanelHost& host, int port, int32_t baud,
               std::unique_ptr<ByteStream> stream)
    : QFrame(parent), app_(app), host_(host), port_(port) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    // The panel's shape is fixed for the grid; only its texts follow the language.
    const DialogTemplate* dialog = &BuiltinDialog(kPanelDialog);
    setFixedSize(dialog->w, dialog->h);

    const DialogControl* c = FindControl(*dialog, kStatusId);
    status_ = new QLabel(this);
    status_->setGeometry(c->x, c->y, c->w, c->h);
    c = FindControl(*dialog, kButtonId);
    button_ = new QPushButton(QString::fromStdString(app_.Text(1010)), this);
    button_->setGeometry(c->x, c->y, c->w, c->h);
    button_->setEnabled(false);
    c = FindControl(*dialog, kGaugeId);
    gauge_ = new TCGauge(this, FromUtf8(c->text));
    gauge_->setGeometry(c->x, c->y, c->w, c->h);
    connect(button_, &QPushButton::clicked, this, &TSPDlg::OnProgram);

    blankWord_ = app_.Text(kTextBlank);
    session_ = std::make_unique<FlashSession>(port, baud, app_.Image(), app_.Flags(),
                                              static_cast<FlashSessionView&>(*this),
                                              SteadyClock::Instance(), std::move(stream));
}

TSPDlg::~TSPDlg() {
    if (worker_) {
        worker_->RequestStop();
        worker_.reset();
    }
    session_.reset();
}

void TSPDlg::SetupWindow() {
    // A port that does not open is shown on the panel, which stays for another choice.
    static_cast<void>(session_->Start());
    worker_ = std::make_unique<TMap27Thread>(*session_);
    worker_->Start();
}

bool TSPDlg::CanClose() {
    if (Busy())
        return false;
    if (worker_)
        worker_->RequestStop();
    return true;
}

void TSPDlg::RefreshTexts() {
    {
        std::lock_guard lock(blankMutex_);
        blankWord_ = app_.Text(kTextBlank);
    }
    ApplyStatus(session_->StatusId());
    button_->setText(QString::fromStdString(app_.Text(1010)));
}

void TSPDlg::OnProgram() {
    if (app_.AutoMode())
        return;
    session_->RequestProgramming();
    // The session confirms with the yellow gauge and the disabled button at its next
    // tick; the button goes grey now so it is not pressed twice.
    button_->setEnabled(false);
}

void TSPDlg::ApplyStatus(int statusId) {
    const bool single = app_.Flags().singlePortLayout.load();
    std::string text = StatusLine(app_.Texts(), port_, statusId, single, session_->StatusAddress());
    // A port held by another program is no wrong number: the system's reason says so.
    if (statusId == FlashSession::kTextPortFailure)
        if (const std::string failure = session_->PortFailure(); !failure.empty())
            text += " (" + failure + ")";
    statusText_ = QString::fromStdString(text);
    // One line only: the two-line reports read as one sentence, and the full text stays
    // in the tool tip when it does not fit.
    QString line = statusText_;
    line.replace(u'\n', u' ');
    status_->setText(status_->fontMetrics().elidedText(line, Qt::ElideRight, status_->width()));
    status_->setToolTip(line);
}

void TSPDlg::ApplyGauge(GaugeState state, int value) {
    switch (state) {
        case GaugeState::Idle:
            gauge_->SetColors(Qt::white, Qt::white);
            break;
        case GaugeState::Green:
            gauge_->SetColors(QColor(0, 255, 0), QColor(0, 255, 0));
            break;
        case GaugeState::Yellow:
            gauge_->SetColors(QColor(255, 255, 0), QColor(255, 255, 0));
            break;
        case GaugeState::Red:
            gauge_->SetBarColor(QColor(255, 0, 0));
            break;
    }
    gauge_->SetValue(value);
}

std::string TSPDlg::VersionShown(const SoftwareVersion& version, const std::string& text) const {
    if (text.empty() || !version.Blank())
        return text;
    std::lock_guard lock(blankMutex_);
    return blankWord_;
}

void TSPDlg::RunEnded(const ProgrammingOutcome& outcome) {
    ProgrammingOutcome done = outcome;
    if (done.radioWasBlank && !done.softwareBefore.empty()) {
        std::lock_guard lock(blankMutex_);
        done.softwareBefore = blankWord_;
    }
    QMetaObject::invokeMethod(
        this, [this, done] { host_.ProgrammingEnded(done); }, Qt::QueuedConnection);
}

void TSPDlg::ShowStatus(int statusId) {
    QMetaObject::invokeMethod(
        this, [this, statusId] { ApplyStatus(statusId); }, Qt::QueuedConnection);
}

void TSPDlg::SetGauge(GaugeState state, int value) {
    QMetaObject::invokeMethod(
        this, [this, state, value] { ApplyGauge(state, value); }, Qt::QueuedConnection);
}

void TSPDlg::EnableProgramButton(bool enabled) {
    QMetaObject::invokeMethod(
        this, [this, enabled] { button_->setEnabled(enabled); }, Qt::QueuedConnection);
}

void TSPDlg::ShowRadioVersion(const std::string& versionText, const std::string& description) {
    QMetaObject::invokeMethod(
        this,
        [this, shown = VersionShown(session_->RadioVersion(), versionText), description] {
            host_.ShowRadioLines(port_, shown, description);
        },
        Qt::QueuedConnection);
}

void TSPDlg::PostResult(RunResult result) {
    QMetaObject::invokeMethod(
        this, [this, result] { host_.ExitRequest(AutoExitCode(result)); }, Qt::QueuedConnection);
}

}  // namespace norda::solvi
