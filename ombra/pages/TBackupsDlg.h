#pragma once

#include <string>
#include <vector>

#include <QTreeWidget>

#include "ombra/ops/BackupStore.h"
#include "ombra/pages/TDataDlg.h"
#include "resources/OmbraControlIds.h"

namespace norda::ombra {

// "Yedekler": the backups of the radios read, newest first; "Aç" (or a double click)
// ends it with the chosen one, which the caller opens as "&Aç" opens a file.
class TBackupsDlg : public TDataDlg {
    Q_OBJECT
  public:
    static constexpr int kDialogId = BackupsIds::kDialog;

    TBackupsDlg(QWidget* parent, const ResourceModule& module, std::vector<BackupEntry> entries);

    QTreeWidget* Table() const { return table_; }
    // The chosen backup's codeplug file once the dialog has ended with 1.
    const std::string& Chosen() const { return chosen_; }

    bool CanLeave() override;

  private:
    std::vector<BackupEntry> entries_;
    QTreeWidget* table_;
    std::string chosen_;
};

}  // namespace norda::ombra
