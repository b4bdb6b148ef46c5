#pragma once

#include "solvi/core/FlashSessionView.h"

namespace norda::solvi {

// What `solvi -auto` ends with, in one table: the shell sees the low byte (0, 255, 254,
// 253), as the program's callers have always read it.
inline constexpr int kAutoProgrammed = 0;
inline constexpr int kAutoPortFailure = -1;
inline constexpr int kAutoFileFailure = -2;
inline constexpr int kAutoFailed = -3;

constexpr int AutoExitCode(RunResult result) {
    switch (result) {
        case RunResult::Programmed:
            return kAutoProgrammed;
        case RunResult::PortFailure:
            return kAutoPortFailure;
        case RunResult::Failed:
            return kAutoFailed;
    }
    return kAutoFailed;
}

}  // namespace norda::solvi
