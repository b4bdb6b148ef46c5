#include "solvi/app/PortProbe.h"

#include <algorithm>

#include "link/TPort.h"
#include "solvi/core/SolviLink.h"

namespace norda::solvi {

namespace {

PortFlags Probe(int first, int last, std::string* failure = nullptr) {
    PortFlags available{};
    TPort probe(kSolviLink.port, 1, 9600, HandshakeMode::None);
    for (int port = std::max(first, 1); port <= std::min(last, kMaxPorts); ++port) {
        available[port] = Succeeded(probe.Reopen(port, 9600, HandshakeMode::None, 1024, 1024));
        if (!available[port] && failure != nullptr)
            *failure = probe.OpenFailure();
        probe.Close();
    }
    return available;
}

}  // namespace

PortFlags ProbePorts() {
    return Probe(1, kMaxPorts);
}

PortFlags ProbePorts(int only, std::string* failure) {
    return Probe(only, only, failure);
}

}  // namespace norda::solvi
