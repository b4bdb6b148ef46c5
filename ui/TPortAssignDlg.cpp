#include "ui/TPortAssignDlg.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>
#include <filesystem>

#include "link/TermiosStream.h"

namespace norda {
namespace {

namespace fs = std::filesystem;

enum Text : int {
    kTitle = 3201,
    kColumnPort = 3202,
    kColumnDevice = 3203,
    kColumnName = 3204,
    kColumnSocket = 3205,
    kColumnAccess = 3206,
    kAccessYes = 3207,
    kAccessDenied = 3208,
    kUnplugged = 3209,
    kNumberLabel = 3210,
    kAssign = 3211,
    kRemove = 3212,
    kClose = 3213,
    kByName = 3214,
    kBySocket = 3215,
    kWriteFailed = 3216,
    kLinkLabel = 3217,
};

enum Column : int { kPort, kDevice, kAccess, kName, kSocket, kColumns };

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

std::string FileName(const std::vector<std::string>& links) {
    return links.empty() ? std::string() : fs::path(links.front()).filename().string();
}

}  // namespace

TPortAssignDlg::TPortAssignDlg(QWidget* parent, const TextSource& texts, int highestPort, int port,
                               SerialDeviceTree tree)
    : QDialog(parent), texts_(texts), tree_(std::move(tree)) {
    setWindowTitle(Q(texts_.Text(kTitle)));
    auto* layout = new QVBoxLayout(this);

    table_ = new QTableWidget(0, kColumns, this);
    QStringList headings;
    for (int id : {kColumnPort, kColumnDevice, kColumnAccess, kColumnName, kColumnSocket})
        headings << Q(texts_.Text(id));
    table_->setHorizontalHeaderLabels(headings);
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The names are long; they share the width left and show their ends in full.
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(kName, QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(kSocket, QHeaderView::Stretch);
    table_->setTextElideMode(Qt::ElideMiddle);
    table_->setWordWrap(false);
    layout->addWidget(table_, 1);

    auto* row = new QHBoxLayout;
    auto* numberLabel = new QLabel(Q(texts_.Text(kNumberLabel)), this);
    number_ = new QSpinBox(this);
    number_->setLocale(QLocale::c());
    number_->setRange(1, highestPort);
    number_->setValue(std::clamp(port, 1, highestPort));
    numberLabel->setBuddy(number_);
    row->addWidget(numberLabel);
    row->addWidget(number_);
    row->addSpacing(16);
    row->addWidget(new QLabel(Q(texts_.Text(kLinkLabel)), this));
    byName_ = new QRadioButton(Q(texts_.Text(kByName)), this);
    bySocket_ = new QRadioButton(Q(texts_.Text(kBySocket)), this);
    byName_->setChecked(true);
    auto* group = new QButtonGroup(this);
    group->addButton(byName_);
    group->addButton(bySocket_);
    row->addWidget(byName_);
    row->addWidget(bySocket_);
    row->addStretch(1);
    assign_ = new QPushButton(Q(texts_.Text(kAssign)), this);
    remove_ = new QPushButton(Q(texts_.Text(kRemove)), this);
    auto* close = new QPushButton(Q(texts_.Text(kClose)), this);
    row->addWidget(assign_);
    row->addWidget(remove_);
    row->addWidget(close);
    layout->addLayout(row);

    hint_ = new QLabel(this);
    hint_->setWordWrap(true);
    hint_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(hint_);

    connect(assign_, &QPushButton::clicked, this, &TPortAssignDlg::Assign);
    connect(remove_, &QPushButton::clicked, this, &TPortAssignDlg::Remove);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(table_, &QTableWidget::currentCellChanged, this,
            [this](int current, int, int, int) { SelectDevice(current); });
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int, int) { Assign(); });

    Refresh();
    resize(760, 420);
}

void TPortAssignDlg::Refresh() {
    devices_ = ListSerialDevices(tree_);
    const int selected = table_->currentRow();
    table_->setRowCount(static_cast<int>(devices_.size()));
    std::string hint;
    for (size_t i = 0; i < devices_.size(); ++i) {
        const SerialDevice& d = devices_[i];
        QStringList ports;
        for (int p : d.ports)
            ports << QString::number(p);
        const int access = !d.present ? kUnplugged : d.mayOpen ? kAccessYes : kAccessDenied;
        QString cells[kColumns] = {ports.join(QStringLiteral(", ")), Q(d.node),
                                   Q(texts_.Text(access)), Q(FileName(d.byId)),
                                   Q(FileName(d.byPath))};
        // An unplugged adapter is known only by the name its entry leads to.
        if (!d.present) {
            const fs::path lost(d.node);
            const std::string kind = lost.parent_path().filename().string();
            if (kind == "by-id" || kind == "by-path") {
                cells[kind == "by-id" ? kName : kSocket] = Q(lost.filename().string());
                cells[kDevice].clear();
            }
        }
        const int r = static_cast<int>(i);
        for (int c = 0; c < kColumns; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c == kName || c == kSocket)
                item->setToolTip(cells[c]);
            table_->setItem(r, c, item);
        }
        if (d.present && !d.mayOpen) {
            const std::string deviceHint = AccessHint(texts_, d.node, d.group);
            table_->item(r, kAccess)->setForeground(Qt::red);
            table_->item(r, kAccess)->setToolTip(Q(deviceHint));
            if (hint.empty())
                hint = deviceHint;
        }
    }
    hint_->setText(Q(hint));
    if (selected >= 0 && selected < table_->rowCount())
        table_->setCurrentCell(selected, 0);
    UpdateButtons();
}

void TPortAssignDlg::SelectDevice(int row) {
    if (row >= 0 && row < static_cast<int>(devices_.size()) && !devices_[row].ports.empty())
        number_->setValue(devices_[row].ports.front());
    UpdateButtons();
}

void TPortAssignDlg::UpdateButtons() {
    const int row = table_->currentRow();
    assign_->setEnabled(row >= 0 && row < static_cast<int>(devices_.size()) &&
                        devices_[row].present);
}

void TPortAssignDlg::Assign() {
    const int row = table_->currentRow();
    if (row < 0 || row >= static_cast<int>(devices_.size()) || !devices_[row].present)
        return;
    const SerialDevice& d = devices_[row];
    // A bench of identical adapters tells them apart only by the socket they are in.
    const bool socket = bySocket_->isChecked() && !d.byPath.empty();
    const std::string target = AssignmentTarget(devices_, socket ? d.byPath.front() : d.node);
    Written(number_->value(), AssignPort(PortsDir(), number_->value(), target));
}

void TPortAssignDlg::Remove() {
    Written(number_->value(), ClearPort(PortsDir(), number_->value()));
}

std::string TPortAssignDlg::PortsDir() const {
    return tree_.ports.empty() ? PortsDirectory() : tree_.ports;
}

void TPortAssignDlg::Written(int port, int error) {
    if (error != 0) {
        const std::string entry = PortsDir() + "/com" + std::to_string(port);
        hint_->setText(Q(FillNames(texts_.Text(kWriteFailed), {entry, std::strerror(error)})));
        return;
    }
    changed_.insert(port);
    Refresh();
}

std::string PortMenuDevice(const TextSource& texts, const std::vector<SerialDevice>& devices,
                           int port) {
    for (const SerialDevice& d : devices) {
        if (std::find(d.ports.begin(), d.ports.end(), port) == d.ports.end())
            continue;
        if (!d.present)
            return fs::path(d.node).filename().string() + " (" + texts.Text(kUnplugged) + ")";
        const std::string name = FileName(d.byId);
        return name.empty() ? d.node : d.node + " (" + name + ")";
    }
    return {};
}

}  // namespace norda
