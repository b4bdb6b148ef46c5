// A whole 128 KiB image flashed into the simulated radio over a pseudo-terminal, in real
// time, through the port naming the programs use.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <random>
#include <thread>

#include "../SRecordTestUtil.h"
#include "solvi/core/FlashSession.h"
#include "solvi/core/TMap27Thread.h"
#include "tools/radiosim/PtyServer.h"
#include "tools/radiosim/SimRadio.h"

namespace norda::solvi {
namespace {

struct AtomicView : FlashSessionView {
    void ShowStatus(int id) override {
        status = id;
        if (id == FlashSession::kTextProgrammed) {
            programmed = true;
        }
    }
    void SetGauge(GaugeState, int) override {}
    void EnableProgramButton(bool) override {}
    void ShowRadioVersion(const std::string&, const std::string&) override {}
    void PostResult(RunResult) override {}
    void RunEnded(const ProgrammingOutcome&) override {}
    std::atomic<int> status{0};
    std::atomic<bool> programmed{false};
};

TEST(FlashOverPty, FullImageArrivesWithItsHeader) {
    test::TempDir dir;
    std::mt19937 rng(7);
    std::string text = test::Header() + "\r\n";
    std::vector<uint8_t> chunk(32);
    for (uint32_t a = 0; a < 0x20000; a += 32) {
        for (auto& b : chunk) {
            b = static_cast<uint8_t>(rng() % 255);  // never a whole erased block
        }
        text += test::Record('2', a, chunk) + "\r\n";
    }
    text += test::Record('8', 0, {}) + "\r\n";
    SoftwareImage image;
    image.SetTransferMode(true);
    ASSERT_EQ(image.LoadSoftwareFile(dir.Write("full.hex", text)), Status::Ok);
    ASSERT_EQ(image.Current()->BlockCount(), 1024);

    std::string ports = dir.File("ports").string();
    std::filesystem::create_directories(ports);
    ASSERT_EQ(setenv("NORDA_PORTS", ports.c_str(), 1), 0);

    Clock& clock = SteadyClock::Instance();
    sim::PtyServer server(clock, ports);
    sim::RadioConfig config;
    config.baud = 115200;
    config.eraseMs = 300;
    config.resetQuietMs = 200;
    std::string error;
    ASSERT_EQ(server.AddRadio(7, std::make_unique<sim::SimRadio>(clock, config), error), 0)
        << error;
    std::thread serving([&] { server.Serve(); });

    ProgramFlags flags;
    flags.autoProg = true;
    AtomicView view;
    {
        FlashSession session(7, 115200, image, flags, view, clock);
        ASSERT_EQ(session.Start(), Status::Ok);
        TMap27Thread worker(session);
        worker.Start();
        // Bounded only so that a broken build cannot hang the suite.
        for (int i = 0;
             i < 6000 && !(view.programmed && view.status == FlashSession::kTextSameSoftware);
             ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        worker.RequestStop();
    }
    server.RequestStop();
    serving.join();

    ASSERT_TRUE(view.programmed.load());
    EXPECT_EQ(view.status.load(), FlashSession::kTextSameSoftware);
    const auto& want = image.Current()->Bytes();
    const auto& flash = server.Radio(0).Flash();
    EXPECT_TRUE(std::equal(flash.begin(), flash.end(), want.begin()));
    // Computed code checksum and the transfer flag, as the loader set them.
    EXPECT_EQ(flash[0x10003], want[0x10003]);
    EXPECT_EQ(flash[0x10004], want[0x10004]);
    EXPECT_EQ(flash[0x100FF], 1);
    EXPECT_EQ(server.Radio(0).Stats().memoryWrites, 1024u);
}

}  // namespace
}  // namespace norda::solvi
