#include "ombra/cli/ReportCommand.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>

namespace norda::ombra {
namespace {

constexpr size_t kSerialCell = 5;
constexpr const char* kDatabaseColumns = ",station,series,outcome";

}  // namespace

std::optional<int64_t> ReportTime(const std::string& text) {
    std::tm tm{};
    const char* rest = strptime(text.c_str(), "%Y-%m-%d", &tm);
    if (rest == nullptr)
        return std::nullopt;
    if (*rest == 'T' || *rest == ' ') {
        const char* time = strptime(rest + 1, "%H:%M:%S", &tm);
        if (time == nullptr)
            time = strptime(rest + 1, "%H:%M", &tm);
        if (time == nullptr)
            return std::nullopt;
        rest = time;
    }
    if (*rest == '\0') {
        tm.tm_isdst = -1;
        const std::time_t local = std::mktime(&tm);
        return local == -1 ? std::nullopt : std::optional<int64_t>(local);
    }
    int64_t offset = 0;
    if (std::strcmp(rest, "Z") != 0) {
        int hours = 0, minutes = 0;
        char sign = 0;
        if (std::sscanf(rest, "%c%2d:%2d", &sign, &hours, &minutes) != 3 ||
            (sign != '+' && sign != '-') || std::strlen(rest) != 6)
            return std::nullopt;
        offset = (sign == '-' ? -1 : 1) * (hours * 3600 + minutes * 60);
    }
    return static_cast<int64_t>(timegm(&tm)) - offset;
}

std::vector<std::vector<std::string>> CsvRows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row(1);
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                row.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                row.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row.emplace_back();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            rows.push_back(std::move(row));
            row.assign(1, "");
        } else {
            row.back() += c;
        }
    }
    if (row.size() > 1 || !row[0].empty())
        rows.push_back(std::move(row));
    return rows;
}

int RunReport(const CliOptions& options, ProductionDb* db, const std::string& logPath,
              std::FILE* out, std::FILE* err) {
    std::optional<int64_t> since;
    if (!options.since.empty() && !(since = ReportTime(options.since))) {
        std::fprintf(err, "ombra-cli: --since %s: not a date (2026-12-08 or 2026-12-08T10:15)\n",
                     options.since.c_str());
        return kExitUsage;
    }
    if (db != nullptr) {
        const auto records = db->Records(since.value_or(0), options.series, options.radio);
        if (!records) {
            std::fprintf(err, "ombra-cli: production database: %s\n", db->Error().c_str());
            return kExitFailed;
        }
        std::fprintf(out, "%s%s\r\n", ProductionLog::kHeader, kDatabaseColumns);
        for (const StoredRecord& r : *records) {
            std::vector<std::string> cells = ProductionLog::Cells(r.record);
            cells.insert(cells.end(), {r.station, r.series, r.outcome});
            std::fputs(ProductionLog::CsvLine(cells).c_str(), out);
        }
        return kExitOk;
    }
    if (!options.series.empty()) {
        std::fprintf(err,
                     "ombra-cli: --series wants the production database; the local log "
                     "holds no series\n");
        return kExitUsage;
    }
    std::ifstream in(logPath, std::ios::binary);
    if (!in) {
        std::fprintf(err, "ombra-cli: cannot read %s (%s)\n", logPath.c_str(),
                     std::strerror(errno));
        return kExitFailed;
    }
    const std::vector<std::vector<std::string>> rows =
        CsvRows(std::string((std::istreambuf_iterator<char>(in)), {}));
    std::fprintf(out, "%s\r\n", ProductionLog::kHeader);
    for (size_t i = 1; i < rows.size(); ++i) {
        const std::vector<std::string>& row = rows[i];
        if (row.size() <= kSerialCell)
            continue;
        if (!options.radio.empty() && row[kSerialCell] != options.radio)
            continue;
        if (since) {
            const std::optional<int64_t> at = ReportTime(row[0]);
            if (!at || *at < *since)
                continue;
        }
        std::fputs(ProductionLog::CsvLine(row).c_str(), out);
    }
    return kExitOk;
}

}  // namespace norda::ombra
