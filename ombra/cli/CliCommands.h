#pragma once

#include <cstdio>

#include "ombra/cli/CliConfig.h"
#include "ombra/cli/CliOptions.h"
#include "platform/Clock.h"
#include "platform/TextSource.h"

namespace norda {

// Runs one ombra-cli command; the result is the exit status (kExitOk,
// kExitFailed when a failure message ended the operation, kExitUsage for files
// that cannot be read or written).
int RunCliCommand(const CliOptions& options, const CliConfig& config, const TextSource& texts,
                  std::FILE* err, Clock& clock = SteadyClock::Instance());

}  // namespace norda
