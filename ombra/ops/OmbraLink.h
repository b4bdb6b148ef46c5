#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "link/LinkProfile.h"

namespace norda::ombra {

// OMBRA's station: a port that never waits for a byte, a receiver that keeps whatever
// follows a DLE and never looks at the check bytes, a link request answered within a second,
// a reply within three.
inline constexpr LinkProfile kOmbraLink = {
    .port = {.transmitQueue = 1024,
             .receiveQueue = 1024,
             .readWaitMs = 0,
             .openPauseMs = 0,
             // The write used to wait for the driver without limit; a vanished device must
             // not hang the window thread, so it gets a generous bound instead.
             .writeSlackMs = 1000,
             .failedWritePurgesBoth = true,
             .softwareFlowControl = true},
    .receiveSize = 255,
    .pauseSleeps = false,
    .linkRequestWaitMs = 1000,
    .ackWaitMs = 1000,
    .replyWaitMs = 3000,
    .sends = 4,
};

// Where ombra.INI sets the pause after our LA, in milliseconds; a negative value or none
// keeps the profile's own.
inline constexpr const char* kPauseAfterAckSection = "Communication";
inline constexpr const char* kPauseAfterAckKey = "Pause After Ack";
inline constexpr int kPauseAfterAckLimitMs = 1000;

inline std::optional<uint32_t> PauseAfterAckSetting(int32_t iniValue) {
    if (iniValue < 0)
        return std::nullopt;
    return static_cast<uint32_t>(std::min(iniValue, kPauseAfterAckLimitMs));
}

}  // namespace norda::ombra
