#include "ombra/cli/CliPorts.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "link/TermiosStream.h"
#include "ombra/cli/CliOptions.h"

namespace norda::ombra {
namespace {

namespace fs = std::filesystem;

constexpr int kHighestPort = 128;

int ParsePort(const std::string& text) {
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || n < 1 || n > kHighestPort)
        return 0;
    return static_cast<int>(n);
}

std::string NameOrDash(const std::vector<std::string>& links) {
    return links.empty() ? "-" : fs::path(links.front()).filename().string();
}

int List(const SerialDeviceTree& tree, const TextSource& texts, std::FILE* out, std::FILE* err) {
    const auto devices = ListSerialDevices(tree);
    std::fprintf(out, "PORT\tDEVICE\tACCESS\tBY-ID\tBY-PATH\n");
    for (const SerialDevice& d : devices) {
        std::string ports;
        for (int p : d.ports)
            ports += (ports.empty() ? "" : ",") + std::to_string(p);
        const char* access = !d.present ? "missing" : d.mayOpen ? "yes" : "no";
        std::fprintf(out, "%s\t%s\t%s\t%s\t%s\n", ports.empty() ? "-" : ports.c_str(),
                     d.node.c_str(), access, NameOrDash(d.byId).c_str(),
                     NameOrDash(d.byPath).c_str());
    }
    for (const SerialDevice& d : devices)
        if (d.present && !d.mayOpen)
            std::fprintf(err, "%s\n", AccessHint(texts, d.node, d.group).c_str());
    return kExitOk;
}

int Usage(std::FILE* err, const std::string& error) {
    std::fprintf(err, "ombra-cli: %s\n%s", error.c_str(), kPortsUsage);
    return kExitUsage;
}

}  // namespace

int RunPortsCommand(const std::vector<std::string>& args, const SerialDeviceTree& tree,
                    const TextSource& texts, std::FILE* out, std::FILE* err) {
    if (args.empty())
        return List(tree, texts, out, err);
    const std::string& what = args[0];
    const bool set = what == "set" && args.size() == 3;
    if (!set && !(what == "clear" && args.size() == 2))
        return Usage(err, "ports wants nothing, \"set N DEVICE\" or \"clear N\"");
    const int port = ParsePort(args[1]);
    if (port == 0)
        return Usage(err, "the port number must be 1-128");
    const std::string portsDir = tree.ports.empty() ? PortsDirectory() : tree.ports;
    if (portsDir.empty())
        return Usage(err, "no ports folder: set NORDA_PORTS or HOME");
    const std::string entry = portsDir + "/com" + std::to_string(port);

    if (!set) {
        const int error = ClearPort(portsDir, port);
        if (error == EEXIST) {
            std::fprintf(err, "ombra-cli: %s is not a link; it is left as it is\n", entry.c_str());
            return kExitUsage;
        }
        if (error != 0) {
            std::fprintf(err, "ombra-cli: %s: %s\n", entry.c_str(), std::strerror(error));
            return kExitUsage;
        }
        return kExitOk;
    }

    const std::string& name = args[2];
    std::string target = AssignmentTarget(ListSerialDevices(tree), name);
    std::error_code ec;
    // A device the list does not know (a terminal of its own) is taken as it is given.
    if (target.empty() && name.find('/') != std::string::npos && fs::exists(name, ec))
        target = fs::absolute(name, ec).string();
    if (target.empty()) {
        std::fprintf(err, "ombra-cli: no serial device %s\n", name.c_str());
        return kExitUsage;
    }
    if (const int error = AssignPort(portsDir, port, target); error != 0) {
        std::fprintf(err, "ombra-cli: %s: %s\n", entry.c_str(),
                     error == EEXIST ? "not a link; it is left as it is" : std::strerror(error));
        return kExitUsage;
    }
    std::fprintf(out, "%s -> %s\n", entry.c_str(), target.c_str());
    return kExitOk;
}

}  // namespace norda::ombra
