#include "solvi/core/TMap27Thread.h"

#include "solvi/core/FlashSession.h"

namespace norda::solvi {

TMap27Thread::TMap27Thread(std::function<void()> tick, Clock& clock, Wait wait)
    : tick_(std::move(tick)), clock_(clock), wait_(std::move(wait)) {
    if (!wait_) {
        wait_ = [this](uint32_t ms) { clock_.Sleep(ms); };
    }
}

TMap27Thread::TMap27Thread(FlashSession& session)
    : TMap27Thread([&session] { session.Tick(); }, session.TimeSource(),
                   [&session](uint32_t ms) { session.WaitForWork(ms); }) {}

TMap27Thread::~TMap27Thread() {
    RequestStop();
    Join();
}

void TMap27Thread::Start() {
    if (thread_.joinable()) {
        return;
    }
    stop_.store(false, std::memory_order_release);
    running_.store(true, std::memory_order_release);
    thread_ = std::thread([this] { Run(); });
}

void TMap27Thread::Join() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

void TMap27Thread::Run() {
    // The regular tick comes kTickMs after the end of the last one, as it always has; ticks
    // for input come in between and leave it where it is.
    Deadline due = Deadline::In(clock_, kTickMs);
    while (!stop_.load(std::memory_order_acquire)) {
        const int32_t left = due.Left(clock_.TickCount());
        if (left > 0) {
            wait_(static_cast<uint32_t>(left));
        }
        if (stop_.load(std::memory_order_acquire)) {
            break;
        }
        const bool regular = due.Passed(clock_.TickCount());
        tick_();
        if (regular) {
            due = Deadline::In(clock_, kTickMs);
        }
    }
    running_.store(false, std::memory_order_release);
}

}  // namespace norda::solvi
