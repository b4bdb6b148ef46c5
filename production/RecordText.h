#pragma once

#include <string>
#include <vector>

#include "platform/ProductionLog.h"

namespace norda {

// A record's cells as text for the database and the spool: the CSV log's order, but the
// time in seconds since the epoch and the duration in milliseconds, so nothing is lost.
inline constexpr size_t kRecordTextCells = 14;
std::vector<std::string> RecordText(const ProductionRecord& record);
// The record from kRecordTextCells cells from `first` on; false when they are not one.
bool RecordFromText(const std::vector<std::string>& cells, size_t first, ProductionRecord& record);

}  // namespace norda
