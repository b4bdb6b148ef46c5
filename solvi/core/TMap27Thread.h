#pragma once

#include <atomic>
#include <functional>
#include <thread>

#include "platform/Clock.h"

namespace norda::solvi {

class FlashSession;

// The worker of one port panel: ticks about every 20 ms until told to stop. Between ticks
// it waits on the port rather than sleeping, and ticks at once when a byte comes, so a
// frame is acted on as soon as it is complete; the 20 ms ticks go on beside those.
class TMap27Thread {
  public:
    static constexpr uint32_t kTickMs = 20;
    // Returns when the next tick should run: input came, or `ms` have passed.
    using Wait = std::function<void(uint32_t ms)>;

    // Without a wait the worker sleeps on the clock between ticks.
    TMap27Thread(std::function<void()> tick, Clock& clock = SteadyClock::Instance(),
                 Wait wait = nullptr);
    // The panel's worker: ticks the session and waits on its port, on the session's clock.
    explicit TMap27Thread(FlashSession& session);
    // Stops and joins, so the port is never closed under a running tick.
    ~TMap27Thread();
    TMap27Thread(const TMap27Thread&) = delete;
    TMap27Thread& operator=(const TMap27Thread&) = delete;

    void Start();
    // Returns at once; the tick under way finishes first, and a wait within 20 ms.
    void RequestStop() { stop_.store(true, std::memory_order_release); }
    void Join();
    bool Running() const { return running_.load(std::memory_order_acquire); }

  private:
    void Run();

    std::function<void()> tick_;
    Clock& clock_;
    Wait wait_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> running_{false};
    std::thread thread_;
};

}  // namespace norda::solvi
