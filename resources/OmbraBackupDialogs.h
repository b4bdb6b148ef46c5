#pragma once

// Layouts of the backups (3310) and compare (3320) dialogs. Every language gives its own
// texts; identifiers and places are shared.

#include <array>
#include <string_view>

#include "resources/OmbraControlIds.h"
#include "resources/ResourceData.h"

namespace norda::backupdialogs {

// Backups: the list (its column headings are strings 3311-3314) and two buttons.
inline constexpr int kBackupsWidth = 560;
inline constexpr int kBackupsHeight = 360;

struct BackupsTexts {
    std::string_view title;
    std::string_view open, cancel;
};

// clang-format off
constexpr std::array<DialogControl, 3> BackupsControls(const BackupsTexts& t) {
    return {{
        {ControlKind::ListBox, BackupsIds::kList, "", 12, 12, 536, 290},
        {ControlKind::DefPushButton, 1, t.open, 340, 316, 100, 30},
        {ControlKind::PushButton, 2, t.cancel, 448, 316, 100, 30},
    }};
}

// Compare: what to compare with above the differences (headings are strings 3321-3323),
// their count and the close button.
inline constexpr int kCompareWidth = 640;
inline constexpr int kCompareHeight = 530;

struct CompareTexts {
    std::string_view title;
    std::string_view source;  // the frame around the choice of what to compare with
    std::string_view file;
    std::string_view close;
};

constexpr std::array<DialogControl, 7> CompareControls(const CompareTexts& t) {
    using enum CompareIds::Control;
    return {{
        {ControlKind::GroupBox, -1, t.source, 12, 8, 616, 200},
        {ControlKind::ListBox, kBackupList, "", 24, 30, 592, 132},
        {ControlKind::PushButton, kFileButton, t.file, 24, 170, 110, 28},
        {ControlKind::Static, kSource, "", 146, 170, 470, 28},
        {ControlKind::ListBox, kDifferences, "", 12, 218, 616, 256},
        {ControlKind::Static, kCount, "", 12, 486, 400, 30},
        {ControlKind::PushButton, 2, t.close, 528, 486, 100, 30},
    }};
}
// clang-format on

}  // namespace norda::backupdialogs
