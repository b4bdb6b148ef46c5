#pragma once

// Turkish texts of the backups and compare dialogs.

#include "resources/OmbraBackupDialogs.h"

namespace norda::backupdialogs {

inline constexpr BackupsTexts kBackupsTextsTr{"Yedekler", "Aç", "Vazgeç"};
inline constexpr CompareTexts kCompareTextsTr{"Karşılaştır", "Karşılaştırılacak", "Dosya...",
                                              "Kapat"};

inline constexpr auto kDlg3310Tr = BackupsControls(kBackupsTextsTr);
inline constexpr auto kDlg3320Tr = CompareControls(kCompareTextsTr);

}  // namespace norda::backupdialogs
