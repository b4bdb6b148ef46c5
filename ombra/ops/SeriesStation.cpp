#include "ombra/ops/SeriesStation.h"

#include <cstring>

#include "production/ProductionSpool.h"

namespace norda::ombra {

NumberRule SequenceNumberRule() {
    NumberRule rule;
    rule.fits = [](const SeriesNumbers& n) {
        return n.serial >= 1 && n.serial <= 65535 &&
               autoprog::DigitStringValidator()->IsValid(n.ani) &&
               autoprog::DigitStringValidator()->IsValid(n.ack) &&
               autoprog::DigitStringValidator()->IsValid(n.selectiveCall);
    };
    rule.next = [](const SeriesNumbers& n) {
        AutoProgFields fields;
        fields.serialNo = std::to_string(n.serial);
        fields.ani = n.ani;
        fields.ack = n.ack;
        fields.selectiveCall = n.selectiveCall;
        autoprog::PrepareNextRadio(fields, false);
        return SeriesNumbers{n.serial + 1, fields.ani, fields.ack, fields.selectiveCall};
    };
    return rule;
}

SeriesStation::SeriesStation(ProductionDb& db, std::string series, std::string station,
                             std::string spoolPath)
    : db_(db),
      series_(std::move(series)),
      station_(std::move(station)),
      spoolPath_(std::move(spoolPath)) {}

std::string SeriesStation::Open() {
    const int version = db_.SchemaVersion();
    if (version != ProductionDb::kSchemaVersion) {
        return version < 0 ? "production database: " + db_.Error()
                           : "the production database is not at schema version " +
                                 std::to_string(ProductionDb::kSchemaVersion) +
                                 " (ombra-cli production init)";
    }
    if (std::string problem = SendSpool(); !problem.empty())
        return problem;
    released_ = db_.ReleaseStation(station_);
    if (released_ < 0)
        return "production database: " + db_.Error();
    return {};
}

// Records spooled while the server was away go first, in order; their numbers stay
// reserved until they are in.
std::string SeriesStation::SendSpool() {
    const ProductionSpool spool(spoolPath_);
    const int waiting = spool.Send(station_, [this](const SpooledRecord& e) {
        const bool in = db_.Resend(e);
        sent_ += in ? 1 : 0;
        return in;
    });
    if (waiting < 0)
        return "cannot read or write " + spool.Path();
    if (waiting > 0) {
        return "production database: " + db_.Error() + "; " + std::to_string(waiting) +
               " record(s) of station " + station_ + " still wait in " + spool.Path();
    }
    return {};
}

std::string SeriesStation::Reserve(AutoProgFields& fields) {
    if (std::string problem = SendSpool(); !problem.empty())
        return problem + "; no radio is written before they are in";
    Reservation reservation;
    switch (db_.Reserve(series_, station_, SequenceNumberRule(), reservation)) {
        case ReserveResult::Ok:
            break;
        case ReserveResult::NoSeries:
            return "the production database has no series " + series_ +
                   " (ombra-cli production series " + series_ + " --serial N)";
        case ReserveResult::Exhausted:
            return "series " + series_ + " has no numbers left";
        case ReserveResult::Failed:
            return "production database: " + db_.Error() +
                   "; no radio is written without numbers reserved for it";
    }
    reservation_ = reservation;
    holding_ = true;
    fields.serialNo = std::to_string(reservation.numbers.serial);
    fields.ani = reservation.numbers.ani;
    fields.ack = reservation.numbers.ack;
    fields.selectiveCall = reservation.numbers.selectiveCall;
    if (!reservation.cloneKey.empty())
        fields.cloneKey = reservation.cloneKey;
    autoprog::SelectiveCallLeft(fields);
    return {};
}

std::string SeriesStation::Finish(const ProductionRecord& record, bool programmed) {
    if (!holding_)
        return {};
    holding_ = false;
    const bool kept = programmed ? db_.Complete(reservation_.id, record, station_, series_)
                                 : db_.Release(reservation_.id, record, station_, series_);
    if (kept)
        return {};
    const std::string reason = db_.Error();
    const std::string serial = std::to_string(reservation_.numbers.serial);
    const ProductionSpool spool(spoolPath_);
    if (const int error = spool.Add({reservation_.id, programmed, series_, station_, record});
        error != 0) {
        return "production database: " + reason + "; the record of serial number " + serial +
               " is lost: " + spool.Path() + ": " + std::strerror(error);
    }
    return "production database: " + reason + "; the record of serial number " + serial +
           " waits in " + spool.Path() + ", its numbers reserved, until the station starts again";
}

}  // namespace norda::ombra
