// Whole conversations of the main operations with the simulated radio, byte for byte and
// millisecond for millisecond, against the files in tests/data/conversations.
#include <gtest/gtest.h>

#include "tests/conversations/GoldenConversation.h"
#include "tests/conversations/OmbraConversations.h"
#include "tests/conversations/SolviConversations.h"

namespace norda::test {
namespace {

namespace ombra = ombra_conversation;
namespace solvi = solvi_conversation;

TEST(OmbraConversation, Read) {
    ExpectConversation("ombra-read", ombra::Read({}));
    ExpectConversation("ombra-read-lost-ack", ombra::Read({.loseLaOf = 10}));
    ExpectConversation("ombra-read-link-reset", ombra::Read({.relinkAfter = 12}));
}

TEST(OmbraConversation, Write) {
    ExpectConversation("ombra-write", ombra::Write({}));
    ExpectConversation("ombra-write-lost-ack", ombra::Write({.loseLaOf = 8}));
    ExpectConversation("ombra-write-link-reset", ombra::Write({.relinkAfter = 10}));
}

TEST(OmbraConversation, Copy) {
    ExpectConversation("ombra-copy", ombra::Copy({}));
    ExpectConversation("ombra-copy-lost-ack", ombra::Copy({.loseLaOf = 8}));
    ExpectConversation("ombra-copy-link-reset", ombra::Copy({.relinkAfter = 10}));
}

TEST(OmbraConversation, SequentialTwoRadios) {
    ExpectConversation("ombra-sequential", ombra::Sequential({}));
    ExpectConversation("ombra-sequential-lost-ack", ombra::Sequential({.loseLaOf = 8}));
    ExpectConversation("ombra-sequential-link-reset", ombra::Sequential({.relinkAfter = 10}));
}

// What the shipped hosts put on the wire: our LA and the next request back to back, and
// with the pause after an LA set, that pause between them.
TEST(OmbraConversation, AsTheHostsDriveIt) {
    ExpectConversation("ombra-read-window", ombra::ReadInWindow({}));
    ExpectConversation("ombra-read-window-lost-ack", ombra::ReadInWindow({.loseLaOf = 10}));
    ExpectConversation("ombra-write-window", ombra::WriteInWindow({}));
    ExpectConversation("ombra-read-console", ombra::ReadInConsole({}));
    ombra::ProgWinSettings paused;
    paused.pauseAfterAckMs = 20;
    ExpectConversation("ombra-read-window-pause-20", ombra::ReadInWindow({}, paused));
}

TEST(SolviConversation, Identify) {
    ExpectConversation("solvi-identify", solvi::Identify({}));
    ExpectConversation("solvi-identify-lost-ack", solvi::Identify({.loseLaOf = 1}));
    ExpectConversation("solvi-identify-link-reset", solvi::Identify({.relinkAfter = 1}));
    // The registry's pause after an LA in place of 160000 / baud + 5 ms (21 at 9600 baud).
    ExpectConversation("solvi-identify-pause-50", solvi::Identify({}, 50));
}

// What a panel's worker puts on the wire: the next request follows the pause after our LA
// at once, and every frame of the radio is taken as soon as it is in.
TEST(SolviConversation, AsTheWorkerRunsIt) {
    ExpectConversation("solvi-flash-worker", solvi::FlashByWorker());
}

TEST(SolviConversation, Flash) {
    ExpectConversation("solvi-flash", solvi::Flash({}));
    ExpectConversation("solvi-flash-lost-ack", solvi::Flash({.loseLaOf = 31}));
    ExpectConversation("solvi-flash-link-reset", solvi::Flash({.relinkAfter = 31}));
}

}  // namespace
}  // namespace norda::test
