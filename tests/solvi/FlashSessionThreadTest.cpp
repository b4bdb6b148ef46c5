// A session on its own worker thread while the user-interface thread polls it, presses
// "Programla" and loads files. Meant to run under ThreadSanitizer too (see CMakeLists).
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "FakeRadio.h"
#include "SRecordTestUtil.h"
#include "solvi/core/FlashSession.h"
#include "solvi/core/TMap27Thread.h"

namespace norda {
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
    void PostResult(int) override {}
    std::atomic<int> status{0};
    std::atomic<bool> programmed{false};
};

TEST(FlashSessionThread, ProgramsOnItsWorkerWhileTheUserInterfaceLooksOn) {
    test::TempDir dir;
    std::string text = test::Header() + "\r\n";
    for (uint32_t a = 0x2000; a < 0x2400; a += 0x80) {
        text += test::Record('2', a, {1, 2, 3}) + "\r\n";
    }
    text += test::Record('9', 0, {}) + "\r\n";
    std::string file = dir.Write("a.hex", text);

    VirtualClock clock;
    MemoryLine line;
    test::FakeRadio radio(line);
    SoftwareImage image;
    ProgramFlags flags;
    AtomicView view;
    ASSERT_EQ(image.LoadSoftwareFile(file), SoftwareImage::Loaded);
    FlashSession session(1, 115200, image, flags, view, clock, line.MakeStream());
    ASSERT_EQ(session.Start(), 0);
    {
        TMap27Thread worker([&] { session.Tick(); }, clock);
        worker.Start();
        session.RequestProgramming();
        int loads = 0;
        while (!(view.programmed && view.status == FlashSession::kTextSameSoftware)) {
            // The frame's rule: no load while a panel is busy.
            if (!session.Busy() && loads < 50) {
                ASSERT_EQ(image.LoadSoftwareFile(file), SoftwareImage::Loaded);
                ++loads;
            }
            (void)session.StatusId();
            std::this_thread::yield();
        }
        worker.RequestStop();
    }
    EXPECT_EQ(radio.writes, image.Current()->Blocks());
}

}  // namespace
}  // namespace norda
