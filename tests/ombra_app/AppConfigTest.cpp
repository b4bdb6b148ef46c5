#include <gtest/gtest.h>

#include <map>

#include "ombra/app/AppConfig.h"

namespace norda::ombra {
namespace {

// A profile store in memory; keys of a section keep their insertion order.
class MapIni : public IniStore {
  public:
    std::vector<std::tuple<std::string, std::string, std::string>> entries;

    int GetInt(const std::string& s, const std::string& k, int def) const override {
        for (const auto& [sec, key, value] : entries)
            if (sec == s && key == k)
                return std::atoi(value.c_str());
        return def;
    }
    std::vector<std::string> KeyNames(const std::string& s, size_t) const override {
        std::vector<std::string> keys;
        for (const auto& [sec, key, value] : entries)
            if (sec == s)
                keys.push_back(key);
        return keys;
    }
    bool WriteString(const std::string& s, const std::string& k, const std::string& v) override {
        for (auto& [sec, key, value] : entries)
            if (sec == s && key == k) {
                value = v;
                return true;
            }
        entries.emplace_back(s, k, v);
        return true;
    }
};

TEST(CommandLine, SwitchesAreExactAndRepeatable) {
    auto s = ParseCommandLine({"-DEBUG", "-Test", "x"});
    EXPECT_FALSE(s.dumpImage);
    EXPECT_FALSE(s.testSwitch);
    EXPECT_EQ(s.file, "x");  // the desktop's "open with"
    s = ParseCommandLine({"-test", "-debug", "-test"});
    EXPECT_TRUE(s.dumpImage);
    EXPECT_TRUE(s.testSwitch);
}

TEST(StartupNames, IniPathTitleAndVersion) {
    EXPECT_EQ(IniPathFor("/opt/norda/bin/ombra"), "/opt/norda/bin/ombra.INI");
    EXPECT_EQ(IniPathFor("/opt/norda/OMBRA.EXE"), "/opt/norda/OMBRA.INI");
    EXPECT_EQ(ApplicationTitle(kProgramName, kProgramVersionText), "OMBRA 4.0 ");
    const auto v = SplitVersion("4.0");
    EXPECT_EQ(v.major, 4);
    EXPECT_EQ(v.minor, 0);
    EXPECT_EQ(SplitVersion("12.34").minor, 34);
}

TEST(StartupConfig, DefaultsWithoutFile) {
    MapIni ini;
    StartupConfig c;
    c.countryCode = ReadCountryCode(ini);
    ReadCommunicationAndConstants(ini, c);
    EXPECT_EQ(c.countryCode, 90);
    EXPECT_EQ(c.serialPort, 1);
    EXPECT_EQ(c.cloneConstants.TUNETIM, 10);         // TUNETIM
    EXPECT_EQ(c.cloneConstants.RSSITreshhold, 150);  // RSSITreshhold
    EXPECT_EQ(c.cloneConstants.PSMTIM, 100);         // PSMTIM
    EXPECT_TRUE(c.shiftFrequencies.empty());
    EXPECT_FALSE(c.pauseAfterAckMs) << "the link profile's own pause";
}

TEST(StartupConfig, ConstantsAreBytesAndShiftKeysAreMegahertz) {
    MapIni ini;
    ini.entries = {{"Clone Constants", "TUNETIM", "300"},     {"Shift Frequencies", "4.6", ""},
                   {"Shift Frequencies", "-4.6", "ignored"},  {"Shift Frequencies", "10.0125", ""},
                   {"Shift Frequencies", "1.23456789", ""},   {"Communication", "Serial Port", "7"},
                   {"Communication", "Pause After Ack", "20"}};
    StartupConfig c;
    ReadCommunicationAndConstants(ini, c);
    EXPECT_EQ(c.cloneConstants.TUNETIM, 44);
    EXPECT_EQ(c.cloneConstants.BZCC_EEA, 3);
    EXPECT_EQ(c.serialPort, 7);
    EXPECT_EQ(c.pauseAfterAckMs, 20u);
    EXPECT_EQ(c.shiftFrequencies, (std::vector<int32_t>{4600000, -4600000, 10012500, 1234567}));
}

TEST(StartupConfig, AtMostFourHundredShiftFrequencies) {
    MapIni ini;
    for (int i = 0; i < 450; ++i)
        ini.entries.emplace_back("Shift Frequencies", std::to_string(i), "");
    StartupConfig c;
    ReadCommunicationAndConstants(ini, c);
    ASSERT_EQ(c.shiftFrequencies.size(), 400u);
    EXPECT_EQ(c.shiftFrequencies.back(), 399000000);
}

TEST(StartupConfig, ExitWritesCountryAndPortAsDecimal) {
    MapIni ini;
    EXPECT_TRUE(WriteExitConfig(ini, 9, 12));
    EXPECT_EQ(ini.GetInt("International", "Country Code", 0), 9);
    EXPECT_EQ(ini.GetInt("Communication", "Serial Port", 0), 12);
}

}  // namespace
}  // namespace norda::ombra
