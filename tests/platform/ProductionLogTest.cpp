#include "platform/ProductionLog.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>
#include <vector>

namespace norda {
namespace {

namespace fs = std::filesystem;

class ProductionLogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("norda-prodlog-" + std::to_string(getpid()));
        fs::remove_all(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    static std::vector<std::string> Lines(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        std::vector<std::string> lines;
        std::string text = all.str(), line;
        for (size_t at = 0; at < text.size();) {
            const size_t end = text.find("\r\n", at);
            if (end == std::string::npos) {
                lines.push_back(text.substr(at) + "<no CR LF>");
                break;
            }
            lines.push_back(text.substr(at, end - at));
            at = end + 2;
        }
        return lines;
    }

    fs::path dir_;
};

ProductionRecord Flash(int port, int n) {
    ProductionRecord r;
    r.startedAt = 1796724902;
    r.program = "solvi";
    r.host = "bench-7";
    r.port = port;
    r.operation = "flash";
    r.softwareBefore = "NORDA 4.01 T 01.02.2026";
    r.softwareAfter = "NORDA 4.02 T 08.12.2026";
    r.resultId = 811;
    // Long enough that a writer cut in two would show.
    r.result = std::string(400, static_cast<char>('a' + port % 26)) + std::to_string(n);
    r.durationMs = 61234;
    return r;
}

// Sixteen panels and a second program log at once: every record arrives whole, on a
// line of its own, after exactly one header, whoever created the file.
TEST_F(ProductionLogTest, WritersAtOnceLeaveWholeRecordsAndOneHeader) {
    const fs::path file = dir_ / "sub" / "production.csv";
    constexpr int kWriters = 16;
    constexpr int kRecords = 40;
    std::vector<std::thread> writers;
    for (int port = 1; port <= kWriters; ++port) {
        writers.emplace_back([&, port] {
            ProductionLog log(file.string());
            for (int n = 0; n < kRecords; ++n)
                EXPECT_EQ(log.Append(Flash(port, n)).status, Status::Ok);
        });
    }
    for (std::thread& t : writers)
        t.join();

    const std::vector<std::string> lines = Lines(file);
    ASSERT_EQ(lines.size(), 1u + kWriters * kRecords);
    EXPECT_EQ(lines[0], ProductionLog::kHeader);
    std::map<std::string, int> expected;
    for (int port = 1; port <= kWriters; ++port)
        for (int n = 0; n < kRecords; ++n) {
            std::string line = ProductionLog::Line(Flash(port, n));
            ++expected[line.substr(0, line.size() - 2)];
        }
    std::map<std::string, int> seen;
    for (size_t i = 1; i < lines.size(); ++i)
        ++seen[lines[i]];
    EXPECT_EQ(seen, expected);
}

TEST_F(ProductionLogTest, CellsAreQuotedAsRfc4180AndNumbersUseAPoint) {
    setenv("TZ", "<+03>-3", 1);
    tzset();
    ProductionRecord r;
    r.startedAt = 1796724902;  // 2026-12-08 10:15:02 UTC
    r.program = "ombra-cli";
    r.host = "tezgah 2";
    r.port = 3;
    r.operation = "sequence";
    r.serial = "24117";
    r.ani = "1001";
    r.resultId = 821;
    r.result = "Telsiz programlandı.\nDevam etmek için \"değiştirin\", lütfen";
    r.durationMs = 9050;
    EXPECT_EQ(ProductionLog::Line(r),
              "2026-12-08T13:15:02+03:00,ombra-cli,tezgah 2,3,sequence,24117,1001,,,,,821,"
              "\"Telsiz programlandı.\nDevam etmek için \"\"değiştirin\"\", lütfen\",9.0\r\n");

    setenv("TZ", "<-0530>5:30", 1);
    tzset();
    EXPECT_EQ(ProductionLog::LocalTimestamp(1796724902), "2026-12-08T04:45:02-05:30");
    unsetenv("TZ");
    tzset();
}

TEST_F(ProductionLogTest, AnUnwritableLogIsReportedNotThrown) {
    fs::create_directories(dir_);
    std::ofstream(dir_ / "plain-file") << "x";
    // A folder that is a file: refused as root too.
    ProductionLog log((dir_ / "plain-file" / "production.csv").string());
    const LogAppend belowAFile = log.Append(Flash(1, 0));
    EXPECT_EQ(belowAFile.status, Status::CannotOpen);
    EXPECT_EQ(belowAFile.reason, std::strerror(ENOTDIR));
    EXPECT_EQ(ProductionLog("").Append(Flash(1, 0)).status, Status::CannotOpen);
}

}  // namespace
}  // namespace norda
