#pragma once

// Layouts of the fixed (61), special (62) and transferable (63) parameter pages, the
// sequential-programming dialog (66) and the new-file dialog (70). Every language gives
// its own texts; identifiers and places are shared so the dialogs look alike in all
// languages.

#include <array>
#include <string_view>

#include "resources/OmbraControlIds.h"
#include "resources/ResourceData.h"

namespace norda::parampages {

inline constexpr int kPageWidth = 560;

struct MasterTexts {
    std::string_view title;
    // Labels of the serial number, date, production number, version, radio type,
    // hardware and band.
    std::array<std::string_view, 7> labels;
    // "Sabit Merkez", "Ses Sıkıştırma", "TDM".
    std::array<std::string_view, 3> boxes;
};

struct ServiceTexts {
    std::string_view title;
    std::string_view version;
    // Option at start, monitor, keypad, microphone type, VOX, marine, cloner, selective-call
    // sending, in this order.
    std::array<std::string_view, 8> boxes;
    std::string_view featureGroup;
    std::string_view numberGroup;
    std::string_view powerGroup;
    // Clone key, ANI, ACK, selective call, low and high power, in this order.
    std::array<std::string_view, 6> edits;
};

struct CloneTexts {
    std::string_view title;
    std::string_view language, english, turkish;
    std::string_view busy, busyActive, busyTcs, busyNone;
    std::string_view extInput, voice, data;
    std::string_view powerSave, subMenu, emergency;
    std::string_view priorityGroup, priority1, priority2;
    std::string_view tot, extendedTone, rekey, scanDelay, txDelay;
    std::string_view toneStandard;
    std::string_view digits;
    std::string_view aniType;
    std::array<std::string_view, 6> aniTypes;
    std::string_view userArea, invDisplay, lightsOff, warningOff;
    std::string_view groupTone;
    std::string_view priority, priorityCall, priorityAni;
    std::string_view timesGroup;
};

struct AutoProgTexts {
    std::string_view title;
    // The fixed base, compander and TDM switches of page 1, then those of page 2 in its
    // order.
    std::array<std::string_view, 11> boxes;
    // The serial number of page 1, then the numbers and power levels of page 2 in its order.
    std::array<std::string_view, 7> edits;
    std::string_view program, cancel;
    std::string_view featureGroup;
};

struct FileDefaultsTexts {
    std::string_view title;
    std::string_view bandGroup;
    std::array<std::string_view, 5> bands;
    std::string_view band;   // label of the user-defined band
    std::string_view tones;  // label of the number of tones
    std::string_view ok;
};

using C = ControlKind;

// clang-format off

// Page 1: a heading, the identity rows (label, then the value) and three switches.
inline constexpr int kMasterHeight = 346;
constexpr std::array<DialogControl, 20> MasterControls(const MasterTexts& t) {
    using enum MasterIds::Control;
    constexpr int lx = 40, lw = 230, vx = 276, vw = 240, top = 58, pitch = 30;
    return {{
        {C::Static, kPageHeadingId, t.title, 0, 10, kPageWidth, 26, kCtlAlignCenter},
        {C::GroupBox, -1, "", 20, 42, 520, 230},
        {C::Static, -1, t.labels[0], lx, top, lw, 24},
        {C::Edit, kSerialNo, "", vx, top, 90, 24},
        {C::Static, -1, t.labels[1], lx, top + pitch, lw, 24},
        {C::Static, kDate, "", vx, top + pitch, vw, 24},
        {C::Static, -1, t.labels[2], lx, top + 2 * pitch, lw, 24},
        {C::Static, kProductionNo, "", vx, top + 2 * pitch, vw, 24},
        {C::Static, -1, t.labels[3], lx, top + 3 * pitch, lw, 24},
        {C::Static, kVersion, "", vx, top + 3 * pitch, vw, 24},
        {C::Static, -1, t.labels[4], lx, top + 4 * pitch, lw, 24},
        {C::Static, kRadioType, "", vx, top + 4 * pitch, vw, 24},
        {C::Static, -1, t.labels[5], lx, top + 5 * pitch, lw, 24},
        {C::Static, kHardware, "", vx, top + 5 * pitch, vw, 24},
        {C::Static, -1, t.labels[6], lx, top + 6 * pitch, lw, 24},
        {C::Static, kBand, "", vx, top + 6 * pitch, vw, 24},
        {C::GroupBox, -1, "", 20, 280, 520, 52},
        {C::CheckBox, kFixedBase, t.boxes[0], 40, 294, 150, 24, kCtlHidden | kCtlDisabled},
        {C::CheckBox, kCompander, t.boxes[1], 40, 294, 200, 24},
        {C::CheckBox, kTdm, t.boxes[2], 276, 294, 200, 24},
    }};
}

// Page 2: switches on the left, numbers and power levels on the right.
inline constexpr int kServiceHeight = 370;
constexpr std::array<DialogControl, 26> ServiceControls(const ServiceTexts& t) {
    using enum ServiceIds::Control;
    constexpr int bx = 28, by = 70, bp = 30;
    constexpr int lx = 268, lw = 196, ex = 468, ew = 64, ey = 70, ep = 32;
    return {{
        {C::Static, kPageHeadingId, t.title, 0, 10, kPageWidth, 26, kCtlAlignCenter},
        {C::GroupBox, -1, t.featureGroup, 12, 44, 236, 306},
        {C::CheckBox, kOptionAtStart, t.boxes[0], bx, by, 210, 24},
        {C::CheckBox, kMonitor, t.boxes[1], bx, by + bp, 210, 24},
        {C::CheckBox, kKeyPad, t.boxes[2], bx, by + 2 * bp, 210, 24},
        {C::CheckBox, kMicType, t.boxes[3], bx, by + 3 * bp, 210, 24},
        {C::CheckBox, kVox, t.boxes[4], bx, by + 4 * bp, 210, 24},
        {C::CheckBox, kMarine, t.boxes[5], bx, by + 5 * bp, 210, 24},
        {C::CheckBox, kCloner, t.boxes[6], bx, by + 6 * bp, 210, 24},
        {C::CheckBox, kScEnc, t.boxes[7], bx, by + 7 * bp, 210, 24},
        {C::Static, -1, t.version, bx, by + 8 * bp + 8, 170, 24},
        {C::Static, kVersion, "", bx + 172, by + 8 * bp + 8, 40, 24},
        {C::GroupBox, -1, t.numberGroup, 256, 44, 292, 176},
        {C::Static, -1, t.edits[0], lx, ey, lw, 24},
        {C::Edit, kCloneKey, "", ex, ey, ew, 24},
        {C::Static, -1, t.edits[1], lx, ey + ep, lw, 24},
        {C::Edit, kAni, "", ex, ey + ep, ew, 24},
        {C::Static, -1, t.edits[2], lx, ey + 2 * ep, lw, 24},
        {C::Edit, kAck, "", ex, ey + 2 * ep, ew, 24},
        {C::Static, -1, t.edits[3], lx, ey + 3 * ep, lw, 24},
        {C::Edit, kSelectiveCall, "", ex, ey + 3 * ep, ew, 24},
        {C::GroupBox, -1, t.powerGroup, 256, 230, 292, 120},
        {C::Static, -1, t.edits[4], lx, 258, lw, 24},
        {C::Edit, kLowPower, "", ex, 258, 40, 24},
        {C::Static, -1, t.edits[5], lx, 292, lw, 24},
        {C::Edit, kHighPower, "", ex, 292, 40, 24},
    }};
}

// Page 3: three columns of choices above the times.
inline constexpr int kCloneHeight = 428;
constexpr std::array<DialogControl, 60> CloneControls(const CloneTexts& t) {
    using enum CloneIds::Control;
    constexpr int c1 = 8, c2 = 190, c3 = 372, cw = 176, rp = 21;
    return {{
        {C::Static, kPageHeadingId, t.title, 0, 4, kPageWidth, 22, kCtlAlignCenter},
        // Column 1
        {C::GroupBox, -1, t.language, c1, 28, cw, 64},
        {C::RadioButton, kEnglish, t.english, c1 + 12, 46, 150, rp, kCtlGroupStart},
        {C::RadioButton, kTurkish, t.turkish, c1 + 12, 46 + rp, 150, rp},
        {C::GroupBox, -1, t.busy, c1, 96, cw, 85},
        {C::RadioButton, kBusyActive, t.busyActive, c1 + 12, 114, 160, rp, kCtlGroupStart},
        {C::RadioButton, kBusyTcs, t.busyTcs, c1 + 12, 114 + rp, 160, rp},
        {C::RadioButton, kBusyNone, t.busyNone, c1 + 12, 114 + 2 * rp, 160, rp},
        {C::GroupBox, -1, t.extInput, c1, 185, cw, 64},
        {C::RadioButton, kVoice, t.voice, c1 + 12, 203, 150, rp, kCtlGroupStart},
        {C::RadioButton, kData, t.data, c1 + 12, 203 + rp, 150, rp},
        {C::GroupBox, -1, t.groupTone, c1, 253, 86, 64},
        {C::RadioButton, kGroupTone0, "0", c1 + 12, 271, 60, rp, kCtlGroupStart},
        {C::RadioButton, kGroupToneA, "A", c1 + 12, 271 + rp, 60, rp},
        {C::GroupBox, -1, t.priority, c1 + 90, 253, 86, 64},
        {C::RadioButton, kPriorityCall, t.priorityCall, c1 + 102, 271, 72, rp, kCtlGroupStart},
        {C::RadioButton, kPriorityAni, t.priorityAni, c1 + 102, 271 + rp, 72, rp},
        // Column 2
        {C::GroupBox, -1, t.toneStandard, c2, 28, cw, 64},
        {C::RadioButton, kToneDsc, "DSC", c2 + 12, 46, 76, rp, kCtlGroupStart},
        {C::RadioButton, kToneCcir, "CCIR", c2 + 92, 46, 76, rp},
        {C::RadioButton, kToneZvei, "ZVEI", c2 + 12, 46 + rp, 76, rp},
        {C::RadioButton, kToneEea, "EEA", c2 + 92, 46 + rp, 76, rp},
        {C::GroupBox, -1, t.digits, c2, 96, cw, 44},
        {C::RadioButton, kDigits2, "2", c2 + 8, 114, 34, rp, kCtlGroupStart},
        {C::RadioButton, kDigits3, "3", c2 + 41, 114, 34, rp},
        {C::RadioButton, kDigits4, "4", c2 + 74, 114, 34, rp},
        {C::RadioButton, kDigits5, "5", c2 + 107, 114, 34, rp},
        {C::RadioButton, kDigits6, "6", c2 + 140, 114, 34, rp},
        {C::GroupBox, -1, t.aniType, c2, 144, cw, 173},
        {C::RadioButton, kAniNone, t.aniTypes[0], c2 + 8, 164, 166, rp, kCtlGroupStart},
        {C::RadioButton, kAniNone + 1, t.aniTypes[1], c2 + 8, 164 + rp, 166, rp},
        {C::RadioButton, kAniNone + 2, t.aniTypes[2], c2 + 8, 164 + 2 * rp, 166, rp},
        {C::RadioButton, kAniNone + 3, t.aniTypes[3], c2 + 8, 164 + 3 * rp, 166, rp},
        {C::RadioButton, kAniNone + 4, t.aniTypes[4], c2 + 8, 164 + 4 * rp, 166, rp},
        {C::RadioButton, kAniNone + 5, t.aniTypes[5], c2 + 8, 164 + 5 * rp, 166, rp},
        // Column 3
        {C::GroupBox, -1, "", c3, 28, cw, 88},
        {C::CheckBox, kPowerSave, t.powerSave, c3 + 10, 38, 160, rp},
        {C::CheckBox, kSubMenu, t.subMenu, c3 + 10, 62, 160, rp},
        {C::CheckBox, kEmergency, t.emergency, c3 + 10, 86, 124, rp},
        {C::Edit, kEmergencyChannel, "", c3 + 136, 85, 32, 23},
        {C::GroupBox, -1, t.priorityGroup, c3, 120, cw, 82},
        {C::Static, -1, t.priority1, c3 + 12, 140, 100, 23},
        {C::Edit, kPriority1, "", c3 + 120, 140, 40, 23},
        {C::Static, -1, t.priority2, c3 + 12, 168, 100, 23},
        {C::Edit, kPriority2, "", c3 + 120, 168, 40, 23},
        {C::GroupBox, -1, t.userArea, c3, 206, cw, 111},
        {C::CheckBox, kInvDisplay, t.invDisplay, c3 + 10, 226, 160, rp},
        {C::CheckBox, kLightsOff, t.lightsOff, c3 + 10, 252, 160, rp},
        {C::CheckBox, kWarningOff, t.warningOff, c3 + 10, 278, 160, rp},
        // Times, across the width
        {C::GroupBox, -1, t.timesGroup, c1, 323, 540, 100},
        {C::Static, -1, t.tot, c1 + 12, 341, 196, 23},
        {C::Edit, kTot, "", c1 + 212, 341, 50, 23},
        {C::Static, -1, t.extendedTone, c1 + 12, 367, 196, 23},
        {C::Edit, kExtendedTone, "", c1 + 212, 367, 50, 23},
        {C::Static, -1, t.rekey, c1 + 12, 393, 196, 23},
        {C::Edit, kRekey, "", c1 + 212, 393, 50, 23},
        {C::Static, -1, t.scanDelay, c1 + 280, 341, 196, 23},
        {C::Edit, kScanDelay, "", c1 + 480, 341, 50, 23},
        {C::Static, -1, t.txDelay, c1 + 280, 367, 196, 23},
        {C::Edit, kTxDelay, "", c1 + 480, 367, 50, 23},
    }};
}

// Dialog 66: switches on the left, the numbers on the right, the buttons below.
inline constexpr int kAutoProgWidth = 520;
inline constexpr int kAutoProgHeight = 410;
constexpr std::array<DialogControl, 29> AutoProgControls(const AutoProgTexts& t) {
    using enum AutoProgIds::Control;
    constexpr int bx = 24, by = 34, bp = 30;
    constexpr int lx = 262, lw = 162, ex = 428, ey = 34, ep = 34;
    return {{
        {C::GroupBox, -1, t.featureGroup, 12, 12, 228, 330},
        {C::CheckBox, kFixedBase, t.boxes[0], bx, by, 200, 24, kCtlHidden | kCtlDisabled},
        {C::CheckBox, kCompander, t.boxes[1], bx, by, 200, 24},
        {C::CheckBox, kTdm, t.boxes[2], bx, by + bp, 200, 24},
        {C::CheckBox, kOptionAtStart, t.boxes[3], bx, by + 2 * bp, 200, 24},
        {C::CheckBox, kMonitor, t.boxes[4], bx, by + 3 * bp, 200, 24},
        {C::CheckBox, kKeyPad, t.boxes[5], bx, by + 4 * bp, 200, 24},
        {C::CheckBox, kMicType, t.boxes[6], bx, by + 5 * bp, 200, 24},
        {C::CheckBox, kVox, t.boxes[7], bx, by + 6 * bp, 200, 24},
        {C::CheckBox, kMarine, t.boxes[8], bx, by + 7 * bp, 200, 24},
        {C::CheckBox, kCloner, t.boxes[9], bx, by + 8 * bp, 200, 24},
        {C::CheckBox, kScEnc, t.boxes[10], bx, by + 9 * bp, 200, 24},
        {C::GroupBox, -1, "", 250, 12, 258, 330},
        {C::Static, -1, t.edits[0], lx, ey, lw, 24},
        {C::Edit, kSerialNo, "", ex, ey, 68, 24},
        {C::Static, -1, t.edits[1], lx, ey + ep, lw, 24},
        {C::Edit, kCloneKey, "", ex, ey + ep, 68, 24},
        {C::Static, -1, t.edits[2], lx, ey + 2 * ep + 12, lw, 24},
        {C::Edit, kAni, "", ex, ey + 2 * ep + 12, 68, 24},
        {C::Static, -1, t.edits[3], lx, ey + 3 * ep + 12, lw, 24},
        {C::Edit, kAck, "", ex, ey + 3 * ep + 12, 68, 24},
        {C::Static, -1, t.edits[4], lx, ey + 4 * ep + 12, lw, 24},
        {C::Edit, kSelectiveCall, "", ex, ey + 4 * ep + 12, 68, 24},
        {C::Static, -1, t.edits[5], lx, ey + 5 * ep + 24, lw, 24},
        {C::Edit, kLowPower, "", ex, ey + 5 * ep + 24, 40, 24},
        {C::Static, -1, t.edits[6], lx, ey + 6 * ep + 24, lw, 24},
        {C::Edit, kHighPower, "", ex, ey + 6 * ep + 24, 40, 24},
        {C::DefPushButton, kProgram, t.program, 140, 360, 110, 32},
        {C::PushButton, 2, t.cancel, 270, 360, 110, 32},
    }};
}

// Dialog 70: the band choice and the number of selective-call tones.
inline constexpr int kFileDefaultsWidth = 300;
inline constexpr int kFileDefaultsHeight = 290;
constexpr std::array<DialogControl, 11> FileDefaultsControls(const FileDefaultsTexts& t) {
    using enum FileDefaultsIds::Control;
    return {{
        {C::GroupBox, -1, t.bandGroup, 12, 10, 276, 168},
        {C::RadioButton, kVhf146, t.bands[0], 28, 32, 240, 24, kCtlGroupStart},
        {C::RadioButton, kUhf406, t.bands[1], 28, 58, 240, 24},
        {C::RadioButton, kUhf430, t.bands[2], 28, 84, 240, 24},
        {C::RadioButton, kUhf450, t.bands[3], 28, 110, 240, 24},
        {C::RadioButton, kUserDefined, t.bands[4], 28, 136, 150, 24},
        {C::Static, -1, t.band, 180, 136, 56, 24},
        {C::Edit, kBandEdit, "", 236, 136, 40, 24},
        {C::Static, -1, t.tones, 28, 194, 120, 24},
        {C::Edit, kToneCount, "", 150, 194, 32, 24},
        {C::DefPushButton, 1, t.ok, 100, 240, 100, 32},
    }};
}
// clang-format on

}  // namespace norda::parampages
