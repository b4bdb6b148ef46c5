#pragma once

#include <string>

namespace norda {

// The device that port number N opens (link's mapping), with a symlink shown as
// "entry -> target" so the user sees both the number's entry and the real device.
std::string PortDeviceDescription(int port);

// When the device exists but the user may not open it: true, with the group that owns it
// (empty when unknown); false when permissions are not the problem.
bool PortAccessDenied(const std::string& device, std::string* group);

}  // namespace norda
