#include "solvi/core/ProductionTally.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>

#include "SRecordTestUtil.h"
#include "production/ProductionSpool.h"
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
        EXPECT_EQ(tally.Record(*run, SolviTurkishStrings()).status, Status::Ok);
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
    EXPECT_EQ(nowhere.Record(ok, SolviTurkishStrings()).reason, std::strerror(ENOTDIR));
    EXPECT_EQ(nowhere.Programmed(), 1);
}

// A server that takes the connection and never says a word, as one behind a dead route
// or a hung host does.
class SilentServer {
  public:
    SilentServer() {
        fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
            listen(fd_, 16) != 0 ||
            getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
            return;
        port_ = ntohs(address.sin_port);
    }
    ~SilentServer() { Close(); }
    // Connections still waiting to be taken are reset.
    void Close() {
        if (fd_ >= 0)
            close(fd_);
        fd_ = -1;
    }
    int Port() const { return port_; }

  private:
    int fd_ = -1;
    int port_ = 0;
};

TEST(ProductionTally, ADatabaseThatDoesNotAnswerHoldsUpNoPanel) {
    SilentServer server;
    ASSERT_NE(server.Port(), 0);
    test::TempDir dir;
    const std::string path = dir.File("production.csv").string();
    std::atomic<int> failures = 0;
    std::string failure;
    {
        ProductionTally tally(path, "host=127.0.0.1 port=" + std::to_string(server.Port()) +
                                        " dbname=line user=bench");
        tally.databaseFailed = [&](const std::string& why) {
            failure = why;
            ++failures;
        };
        ProgrammingOutcome run;
        run.ok = true;
        run.statusId = S::kTextProgrammed;
        const auto start = std::chrono::steady_clock::now();
        for (int port : {3, 4}) {
            run.port = port;
            EXPECT_EQ(tally.Record(run, SolviTurkishStrings()).status, Status::Ok);
        }
        // Far below the connection's time-out, which the writer is still waiting out.
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_EQ(tally.Programmed(), 2);
        EXPECT_EQ(failures, 0);
        std::ifstream log(path);
        std::string line;
        int lines = 0;
        while (std::getline(log, line))
            ++lines;
        EXPECT_EQ(lines, 3) << "the log is written at once, header and two records";
        server.Close();
    }
    // Both records wait in the spool, in the order they came, and the frame heard why.
    EXPECT_GE(failures, 1);
    EXPECT_NE(failure.find("the record waits in"), std::string::npos) << failure;
    std::ifstream spool(ProductionSpool::PathBeside(path));
    std::vector<int> ports;
    for (std::string line; std::getline(spool, line);) {
        SpooledRecord entry;
        ASSERT_TRUE(ProductionSpool::Parse(line, entry)) << line;
        EXPECT_EQ(entry.reservation, 0);
        EXPECT_TRUE(entry.programmed);
        ports.push_back(entry.record.port);
    }
    EXPECT_EQ(ports, (std::vector<int>{3, 4}));
}

}  // namespace
}  // namespace norda::solvi
