#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace norda::solvi {

// What SOLVI was started with: "-auto PORT SPEED FILE" runs one port unattended (with
// "-verify" after it, reading every written block back), a single argument is a file to
// load; "-auto" with anything else is a mistake, any other command line is ignored.
//
// Arguments that begin with "--" are options, and so is a lone "-h": "--help", "--version"
// "--log FILE" (or "--log=FILE", the production log) and "--db URI" (or "--db=URI", the
// production database). Any other "--" argument is a
// mistake. A file whose name looks like an option is given after "--" or as "./--name".
struct CommandLine {
    enum class Request { Run, Help, Version, Misuse };

    Request request = Request::Run;
    std::string misuse;  // what was wrong, for Request::Misuse
    bool autoMode = false;
    bool verify = false;
    int autoPort = 0;
    int32_t autoBaud = 0;
    std::string pendingFile;
    std::string logPath;   // empty: the setting or the default file
    std::string database;  // empty: the setting "Database", else none
};

// Exit status of a command line that is not understood.
inline constexpr int kExitUsage = 2;

inline constexpr const char* kSolviUsage =
    "usage: solvi [--log FILE] [--db URI] [FILE.hex]\n"
    "       solvi -auto PORT SPEED FILE.hex [-verify] [--log FILE] [--db URI]\n"
    "       solvi --help | --version\n"
    "-auto programs the radio on port PORT at SPEED bit/s when its software differs\n"
    "from FILE.hex, prints one result line (port, software before and after, result,\n"
    "seconds, separated by tabs) and ends with 0, -1 (port), -2 (file) or -3 (radio).\n"
    "--log FILE appends a record of every programmed radio to FILE instead of the\n"
    "production log in $XDG_DATA_HOME/norda/production.csv.\n"
    "--db URI also writes each record to that production database (PostgreSQL).\n";

// args without the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// Prints the usage or the version for a command line that asks for them (exit status 0),
// or the mistake and the usage on `err` (kExitUsage). Not for Request::Run.
int AnswerCommandLine(const CommandLine& line, std::FILE* out, std::FILE* err);

// Leading blanks, an optional sign and decimal digits up to the first other character;
// no digits give 0. Values beyond 32 bits are held at the limit.
int32_t DecimalValue(const std::string& text);

}  // namespace norda::solvi
