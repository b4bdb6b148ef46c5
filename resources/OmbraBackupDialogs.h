#pragma once

// Layouts of the backups (3310) and compare (3320) dialogs. Every language gives its own
// texts; identifiers and places are shared.

#include <array>
#include <string_view>

#include "resources/ResourceData.h"

namespace norda::backupdialogs {

inline constexpr int kBackupsDialogId = 3310;
inline constexpr int kCompareDialogId = 3320;

// Backups: the list (101; its column headings are strings 3311-3314) and two buttons.
inline constexpr int kBackupsWidth = 560;
inline constexpr int kBackupsHeight = 360;

struct BackupsTexts {
    std::string_view title;
    std::string_view open, cancel;  // 1, 2
};

// clang-format off
constexpr std::array<DialogControl, 3> BackupsControls(const BackupsTexts& t) {
    return {{
        {ControlKind::ListBox, 101, "", 12, 12, 536, 290},
        {ControlKind::DefPushButton, 1, t.open, 340, 316, 100, 30},
        {ControlKind::PushButton, 2, t.cancel, 448, 316, 100, 30},
    }};
}

// Compare: what to compare with (a backup from the list 101, or a file by 102; the
// choice is named in 103) above the differences (104; headings are strings 3321-3323),
// their count (105) and the close button.
inline constexpr int kCompareWidth = 640;
inline constexpr int kCompareHeight = 530;

struct CompareTexts {
    std::string_view title;
    std::string_view source;  // the frame around 101-103
    std::string_view file;    // 102
    std::string_view close;   // 2
};

constexpr std::array<DialogControl, 7> CompareControls(const CompareTexts& t) {
    return {{
        {ControlKind::GroupBox, -1, t.source, 12, 8, 616, 200},
        {ControlKind::ListBox, 101, "", 24, 30, 592, 132},
        {ControlKind::PushButton, 102, t.file, 24, 170, 110, 28},
        {ControlKind::Static, 103, "", 146, 170, 470, 28},
        {ControlKind::ListBox, 104, "", 12, 218, 616, 256},
        {ControlKind::Static, 105, "", 12, 486, 400, 30},
        {ControlKind::PushButton, 2, t.close, 528, 486, 100, 30},
    }};
}
// clang-format on

}  // namespace norda::backupdialogs
