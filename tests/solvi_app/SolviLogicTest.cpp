#include <gtest/gtest.h>

#include "resources/ResourceModule.h"
#include "resources/SolviResources.h"
#include "solvi/app/CommandLine.h"
#include "solvi/app/SolviLayout.h"
#include "solvi/app/TCGauge.h"

namespace norda::solvi {
namespace {

PortFlags Open(std::initializer_list<int> ports) {
    PortFlags flags{};
    for (int p : ports)
        flags[p] = true;
    return flags;
}

TEST(SolviLayout, OnePanelWithTheVersionPanelUnderIt) {
    PanelLayout l = ComputeLayout(Open({7}), 1024, 768);
    ASSERT_EQ(l.panels.size(), 1u);
    EXPECT_EQ(l.panels[0].port, 7);
    EXPECT_EQ(l.panels[0].rect.x, 0);
    EXPECT_EQ(l.panels[0].rect.y, 0);
    EXPECT_EQ(l.panels[0].rect.w, 317);
    EXPECT_EQ(l.panels[0].rect.h, 48);
    EXPECT_TRUE(l.singlePortLayout);
    EXPECT_EQ(l.singlePort, 7);
    EXPECT_EQ(l.versionPanel.y, 48);
    EXPECT_EQ(l.versionPanel.w, 317);
    EXPECT_EQ(l.versionPanel.h, 160);
    EXPECT_EQ(l.frame.w, 323);
    EXPECT_EQ(l.frame.h, 48 + 160 + 44);
    EXPECT_EQ(l.frame.x, (1024 - 323) / 2);
    EXPECT_EQ(l.frame.y, (768 - 480) / 2);
    EXPECT_EQ(l.ClientWidth(), 317);
    EXPECT_EQ(l.ClientHeight(), 208);
}

TEST(SolviLayout, SeveralPanelsFillTwoColumnsRowByRow) {
    PanelLayout l = ComputeLayout(Open({2, 5, 16}), 1024, 768);
    ASSERT_EQ(l.panels.size(), 3u);
    EXPECT_FALSE(l.singlePortLayout);
    EXPECT_EQ(l.singlePort, 16);
    EXPECT_EQ(l.panels[1].port, 5);
    EXPECT_EQ(l.panels[1].rect.x, 317);
    EXPECT_EQ(l.panels[1].rect.y, 0);
    EXPECT_EQ(l.panels[2].rect.x, 0);
    EXPECT_EQ(l.panels[2].rect.y, 48);
    EXPECT_EQ(l.frame.w, 640);
    EXPECT_EQ(l.frame.h, 2 * 48 + 44);

    PanelLayout all =
        ComputeLayout(Open({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}), 800, 600);
    EXPECT_EQ(all.frame.h, 8 * 48 + 44);
    EXPECT_EQ(all.panels[15].rect.x, 317);
    EXPECT_EQ(all.panels[15].rect.y, 7 * 48);

    PanelLayout none = ComputeLayout(Open({}), 800, 600);
    EXPECT_EQ(none.frame.w, 323);
    EXPECT_EQ(none.frame.h, 44);
    EXPECT_FALSE(none.singlePortLayout);
    // Odd screen numbers are halved toward zero.
    EXPECT_EQ(ComputeLayout(Open({1, 2}), 641, 481).frame.x, 0);
}

TEST(SolviLayout, TitlesOfTheFourSituations) {
    EXPECT_EQ(FrameTitle("SOLVI", true, true, 3, "RADIO", "ABC 5.01 N 07.03.2002"),
              "SOLVI - Com3 - RADIO");
    EXPECT_EQ(FrameTitle("SOLVI", true, false, 3, "RADIO", "ABC 5.01 N 07.03.2002"),
              "SOLVI - RADIO - ABC 5.01 N 07.03.2002");
    EXPECT_EQ(FrameTitle("SOLVI", false, true, 3, "", ""), "SOLVI - Com3");
    EXPECT_EQ(FrameTitle("SOLVI", false, false, 3, "", ""), "SOLVI");
}

TEST(SolviCommandLine, AutoNeedsExactlyFourArgumentsAndTheExactSwitch) {
    CommandLine line = ParseCommandLine({"-auto", "3", "19200", "/x/y.hex"});
    EXPECT_TRUE(line.autoMode);
    EXPECT_EQ(line.autoPort, 3);
    EXPECT_EQ(line.autoBaud, 19200);
    EXPECT_EQ(line.pendingFile, "/x/y.hex");

    EXPECT_FALSE(ParseCommandLine({"-AUTO", "3", "19200", "a.hex"}).autoMode);
    // Unattended, a short command line ends with the usage, never in a window.
    EXPECT_EQ(ParseCommandLine({"-auto", "3", "19200"}).request, CommandLine::Request::Misuse);
    EXPECT_EQ(ParseCommandLine({"file.hex"}).pendingFile, "file.hex");
    EXPECT_FALSE(ParseCommandLine({"file.hex"}).autoMode);
    EXPECT_TRUE(ParseCommandLine({"a", "b"}).pendingFile.empty());
    EXPECT_FALSE(line.verify);
    const CommandLine verify = ParseCommandLine({"-auto", "3", "19200", "/x/y.hex", "-verify"});
    EXPECT_TRUE(verify.autoMode);
    EXPECT_TRUE(verify.verify);
    EXPECT_EQ(verify.pendingFile, "/x/y.hex");
    EXPECT_EQ(ParseCommandLine({"-auto", "3", "19200", "/x/y.hex", "-v"}).request,
              CommandLine::Request::Misuse);

    // Numbers as a decimal conversion reads them: a port that is no number is port 0.
    EXPECT_EQ(ParseCommandLine({"-auto", "com3", "9600", "a"}).autoPort, 0);
    EXPECT_EQ(DecimalValue(" 12ab"), 12);
    EXPECT_EQ(DecimalValue("-7"), -7);
    EXPECT_EQ(DecimalValue("99999999999"), 2147483647);
    EXPECT_EQ(DecimalValue(""), 0);
}

TEST(SolviCommandLine, OptionsBeginWithTwoDashesAndLeaveTheOldFormsAlone) {
    using R = CommandLine::Request;
    EXPECT_EQ(ParseCommandLine({"--help"}).request, R::Help);
    EXPECT_EQ(ParseCommandLine({"-h"}).request, R::Help);
    EXPECT_EQ(ParseCommandLine({"--version"}).request, R::Version);
    EXPECT_EQ(ParseCommandLine({"--verbose", "a.hex"}).request, R::Misuse);
    EXPECT_EQ(ParseCommandLine({"a.hex", "--log"}).request, R::Misuse);
    EXPECT_EQ(ParseCommandLine({"--log=", "a.hex"}).request, R::Misuse);

    // "--log" may stand anywhere; what is left is read as before.
    CommandLine line = ParseCommandLine({"-auto", "--log", "/l/p.csv", "3", "19200", "y.hex"});
    EXPECT_EQ(line.request, R::Run);
    EXPECT_TRUE(line.autoMode);
    EXPECT_EQ(line.autoPort, 3);
    EXPECT_EQ(line.pendingFile, "y.hex");
    EXPECT_EQ(line.logPath, "/l/p.csv");
    EXPECT_EQ(ParseCommandLine({"--log=x.csv", "a.hex"}).pendingFile, "a.hex");
    EXPECT_EQ(ParseCommandLine({"--log=x.csv", "a.hex"}).logPath, "x.csv");
    // Single-dash words other than "-h" are still arguments, and "--" ends the options.
    EXPECT_EQ(ParseCommandLine({"-x.hex"}).pendingFile, "-x.hex");
    EXPECT_EQ(ParseCommandLine({"--", "--help"}).pendingFile, "--help");
    EXPECT_EQ(ParseCommandLine({"--", "--help"}).request, R::Run);
}

TEST(SolviLanguage, LibraryNameFromTheSixCharacterBase) {
    EXPECT_EQ(SolviLanguageBaseName("SOLVI"), "SOLVI0");
    EXPECT_EQ(SolviLanguageBaseName("PROGRAMMER"), "PROGRA");
    EXPECT_EQ(SolviLanguageLibraryName("SOLVI", 9), "SOLVI009.DLL");
    EXPECT_EQ(SolviLanguageLibraryName("SOLVI", 0x5A), "SOLVI05A.DLL");
}

TEST(SolviResources, BuiltInModuleHasEveryTextMenuAndDialogTheProgramUses) {
    auto module = ResourceModule::BuiltIn(SolviBuiltinResources());
    for (int id : {602,  606,  616,  625,  634,  807,  808,  811,  1002, 1004, 1005,
                   1006, 1007, 1008, 1009, 1010, 1011, 1012, 1013, 1014, 3100, 3101,
                   3102, 3110, 3200, 3201, 3209, 3216, 3217, 3220, 3221, 3400, 3401})
        EXPECT_FALSE(module->Text(id).empty()) << id;
    EXPECT_EQ(module->Text(1011), "Programlayıcı meşgul!");
    EXPECT_EQ(module->Text(0), "");
    ASSERT_NE(module->Menu(100), nullptr);
    for (int id : {1, 2, 3, 104, 106, 22000})
        EXPECT_NE(module->Dialog(id), nullptr) << id;

    // Every command of the menu, once.
    std::vector<int> commands;
    for (const MenuEntry& e : module->Menu(100)->entries)
        if (e.kind == MenuEntryKind::Item)
            commands.push_back(e.id);
    std::vector<int> expected = {24332, 2009, 24310, 417, 418, 3110, 419, 551, 3200};
    for (int port = 401; port <= 416; ++port)
        expected.push_back(port);
    std::sort(commands.begin(), commands.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(commands, expected);
}

TEST(SolviGauge, FormatShowsThePercentSignAndNothingElseIsRead) {
    EXPECT_EQ(TCGauge::FormatValue("%%%d", 45), "%45");
    EXPECT_EQ(TCGauge::FormatValue("%d %%", 100), "100 %");
    // Conversions other than %d are shown as written, never read as arguments.
    EXPECT_EQ(TCGauge::FormatValue("%s%n%d", 3), "%s%n3");
    EXPECT_EQ(TCGauge::FormatValue("%", 3), "%");
}

}  // namespace
}  // namespace norda::solvi
