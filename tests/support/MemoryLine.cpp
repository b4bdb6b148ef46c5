#include "tests/support/MemoryLine.h"

#include <algorithm>
#include <deque>
#include <mutex>

namespace norda {

struct MemoryLine::State {
    mutable std::mutex mutex;
    std::deque<uint8_t> toPort;
    std::vector<uint8_t> written;
    std::function<void(std::span<const uint8_t>)> listener;
    std::function<void(MemoryLine::Direction, std::span<const uint8_t>)> tap;
    bool present = true;
    bool heldElsewhere = false;
    bool refuseSettings = false;
    uint32_t maxTransmit = 0;
    uint32_t maxReceive = 0;
    bool lineError = false;
    bool vanished = false;
    bool writeLimited = false;
    size_t writeLimit = 0;
    bool open = false;
    // Counts unplugging: a stream opened before the last one talks to a device that is gone.
    int device = 0;
    int openCount = 0;
    int portNumber = 0;
    int32_t baud = 0;
    HandshakeMode handshake = HandshakeMode::None;
    int purgeCount = 0;
    int transmitPurgeCount = 0;
    uint32_t lastReadWait = 0;
    uint32_t lastWriteTimeout = 0;
};

namespace {

class MemoryStream final : public ByteStream {
  public:
    explicit MemoryStream(std::shared_ptr<MemoryLine::State> state) : state_(std::move(state)) {}

    Status Open(int portNumber) override {
        std::lock_guard lock(state_->mutex);
        if (!state_->present || state_->heldElsewhere || state_->open) {
            return Status::CannotOpen;
        }
        state_->open = true;
        device_ = state_->device;
        ++state_->openCount;
        state_->portNumber = portNumber;
        return Status::Ok;
    }

    void QueueLimits(uint32_t& maxTransmit, uint32_t& maxReceive) override {
        std::lock_guard lock(state_->mutex);
        maxTransmit = state_->maxTransmit;
        maxReceive = state_->maxReceive;
    }

    Status Configure(int32_t baud, HandshakeMode handshake) override {
        std::lock_guard lock(state_->mutex);
        if (state_->refuseSettings) {
            return Status::SettingsRefused;
        }
        state_->baud = baud;
        state_->handshake = handshake;
        return Status::Ok;
    }

    void Close() override {
        std::lock_guard lock(state_->mutex);
        state_->open = false;
    }

    void Purge(PurgeScope scope) override {
        std::lock_guard lock(state_->mutex);
        if (scope == PurgeScope::Both) {
            state_->toPort.clear();
            state_->lineError = false;
            ++state_->purgeCount;
        } else {
            ++state_->transmitPurgeCount;
        }
    }

    Received ReadByte(uint8_t* byte, uint32_t waitMs) override {
        std::lock_guard lock(state_->mutex);
        state_->lastReadWait = waitMs;
        if (state_->vanished || state_->lineError || Unplugged()) {
            state_->lineError = false;
            return Received::Failed;
        }
        if (state_->toPort.empty()) {
            return Received::Nothing;
        }
        *byte = state_->toPort.front();
        state_->toPort.pop_front();
        return Received::Byte;
    }

    // Never blocks: with bytes queued there is something to read, without them the port's
    // clock (a virtual one in tests) lets the time pass.
    Readiness WaitReadable(uint32_t) override {
        std::lock_guard lock(state_->mutex);
        return !state_->vanished && !Unplugged() && !state_->toPort.empty() ? Readiness::Ready
                                                                            : Readiness::CannotWait;
    }

    Status Write(const uint8_t* data, size_t length, uint32_t timeoutMs) override {
        std::function<void(std::span<const uint8_t>)> listener;
        std::function<void(MemoryLine::Direction, std::span<const uint8_t>)> tap;
        size_t accepted = length;
        {
            std::lock_guard lock(state_->mutex);
            state_->lastWriteTimeout = timeoutMs;
            if (state_->vanished || Unplugged()) {
                return Status::WriteFailed;
            }
            if (state_->writeLimited) {
                state_->writeLimited = false;
                accepted = std::min(accepted, state_->writeLimit);
            }
            listener = state_->listener;
            tap = state_->tap;
            if (!listener) {
                state_->written.insert(state_->written.end(), data, data + accepted);
            }
        }
        if (tap && accepted > 0) {
            tap(MemoryLine::Direction::ToRadio, std::span<const uint8_t>(data, accepted));
        }
        if (listener && accepted > 0) {
            listener(std::span<const uint8_t>(data, accepted));
        }
        return accepted == length ? Status::Ok : Status::WriteFailed;
    }

  private:
    bool Unplugged() const { return device_ != state_->device; }

    std::shared_ptr<MemoryLine::State> state_;
    int device_ = 0;
};

}  // namespace

MemoryLine::MemoryLine() : state_(std::make_shared<State>()) {}

std::unique_ptr<ByteStream> MemoryLine::MakeStream() const {
    return std::make_unique<MemoryStream>(state_);
}

void MemoryLine::Send(std::span<const uint8_t> bytes) {
    std::function<void(Direction, std::span<const uint8_t>)> tap;
    {
        std::lock_guard lock(state_->mutex);
        tap = state_->tap;
    }
    // Seen before the port can read them, so nothing it answers is seen first.
    if (tap && !bytes.empty()) {
        tap(Direction::ToPort, bytes);
    }
    std::lock_guard lock(state_->mutex);
    state_->toPort.insert(state_->toPort.end(), bytes.begin(), bytes.end());
}

void MemoryLine::Send(std::initializer_list<uint8_t> bytes) {
    Send(std::span<const uint8_t>(bytes.begin(), bytes.size()));
}

std::vector<uint8_t> MemoryLine::TakeWritten() {
    std::lock_guard lock(state_->mutex);
    std::vector<uint8_t> out;
    out.swap(state_->written);
    return out;
}

void MemoryLine::SetWriteListener(std::function<void(std::span<const uint8_t>)> listener) {
    std::lock_guard lock(state_->mutex);
    state_->listener = std::move(listener);
}

void MemoryLine::SetTap(std::function<void(Direction, std::span<const uint8_t>)> tap) {
    std::lock_guard lock(state_->mutex);
    state_->tap = std::move(tap);
}

size_t MemoryLine::PendingForPort() const {
    std::lock_guard lock(state_->mutex);
    return state_->toPort.size();
}

void MemoryLine::SetPresent(bool present) {
    std::lock_guard lock(state_->mutex);
    state_->present = present;
}

void MemoryLine::SetHeldElsewhere(bool held) {
    std::lock_guard lock(state_->mutex);
    state_->heldElsewhere = held;
}

void MemoryLine::SetRefuseSettings(bool refuse) {
    std::lock_guard lock(state_->mutex);
    state_->refuseSettings = refuse;
}

void MemoryLine::SetQueueLimits(uint32_t maxTransmit, uint32_t maxReceive) {
    std::lock_guard lock(state_->mutex);
    state_->maxTransmit = maxTransmit;
    state_->maxReceive = maxReceive;
}

void MemoryLine::InjectLineError() {
    std::lock_guard lock(state_->mutex);
    state_->lineError = true;
}

void MemoryLine::SetVanished(bool vanished) {
    std::lock_guard lock(state_->mutex);
    state_->vanished = vanished;
}

void MemoryLine::SetWriteLimit(size_t bytes) {
    std::lock_guard lock(state_->mutex);
    state_->writeLimited = true;
    state_->writeLimit = bytes;
}

bool MemoryLine::IsOpen() const {
    std::lock_guard lock(state_->mutex);
    return state_->open;
}

int MemoryLine::OpenCount() const {
    std::lock_guard lock(state_->mutex);
    return state_->openCount;
}

int MemoryLine::PortNumber() const {
    std::lock_guard lock(state_->mutex);
    return state_->portNumber;
}

int32_t MemoryLine::Baud() const {
    std::lock_guard lock(state_->mutex);
    return state_->baud;
}

HandshakeMode MemoryLine::Handshake() const {
    std::lock_guard lock(state_->mutex);
    return state_->handshake;
}

int MemoryLine::PurgeCount() const {
    std::lock_guard lock(state_->mutex);
    return state_->purgeCount;
}

int MemoryLine::TransmitPurgeCount() const {
    std::lock_guard lock(state_->mutex);
    return state_->transmitPurgeCount;
}

uint32_t MemoryLine::LastReadWait() const {
    std::lock_guard lock(state_->mutex);
    return state_->lastReadWait;
}

uint32_t MemoryLine::LastWriteTimeout() const {
    std::lock_guard lock(state_->mutex);
    return state_->lastWriteTimeout;
}

void MemoryLine::Unplug() {
    std::lock_guard lock(state_->mutex);
    state_->present = false;
    ++state_->device;
}

}  // namespace norda
