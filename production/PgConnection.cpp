#include "production/PgConnection.h"

#include <libpq-fe.h>

#include <cstdlib>

namespace norda {
namespace {

std::string Trimmed(const char* message) {
    std::string text = message != nullptr ? message : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

}  // namespace

std::unique_ptr<PgConnection> PgConnection::Open(const std::string& conninfo, std::string& error) {
    // Without a time-out libpq waits as long as the kernel does for a server that never
    // answers; a station must learn within seconds that it has none. A time-out the user
    // gave, in the string or in PGCONNECT_TIMEOUT, wins: it comes later, or ours is left out.
    const char* givenTimeout = std::getenv("PGCONNECT_TIMEOUT");
    const bool timeoutGiven = givenTimeout != nullptr && *givenTimeout != '\0';
    const std::string timeout = std::to_string(kConnectTimeoutSeconds);
    const char* const keywords[] = {"connect_timeout", "dbname", nullptr};
    const char* const values[] = {timeout.c_str(), conninfo.c_str(), nullptr};
    PGconn* conn =
        PQconnectdbParams(keywords + (timeoutGiven ? 1 : 0), values + (timeoutGiven ? 1 : 0), 1);
    if (conn == nullptr) {
        error = "out of memory";
        return nullptr;
    }
    if (PQstatus(conn) != CONNECTION_OK) {
        error = Trimmed(PQerrorMessage(conn));
        PQfinish(conn);
        return nullptr;
    }
    // Notices (e.g. "relation already exists, skipping") are not the operator's business.
    PQsetNoticeProcessor(
        conn, [](void*, const char*) {}, nullptr);
    return std::unique_ptr<PgConnection>(new PgConnection(conn));
}

PgConnection::~PgConnection() {
    PQfinish(conn_);
}

std::string PgConnection::Option(const std::string& keyword) const {
    std::string value;
    PQconninfoOption* options = PQconninfo(conn_);
    for (PQconninfoOption* o = options; o != nullptr && o->keyword != nullptr; ++o) {
        if (keyword == o->keyword && o->val != nullptr)
            value = o->val;
    }
    PQconninfoFree(options);
    return value;
}

std::optional<PgRows> PgConnection::Exec(const std::string& sql,
                                         const std::vector<std::string>& params) {
    std::vector<const char*> values;
    values.reserve(params.size());
    for (const std::string& p : params)
        values.push_back(p.c_str());
    // A server that went away and came back is reached again by the next statement.
    if (PQstatus(conn_) == CONNECTION_BAD)
        PQreset(conn_);
    // Without parameters a text may hold several statements (a schema step does).
    PGresult* result = values.empty()
                           ? PQexec(conn_, sql.c_str())
                           : PQexecParams(conn_, sql.c_str(), static_cast<int>(values.size()),
                                          nullptr, values.data(), nullptr, nullptr, 0);
    const ExecStatusType status = result != nullptr ? PQresultStatus(result) : PGRES_FATAL_ERROR;
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        error_ = Trimmed(result != nullptr ? PQresultErrorMessage(result) : PQerrorMessage(conn_));
        if (error_.empty())
            error_ = Trimmed(PQerrorMessage(conn_));
        PQclear(result);
        return std::nullopt;
    }
    PgRows rows;
    const int n = PQntuples(result);
    const int columns = PQnfields(result);
    for (int r = 0; r < n; ++r) {
        std::vector<std::string>& row = rows.rows.emplace_back();
        for (int c = 0; c < columns; ++c)
            row.emplace_back(PQgetvalue(result, r, c),
                             static_cast<size_t>(PQgetlength(result, r, c)));
    }
    const char* affected = PQcmdTuples(result);
    rows.affected = affected != nullptr && *affected != '\0' ? std::stol(affected) : 0;
    PQclear(result);
    return rows;
}

}  // namespace norda
