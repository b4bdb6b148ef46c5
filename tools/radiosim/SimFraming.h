#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace norda::sim {

inline constexpr uint8_t kSyn = 0x16;
inline constexpr uint8_t kDle = 0x10;
inline constexpr uint8_t kStx = 0x02;
inline constexpr uint8_t kEtx = 0x03;

// How the two check bytes after DLE ETX are filled.
enum class CheckBytes {
    Crc,      // CRC-16/USB over body + DLE ETX, low byte first (what the radio sends)
    Fixed0F,  // the constant 0F 0F that the service programs send
    Corrupt,  // a CRC that is deliberately wrong (and never the unchecked 00 00)
};

// SYN DLE STX, body with every DLE doubled, DLE ETX, two check bytes.
std::vector<uint8_t> BuildFrame(const std::vector<uint8_t>& body,
                                CheckBytes check = CheckBytes::Crc);

// The check value the radio puts after DLE ETX, as the 16-bit number whose low
// byte goes first on the wire.
uint16_t FrameCrc(const std::vector<uint8_t>& body);

// A received frame, de-stuffed: the link body and the two check bytes as they came.
struct ReceivedFrame {
    std::vector<uint8_t> body;
    uint8_t check[2] = {0, 0};
    // True when the check bytes are the CRC of the body (false for 0F 0F and noise).
    bool crcValid = false;
};

// The radio's receiver. Tolerant in the way a radio has to be: it resynchronises
// on every DLE STX, drops frames with a broken DLE sequence or an absurd length,
// and never looks back at bytes it has dropped.
class FrameReceiver {
  public:
    static constexpr size_t kMaxBody = 300;

    // Returns true when `byte` completed a frame; the frame is then in Frame().
    bool Feed(uint8_t byte);
    const ReceivedFrame& Frame() const { return frame_; }
    void Reset();
    // Partial frames thrown away because of a broken DLE sequence or length.
    uint32_t Dropped() const { return dropped_; }

  private:
    enum class State { HuntSyn, ExpectDle, ExpectStx, Body, BodyDle, Check1, Check2 };
    void Drop();

    State state_ = State::HuntSyn;
    std::vector<uint8_t> body_;
    ReceivedFrame frame_;
    uint32_t dropped_ = 0;
};

}  // namespace norda::sim
