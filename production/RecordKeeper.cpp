#include "production/RecordKeeper.h"

#include "production/ProductionSpool.h"

namespace norda {

std::string RecordKeeper::Keep(const ProductionRecord& record, const std::string& station,
                               bool programmed, bool tryServer) {
    const ProductionSpool spool(spoolPath_);
    std::string error = "not reached";
    if (tryServer && !db_)
        db_ = ProductionDb::Connect(conninfo_, error);
    if (tryServer && db_) {
        const int waiting =
            spool.Send(station, [this](const SpooledRecord& e) { return db_->Resend(e); });
        if (waiting == 0 &&
            db_->AddRecord(record, station, {}, programmed ? "programmed" : "failed"))
            return {};
        error = waiting < 0 ? "cannot read or write " + spool.Path() : db_->Error();
    }
    if (spool.Add({0, programmed, {}, station, record}) != 0)
        return error + "; " + spool.Path() + " not written either";
    return error + "; the record waits in " + spool.Path();
}

}  // namespace norda
