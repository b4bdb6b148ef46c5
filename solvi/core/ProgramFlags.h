#pragma once

#include <atomic>

namespace norda::solvi {

// Program-wide switches that the user-interface thread sets and every port worker reads.
struct ProgramFlags {
    std::atomic<bool> autoProg{false};          // program radios whose software differs
    std::atomic<bool> verify{false};            // read every written block back
    std::atomic<bool> autoMode{false};          // started with "-auto"
    std::atomic<bool> closing{false};           // the program is ending
    std::atomic<bool> singlePortLayout{false};  // one panel, with the version panel under it
};

}  // namespace norda::solvi
