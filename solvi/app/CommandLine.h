#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace norda {

// What SOLVI was started with: "-auto PORT SPEED FILE" runs one port unattended (with
// "-verify" after it, reading every written block back), a single argument is a file to
// load; any other command line is ignored.
struct CommandLine {
    bool autoMode = false;
    bool verify = false;
    int autoPort = 0;
    int32_t autoBaud = 0;
    std::string pendingFile;
};

// args without the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// Leading blanks, an optional sign and decimal digits up to the first other character;
// no digits give 0. Values beyond 32 bits are held at the limit.
int32_t DecimalValue(const std::string& text);

}  // namespace norda
