#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ombra/ops/CloneConstants.h"
#include "resources/ResourceModule.h"

namespace norda::ombra {

// What ombra-cli takes from OMBRA's INI file, with OMBRA's defaults.
struct CliConfig {
    int countryCode = 90;
    int serialPort = 1;
    CloneConstants cloneConstants;
    std::vector<int32_t> shiftFrequencies;    // hertz, file order, at most 400
    std::string productionLog;                // "Production" / "Log"; empty: the default log
    std::string productionDatabase;           // "Production" / "Database"; empty: none
    std::optional<uint32_t> pauseAfterAckMs;  // "Communication" / "Pause After Ack"
};

// A missing file or key gives the defaults.
CliConfig ReadCliConfig(const std::string& iniPath);

// The folder of the running program, with a trailing "/".
std::string ProgramDirectory();
// OMBRA's INI file: "ombra.INI" beside the programs, or the user's own copy of it when
// the program folder is not writable.
std::string OmbraIniPath();

// The texts of the country code's language: the built-in Turkish module for 90,
// else the language library beside the program, falling back to Turkish.
std::unique_ptr<ResourceModule> LoadLanguage(int countryCode);

}  // namespace norda::ombra
