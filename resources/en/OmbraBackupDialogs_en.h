#pragma once

// English texts of the backups and compare dialogs.

#include "resources/OmbraBackupDialogs.h"

namespace norda::backupdialogs {

inline constexpr BackupsTexts kBackupsTextsEn{"Backups", "Open", "Cancel"};
inline constexpr CompareTexts kCompareTextsEn{"Compare", "Compare with", "File...", "Close"};

inline constexpr auto kDlg3310En = BackupsControls(kBackupsTextsEn);
inline constexpr auto kDlg3320En = CompareControls(kCompareTextsEn);

}  // namespace norda::backupdialogs
