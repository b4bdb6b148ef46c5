#include "solvi/core/DatabaseWriter.h"

#include <utility>

namespace norda::solvi {

DatabaseWriter::DatabaseWriter(std::string conninfo, std::string spoolPath,
                               std::function<void(const std::string&)> failed)
    : keeper_(std::move(conninfo), std::move(spoolPath)),
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
            const std::string station =
                ProductionLog::ThisHost() + ":" + std::to_string(entry.record.port);
            std::string why =
                keeper_.Keep(entry.record, station, entry.programmed, failure.empty());
            if (failure.empty())
                failure = std::move(why);
        }
        if (!failure.empty() && failed_)
            failed_(failure);
        lock.lock();
    }
}

}  // namespace norda::solvi
