#pragma once

#include <QFrame>
#include <QString>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "solvi/core/FlashSession.h"
#include "solvi/core/FlashSessionView.h"
#include "solvi/core/ProgrammingWatch.h"
#include "solvi/core/TMap27Thread.h"

class QLabel;
class QPushButton;

namespace norda::solvi {

class TApp;
class TCGauge;

// What a port panel needs from the window that holds it. Called on the user-interface
// thread only.
class PanelHost {
  public:
    virtual ~PanelHost() = default;
    virtual void ShowRadioLines(int port, const std::string& version,
                                const std::string& description) = 0;
    // Automatic mode: the panel's result ends the program (window message 0x603).
    virtual void ExitRequest(int code) = 0;
    // A programming run of the panel has ended, well or not.
    virtual void ProgrammingEnded(const ProgrammingOutcome& /*outcome*/) {}
};

// The panel of one port: status line, "Programla" and the progress gauge, with the flash
// session and its worker thread behind it. The worker reports through the FlashSessionView
// calls, which only queue the change for the user-interface thread; no widget is touched
// from the worker.
class TSPDlg : public QFrame, private FlashSessionView {
    Q_OBJECT

  public:
    TSPDlg(QWidget* parent, TApp& app, PanelHost& host, int port, int32_t baud,
           std::unique_ptr<ByteStream> stream = nullptr);
    // Stops the worker and waits for it before the session closes the port.
    ~TSPDlg() override;

    // Opens the port and starts the worker.
    void SetupWindow();
    // Refused while busy; otherwise the worker is told to stop.
    bool CanClose();
    bool Busy() const { return session_->Busy(); }
    int Port() const { return port_; }
    int StatusId() const { return session_->StatusId(); }
    RunResult Result() const { return session_->Result(); }

    // After a language or layout change: the status line and the button again.
    void RefreshTexts();
    void Reopen(int32_t baud) { session_->RequestReopen(baud); }

    QString StatusText() const { return statusText_; }
    const TCGauge* Gauge() const { return gauge_; }
    QPushButton* ProgramButton() const { return button_; }

  private:
    // FlashSessionView, called from the worker thread.
    void ShowStatus(int statusId) override;
    void RunEnded(const ProgrammingOutcome& outcome) override;
    void SetGauge(GaugeState state, int value) override;
    void EnableProgramButton(bool enabled) override;
    void ShowRadioVersion(const std::string& versionText, const std::string& description) override;
    void PostResult(RunResult result) override;

    // A version as the panels and the records show it: a header without software, of a
    // factory-new radio or of a file that has none, in words. Worker thread.
    std::string VersionShown(const SoftwareVersion& version, const std::string& text) const;
    void ApplyStatus(int statusId);
    void ApplyGauge(GaugeState state, int value);
    void OnProgram();

    TApp& app_;
    PanelHost& host_;
    int port_;
    QLabel* status_ = nullptr;
    QPushButton* button_ = nullptr;
    TCGauge* gauge_ = nullptr;
    QString statusText_;
    // The word for a radio without software, in the current language; the worker reads it.
    mutable std::mutex blankMutex_;
    std::string blankWord_;
    std::unique_ptr<FlashSession> session_;
    std::unique_ptr<TMap27Thread> worker_;
};

}  // namespace norda::solvi
