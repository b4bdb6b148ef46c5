#include "ombra/pages/TChannel.h"

#include <algorithm>

#include <QLabel>

#include "codeplug/CodeplugFile.h"
#include "codeplug/FrequencyCode.h"
#include "codeplug/ValueFormats.h"
#include "ombra/pages/DataPageSupport.h"
#include "ombra/pages/ParamPageSupport.h"
#include "ombra/pages/RadioTextCheck.h"
#include "ui/DialogBuilder.h"
#include "ui/ValidatorCheck.h"

namespace norda::ombra {

namespace {

// Text limits in characters (the dialog resource's limits count the terminating zero
// as well): a name of eight characters, a tone of three digits; a frequency as wide as
// its band needs.
constexpr int kNameChars = 8;
constexpr int kToneChars = 3;
constexpr int kStepKind = 2;  // 10 kHz or 12.5 kHz raster
constexpr int kChannelCodeBits = 14;

int16_t Flag(const QCheckBox* box) {
    return box != nullptr && box->isChecked() ? 1 : 0;
}

std::string Text(const QLineEdit* edit) {
    return edit != nullptr ? edit->text().toStdString() : std::string();
}

}  // namespace

TChannel::TChannel(QWidget* parent, int firstChannel, const ResourceModule& module,
                   PageEnvironment environment)
    : TDataDlg(parent, kDialogId, module, false, false, false),
      first_(std::clamp(firstChannel, 1, kChannelCount)),
      rows_(std::min(kMaxRows, kChannelCount - first_ + 1)),
      env_(environment) {
    paramctl::BoldHeading(*this);
    const FrequencyLimits band =
        BandLimits(env_.Parameters().TestAyar.HalfBaseChan, kChannelCodeBits);
    for (int r = 1; r <= rows_; ++r) {
        Bind(kName + r, std::make_unique<TRadioTextCheck>(), kNameChars);
        UpperCaseWhileTyping(Edit(kName, r));
        for (const Column column : {kTxFreq, kRxFreq}) {
            QLineEdit* edit = Edit(column, r);
            if (edit == nullptr)
                continue;
            const int link = column == kTxFreq ? kTransmitLink : kReceiveLink;
            Bind(column + r,
                 std::make_unique<TValidatorCheck>(std::make_unique<TFRangeValidator>(
                     band.min, band.max, true, link, r, kStepKind, this)),
                 FrequencyChars(band));
            const int which = column == kTxFreq ? kTransmit : kReceive;
            connect(edit, &QLineEdit::editingFinished, this, [this, edit, which, r] {
                if (edit->isModified() && !FrequencySet(which, r))
                    FrequencyCleared(which, r);
            });
        }
        Bind(kTxTone + r,
             std::make_unique<TValidatorCheck>(std::make_unique<TListValidator>(
                 std::string(kTonePicture), kTransmitLink, r, false, this)),
             kToneChars);
        Bind(kRxTone + r,
             std::make_unique<TValidatorCheck>(std::make_unique<TListValidator>(
                 std::string(kTonePicture), kReceiveLink, r, false, this)),
             kToneChars);
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
    const int hbc = p.TestAyar.HalfBaseChan;
    for (int r = 1; r <= rows_; ++r) {
        const int n = first_ + r - 1;
        const ChannelRecord& k = p.Clone.Kanal[n - 1];
        if (auto* number = Item<QLabel>(kNumber + r))
            number->setText(QString::number(n));
        ShowText(Edit(kName, r), RadioTextDisplay(k.KanalAdi));
        ShowText(Edit(kTxFreq, r), FrequencyDisplay(k.TxFreq, hbc));
        ShowText(Edit(kRxFreq, r), FrequencyDisplay(k.RxFreq, hbc));
        ShowText(Edit(kTxTone, r), ToneDisplay(k.TxTCS));
        ShowText(Edit(kRxTone, r), ToneDisplay(k.RxTCS));
        if (QCheckBox* b = Box(kTot, r))
            b->setChecked(k.TotVar == 1);
        if (QCheckBox* b = Box(kHprf, r))
            b->setChecked(k.Hprf == 1);
        if (QCheckBox* b = Box(kAni, r))
            b->setChecked(k.ANIVar == 1);
        if (QCheckBox* b = Box(kScan, r))
            b->setChecked(p.Clone.Scan[n - 1] == 1);
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
    const int hbc = p.TestAyar.HalfBaseChan;
    for (int r = 1; r <= rows_; ++r) {
        const int n = first_ + r - 1;
        ChannelRecord& k = p.Clone.Kanal[n - 1];
        if (QLineEdit* e = Edit(kName, r))
            StoreRadioText(Text(e), k.KanalAdi);
        if (BandIsSet(hbc)) {
            if (QLineEdit* e = Edit(kTxFreq, r))
                k.TxFreq = static_cast<int16_t>(
                    TextToFrequencyCode(Text(e), hbc).value_or(kNoFrequencyCode));
            if (QLineEdit* e = Edit(kRxFreq, r)) {
                const std::string text = Text(e);
                const int64_t hz = FrequencyTextHz(text);
                if (hz == 0) {
                    // No receive frequency: the shift flag keeps what it was.
                    k.RxFreq = kNoFrequencyCode;
                } else {
                    k.ShiftFlag = 0;
                    k.ShiftFlag = static_cast<int16_t>(ShiftFlag(hz, env_.shiftFrequencies));
                    k.RxFreq = static_cast<int16_t>(
                        TextToFrequencyCode(text, hbc).value_or(kNoFrequencyCode));
                }
            }
        }
        if (QLineEdit* e = Edit(kTxTone, r)) {
            const int code = ToneCodeOfText(Text(e));
            k.TxTCS = static_cast<int16_t>(code);
            k.TxTCSOn = code != 0 ? 1 : 0;
        }
        if (QLineEdit* e = Edit(kRxTone, r))
            k.RxTCS = static_cast<int16_t>(ToneCodeOfText(Text(e)));
        k.TotVar = Flag(Box(kTot, r));
        k.Hprf = Flag(Box(kHprf, r));
        k.ANIVar = Flag(Box(kAni, r));
        p.Clone.Scan[n - 1] = Flag(Box(kScan, r));
    }
}

bool TChannel::CanLeave() {
    // A frequency cleared on this page takes its row's dependent settings along even
    // when the page is left straight from its field.
    const RadioParameters& p = env_.Parameters();
    for (int r = 1; r <= rows_; ++r) {
        const ChannelRecord& k = p.Clone.Kanal[first_ + r - 2];
        if (k.TxFreq != kNoFrequencyCode && !FrequencySet(kTransmit, r))
            FrequencyCleared(kTransmit, r);
        if (k.RxFreq != kNoFrequencyCode && !FrequencySet(kReceive, r))
            FrequencyCleared(kReceive, r);
    }
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
    if (which == kTransmit) {
        Untick(kHprf, row);
        Untick(kTot, row);
        Untick(kAni, row);
        Empty(kTxTone, row);
    } else {
        Untick(kScan, row);
        Empty(kRxTone, row);
    }
}

void TChannel::TotClicked(int row) {
    if (!FrequencySet(kTransmit, row)) {
        ShowError(kTextTxFrequencyMissing);
        Untick(kTot, row);
        return;
    }
    // A channel's time-out needs the time-out time of the transferable parameters.
    if (env_.Parameters().Clone.Tot == 0) {
        ShowError(kTextTotNotSet);
        Untick(kTot, row);
    }
}

void TChannel::HprfClicked(int row) {
    if (!FrequencySet(kReceive, row)) {
        ShowError(kTextRxFrequencyMissing);
        Untick(kHprf, row);
    }
}

void TChannel::AniClicked(int row) {
    if (!FrequencySet(kTransmit, row)) {
        ShowError(kTextTxFrequencyMissing);
        Untick(kAni, row);
    }
}

void TChannel::ScanClicked(int row) {
    if (!FrequencySet(kReceive, row)) {
        ShowError(kTextRxFrequencyMissing);
        Untick(kScan, row);
    }
}

void TChannel::ShowError(int textId) {
    paramctl::Message(*this, textId, paramctl::kCaptionError, paramctl::kStyleExclamation);
}

void TChannel::Untick(Column column, int row) {
    if (QCheckBox* b = Box(column, row))
        b->setChecked(false);
}

void TChannel::Empty(Column column, int row) {
    if (QLineEdit* e = Edit(column, row))
        e->clear();
}

}  // namespace norda::ombra
