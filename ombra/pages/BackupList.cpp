#include "ombra/pages/BackupList.h"

#include <QHeaderView>

#include "codeplug/RadioTexts.h"
#include "ui/DialogBuilder.h"

namespace norda::ombra {

QTreeWidget* TableInPlaceOf(TDataDlg& dlg, int listId, std::initializer_list<int> headingIds) {
    auto* table = new QTreeWidget(&dlg);
    QStringList headings;
    for (int id : headingIds)
        headings << ToQString(dlg.Module().Text(id));
    table->setHeaderLabels(headings);
    table->setRootIsDecorated(false);
    table->setUniformRowHeights(true);
    table->setObjectName(QString::number(listId));
    if (QWidget* list = dlg.Control(listId)) {
        table->setGeometry(list->geometry());
        list->hide();
        list->setObjectName(QString());
    }
    return table;
}

QTreeWidget* BackupTable(TDataDlg& dlg, int listId, const std::vector<BackupEntry>& entries) {
    QTreeWidget* table = TableInPlaceOf(dlg, listId, {3311, 3312, 3313, 3314});
    const ResourceModule& module = dlg.Module();
    for (size_t i = 0; i < entries.size(); ++i) {
        const BackupEntry& e = entries[i];
        auto* row = new QTreeWidgetItem(table);
        row->setText(0, ToQString(e.date + " " + e.time));
        row->setText(1, QString::number(e.serial));
        row->setText(2, ToQString(module.Text(e.radioKindTextId)));
        row->setText(3, ToQString(BandText(e.halfBaseChan)));
        row->setData(0, Qt::UserRole, static_cast<qulonglong>(i));
        row->setToolTip(0, ToQString(e.codeplugPath));
    }
    for (int column = 0; column < table->columnCount(); ++column)
        table->resizeColumnToContents(column);
    if (table->topLevelItemCount() > 0)
        table->setCurrentItem(table->topLevelItem(0));
    return table;
}

}  // namespace norda::ombra
