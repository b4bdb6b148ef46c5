#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/RegistryStore.h"
#include "resources/ResourceModule.h"
#include "solvi/app/CommandLine.h"
#include "solvi/app/PortProbe.h"
#include "solvi/core/ProgramFlags.h"
#include "solvi/core/SoftwareImage.h"

namespace norda::solvi {

// The program-wide state of SOLVI: the software image, the switches the port workers
// read, the port selection, the serial speed, the language and the registry settings.
// Everything but the image and the flags belongs to the user-interface thread.
class TApp {
  public:
    static constexpr const char* kProgramName = "SOLVI";
    static constexpr const char* kRegistryKey = "SOFTWARE\\ZEMTAR\\NORDA\\SOLVI";
    // Milliseconds of quiet after every LA we send; absent: 160000 / baud + 5.
    static constexpr const char* kPauseAfterAckValue = "PauseAfterAck";
    static constexpr uint32_t kPauseAfterAckLimitMs = 1000;
    static constexpr int kTurkish = 90;
    static constexpr int kEnglish = 9;
    static constexpr int32_t kDefaultBaud = 9600;
    static constexpr const char* kLogFileValue = "LogFile";

    // registry may be null: nothing is stored. programDir is where language libraries
    // are looked for, and only there.
    TApp(const CommandLine& commandLine, const PortFlags& available,
         std::unique_ptr<RegistryStore> registry, std::string programDir);
    ~TApp();
    TApp(const TApp&) = delete;
    TApp& operator=(const TApp&) = delete;

    // Language and settings; outside automatic mode from the registry.
    void Initialise();

    // Switches the language; on failure falls back to the built-in texts, stores 90 and
    // returns the name of the library that could not be loaded (empty on success).
    std::string ChangeLanguage(int language);
    int Language() const { return language_; }
    const ResourceModule& Texts() const { return *module_; }
    std::string Text(int id) const { return module_->Text(id); }
    // Absolute path of a language's library beside the program.
    std::string LibraryPath(int language) const;

    // After `toggled` was selected or deselected.
    void SavePorts(int toggled);
    void SaveBaudrate();
    void SaveAutoProg();
    void SaveVerify();

    SoftwareImage& Image() { return image_; }
    ProgramFlags& Flags() { return flags_; }
    bool AutoMode() const { return flags_.autoMode.load(); }
    bool AutoProg() const { return flags_.autoProg.load(); }
    void SetAutoProg(bool on) { flags_.autoProg.store(on); }
    bool Verify() const { return flags_.verify.load(); }
    void SetVerify(bool on) { flags_.verify.store(on); }

    PortFlags available{};
    PortFlags selected{};
    int32_t baudRate = kDefaultBaud;
    int autoPort = 0;
    std::string pendingFile;
    // The production log: "--log FILE", else (outside automatic mode) the registry's
    // "LogFile", else the default file.
    std::string logPath;
    std::string database;  // the production database; empty: none

    // How the program shows a message box and asks for a file name; tests replace them.
    std::function<void(const std::string& text, const std::string& caption)> showMessage;
    std::function<std::string(const std::string& title)> askOpenFile;

  private:
    void Store(const std::string& name, uint32_t value);
    bool Read(const std::string& name, uint32_t* value) const;
    bool Read(const std::string& name, std::string* value) const;
    bool LoadLanguage(int language);

    SoftwareImage image_;
    ProgramFlags flags_;
    std::unique_ptr<RegistryStore> registry_;
    std::string programDir_;
    int language_ = kTurkish;
    std::unique_ptr<ResourceModule> module_;
};

}  // namespace norda::solvi
