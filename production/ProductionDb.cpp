#include "production/ProductionDb.h"

#include <iterator>
#include <string>
#include <vector>

#include "production/RecordText.h"

namespace norda {
namespace {

// Each entry brings the schema from its index to the next version. Entries are never
// edited once released: a database of any older version is brought up step by step.
const char* const kMigrations[] = {
    R"sql(
CREATE TABLE series (
    name text PRIMARY KEY,
    next_serial bigint NOT NULL,
    next_ani text NOT NULL DEFAULT '',
    next_ack text NOT NULL DEFAULT '',
    next_selcall text NOT NULL DEFAULT '',
    clone_key text NOT NULL DEFAULT '',
    template_name text NOT NULL DEFAULT '',
    template_checksum text NOT NULL DEFAULT '');
CREATE TABLE reservations (
    id bigserial PRIMARY KEY,
    series text NOT NULL REFERENCES series (name) ON UPDATE CASCADE,
    serial bigint NOT NULL,
    ani text NOT NULL,
    ack text NOT NULL,
    selcall text NOT NULL,
    station text NOT NULL,
    state text NOT NULL CHECK (state IN ('reserved', 'used', 'released')),
    changed_at timestamptz NOT NULL DEFAULT now(),
    UNIQUE (series, serial));
CREATE INDEX reservations_released ON reservations (series, serial) WHERE state = 'released';
CREATE INDEX reservations_station ON reservations (station) WHERE state = 'reserved';
CREATE TABLE production_records (
    id bigserial PRIMARY KEY,
    time timestamptz NOT NULL,
    program text NOT NULL,
    host text NOT NULL,
    port integer NOT NULL,
    operation text NOT NULL,
    serial text NOT NULL,
    ani text NOT NULL,
    ack text NOT NULL,
    selcall text NOT NULL,
    software_before text NOT NULL,
    software_after text NOT NULL,
    result_id integer NOT NULL,
    result text NOT NULL,
    duration_ms bigint NOT NULL,
    station text NOT NULL,
    series text NOT NULL,
    outcome text NOT NULL);
CREATE INDEX production_records_time ON production_records (time);
CREATE INDEX production_records_serial ON production_records (series, serial);
)sql",
    // "Which radio got what, when" asks for a radio without its series.
    R"sql(
CREATE INDEX production_records_radio ON production_records (serial, time);
)sql",
};
static_assert(std::size(kMigrations) == ProductionDb::kSchemaVersion);

// Stations initialising at once take turns; the number is this schema's own.
constexpr const char* kInitLock = "SELECT pg_advisory_xact_lock(731904)";

}  // namespace

std::unique_ptr<ProductionDb> ProductionDb::Connect(const std::string& conninfo,
                                                    std::string& error) {
    auto db = PgConnection::Open(conninfo, error);
    if (!db)
        return nullptr;
    return std::unique_ptr<ProductionDb>(new ProductionDb(std::move(db)));
}

int ProductionDb::SchemaVersion() {
    const auto table = db_->Exec("SELECT to_regclass('norda_schema') IS NOT NULL");
    if (!table)
        return -1;
    if (table->rows.at(0).at(0) != "t")
        return 0;
    const auto version = db_->Exec("SELECT version FROM norda_schema");
    if (!version)
        return -1;
    return version->rows.empty() ? 0 : std::stoi(version->rows[0][0]);
}

bool ProductionDb::Init(int& before, int target) {
    PgTransaction tx(*db_);
    if (!tx.Begun() || !db_->Run(kInitLock))
        return false;
    before = SchemaVersion();
    if (before < 0)
        return false;
    if (before > kSchemaVersion) {
        // A newer program made this database; an older one must not touch it.
        db_->SetError("schema version " + std::to_string(before) +
                      " is newer than this program's " + std::to_string(kSchemaVersion));
        return false;
    }
    if (before >= target)
        return tx.Commit();
    if (before == 0 &&
        !db_->Run("CREATE TABLE IF NOT EXISTS norda_schema (version integer NOT NULL)"))
        return false;
    for (int v = before; v < target; ++v) {
        if (!db_->Run(kMigrations[v]))
            return false;
    }
    if (!db_->Run("DELETE FROM norda_schema") ||
        !db_->Run("INSERT INTO norda_schema (version) VALUES ($1)", {std::to_string(target)}))
        return false;
    return tx.Commit();
}

bool ProductionDb::SetSeries(const SeriesChange& change) {
    PgTransaction tx(*db_);
    if (!tx.Begun())
        return false;
    const auto found = db_->Exec(
        "SELECT next_ani, next_ack, next_selcall, clone_key FROM series "
        "WHERE name = $1 FOR UPDATE",
        {change.name});
    if (!found)
        return false;
    std::vector<std::string> kept =
        found->rows.empty() ? std::vector<std::string>(4) : found->rows[0];
    const std::optional<std::string>* given[] = {&change.ani, &change.ack, &change.selectiveCall,
                                                 &change.cloneKey};
    for (size_t i = 0; i < kept.size(); ++i) {
        if (*given[i])
            kept[i] = **given[i];
    }
    const std::vector<std::string> params = {
        change.name, std::to_string(change.serial), kept[0], kept[1], kept[2], kept[3]};
    const char* sql =
        found->rows.empty()
            ? "INSERT INTO series (name, next_serial, next_ani, next_ack, next_selcall, "
              "clone_key) VALUES ($1, $2, $3, $4, $5, $6)"
            : "UPDATE series SET next_serial = $2, next_ani = $3, next_ack = $4, "
              "next_selcall = $5, clone_key = $6 WHERE name = $1";
    return db_->Run(sql, params) && tx.Commit();
}

bool ProductionDb::UseTemplate(const std::string& series, const std::string& name,
                               const std::string& bytes) {
    // A parameter is text; a codeplug file holds any byte.
    static const char kHex[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        hex += kHex[c >> 4];
        hex += kHex[c & 15];
    }
    return db_->Run(
        "UPDATE series SET template_name = $2, "
        "template_checksum = encode(sha256(decode($3, 'hex')), 'hex') WHERE name = $1",
        {series, name, hex});
}

std::optional<Series> ProductionDb::FindSeries(const std::string& name) {
    const auto found = db_->Exec(
        "SELECT next_serial, next_ani, next_ack, next_selcall, clone_key, template_name, "
        "template_checksum FROM series WHERE name = $1",
        {name});
    if (!found || found->rows.empty())
        return std::nullopt;
    const auto& row = found->rows[0];
    return Series{name, {std::stol(row[0]), row[1], row[2], row[3]}, row[4], row[5], row[6]};
}

ReserveResult ProductionDb::Reserve(const std::string& series, const std::string& station,
                                    const NumberRule& rule, Reservation& out) {
    PgTransaction tx(*db_);
    if (!tx.Begun())
        return ReserveResult::Failed;
    // The series row is the lock every station of the series takes in turn.
    const auto found = db_->Exec(
        "SELECT next_serial, next_ani, next_ack, next_selcall, clone_key FROM series "
        "WHERE name = $1 FOR UPDATE",
        {series});
    if (!found)
        return ReserveResult::Failed;
    if (found->rows.empty())
        return ReserveResult::NoSeries;
    const auto& row = found->rows[0];
    out.cloneKey = row[4];
    const auto released = db_->Exec(
        "UPDATE reservations SET state = 'reserved', station = $2, changed_at = now() "
        "WHERE id = (SELECT id FROM reservations WHERE series = $1 AND state = 'released' "
        "ORDER BY serial LIMIT 1) RETURNING id, serial, ani, ack, selcall",
        {series, station});
    if (!released)
        return ReserveResult::Failed;
    if (!released->rows.empty()) {
        const auto& r = released->rows[0];
        out.id = std::stol(r[0]);
        out.numbers = {std::stol(r[1]), r[2], r[3], r[4]};
        return tx.Commit() ? ReserveResult::Ok : ReserveResult::Failed;
    }
    const SeriesNumbers next{std::stol(row[0]), row[1], row[2], row[3]};
    if (!rule.fits(next))
        return ReserveResult::Exhausted;
    const auto inserted = db_->Exec(
        "INSERT INTO reservations (series, serial, ani, ack, selcall, station, state) "
        "VALUES ($1, $2, $3, $4, $5, $6, 'reserved') RETURNING id",
        {series, std::to_string(next.serial), next.ani, next.ack, next.selectiveCall, station});
    if (!inserted)
        return ReserveResult::Failed;
    const SeriesNumbers after = rule.next(next);
    if (!db_->Run(
            "UPDATE series SET next_serial = $2, next_ani = $3, next_ack = $4, "
            "next_selcall = $5 WHERE name = $1",
            {series, std::to_string(after.serial), after.ani, after.ack, after.selectiveCall}))
        return ReserveResult::Failed;
    out.id = std::stol(inserted->rows.at(0).at(0));
    out.numbers = next;
    return tx.Commit() ? ReserveResult::Ok : ReserveResult::Failed;
}

bool ProductionDb::InsertRecord(const ProductionRecord& record, const std::string& station,
                                const std::string& series, const std::string& outcome) {
    std::vector<std::string> params = ProductionLog::RawCells(record);
    if (record.host.empty())
        params[2] = ProductionLog::ThisHost();
    params.insert(params.end(), {station, series, outcome});
    return db_->Run(
        "INSERT INTO production_records (time, program, host, port, operation, serial, ani, ack, "
        "selcall, software_before, software_after, result_id, result, duration_ms, station, "
        "series, outcome) VALUES (to_timestamp($1), $2, $3, $4, $5, $6, $7, $8, $9, $10, $11, "
        "$12, $13, $14, $15, $16, $17)",
        params);
}

bool ProductionDb::Finish(long reservation, const char* state, const ProductionRecord& record,
                          const std::string& station, const std::string& series,
                          const char* outcome) {
    PgTransaction tx(*db_);
    if (!tx.Begun())
        return false;
    const auto changed = db_->Exec(
        "UPDATE reservations SET state = $2, changed_at = now() "
        "WHERE id = $1 AND station = $3 AND state = 'reserved'",
        {std::to_string(reservation), state, station});
    if (!changed)
        return false;
    if (changed->affected != 1) {
        // Released behind the station's back: the numbers may be another radio's by now.
        db_->SetError("reservation " + std::to_string(reservation) +
                      " is no longer held by station " + station);
        return false;
    }
    return InsertRecord(record, station, series, outcome) && tx.Commit();
}

bool ProductionDb::Complete(long reservation, const ProductionRecord& record,
                            const std::string& station, const std::string& series) {
    return Finish(reservation, "used", record, station, series, "programmed");
}

bool ProductionDb::Release(long reservation, const ProductionRecord& record,
                           const std::string& station, const std::string& series) {
    return Finish(reservation, "released", record, station, series, "failed");
}

long ProductionDb::ReleaseStation(const std::string& station) {
    const auto released = db_->Exec(
        "UPDATE reservations SET state = 'released', changed_at = now() "
        "WHERE station = $1 AND state = 'reserved'",
        {station});
    return released ? released->affected : -1;
}

bool ProductionDb::Resend(const SpooledRecord& e) {
    if (e.reservation == 0)
        return AddRecord(e.record, e.station, e.series, e.programmed ? "programmed" : "failed");
    return e.programmed ? Complete(e.reservation, e.record, e.station, e.series)
                        : Release(e.reservation, e.record, e.station, e.series);
}

bool ProductionDb::AddRecord(const ProductionRecord& record, const std::string& station,
                             const std::string& series, const std::string& outcome) {
    return InsertRecord(record, station, series, outcome);
}

std::optional<std::vector<StoredRecord>> ProductionDb::Records(int64_t since,
                                                               const std::string& series,
                                                               const std::string& serial) {
    const auto rows = db_->Exec(
        "SELECT extract(epoch FROM time)::bigint, program, host, port, operation, serial, ani, "
        "ack, selcall, software_before, software_after, result_id, result, duration_ms, "
        "station, series, outcome FROM production_records WHERE time >= to_timestamp($1) "
        "AND ($2 = '' OR series = $2) AND ($3 = '' OR serial = $3) ORDER BY time, id",
        {std::to_string(since), series, serial});
    if (!rows)
        return std::nullopt;
    std::vector<StoredRecord> records;
    for (const auto& c : rows->rows) {
        StoredRecord& s = records.emplace_back();
        if (!RecordFromText(c, 0, s.record)) {
            db_->SetError("a record the server returned does not read as one");
            return std::nullopt;
        }
        s.station = c[kRecordTextCells];
        s.series = c[kRecordTextCells + 1];
        s.outcome = c[kRecordTextCells + 2];
    }
    return records;
}

}  // namespace norda
