#include "solvi/core/DatabaseWriter.h"

#include <utility>

#include "production/ProductionSpool.h"

namespace norda::solvi {

DatabaseWriter::DatabaseWriter(std::string conninfo, std::string spoolPath,
                               std::function<void(const std::string&)> failed)
    : conninfo_(std::move(conninfo)),
      spoolPath_(std::move(spoolPath)),
      failed_(std::move(failed)),
      thread_([this] { Run(); }) {}

DatabaseWriter::~DatabaseWriter() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void DatabaseWriter::Add(const ProductionRecord& record, bool programmed) {
    {
        std::lock_guard lock(mutex_);
        queue_.push_back({record, programmed});
    }
    wake_.notify_one();
}

void DatabaseWriter::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty())
            return;
        // What came in meanwhile goes as one batch: a server that did not answer is not
        // waited for again for each record behind it, which at sixteen panels would keep
        // the last of them waiting minutes.
        std::deque<Entry> batch;
        batch.swap(queue_);
        lock.unlock();
        std::string failure;
        for (const Entry& entry : batch) {
            std::string why = Keep(entry, failure.empty());
            if (failure.empty())
                failure = std::move(why);
        }
        if (!failure.empty() && failed_)
            failed_(failure);
        lock.lock();
    }
}

std::string DatabaseWriter::Keep(const Entry& entry, bool tryServer) {
    const ProductionRecord& record = entry.record;
    const std::string station = ProductionLog::ThisHost() + ":" + std::to_string(record.port);
    const ProductionSpool spool(spoolPath_);
    std::string error = "not reached";
    if (tryServer && !db_)
        db_ = ProductionDb::Connect(conninfo_, error);
    if (tryServer && db_) {
        const int waiting =
            spool.Send(station, [this](const SpooledRecord& e) { return db_->Resend(e); });
        if (waiting == 0 &&
            db_->AddRecord(record, station, {}, entry.programmed ? "programmed" : "failed"))
            return {};
        error = waiting < 0 ? "cannot read or write " + spool.Path() : db_->Error();
    }
    if (spool.Add({0, entry.programmed, {}, station, record}) != 0)
        return error + "; " + spool.Path() + " not written either";
    return error + "; the record waits in " + spool.Path();
}

}  // namespace norda::solvi
