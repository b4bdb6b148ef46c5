#include "link/TermiosStream.h"

#include <cstdio>

namespace norda {

std::string PortDevicePath(int portNumber) {
    char name[32];
    std::snprintf(name, sizeof name, "/dev/ttyS%d", portNumber - 1);
    return name;
}

TermiosStream::~TermiosStream() {
    Close();
}

int TermiosStream::Open(int portNumber) {
    path_ = PortDevicePath(portNumber);
    return -2;
}

int TermiosStream::Configure(int32_t, HandshakeMode) {
    return -12;
}

void TermiosStream::Close() {
    fd_ = -1;
}

void TermiosStream::Purge(PurgeScope) {}

int TermiosStream::ReadByte(uint8_t*, uint32_t) {
    return -1;
}

int TermiosStream::Write(const uint8_t*, size_t, uint32_t) {
    return -1;
}

bool TermiosStream::LineErrorSinceLastLook() {
    return false;
}

void TermiosStream::RememberErrorCounters() {}

}  // namespace norda
