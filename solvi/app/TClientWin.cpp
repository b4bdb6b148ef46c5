#include "solvi/app/TClientWin.h"

#include "solvi/app/TApp.h"
#include "solvi/app/TSPDlg.h"
#include "solvi/app/TVerDlg.h"

namespace norda::solvi {

TClientWin::TClientWin(QWidget* parent, TApp& app, PanelHost& host)
    : QWidget(parent), app_(app), host_(host) {
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);

    bool any = false;
    for (int port = 1; port <= kMaxPorts; ++port)
        any = any || app_.selected[port];
    // First start: every port that is there.
    if (!any)
        app_.selected = app_.available;
    for (int port = 1; port <= kMaxPorts; ++port) {
        if (app_.available[port] && app_.selected[port])
            panels_[port] = CreatePanel(port);
        else
            app_.selected[port] = false;
    }
}

TClientWin::~TClientWin() {
    for (TSPDlg* panel : panels_)
        if (panel != nullptr)
            panel->CanClose();
    for (TSPDlg*& panel : panels_) {
        delete panel;
        panel = nullptr;
    }
}

TSPDlg* TClientWin::CreatePanel(int port) {
    return new TSPDlg(this, app_, host_, port, app_.baudRate);
}

void TClientWin::SetupWindow() {
    for (TSPDlg* panel : panels_)
        if (panel != nullptr)
            panel->SetupWindow();
}

PanelLayout TClientWin::Layout(int screenWidth, int screenHeight) {
    PortFlags open{};
    for (int port = 1; port <= kMaxPorts; ++port)
        open[port] = panels_[port] != nullptr;
    PanelLayout layout = ComputeLayout(open, screenWidth, screenHeight);
    for (const auto& place : layout.panels) {
        TSPDlg* panel = panels_[place.port];
        panel->setGeometry(place.rect.x, place.rect.y, place.rect.w, place.rect.h);
        panel->show();
    }
    singlePort_ = layout.singlePort;
    const bool wasSingle = app_.Flags().singlePortLayout.exchange(layout.singlePortLayout);
    if (layout.singlePortLayout) {
        if (versionPanel_ == nullptr)
            versionPanel_ = new TVerDlg(this, app_.Texts());
        const PixelRect& r = layout.versionPanel;
        versionPanel_->setGeometry(r.x, r.y, r.w, r.h);
        versionPanel_->show();
    } else if (versionPanel_ != nullptr) {
        delete versionPanel_;
        versionPanel_ = nullptr;
    }
    // The status lines drop or regain their port prefix with the layout.
    if (wasSingle != layout.singlePortLayout)
        for (TSPDlg* panel : panels_)
            if (panel != nullptr)
                panel->RefreshTexts();
    setFixedSize(layout.ClientWidth(), layout.ClientHeight());
    return layout;
}

TSPDlg* TClientWin::Panel(int port) const {
    return port >= 1 && port <= kMaxPorts ? panels_[port] : nullptr;
}

int TClientWin::PanelCount() const {
    int n = 0;
    for (TSPDlg* panel : panels_)
        n += panel != nullptr;
    return n;
}

bool TClientWin::AnyBusy() const {
    for (TSPDlg* panel : panels_)
        if (panel != nullptr && panel->Busy())
            return true;
    return false;
}

void TClientWin::OpenPanel(int port) {
    if (Panel(port) != nullptr || port < 1 || port > kMaxPorts)
        return;
    panels_[port] = CreatePanel(port);
    panels_[port]->SetupWindow();
}

bool TClientWin::ClosePanel(int port) {
    TSPDlg* panel = Panel(port);
    if (panel == nullptr)
        return true;
    if (!panel->CanClose())
        return false;
    panels_[port] = nullptr;
    delete panel;
    return true;
}

void TClientWin::ShowRadioLines(int port, const std::string& version,
                                const std::string& description) {
    // A report from a panel that is no longer alone arrives after the layout changed.
    if (versionPanel_ != nullptr && port == singlePort_)
        versionPanel_->SetRadioLines(version, description);
}

void TClientWin::RefreshTexts() {
    if (versionPanel_ != nullptr)
        versionPanel_->RefreshTexts(app_.Texts());
    for (TSPDlg* panel : panels_)
        if (panel != nullptr)
            panel->RefreshTexts();
}

}  // namespace norda::solvi
