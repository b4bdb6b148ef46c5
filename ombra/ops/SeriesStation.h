#pragma once

#include <string>

#include "ombra/ops/AutoProgLogic.h"
#include "production/ProductionDb.h"

namespace norda::ombra {

// The sequential dialog's count-up as a series of the production database takes it: a
// serial number past 65535 ends the series rather than starting again at 1.
NumberRule SequenceNumberRule();

// One station's share of a series in the production database, for the sequential dialog
// and `ombra-cli sequence` alike: each radio's numbers reserved before it is written, used
// with its record after it, given back when it failed. A record the server does not take
// waits in the spool, its numbers still reserved, until the station starts again.
// Each call returns empty when it went well, else what went wrong, in words.
class SeriesStation {
  public:
    SeriesStation(ProductionDb& db, std::string series, std::string station, std::string spoolPath);

    // Before the first radio: the schema is the one this program knows, what waits in the
    // spool goes in, in order, and numbers of radios the station did not finish go back.
    std::string Open();
    // Spooled records sent so far.
    int SentFromSpool() const { return sent_; }
    long Released() const { return released_; }

    // The next radio's numbers into `fields`, reserved for this station, once the
    // station's spooled records are in; nothing changes on failure, and the radio must
    // then not be written.
    std::string Reserve(AutoProgFields& fields);
    // Whether numbers are reserved for the radio on the bench.
    bool Holding() const { return holding_; }
    // The radio on the bench is done: `programmed` after message 821, else failed.
    std::string Finish(const ProductionRecord& record, bool programmed);

    const std::string& Series() const { return series_; }
    const std::string& Station() const { return station_; }
    const std::string& SpoolPath() const { return spoolPath_; }

  private:
    std::string SendSpool();

    ProductionDb& db_;
    std::string series_;
    std::string station_;
    std::string spoolPath_;
    Reservation reservation_;
    bool holding_ = false;
    int sent_ = 0;
    long released_ = 0;
};

}  // namespace norda::ombra
