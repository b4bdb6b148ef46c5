#include "ombra/pages/TChannel.h"

#include <algorithm>

#include <QLabel>

#include "ombra/pages/DataPageSupport.h"
#include "ombra/pages/MessageStyles.h"
#include "ombra/pages/ParamPageSupport.h"
#include "ui/DialogBuilder.h"
#include "ui/ValidatorCheck.h"

namespace norda::ombra {

namespace {

bool Ticked(const QCheckBox* box) {
    return box != nullptr && box->isChecked();
}

std::string Text(const QLineEdit* edit) {
    return edit != nullptr ? edit->text().toStdString() : std::string();
}

TChannel::Column ColumnOf(ChannelField field) {
    return static_cast<TChannel::Column>(TChannel::kNumber + 10 * static_cast<int>(field));
}

}  // namespace

TChannel::TChannel(QWidget* parent, int firstChannel, const ResourceModule& module,
                   PageEnvironment environment)
    : TDataDlg(parent, kDialogId, module, false, false, false),
      first_(std::clamp(firstChannel, 1, kChannelCount)),
      rows_(std::min(kMaxRows, kChannelCount - first_ + 1)),
      env_(environment) {
    paramctl::BoldHeading(*this);
    const int hbc = env_.Parameters().TestAyar.HalfBaseChan;
    for (int r = 1; r <= rows_; ++r) {
        for (const ChannelField field : kChannelEdits) {
            Bind(ColumnOf(field) + r,
                 std::make_unique<TValidatorCheck>(ChannelFieldValidator(field, hbc, r, this)),
                 ChannelFieldWidth(field, hbc));
        }
        UpperCaseWhileTyping(Edit(kName, r));
        for (const Column column : {kTxFreq, kRxFreq}) {
            QLineEdit* edit = Edit(column, r);
            if (edit == nullptr)
                continue;
            const int which = column == kTxFreq ? kTransmit : kReceive;
            connect(edit, &QLineEdit::editingFinished, this, [this, edit, which, r] {
                if (edit->isModified() && !FrequencySet(which, r))
                    FrequencyCleared(which, r);
            });
        }
        if (QCheckBox* b = Box(kTot, r))
            connect(b, &QCheckBox::clicked, this, [this, r] { TotClicked(r); });
        if (QCheckBox* b = Box(kHprf, r))
            connect(b, &QCheckBox::clicked, this, [this, r] { HprfClicked(r); });
        if (QCheckBox* b = Box(kAni, r))
            connect(b, &QCheckBox::clicked, this, [this, r] { AniClicked(r); });
        if (QCheckBox* b = Box(kScan, r))
            connect(b, &QCheckBox::clicked, this, [this, r] { ScanClicked(r); });
    }
}

void TChannel::TransferToDialog() {
    const RadioParameters& p = env_.Parameters();
    for (int r = 1; r <= rows_; ++r) {
        const int n = first_ + r - 1;
        ChannelRow row = ShownChannel(p, n);
        if (auto* number = Item<QLabel>(kNumber + r))
            number->setText(QString::number(n));
        for (const ChannelField field : kChannelEdits) {
            ShowText(Edit(ColumnOf(field), r), *row.Text(field));
        }
        for (const ChannelField field : kChannelSwitches) {
            if (QCheckBox* b = Box(ColumnOf(field), r))
                b->setChecked(*row.Box(field));
        }
    }
    // Rows past channel 99 stay empty, and out of reach of Tab and of the validation.
    for (int r = rows_ + 1; r <= kMaxRows; ++r) {
        for (int column = kNumber; column <= kScan; column += 10) {
            QWidget* w = Control(column + r);
            if (w == nullptr)
                continue;
            if (auto* l = qobject_cast<QLabel*>(w))
                l->clear();
            if (auto* e = qobject_cast<QLineEdit*>(w))
                e->clear();
            if (auto* b = qobject_cast<QCheckBox*>(w))
                b->setChecked(false);
            w->setEnabled(false);
            w->hide();
        }
    }
}

void TChannel::TransferFromDialog() {
    RadioParameters& p = env_.Parameters();
    for (int r = 1; r <= rows_; ++r) {
        ChannelRow row;
        for (const ChannelField field : kChannelEdits)
            *row.Text(field) = Text(Edit(ColumnOf(field), r));
        for (const ChannelField field : kChannelSwitches)
            *row.Box(field) = Ticked(Box(ColumnOf(field), r));
        StoreChannel(row, p, first_ + r - 1, env_.shiftFrequencies);
    }
}

bool TChannel::CanLeave() {
    const RadioParameters& p = env_.Parameters();
    for (int r = 1; r <= rows_; ++r)
        ClearDroppedFrequencies(p.Clone.Kanal[first_ + r - 2], *this, r);
    return TDataDlg::CanLeave();
}

bool TChannel::FrequencySet(int which, int row) {
    if (row < 1 || row > rows_)
        return false;
    return !FrequencyTextIsZero(Text(Edit(which == kTransmit ? kTxFreq : kRxFreq, row)));
}

void TChannel::FrequencyCleared(int which, int row) {
    if (row < 1 || row > rows_)
        return;
    for (const ChannelField field : FieldsClearedWith(which)) {
        if (QCheckBox* b = Box(ColumnOf(field), row))
            b->setChecked(false);
        if (QLineEdit* e = Edit(ColumnOf(field), row))
            e->clear();
    }
}

void TChannel::TotClicked(int row) {
    SwitchClicked(ChannelField::Tot, row);
}

void TChannel::HprfClicked(int row) {
    SwitchClicked(ChannelField::Hprf, row);
}

void TChannel::AniClicked(int row) {
    SwitchClicked(ChannelField::Ani, row);
}

void TChannel::ScanClicked(int row) {
    SwitchClicked(ChannelField::Scan, row);
}

void TChannel::SwitchClicked(ChannelField box, int row) {
    const int refusal = SwitchRefusal(box, FrequencySet(kTransmit, row),
                                      FrequencySet(kReceive, row), env_.Parameters().Clone.Tot);
    if (refusal == 0)
        return;
    ShowError(refusal);
    if (QCheckBox* b = Box(ColumnOf(box), row))
        b->setChecked(false);
}

void TChannel::ShowError(int textId) {
    paramctl::Message(*this, textId, paramctl::kCaptionError, kIconExclamation);
}

}  // namespace norda::ombra
