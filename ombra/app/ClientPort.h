#pragma once

#include <string>

#include "platform/Status.h"

namespace norda::ombra {

// The frame's view of the client window that runs the radio operations: the state its
// enabling rules and status box read, and the commands it forwards.
class ClientPort {
  public:
    virtual ~ClientPort() = default;

    virtual bool Reading() const = 0;
    virtual bool Writing() const = 0;
    virtual bool PortOpen() const = 0;
    virtual bool LinkEstablished() const = 0;
    virtual int NetworkState() const = 0;
    virtual int PortNumber() const = 0;
    // After a failed open: the device and the system's reason; empty when none is known.
    virtual std::string OpenFailure() const = 0;
    virtual int BaudRate() const = 0;
    // The write precondition, without a message.
    virtual bool WritePrecondition() = 0;

    virtual bool TestMode() const = 0;
    virtual void SetTestMode(bool on) = 0;
    virtual void SetDataValid(bool valid) = 0;

    virtual Status Open() = 0;
    virtual Status Reopen(int port, int baud) = 0;
    virtual void StopOperation() = 0;

    // "Oku", "Yaz", "Kopyala", "Sıralı Programla" (536, 538, 539, 540).
    virtual void RadioCommand(int id) = 0;

    // Engine trace on or off; lines arrive through the frame's trace window.
    virtual void SetTrace(bool on) = 0;
};

}  // namespace norda::ombra
