#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace norda::ombra {

enum class CliCommand {
    Read,
    Copy,
    Decode,
    Backups,
    Diff,
    Verify,
    Sequence,
    ChannelsExport,
    ChannelsImport,
    Production
};

// What `production` does to the production database.
enum class ProductionAction { Init, Series, Release, Report };

struct CliOptions {
    CliCommand command = CliCommand::Read;
    int port = 0;  // 0: OMBRA's INI "Serial Port"
    int32_t baud = 9600;
    bool test = false;    // the codeplug's "Master" and "Service" sections too
    bool verify = false;  // copy: read the radio back afterwards and compare
    std::string imageFile;
    std::string traceFile;
    std::string iniFile;  // empty: OMBRA's INI (OmbraIniPath)
    // read: OUT.omb; copy, verify, sequence: IN.omb; decode: IMAGE OUT.omb; diff: A B;
    // channels export: IN.omb OUT.csv; channels import: IN.omb PLAN.csv OUT.omb
    std::vector<std::string> files;
    // copy, sequence: the production log in place of the INI's (or the default) one
    std::string logFile;
    // sequence: the numbers of the first radio, as the dialog's fields take them
    std::optional<std::string> serial, ani, ack, selectiveCall, cloneKey;
    int count = 0;  // radios to program; 0: until the operator stops
    std::string stateFile;
    // sequence: the numbers come from this series of the production database
    std::string series;
    // sequence, production: a libpq connection string or URI in place of the INI's
    std::string database;
    // sequence, production release: the station's name; empty for sequence: host and port
    std::string station;
    // production report: records from this day or time on, of this radio's serial number
    std::string since, radio;
    ProductionAction production =
        ProductionAction::Init;  // production: what it does (series: NAME in files)
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
    "       ombra-cli channels export IN.omb OUT.csv\n"
    "       ombra-cli channels import IN.omb PLAN.csv OUT.omb\n"
    "       ombra-cli sequence [--port N] [--baud B] [--trace FILE] --serial N [--ani N]\n"
    "                [--ack N] [--selcall N] [--clone-key K] [--count C] [--state FILE] IN.omb\n"
    "       ombra-cli sequence [--port N] [--baud B] [--trace FILE] --series NAME [--db URI]\n"
    "                [--station S] [--count C] IN.omb\n"
    "       ombra-cli production init [--db URI]\n"
    "       ombra-cli production series NAME --serial N [--ani N] [--ack N] [--selcall N]\n"
    "                [--clone-key K] [--db URI]\n"
    "       ombra-cli production release --station S [--db URI]\n"
    "       ombra-cli production report [--since DATE] [--series NAME] [--radio SERIAL]\n"
    "                [--db URI] [--log FILE]\n"
    "       ombra-cli --help | --version\n"
    "copy and sequence also take --log FILE, the production log to append to\n"
    "any command also takes --ini FILE in place of OMBRA's INI file (--help names it)\n";

// Arguments after the program name. 0, or kExitUsage with `error` set.
int ParseCliOptions(const std::vector<std::string>& args, CliOptions& options, std::string& error);

}  // namespace norda::ombra
