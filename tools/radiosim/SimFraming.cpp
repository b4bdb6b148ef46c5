#include "tools/radiosim/SimFraming.h"

#include "tools/radiosim/SimCrc.h"

namespace norda::sim {

uint16_t FrameCrc(const std::vector<uint8_t>& body) {
    std::vector<uint8_t> covered(body);
    covered.push_back(kDle);
    covered.push_back(kEtx);
    return Crc16Usb(covered.data(), covered.size());
}

std::vector<uint8_t> BuildFrame(const std::vector<uint8_t>& body, CheckBytes check) {
    std::vector<uint8_t> wire{kSyn, kDle, kStx};
    wire.reserve(body.size() * 2 + 7);
    for (uint8_t b : body) {
        wire.push_back(b);
        if (b == kDle)
            wire.push_back(kDle);
    }
    wire.push_back(kDle);
    wire.push_back(kEtx);
    uint16_t value = 0x0F0F;
    if (check != CheckBytes::Fixed0F) {
        value = FrameCrc(body);
        if (check == CheckBytes::Corrupt) {
            value ^= 0x8001;
            // 00 00 would mean "unchecked" to a receiver and so be accepted.
            if (value == 0)
                value = 0x1234;
        }
    }
    wire.push_back(static_cast<uint8_t>(value & 0xFF));
    wire.push_back(static_cast<uint8_t>(value >> 8));
    return wire;
}

void FrameReceiver::Reset() {
    state_ = State::HuntSyn;
    body_.clear();
}

void FrameReceiver::Drop() {
    ++dropped_;
    Reset();
}

bool FrameReceiver::Feed(uint8_t byte) {
    switch (state_) {
        case State::HuntSyn:
            if (byte == kSyn)
                state_ = State::ExpectDle;
            return false;
        case State::ExpectDle:
            if (byte == kDle) {
                state_ = State::ExpectStx;
            } else if (byte != kSyn) {
                state_ = State::HuntSyn;
            }
            return false;
        case State::ExpectStx:
            if (byte == kStx) {
                body_.clear();
                state_ = State::Body;
            } else {
                state_ = byte == kSyn ? State::ExpectDle : State::HuntSyn;
            }
            return false;
        case State::Body:
            if (byte == kDle) {
                state_ = State::BodyDle;
            } else if (body_.size() >= kMaxBody) {
                Drop();
            } else {
                body_.push_back(byte);
            }
            return false;
        case State::BodyDle:
            if (byte == kDle) {
                if (body_.size() >= kMaxBody) {
                    Drop();
                } else {
                    body_.push_back(kDle);
                    state_ = State::Body;
                }
            } else if (byte == kEtx) {
                state_ = State::Check1;
            } else if (byte == kStx) {
                // A fresh frame start inside a frame: the sender began again.
                ++dropped_;
                body_.clear();
                state_ = State::Body;
            } else {
                Drop();
            }
            return false;
        case State::Check1:
            frame_.check[0] = byte;
            state_ = State::Check2;
            return false;
        case State::Check2: {
            frame_.check[1] = byte;
            frame_.body = body_;
            uint16_t crc = FrameCrc(frame_.body);
            frame_.crcValid = frame_.check[0] == (crc & 0xFF) && frame_.check[1] == (crc >> 8);
            Reset();
            return true;
        }
    }
    return false;
}

}  // namespace norda::sim
