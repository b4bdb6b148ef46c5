#include "ombra/cli/CliConfig.h"

#include <unistd.h>

#include <array>

#include "codeplug/CodeplugFile.h"
#include "ombra/ops/OmbraLink.h"
#include "platform/ProfileFile.h"
#include "platform/SettingsFile.h"

namespace norda::ombra {
namespace {

constexpr size_t kShiftKeyBuffer = 4500;
constexpr size_t kShiftEntries = 400;

}  // namespace

CliConfig ReadCliConfig(const std::string& iniPath) {
    const ProfileFile ini = ProfileFile::Load(iniPath);
    CliConfig config;
    config.countryCode = ini.GetInt("International", "Country Code", 90);
    config.serialPort = ini.GetInt("Communication", "Serial Port", 1);
    config.productionLog = ini.GetString("Production", "Log", "", 4096);
    config.productionDatabase = ini.GetString("Production", "Database", "", 4096);
    config.pauseAfterAckMs =
        PauseAfterAckSetting(ini.GetInt(kPauseAfterAckSection, kPauseAfterAckKey, -1));

    CloneConstants& c = config.cloneConstants;
    const std::array<std::pair<const char*, uint8_t*>, 22> constants = {{
        {"TUNETIM", &c.TUNETIM},
        {"AKDUR", &c.AKDUR},
        {"LPRF", &c.LPRF},
        {"HPRF", &c.HPRF},
        {"RSSITreshhold", &c.RSSITreshhold},
        {"PLLSETT", &c.PLLSETT},
        {"PLLUNL", &c.PLLUNL},
        {"PRTIM0", &c.PRTIM0},
        {"SQTDEL", &c.SQTDEL},
        {"TCSSCN", &c.TCSSCN},
        {"PRITCS0", &c.PRITCS0},
        {"ZCC_CCIR", &c.ZCC_CCIR},
        {"GZCC_CCIR", &c.GZCC_CCIR},
        {"BZCC_CCIR", &c.BZCC_CCIR},
        {"ZCC_ZVEI", &c.ZCC_ZVEI},
        {"GZCC_ZVEI", &c.GZCC_ZVEI},
        {"BZCC_ZVEI", &c.BZCC_ZVEI},
        {"ZCC_EEA", &c.ZCC_EEA},
        {"GZCC_EEA", &c.GZCC_EEA},
        {"BZCC_EEA", &c.BZCC_EEA},
        {"StdDev", &c.StdDev},
        {"PSMTIM", &c.PSMTIM},
    }};
    for (const auto& [key, value] : constants) {
        *value = static_cast<uint8_t>(ini.GetInt("Clone Constants", key, *value));
    }
    for (const std::string& key : ini.KeyNames("Shift Frequencies", kShiftKeyBuffer)) {
        if (config.shiftFrequencies.size() == kShiftEntries)
            break;
        config.shiftFrequencies.push_back(ShiftFrequencyHz(key));
    }
    return config;
}

std::string ProgramDirectory() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return "./";
    std::string program(path, static_cast<size_t>(n));
    return program.substr(0, program.find_last_of('/') + 1);
}

std::string OmbraIniPath() {
    return SettingsFilePath(ProgramDirectory() + "ombra.INI");
}

std::unique_ptr<ResourceModule> LoadLanguage(int countryCode) {
    if (countryCode != 90) {
        const std::string path =
            ProgramDirectory() + LanguageLibraryName(LanguageBaseName("OMBRA"), countryCode, 4);
        int result = 0;
        if (auto module = ResourceModule::Load(path, "OMBRA", &result))
            return module;
    }
    return ResourceModule::BuiltIn(OmbraBuiltinResources());
}

}  // namespace norda::ombra
