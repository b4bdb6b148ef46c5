#pragma once

#include <memory>

#include "ombra/app/ChannelPlanCommands.h"
#include "ombra/app/FileCommands.h"
#include "ombra/app/TProgFrame.h"
#include "ombra/app/TQtHost.h"
#include "ombra/ops/SeriesStation.h"

namespace norda::ombra {

// The file commands' view of the frame and the client.
class TFrameFileHost final : public FileCommandHost {
  public:
    TFrameFileHost(TProgFrame& frame, TQtHost& host) : frame_(frame), host_(host) {}

    QWidget* Window() override { return &frame_; }
    const ResourceModule& Module() override { return frame_.Module(); }
    bool CanLeavePage() override { return frame_.CanLeavePage(); }
    int CurrentPage() override { return frame_.Pages().CurrentPage(); }
    void ClosePage() override { frame_.ClosePage(); }
    void OpenPage(int page) override { frame_.OpenPage(page); }
    void SetDocumentState(DocumentState state) override { frame_.SetDocumentState(state); }
    void SetDocumentChanged(bool changed) override { frame_.SetDocumentChanged(changed); }
    void SetRestrictedPages(bool restricted) override { frame_.SetRestrictedPages(restricted); }
    void SetFileOpened(bool opened) override { frame_.SetFileOpened(opened); }
    void SetDataValid(bool valid) override { host_.SetDataValid(valid); }
    const std::string& FileName() override { return frame_.FileName(); }
    void SetFileName(const std::string& name) override { frame_.SetFileName(name); }
    bool TestMode() override { return host_.TestMode(); }
    bool TestSwitch() override { return frame_.App().TestSwitch(); }
    CodeplugOptions FileOptions() override;

  private:
    TProgFrame& frame_;
    TQtHost& host_;
};

// Everything the frame runs beyond its own commands: the parameter pages, the file
// commands and the sequential-programming dialog.
class TProgramSetup {
  public:
    TProgramSetup(TProgFrame& frame, TQtHost& host);
    ~TProgramSetup();
    TProgramSetup(const TProgramSetup&) = delete;
    TProgramSetup& operator=(const TProgramSetup&) = delete;

    TFrameFileHost& FileHost() { return fileHost_; }
    void OpenFile(const std::string& name) { files_.OpenFile(name); }

    // "Yedekler...": the backups, the chosen one opened as "&Aç" opens a file.
    void ShowBackups();
    // "Karşılaştır...": the codeplug on screen against a file or a backup.
    void Compare();

  private:
    static constexpr int kTextRadioNotStarted = 3901;
    static constexpr int kTextRecordNotKept = 3902;

    // With [Production] Series= the sequential dialog's numbers come from the production
    // database; false, with the reason in the status bar, when they cannot.
    bool OpenSeries(TProgWin& client);
    void ShowSeriesNote(int textId, const std::string& why);

    TProgFrame& frame_;
    TQtHost& host_;
    TFrameFileHost fileHost_;
    FileCommands files_;
    ChannelPlanCommands plans_;
    std::unique_ptr<ProductionDb> seriesDb_;
    std::unique_ptr<SeriesStation> series_;  // uses seriesDb_
};

}  // namespace norda::ombra
