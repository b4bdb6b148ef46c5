#include <gtest/gtest.h>

#include "codeplug/MemoryAreas.h"
#include "tests/ombra_ops/SimRig.h"

namespace norda::ombra::test {
namespace {

// A read request whose reply arrives but whose LA is lost: the reply acknowledges it,
// so the next request goes out under the next number, as the radio expects; under the
// old one the radio would drop it as a repeat.

TEST(LostAck, ReadCompletesWhenTheLaOfAReadRequestIsLost) {
    sim::RadioConfig config;
    config.faults.dropLaEvery = 10;  // inside Clone, twice
    SimRig rig(config);
    ASSERT_TRUE(rig.ReadRadio());
    EXPECT_TRUE(rig.messages.empty()) << rig.messages[0].text;
    EXPECT_EQ(rig.radio->Stats().laDropped, 2u);
    // A loss costs nothing: not even a restart of the link.
    EXPECT_EQ(rig.radio->Stats().lrReceived, 1u);
    const sim::ParamMemory& radio = rig.radio->Params();
    for (const MemoryArea& area : kMemoryAreas) {
        for (int a = area.address; a < area.address + area.writeLength; ++a)
            ASSERT_EQ(rig.image[a], radio[static_cast<size_t>(a)]) << area.name << " " << a;
    }
    EXPECT_EQ(rig.pagesOpened, std::vector<int>{1});
}

TEST(LostAck, CopyWritesEveryAreaWhenLasAreLost) {
    for (uint32_t every : {2u, 9u, 13u, 26u}) {
        SCOPED_TRACE(every);
        SimRig rig;
        ASSERT_TRUE(rig.ReadRadio());
        ASSERT_TRUE(rig.messages.empty());
        rig.radio->ActiveFaults().dropLaEvery = every;
        rig.client->CmCopy();
        ASSERT_TRUE(rig.RunUntil([&] { return rig.Finished(); }));
        ASSERT_EQ(rig.MessageIds(), std::vector<int>{msg::kProgrammed});
        EXPECT_GE(rig.radio->Stats().laDropped, 1u);
        EXPECT_GE(rig.radio->Stats().resets, 1u);
        const sim::ParamMemory& radio = rig.radio->Params();
        for (const MemoryArea& area : kMemoryAreas) {
            for (int a = area.address; a < area.address + area.writeLength; ++a)
                ASSERT_EQ(radio[static_cast<size_t>(a)], rig.image[a]) << area.name << " " << a;
        }
    }
}

}  // namespace
}  // namespace norda::ombra::test
