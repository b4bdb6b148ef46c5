#pragma once

#include <string>

namespace norda::test {

// A throwaway PostgreSQL server of the test's own: a cluster in a temporary folder,
// listening only on a Unix socket in that folder. The server refuses to run as root, so
// under root it runs as the "postgres" account, which then owns the folder.
class PgCluster {
  public:
    PgCluster() = default;
    ~PgCluster();
    PgCluster(const PgCluster&) = delete;
    PgCluster& operator=(const PgCluster&) = delete;

    // The folder of initdb and pg_ctl; empty when the server is not installed.
    static std::string BinDir();

    // Creates the cluster and starts it; false with the reason in Error(). A test's
    // cluster skips fsync; a durable one commits as a real server does, for timing.
    bool Create(bool durable = false);
    bool Start();
    // Stops at once, as a server that went away: clients see their connection drop.
    bool Stop();

    // A libpq connection string for a database of the cluster.
    std::string ConnInfo(const std::string& database = "postgres") const;
    // A new empty database, for one test; its connection string, empty on failure.
    std::string NewDatabase();
    const std::string& Error() const { return error_; }

  private:
    bool Run(const std::string& command);

    std::string dir_;
    std::string error_;
    bool running_ = false;
    bool durable_ = false;
    int databases_ = 0;
};

}  // namespace norda::test
