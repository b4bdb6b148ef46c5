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

TEST(SolviConversation, Identify) {
    ExpectConversation("solvi-identify", solvi::Identify({}));
    ExpectConversation("solvi-identify-lost-ack", solvi::Identify({.loseLaOf = 1}));
    ExpectConversation("solvi-identify-link-reset", solvi::Identify({.relinkAfter = 1}));
}

TEST(SolviConversation, Flash) {
    ExpectConversation("solvi-flash", solvi::Flash({}));
    ExpectConversation("solvi-flash-lost-ack", solvi::Flash({.loseLaOf = 31}));
    ExpectConversation("solvi-flash-link-reset", solvi::Flash({.relinkAfter = 31}));
}

}  // namespace
}  // namespace norda::test
