#include "ombra/pages/TKsys.h"

#include "codeplug/FrequencyCode.h"
#include "codeplug/ValueFormats.h"
#include "ombra/pages/DataPageSupport.h"
#include "ombra/pages/ParamPageSupport.h"
#include "ui/DialogBuilder.h"
#include "ui/ValidatorCheck.h"

namespace norda::ombra {

namespace {

constexpr int kStepKind = 2;
constexpr int kKsysCodeBits = 16;

std::string Text(const QLineEdit* edit) {
    return edit != nullptr ? edit->text().toStdString() : std::string();
}

// A field that the language's dialog lacks leaves its parameter alone.
void ReadNumber(const QLineEdit* edit, int16_t& value) {
    if (edit != nullptr)
        value = static_cast<int16_t>(NumberOfText(edit->text().toStdString()));
}

std::unique_ptr<FieldCheck> Range(int32_t min, int32_t max) {
    return std::make_unique<TValidatorCheck>(
        std::make_unique<TLRangeValidator>(min, max, false, true));
}

}  // namespace

TKsys::TKsys(QWidget* parent, const ResourceModule& module, PageEnvironment environment)
    : TDataDlg(parent, kDialogId, module, false, false, false), env_(environment) {
    paramctl::BoldHeading(*this);
    AlignLabelColons(*this);
    const FrequencyLimits band = BandLimits(env_.Parameters().TestAyar.HalfBaseChan, kKsysCodeBits);
    Bind(kSysId, Range(0, 65535), 5);
    Bind(kSmtIdent, Range(0, 255), 3);
    for (const int id : {kRxFreq, kTxFreq}) {
        QLineEdit* edit = Edit(id);
        if (edit == nullptr)
            continue;
        Bind(id,
             std::make_unique<TValidatorCheck>(std::make_unique<TFRangeValidator>(
                 band.min, band.max, true, id == kTxFreq ? kTransmitLink : kReceiveLink, 0,
                 kStepKind, this)),
             FrequencyChars(band));
        const int which = id == kTxFreq ? kTransmit : kReceive;
        connect(edit, &QLineEdit::editingFinished, this, [this, edit, which] {
            if (edit->isModified() && !FrequencySet(which, 0))
                FrequencyCleared(which, 0);
        });
    }
    Bind(kRxTone,
         std::make_unique<TValidatorCheck>(std::make_unique<TListValidator>(
             std::string(kTonePicture), kReceiveLink, 0, false, this)),
         3);
    Bind(kTxTone,
         std::make_unique<TValidatorCheck>(std::make_unique<TListValidator>(
             std::string(kTonePicture), kTransmitLink, 0, false, this)),
         3);
    for (int g = 0; g < kKsysGroups; ++g)
        Bind(kFirstGroup + g, Range(1, 98), 2);
}

void TKsys::TransferToDialog() {
    const RadioParameters& p = env_.Parameters();
    const KsysParameters& k = p.KSYS;
    const int hbc = p.TestAyar.HalfBaseChan;
    ShowText(Edit(kSysId), OptionalNumber(static_cast<uint16_t>(k.SYSID)));
    ShowText(Edit(kSmtIdent), OptionalNumber(k.SMTIDENT));
    ShowText(Edit(kRxFreq), KsysFrequencyText(k.RxFreq, hbc));
    ShowText(Edit(kTxFreq), KsysFrequencyText(k.TxFreq, hbc));
    ShowText(Edit(kRxTone), ToneDisplay(k.RxTCS));
    ShowText(Edit(kTxTone), ToneDisplay(k.TxTCS));
    if (auto* b = Item<QCheckBox>(kHighPower))
        b->setChecked(k.YuksekGuc == 1);
    for (int g = 0; g < kKsysGroups; ++g)
        ShowText(Edit(kFirstGroup + g), OptionalNumber(k.GrupNo[g]));
}

void TKsys::TransferFromDialog() {
    RadioParameters& p = env_.Parameters();
    KsysParameters& k = p.KSYS;
    const int hbc = p.TestAyar.HalfBaseChan;
    ReadNumber(Edit(kSysId), k.SYSID);
    ReadNumber(Edit(kSmtIdent), k.SMTIDENT);
    auto frequency = [&](int id, int16_t& code) {
        if (BandIsSet(hbc) && Edit(id) != nullptr)
            code = static_cast<int16_t>(
                TextToFrequencyCode(Text(Edit(id)), hbc).value_or(kNoFrequencyCode));
    };
    auto tone = [&](int id, int16_t& code) {
        if (Edit(id) != nullptr)
            code = static_cast<int16_t>(ToneCodeOfText(Text(Edit(id))));
    };
    frequency(kRxFreq, k.RxFreq);
    frequency(kTxFreq, k.TxFreq);
    tone(kRxTone, k.RxTCS);
    tone(kTxTone, k.TxTCS);
    if (auto* b = Item<QCheckBox>(kHighPower))
        k.YuksekGuc = b->isChecked() ? 1 : 0;
    for (int g = 0; g < kKsysGroups; ++g)
        ReadNumber(Edit(kFirstGroup + g), k.GrupNo[g]);
}

bool TKsys::CanLeave() {
    // As on the channel page: a frequency cleared here takes its tone (and high power).
    const KsysParameters& k = env_.Parameters().KSYS;
    if (static_cast<uint16_t>(k.TxFreq) != kNoFrequencyCode && !FrequencySet(kTransmit, 0))
        FrequencyCleared(kTransmit, 0);
    if (static_cast<uint16_t>(k.RxFreq) != kNoFrequencyCode && !FrequencySet(kReceive, 0))
        FrequencyCleared(kReceive, 0);
    return TDataDlg::CanLeave();
}

bool TKsys::FrequencySet(int which, int) {
    return !FrequencyTextIsZero(Text(Edit(which == kTransmit ? kTxFreq : kRxFreq)));
}

void TKsys::FrequencyCleared(int which, int) {
    if (which == kTransmit) {
        if (QLineEdit* e = Edit(kTxTone))
            e->clear();
        if (auto* b = Item<QCheckBox>(kHighPower))
            b->setChecked(false);
    } else if (QLineEdit* e = Edit(kRxTone)) {
        e->clear();
    }
}

}  // namespace norda::ombra
