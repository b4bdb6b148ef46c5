#pragma once

#include "link/LinkProfile.h"

namespace norda::solvi {

// SOLVI's station: large queues for the flash blocks, a read that waits a little for its
// byte, a pause before every open so that a port just closed has settled, a receiver that
// checks the radio's CRC and follows a frame broken off by a new one, a pause after every
// LA for the radio to turn the line round, and the typed replies and loop command of the
// flash programming.
inline constexpr LinkProfile kSolviLink = {
    .port = {.transmitQueue = 2100,
             .receiveQueue = 2100,
             .readWaitMs = 5,
             .openPauseMs = 100,
             .writeSlackMs = 26,
             .failedWritePurgesBoth = false,
             .softwareFlowControl = false},
    .receiveSize = 256,
    .verifyCheckBytes = true,
    .restartOnDleStx = true,
    .linkRestartDropsPartialFrame = true,
    .pauseAfterAckMs = LinkProfile::kPauseByBaud,
    .repeatedAckRestartsLink = true,
    .linkUpEndsExchange = true,
    .typedReplies = true,
    .loopCommand = true,
    .linkRequestWaitMs = 100,
    .ackWaitMs = 1000,
    .replyWaitMs = 2000,
    .sends = 4,
};

}  // namespace norda::solvi
