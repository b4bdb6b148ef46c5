#include "production/ProductionSpool.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace norda {
namespace {

namespace fs = std::filesystem;

SpooledRecord Entry(long reservation, const std::string& station) {
    SpooledRecord e;
    e.reservation = reservation;
    e.programmed = true;
    e.series = "S";
    e.station = station;
    e.record.startedAt = 1765000000;
    e.record.program = "ombra-cli";
    e.record.serial = std::to_string(reservation);
    e.record.resultId = 821;
    // Whatever a message holds comes back as it was.
    e.record.result = "tab\there\\ and\r\nnext line";
    e.record.durationMs = 4321;
    return e;
}

TEST(ProductionSpool, EachStationSendsItsOwnInOrderAndKeepsWhatWasRefused) {
    char pattern[] = "/tmp/norda_spool_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const fs::path dir = pattern;
    const ProductionSpool spool(ProductionSpool::PathBeside((dir / "production.csv").string()));
    EXPECT_EQ(spool.Path(), (dir / "production-spool.tsv").string());
    EXPECT_EQ(spool.Send("a", [](const SpooledRecord&) { return true; }), 0) << "no file yet";
    for (const auto& [id, station] :
         {std::pair{1L, "a"}, std::pair{2L, "b"}, std::pair{3L, "a"}, std::pair{4L, "a"}})
        ASSERT_EQ(spool.Add(Entry(id, station)), 0);

    // The server takes the first record, then goes away: the rest of "a" and all of "b" stay.
    std::vector<long> sent;
    EXPECT_EQ(spool.Send("a",
                         [&](const SpooledRecord& e) {
                             EXPECT_EQ(ProductionSpool::Line(e),
                                       ProductionSpool::Line(Entry(e.reservation, "a")));
                             sent.push_back(e.reservation);
                             return sent.size() < 2;
                         }),
              2);
    EXPECT_EQ(sent, (std::vector<long>{1, 3}));

    sent.clear();
    EXPECT_EQ(spool.Send("a",
                         [&](const SpooledRecord& e) {
                             sent.push_back(e.reservation);
                             return true;
                         }),
              0);
    EXPECT_EQ(sent, (std::vector<long>{3, 4}));
    std::ifstream in(spool.Path());
    const std::string left((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(left, ProductionSpool::Line(Entry(2, "b")));
    fs::remove_all(dir);
}

}  // namespace
}  // namespace norda
