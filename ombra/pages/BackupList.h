#pragma once

#include <vector>

#include <QTreeWidget>

#include "ombra/ops/BackupStore.h"
#include "ombra/pages/TDataDlg.h"

namespace norda::ombra {

// The dialog templates have no table: a list box stands where one goes, and a table
// with the given headings (string numbers) takes its place and identifier.
QTreeWidget* TableInPlaceOf(TDataDlg& dlg, int listId, std::initializer_list<int> headingIds);

// The backups, newest first, in a table: date and time, serial number, radio type,
// band. Each row keeps its entry's index (Qt::UserRole).
QTreeWidget* BackupTable(TDataDlg& dlg, int listId, const std::vector<BackupEntry>& entries);

}  // namespace norda::ombra
