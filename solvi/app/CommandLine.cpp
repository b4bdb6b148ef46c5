#include "solvi/app/CommandLine.h"

#include <cctype>
#include <limits>

namespace norda {

int32_t DecimalValue(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int64_t value = 0;
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        value = value * 10 + (text[i++] - '0');
        if (value > kLimit)
            value = kLimit;
    }
    if (negative)
        return static_cast<int32_t>(-value);
    return static_cast<int32_t>(value >= kLimit ? kLimit - 1 : value);
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    const bool verify = args.size() == 5 && args[4] == "-verify";
    if ((args.size() == 4 || verify) && args[0] == "-auto") {
        line.autoMode = true;
        line.verify = verify;
        line.autoPort = DecimalValue(args[1]);
        line.autoBaud = DecimalValue(args[2]);
        line.pendingFile = args[3];
    } else if (args.size() == 1) {
        line.pendingFile = args[0];
    }
    return line;
}

}  // namespace norda
