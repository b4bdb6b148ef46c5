#pragma once

#include <atomic>
#include <cstdint>

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
