#pragma once

#include "link/LinkProfile.h"
#include "ombra/ops/OmbraLink.h"
#include "solvi/core/SolviLink.h"

namespace norda {

// The two programs whose stations the link tests hold against each other.
enum class Program { Ombra, Solvi };

inline const LinkProfile& LinkOf(Program program) {
    return program == Program::Solvi ? solvi::kSolviLink : ombra::kOmbraLink;
}

// The program's port with queues of 1024 bytes both ways, as the port tests ask for.
inline PortProfile PortOf(Program program) {
    PortProfile port = LinkOf(program).port;
    port.transmitQueue = 1024;
    port.receiveQueue = 1024;
    return port;
}

}  // namespace norda
