#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QLabel>
#include <QTreeWidget>

#include "codeplug/CodeplugFile.h"
#include "codeplug/RadioParameters.h"
#include "ombra/ops/BackupStore.h"
#include "ombra/pages/CodeplugDiff.h"
#include "ombra/pages/TDataDlg.h"
#include "resources/OmbraControlIds.h"

namespace norda::ombra {

// "Karşılaştır": the codeplug on screen against a backup chosen in the upper list or a
// file chosen with "Dosya...": the parameters that differ, page by page, as
// "ombra-cli diff" lists them.
class TCompareDlg : public TDataDlg {
    Q_OBJECT
  public:
    static constexpr int kDialogId = CompareIds::kDialog;

    // `onScreen` speaks for as much of a radio as `coverage` says (a read: all of it).
    TCompareDlg(QWidget* parent, const ResourceModule& module, const RadioParameters& onScreen,
                DiffCoverage coverage, const CodeplugOptions& fileOptions,
                std::vector<BackupEntry> backups);

    // Asks for the file "Dosya..." compares with; "" when the user cancels.
    void SetFileAsker(std::function<std::string()> asker) { asker_ = std::move(asker); }

    // Compares with an .omb file or a 2048-byte image and shows the differences; a file
    // that cannot be read is said so.
    void CompareWith(const std::string& path);

    QTreeWidget* Backups() const { return backups_; }
    QTreeWidget* Differences() const { return differences_; }
    QString Summary() const;
    const std::vector<DiffRow>& Rows() const { return rows_; }

    void Command(int id) override;

  private:
    void ShowRows();

    const RadioParameters& onScreen_;
    DiffCoverage coverage_;
    CodeplugOptions fileOptions_;
    std::vector<BackupEntry> entries_;
    QTreeWidget* backups_;
    QTreeWidget* differences_;
    std::vector<DiffRow> rows_;
    std::function<std::string()> asker_;
};

}  // namespace norda::ombra
