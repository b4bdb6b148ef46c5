#include "ombra/pages/TBackupsDlg.h"

#include "ombra/pages/BackupList.h"

namespace norda::ombra {

namespace {
using enum BackupsIds::Control;
}  // namespace

TBackupsDlg::TBackupsDlg(QWidget* parent, const ResourceModule& module,
                         std::vector<BackupEntry> entries)
    : TDataDlg(parent, kDialogId, module, true, true, true),
      entries_(std::move(entries)),
      table_(BackupTable(*this, kList, entries_)) {
    connect(table_, &QTreeWidget::itemDoubleClicked, this, [this] { Command(1); });
    // The arrow keys choose at once; Enter opens.
    table_->setFocus();
}

bool TBackupsDlg::CanLeave() {
    const QTreeWidgetItem* row = table_->currentItem();
    if (row == nullptr)
        return false;
    const auto i = row->data(0, Qt::UserRole).toULongLong();
    if (i >= entries_.size())
        return false;
    chosen_ = entries_[i].codeplugPath;
    return true;
}

}  // namespace norda::ombra
