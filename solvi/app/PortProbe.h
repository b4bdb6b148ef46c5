#pragma once

#include <array>
#include <string>

namespace norda::solvi {

inline constexpr int kMaxPorts = 16;

// Index 1..16: the port could be opened now. Index 0 is unused.
using PortFlags = std::array<bool, kMaxPorts + 1>;

// Opens each of COM1..COM16 once at 9600 baud and closes it again; with `only` in 1..16
// just that port (an unattended run needs no other, and sixteen runs started together
// would otherwise find each other's ports open), with `only` outside that range none;
// `failure` then gets the device and the system's reason when that port cannot be opened.
PortFlags ProbePorts();
PortFlags ProbePorts(int only, std::string* failure = nullptr);

}  // namespace norda::solvi
