#pragma once

// English texts of the channel, KSYS and analog data pages (dialogs 64, 65, 72).

#include "resources/OmbraDataPageLayouts.h"

namespace norda::datapages {

// clang-format off
inline constexpr ChannelPageTexts kChannelTextsEn{
    "Channel Parameters",
    {"Ch. No", "Ch. Name", "TxFreq.", "RxFreq.", "TxTCS", "RxTCS", "TOT", "HPRF", "ANI", "Scan"},
};

inline constexpr KsysPageTexts kKsysTextsEn{
    "Wireless Audio Broadcast System Parameters",
    {"System Identity :", "SMT Identity :", "Receive Frequency :", "SMT Transmit Frequency :",
      "Receive TCS Tone :", "Transmit TCS Tone :", "High Power"},
    "Group Numbers",
    {"1  :", "2  :", "3  :", "4  :", "5  :", "6  :", "7  :", "8  :", "9  :", "10 :"},
};

inline constexpr ADataPageTexts kADataTextsEn{
    "Analog Data Parameters",
    {"System Identity", "Fleet Identity", "Radio Identity", "Base Identity", "Relay Trigger Time"},
    {"Group 1", "Group 2", "Group 3", "Group 4", "Group 5"},
    {"Status   1 :", "Status   2 :", "Status   3 :", "Status   4 :", "Status   5 :", "Status   6 :", "Status   7 :", "Status   8 :",
     "Status   9 :", "Status 10 :", "Status 11 :", "Status 12 :", "Status 13 :", "Status 14 :", "Status 15 :", "Status 16 :",
     "Status 17 :", "Status 18 :", "Status 19 :", "Status 20 :", "Status 21 :", "Status 22 :", "Status 23 :", "Status 24 :"},
};
// clang-format on

inline constexpr auto kDlg64En = ChannelPageControls(kChannelTextsEn);
inline constexpr auto kDlg65En = KsysPageControls(kKsysTextsEn);
inline constexpr auto kDlg72En = ADataPageControls(kADataTextsEn);

}  // namespace norda::datapages
