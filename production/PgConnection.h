#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct pg_conn;
struct pg_result;

namespace norda {

// The rows of one statement, as text; a NULL cell is empty.
struct PgRows {
    std::vector<std::vector<std::string>> rows;
    long affected = 0;  // rows an UPDATE, INSERT or DELETE touched
};

// One libpq connection. Statements take their values as parameters, never spliced into
// the text, and report failure as a result with the server's message, not an exception.
class PgConnection {
  public:
    // How long a connection waits for a server that does not answer, unless the user's
    // connection string or PGCONNECT_TIMEOUT says otherwise.
    static constexpr int kConnectTimeoutSeconds = 5;

    // A libpq connection string or URI; passwords come from libpq's own sources
    // (~/.pgpass, PGPASSFILE, PGSERVICE). Empty on failure, with the reason in `error`.
    static std::unique_ptr<PgConnection> Open(const std::string& conninfo, std::string& error);
    ~PgConnection();
    PgConnection(const PgConnection&) = delete;
    PgConnection& operator=(const PgConnection&) = delete;

    // Runs one statement; nullopt on failure, with the server's reason in Error().
    std::optional<PgRows> Exec(const std::string& sql, const std::vector<std::string>& params = {});
    // Runs a statement whose result nobody reads; false on failure.
    bool Run(const std::string& sql, const std::vector<std::string>& params = {}) {
        return Exec(sql, params).has_value();
    }
    const std::string& Error() const { return error_; }
    // The value the connection uses for a libpq keyword, e.g. "connect_timeout".
    std::string Option(const std::string& keyword) const;
    // A failure the caller found in what the server returned.
    void SetError(std::string error) { error_ = std::move(error); }

  private:
    explicit PgConnection(pg_conn* conn) : conn_(conn) {}
    pg_conn* conn_;
    std::string error_;
};

// A transaction that is rolled back unless committed: every early return of a
// half-done change leaves the database as it was.
class PgTransaction {
  public:
    explicit PgTransaction(PgConnection& db) : db_(db) { open_ = db_.Run("BEGIN"); }
    ~PgTransaction() {
        if (open_)
            db_.Run("ROLLBACK");
    }
    PgTransaction(const PgTransaction&) = delete;
    PgTransaction& operator=(const PgTransaction&) = delete;
    bool Begun() const { return open_; }
    bool Commit() {
        open_ = false;
        return db_.Run("COMMIT");
    }

  private:
    PgConnection& db_;
    bool open_ = false;
};

}  // namespace norda
