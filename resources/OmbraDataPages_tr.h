#pragma once

// Turkish texts of the channel, KSYS and analog data pages (dialogs 64, 65, 72).

#include "resources/OmbraDataPageLayouts.h"

namespace norda::datapages {

// clang-format off
inline constexpr ChannelPageTexts kChannelTextsTr{
    "Kanal Parametreleri",
    {"Kanal No", "Kanal Adı", "TxFrek.", "RxFrek.", "TxTCS", "RxTCS", "TOT", "HPRF", "ANI", "Tarama"},
};

inline constexpr KsysPageTexts kKsysTextsTr{
    "Kablosuz Ses Yayın Sistemi Parametreleri",
    {"Sistem Kimliği                :", "SMT Kimliği            :", "Alma Frekansı                :",
      "SMT Gönderme Frekansı :", "Alma TCS Ton        :", "Gönderme TCS Ton :", "Yüksek Güç"},
    "Grup Numaraları",
    {"1  :", "2  :", "3  :", "4  :", "5  :", "6  :", "7  :", "8  :", "9  :", "10 :"},
};

inline constexpr ADataPageTexts kADataTextsTr{
    "Analog Veri Parametreleri",
    {"Sistem Kimliği", "Bölge Kimliği", "Telsiz Kimliği", "Merkez Kimliği", "Röle Tetiklenme Süresi"},
    {"Grup 1", "Grup 2", "Grup 3", "Grup 4", "Grup 5"},
    {"Durum   1 :", "Durum   2 :", "Durum   3 :", "Durum   4 :", "Durum   5 :", "Durum   6 :", "Durum   7 :", "Durum   8 :",
     "Durum   9 :", "Durum 10 :", "Durum 11 :", "Durum 12 :", "Durum 13 :", "Durum 14 :", "Durum 15 :", "Durum 16 :",
     "Durum 17 :", "Durum 18 :", "Durum 19 :", "Durum 20 :", "Durum 21 :", "Durum 22 :", "Durum 23 :", "Durum 24 :"},
};
// clang-format on

inline constexpr auto kDlg64Tr = ChannelPageControls(kChannelTextsTr);
inline constexpr auto kDlg65Tr = KsysPageControls(kKsysTextsTr);
inline constexpr auto kDlg72Tr = ADataPageControls(kADataTextsTr);

}  // namespace norda::datapages
