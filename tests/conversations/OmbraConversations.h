#pragma once

// OMBRA's operations as whole conversations with the simulated radio: each command run
// through the scripted host of the transfer machine's tests, on its virtual clock, every
// message answered at once. All that depends on how OMBRA is put together is in here.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "ombra/cli/ConsoleHost.h"
#include "ombra/ops/PollDriver.h"
#include "tests/conversations/PacedStream.h"
#include "tests/conversations/RadioFault.h"
#include "tests/ombra_ops/SimRig.h"
#include "tests/support/ConversationRecorder.h"
#include "tools/radiosim/FlashImage.h"

namespace norda::test::ombra_conversation {
using namespace norda::ombra::test;
using namespace norda::ombra;

inline constexpr uint32_t kLongestMs = 120000;

// A radio of the default band with a serial number of its own.
inline std::unique_ptr<sim::SimRadio> Radio(SimRig& rig, const RadioFault& fault, uint16_t serial) {
    sim::ParamMemory memory = sim::GenerateParamMemory();
    memory[1] = static_cast<uint8_t>(serial >> 8);
    memory[2] = static_cast<uint8_t>(serial);
    sim::WriteAreaChecksums(memory);
    return std::make_unique<sim::SimRadio>(rig.clock, fault.Config(), memory,
                                           sim::GenerateFlashImage());
}

// Runs the operation under way to its end.
inline void Finish(SimRig& rig, const RadioFault& fault) {
    EXPECT_TRUE(rig.RunUntil(
        [&] {
            fault.Settle(*rig.radio);
            return rig.Finished();
        },
        kLongestMs));
}

// Reads the rig's radio without recording, as the operator does before writing.
inline void ReadFirst(SimRig& rig) {
    ASSERT_TRUE(rig.ReadRadio());
    ASSERT_TRUE(rig.messages.empty()) << rig.messages[0].text;
    rig.messages.clear();
}

inline std::string Read(const RadioFault& fault) {
    SimRig rig(fault.Config());
    EXPECT_TRUE(rig.written.empty());
    ConversationRecorder recorder(rig.line, rig.clock);
    rig.client->CmRead();
    Finish(rig, fault);
    return recorder.Text();
}

// Reads the rig's radio unrecorded, as the operator does first, puts the radio with serial
// number `serial` on the cable (24117: the memory just read), and records `command`. The
// radio's fault counts from there.
inline std::string AfterRead(const RadioFault& fault, uint16_t serial,
                             const std::function<void(SimRig&)>& command) {
    SimRig rig;
    ReadFirst(rig);
    rig.radio = Radio(rig, fault, serial);
    ConversationRecorder recorder(rig.line, rig.clock);
    command(rig);
    return recorder.Text();
}

// "Yaz" back into the radio just read.
inline std::string Write(const RadioFault& fault) {
    return AfterRead(fault, 24117, [&](SimRig& rig) {
        rig.client->CmWrite();
        Finish(rig, fault);
    });
}

// "Kopyala" into another radio of the same band.
inline std::string Copy(const RadioFault& fault) {
    return AfterRead(fault, 31000, [&](SimRig& rig) {
        rig.client->CmCopy();
        Finish(rig, fault);
    });
}

// Two radios programmed in a row from the read data, numbered from 1000; the operator swaps
// the radios between them. The fault is the second radio's.
inline std::string Sequential(const RadioFault& fault) {
    return AfterRead({}, 24117, [&](SimRig& rig) {
        rig.sequentialDialog = [&] {
            AutoProgFields fields =
                autoprog::TransferToDialog(rig.parameters, rig.client->DataValid());
            fields.serialNo = "1000";
            rig.dialogMessage = [&](Posted m) {
                if (m == Posted::NextRadio)
                    autoprog::PrepareNextRadio(fields, rig.client->TestMode());
            };
            autoprog::Programla(fields, rig.parameters, rig);
            Finish(rig, {});
            rig.radio = Radio(rig, fault, 31000);
            autoprog::Programla(fields, rig.parameters, rig);
            Finish(rig, fault);
        };
        rig.client->CmSequential();
    });
}

// ---- the machine driven the way the shipped hosts drive it ----

// The window's event loop: the port notifier fires as soon as bytes wait for the port
// (while the machine watches it), the timer when the machine's earliest deadline comes,
// each as often as it would within the same millisecond. No event may hold the window's
// thread, so none moves the clock: a pause is waited for as a deadline.
inline bool RunAsWindow(SimRig& rig, const RadioFault& fault, uint32_t maxMs) {
    PollDriver driver(*rig.client);
    auto done = [&] {
        fault.Settle(*rig.radio);
        return rig.Finished();
    };
    for (uint32_t t = 0; t < maxMs && !done(); ++t) {
        rig.clock.Advance(1);
        rig.Pump();
        for (int event = 0; event < 100; ++event) {
            rig.DeliverPosted();
            const std::optional<Deadline> next = rig.client->NextDeadline();
            const uint32_t before = rig.clock.TickCount();
            if (driver.WatchInput() && rig.line.PendingForPort() > 0) {
                driver.InputArrived();
            } else if (Due(next, before)) {
                driver.DeadlineDue();
            } else {
                break;
            }
            EXPECT_EQ(rig.clock.TickCount(), before) << "the window's thread was held";
        }
    }
    return done();
}

// "Oku" in the window.
inline std::string ReadInWindow(const RadioFault& fault, const ProgWinSettings& settings = {}) {
    SimRig rig(fault.Config(), settings);
    ConversationRecorder recorder(rig.line, rig.clock);
    rig.client->CmRead();
    EXPECT_TRUE(RunAsWindow(rig, fault, kLongestMs));
    EXPECT_TRUE(rig.messages.empty()) << rig.messages[0].text;
    return recorder.Text();
}

// "Yaz" in the window, back into the radio just read.
inline std::string WriteInWindow(const RadioFault& fault) {
    return AfterRead(fault, 24117, [&](SimRig& rig) {
        rig.client->CmWrite();
        EXPECT_TRUE(RunAsWindow(rig, fault, kLongestMs));
    });
}

// "ombra-cli read": the console host's own loop on the virtual clock.
inline std::string ReadInConsole(const RadioFault& fault) {
    VirtualClock clock;
    MemoryLine line;
    const sim::RadioConfig config = fault.Config();
    sim::SimRadio radio(clock, config);
    line.SetWriteListener(
        [&](std::span<const uint8_t> bytes) { radio.Receive(bytes.data(), bytes.size()); });
    auto pump = [&] {
        const std::vector<uint8_t> out = radio.TakeOutput();
        if (!out.empty())
            line.Send(out);
    };
    std::FILE* err = std::tmpfile();
    EXPECT_NE(err, nullptr);
    std::string text;
    {
        ConsoleHost host(OmbraTurkishStrings(), clock, err, false);
        RadioImage image;
        RadioParameters parameters;
        TClientWin client(host, image, parameters, 1, config.baud != 0 ? config.baud : 9600,
                          ProgWinSettings{}, clock,
                          std::make_unique<PacedStream>(line, clock, pump));
        host.Attach(client);
        EXPECT_EQ(client.SetupWindow(), Status::Ok);
        ConversationRecorder recorder(line, clock);
        client.CmRead();
        host.Run();
        EXPECT_FALSE(host.Failed());
        text = recorder.Text();
    }
    line.SetWriteListener(nullptr);
    std::fclose(err);
    return text;
}

}  // namespace norda::test::ombra_conversation
