#include <cstdio>
#include <string>
#include <vector>

#include "ombra/cli/CliCommands.h"

int main(int argc, char** argv) {
    using namespace norda;
    const std::vector<std::string> args(argv + 1, argv + argc);
    CliOptions options;
    std::string error;
    if (ParseCliOptions(args, options, error) != 0) {
        std::fprintf(stderr, "ombra-cli: %s\n%s", error.c_str(), kUsage);
        return kExitUsage;
    }
    const CliConfig config =
        ReadCliConfig(options.iniFile.empty() ? OmbraIniPath() : options.iniFile);
    const std::unique_ptr<ResourceModule> texts = LoadLanguage(config.countryCode);
    return RunCliCommand(options, config, *texts, stderr);
}
