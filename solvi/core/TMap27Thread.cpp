#include "solvi/core/TMap27Thread.h"

namespace norda {

TMap27Thread::TMap27Thread(std::function<void()> tick, Clock& clock)
    : tick_(std::move(tick)), clock_(clock) {}

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
    while (!stop_.load(std::memory_order_acquire)) {
        clock_.Sleep(kTickMs);
        if (stop_.load(std::memory_order_acquire)) {
            break;
        }
        tick_();
    }
    running_.store(false, std::memory_order_release);
}

}  // namespace norda
