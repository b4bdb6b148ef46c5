#include "tools/radiosim/SimFaults.h"

#include <cerrno>
#include <cstdlib>

namespace norda::sim {

namespace {

bool ParseCount(const std::string& text, long minimum, long& out) {
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < minimum || v > 1000000)
        return false;
    out = v;
    return true;
}

}  // namespace

int ApplyFault(const std::string& spec, Faults& faults) {
    const size_t eq = spec.find('=');
    const std::string name = spec.substr(0, eq);
    const bool hasValue = eq != std::string::npos;
    const std::string value = hasValue ? spec.substr(eq + 1) : std::string();
    long n = 0;

    auto flag = [&](bool& target) {
        if (hasValue)
            return -2;
        target = true;
        return 0;
    };
    if (name == "silent")
        return flag(faults.silent);
    if (name == "no-data-reply")
        return flag(faults.noDataReply);
    if (name == "garbage")
        return flag(faults.garbage);
    if (name == "never-erased")
        return flag(faults.neverErased);
    if (name == "ignore-reset")
        return flag(faults.ignoreReset);
    if (name == "lose-writes")
        return flag(faults.loseWrites);
    if (name == "drop-la-every") {
        if (!ParseCount(value, 1, n))
            return -2;
        faults.dropLaEvery = static_cast<uint32_t>(n);
        return 0;
    }
    if (name == "relink-after") {
        if (!ParseCount(value, 0, n))
            return -2;
        faults.relinkAfter = static_cast<int32_t>(n);
        return 0;
    }
    if (name == "bad-fcs") {
        if (!hasValue) {
            faults.badFcsEvery = 1;
            return 0;
        }
        if (!ParseCount(value, 1, n))
            return -2;
        faults.badFcsEvery = static_cast<uint32_t>(n);
        return 0;
    }
    return -1;
}

}  // namespace norda::sim
