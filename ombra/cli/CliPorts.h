#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "link/SerialDevices.h"
#include "platform/TextSource.h"

namespace norda::ombra {

inline constexpr const char* kPortsUsage =
    "       ombra-cli ports                      # serial devices and their port numbers\n"
    "       ombra-cli ports set N DEVICE         # port N opens DEVICE (by its stable name)\n"
    "       ombra-cli ports clear N\n";

// "ombra-cli ports ...": `args` are the arguments after "ports". Lists the devices of
// `tree` on `out` (tab-separated, with a heading), or writes or removes one port entry.
// The result is the exit status: 0, or 2 for usage errors, unknown devices and entries
// that cannot be written.
int RunPortsCommand(const std::vector<std::string>& args, const SerialDeviceTree& tree,
                    const TextSource& texts, std::FILE* out, std::FILE* err);

}  // namespace norda::ombra
