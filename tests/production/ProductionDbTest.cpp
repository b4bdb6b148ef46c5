// The production database on a PostgreSQL server the test starts itself.

#include "production/ProductionDb.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <thread>
#include <vector>

#include "tests/support/PgSuite.h"

namespace norda {
namespace {

// Serials count up, the digit fields stay as they are: enough to see what the database
// does with them.
const NumberRule kCountUp{[](const SeriesNumbers& n) { return n.serial <= 65535; },
                          [](const SeriesNumbers& n) {
                              SeriesNumbers next = n;
                              ++next.serial;
                              return next;
                          }};

class ProductionDbTest : public ::testing::Test, protected test::PgSuite {
  protected:
    static void SetUpTestSuite() { StartCluster(); }
    static void TearDownTestSuite() { StopCluster(); }

    void SetUp() override {
        NewDatabase();
        if (IsSkipped() || HasFatalFailure())
            return;
        db_ = Connect();
        ASSERT_TRUE(db_);
        int before = -1;
        ASSERT_TRUE(db_->Init(before)) << db_->Error();
        EXPECT_EQ(before, 0);
    }

    std::unique_ptr<ProductionDb> Connect() {
        std::string error;
        auto db = ProductionDb::Connect(conninfo_, error);
        EXPECT_TRUE(db) << error;
        return db;
    }

    // Everything the schema holds, as text, to see whether anything changed.
    std::string Dump() {
        std::string error;
        auto pg = PgConnection::Open(conninfo_, error);
        std::string text;
        for (const char* sql :
             {"SELECT table_name, column_name, data_type FROM information_schema.columns "
              "WHERE table_schema = 'public' ORDER BY 1, 2",
              "SELECT indexname FROM pg_indexes WHERE schemaname = 'public' ORDER BY 1",
              "SELECT * FROM norda_schema", "SELECT * FROM series ORDER BY name",
              "SELECT id, serial, station, state FROM reservations ORDER BY id"}) {
            const auto rows = pg->Exec(sql);
            EXPECT_TRUE(rows) << pg->Error();
            for (const auto& row : rows->rows) {
                for (const std::string& cell : row)
                    text += cell + "|";
                text += "\n";
            }
        }
        return text;
    }

    ProductionRecord Record(const Reservation& r) {
        ProductionRecord record;
        record.startedAt = 1765000000;
        record.program = "ombra-cli";
        record.operation = "sequence";
        record.serial = std::to_string(r.numbers.serial);
        record.resultId = 821;
        return record;
    }

    std::unique_ptr<ProductionDb> db_;
};

TEST_F(ProductionDbTest, InitTwiceChangesNothingAndKeepsTheSeries) {
    ASSERT_TRUE(db_->SetSeries({"A", 100, "0099", {}, {}, "7"})) << db_->Error();
    Reservation r;
    ASSERT_EQ(db_->Reserve("A", "bench1", kCountUp, r), ReserveResult::Ok) << db_->Error();
    const std::string before = Dump();
    int found = -1;
    ASSERT_TRUE(db_->Init(found)) << db_->Error();
    EXPECT_EQ(found, ProductionDb::kSchemaVersion);
    EXPECT_EQ(Dump(), before);
    EXPECT_NE(before.find("A|101|0099|||7|"), std::string::npos) << before;
}

// A database that an older program made and used: the upgrade keeps its series, the
// numbers reserved and the records, and a second init finds nothing left to do.
TEST_F(ProductionDbTest, AnOlderSchemaIsBroughtUpKeepingWhatItHeld) {
    NewDatabase();
    db_ = Connect();
    ASSERT_TRUE(db_);
    int before = -1;
    ASSERT_TRUE(db_->Init(before, ProductionDb::kSchemaVersion - 1)) << db_->Error();
    ASSERT_TRUE(db_->SetSeries({"A", 100, "0099", {}, {}, "7"})) << db_->Error();
    Reservation used, held;
    ASSERT_EQ(db_->Reserve("A", "bench1", kCountUp, used), ReserveResult::Ok) << db_->Error();
    ASSERT_TRUE(db_->Complete(used.id, Record(used), "bench1", "A")) << db_->Error();
    ASSERT_EQ(db_->Reserve("A", "bench1", kCountUp, held), ReserveResult::Ok) << db_->Error();
    const std::string old = Dump();

    ASSERT_TRUE(db_->Init(before)) << db_->Error();
    EXPECT_EQ(before, ProductionDb::kSchemaVersion - 1);
    EXPECT_EQ(db_->SchemaVersion(), ProductionDb::kSchemaVersion);
    const std::string upgraded = Dump();
    EXPECT_NE(upgraded.find("production_records_radio"), std::string::npos) << upgraded;
    EXPECT_NE(upgraded.find("A|102|"), std::string::npos) << upgraded;
    const auto records = db_->Records(0, "", std::to_string(used.numbers.serial));
    ASSERT_TRUE(records) << db_->Error();
    EXPECT_EQ(records->size(), 1u);

    ASSERT_TRUE(db_->Init(before)) << db_->Error();
    EXPECT_EQ(before, ProductionDb::kSchemaVersion);
    EXPECT_EQ(Dump(), upgraded);
    EXPECT_NE(old, upgraded);
}

TEST_F(ProductionDbTest, AConnectionGivesUpOnASilentServerUnlessTheUserSaysOtherwise) {
    // The test cluster's string names a time-out; the user's here names none.
    std::string plain, query;
    std::istringstream words(conninfo_);
    for (std::string word; words >> word;) {
        if (word.rfind("connect_timeout=", 0) == 0)
            continue;
        plain += word + " ";
        query += "&" + word;
    }
    std::string error;
    auto pg = PgConnection::Open(plain, error);
    ASSERT_TRUE(pg) << error;
    EXPECT_EQ(pg->Option("connect_timeout"), std::to_string(PgConnection::kConnectTimeoutSeconds));
    pg = PgConnection::Open(plain + "connect_timeout=17", error);
    ASSERT_TRUE(pg) << error;
    EXPECT_EQ(pg->Option("connect_timeout"), "17");
    pg = PgConnection::Open("postgresql:///?connect_timeout=19" + query, error);
    ASSERT_TRUE(pg) << error;
    EXPECT_EQ(pg->Option("connect_timeout"), "19");
}

TEST_F(ProductionDbTest, StationsReservingAtOnceNeverShareANumber) {
    ASSERT_TRUE(db_->SetSeries({"A", 1000, {}, {}, {}, {}})) << db_->Error();
    constexpr int kStations = 4;
    constexpr int kRadios = 25;
    std::vector<std::vector<long>> serials(kStations);
    std::vector<std::thread> stations;
    for (int s = 0; s < kStations; ++s) {
        stations.emplace_back([this, s, &serials] {
            auto db = Connect();
            const std::string station = "bench" + std::to_string(s);
            for (int i = 0; i < kRadios && db; ++i) {
                Reservation r;
                if (db->Reserve("A", station, kCountUp, r) != ReserveResult::Ok)
                    break;
                serials[s].push_back(r.numbers.serial);
                // Every other radio fails, so released numbers are handed out again too.
                if (i % 2 == 0)
                    db->Complete(r.id, Record(r), station, "A");
                else
                    db->Release(r.id, Record(r), station, "A");
            }
        });
    }
    for (std::thread& t : stations)
        t.join();
    std::set<long> programmed;
    for (const auto& list : serials)
        ASSERT_EQ(list.size(), static_cast<size_t>(kRadios));
    const std::string dump = Dump();
    // Each programmed radio used its own number; the failed ones gave theirs back.
    std::string error;
    auto pg = PgConnection::Open(conninfo_, error);
    const auto used = pg->Exec(
        "SELECT count(*), count(DISTINCT serial), min(serial), max(serial) FROM reservations "
        "WHERE state = 'used'");
    ASSERT_TRUE(used) << pg->Error();
    EXPECT_EQ(used->rows[0][0], used->rows[0][1]) << dump;
    EXPECT_EQ(used->rows[0][0], std::to_string(kStations * ((kRadios + 1) / 2)));
    const auto records = pg->Exec(
        "SELECT outcome, count(*) FROM production_records GROUP BY 1 "
        "ORDER BY 1");
    ASSERT_TRUE(records) << pg->Error();
    EXPECT_EQ(records->rows, (std::vector<std::vector<std::string>>{
                                 {"failed", std::to_string(kStations * (kRadios / 2))},
                                 {"programmed", std::to_string(kStations * ((kRadios + 1) / 2))}}));
    // No number was skipped: the used ones and the released ones are dense from 1000.
    const auto all = pg->Exec("SELECT min(serial), max(serial), count(*) FROM reservations");
    EXPECT_EQ(all->rows[0][0], "1000");
    EXPECT_EQ(std::stol(all->rows[0][1]) - 1000 + 1, std::stol(all->rows[0][2])) << dump;
}

TEST_F(ProductionDbTest, ReleasedNumbersGoToTheNextRadioLowestFirst) {
    ASSERT_TRUE(db_->SetSeries({"A", 10, "500", {}, {}, {}})) << db_->Error();
    Reservation a, b, c;
    ASSERT_EQ(db_->Reserve("A", "s1", kCountUp, a), ReserveResult::Ok);
    ASSERT_EQ(db_->Reserve("A", "s1", kCountUp, b), ReserveResult::Ok);
    ASSERT_EQ(db_->Reserve("A", "s2", kCountUp, c), ReserveResult::Ok);
    ASSERT_TRUE(db_->Release(b.id, Record(b), "s1", "A"));
    // A station gone in the middle of a radio: its numbers come back at its next start.
    EXPECT_EQ(db_->ReleaseStation("s1"), 1);
    Reservation next;
    ASSERT_EQ(db_->Reserve("A", "s2", kCountUp, next), ReserveResult::Ok);
    EXPECT_EQ(next.numbers, (SeriesNumbers{10, "500", "", ""}));
    ASSERT_EQ(db_->Reserve("A", "s2", kCountUp, next), ReserveResult::Ok);
    EXPECT_EQ(next.numbers.serial, 11);
    ASSERT_EQ(db_->Reserve("A", "s2", kCountUp, next), ReserveResult::Ok);
    EXPECT_EQ(next.numbers.serial, 13);
    // A station whose numbers were released behind its back cannot call them used.
    EXPECT_FALSE(db_->Complete(a.id, Record(a), "s1", "A"));
    EXPECT_NE(db_->Error().find("no longer held"), std::string::npos) << db_->Error();

    ASSERT_TRUE(db_->SetSeries({"B", 65535, {}, {}, {}, {}}));
    ASSERT_EQ(db_->Reserve("B", "s1", kCountUp, next), ReserveResult::Ok);
    EXPECT_EQ(db_->Reserve("B", "s1", kCountUp, next), ReserveResult::Exhausted);
    EXPECT_EQ(db_->Reserve("C", "s1", kCountUp, next), ReserveResult::NoSeries);
}

}  // namespace
}  // namespace norda
