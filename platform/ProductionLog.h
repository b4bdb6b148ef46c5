#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Status.h"

namespace norda {

// One programmed (or failed) radio, as a production line must be able to trace it
// afterwards. Cells a program has nothing for stay empty: OMBRA fills the serial
// number and identities, SOLVI the software before and after.
struct ProductionRecord {
    int64_t startedAt = 0;  // seconds since the epoch; printed in local time with offset
    std::string program;    // "ombra", "ombra-cli", "solvi"
    std::string host;       // empty: this machine's name
    int port = 0;
    std::string operation;  // "write", "copy", "sequence", "flash"
    std::string serial;
    std::string ani;
    std::string ack;
    std::string selectiveCall;
    std::string softwareBefore;
    std::string softwareAfter;
    int resultId = 0;  // the number of the text the user was shown
    std::string result;
    uint32_t durationMs = 0;
};

// How an append ended: Ok; CannotOpen (no path, or the file cannot be opened or created);
// WriteFailed (the record is not whole in the file). `reason` holds the system's words
// for a failure, without the file's name.
struct [[nodiscard]] LogAppend {
    Status status = Status::Ok;
    std::string reason;
};

// The shared log of everything programmed: a CSV file (RFC 4180, UTF-8, one header
// line) that many programs and SOLVI's sixteen panels append to at once. Each record
// goes out in one write() on a descriptor opened for appending, so records never
// interleave; the header is written under a lock by whoever finds the file empty.
class ProductionLog {
  public:
    static constexpr const char* kHeader =
        "time,program,host,port,operation,serial,ani,ack,selcall,software_before,"
        "software_after,result_id,result,duration_s";

    // The name a record with an empty host cell is given.
    static std::string ThisHost();
    // "$XDG_DATA_HOME/norda/production.csv"; empty without a home folder.
    static std::string DefaultPath();

    explicit ProductionLog(std::string path) : path_(std::move(path)) {}
    const std::string& Path() const { return path_; }

    // The folder is created when missing. Never throws, never blocks longer than a lock
    // held for one write by another writer.
    LogAppend Append(const ProductionRecord& record) const;

    // The record as its CSV line, ending in CR LF.
    static std::string Line(const ProductionRecord& record);
    // The record's cells as the line has them, in the header's order.
    static std::vector<std::string> Cells(const ProductionRecord& record);
    // The same cells as stored elsewhere: the time in seconds since the epoch, the
    // duration in milliseconds, the host as the record has it.
    static std::vector<std::string> RawCells(const ProductionRecord& record);
    // Cells as one CSV line, quoted where they must be, ending in CR LF.
    static std::string CsvLine(const std::vector<std::string>& cells);
    // Seconds with one decimal and always a "." ("12.3"), as the duration cell has them.
    static std::string Seconds(uint32_t ms);
    // A message for the result cell: its line breaks and tabs become spaces, so that every
    // record stays one line a shell tool can count and a tab-separated report can carry.
    static std::string OneLine(std::string text);
    // ISO 8601 local time with the offset, e.g. "2026-12-08T10:15:02+03:00".
    static std::string LocalTimestamp(int64_t secondsSinceEpoch);

  private:
    std::string path_;
};

}  // namespace norda
