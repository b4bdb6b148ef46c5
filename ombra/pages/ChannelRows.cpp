#include "ombra/pages/ChannelRows.h"

#include "codeplug/CodeplugFile.h"
#include "codeplug/FrequencyCode.h"
#include "codeplug/ValueFormats.h"
#include "ombra/pages/PageValues.h"

namespace norda::ombra {

namespace {

// A name of eight characters, a tone of three digits; a frequency as wide as its band
// needs.
constexpr int kNameChars = 8;
constexpr int kToneChars = 3;
constexpr int kStepKind = 2;  // 10 kHz or 12.5 kHz raster
constexpr int kChannelCodeBits = 14;

constexpr ChannelField kClearedWithTransmit[] = {ChannelField::Hprf, ChannelField::Tot,
                                                 ChannelField::Ani, ChannelField::TxTone};
constexpr ChannelField kClearedWithReceive[] = {ChannelField::Scan, ChannelField::RxTone};

int16_t Flag(bool on) {
    return on ? 1 : 0;
}

}  // namespace

std::string* ChannelRow::Text(ChannelField field) {
    switch (field) {
        case ChannelField::Name:
            return &name;
        case ChannelField::TxFreq:
            return &txFreq;
        case ChannelField::RxFreq:
            return &rxFreq;
        case ChannelField::TxTone:
            return &txTone;
        case ChannelField::RxTone:
            return &rxTone;
        default:
            return nullptr;
    }
}

bool* ChannelRow::Box(ChannelField field) {
    switch (field) {
        case ChannelField::Tot:
            return &tot;
        case ChannelField::Hprf:
            return &hprf;
        case ChannelField::Ani:
            return &ani;
        case ChannelField::Scan:
            return &scan;
        default:
            return nullptr;
    }
}

const std::string* ChannelRow::Text(ChannelField field) const {
    return const_cast<ChannelRow*>(this)->Text(field);
}

const bool* ChannelRow::Box(ChannelField field) const {
    return const_cast<ChannelRow*>(this)->Box(field);
}

ChannelRow ShownChannel(const RadioParameters& p, int channel) {
    const ChannelRecord& k = p.Clone.Kanal[channel - 1];
    const int hbc = p.TestAyar.HalfBaseChan;
    ChannelRow row;
    row.name = RadioTextDisplay(k.KanalAdi);
    row.txFreq = FrequencyDisplay(k.TxFreq, hbc);
    row.rxFreq = FrequencyDisplay(k.RxFreq, hbc);
    row.txTone = ToneDisplay(k.TxTCS);
    row.rxTone = ToneDisplay(k.RxTCS);
    row.tot = k.TotVar == 1;
    row.hprf = k.Hprf == 1;
    row.ani = k.ANIVar == 1;
    row.scan = p.Clone.Scan[channel - 1] == 1;
    return row;
}

void StoreChannel(const ChannelRow& row, RadioParameters& p, int channel,
                  std::span<const int32_t> shiftFrequencies) {
    const int hbc = p.TestAyar.HalfBaseChan;
    ChannelRecord& k = p.Clone.Kanal[channel - 1];
    StoreRadioText(row.name, k.KanalAdi);
    if (BandIsSet(hbc)) {
        k.TxFreq =
            static_cast<int16_t>(TextToFrequencyCode(row.txFreq, hbc).value_or(kNoFrequencyCode));
        const int64_t hz = FrequencyTextHz(row.rxFreq);
        if (hz == 0) {
            // No receive frequency: the shift flag keeps what it was.
            k.RxFreq = kNoFrequencyCode;
        } else {
            k.ShiftFlag = 0;
            k.ShiftFlag = static_cast<int16_t>(ShiftFlag(hz, shiftFrequencies));
            k.RxFreq = static_cast<int16_t>(
                TextToFrequencyCode(row.rxFreq, hbc).value_or(kNoFrequencyCode));
        }
    }
    const int txTone = ToneCodeOfText(row.txTone);
    k.TxTCS = static_cast<int16_t>(txTone);
    k.TxTCSOn = txTone != 0 ? 1 : 0;
    k.RxTCS = static_cast<int16_t>(ToneCodeOfText(row.rxTone));
    k.TotVar = Flag(row.tot);
    k.Hprf = Flag(row.hprf);
    k.ANIVar = Flag(row.ani);
    p.Clone.Scan[channel - 1] = Flag(row.scan);
}

int ChannelFieldWidth(ChannelField field, int halfBaseChan) {
    switch (field) {
        case ChannelField::Name:
            return kNameChars;
        case ChannelField::TxFreq:
        case ChannelField::RxFreq:
            return FrequencyChars(BandLimits(halfBaseChan, kChannelCodeBits));
        case ChannelField::TxTone:
        case ChannelField::RxTone:
            return kToneChars;
        default:
            return 0;
    }
}

std::unique_ptr<TValidator> ChannelFieldValidator(ChannelField field, int halfBaseChan, int row,
                                                  FrequencyFieldHost* host) {
    switch (field) {
        case ChannelField::Name:
            return std::make_unique<TRadioTextValidator>();
        case ChannelField::TxFreq:
        case ChannelField::RxFreq: {
            const FrequencyLimits band = BandLimits(halfBaseChan, kChannelCodeBits);
            const int link = field == ChannelField::TxFreq ? kTransmitLink : kReceiveLink;
            return std::make_unique<TFRangeValidator>(band.min, band.max, true, link, row,
                                                      kStepKind, host);
        }
        case ChannelField::TxTone:
        case ChannelField::RxTone: {
            const int link = field == ChannelField::TxTone ? kTransmitLink : kReceiveLink;
            return std::make_unique<TListValidator>(std::string(kTonePicture), link, row, false,
                                                    host);
        }
        default:
            return nullptr;
    }
}

std::span<const ChannelField> FieldsClearedWith(int which) {
    if (which == FrequencyFieldHost::kTransmit)
        return kClearedWithTransmit;
    return kClearedWithReceive;
}

void ClearDroppedFrequencies(const ChannelRecord& stored, FrequencyFieldHost& row, int rowNumber) {
    if (stored.TxFreq != kNoFrequencyCode &&
        !row.FrequencySet(FrequencyFieldHost::kTransmit, rowNumber))
        row.FrequencyCleared(FrequencyFieldHost::kTransmit, rowNumber);
    if (stored.RxFreq != kNoFrequencyCode &&
        !row.FrequencySet(FrequencyFieldHost::kReceive, rowNumber))
        row.FrequencyCleared(FrequencyFieldHost::kReceive, rowNumber);
}

int SwitchRefusal(ChannelField box, bool transmitSet, bool receiveSet, int timeOutTime) {
    switch (box) {
        case ChannelField::Tot:
            if (!transmitSet)
                return kTextTxFrequencyMissing;
            // A channel's time-out needs the time-out time of the transferable parameters.
            return timeOutTime == 0 ? kTextTotNotSet : 0;
        case ChannelField::Ani:
            return transmitSet ? 0 : kTextTxFrequencyMissing;
        case ChannelField::Hprf:
        case ChannelField::Scan:
            return receiveSet ? 0 : kTextRxFrequencyMissing;
        default:
            return 0;
    }
}

}  // namespace norda::ombra
