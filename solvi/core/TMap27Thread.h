#pragma once

#include <atomic>
#include <functional>
#include <thread>

#include "platform/Clock.h"

namespace norda {

// The worker of one port panel: sleeps 20 ms, ticks, and again, until told to stop.
class TMap27Thread {
  public:
    static constexpr uint32_t kTickMs = 20;

    TMap27Thread(std::function<void()> tick, Clock& clock = SteadyClock::Instance());
    // Stops and joins, so the port is never closed under a running tick.
    ~TMap27Thread();
    TMap27Thread(const TMap27Thread&) = delete;
    TMap27Thread& operator=(const TMap27Thread&) = delete;

    void Start();
    // Returns at once; the tick under way finishes first.
    void RequestStop() { stop_.store(true, std::memory_order_release); }
    void Join();
    bool Running() const { return running_.load(std::memory_order_acquire); }

  private:
    void Run();

    std::function<void()> tick_;
    Clock& clock_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> running_{false};
    std::thread thread_;
};

}  // namespace norda
