#include "ombra/app/AppConfig.h"

#include <cstdlib>

#include "codeplug/CodeplugFile.h"
#include "ombra/ops/OmbraLink.h"

namespace norda::ombra {

CommandLineSwitches ParseCommandLine(const std::vector<std::string>& args) {
    CommandLineSwitches s;
    for (const auto& a : args) {
        if (a == "-debug")
            s.dumpImage = true;
        if (a == "-test")
            s.testSwitch = true;
        if (a == "--help" || a == "-h")
            s.help = true;
        if (a == "--version")
            s.version = true;
        if (s.file.empty() && !a.empty() && a[0] != '-')
            s.file = a;
    }
    return s;
}

std::string IniPathFor(const std::string& programPath) {
    const size_t slash = programPath.find_last_of('/');
    const std::string dir =
        slash == std::string::npos ? std::string() : programPath.substr(0, slash + 1);
    std::string base = slash == std::string::npos ? programPath : programPath.substr(slash + 1);
    const size_t dot = base.find_last_of('.');
    if (dot != std::string::npos && dot != 0)
        base.resize(dot);
    return dir + base + ".INI";
}

ProgramVersion SplitVersion(std::string_view text) {
    const size_t dot = text.find('.');
    const std::string major(text.substr(0, dot));
    const std::string minor(dot == std::string_view::npos ? std::string_view()
                                                          : text.substr(dot + 1));
    return {std::atoi(major.c_str()), std::atoi(minor.c_str())};
}

std::string ApplicationTitle(std::string_view name, std::string_view version) {
    return std::string(name) + " " + std::string(version) + " ";
}

int ReadCountryCode(const IniStore& ini) {
    return ini.GetInt("International", "Country Code", kTurkishCountryCode);
}

void ReadCommunicationAndConstants(const IniStore& ini, StartupConfig& config) {
    config.serialPort = ini.GetInt("Communication", "Serial Port", 1);
    config.productionLog = ini.GetString("Production", "Log", "");
    config.productionDatabase = ini.GetString("Production", "Database", "");
    config.productionSeries = ini.GetString("Production", "Series", "");
    config.pauseAfterAckMs =
        PauseAfterAckSetting(ini.GetInt(kPauseAfterAckSection, kPauseAfterAckKey, -1));
    const CloneConstants defaults;
    for (const auto& k : kCloneConstantKeys) {
        config.cloneConstants.*k.field =
            static_cast<uint8_t>(ini.GetInt("Clone Constants", k.key, defaults.*k.field));
    }
    config.shiftFrequencies.clear();
    for (const auto& key : ini.KeyNames("Shift Frequencies", kShiftKeyBufferSize)) {
        if (config.shiftFrequencies.size() == kShiftFrequencyCount)
            break;
        config.shiftFrequencies.push_back(ShiftFrequencyHz(key));
    }
}

bool WriteExitConfig(IniStore& ini, int countryCode, int serialPort) {
    const bool a = ini.WriteString("International", "Country Code", std::to_string(countryCode));
    const bool b = ini.WriteString("Communication", "Serial Port", std::to_string(serialPort));
    return a && b;
}

}  // namespace norda::ombra
