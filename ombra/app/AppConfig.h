#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ombra/ops/CloneConstants.h"

namespace norda::ombra {

inline constexpr std::string_view kProgramName = "OMBRA";
inline constexpr std::string_view kProgramVersionText = "4.0";
inline constexpr std::string_view kApplicationName = "ZEMTAR";
inline constexpr int kTurkishCountryCode = 90;
inline constexpr int kEnglishCountryCode = 9;
inline constexpr int kDefaultBaudRate = 9600;
inline constexpr size_t kShiftFrequencyCount = 400;
inline constexpr size_t kShiftKeyBufferSize = 4500;

struct CommandLineSwitches {
    bool dumpImage = false;   // "-debug"
    bool testSwitch = false;  // "-test": TestMode and TestSwitch
    std::string file;         // a codeplug to open, as the desktop hands it over
    bool help = false;        // "--help" or "-h": the usage, and no window
    bool version = false;     // "--version"
};

// Arguments after the program name; switches compared exactly. The first argument that
// is no switch names a file; other arguments are ignored.
CommandLineSwitches ParseCommandLine(const std::vector<std::string>& args);

inline constexpr const char* kOmbraUsage =
    "usage: ombra [-test] [-debug] [FILE.omb]\n"
    "       ombra --help | --version\n"
    "-test allows the test mode (Seçenekler > Yazılım Modu), in which Oku, Yaz and Kopyala\n"
    "are off; -debug writes every image read to eprom.dbg in the working folder; FILE.omb\n"
    "is opened as with Dosya > Aç.\n";

// The INI file beside the program: its folder and base name with ".INI".
std::string IniPathFor(const std::string& programPath);

struct ProgramVersion {
    int major = 0;
    int minor = 0;
};
ProgramVersion SplitVersion(std::string_view text);
// "%s %s " of the program name and version (the trailing blank is part of the title).
std::string ApplicationTitle(std::string_view name, std::string_view version);

// The profile file as OMBRA uses it; the production store sits on the platform's
// profile functions, tests use a map.
class IniStore {
  public:
    virtual ~IniStore() = default;
    virtual int GetInt(const std::string& section, const std::string& key, int def) const = 0;
    // Key names of a section in file order, as many as fit into a buffer of `bufferSize`
    // bytes of NUL-terminated names.
    virtual std::vector<std::string> KeyNames(const std::string& section,
                                              size_t bufferSize) const = 0;
    virtual bool WriteString(const std::string& section, const std::string& key,
                             const std::string& value) = 0;
    virtual std::string GetString(const std::string& section, const std::string& key,
                                  const std::string& def) const {
        (void)section;
        (void)key;
        return def;
    }
};

struct CloneConstantKey {
    const char* key;
    uint8_t CloneConstants::*field;
};
// The "Clone Constants" keys; their defaults are those of CloneConstants.
inline constexpr std::array<CloneConstantKey, 22> kCloneConstantKeys{{
    {"TUNETIM", &CloneConstants::TUNETIM},
    {"AKDUR", &CloneConstants::AKDUR},
    {"LPRF", &CloneConstants::LPRF},
    {"HPRF", &CloneConstants::HPRF},
    {"RSSITreshhold", &CloneConstants::RSSITreshhold},
    {"PLLSETT", &CloneConstants::PLLSETT},
    {"PLLUNL", &CloneConstants::PLLUNL},
    {"PRTIM0", &CloneConstants::PRTIM0},
    {"SQTDEL", &CloneConstants::SQTDEL},
    {"TCSSCN", &CloneConstants::TCSSCN},
    {"PRITCS0", &CloneConstants::PRITCS0},
    {"ZCC_CCIR", &CloneConstants::ZCC_CCIR},
    {"GZCC_CCIR", &CloneConstants::GZCC_CCIR},
    {"BZCC_CCIR", &CloneConstants::BZCC_CCIR},
    {"ZCC_ZVEI", &CloneConstants::ZCC_ZVEI},
    {"GZCC_ZVEI", &CloneConstants::GZCC_ZVEI},
    {"BZCC_ZVEI", &CloneConstants::BZCC_ZVEI},
    {"ZCC_EEA", &CloneConstants::ZCC_EEA},
    {"GZCC_EEA", &CloneConstants::GZCC_EEA},
    {"BZCC_EEA", &CloneConstants::BZCC_EEA},
    {"StdDev", &CloneConstants::StdDev},
    {"PSMTIM", &CloneConstants::PSMTIM},
}};

struct StartupConfig {
    int countryCode = kTurkishCountryCode;
    int serialPort = 1;
    CloneConstants cloneConstants;
    std::vector<int32_t> shiftFrequencies;    // hertz, file order, at most 400
    std::string productionLog;                // "Production" / "Log"; empty: the default log
    std::string productionDatabase;           // "Production" / "Database"; empty: none
    std::string productionSeries;             // "Production" / "Series"; empty: own numbers
    std::optional<uint32_t> pauseAfterAckMs;  // "Communication" / "Pause After Ack"
};

int ReadCountryCode(const IniStore& ini);
// Serial port, clone constants (each modulo 256) and the shift-frequency key list.
void ReadCommunicationAndConstants(const IniStore& ini, StartupConfig& config);
// The two values saved when the program ends, as decimal text.
bool WriteExitConfig(IniStore& ini, int countryCode, int serialPort);

}  // namespace norda::ombra
