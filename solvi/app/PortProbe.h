#pragma once

#include <array>

namespace norda {

inline constexpr int kMaxPorts = 16;

// Index 1..16: the port could be opened now. Index 0 is unused.
using PortFlags = std::array<bool, kMaxPorts + 1>;

// Opens each of COM1..COM16 once at 9600 baud and closes it again.
PortFlags ProbePorts();

}  // namespace norda
