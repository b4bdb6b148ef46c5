#pragma once

#include <vector>

#include "platform/Clock.h"
#include "tools/radiosim/SimFraming.h"
#include "tools/radiosim/SimRadio.h"

namespace norda::sim::test {

using Bytes = std::vector<uint8_t>;

// The programmer's end of the line, written out by hand: frames go out with the
// constant 0F 0F check as the service programs send them; what comes back is
// collected as wire bytes and as frames.
struct TestLink {
    explicit TestLink(RadioConfig config = {}) : radio(clock, config) {}

    void Send(const Bytes& body) { radio.Receive(BuildFrame(body, CheckBytes::Fixed0F)); }

    // Lets `ms` of line time pass and returns the frames the radio completed.
    std::vector<ReceivedFrame> Run(uint32_t ms) {
        std::vector<ReceivedFrame> frames;
        for (uint32_t i = 0; i < ms; ++i) {
            clock.Advance(1);
            for (uint8_t b : radio.TakeOutput()) {
                wire.push_back(b);
                if (rx.Feed(b))
                    frames.push_back(rx.Frame());
            }
        }
        return frames;
    }

    void LinkUp() {
        Send({0x01, 0xFF, 0x01, 0x80});
        Run(100);
        wire.clear();
    }

    // Sends an LT with N(S) = vs and the next number afterwards.
    void SendLt(const Bytes& message) {
        Bytes body{0x04, vs, 0x01, 0x00};
        body.insert(body.end(), message.begin(), message.end());
        Send(body);
        ++vs;
    }
    void Ack(uint8_t nr) { Send({0x02, nr, 0x01, 0x00}); }

    VirtualClock clock;
    SimRadio radio;
    FrameReceiver rx;
    Bytes wire;
    uint8_t vs = 1;
};

inline Bytes ReadRequest(uint8_t memory, uint32_t address, uint8_t length) {
    return {0x03,
            0x01,
            memory,
            static_cast<uint8_t>(address >> 16),
            static_cast<uint8_t>(address >> 8),
            static_cast<uint8_t>(address),
            length};
}

inline Bytes WriteRequest(uint8_t memory, uint32_t address, const Bytes& data) {
    Bytes m{0x03,
            0x03,
            memory,
            static_cast<uint8_t>(address >> 16),
            static_cast<uint8_t>(address >> 8),
            static_cast<uint8_t>(address)};
    m.insert(m.end(), data.begin(), data.end());
    return m;
}

}  // namespace norda::sim::test
