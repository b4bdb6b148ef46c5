#pragma once

#include <QWidget>
#include <array>
#include <string>

#include "solvi/app/PortProbe.h"
#include "solvi/app/SolviLayout.h"

namespace norda::solvi {

class PanelHost;
class TApp;
class TSPDlg;
class TVerDlg;

// The frame's inside: one panel per selected port in a two-column grid, and the version
// panel while exactly one port is open.
class TClientWin : public QWidget {
    Q_OBJECT

  public:
    TClientWin(QWidget* parent, TApp& app, PanelHost& host);
    // Every worker is told to stop before the first panel goes, so they end together.
    ~TClientWin() override;

    // Opens the panels' ports and starts their workers.
    void SetupWindow();
    // Places the panels and the version panel; the frame sizes itself by the result.
    PanelLayout Layout(int screenWidth, int screenHeight);

    TSPDlg* Panel(int port) const;
    int PanelCount() const;
    bool AnyBusy() const;
    TVerDlg* VersionPanel() const { return versionPanel_; }
    int SinglePort() const { return singlePort_; }

    void OpenPanel(int port);
    // False (and nothing changes) while the panel is busy.
    bool ClosePanel(int port);

    void ShowRadioLines(int port, const std::string& version, const std::string& description);
    void RefreshTexts();

  private:
    TSPDlg* CreatePanel(int port);

    TApp& app_;
    PanelHost& host_;
    std::array<TSPDlg*, kMaxPorts + 1> panels_{};
    TVerDlg* versionPanel_ = nullptr;
    int singlePort_ = 0;
};

}  // namespace norda::solvi
