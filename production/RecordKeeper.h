#pragma once

#include <memory>
#include <string>

#include "platform/ProductionLog.h"
#include "production/ProductionDb.h"

namespace norda {

// Takes records that reserve no numbers (a flash, a copy, a radio numbered by hand) to the
// production database, connecting when first needed. A record the server does not take
// waits in the spool and goes in, in order, before the next record of its station.
class RecordKeeper {
  public:
    RecordKeeper(std::string conninfo, std::string spoolPath)
        : conninfo_(std::move(conninfo)), spoolPath_(std::move(spoolPath)) {}

    // Empty when the record is in the database, else why not and where it waits.
    // `tryServer` false spools it at once: the server just did not answer.
    std::string Keep(const ProductionRecord& record, const std::string& station, bool programmed,
                     bool tryServer = true);

  private:
    std::string conninfo_;
    std::string spoolPath_;
    std::unique_ptr<ProductionDb> db_;
};

}  // namespace norda
