#include "solvi/core/ProductionTally.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <sstream>

#include "SRecordTestUtil.h"
#include "resources/StringTable.h"
#include "solvi/core/FlashSession.h"

namespace norda::solvi {
namespace {

using S = FlashSession;

// Feeds a panel's statuses, 100 ms apart, and keeps what ended a run.
std::vector<ProgrammingOutcome> Watch(const std::vector<int>& statuses) {
    ProgrammingWatch watch(7);
    std::vector<ProgrammingOutcome> runs;
    uint32_t tick = 5000;
    for (int id : statuses) {
        tick += 100;
        if (auto run = watch.OnStatus({id, 0x4006, "OLD 1.00", "NEW 2.00", tick, 1700000000}))
            runs.push_back(*run);
    }
    return runs;
}

TEST(ProgrammingWatch, OnlyWhatWasWrittenIsARun) {
    // Identification again and again, a search, a read failure while idle: no run.
    EXPECT_TRUE(Watch({0, S::kTextDifferentSoftware, S::kTextSameSoftware, S::kTextSearching,
                       S::kTextNoReadReply, S::kTextSameSoftware})
                    .empty());

    const auto runs =
        Watch({S::kTextDifferentSoftware, S::kTextErasing, S::kTextWriting, S::kTextRestarting,
               S::kTextProgrammed, S::kTextSameSoftware, S::kTextErasing, S::kTextWriting,
               S::kTextVerifying, S::kTextVerifyFailed, S::kTextSearching});
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_TRUE(runs[0].ok);
    EXPECT_EQ(runs[0].port, 7);
    EXPECT_EQ(runs[0].softwareBefore, "OLD 1.00");
    EXPECT_EQ(runs[0].softwareAfter, "NEW 2.00");
    EXPECT_EQ(runs[0].statusId, S::kTextProgrammed);
    EXPECT_EQ(runs[0].durationMs, 300u);
    EXPECT_EQ(runs[0].startedAt, 1700000000);
    // A failed run says nothing about what the flash holds now.
    EXPECT_FALSE(runs[1].ok);
    EXPECT_EQ(runs[1].softwareAfter, "");
    EXPECT_EQ(runs[1].statusId, S::kTextVerifyFailed);
    EXPECT_EQ(runs[1].statusAddress, 0x4006u);
}

TEST(ProductionTally, CountsEveryRunAndLogsTheReportAsShown) {
    test::TempDir dir;
    const std::string path = dir.File("log/production.csv").string();
    ProductionTally tally(path);
    ProgrammingOutcome failed;
    failed.port = 3;
    failed.softwareBefore = "OLD, 1.00";
    failed.statusId = S::kTextVerifyFailed;
    failed.statusAddress = 0x4006;
    failed.durationMs = 12345;
    ProgrammingOutcome noAnswer = failed;
    noAnswer.statusId = S::kTextNoAnswer;
    ProgrammingOutcome ok = failed;
    ok.ok = true;
    ok.softwareAfter = "NEW 2.00";
    ok.statusId = S::kTextProgrammed;
    for (const auto* run : {&failed, &noAnswer, &ok})
        EXPECT_EQ(tally.Record(*run, SolviTurkishStrings()), 0);
    EXPECT_EQ(tally.Programmed(), 1);
    EXPECT_EQ(tally.Failed(), 2);

    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string suffix =
        ",3,flash,,,,,\"OLD, 1.00\",,3101,"
        "Doğrulama hatası: 0x04006 adresi dosyayla aynı değil.,12.3\r\n";
    EXPECT_NE(text.str().find(suffix), std::string::npos) << text.str();
    // The two-line report stays on its record's line.
    EXPECT_NE(text.str().find(",808,Cihazdan yanıt alınamadı. Lütfen kabloları kontrol edin.,"),
              std::string::npos);
    EXPECT_NE(text.str().find(",NEW 2.00,811,Cihaz programlandı.,12.3\r\n"), std::string::npos);

    // Where nothing can be written the run still counts.
    ProductionTally nowhere(path + "/below-a-file.csv");
    EXPECT_EQ(nowhere.Record(ok, SolviTurkishStrings()), ENOTDIR);
    EXPECT_EQ(nowhere.Programmed(), 1);
}

}  // namespace
}  // namespace norda::solvi
