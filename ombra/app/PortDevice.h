#pragma once

#include <string>

namespace norda {

// The folder of port entries: $NORDA_PORTS, else ~/.config/norda/ports.
std::string PortsDirectory();
// The device that port number N means: the entry comN of the ports folder (a symlink or
// the device itself), else /dev/ttyS<N-1>. Symlinks are shown resolved.
std::string PortDevicePath(int port);

// When the device exists but the user may not open it, the group that owns it (empty when
// the owner group is unknown) and true; false when permissions are not the problem.
bool PortAccessDenied(const std::string& device, std::string* group);

}  // namespace norda
