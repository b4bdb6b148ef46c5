#pragma once

#include <functional>
#include <memory>

#include <QObject>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>

#include "codeplug/RadioImage.h"
#include "codeplug/RadioParameters.h"
#include "ombra/app/ClientPort.h"
#include "ombra/app/TApp.h"
#include "ombra/ops/TClientWin.h"
#include "ombra/ops/TransferHost.h"
#include "platform/ProductionLog.h"

namespace norda::ombra {

class TProgFrame;

// Runs the transfer machine inside the Qt program: one QTimer wakes it at its next
// deadline, posted messages are queued invocations, messages and the progress window are
// the frame's, and the frame's commands reach the machine through the ClientPort side.
// While the machine polls its port, bytes arriving on it bring the poll forward, so a frame
// is acted on when it is complete rather than at the next 20 ms poll.
class TQtHost final : public QObject, public TransferHost, public ClientPort {
    Q_OBJECT
  public:
    // Creates the client on the INI's port at the program's speed; `stream` replaces the
    // serial device (tests).
    explicit TQtHost(TApp& app, std::unique_ptr<ByteStream> stream = nullptr);
    ~TQtHost() override;

    void SetFrame(TProgFrame* frame) { frame_ = frame; }
    // Hears each production record after the log has it.
    std::function<void(const ProductionRecord&)> alsoRecord;
    TClientWin& Client() { return *client_; }
    RadioImage& Image() { return image_; }
    RadioParameters& Parameters() { return ProcessParameters(); }

    // The sequential-programming dialog plugs in here: the runner shows it modally; while
    // it is open it is the owner of messages and receives the posts addressed to it.
    using SequentialRunner = std::function<void(TProgWin&)>;
    void SetSequentialRunner(SequentialRunner runner) { sequentialRunner_ = std::move(runner); }
    void SetSequentialDialog(QWidget* dialog, std::function<void(Posted)> onPost);

    // TransferHost
    std::string Text(int id) override;
    void PostMessage(PostTarget target, Posted msg) override;
    bool Ask(const OperationMessage& question, MessageOwner owner) override;
    void Notify(const OperationMessage& notice, MessageOwner owner) override;
    void OperationEnded(const OperationEnd& end) override;
    void OpenProgressWindow(const std::string& caption, const std::string& text,
                            MessageOwner owner) override;
    void CloseProgressWindow() override;
    void ReportProgress(const TransferProgress& progress) override;
    bool CanLeavePage() override;
    int CurrentPage() override;
    void ClosePage() override;
    void SetCurrentPage(int page) override;
    void OpenPage(int page) override;
    void SetDocumentState(DocumentState state) override;
    void SetRestrictedPages(bool restricted) override;
    bool FileOpened() override;
    void SetFileOpened(bool opened) override;
    void ClearFileName() override;
    bool TestSwitch() override;
    void RunSequentialDialog(TProgWin& client) override;
    void PlaySound(const std::string& file) override;
    LocalDate Today() override;
    void Trace(const std::string& line) override;
    void FullReadAccepted(const RadioImage& image, const RadioParameters& parameters) override;

    // ClientPort
    bool Reading() const override { return client_->Reading(); }
    bool Writing() const override { return client_->Writing(); }
    bool PortOpen() const override { return client_->PortUsable(); }
    bool LinkEstablished() const override { return client_->Link().LinkEstablished(); }
    int NetworkState() const override { return client_->Link().NetworkState(); }
    int PortNumber() const override { return client_->Port().PortNumber(); }
    std::string OpenFailure() const override { return client_->Port().OpenFailure(); }
    int BaudRate() const override { return client_->Port().Baud(); }
    bool WritePrecondition() override { return client_->CanWrite(); }
    bool TestMode() const override { return client_->TestMode(); }
    void SetTestMode(bool on) override { client_->SetTestMode(on); }
    void SetDataValid(bool valid) override { client_->SetDataValid(valid); }
    Status Open() override;
    Status Reopen(int port, int baud) override;
    void StopOperation() override;
    void RadioCommand(int id) override;
    void SetTrace(bool on) override { client_->SetTrace(on); }

  private:
    QWidget* OwnerWidget(MessageOwner owner) const;
    // The message dialog with `buttons` (kStyleOk, kStyleOkCancel); the pressed button.
    int Show(const OperationMessage& message, int buttons, MessageOwner owner);
    // The timer and the port notifier; what they run is PollDriver's decision.
    void OnDeadline();
    void OnInput();
    // Sets the timer to the machine's next deadline and watches the port while it polls;
    // after everything that may have moved them.
    void Schedule();
    // (Re)watches the port's descriptor, which changes with every open.
    void WatchPort();
    void FollowPort();

    TApp& app_;
    TProgFrame* frame_ = nullptr;
    RadioImage image_;
    std::unique_ptr<TClientWin> client_;
    QTimer* timer_;
    std::unique_ptr<QSocketNotifier> input_;
    SequentialRunner sequentialRunner_;
    QPointer<QWidget> sequentialDialog_;
    std::function<void(Posted)> sequentialPost_;
    bool progressDisabledDialog_ = false;
};

}  // namespace norda::ombra
