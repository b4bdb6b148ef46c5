#include "ombra/app/TQtHost.h"

#include <algorithm>

#include <QDate>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "ombra/app/CommandRules.h"
#include "ombra/app/TProgFrame.h"
#include "ombra/ops/BackupStore.h"
#include "ombra/ops/PollDriver.h"
#include "ombra/ops/RecordingClientWin.h"
#include "ombra/pages/MessageStyles.h"

namespace norda::ombra {

namespace {
constexpr uint32_t kQueueSize = 1024;

ProgWinSettings SettingsOf(const TApp& app) {
    ProgWinSettings s;
    s.dumpImage = app.Switches().dumpImage;
    s.testMode = app.TestMode() != 0;
    s.versionMajor = app.Version().major;
    s.versionMinor = app.Version().minor;
    s.cloneConstants = app.Config().cloneConstants;
    s.pauseAfterAckMs = app.Config().pauseAfterAckMs;
    return s;
}
}  // namespace

TQtHost::TQtHost(TApp& app, std::unique_ptr<ByteStream> stream)
    : app_(app),
      client_(std::make_unique<RecordingClientWin>(
          *this, image_, ProcessParameters(), app.Config().serialPort, app.BaudRate(),
          SettingsOf(app), SteadyClock::Instance(), std::move(stream))),
      timer_(new QTimer(this)) {
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, [this] { OnDeadline(); });
    // Every radio the window programs goes into the production log; a log that cannot be
    // written is told in the status bar and never holds up the radio.
    const ProductionLog log(ProductionLogPath("", app.Config().productionLog));
    static_cast<RecordingClientWin&>(*client_).SetRecorder(
        "ombra", [this, log](const ProductionRecord& record) {
            const LogAppend appended = log.Append(record);
            if (!Succeeded(appended.status) && frame_ != nullptr) {
                frame_->ShowNotice([path = log.Path(), appended](const TextSource& texts) {
                    return ProductionLogNote(path, appended, texts);
                });
            }
            if (alsoRecord)
                alsoRecord(record);
        });
}

TQtHost::~TQtHost() {
    timer_->stop();
    input_.reset();
    client_.reset();
}

Status TQtHost::Open() {
    input_.reset();
    const Status result = client_->SetupWindow();
    WatchPort();
    return result;
}

void TQtHost::WatchPort() {
    input_.reset();
    const int handle = client_->Port().InputHandle();
    if (handle < 0)
        return;
    input_ = std::make_unique<QSocketNotifier>(handle, QSocketNotifier::Read);
    input_->setEnabled(PollDriver(*client_).WatchInput());
    connect(input_.get(), &QSocketNotifier::activated, this, [this] { OnInput(); });
}

void TQtHost::Schedule() {
    const std::optional<Deadline> next = client_->NextDeadline();
    if (next) {
        timer_->start(std::max(0, next->Left(client_->TimeSource().TickCount())));
    } else {
        timer_->stop();
    }
    FollowPort();
    if (input_)
        input_->setEnabled(PollDriver(*client_).WatchInput());
}

void TQtHost::OnDeadline() {
    PollDriver(*client_).DeadlineDue();
    Schedule();
}

void TQtHost::OnInput() {
    PollDriver driver(*client_);
    if (!driver.WatchInput()) {
        input_->setEnabled(false);
        return;
    }
    driver.InputArrived();
    Schedule();
}

void TQtHost::StopOperation() {
    client_->StopOperation();
    Schedule();
}

void TQtHost::SetSequentialDialog(QWidget* dialog, std::function<void(Posted)> onPost) {
    sequentialDialog_ = dialog;
    sequentialPost_ = std::move(onPost);
}

std::string TQtHost::Text(int id) {
    return app_.Module().Text(id);
}

void TQtHost::PostMessage(PostTarget target, Posted msg) {
    QMetaObject::invokeMethod(
        this,
        [this, target, msg] {
            if (target == PostTarget::ClientWindow) {
                client_->OnPostedMessage(msg);
                Schedule();
            } else if (sequentialPost_) {
                sequentialPost_(msg);
            }
            if (frame_ != nullptr)
                frame_->UpdateCommandStates();
        },
        Qt::QueuedConnection);
}

QWidget* TQtHost::OwnerWidget(MessageOwner owner) const {
    if (owner == MessageOwner::SequentialDialog && sequentialDialog_)
        return sequentialDialog_;
    return frame_;
}

// A device closed after a failure, or opened again, has another descriptor (or none); the
// loop must not watch the old one, also not in the loop of a message box.
void TQtHost::FollowPort() {
    if (client_->Port().InputHandle() != (input_ ? static_cast<int>(input_->socket()) : -1))
        WatchPort();
}

namespace {

int StyleOf(Severity severity) {
    switch (severity) {
        case Severity::Info:
            return kIconInformation;
        case Severity::Warning:
        case Severity::Failure:
            return kIconExclamation;
        case Severity::Fault:
            return kIconStop;
    }
    return kIconExclamation;
}

}  // namespace

int TQtHost::Show(const OperationMessage& message, int buttons, MessageOwner owner) {
    // The port may have been closed (a device that went away) since it was last watched.
    FollowPort();
    if (frame_ == nullptr)
        return kIdOk;
    return frame_->MessageBox(MessageText(*this, message), MessageCaption(*this, message),
                              buttons | StyleOf(message.severity), OwnerWidget(owner));
}

bool TQtHost::Ask(const OperationMessage& question, MessageOwner owner) {
    return Show(question, kStyleOkCancel, owner) == kIdOk;
}

void TQtHost::Notify(const OperationMessage& notice, MessageOwner owner) {
    Show(notice, kStyleOk, owner);
}

void TQtHost::OperationEnded(const OperationEnd& end) {
    for (const OperationMessage& notice : end.notices)
        Show(notice, kStyleOk, end.owner);
    if (end.message.textId != 0 || !end.message.text.empty())
        Show(end.message, kStyleOk, end.owner);
    else
        FollowPort();
}

void TQtHost::OpenProgressWindow(const std::string& caption, const std::string& text,
                                 MessageOwner owner) {
    if (frame_ == nullptr)
        return;
    QWidget* ownerWidget = OwnerWidget(owner);
    if (ownerWidget != frame_ && ownerWidget != nullptr) {
        ownerWidget->setEnabled(false);
        progressDisabledDialog_ = true;
    }
    frame_->OpenProgressWindow(caption, text, ownerWidget);
}

void TQtHost::CloseProgressWindow() {
    if (frame_ != nullptr)
        frame_->CloseProgressWindow();
    if (progressDisabledDialog_ && sequentialDialog_) {
        sequentialDialog_->setEnabled(true);
        sequentialDialog_->activateWindow();
    }
    progressDisabledDialog_ = false;
}

void TQtHost::ReportProgress(const TransferProgress& progress) {
    if (frame_ != nullptr)
        frame_->ReportProgress(progress.done + 1, progress.total);
}

bool TQtHost::CanLeavePage() {
    return frame_ == nullptr || frame_->CanLeavePage();
}
int TQtHost::CurrentPage() {
    return frame_ == nullptr ? kPageNone : frame_->Pages().CurrentPage();
}
void TQtHost::ClosePage() {
    if (frame_ != nullptr)
        frame_->ClosePage();
}
void TQtHost::SetCurrentPage(int page) {
    if (frame_ != nullptr)
        frame_->Pages().SetCurrentPage(page);
}
void TQtHost::OpenPage(int page) {
    if (frame_ != nullptr)
        frame_->OpenPage(page);
}
void TQtHost::SetDocumentState(DocumentState state) {
    if (frame_ != nullptr)
        frame_->SetDocumentState(state);
}
void TQtHost::SetRestrictedPages(bool restricted) {
    if (frame_ != nullptr)
        frame_->SetRestrictedPages(restricted);
}
bool TQtHost::FileOpened() {
    return frame_ != nullptr && frame_->FileOpened();
}
void TQtHost::SetFileOpened(bool opened) {
    if (frame_ != nullptr)
        frame_->SetFileOpened(opened);
}
void TQtHost::ClearFileName() {
    if (frame_ != nullptr)
        frame_->SetFileName(std::string());
}
bool TQtHost::TestSwitch() {
    return app_.TestSwitch();
}

void TQtHost::RunSequentialDialog(TProgWin& client) {
    if (sequentialRunner_)
        sequentialRunner_(client);
}

void TQtHost::PlaySound(const std::string& file) {
    // Looked up by name like the original sound call: the working folder, then the
    // program's own. No file or no player: silently nothing.
    QString path = QString::fromStdString(file);
    if (!QFileInfo::exists(path))
        path = QString::fromStdString(app_.ProgramDir() + "/" + file);
    if (!QFileInfo::exists(path))
        return;
    const QString player = QStandardPaths::findExecutable(QStringLiteral("aplay"));
    if (player.isEmpty())
        return;
    QProcess::startDetached(player, {QStringLiteral("-q"), path});
}

LocalDate TQtHost::Today() {
    const QDate d = QDate::currentDate();
    return {d.year(), d.month(), d.day()};
}

void TQtHost::Trace(const std::string& line) {
    if (frame_ != nullptr)
        frame_->AppendTrace(line);
}

void TQtHost::FullReadAccepted(const RadioImage& image, const RadioParameters& parameters) {
    const BackupOutcome outcome = StoreBackup(BackupRoot(), image, parameters, LocalBackupTime());
    if (frame_ != nullptr) {
        frame_->ShowNotice(
            [outcome](const TextSource& texts) { return BackupNote(outcome, texts); });
    }
}

Status TQtHost::Reopen(int port, int baud) {
    input_.reset();
    const Status result =
        client_->Port().Reopen(port, baud, HandshakeMode::None, kQueueSize, kQueueSize);
    WatchPort();
    Schedule();
    return result;
}

void TQtHost::RadioCommand(int id) {
    switch (id) {
        case cmd::kRead:
            client_->CmRead();
            break;
        case cmd::kWrite:
            client_->CmWrite();
            break;
        case cmd::kCopy:
            client_->CmCopy();
            break;
        case cmd::kSequential:
            client_->CmSequential();
            break;
        default:
            break;
    }
    Schedule();
}

}  // namespace norda::ombra
