#pragma once

#include <string>
#include <vector>

#include "platform/ProductionLog.h"

namespace norda {

// The database and the spool keep a record as ProductionLog::RawCells, so nothing is lost.
inline constexpr size_t kRecordTextCells = 14;
// The record from kRecordTextCells raw cells from `first` on; false when they are not one.
bool RecordFromText(const std::vector<std::string>& cells, size_t first, ProductionRecord& record);

}  // namespace norda
