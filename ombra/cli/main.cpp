#include <cstdio>
#include <string>
#include <vector>

#include "ombra/cli/CliCommands.h"
#include "ombra/cli/CliPorts.h"
#include "platform/NordaVersion.h"

int main(int argc, char** argv) {
    using namespace norda;
    using namespace norda::ombra;
    const std::vector<std::string> args(argv + 1, argv + argc);
    // Asked for anywhere, help and the version are answered before anything is checked.
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::printf("%s%ssettings: %s\n", kUsage, kPortsUsage, OmbraIniPath().c_str());
            return kExitOk;
        }
        if (arg == "--version") {
            std::printf("ombra-cli %s\n", kVersion);
            return kExitOk;
        }
    }
    if (!args.empty() && args[0] == "ports") {
        std::vector<std::string> portArgs;
        std::string ini;
        for (size_t i = 1; i < args.size(); ++i) {
            if (args[i] != "--ini") {
                portArgs.push_back(args[i]);
            } else if (i + 1 < args.size()) {
                ini = args[++i];
            } else {
                std::fprintf(stderr, "ombra-cli: --ini wants a file\n%s", kPortsUsage);
                return kExitUsage;
            }
        }
        // Only the language is taken from the settings; the user's copy of them is not made
        // when another file is named.
        const std::unique_ptr<ResourceModule> texts =
            LoadLanguage(ReadCliConfig(ini.empty() ? OmbraIniPath() : ini).countryCode);
        return RunPortsCommand(portArgs, SerialDeviceTree{}, *texts, stdout, stderr);
    }
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
