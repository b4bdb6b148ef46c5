#include "ombra/app/FileCommands.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <QFileDialog>
#include <QStringList>
#include <memory>

#include "codeplug/NewFileDefaults.h"
#include "codeplug/TextFormat.h"
#include "ombra/ops/BackupStore.h"
#include "ombra/ops/TransferHost.h"
#include "ombra/pages/MessageStyles.h"
#include "ombra/pages/TFileDefaults.h"
#include "ombra/pages/TMessageDlg.h"
#include "ui/DialogBuilder.h"

namespace norda::ombra {

namespace {
constexpr int kConfirmDiscard = 800;
constexpr int kConfirmReplace = 3550;
constexpr int kCannotOpen = 3551;
constexpr int kCaptionInfo = 601;
constexpr int kCaptionError = 602;
constexpr int kCaptionWarning = 603;
constexpr int kTransferablePage = 3;

FileCommandHost::FileNameResponder& Responder() {
    static FileCommandHost::FileNameResponder responder;
    return responder;
}

// Why `path` cannot be read as a file (an errno value), 0 when it can.
int ReadError(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    struct stat st {};
    const int error = fstat(fd, &st) != 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : 0;
    ::close(fd);
    return error;
}

int Show(FileCommandHost& host, const std::string& text, int captionId, int style) {
    const ResourceModule& module = host.Module();
    return TMessageDlg::Show(host.Window(), module, ToQString(text),
                             ToQString(module.Text(captionId)), style);
}
}  // namespace

QString NameFilter(const std::string& filter) {
    // Pairs of a description and its pattern; the description already names the pattern.
    const QStringList parts = ToQString(filter).split('|');
    QStringList names;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        names << parts[i];
    return names.join(";;");
}

void FileCommandHost::SetFileNameResponder(FileNameResponder responder) {
    Responder() = std::move(responder);
}

std::string FileCommandHost::AskOpenFileName(const std::string& title, const std::string& filter) {
    if (Responder())
        return Responder()(title);
    return QFileDialog::getOpenFileName(Window(), ToQString(title), QString(), NameFilter(filter))
        .toStdString();
}

std::string FileCommandHost::AskSaveFileName(const std::string& title, const std::string& filter,
                                             const std::string& proposed) {
    if (Responder())
        return Responder()(title);
    // The name chosen may still get ".OMB"; the file commands ask about the name written.
    return QFileDialog::getSaveFileName(Window(), ToQString(title), ToQString(proposed),
                                        NameFilter(filter), nullptr,
                                        QFileDialog::DontConfirmOverwrite)
        .toStdString();
}

bool FileCommands::Command(int id) {
    switch (id) {
        case kCmFileNew:
            New();
            return true;
        case kCmFileOpen:
            Open();
            return true;
        case kCmFileSave:
            Save();
            return true;
        case kCmFileSaveAs:
            SaveAs();
            return true;
        default:
            return false;
    }
}

bool FileCommands::ConfirmDiscard() {
    if (host_.CurrentPage() < kFirstPage)
        return true;
    return Show(host_, Text(kConfirmDiscard), kCaptionWarning, kStyleOkCancel | kIconExclamation) ==
           kIdOk;
}

void FileCommands::New() {
    if (!host_.CanLeavePage() || !ConfirmDiscard())
        return;
    // The new file is made aside: a user who backs out of the dialog keeps the page,
    // the data and the file he had.
    auto fresh = std::make_unique<RadioParameters>(parameters_);
    ResetToNewFile(*fresh);
    TFileDefaults defaults(host_.Window(), host_.Module(), *fresh);
    if (defaults.Execute() != 1)
        return;
    host_.ClosePage();
    parameters_ = *fresh;
    host_.SetFileName("");
    host_.SetFileOpened(true);
    host_.SetDataValid(false);
    host_.SetRestrictedPages(true);
    host_.SetDocumentState(DocumentState::NewFile);
    host_.OpenPage(kTransferablePage);
}

void FileCommands::Open() {
    if (!host_.CanLeavePage() || !ConfirmDiscard())
        return;
    host_.ClosePage();
    host_.SetFileName("");
    const std::string name = host_.AskOpenFileName(Text(kOpenTitle), Text(kFilter));
    if (name.empty())
        return;
    Load(name);
}

void FileCommands::OpenFile(const std::string& name) {
    if (!host_.CanLeavePage() || !ConfirmDiscard())
        return;
    host_.ClosePage();
    host_.SetFileName("");
    Load(name);
}

void FileCommands::Load(const std::string& name) {
    // A file that is not there has no band either; the user is told what really happened.
    if (const int error = ReadError(name); error != 0) {
        Show(host_,
             FormatText(Text(kCannotOpen), {FormatArg(name), FormatArg(std::strerror(error))}),
             kCaptionError, kIconExclamation);
        return;
    }
    FileValueReports reports;
    if (LoadCodeplugFile(name, parameters_, host_.FileOptions(), &reports) == Status::NoBand) {
        Show(host_, Text(kTextFileNoBand), kCaptionError, kIconExclamation);
        return;
    }
    host_.SetFileName(name);
    host_.SetFileOpened(true);
    host_.SetDataValid(false);
    host_.SetRestrictedPages(!host_.TestSwitch());
    host_.SetDocumentState(DocumentState::OpenedFile);
    // The fields of values that could not be taken are empty: what is on screen is no
    // longer what the file holds.
    host_.SetDocumentChanged(!reports.empty());
    if (host_.TestMode())
        host_.ClosePage();
    else
        host_.OpenPage(kTransferablePage);
    if (!reports.empty()) {
        Show(host_, FileValueReportsMessage(reports, host_.Module()), kCaptionWarning,
             kIconExclamation);
    }
}

void FileCommands::Save() {
    if (!host_.CanLeavePage())
        return;
    const std::string& name = host_.FileName();
    // A backup is the record of what a radio held: "&Sakla" does not write over it.
    if (name.empty() || IsBackupFile(name))
        SaveTo(AskSaveName(""));
    else
        SaveTo(name);
}

void FileCommands::SaveAs() {
    if (!host_.CanLeavePage())
        return;
    SaveTo(AskSaveName(host_.FileName()));
}

std::string FileCommands::AskSaveName(std::string proposed) {
    for (;;) {
        const std::string chosen = host_.AskSaveFileName(Text(kSaveTitle), Text(kFilter), proposed);
        if (chosen.empty())
            return {};
        const std::string name = CompleteCodeplugName(chosen);
        std::error_code ec;
        if (!std::filesystem::exists(std::filesystem::symlink_status(name, ec)))
            return name;
        const std::string question = FormatText(Text(kConfirmReplace), {FormatArg(name)});
        if (Show(host_, question, kCaptionWarning, kStyleOkCancel | kIconExclamation) == kIdOk)
            return name;
        // As the file dialog does when its own question is declined: choose again.
        proposed = name;
    }
}

void FileCommands::SaveTo(const std::string& chosenName) {
    if (chosenName.empty())
        return;
    const std::string name = CompleteCodeplugName(chosenName);
    if (!Succeeded(SaveCodeplugFile(name, parameters_, host_.FileOptions()))) {
        // The old file is still there as it was; the name in use does not change.
        Show(host_, FormatText(Text(kTextFileNotSaved), {FormatArg(name)}), kCaptionError,
             kIconExclamation);
        return;
    }
    host_.SetFileName(name);
    host_.SetDocumentState(DocumentState::OpenedFile);
    Show(host_, Text(kTextFileSaved), kCaptionInfo, kIconInformation);
}

}  // namespace norda::ombra
