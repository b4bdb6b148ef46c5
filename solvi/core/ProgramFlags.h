#pragma once

#include <atomic>
#include <cstdint>

#include "link/LinkProfile.h"

namespace norda::solvi {

// Program-wide switches that the user-interface thread sets and every port worker reads.
struct ProgramFlags {
    std::atomic<bool> autoProg{false};          // program radios whose software differs
    std::atomic<bool> verify{false};            // read every written block back
    std::atomic<bool> autoMode{false};          // started with "-auto"
    std::atomic<bool> closing{false};           // the program is ending
    std::atomic<bool> singlePortLayout{false};  // one panel, with the version panel under it
    // Pause after every LA we send, in ms, for the sessions started from now on (registry
    // value "PauseAfterAck"); kPauseByBaud: 160000 / baud + 5.
    std::atomic<uint32_t> pauseAfterAckMs{LinkProfile::kPauseByBaud};
};

}  // namespace norda::solvi
