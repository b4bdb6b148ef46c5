#include "ombra/app/TApp.h"

#include <filesystem>

#include "ombra/app/ProfileIniStore.h"
#include "platform/SettingsFile.h"

namespace norda::ombra {

TApp::TApp(std::string programPath, std::vector<std::string> args, std::unique_ptr<IniStore> ini)
    : programPath_(std::move(programPath)),
      args_(std::move(args)),
      iniPath_(SettingsFilePath(IniPathFor(programPath_))),
      ini_(std::move(ini)),
      module_(ResourceModule::BuiltIn(OmbraBuiltinResources())) {
    // Libraries are loaded by absolute path only, so the folder is made absolute here.
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(programPath_, ec);
    programDir_ = (ec ? std::filesystem::path(programPath_) : absolute).parent_path().string();
    if (!ini_)
        ini_ = std::make_unique<ProfileIniStore>(iniPath_);
    title_ = ApplicationTitle(kProgramName, kProgramVersionText);
    languageBase_ = LanguageBaseName(kProgramName);
    version_ = SplitVersion(kProgramVersionText);
}

void TApp::ReadCommandLineAndCountry() {
    switches_ = ParseCommandLine(args_);
    testMode_ = switches_.testSwitch ? 1 : 0;
    config_.countryCode = ReadCountryCode(*ini_);
}

void TApp::ReadRest() {
    // The start-up fallback is silent; only a change of language reports the library.
    SelectLanguage(config_.countryCode, nullptr);
    ReadCommunicationAndConstants(*ini_, config_);
    baudRate_ = kDefaultBaudRate;
}

std::string TApp::LibraryName(int code) const {
    return LanguageLibraryName(languageBase_, code, 4);
}

bool TApp::SelectLanguage(int code, std::string* failedName) {
    if (code != kTurkishCountryCode) {
        const std::string name = LibraryName(code);
        int result = 0;
        auto module = ResourceModule::Load(programDir_ + "/" + name, kProgramName, &result);
        if (module) {
            module_ = std::move(module);
            config_.countryCode = code;
            return true;
        }
        if (failedName != nullptr)
            *failedName = name;
    }
    if (!module_->IsBuiltIn())
        module_ = ResourceModule::BuiltIn(OmbraBuiltinResources());
    config_.countryCode = kTurkishCountryCode;
    return code == kTurkishCountryCode;
}

bool TApp::SaveOnExit(int serialPort) {
    return WriteExitConfig(*ini_, config_.countryCode, serialPort);
}

}  // namespace norda::ombra
