#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace norda {

// How a program's serial port behaves. The port itself knows no program: each program
// hands it its own profile.
struct PortProfile {
    // Driver queue sizes asked for at every open (lowered to what the driver admits).
    uint32_t transmitQueue = 1024;
    uint32_t receiveQueue = 1024;
    // How long a read waits for its byte; 0 takes only what is there.
    uint32_t readWaitMs = 0;
    // Pause before every open, so that a port closed a moment ago has settled.
    uint32_t openPauseMs = 0;
    // What a write may take beyond the line time of its bytes.
    uint32_t writeSlackMs = 1000;
    // A failed or short write purges both queues; else only the transmit queue.
    bool failedWritePurgesBoth = true;
    // XON/XOFF is set up when asked for; else such a port runs without flow control.
    bool softwareFlowControl = true;
};

// How a program's MAP27 station behaves: its port, the details of its frame receiver and
// link layer, and the waits and send counts of its request channel.
struct LinkProfile {
    PortProfile port;

    // Longest frame the receiver takes, SYN DLE STX and the two check bytes included.
    size_t receiveSize = 255;
    // The radio's CRC-16 is checked; frames whose check is wrong are dropped (a check of
    // 00 00 means unchecked).
    bool verifyCheckBytes = false;
    // Inside a frame, DLE STX after a SYN begins a new frame, and any other byte after a
    // single DLE (but ETX) drops the frame. Else that byte is kept as data.
    bool restartOnDleStx = false;
    // A link restart also drops a frame half received.
    bool linkRestartDropsPartialFrame = false;
    // How long nothing else goes out after every LA we send, so that the radio can turn the
    // line round before our next request: milliseconds, or kPauseByBaud for 160000 / baud
    // + 5 ms. A radio that loses requests sent hard on the heels of our LA needs one.
    static constexpr uint32_t kPauseByBaud = UINT32_MAX;
    uint32_t pauseAfterAckMs = 0;
    // The thread that sent the LA sleeps through the pause. Else the request channel holds
    // the next request back until the pause has passed, and its owner, whose thread must
    // stay free (a window's), polls again then.
    bool pauseSleeps = true;
    // An LA that repeats V(S) while an acknowledgement is awaited restarts the link;
    // else such an LA is ignored.
    bool repeatedAckRestartsLink = false;
    // A link coming up (the LA to our link request, or the radio's own request) ends any
    // exchange under way: no reply is awaited any more.
    bool linkUpEndsExchange = false;
    // Memory replies are told apart by their type (04 data, 06 write reply) and the radio
    // replies 05 and 08 are taken; else every memory message is data.
    bool typedReplies = false;
    // The loop command may be sent (while no reply is awaited).
    bool loopCommand = false;

    // The request channel: how long the LA to a link request, the LA to an LT and the reply
    // to a request are awaited, and how often one request goes out before it is given up.
    uint32_t linkRequestWaitMs = 1000;
    uint32_t ackWaitMs = 1000;
    uint32_t replyWaitMs = 3000;
    int sends = 4;
};

// The pause after our LA at `baud`, in milliseconds.
inline uint32_t PauseAfterAckMs(const LinkProfile& profile, int32_t baud) {
    if (profile.pauseAfterAckMs != LinkProfile::kPauseByBaud)
        return profile.pauseAfterAckMs;
    return baud > 0 ? static_cast<uint32_t>(160000 / baud + 5) : 0;
}

// A program's profile with the pause after our LA that its settings ask for, if they ask.
inline LinkProfile WithPauseAfterAck(LinkProfile profile, std::optional<uint32_t> ms) {
    if (ms)
        profile.pauseAfterAckMs = *ms;
    return profile;
}

}  // namespace norda
