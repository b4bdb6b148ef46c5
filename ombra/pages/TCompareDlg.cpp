#include "ombra/pages/TCompareDlg.h"

#include <algorithm>
#include <memory>

#include <QSignalBlocker>

#include "codeplug/TextFormat.h"
#include "ombra/pages/BackupList.h"
#include "ombra/pages/MessageStyles.h"
#include "ombra/pages/TMessageDlg.h"
#include "ui/DialogBuilder.h"

namespace norda::ombra {

namespace {
using enum CompareIds::Control;
constexpr int kTextNoDifferences = 3324;
constexpr int kTextDifferences = 3325;
constexpr int kTextUnreadable = 3328;
constexpr int kCaptionError = 602;
}  // namespace

TCompareDlg::TCompareDlg(QWidget* parent, const ResourceModule& module,
                         const RadioParameters& onScreen, DiffCoverage coverage,
                         const CodeplugOptions& fileOptions, std::vector<BackupEntry> backups)
    : TDataDlg(parent, kDialogId, module, true, false, true),
      onScreen_(onScreen),
      coverage_(coverage),
      fileOptions_(fileOptions),
      entries_(std::move(backups)),
      backups_(BackupTable(*this, kBackupList, entries_)),
      differences_(TableInPlaceOf(*this, kDifferences, {3321, 3322, 3323})) {
    differences_->setRootIsDecorated(true);
    // Nothing is compared before the user has chosen.
    backups_->setCurrentItem(nullptr);
    backups_->clearSelection();
    backups_->setFocus();
    // Choosing a backup, by mouse or by the arrow keys, compares with it at once.
    connect(backups_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* row) {
        const auto i = row != nullptr ? row->data(0, Qt::UserRole).toULongLong() : entries_.size();
        if (i < entries_.size())
            CompareWith(entries_[i].imagePath);
    });
}

void TCompareDlg::Command(int id) {
    if (id == kFileButton) {
        const std::string path = asker_ ? asker_() : std::string();
        if (!path.empty()) {
            // Signals off: a backup chosen later must count as a change again.
            const QSignalBlocker quiet(backups_);
            backups_->setCurrentItem(nullptr);
            backups_->clearSelection();
            CompareWith(path);
        }
        return;
    }
    TDataDlg::Command(id);
}

void TCompareDlg::CompareWith(const std::string& path) {
    if (auto* source = Item<QLabel>(kSource))
        source->setText(ToQString(path));
    auto other = std::make_unique<RadioParameters>();
    DiffCoverage coverage = DiffCoverage::Image;
    FileValueReports reports;
    if (!LoadComparable(path, fileOptions_, *other, coverage, &reports)) {
        rows_.clear();
        differences_->clear();
        if (auto* count = Item<QLabel>(kCount))
            count->clear();
        TMessageDlg::Show(this, Module(),
                          ToQString(FormatText(Module().Text(kTextUnreadable), {path})),
                          ToQString(Module().Text(kCaptionError)), kIconExclamation);
        return;
    }
    rows_ = DiffCodeplugs(onScreen_, {*other, reports}, std::min(coverage_, coverage), Module());
    ShowRows();
}

void TCompareDlg::ShowRows() {
    differences_->clear();
    QTreeWidgetItem* page = nullptr;
    QTreeWidgetItem* group = nullptr;
    std::string title;
    std::string groupName;
    for (const DiffRow& row : rows_) {
        const std::string rowTitle = PageTitle(row.page, Module());
        if (page == nullptr || rowTitle != title) {
            title = rowTitle;
            page = new QTreeWidgetItem(differences_, {ToQString(title)});
            group = nullptr;
            groupName.clear();
        }
        QTreeWidgetItem* parent = page;
        if (!row.group.empty()) {
            if (group == nullptr || row.group != groupName) {
                groupName = row.group;
                group = new QTreeWidgetItem(page, {ToQString(groupName)});
            }
            parent = group;
        }
        new QTreeWidgetItem(parent, {ToQString(row.label), ToQString(row.a), ToQString(row.b)});
    }
    differences_->expandAll();
    differences_->resizeColumnToContents(0);
    differences_->resizeColumnToContents(1);
    if (auto* count = Item<QLabel>(kCount)) {
        count->setText(rows_.empty()
                           ? ToQString(Module().Text(kTextNoDifferences))
                           : ToQString(FormatText(Module().Text(kTextDifferences),
                                                  {static_cast<long long>(rows_.size())})));
    }
}

QString TCompareDlg::Summary() const {
    const auto* count = Item<QLabel>(kCount);
    return count != nullptr ? count->text() : QString();
}

}  // namespace norda::ombra
