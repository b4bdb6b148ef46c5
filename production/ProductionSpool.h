#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/ProductionLog.h"

namespace norda {

// A record the production database did not take, with the reservation it completes.
struct SpooledRecord {
    long reservation = 0;
    bool programmed = false;  // the radio took its numbers; else they go back
    std::string series;
    std::string station;
    ProductionRecord record;
};

// The records of a station that could not reach its database, kept beside the local log
// until they are sent, in order. Several stations of one machine share the file; each
// sends only its own, under a lock, so none is sent twice or lost.
class ProductionSpool {
  public:
    explicit ProductionSpool(std::string path) : path_(std::move(path)) {}
    // "production-spool.tsv" in the folder of the CSV log `logPath`.
    static std::string PathBeside(const std::string& logPath);
    const std::string& Path() const { return path_; }

    // 0, or the errno of the failure.
    int Add(const SpooledRecord& entry) const;
    // Hands `station`'s records to `send` in order until one is refused; the sent ones
    // leave the file. The number of the station's records still waiting, or -1 when the
    // file cannot be read or written.
    int Send(const std::string& station,
             const std::function<bool(const SpooledRecord&)>& send) const;

    static std::string Line(const SpooledRecord& entry);
    static bool Parse(const std::string& line, SpooledRecord& entry);

  private:
    std::string path_;
};

}  // namespace norda
