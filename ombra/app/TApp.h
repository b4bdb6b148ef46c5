#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ombra/app/AppConfig.h"
#include "resources/ResourceModule.h"

namespace norda::ombra {

// OMBRA's application object without windows: command line, INI file, language module
// and the values saved on exit. The windows (splash, frame) are put around it by the
// program's start-up (main.cpp).
class TApp {
  public:
    static constexpr const char* kFileFilter =
        "OMBRA Dosyaları (*.omb)|*.omb|Tüm Dosyalar (*.*)|*.*|";

    // `programPath` is the program file (its folder holds the INI file and the language
    // libraries); `args` are the arguments after the program name. Without `ini` the INI
    // file beside the program is used, or the user's own copy of it when the program
    // folder is not writable (IniPath()).
    TApp(std::string programPath, std::vector<std::string> args,
         std::unique_ptr<IniStore> ini = nullptr);

    // Start-up steps 2-3: command line, INI path and country code.
    void ReadCommandLineAndCountry();
    // Steps 5-10: names and version, resource module, port, constants, shift frequencies.
    void ReadRest();

    // Makes `code` the language. False when its library cannot be loaded: the language is
    // then Turkish (90) and `failedName` holds the library's file name.
    bool SelectLanguage(int code, std::string* failedName);
    std::string LibraryName(int code) const;

    // Saves "Country Code" and "Serial Port" (the port in use).
    bool SaveOnExit(int serialPort);

    const ResourceModule& Module() const { return *module_; }
    int CountryCode() const { return config_.countryCode; }
    const StartupConfig& Config() const { return config_; }
    const CommandLineSwitches& Switches() const { return switches_; }
    bool TestSwitch() const { return switches_.testSwitch; }
    int TestMode() const { return testMode_; }
    void SetTestMode(int on) { testMode_ = on; }
    int BaudRate() const { return baudRate_; }
    const std::string& Title() const { return title_; }
    const ProgramVersion& Version() const { return version_; }
    const std::string& IniPath() const { return iniPath_; }
    const std::string& ProgramDir() const { return programDir_; }
    IniStore& Ini() { return *ini_; }

  private:
    std::string programPath_;
    std::string programDir_;
    std::vector<std::string> args_;
    std::string iniPath_;
    std::unique_ptr<IniStore> ini_;
    CommandLineSwitches switches_;
    StartupConfig config_;
    int testMode_ = 0;
    int baudRate_ = kDefaultBaudRate;
    std::string title_;
    std::string languageBase_;
    ProgramVersion version_;
    std::unique_ptr<ResourceModule> module_;
};

}  // namespace norda::ombra
