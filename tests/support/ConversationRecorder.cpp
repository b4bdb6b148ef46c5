#include "tests/support/ConversationRecorder.h"

#include <cstdarg>
#include <cstdio>

#include "tools/radiosim/SimFraming.h"

namespace norda::test {

namespace {

using sim::kDle;
using sim::kEtx;
using sim::kStx;
using sim::kSyn;

// Bytes a hex line holds, and where it starts: under the frame type.
constexpr size_t kHexPerLine = 32;
constexpr const char* kHexIndent = "             ";

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    char text[160];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

std::string Bytes(size_t n) {
    return Format("%zu byte%s", n, n == 1 ? "" : "s");
}

std::string DescribeMessage(const uint8_t* m, size_t n) {
    if (m[0] == 0x03 && n >= 6) {
        const unsigned memory = m[2];
        const unsigned address = unsigned{m[3]} << 16 | unsigned{m[4]} << 8 | m[5];
        switch (m[1]) {
            case 0x01:
                if (n == 7)
                    return Format("read mem=%u addr=0x%04X len=%u", memory, address, m[6]);
                break;
            case 0x03:
                return Format("write mem=%u addr=0x%04X len=%zu", memory, address, n - 6);
            case 0x04:
                return Format("data mem=%u addr=0x%04X len=%zu", memory, address, n - 6);
            case 0x06:
                if (n == 9)
                    return Format("write reply mem=%u addr=0x%04X status=%u len=%u", memory,
                                  address, m[6], unsigned{m[7]} << 8 | m[8]);
                break;
            default:
                break;
        }
    } else if (m[0] == 0x04 && n == 2) {
        return Format("reset %u", m[1]);
    } else if (m[0] == 0x0D && n == 2) {
        return Format("loop %u", m[1]);
    } else if ((m[0] == 0x05 && n == 3) || (m[0] == 0x08 && n == 3)) {
        return Format("radio reply %02X x=%u p1=%u", m[0], m[1], m[2]);
    } else if (m[0] == 0x08 && n == 4) {
        return Format("radio reply 08 x=%u p1=%u p2=%u", m[1], m[2], m[3]);
    } else if (m[0] == 0x11) {
        return Format("radio report, %s", Bytes(n).c_str());
    }
    return Format("message %02X, %s", m[0], Bytes(n).c_str());
}

std::string DescribeFrame(const std::vector<uint8_t>& b) {
    if (b.empty())
        return "empty frame";
    switch (b[0]) {
        case 0x01:
            if (b.size() == 4)
                return Format("LR n1=%u k=%u ver=0x%02X", b[1], b[2], b[3]);
            return Format("LR of %s", Bytes(b.size()).c_str());
        case 0x02:
            if (b.size() == 4)
                return Format("LA nr=%u nk=%u", b[1], b[2]);
            return Format("LA of %s", Bytes(b.size()).c_str());
        case 0x04:
            if (b.size() < 4)
                return Format("LT of %s", Bytes(b.size()).c_str());
            return Format("LT ns=%u ar=%u ", b[1], b[2]) +
                   (b.size() > 4 ? DescribeMessage(b.data() + 4, b.size() - 4) : "no message");
        default:
            return Format("frame type %02X, %s", b[0], Bytes(b.size()).c_str());
    }
}

// The programs always send the fixed pair 0F 0F, the radio the CRC of the frame; anything
// else is worth a look.
std::string CheckNote(bool fromProgrammer, const std::vector<uint8_t>& body, uint8_t first,
                      uint8_t second) {
    if (fromProgrammer) {
        return first == 0x0F && second == 0x0F
                   ? ""
                   : Format(" [check %02X %02X, not 0F 0F]", first, second);
    }
    const uint16_t crc = sim::FrameCrc(body);
    if (first == (crc & 0xFF) && second == crc >> 8)
        return "";
    if (first == 0 && second == 0)
        return " [unchecked 00 00]";
    return Format(" [BAD CHECK %02X %02X, CRC is %02X %02X]", first, second, crc & 0xFF, crc >> 8);
}

}  // namespace

ConversationRecorder::ConversationRecorder(MemoryLine& line, Clock& clock)
    : line_(line), clock_(clock), start_(clock.TickCount()) {
    line_.SetTap([this](MemoryLine::Direction direction, std::span<const uint8_t> bytes) {
        Side& side = direction == MemoryLine::Direction::ToRadio ? toRadio_ : toPort_;
        const uint32_t at = clock_.TickCount() - start_;
        for (uint8_t b : bytes)
            Feed(side, b, at);
    });
}

ConversationRecorder::~ConversationRecorder() {
    line_.SetTap(nullptr);
}

void ConversationRecorder::Feed(Side& side, uint8_t byte, uint32_t at) {
    using State = Side::State;
    side.rawAt = at;
    switch (side.state) {
        case State::Hunt:
            Hunt(side, byte, at);
            return;
        case State::Syn:
        case State::SynDle: {
            const bool started = side.state == State::Syn ? byte == kDle : byte == kStx;
            if (!started) {
                // Not a frame start after all: noise, and the byte is looked at afresh.
                side.noise.insert(side.noise.end(), side.raw.begin(), side.raw.end());
                side.noiseAt = at;
                side.raw.clear();
                side.state = State::Hunt;
                Hunt(side, byte, at);
            } else if (side.state == State::Syn) {
                side.raw.push_back(byte);
                side.state = State::SynDle;
            } else {
                side.raw.push_back(byte);
                side.body.clear();
                side.state = State::Body;
                FlushNoise(side);
            }
            return;
        }
        case State::Body:
            side.raw.push_back(byte);
            if (byte == kDle) {
                side.state = State::BodyDle;
            } else {
                side.body.push_back(byte);
            }
            return;
        case State::BodyDle:
            if (byte == kDle || byte == kEtx) {
                side.raw.push_back(byte);
                if (byte == kDle)
                    side.body.push_back(kDle);
                side.state = byte == kDle ? State::Body : State::Check1;
                return;
            }
            Broken(side, byte, at);
            return;
        case State::Check1:
            side.raw.push_back(byte);
            side.state = State::Check2;
            return;
        case State::Check2:
            side.raw.push_back(byte);
            Complete(side, at);
            return;
    }
}

void ConversationRecorder::Hunt(Side& side, uint8_t byte, uint32_t at) {
    if (byte == kSyn) {
        side.raw.assign(1, byte);
        side.state = Side::State::Syn;
    } else {
        side.noise.push_back(byte);
        side.noiseAt = at;
    }
}

void ConversationRecorder::FlushNoise(Side& side) {
    EmitNoise(side, text_);
    side.noise.clear();
}

void ConversationRecorder::EmitNoise(const Side& side, std::string& out) {
    if (!side.noise.empty())
        Emit(side.noiseAt, side, "noise, " + Bytes(side.noise.size()), side.noise, out);
}

// A DLE followed by anything but DLE or ETX: what came so far is shown as it was. A DLE STX
// starts a frame afresh, as a sender that began again would; any other byte is looked at
// afresh.
void ConversationRecorder::Broken(Side& side, uint8_t byte, uint32_t at) {
    const bool restart = byte == kStx;
    if (restart)
        side.raw.pop_back();
    FlushNoise(toRadio_);
    FlushNoise(toPort_);
    Emit(at, side, "broken frame, " + Bytes(side.raw.size()), side.raw, text_);
    side.raw.clear();
    side.body.clear();
    if (restart) {
        side.raw = {kDle, kStx};
        side.state = Side::State::Body;
        return;
    }
    side.state = Side::State::Hunt;
    Hunt(side, byte, at);
}

void ConversationRecorder::Complete(Side& side, uint32_t at) {
    const uint8_t first = side.raw[side.raw.size() - 2];
    const uint8_t second = side.raw.back();
    // Noise that came meanwhile on either side goes first, so the lines keep their order.
    FlushNoise(toRadio_);
    FlushNoise(toPort_);
    Emit(at, side,
         DescribeFrame(side.body) + CheckNote(side.fromProgrammer, side.body, first, second),
         side.raw, text_);
    side.raw.clear();
    side.body.clear();
    side.state = Side::State::Hunt;
}

void ConversationRecorder::Emit(uint32_t at, const Side& side, const std::string& what,
                                const std::vector<uint8_t>& bytes, std::string& out) {
    out += Format("%6u ms %s ", at, side.arrow);
    out += what;
    for (size_t i = 0; i < bytes.size(); ++i) {
        out += i % kHexPerLine == 0 ? std::string("\n") + kHexIndent : std::string(" ");
        out += Format("%02X", bytes[i]);
    }
    out += '\n';
}

void ConversationRecorder::Pending(const Side& side, std::string& out) {
    EmitNoise(side, out);
    if (!side.raw.empty())
        Emit(side.rawAt, side, "incomplete frame, " + Bytes(side.raw.size()), side.raw, out);
}

std::string ConversationRecorder::Text() const {
    std::string text = text_;
    Pending(toRadio_, text);
    Pending(toPort_, text);
    return text;
}

}  // namespace norda::test
