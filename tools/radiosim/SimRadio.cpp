#include "tools/radiosim/SimRadio.h"

#include <algorithm>
#include <limits>

#include "tools/radiosim/FlashImage.h"

namespace norda::sim {

namespace {

constexpr uint64_t kNever = std::numeric_limits<uint64_t>::max();
constexpr uint64_t kNsPerMs = 1000000;

constexpr uint8_t kFrameLr = 0x01;
constexpr uint8_t kFrameLa = 0x02;
constexpr uint8_t kFrameLt = 0x04;

constexpr uint8_t kMsgMemory = 0x03;
constexpr uint8_t kMsgReset = 0x04;
constexpr uint8_t kMsgLoop = 0x0D;
constexpr uint8_t kOpRead = 0x01;
constexpr uint8_t kOpWrite = 0x03;
constexpr uint8_t kReplyData = 0x04;

constexpr uint8_t kParamMemoryId = 1;
constexpr uint8_t kFlashMemoryId = 2;

}  // namespace

SimRadio::SimRadio(Clock& clock, const RadioConfig& config, const ParamMemory& params,
                   std::vector<uint8_t> flash)
    : clock_(clock),
      config_(config),
      params_(params),
      flash_(std::move(flash)),
      lastTick_(clock.TickCount()),
      byteNs_(config.baud ? 10ull * 1000000000ull / config.baud : 0) {
    flash_.resize(kFlashSize, 0xFF);
}

SimRadio::SimRadio(Clock& clock, const RadioConfig& config)
    : SimRadio(clock, config, GenerateParamMemory(config.halfBaseChan), GenerateFlashImage()) {}

void SimRadio::Sync() {
    const uint32_t tick = clock_.TickCount();
    now_ += static_cast<uint64_t>(static_cast<uint32_t>(tick - lastTick_)) * kNsPerMs;
    lastTick_ = tick;
}

void SimRadio::Receive(const uint8_t* data, size_t length) {
    Sync();
    for (size_t i = 0; i < length; ++i) {
        inLineFree_ = std::max(inLineFree_, now_) + byteNs_;
        input_.push_back({inLineFree_, data[i]});
    }
    stats_.bytesIn += length;
}

uint64_t SimRadio::NextDue() const {
    uint64_t next = kNever;
    if (!input_.empty())
        next = std::min(next, input_.front().at);
    if (awaitingLa_)
        next = std::min(next, ltDeadline_);
    if (link_ == LinkState::LrSent)
        next = std::min(next, lrDeadline_);
    if (erasing_ && !config_.faults.neverErased)
        next = std::min(next, eraseDone_);
    if (quiet_)
        next = std::min(next, quietUntil_);
    return next;
}

void SimRadio::Poll() {
    Sync();
    // Events are taken strictly in time order, so a late poll (or a virtual
    // clock that jumped) gives the same conversation as a punctual one.
    for (uint64_t t = NextDue(); t <= now_; t = NextDue()) {
        if (quiet_ && quietUntil_ <= t) {
            Restart();
        } else if (!input_.empty() && input_.front().at == t) {
            const uint8_t byte = input_.front().byte;
            input_.pop_front();
            if (quiet_)
                continue;
            if (receiver_.Feed(byte))
                HandleFrame(receiver_.Frame(), t);
            stats_.framesDropped = receiver_.Dropped();
        } else if (erasing_ && !config_.faults.neverErased && eraseDone_ <= t) {
            std::fill(flash_.begin(), flash_.end(), 0xFF);
            erasing_ = false;
            ++stats_.erasesCompleted;
        } else if (awaitingLa_ && ltDeadline_ <= t) {
            if (ltSends_ < config_.ltMaxSends) {
                ++stats_.ltRetransmissions;
                SendHeadLt(t);
            } else {
                SendLr(t);
            }
        } else if (link_ == LinkState::LrSent && lrDeadline_ <= t) {
            if (lrSends_ < config_.ltMaxSends) {
                const uint32_t sends = lrSends_;
                SendLr(t);
                lrSends_ = sends + 1;
            } else {
                link_ = LinkState::Down;
            }
        } else {
            break;
        }
    }
}

std::vector<uint8_t> SimRadio::TakeOutput() {
    Poll();
    std::vector<uint8_t> out;
    while (!output_.empty() && output_.front().at <= now_) {
        out.push_back(output_.front().byte);
        output_.pop_front();
    }
    stats_.bytesOut += out.size();
    return out;
}

uint32_t SimRadio::MsUntilNextEvent() {
    Sync();
    uint64_t next = NextDue();
    if (!output_.empty())
        next = std::min(next, output_.front().at);
    if (next == kNever)
        return std::numeric_limits<uint32_t>::max();
    if (next <= now_)
        return 0;
    const uint64_t ms = (next - now_ + kNsPerMs - 1) / kNsPerMs;
    return static_cast<uint32_t>(std::min<uint64_t>(ms, std::numeric_limits<uint32_t>::max() - 1));
}

void SimRadio::HandleFrame(const ReceivedFrame& frame, uint64_t t) {
    ++stats_.framesReceived;
    if (frame.check[0] == 0x0F && frame.check[1] == 0x0F)
        ++stats_.framesFixedCheck;
    const std::vector<uint8_t>& body = frame.body;
    const uint64_t answerAt = t + config_.turnaroundMs * kNsPerMs;
    if (body.empty()) {
        ++stats_.protocolErrors;
        return;
    }
    switch (body[0]) {
        case kFrameLr:
            ++stats_.lrReceived;
            if (body.size() >= 2)
                peerN1_ = body[1];
            pending_.clear();
            awaitingLa_ = false;
            if (config_.answerLrWithLr) {
                SendLr(answerAt);
            } else {
                vs_ = vr_ = 1;
                link_ = LinkState::Up;
                SendLa(1, answerAt);
            }
            return;
        case kFrameLa: {
            ++stats_.laReceived;
            if (body.size() != 4) {
                ++stats_.protocolErrors;
                return;
            }
            const uint8_t nr = body[1];
            if (link_ == LinkState::LrSent) {
                if (nr == 1) {
                    link_ = LinkState::Up;
                    TrySendNextLt(answerAt);
                } else {
                    ++stats_.protocolErrors;
                }
            } else if (link_ == LinkState::Up && awaitingLa_ &&
                       nr == static_cast<uint8_t>(vs_ + 1)) {
                vs_ = nr;
                awaitingLa_ = false;
                pending_.pop_front();
                TrySendNextLt(answerAt);
            } else if (!(link_ == LinkState::Up && nr == vs_)) {
                ++stats_.protocolErrors;
            }
            return;
        }
        case kFrameLt:
            ++stats_.ltReceived;
            HandleLt(body, answerAt);
            return;
        default:
            ++stats_.protocolErrors;
            return;
    }
}

bool SimRadio::IsResetCommand(const std::vector<uint8_t>& ltBody) const {
    return ltBody.size() >= 5 && ltBody[4] == kMsgReset;
}

void SimRadio::HandleLt(const std::vector<uint8_t>& body, uint64_t t) {
    if (body.size() < 4) {
        ++stats_.protocolErrors;
        return;
    }
    if (link_ != LinkState::Up) {
        SendLr(t);
        return;
    }
    const uint8_t ns = body[1];
    const bool ackRequired = body[2] == 0x01;
    if (config_.faults.ignoreReset && IsResetCommand(body)) {
        ++stats_.resetsIgnored;
        return;
    }
    if (ns == vr_) {
        const Faults& f = config_.faults;
        if (f.relinkAfter >= 0 && !relinkDone_ &&
            ltAccepted_ == static_cast<uint32_t>(f.relinkAfter)) {
            relinkDone_ = true;
            SendLr(t);
            return;
        }
        ++vr_;
        ++ltAccepted_;
        const bool acknowledged = ackRequired && AcknowledgeLt(t);
        Execute(std::vector<uint8_t>(body.begin() + 4, body.end()), acknowledged, t);
    } else if (ns == static_cast<uint8_t>(vr_ - 1)) {
        ++stats_.ltRepeats;
        if (ackRequired)
            AcknowledgeLt(t);
    } else {
        ++stats_.protocolErrors;
        SendLr(t);
    }
}

bool SimRadio::AcknowledgeLt(uint64_t t) {
    ++ltAcksDue_;
    if (config_.faults.dropLaEvery && ltAcksDue_ % config_.faults.dropLaEvery == 0) {
        ++stats_.laDropped;
        return false;
    }
    return SendLa(vr_, t);
}

void SimRadio::Execute(const std::vector<uint8_t>& m, bool acknowledged, uint64_t t) {
    if (m.empty())
        return;
    switch (m[0]) {
        case kMsgMemory: {
            if (m.size() < 6)
                break;
            const uint8_t memory = m[2];
            const uint32_t address = (uint32_t{m[3]} << 16) | (uint32_t{m[4]} << 8) | m[5];
            if (m[1] == kOpRead && m.size() >= 7) {
                ++stats_.memoryReads;
                if (memory != kParamMemoryId && memory != kFlashMemoryId)
                    break;
                if (config_.faults.noDataReply)
                    return;
                // A reply never exceeds the largest message the programmer said it takes.
                const size_t length = std::min<size_t>(m[6], peerN1_ > 6 ? peerN1_ - 6u : 0u);
                std::vector<uint8_t> reply{kMsgMemory, kReplyData, memory, m[3], m[4], m[5]};
                const std::vector<uint8_t> data = ReadMemory(memory, address, length);
                reply.insert(reply.end(), data.begin(), data.end());
                pending_.push_back(std::move(reply));
                TrySendNextLt(t);
                return;
            }
            if (m[1] == kOpWrite) {
                ++stats_.memoryWrites;
                if (memory != kParamMemoryId && memory != kFlashMemoryId)
                    break;
                WriteMemory(memory, address, m.data() + 6, m.size() - 6);
                return;
            }
            break;
        }
        case kMsgReset:
            ++stats_.resets;
            stats_.resetsAcknowledged += acknowledged;
            StartReset(t);
            return;
        case kMsgLoop:
            ++stats_.loopCommands;
            loopMode_ = true;
            if (!erasing_) {
                erasing_ = true;
                eraseDone_ = t + uint64_t{config_.eraseMs} * kNsPerMs;
                if (config_.eraseReads == RadioConfig::EraseReads::Erased) {
                    std::fill(flash_.begin(), flash_.end(), 0xFF);
                }
            }
            return;
        default:
            break;
    }
    ++stats_.unknownRequests;
}

std::vector<uint8_t> SimRadio::ReadMemory(uint8_t memory, uint32_t address, size_t length) {
    std::vector<uint8_t> data(length, 0xFF);
    for (size_t i = 0; i < length; ++i) {
        const uint64_t a = uint64_t{address} + i;
        if (memory == kParamMemoryId) {
            if (a < params_.size())
                data[i] = params_[a];
        } else if (erasing_ && config_.eraseReads == RadioConfig::EraseReads::Busy) {
            // An erasing flash answers with its busy status, never with FF.
            data[i] = 0x00;
        } else if (a < flash_.size()) {
            data[i] = flash_[a];
        }
    }
    return data;
}

void SimRadio::WriteMemory(uint8_t memory, uint32_t address, const uint8_t* data, size_t length) {
    if ((memory == kFlashMemoryId && erasing_) ||
        (memory == kParamMemoryId && config_.faults.loseWrites)) {
        ++stats_.writesLost;
        if (memory == kParamMemoryId || config_.eraseReads == RadioConfig::EraseReads::Busy) {
            return;
        }
    }
    for (size_t i = 0; i < length; ++i) {
        const uint64_t a = uint64_t{address} + i;
        if (memory == kParamMemoryId) {
            if (a < params_.size())
                params_[a] = data[i];
        } else if (a < flash_.size()) {
            // Programming can only take bits from 1 to 0; only an erase brings them back.
            flash_[a] &= data[i];
        }
    }
}

bool SimRadio::SendFrame(const std::vector<uint8_t>& body, uint64_t t) {
    if (config_.faults.silent)
        return false;
    ++framesSent_;
    CheckBytes check = CheckBytes::Crc;
    if (config_.faults.badFcsEvery && framesSent_ % config_.faults.badFcsEvery == 0) {
        check = CheckBytes::Corrupt;
    }
    std::vector<uint8_t> wire;
    if (config_.faults.garbage) {
        // Noise that a sound receiver must skip: never SYN DLE, never ending in SYN.
        noise_ = noise_ * 1664525u + 1013904223u;
        const size_t count = 1 + (noise_ >> 28) % 6;
        uint8_t previous = 0;
        for (size_t i = 0; i < count; ++i) {
            noise_ = noise_ * 1664525u + 1013904223u;
            uint8_t b = static_cast<uint8_t>(noise_ >> 20);
            if ((i % 3) == 0)
                b = (i & 1) ? kDle : kSyn;  // the bytes that matter most
            if (previous == kSyn && b == kDle)
                b = 0x55;
            if (i + 1 == count && b == kSyn)
                b = kEtx;
            wire.push_back(b);
            previous = b;
        }
    }
    const std::vector<uint8_t> frame = BuildFrame(body, check);
    wire.insert(wire.end(), frame.begin(), frame.end());
    uint64_t at = std::max(t, outLineFree_);
    for (uint8_t b : wire) {
        at += byteNs_;
        output_.push_back({at, b});
    }
    outLineFree_ = at;
    return check == CheckBytes::Crc;
}

bool SimRadio::SendLa(uint8_t nr, uint64_t t) {
    ++stats_.laSent;
    return SendFrame({kFrameLa, nr, 0x01, 0x00}, t);
}

void SimRadio::SendLr(uint64_t t) {
    ++stats_.lrSent;
    link_ = LinkState::LrSent;
    vs_ = vr_ = 1;
    pending_.clear();
    awaitingLa_ = false;
    lrSends_ = 1;
    SendFrame({kFrameLr, 0xFF, 0x01, 0x80}, t);
    lrDeadline_ = std::max(t, outLineFree_) + uint64_t{config_.ltRetryMs} * kNsPerMs;
}

void SimRadio::TrySendNextLt(uint64_t t) {
    if (link_ != LinkState::Up || awaitingLa_ || pending_.empty())
        return;
    ltSends_ = 0;
    SendHeadLt(t);
}

void SimRadio::SendHeadLt(uint64_t t) {
    // Sized once and filled: growing a four-byte vector by insert trips GCC 12's
    // -Warray-bounds at -O2.
    const std::vector<uint8_t>& message = pending_.front();
    std::vector<uint8_t> body(4 + message.size());
    body[0] = kFrameLt;
    body[1] = vs_;
    body[2] = 0x01;
    std::copy(message.begin(), message.end(), body.begin() + 4);
    ++stats_.ltSent;
    ++ltSends_;
    awaitingLa_ = true;
    SendFrame(body, t);
    ltDeadline_ = std::max(t, outLineFree_) + uint64_t{config_.ltRetryMs} * kNsPerMs;
}

void SimRadio::StartReset(uint64_t t) {
    // The erase is the loop-mode firmware's work; the restart ends it.
    erasing_ = false;
    quiet_ = true;
    quietUntil_ = std::max(t, outLineFree_) + uint64_t{config_.resetQuietMs} * kNsPerMs;
    link_ = LinkState::Down;
    pending_.clear();
    awaitingLa_ = false;
    receiver_.Reset();
}

void SimRadio::Restart() {
    quiet_ = false;
    loopMode_ = false;
    link_ = LinkState::Down;
    vs_ = vr_ = 1;
    receiver_.Reset();
}

}  // namespace norda::sim
