#pragma once

// SOLVI's port panel as whole conversations with the simulated radio: the session ticked
// as its worker does, on a virtual clock, with tests/data/small-flash.hex
// loaded (three code blocks and the header, software the radio does not hold). All that
// depends on how SOLVI is put together is in here.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "solvi/core/FlashSession.h"
#include "solvi/core/TMap27Thread.h"
#include "tests/conversations/PacedStream.h"
#include "tests/conversations/RadioFault.h"
#include "tests/support/ConversationRecorder.h"

namespace norda::test::solvi_conversation {
using namespace norda::solvi;

inline constexpr int kLongestTicks = 10000;

struct StatusView : FlashSessionView {
    void ShowStatus(int id) override { statuses.push_back(id); }
    void SetGauge(GaugeState, int) override {}
    void EnableProgramButton(bool) override {}
    void ShowRadioVersion(const std::string&, const std::string&) override {}
    void PostResult(RunResult) override {}
    void RunEnded(const ProgrammingOutcome&) override {}
    bool Shown(int id) const {
        return std::find(statuses.begin(), statuses.end(), id) != statuses.end();
    }
    std::vector<int> statuses;
};

// A panel's surroundings: the clock, the line with the radio on it and the file loaded
// into the program.
struct PanelBench {
    PanelBench(bool autoProg, const sim::RadioConfig& config) : radio(clock, config) {
        EXPECT_EQ(image.LoadSoftwareFile(NORDA_TEST_DATA_DIR "/small-flash.hex"), Status::Ok);
        flags.singlePortLayout = true;
        flags.autoProg = autoProg;
        line.SetWriteListener(
            [this](std::span<const uint8_t> bytes) { radio.Receive(bytes.data(), bytes.size()); });
    }
    ~PanelBench() { line.SetWriteListener(nullptr); }
    // What the radio has sent so far, onto the line.
    void Pump() {
        const std::vector<uint8_t> out = radio.TakeOutput();
        if (!out.empty())
            line.Send(out);
    }

    VirtualClock clock;
    MemoryLine line;
    SoftwareImage image;
    ProgramFlags flags;
    StatusView view;
    sim::SimRadio radio;
};

// One panel on port 1 at 9600 baud against one radio, from the moment the panel starts
// until `done` holds.
inline std::string Record(const RadioFault& fault, bool autoProg,
                          const std::function<bool(const StatusView&)>& done,
                          uint32_t pauseAfterAckMs = LinkProfile::kPauseByBaud) {
    PanelBench b(autoProg, fault.Config());
    b.flags.pauseAfterAckMs = pauseAfterAckMs;
    ConversationRecorder recorder(b.line, b.clock);
    {
        FlashSession session(1, 9600, b.image, b.flags, b.view, b.clock, b.line.MakeStream());
        EXPECT_EQ(session.Start(), Status::Ok);
        // The radio's bytes reach the line as they leave it, millisecond by millisecond; the
        // session ticks 20 ms after its last tick ended, as its worker does when no input
        // wakes it.
        int ticks = 0;
        while (!done(b.view) && ticks++ < kLongestTicks) {
            for (uint32_t ms = 0; ms < TMap27Thread::kTickMs; ++ms) {
                b.clock.Advance(1);
                b.line.Send(b.radio.TakeOutput());
            }
            session.Tick();
            fault.Settle(b.radio);
        }
        EXPECT_TRUE(done(b.view));
    }
    return recorder.Text();
}

// Links, reads the radio's software header and shows that it differs from the file.
// With a pause after our LA in ms, as the registry value sets it.
inline std::string Identify(const RadioFault& fault,
                            uint32_t pauseAfterAckMs = LinkProfile::kPauseByBaud) {
    return Record(
        fault, false,
        [](const StatusView& view) { return view.Shown(FlashSession::kTextDifferentSoftware); },
        pauseAfterAckMs);
}

// Programs the radio by itself: loop mode, the erase wait, the blocks, the read-back of the
// first one, the restart, and the identification that finds the file's software.
inline std::string Flash(const RadioFault& fault) {
    return Record(fault, true, [](const StatusView& view) {
        return view.Shown(FlashSession::kTextProgrammed) &&
               view.statuses.back() == FlashSession::kTextSameSoftware;
    });
}

// The panel as its worker runs it: TMap27Thread itself, waiting on the port between its
// ticks, so a tick comes as soon as the radio's bytes are there and at once after a step
// held back by our LA. The worker's thread is the only one that moves the clock and the
// line until it has stopped.
inline std::string RecordByWorker(bool autoProg,
                                  const std::function<bool(const StatusView&)>& done) {
    PanelBench b(autoProg, sim::RadioConfig{});
    ConversationRecorder recorder(b.line, b.clock);
    bool finished = false;
    {
        FlashSession session(1, 9600, b.image, b.flags, b.view, b.clock,
                             std::make_unique<PacedStream>(b.line, b.clock, [&b] { b.Pump(); }));
        EXPECT_EQ(session.Start(), Status::Ok);
        const Deadline limit = Deadline::In(b.clock, kLongestTicks * TMap27Thread::kTickMs);
        TMap27Thread* self = nullptr;
        TMap27Thread worker(
            [&] {
                session.Tick();
                if (done(b.view) || limit.Passed(b.clock.TickCount())) {
                    finished = done(b.view);
                    self->RequestStop();
                }
            },
            b.clock, [&](uint32_t ms) { session.WaitForWork(ms); });
        self = &worker;
        worker.Start();
        worker.Join();
    }
    EXPECT_TRUE(finished);
    return recorder.Text();
}

// Flash, as the worker runs it.
inline std::string FlashByWorker() {
    return RecordByWorker(true, [](const StatusView& view) {
        return view.Shown(FlashSession::kTextProgrammed) &&
               view.statuses.back() == FlashSession::kTextSameSoftware;
    });
}

}  // namespace norda::test::solvi_conversation
