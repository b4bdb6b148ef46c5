#include "ombra/cli/CliOptions.h"

#include <cerrno>
#include <cstdlib>
#include <utility>

namespace norda::ombra {
namespace {

bool ParseNumber(const std::string& text, long low, long high, long& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtol(text.c_str(), &end, 10);
    return errno == 0 && *end == '\0' && value >= low && value <= high;
}

}  // namespace

int ParseCliOptions(const std::vector<std::string>& args, CliOptions& options, std::string& error) {
    options = CliOptions{};
    if (args.empty()) {
        error = "no command";
        return kExitUsage;
    }
    std::string command = args[0];
    size_t first = 1;
    size_t files = 1;
    if (command == "read") {
        options.command = CliCommand::Read;
    } else if (command == "copy") {
        options.command = CliCommand::Copy;
    } else if (command == "decode") {
        options.command = CliCommand::Decode;
        files = 2;
    } else if (command == "verify") {
        options.command = CliCommand::Verify;
    } else if (command == "diff") {
        options.command = CliCommand::Diff;
        files = 2;
    } else if (command == "sequence") {
        options.command = CliCommand::Sequence;
    } else if (command == "production") {
        options.command = CliCommand::Production;
        const std::string action = args.size() > 1 ? args[1] : "";
        first = 2;
        files = 0;
        if (action == "init") {
            options.production = ProductionAction::Init;
        } else if (action == "series") {
            options.production = ProductionAction::Series;
            files = 1;
        } else if (action == "release") {
            options.production = ProductionAction::Release;
        } else if (action == "report") {
            options.production = ProductionAction::Report;
        } else {
            error = "production wants init, series, release or report";
            return kExitUsage;
        }
    } else if (command == "backups") {
        options.command = CliCommand::Backups;
        files = 0;
    } else if (command == "channels") {
        const std::string what = args.size() > 1 ? args[1] : std::string();
        if (what != "export" && what != "import") {
            error = "channels wants export or import";
            return kExitUsage;
        }
        command += " " + what;
        options.command =
            what == "export" ? CliCommand::ChannelsExport : CliCommand::ChannelsImport;
        first = 2;
        files = what == "export" ? 2 : 3;
    } else {
        error = (command.size() > 1 && command[0] == '-' ? "unknown option " : "unknown command ") +
                command;
        return kExitUsage;
    }
    const bool linkOptions =
        options.command == CliCommand::Read || options.command == CliCommand::Copy ||
        options.command == CliCommand::Verify || options.command == CliCommand::Sequence;
    const bool sequence = options.command == CliCommand::Sequence;
    const bool production = options.command == CliCommand::Production;
    const bool numbers = sequence || (production && options.production == ProductionAction::Series);
    const bool station =
        sequence || (production && options.production == ProductionAction::Release);
    const bool report = production && options.production == ProductionAction::Report;
    const bool logs = sequence || report || options.command == CliCommand::Copy;
    // The numbers of a sequence are checked as the dialog checks them, where the texts
    // are at hand.
    static constexpr std::pair<const char*, std::optional<std::string> CliOptions::*> kNumbers[] = {
        {"--serial", &CliOptions::serial},
        {"--ani", &CliOptions::ani},
        {"--ack", &CliOptions::ack},
        {"--selcall", &CliOptions::selectiveCall},
        {"--clone-key", &CliOptions::cloneKey},
    };
    auto number = [&](const std::string& arg) -> std::optional<std::string> CliOptions::* {
        for (const auto& [name, member] : kNumbers) {
            if (numbers && arg == name)
                return member;
        }
        return nullptr;
    };
    for (size_t i = first; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        long value = 0;
        if (arg == "--port" && linkOptions) {
            if (!hasValue || !ParseNumber(args[++i], 1, 128, value)) {
                error = "--port wants a number 1-128";
                return kExitUsage;
            }
            options.port = static_cast<int>(value);
        } else if (arg == "--baud" && linkOptions) {
            if (!hasValue || !ParseNumber(args[++i], 300, 115200, value)) {
                error = "--baud wants a number 300-115200";
                return kExitUsage;
            }
            options.baud = static_cast<int32_t>(value);
        } else if (arg == "--trace" && linkOptions) {
            if (!hasValue) {
                error = "--trace wants a file";
                return kExitUsage;
            }
            options.traceFile = args[++i];
        } else if (arg == "--image" && options.command == CliCommand::Read) {
            if (!hasValue) {
                error = "--image wants a file";
                return kExitUsage;
            }
            options.imageFile = args[++i];
        } else if (const auto member = number(arg)) {
            if (!hasValue) {
                error = arg + " wants a value";
                return kExitUsage;
            }
            options.*member = args[++i];
        } else if (sequence && arg == "--count") {
            if (!hasValue || !ParseNumber(args[++i], 1, 1000000, value)) {
                error = "--count wants a number 1-1000000";
                return kExitUsage;
            }
            options.count = static_cast<int>(value);
        } else if (sequence && arg == "--state") {
            if (!hasValue) {
                error = "--state wants a file";
                return kExitUsage;
            }
            options.stateFile = args[++i];
        } else if (report && (arg == "--since" || arg == "--radio")) {
            if (!hasValue) {
                error = arg + " wants a value";
                return kExitUsage;
            }
            (arg == "--since" ? options.since : options.radio) = args[++i];
        } else if ((sequence || report) && arg == "--series") {
            if (!hasValue) {
                error = "--series wants a name";
                return kExitUsage;
            }
            options.series = args[++i];
        } else if ((sequence || production) && arg == "--db") {
            if (!hasValue) {
                error = "--db wants a connection string or URI";
                return kExitUsage;
            }
            options.database = args[++i];
        } else if (station && arg == "--station") {
            if (!hasValue || args[i + 1].empty()) {
                error = "--station wants a name";
                return kExitUsage;
            }
            options.station = args[++i];
        } else if (logs && arg == "--log") {
            if (!hasValue) {
                error = "--log wants a file";
                return kExitUsage;
            }
            options.logFile = args[++i];
        } else if (arg == "--ini") {
            if (!hasValue) {
                error = "--ini wants a file";
                return kExitUsage;
            }
            options.iniFile = args[++i];
        } else if (arg == "--test" &&
                   (options.command == CliCommand::Read || options.command == CliCommand::Decode ||
                    options.command == CliCommand::Diff)) {
            options.test = true;
        } else if (arg == "--verify" && options.command == CliCommand::Copy) {
            options.verify = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "option " + arg + " is not for " + command;
            return kExitUsage;
        } else {
            options.files.push_back(arg);
        }
    }
    if (production) {
        if (options.files.size() != files) {
            error = files == 0 ? "production " + args[1] + " takes no file"
                               : std::string("production series wants one name");
            return kExitUsage;
        }
        if (options.production == ProductionAction::Series && !options.serial) {
            error = "production series wants --serial N";
            return kExitUsage;
        }
        if (options.production == ProductionAction::Release && options.station.empty()) {
            error = "production release wants --station S";
            return kExitUsage;
        }
        return 0;
    }
    if (options.files.size() != files) {
        static const char* const kCounts[] = {"no file", "one file", "two files", "three files"};
        error = command + " wants " + kCounts[files];
        return kExitUsage;
    }
    if (!options.series.empty() &&
        (options.serial || options.ani || options.ack || options.selectiveCall ||
         options.cloneKey || !options.stateFile.empty())) {
        error =
            "--series gives the numbers; it takes no --serial, --ani, --ack, --selcall, "
            "--clone-key or --state";
        return kExitUsage;
    }
    return 0;
}

}  // namespace norda::ombra
