#pragma once

#include <string>

namespace norda::ombra {

// The device that port number N opens (link's mapping), with a symlink shown as
// "entry -> target" so the user sees both the number's entry and the real device.
std::string PortDeviceDescription(int port);

}  // namespace norda::ombra
