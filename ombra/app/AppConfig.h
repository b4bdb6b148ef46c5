#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace norda {

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
};

// Arguments after the program name; compared exactly, others ignored.
CommandLineSwitches ParseCommandLine(const std::vector<std::string>& args);

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
};

struct CloneConstant {
    const char* key;
    int defaultValue;
};
// "Clone Constants" keys in the order of their Clone bytes (30..45; 41-43 per tone standard).
inline constexpr std::array<CloneConstant, 22> kCloneConstantKeys{{
    {"TUNETIM", 10},  {"AKDUR", 25},    {"LPRF", 100},    {"HPRF", 20},     {"RSSITreshhold", 150},
    {"PLLSETT", 10},  {"PLLUNL", 20},   {"PRTIM0", 25},   {"SQTDEL", 2},    {"TCSSCN", 20},
    {"PRITCS0", 10},  {"ZCC_CCIR", 20}, {"GZCC_CCIR", 6}, {"BZCC_CCIR", 8}, {"ZCC_ZVEI", 14},
    {"GZCC_ZVEI", 4}, {"BZCC_ZVEI", 5}, {"ZCC_EEA", 8},   {"GZCC_EEA", 2},  {"BZCC_EEA", 3},
    {"StdDev", 28},   {"PSMTIM", 100},
}};

struct StartupConfig {
    int countryCode = kTurkishCountryCode;
    int serialPort = 1;
    std::array<uint8_t, kCloneConstantKeys.size()> cloneConstants{};  // same order as the keys
    std::vector<int32_t> shiftFrequencies;  // hertz, file order, at most 400
};

int ReadCountryCode(const IniStore& ini);
// Serial port, clone constants (each modulo 256) and the shift-frequency key list.
void ReadCommunicationAndConstants(const IniStore& ini, StartupConfig& config);
// The two values saved when the program ends, as decimal text.
bool WriteExitConfig(IniStore& ini, int countryCode, int serialPort);

// Decimal text to an integer scaled by 10^places: "4.6" with 6 places gives 4600000.
int32_t ScaleDecimalText(std::string_view text, int places);

}  // namespace norda
