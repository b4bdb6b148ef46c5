#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/ProductionLog.h"
#include "production/RecordKeeper.h"

namespace norda::solvi {

// Takes SOLVI's records to the production database on a thread of its own, so a server
// that is slow or gone never holds up the panels that hand them in. Records go in the
// order they came; one the database does not take waits in the spool and goes in before
// the next record of its port.
class DatabaseWriter {
  public:
    // `failed` hears, on the writer's thread, why records are not in the database.
    DatabaseWriter(std::string conninfo, std::string spoolPath,
                   std::function<void(const std::string&)> failed);
    // Writes or spools whatever is still waiting before it returns.
    ~DatabaseWriter();
    DatabaseWriter(const DatabaseWriter&) = delete;
    DatabaseWriter& operator=(const DatabaseWriter&) = delete;

    // Returns at once.
    void Add(const ProductionRecord& record, bool programmed);

  private:
    struct Entry {
        ProductionRecord record;
        bool programmed = false;
    };
    void Run();

    RecordKeeper keeper_;  // the writer thread's alone
    const std::function<void(const std::string&)> failed_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Entry> queue_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace norda::solvi
