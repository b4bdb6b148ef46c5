#include "solvi/app/CommandLine.h"

#include <cctype>
#include <limits>

#include "platform/NordaVersion.h"

namespace norda::solvi {

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

CommandLine ParseCommandLine(const std::vector<std::string>& all) {
    CommandLine line;
    // The options come out first; what is left keeps the historic positional forms.
    std::vector<std::string> args;
    bool optionsEnded = false;
    for (size_t i = 0; i < all.size(); ++i) {
        const std::string& arg = all[i];
        if (optionsEnded || (arg.rfind("--", 0) != 0 && arg != "-h")) {
            args.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            line.request = CommandLine::Request::Help;
        } else if (arg == "--version") {
            if (line.request != CommandLine::Request::Help)
                line.request = CommandLine::Request::Version;
        } else if (arg == "--log" || arg.rfind("--log=", 0) == 0) {
            if (arg == "--log" && i + 1 < all.size())
                line.logPath = all[++i];
            else if (arg != "--log")
                line.logPath = arg.substr(6);
            if (line.logPath.empty()) {
                line.request = CommandLine::Request::Misuse;
                line.misuse = "--log needs a file name";
                return line;
            }
        } else if (arg == "--db" || arg.rfind("--db=", 0) == 0) {
            if (arg == "--db" && i + 1 < all.size())
                line.database = all[++i];
            else if (arg != "--db")
                line.database = arg.substr(5);
            if (line.database.empty()) {
                line.request = CommandLine::Request::Misuse;
                line.misuse = "--db needs a connection string or URI";
                return line;
            }
        } else {
            line.request = CommandLine::Request::Misuse;
            line.misuse = "unknown option " + arg;
            return line;
        }
    }
    const bool verify = args.size() == 5 && args[4] == "-verify";
    if ((args.size() == 4 || verify) && args[0] == "-auto") {
        line.autoMode = true;
        line.verify = verify;
        line.autoPort = DecimalValue(args[1]);
        line.autoBaud = DecimalValue(args[2]);
        line.pendingFile = args[3];
    } else if (!args.empty() && args[0] == "-auto") {
        // Unattended, a wrong command line must end with a word, never wait in a window
        // that nobody sees.
        line.request = CommandLine::Request::Misuse;
        line.misuse = "-auto needs PORT SPEED FILE.hex, and nothing but -verify after them";
    } else if (args.size() == 1) {
        line.pendingFile = args[0];
    }
    return line;
}

int AnswerCommandLine(const CommandLine& line, std::FILE* out, std::FILE* err) {
    switch (line.request) {
        case CommandLine::Request::Help:
            std::fputs(kSolviUsage, out);
            return 0;
        case CommandLine::Request::Version:
            std::fprintf(out, "solvi %s\n", kVersion);
            return 0;
        case CommandLine::Request::Misuse:
            std::fprintf(err, "solvi: %s\n%s", line.misuse.c_str(), kSolviUsage);
            return kExitUsage;
        case CommandLine::Request::Run:
            break;
    }
    return -1;
}

}  // namespace norda::solvi
