#include "solvi/app/PortProbe.h"

#include "link/TWinmap27Port.h"

namespace norda {

PortFlags ProbePorts() {
    PortFlags available{};
    TWinmap27Port probe(LinkVariant::Solvi, 1, 9600);
    for (int port = 1; port <= kMaxPorts; ++port) {
        available[port] = probe.Reopen(port, 9600, HandshakeMode::None, 1024, 1024) == TPort::kOk;
        probe.Close();
    }
    return available;
}

}  // namespace norda
