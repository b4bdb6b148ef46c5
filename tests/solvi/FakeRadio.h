#pragma once

#include <array>
#include <climits>
#include <cstdint>
#include <set>
#include <vector>

#include "tests/support/MemoryLine.h"

namespace norda::solvi::test {

// A scripted radio at the far end of an in-memory line: answers link requests, acknowledges
// link transfers and serves flash reads, writes, the loop and the reset command. It frames
// and unframes on its own and sends check bytes 00 00, which the programmer takes unchecked.
class FakeRadio {
  public:
    static constexpr uint32_t kFlashSize = 0x20000;

    explicit FakeRadio(MemoryLine& line) : line_(line) {
        flash.fill(0xFF);
        line_.SetWriteListener([this](std::span<const uint8_t> bytes) {
            for (uint8_t b : bytes) {
                Take(b);
            }
        });
    }
    ~FakeRadio() { line_.SetWriteListener(nullptr); }

    // Faults.
    bool silent = false;
    std::set<uint8_t> unacknowledgedCodes;  // network message codes never acknowledged
    bool answerReads = true;
    bool neverErases = false;
    int checksBeforeErased = 0;          // erase-check reads that still find programmed flash
    uint32_t loseWritesTo = UINT32_MAX;  // block address whose next writes do not land
    int writesToLose = 0;
    uint32_t stuckBitAt = UINT32_MAX;  // flash byte whose lowest bit stays 1
    // An erase that ends late: it wipes the flash just before a write to this block lands.
    uint32_t wipeBeforeWriteTo = UINT32_MAX;
    int wipes = 0;

    // What the programmer did.
    std::array<uint8_t, kFlashSize> flash{};
    int linkRequests = 0;
    int loopCommands = 0;
    int resetCommands = 0;
    std::vector<uint32_t> writes;  // block addresses in arrival order
    struct Read {
        uint32_t address;
        uint8_t length;
    };
    std::vector<Read> reads;
    // Message codes of every LT, repeats included.
    std::vector<uint8_t> requests;

  private:
    void Take(uint8_t b) {
        switch (rx_) {
            case Rx::Syn:
                rx_ = b == 0x16 ? Rx::Dle : Rx::Syn;
                break;
            case Rx::Dle:
                rx_ = b == 0x10 ? Rx::Stx : Rx::Syn;
                break;
            case Rx::Stx:
                rx_ = b == 0x02 ? Rx::Body : Rx::Syn;
                body_.clear();
                dle_ = false;
                break;
            case Rx::Body:
                if (dle_) {
                    dle_ = false;
                    if (b == 0x10) {
                        body_.push_back(0x10);
                    } else if (b == 0x03) {
                        rx_ = Rx::Fcs1;
                    } else {
                        rx_ = Rx::Syn;
                    }
                } else if (b == 0x10) {
                    dle_ = true;
                } else {
                    body_.push_back(b);
                }
                break;
            case Rx::Fcs1:
                rx_ = Rx::Fcs2;
                break;
            case Rx::Fcs2:
                rx_ = Rx::Syn;
                OnFrame();
                break;
        }
    }

    void Send(std::vector<uint8_t> body) {
        std::vector<uint8_t> wire = {0x16, 0x10, 0x02};
        for (uint8_t b : body) {
            wire.push_back(b);
            if (b == 0x10) {
                wire.push_back(0x10);
            }
        }
        wire.insert(wire.end(), {0x10, 0x03, 0x00, 0x00});
        line_.Send(wire);
    }

    void SendTransfer(std::vector<uint8_t> message) {
        // Header written into the message's own buffer: GCC 12 at -O2 misreads an
        // insert after a four-byte initializer list as an out-of-bounds copy.
        message.insert(message.begin(), {0x04, vs_++, 0x01, 0x00});
        Send(message);
    }

    void OnFrame() {
        if (!body_.empty() && body_[0] == 0x01) {
            ++linkRequests;
        }
        if (silent || body_.empty()) {
            return;
        }
        if (body_[0] == 0x01) {
            vs_ = 1;
            vr_ = 1;
            Send({0x02, 0x01, 0x01, 0x00});
            return;
        }
        if (body_[0] != 0x04 || body_.size() < 5) {
            return;  // the programmer's own acknowledgements
        }
        uint8_t code = body_[4];
        requests.push_back(code);
        if (unacknowledgedCodes.count(code)) {
            return;
        }
        uint8_t ns = body_[1];
        if (ns != vr_) {
            Send({0x02, vr_, 0x01, 0x00});  // a repeat: acknowledge again, do nothing
            return;
        }
        ++vr_;
        Send({0x02, vr_, 0x01, 0x00});
        Execute(std::vector<uint8_t>(body_.begin() + 4, body_.end()));
    }

    void Execute(const std::vector<uint8_t>& m) {
        switch (m[0]) {
            case 0x03: {
                if (m.size() < 7) {
                    return;
                }
                uint32_t address = static_cast<uint32_t>(m[3] << 16 | m[4] << 8 | m[5]);
                if (m[1] == 0x01) {
                    reads.push_back({address, m[6]});
                    if (!answerReads) {
                        return;
                    }
                    std::vector<uint8_t> reply = {0x03, 0x04, m[2], m[3], m[4], m[5]};
                    for (uint32_t i = 0; i < m[6]; ++i) {
                        reply.push_back(flash[(address + i) % kFlashSize]);
                    }
                    if (m[6] == 2 && loopCommands > 0 && (neverErases || checksBeforeErased > 0)) {
                        --checksBeforeErased;
                        reply[6] = 0x00;
                    }
                    SendTransfer(reply);
                } else if (m[1] == 0x03) {
                    writes.push_back(address);
                    if (address == wipeBeforeWriteTo && wipes > 0) {
                        --wipes;
                        flash.fill(0xFF);
                    }
                    if (address == loseWritesTo && writesToLose > 0) {
                        --writesToLose;
                        break;
                    }
                    for (std::size_t i = 6; i < m.size(); ++i) {
                        flash[(address + i - 6) % kFlashSize] &= m[i];
                    }
                    if (stuckBitAt < kFlashSize) {
                        flash[stuckBitAt] |= 0x01;
                    }
                }
                break;
            }
            case 0x0D:
                ++loopCommands;
                flash.fill(0xFF);
                break;
            case 0x04:
                ++resetCommands;
                break;
            default:
                break;
        }
    }

    enum class Rx { Syn, Dle, Stx, Body, Fcs1, Fcs2 };
    MemoryLine& line_;
    Rx rx_ = Rx::Syn;
    bool dle_ = false;
    std::vector<uint8_t> body_;
    uint8_t vs_ = 1;
    uint8_t vr_ = 1;
};

}  // namespace norda::solvi::test
