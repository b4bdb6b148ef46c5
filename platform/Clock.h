#pragma once

#include <atomic>
#include <cstdint>
#include <optional>

namespace norda {

// Time as the protocol machines see it: a millisecond tick count that wraps at
// 2^32 like the one the radios' service programs were designed around, and a
// sleep. Machines never read the system clock directly, so tests can drive them
// on a VirtualClock and a 3-second time-out costs nothing.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual uint32_t TickCount() = 0;
    virtual void Sleep(uint32_t ms) = 0;
};

// A moment on the clock's wrapping tick count. It is only ever held against now, never
// against zero, so it stays right across the wrap for any wait shorter than 24 days.
class Deadline {
  public:
    constexpr Deadline() = default;
    static constexpr Deadline At(uint32_t tick) {
        Deadline deadline;
        deadline.tick_ = tick;
        return deadline;
    }
    static Deadline In(Clock& clock, uint32_t ms) { return At(clock.TickCount() + ms); }

    constexpr uint32_t Tick() const { return tick_; }
    // Milliseconds until it falls due; 0 or less once it has.
    constexpr int32_t Left(uint32_t now) const { return static_cast<int32_t>(tick_ - now); }
    constexpr bool Passed(uint32_t now) const { return Left(now) <= 0; }
    constexpr bool operator==(const Deadline&) const = default;

  private:
    uint32_t tick_ = 0;
};

// Whether an optional deadline has fallen due.
constexpr bool Due(const std::optional<Deadline>& deadline, uint32_t now) {
    return deadline && deadline->Passed(now);
}
// The earlier of two optional deadlines, seen from now; on a tie the first.
constexpr std::optional<Deadline> Earlier(const std::optional<Deadline>& a,
                                          const std::optional<Deadline>& b, uint32_t now) {
    if (!a || !b)
        return a ? a : b;
    return a->Left(now) <= b->Left(now) ? a : b;
}

class SteadyClock final : public Clock {
  public:
    uint32_t TickCount() override;
    void Sleep(uint32_t ms) override;
    // The one clock the programs share.
    static SteadyClock& Instance();
};

// Time stands still until a test (or a Sleep) moves it. Thread-safe so that
// worker-thread tests can share one.
class VirtualClock final : public Clock {
  public:
    explicit VirtualClock(uint32_t start = 0) : now_(start) {}
    uint32_t TickCount() override { return now_.load(std::memory_order_acquire); }
    void Sleep(uint32_t ms) override { Advance(ms); }
    void Advance(uint32_t ms) { now_.fetch_add(ms, std::memory_order_acq_rel); }
    void Set(uint32_t now) { now_.store(now, std::memory_order_release); }

  private:
    std::atomic<uint32_t> now_;
};

}  // namespace norda
