#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ProductionLog.h"
#include "production/PgConnection.h"
#include "production/ProductionSpool.h"

namespace norda {

// The numbers one radio of a series is given.
struct SeriesNumbers {
    long serial = 0;
    std::string ani;
    std::string ack;
    std::string selectiveCall;

    bool operator==(const SeriesNumbers&) const = default;
};

// A series as the database holds it: the numbers the next new radio gets.
struct Series {
    std::string name;
    SeriesNumbers next;
    std::string cloneKey;
    std::string templateName;
    std::string templateChecksum;
};

// What `production series` changes; a field left empty keeps its value.
struct SeriesChange {
    std::string name;
    long serial = 0;
    std::optional<std::string> ani, ack, selectiveCall, cloneKey;
};

// How a program counts its numbers: whether a radio may be given `numbers`, and the
// numbers of the radio after it. The database knows no digit rules of its own.
struct NumberRule {
    std::function<bool(const SeriesNumbers&)> fits;
    std::function<SeriesNumbers(const SeriesNumbers&)> next;
};

struct Reservation {
    long id = 0;
    SeriesNumbers numbers;
    std::string cloneKey;
};

// A record as the database keeps it.
struct StoredRecord {
    ProductionRecord record;
    std::string station;
    std::string series;
    std::string outcome;
};

enum class ReserveResult { Ok, NoSeries, Exhausted, Failed };

// The production database of a line of stations: series of numbers, the numbers reserved
// for the radio on each station's bench, and the record of every radio. Every change is
// one transaction, so two stations never hold the same numbers and a record is never
// half written.
class ProductionDb {
  public:
    static constexpr int kSchemaVersion = 2;

    // Empty when the server cannot be reached, with libpq's reason in `error`.
    static std::unique_ptr<ProductionDb> Connect(const std::string& conninfo, std::string& error);

    // Creates the tables or brings them to kSchemaVersion (a test may ask for an older
    // `target`, to have a database as an older program left it); `before` is the version
    // found (0: none). A database already current is left as it is.
    bool Init(int& before, int target = kSchemaVersion);
    // The schema version found, 0 without one; -1 when it cannot be read.
    int SchemaVersion();

    bool SetSeries(const SeriesChange& change);
    // The series is programmed from the template file `name` holding `bytes`: the name
    // and the SHA-256 of the bytes, in hexadecimal as sha256sum prints it, are kept.
    bool UseTemplate(const std::string& series, const std::string& name, const std::string& bytes);
    std::optional<Series> FindSeries(const std::string& name);

    // The numbers for the radio on `station`'s bench: the lowest released ones of the
    // series, else the series' next ones, which then move on by `rule`.
    ReserveResult Reserve(const std::string& series, const std::string& station,
                          const NumberRule& rule, Reservation& out);
    // The radio was programmed: its numbers are used and its record kept, together.
    bool Complete(long reservation, const ProductionRecord& record, const std::string& station,
                  const std::string& series);
    // The radio failed: its numbers go back for the next radio, and its record is kept.
    bool Release(long reservation, const ProductionRecord& record, const std::string& station,
                 const std::string& series);
    // Every number `station` still holds goes back; how many, or -1 on failure.
    long ReleaseStation(const std::string& station);
    // A spooled record: it completes its reservation, or is a record without numbers.
    bool Resend(const SpooledRecord& entry);
    // A record without numbers (a copy, a flash).
    bool AddRecord(const ProductionRecord& record, const std::string& station,
                   const std::string& series, const std::string& outcome);

    // The records from `since` (seconds since the epoch) on, in the order they were made;
    // an empty `series` or `serial` takes any.
    std::optional<std::vector<StoredRecord>> Records(int64_t since, const std::string& series,
                                                     const std::string& serial);

    const std::string& Error() const { return db_->Error(); }

  private:
    explicit ProductionDb(std::unique_ptr<PgConnection> db) : db_(std::move(db)) {}
    bool InsertRecord(const ProductionRecord& record, const std::string& station,
                      const std::string& series, const std::string& outcome);
    bool Finish(long reservation, const char* state, const ProductionRecord& record,
                const std::string& station, const std::string& series, const char* outcome);

    std::unique_ptr<PgConnection> db_;
};

}  // namespace norda
