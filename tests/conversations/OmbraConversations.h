#pragma once

// OMBRA's operations as whole conversations with the simulated radio: each command run
// through the scripted host of the transfer machine's tests, on its virtual clock, every
// message answered at once. All that depends on how OMBRA is put together is in here.

#include <gtest/gtest.h>

#include <functional>
#include <string>

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

}  // namespace norda::test::ombra_conversation
