#pragma once

#include "ombra/ops/TProgWin.h"

namespace norda::ombra {

// What a host does when the transfer machine's deadline falls due or its port has input.
// The window (a timer and a port notifier) and the console (a wait on the port) decide
// alike, through this class, and so does the test that records their conversations.
//
// A poll that acknowledged the radio's message leaves the next request to the next poll,
// and a poll that took a frame may leave the next one read from the device but not taken,
// where the descriptor no longer shows it: in both cases the next poll comes at once.
// So our LA and the next request leave back to back, with only the link profile's pause
// after an LA between them.
class PollDriver {
  public:
    explicit PollDriver(TProgWin& machine) : machine_(machine) {}

    // The earliest deadline has come (or passed).
    void DeadlineDue() {
        if (machine_.RunDue())
            AfterPoll();
    }
    // The port has input: it is read now rather than at the next poll.
    void InputArrived() {
        if (!machine_.Polling())
            return;
        machine_.PollNow();
        AfterPoll();
    }
    // Nobody reads the port between operations: unread bytes must not wake the host then.
    bool WatchInput() const { return machine_.Polling(); }

  private:
    void AfterPoll() {
        if (machine_.Polling() && (machine_.JustAcknowledged() || machine_.Port().WaitForInput(0)))
            machine_.PollSoon();
    }

    TProgWin& machine_;
};

}  // namespace norda::ombra
