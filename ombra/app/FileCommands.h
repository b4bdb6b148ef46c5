#pragma once

#include <functional>
#include <string>

#include <QWidget>

#include "codeplug/CodeplugFile.h"
#include "codeplug/RadioParameters.h"
#include "ombra/pages/PageTable.h"
#include "resources/ResourceModule.h"

namespace norda::ombra {

// Menu commands of the codeplug file.
inline constexpr int kCmFileNew = 24331;     // "&Yeni"
inline constexpr int kCmFileOpen = 24332;    // "&Aç"
inline constexpr int kCmFileSave = 24333;    // "&Sakla"
inline constexpr int kCmFileSaveAs = 24334;  // "O&larak Sakla"

// What the file commands need of the frame around them.
class FileCommandHost {
  public:
    virtual ~FileCommandHost() = default;

    virtual QWidget* Window() = 0;
    virtual const ResourceModule& Module() = 0;

    // Page services (page numbers: -1 nothing loaded, 0 no page shown, 1-15).
    virtual bool CanLeavePage() = 0;
    virtual int CurrentPage() = 0;
    virtual void ClosePage() = 0;
    virtual void OpenPage(int page) = 0;

    // Editor state; the document state also sets the frame caption and makes the
    // document unchanged; a changed document differs from its file.
    virtual void SetDocumentState(DocumentState state) = 0;
    virtual void SetDocumentChanged(bool changed) = 0;
    virtual void SetRestrictedPages(bool restricted) = 0;
    virtual void SetFileOpened(bool opened) = 0;
    virtual void SetDataValid(bool valid) = 0;
    virtual const std::string& FileName() = 0;
    virtual void SetFileName(const std::string& name) = 0;
    virtual bool TestMode() = 0;
    virtual bool TestSwitch() = 0;
    virtual CodeplugOptions FileOptions() = 0;

    // The open and save dialogs; an empty name when the user cancels. `filter` is in the
    // "text|pattern|text|pattern|" form of the string table.
    virtual std::string AskOpenFileName(const std::string& title, const std::string& filter);
    virtual std::string AskSaveFileName(const std::string& title, const std::string& filter,
                                        const std::string& proposed);

    // Whole-program tests answer the file dialogs here instead of driving a modal
    // QFileDialog, whose accept() races the directory model it loads in the background.
    // The responder gets the dialog's title and returns the chosen name ("" = cancel).
    using FileNameResponder = std::function<std::string(const std::string& title)>;
    static void SetFileNameResponder(FileNameResponder responder);
};

// "&Yeni", "&Aç", "&Sakla" and "O&larak Sakla" on the process's parameters.
class FileCommands {
  public:
    static constexpr int kFilter = 920;
    static constexpr int kOpenTitle = 921;
    static constexpr int kSaveTitle = 922;

    explicit FileCommands(FileCommandHost& host, RadioParameters& parameters = ProcessParameters())
        : host_(host), parameters_(parameters) {}

    void New();
    void Open();
    // "&Aç" with the file already chosen (a backup, for one).
    void OpenFile(const std::string& name);
    void Save();
    void SaveAs();
    // Runs one of the four commands by its menu identifier; false for any other.
    bool Command(int id);

  private:
    bool ConfirmDiscard();
    void Load(const std::string& name);
    // The name from the save dialog as it will be written, once the user has agreed to
    // replace a file of that name; empty when the user cancels.
    std::string AskSaveName(std::string proposed);
    void SaveTo(const std::string& chosenName);
    std::string Text(int id) { return host_.Module().Text(id); }

    FileCommandHost& host_;
    RadioParameters& parameters_;
};

// The "text|pattern|..." filter of the string table as a file dialog's name filter.
QString NameFilter(const std::string& filter);

}  // namespace norda::ombra
