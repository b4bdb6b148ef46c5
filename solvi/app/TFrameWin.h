#pragma once

#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "link/SerialDevices.h"
#include "solvi/app/SolviLayout.h"
#include "solvi/app/TSPDlg.h"
#include "solvi/core/ProductionTally.h"

class QAction;
class QLabel;

namespace norda {
class TElidingLabel;
}  // namespace norda

namespace norda::solvi {

class TApp;
class TClientWin;

// Menu commands.
enum SolviCommand : int {
    kCmdPortFirst = 401,  // Com1 .. Com16 = 400 + port
    kCmdPortLast = 416,
    kCmdBaudrate = 417,
    kCmdAutoProg = 418,
    kCmdTransferMode = 419,
    kCmdVerify = 3110,
    kCmdLanguage = 551,
    kCmdAbout = 2009,
    kCmdExit = 24310,
    kCmdOpen = 24332,
    kCmdPortAssignment = 3200,
};

// SOLVI's main window: the menu, the client with the port panels, the file loading and
// the orderly end of the program.
class TFrameWin : public QMainWindow, public PanelHost {
    Q_OBJECT

  public:
    static constexpr int kMenuId = 100;
    static constexpr int kCloseFirstMs = 100;
    static constexpr int kCloseAgainMs = 1000;

    // Throws std::runtime_error("Error loading menu") when the module has no menu 100.
    explicit TFrameWin(TApp& app);
    ~TFrameWin() override;

    // Starts the panels, lays them out, sets the check marks and loads a pending file.
    void SetupWindow();

    // The menu commands; the dialogs' outcomes have their own entry points below.
    void Command(int id);
    bool CommandEnabled(int id) const;
    bool CommandChecked(int id) const;

    void LoadFile();
    void TogglePort(int port);
    void ApplyBaudrate(int32_t baud);
    void ToggleAutoProg();
    void ToggleVerify();
    void ToggleTransferMode();
    void ApplyLanguage(int language);
    void AssignPorts();

    // PanelHost
    void ShowRadioLines(int port, const std::string& version,
                        const std::string& description) override;
    // Window message 0x603: the program ends, once no panel is programming.
    void ExitRequest(int code) override;
    // Counted, and recorded in the production log.
    void ProgrammingEnded(const ProgrammingOutcome& outcome) override;

    const ProductionTally& Tally() const { return tally_; }
    // "Programlanan: n, hatalı: m" in the status bar.
    QString CountText() const;
    // Left in the status bar: empty, or why the last record missed the log.
    QString LogWarning() const;
    // Where automatic mode prints its result line; tests catch it.
    std::function<void(const std::string&)> printResult;

    TClientWin* Client() const { return client_; }
    const PanelLayout& LastLayout() const { return layout_; }
    bool Closing() const;
    int ExitCode() const { return exitCode_; }
    bool CloseTimerActive() const { return closeTimer_.isActive(); }
    int CloseTimerInterval() const { return closeTimer_.interval(); }
    // Ends the message loop; tests catch it.
    std::function<void(int)> quit;
    // Where the serial devices are looked for; tests hand in a tree of their own.
    SerialDeviceTree devices;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void LoadMenu();
    void UpdateCommands();
    void UpdateCheckMarks();
    // "Com1" ... "Com16" with the device each number opens now.
    void UpdatePortItems();
    void Relayout();
    void UpdateTitle();
    void OnCloseTimer();
    void UpdateCount();
    // Automatic mode's result line, once, as the program ends.
    void PrintAutoResult();

    TApp& app_;
    TClientWin* client_ = nullptr;
    std::map<int, QAction*> actions_;
    std::map<int, QString> portItemTexts_;
    PanelLayout layout_;
    QTimer closeTimer_;
    int exitCode_ = 0;
    ProductionTally tally_;
    QLabel* count_ = nullptr;
    TElidingLabel* logWarning_ = nullptr;
    uint32_t startTick_ = 0;
    // Automatic mode: what the result line tells.
    std::string autoRadioVersion_;
    std::optional<ProgrammingOutcome> autoOutcome_;
    std::string autoReport_;
    std::string loadFailure_;  // the message of the last failed load
    bool resultPrinted_ = false;
};

}  // namespace norda::solvi
