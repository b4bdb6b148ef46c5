#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "link/TWinmap27Port.h"
#include "platform/Clock.h"
#include "tests/support/ProgramLinks.h"

namespace norda::test {

using Bytes = std::vector<uint8_t>;

// A programmer in miniature on top of the link engine: it sets up the link,
// sends one request at a time and retries the way the real owners do (link
// attempts 1 s apart, acknowledgement within 1 s, reply within 3 s), but with
// none of their screens. After an acknowledgement that never came it restarts
// the link, so the sequence numbers of both ends are in step again.
class SimStation : public TWinmap27Port, private LinkListener {
  public:
    SimStation(Program variant, int port, int32_t baud, Clock& clock,
               std::unique_ptr<ByteStream> stream = nullptr,
               std::function<void()> exchange = nullptr)
        : TWinmap27Port(LinkOf(variant), port, baud, clock, std::move(stream)),
          clock_(clock),
          exchange_(std::move(exchange)) {
        SetListener(this);
        SetMemoryAccess(true);
        SetTrace(true);
    }

    Status Open() { return Port().Open(); }
    void Close() { Port().Close(); }

    static constexpr int kNoLink = -1;
    static constexpr int kNoAnswer = -2;

    void Step() {
        clock_.Sleep(1);
        if (exchange_) {
            exchange_();
        }
        uint8_t buffer[kFrameBufferSize];
        for (int n; (n = ReceiveFrame(buffer, sizeof buffer)) > 0;) {
            ProcessFrame(buffer, static_cast<size_t>(n));
        }
    }

    bool WaitFor(const std::function<bool()>& done, uint32_t ms) {
        const uint32_t start = clock_.TickCount();
        while (!done()) {
            if (clock_.TickCount() - start >= ms) {
                return false;
            }
            Step();
        }
        return true;
    }

    bool Link(int attempts = 3) {
        for (int i = 0; i < attempts; ++i) {
            ResetLink();
            if (WaitFor([&] { return LinkEstablished(); }, 1000)) {
                return true;
            }
        }
        return false;
    }

    int Read(uint8_t memory, uint32_t address, uint8_t length, Bytes& out, int attempts = 4) {
        const int rc = Transfer(
            [&] { return Send(NetworkRequest::Read(1, memory, address, length)); }, true, attempts);
        if (rc == 0) {
            out = area;
        }
        return rc;
    }
    int Write(uint8_t memory, uint32_t address, const Bytes& data, int attempts = 4) {
        return Transfer(
            [&] {
                return Send(NetworkRequest::Write(3, memory, address, data.data(), data.size()));
            },
            false, attempts);
    }
    int Reset(int attempts = 4) {
        return Transfer([&] { return Send(NetworkRequest::Reset(1)); }, false, attempts);
    }
    int Loop(int attempts = 4) {
        return Transfer([&] { return Send(NetworkRequest::Loop(3)); }, false, attempts);
    }

    // Whole parameter memory in the 80-byte blocks of a read.
    int ReadAll(uint8_t memory, uint32_t base, size_t size, Bytes& out) {
        out.clear();
        for (size_t at = 0; at < size; at += 80) {
            Bytes block;
            const auto n = static_cast<uint8_t>(std::min<size_t>(80, size - at));
            if (int rc = Read(memory, static_cast<uint32_t>(base + at), n, block); rc != 0) {
                return rc;
            }
            if (areaAddress != base + at || block.size() != n) {
                return kNoAnswer;
            }
            out.insert(out.end(), block.begin(), block.end());
        }
        return 0;
    }

    int linkUps = 0;
    int acks = 0;
    int areas = 0;
    int retries = 0;
    uint8_t areaMemory = 0;
    uint32_t areaAddress = 0;
    Bytes area;
    std::vector<std::string> traces;

  private:
    void OnLinkUp() override { ++linkUps; }
    void OnAcknowledged() override { ++acks; }
    void OnTrace(std::string_view text) override { traces.emplace_back(text); }
    void OnReply(const RadioReply& reply) override {
        if (reply.kind != RadioReply::Kind::MemoryArea) {
            return;
        }
        ++areas;
        areaMemory = reply.memory;
        areaAddress = reply.address;
        area.assign(reply.data, reply.data + reply.length);
    }

    int Transfer(const std::function<Status()>& send, bool needsReply, int attempts) {
        for (int attempt = 0; attempt < attempts; ++attempt) {
            if (attempt > 0) {
                ++retries;
            }
            if (!LinkEstablished() && !Link()) {
                return kNoLink;
            }
            const int ups = linkUps;
            const int ackCount = acks;
            const int areaCount = areas;
            if (!Succeeded(send())) {
                return kNoLink;
            }
            const bool acked = WaitFor(
                [&] { return acks > ackCount || linkUps != ups || !LinkEstablished(); }, 1000);
            if (linkUps != ups || !LinkEstablished()) {
                continue;  // the radio restarted the link: the request may be lost
            }
            if (!acked) {
                const bool answered = needsReply && areas > areaCount;
                DropLink();
                if (answered) {
                    return Link() ? 0 : kNoLink;
                }
                continue;
            }
            if (!needsReply) {
                return 0;
            }
            if (WaitFor([&] { return areas > areaCount || linkUps != ups; }, 3000) &&
                areas > areaCount) {
                return 0;
            }
        }
        return kNoAnswer;
    }

    Clock& clock_;
    std::function<void()> exchange_;
};

}  // namespace norda::test
