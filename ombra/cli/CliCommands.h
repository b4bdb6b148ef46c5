#pragma once

#include <cstdio>

#include "ombra/cli/CliConfig.h"
#include "ombra/cli/CliOptions.h"
#include "platform/Clock.h"
#include "resources/ResourceModule.h"

namespace norda::ombra {

// Runs one ombra-cli command; the result is the exit status (kExitOk,
// kExitFailed when a failure message ended the operation or, for diff and verify,
// when the codeplugs differ; kExitUsage for files that cannot be read or written).
// Messages go to `err`, listings (backups, differences) to `out`.
int RunCliCommand(const CliOptions& options, const CliConfig& config, const ResourceModule& texts,
                  std::FILE* err, std::FILE* out = stdout, Clock& clock = SteadyClock::Instance());

}  // namespace norda::ombra
