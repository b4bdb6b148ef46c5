#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "ombra/cli/CliOptions.h"
#include "production/ProductionDb.h"

namespace norda::ombra {

// `production report`: the records the options ask for as RFC 4180 CSV on `out`, from the
// production database when there is one (`db`), else from the local log `logPath`.
// kExitOk, kExitFailed when the records cannot be read, kExitUsage for options that do
// not fit.
int RunReport(const CliOptions& options, ProductionDb* db, const std::string& logPath,
              std::FILE* out, std::FILE* err);

// "2026-12-08", "2026-12-08T10:15", "2026-12-08T10:15:02" in local time, or with an offset
// ("+03:00", "Z") as the log writes it: seconds since the epoch.
std::optional<int64_t> ReportTime(const std::string& text);

// The rows of an RFC 4180 text: quoted cells may hold commas, quotes and line breaks.
std::vector<std::vector<std::string>> CsvRows(const std::string& text);

}  // namespace norda::ombra
