#include <gtest/gtest.h>

#include "ombra/app/CommandRules.h"
#include "resources/ResourceModule.h"

namespace norda::ombra {
namespace {

CommandContext Idle() {
    CommandContext c;
    c.portOpen = true;
    c.currentPage = 1;
    c.restrictedPages = false;
    c.writePrecondition = true;
    return c;
}

TEST(CommandRules, ProgramModeOnlyWithTestSwitch) {
    CommandContext c = Idle();
    EXPECT_FALSE(IsCommandEnabled(cmd::kProgMode, c));
    c.testSwitch = true;
    EXPECT_TRUE(IsCommandEnabled(cmd::kProgMode, c));
    c.reading = true;
    EXPECT_FALSE(IsCommandEnabled(cmd::kProgMode, c));
}

TEST(CommandRules, RadioCommandsNeedOpenPortIdleAndNormalMode) {
    for (int id : {cmd::kRead, cmd::kWrite, cmd::kCopy}) {
        CommandContext c = Idle();
        EXPECT_TRUE(IsCommandEnabled(id, c)) << id;
        c.portOpen = false;
        EXPECT_FALSE(IsCommandEnabled(id, c)) << id;
        c = Idle();
        c.writing = true;
        EXPECT_FALSE(IsCommandEnabled(id, c)) << id;
        c = Idle();
        c.testMode = true;
        EXPECT_FALSE(IsCommandEnabled(id, c)) << id;
    }
    CommandContext c = Idle();
    c.writePrecondition = false;
    EXPECT_FALSE(IsCommandEnabled(cmd::kWrite, c));
    EXPECT_TRUE(IsCommandEnabled(cmd::kCopy, c));
    // Sequential programming ignores test mode but not the port.
    c.testMode = true;
    EXPECT_TRUE(IsCommandEnabled(cmd::kSequential, c));
    c.portOpen = false;
    EXPECT_FALSE(IsCommandEnabled(cmd::kSequential, c));
}

TEST(CommandRules, PagesNeedLoadedData) {
    CommandContext c = Idle();
    c.currentPage = kPageNone;
    for (int id : {cmd::kClonePage, 507, 516, cmd::kKsysPage, cmd::kADataPage, cmd::kSave,
                   cmd::kSaveAs, cmd::kNextPage, cmd::kMasterPage})
        EXPECT_FALSE(IsCommandEnabled(id, c)) << id;
    c.currentPage = kPageNoneShown;
    EXPECT_TRUE(IsCommandEnabled(cmd::kClonePage, c));
    EXPECT_FALSE(IsCommandEnabled(cmd::kNextPage, c));
    EXPECT_TRUE(IsCommandEnabled(cmd::kAbout, c));
    EXPECT_TRUE(IsCommandEnabled(cmd::kCommStatus, c));
}

TEST(CommandRules, FixedPagesHiddenWhileRestrictedUnlessTesting) {
    CommandContext c = Idle();
    c.restrictedPages = true;
    EXPECT_FALSE(IsCommandEnabled(cmd::kMasterPage, c));
    EXPECT_FALSE(IsCommandEnabled(cmd::kServicePage, c));
    EXPECT_TRUE(IsCommandEnabled(cmd::kClonePage, c));
    c.testSwitch = true;
    EXPECT_TRUE(IsCommandEnabled(cmd::kMasterPage, c));
    c.testMode = true;
    EXPECT_FALSE(IsCommandEnabled(cmd::kMasterPage, c));
}

TEST(PageNavigation, WrapsWithinTheRange) {
    EXPECT_EQ(NextPage(15, true), 3);
    EXPECT_EQ(PreviousPage(3, true), 15);
    EXPECT_EQ(NextPage(15, false), 1);
    EXPECT_EQ(PreviousPage(1, false), 15);
    EXPECT_EQ(NextPage(7, true), 8);
    EXPECT_EQ(PageForCommand(511), 8);
    EXPECT_EQ(FindPage(8)->firstChannel, 41);
    EXPECT_EQ(FindPage(8)->kind, FindPage(9)->kind);
}

TEST(FrameCaption, FollowsTheDocumentState) {
    auto tr = ResourceModule::BuiltIn(OmbraBuiltinResources());
    const std::string title = "OMBRA 4.0 ";
    EXPECT_EQ(FrameCaption(*tr, title, DocumentState::Empty, "x"), "OMBRA 4.0 ");
    EXPECT_EQ(FrameCaption(*tr, title, DocumentState::NewFile, ""), "OMBRA 4.0  - Yeni kütük");
    EXPECT_EQ(FrameCaption(*tr, title, DocumentState::RadioData, ""),
              "OMBRA 4.0  - Telsiz bilgileri");
    EXPECT_EQ(FrameCaption(*tr, title, DocumentState::OpenedFile, "/tmp/a.omb"),
              "OMBRA 4.0  - /tmp/a.omb");
}

TEST(CommunicationStatus, StateAndLinkTexts) {
    auto tr = ResourceModule::BuiltIn(OmbraBuiltinResources());
    EXPECT_EQ(CommunicationStatusText(*tr, 1, 1, false),
              "Seri Çıkış : 1 \nDurum : HAZIR \nBağlantı : YOK");
    EXPECT_EQ(CommunicationStatusText(*tr, 3, 8, true),
              "Seri Çıkış : 3 \nDurum : SERVİS YOK \nBağlantı : VAR");
    EXPECT_NE(CommunicationStatusText(*tr, 3, 9, true).find("HATA! Lütfen"), std::string::npos);
    EXPECT_NE(CommunicationStatusText(*tr, 3, 0, true).find("HATA! Lütfen"), std::string::npos);
}

TEST(FormatText, RefusesFormatsThatDoNotFitTheArguments) {
    EXPECT_EQ(FormatText("%s dil dosyası yüklenemedi!", "OMBRA0009.DLL"),
              "OMBRA0009.DLL dil dosyası yüklenemedi!");
    EXPECT_EQ(FormatText("%s %s", "a"), "%s %s");
    EXPECT_EQ(FormatText("%d", "a"), "%d");
    EXPECT_EQ(FormatText("100%% %s", "a"), "100% a");
    EXPECT_TRUE(ConversionsAre("Seri : %d \n%s %-3s", {"d", "s", "s"}));
    EXPECT_TRUE(ConversionsAre("Değer %ld ile %ld", {"ld", "ld"}));
    EXPECT_FALSE(ConversionsAre("Değer %d ile %ld", {"ld", "ld"}));
    EXPECT_FALSE(ConversionsAre("%n", {"s"}));
}

}  // namespace
}  // namespace norda::ombra
