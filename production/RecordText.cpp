#include "production/RecordText.h"

#include <cerrno>
#include <cstdlib>

namespace norda {
namespace {

bool Number(const std::string& text, long long& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(text.c_str(), &end, 10);
    return errno == 0 && *end == '\0';
}

}  // namespace

bool RecordFromText(const std::vector<std::string>& cells, size_t first, ProductionRecord& r) {
    if (cells.size() < first + kRecordTextCells)
        return false;
    const std::string* c = &cells[first];
    long long startedAt = 0, port = 0, resultId = 0, duration = 0;
    if (!Number(c[0], startedAt) || !Number(c[3], port) || !Number(c[11], resultId) ||
        !Number(c[13], duration))
        return false;
    r.startedAt = startedAt;
    r.program = c[1];
    r.host = c[2];
    r.port = static_cast<int>(port);
    r.operation = c[4];
    r.serial = c[5];
    r.ani = c[6];
    r.ack = c[7];
    r.selectiveCall = c[8];
    r.softwareBefore = c[9];
    r.softwareAfter = c[10];
    r.resultId = static_cast<int>(resultId);
    r.result = c[12];
    r.durationMs = static_cast<uint32_t>(duration);
    return true;
}

}  // namespace norda
