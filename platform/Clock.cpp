#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace norda {

uint32_t SteadyClock::TickCount() {
    using namespace std::chrono;
    auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<uint32_t>(ms);
}

void SteadyClock::Sleep(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

SteadyClock& SteadyClock::Instance() {
    static SteadyClock clock;
    return clock;
}

}  // namespace norda
