// The console host on a virtual clock against a radio that answers at once. Time passes
// only while the host waits for nothing, so a read that keeps the radio's pace takes no
// time beyond the machine's start-up poll.
#include "ombra/cli/ConsoleHost.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "codeplug/MemoryAreas.h"
#include "ombra/ops/TClientWin.h"
#include "resources/StringTable.h"
#include "tests/support/MemoryLine.h"
#include "tools/radiosim/SimRadio.h"

namespace norda::ombra {
namespace {

TEST(ConsoleHost, ReadTakesEachAnswerWhenItIsThereNotAtTheNextPoll) {
    VirtualClock clock;
    MemoryLine line;
    sim::RadioConfig config;
    config.baud = 0;
    config.turnaroundMs = 0;
    sim::SimRadio radio(clock, config);
    line.SetWriteListener([&](std::span<const uint8_t> bytes) {
        radio.Receive(bytes.data(), bytes.size());
        line.Send(radio.TakeOutput());
    });
    std::FILE* err = std::tmpfile();
    ASSERT_NE(err, nullptr);
    ConsoleHost host(OmbraTurkishStrings(), clock, err, false);
    RadioImage image;
    RadioParameters parameters;
    TClientWin client(host, image, parameters, 1, 115200, ProgWinSettings{}, clock,
                      line.MakeStream());
    host.Attach(client);
    ASSERT_EQ(client.SetupWindow(), Status::Ok);

    const uint32_t start = clock.TickCount();
    client.CmRead();
    host.Run();
    const uint32_t took = clock.TickCount() - start;
    line.SetWriteListener(nullptr);
    std::fclose(err);

    EXPECT_FALSE(host.Failed());
    for (const MemoryArea& area : kMemoryAreas) {
        for (int a = area.address; a < area.address + area.readLength; ++a) {
            ASSERT_EQ(image.bytes[static_cast<size_t>(a)], radio.Params()[static_cast<size_t>(a)])
                << area.name << " byte " << a;
        }
    }
    // Some 25 blocks, each a request, its acknowledgement and a reply: a poll for each of
    // those would take seconds.
    EXPECT_LT(took, TProgWin::kPollStartMs + 10 * TProgWin::kPollMs);
}

}  // namespace
}  // namespace norda::ombra
