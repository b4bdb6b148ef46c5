#pragma once

// English texts of the fixed, special and transferable parameter pages (61-63), the
// sequential-programming dialog (66) and the new-file dialog (70).

#include "resources/OmbraParamPageLayouts.h"

namespace norda::parampages {

// clang-format off
inline constexpr MasterTexts kMasterTextsEn{
    "Fixed Parameters",
    {"Serial No", "Programming Date", "Production No",
     "Device Version No", "Radio Type", "Hardware Type",
     "Frequency Band"},
    {"Fixed Base", "Compander", "TDM"},
};

inline constexpr ServiceTexts kServiceTextsEn{
    "Special Parameters",
    "Programmer Version",
    {"Option at Power-up", "Channel Monitor", "Keypad", "Fixed Base Radio", "VOX",
     "Marine Handheld", "Clone Feature", "Selective Call Sending"},
    "Features",
    "Numbers",
    "Power Levels",
    {"Clone Key", "ANI No", "ACK No",
     "Selective Call No", "Low power", "High power"},
};

inline constexpr CloneTexts kCloneTextsEn{
    "Transferable Parameters",
    "Language", "English", "Turkish",
    "Busy Channel Lock", "With Channel Active", "With TCS", "None",
    "External Input", "Voice", "Data",
    "Power Save", "Sub-menu", "Emergency - Ch.",
    "Priority Channels", "Channel 1", "Channel 2",
    "Tot (0-225 s)", "Extended First Tone (1-15)", "Rekey Delay (0-15 s)",
    "Scan Delay (0-7.5 s)", "Tx Delay (0-1500 ms)",
    "Tone Standard",
    "Selectable call digits",
    "ANI Type",
    {"None", "With Call", "With PTT", "On PTT Release", "With Call and PTT", "Call and PTT Release"},
    "User Area", "Inverted display", "Lights off", "No audible warning",
    "Group Tone",
    "Priority", "Call", "ANI",
    "Times",
};

inline constexpr AutoProgTexts kAutoProgTextsEn{
    "Sequential Programming",
    {"Fixed Base", "Compander", "TDM", "Option at Power-up", "Channel Monitor",
     "Keypad", "Fixed Base Radio", "VOX", "Marine Handheld", "Clone Feature",
     "Selective Call Sending"},
    {"Serial No", "Clone Key", "ANI No",
     "ACK No", "Selective Call No", "Low power",
     "High power"},
    "Program", "Cancel",
    "Features",
};

inline constexpr FileDefaultsTexts kFileDefaultsTextsEn{
    "New File Defaults",
    "Frequency Band",
    {"VHF 146-174", "UHF 406-430", "UHF 430-450", "UHF 450-470", "User Defined "},
    "Band",
    "Tones",
    "OK",
};
// clang-format on

inline constexpr auto kDlg61En = MasterControls(kMasterTextsEn);
inline constexpr auto kDlg62En = ServiceControls(kServiceTextsEn);
inline constexpr auto kDlg63En = CloneControls(kCloneTextsEn);
inline constexpr auto kDlg66En = AutoProgControls(kAutoProgTextsEn);
inline constexpr auto kDlg70En = FileDefaultsControls(kFileDefaultsTextsEn);

}  // namespace norda::parampages
