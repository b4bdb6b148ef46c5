#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "ombra/cli/CliConfig.h"
#include "ombra/cli/CliOptions.h"

namespace norda::ombra {
namespace {

int Parse(std::vector<std::string> args, CliOptions& o) {
    std::string error;
    return ParseCliOptions(args, o, error);
}

TEST(CliOptions, EachCommandTakesItsOwnOptionsAndFiles) {
    CliOptions o;
    ASSERT_EQ(Parse({"read", "--port", "4", "--baud", "115200", "--test", "--image", "i.bin",
                     "--trace", "t.txt", "out.omb"},
                    o),
              0);
    EXPECT_EQ(o.command, CliCommand::Read);
    EXPECT_EQ(o.port, 4);
    EXPECT_EQ(o.baud, 115200);
    EXPECT_TRUE(o.test);
    EXPECT_EQ(o.imageFile, "i.bin");
    EXPECT_EQ(o.traceFile, "t.txt");
    EXPECT_EQ(o.files, std::vector<std::string>{"out.omb"});

    ASSERT_EQ(Parse({"copy", "in.omb"}, o), 0);
    EXPECT_EQ(o.port, 0) << "the INI decides";
    EXPECT_EQ(o.baud, 9600);
    ASSERT_EQ(Parse({"decode", "--test", "eprom.dbg", "out.omb"}, o), 0);
    EXPECT_EQ(o.files.size(), 2u);
    ASSERT_EQ(Parse({"production", "series", "S", "--serial", "5", "--ani", "7", "--db", "h"}, o),
              0);
    EXPECT_EQ(o.production, ProductionAction::Series);
    EXPECT_EQ(o.files, std::vector<std::string>{"S"});
    EXPECT_EQ(o.serial, "5");
    EXPECT_EQ(o.ack, std::nullopt);
    EXPECT_EQ(o.database, "h");

    for (std::vector<std::string> bad : std::vector<std::vector<std::string>>{
             {},
             {"write", "x.omb"},
             {"read"},
             {"read", "a.omb", "b.omb"},
             {"copy", "--test", "in.omb"},
             {"copy", "--image", "i.bin", "in.omb"},
             {"decode", "--port", "1", "a", "b"},
             {"read", "--port", "0", "a.omb"},
             {"read", "--port", "x", "a.omb"},
             {"read", "--baud", "200", "a.omb"},
             {"read", "a.omb", "--trace"},
             {"production"},
             {"production", "drop"},
             {"production", "init", "x"},
             {"production", "init", "--series", "S"},
             {"production", "series", "S"},
             {"production", "release"},
             {"copy", "--db", "h", "in.omb"},
             // A series gives the numbers; one given as well would be ignored or collide.
             {"sequence", "--series", "S", "--serial", "5", "in.omb"},
             {"sequence", "--series", "S", "--state", "next.ini", "in.omb"},
         }) {
        EXPECT_EQ(Parse(bad, o), kExitUsage) << (bad.empty() ? "" : bad[0]);
    }
}

TEST(CliConfig, TakesOmbrasIniSettings) {
    const auto path = std::filesystem::temp_directory_path() / "ombra_cli_config.INI";
    {
        std::ofstream ini(path);
        ini << "[Communication]\r\nSerial Port=7\r\nPause After Ack=20\r\n[Clone "
               "Constants]\r\nTUNETIM=300\r\n"
               "ZCC_EEA=9\r\n[Shift Frequencies]\r\n4.6=\r\n-4.6=\r\n10.0125=\r\n";
    }
    const CliConfig config = ReadCliConfig(path.string());
    std::filesystem::remove(path);
    EXPECT_EQ(config.countryCode, 90);
    EXPECT_EQ(config.serialPort, 7);
    EXPECT_EQ(config.pauseAfterAckMs, 20u);
    EXPECT_EQ(config.cloneConstants.TUNETIM, 44) << "kept modulo 256";
    EXPECT_EQ(config.cloneConstants.ZCC_EEA, 9);
    EXPECT_EQ(config.cloneConstants.PSMTIM, 100);
    EXPECT_EQ(config.shiftFrequencies, (std::vector<int32_t>{4600000, -4600000, 10012500}));

    const CliConfig none = ReadCliConfig("/nonexistent/ombra.INI");
    EXPECT_EQ(none.serialPort, 1);
    EXPECT_FALSE(none.pauseAfterAckMs);
    EXPECT_TRUE(none.shiftFrequencies.empty());

    // The INI installed beside the programs spells out the same defaults: a typo there
    // would go into every radio written.
    const CliConfig shipped = ReadCliConfig(NORDA_DIST_DIR "/ombra.INI");
    EXPECT_EQ(shipped.countryCode, none.countryCode);
    EXPECT_EQ(shipped.serialPort, none.serialPort);
    EXPECT_EQ(shipped.pauseAfterAckMs, none.pauseAfterAckMs);
    EXPECT_EQ(
        std::memcmp(&shipped.cloneConstants, &none.cloneConstants, sizeof none.cloneConstants), 0);
    EXPECT_NE(shipped.cloneConstants.PSMTIM, 0) << "the file was read";
}

}  // namespace
}  // namespace norda::ombra
