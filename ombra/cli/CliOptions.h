#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace norda {

enum class CliCommand { Read, Copy, Decode, Backups, Diff, Verify };

struct CliOptions {
    CliCommand command = CliCommand::Read;
    int port = 0;  // 0: OMBRA's INI "Serial Port"
    int32_t baud = 9600;
    bool test = false;    // the codeplug's "Master" and "Service" sections too
    bool verify = false;  // copy: read the radio back afterwards and compare
    std::string imageFile;
    std::string traceFile;
    std::string iniFile;  // empty: OMBRA's INI (OmbraIniPath)
    // read: OUT.omb; copy, verify: IN.omb; decode: IMAGE OUT.omb; diff: A B
    std::vector<std::string> files;
};

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

inline constexpr const char* kUsage =
    "usage: ombra-cli read   [--port N] [--baud B] [--test] [--image FILE] [--trace FILE] OUT.omb\n"
    "       ombra-cli copy   [--port N] [--baud B] [--trace FILE] IN.omb\n"
    "       ombra-cli decode [--test] IMAGE.bin OUT.omb\n"
    "       ombra-cli copy   [--port N] [--baud B] [--trace FILE] --verify IN.omb\n"
    "       ombra-cli verify [--port N] [--baud B] [--trace FILE] IN.omb\n"
    "       ombra-cli diff   [--test] A B           (each an .omb file or a 2048-byte image)\n"
    "       ombra-cli backups\n"
    "any command also takes --ini FILE in place of OMBRA's INI file (--help names it)\n";

// Arguments after the program name. 0, or kExitUsage with `error` set.
int ParseCliOptions(const std::vector<std::string>& args, CliOptions& options, std::string& error);

}  // namespace norda
