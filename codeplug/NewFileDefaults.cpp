#include "codeplug/NewFileDefaults.h"

#include <cstdio>

#include "codeplug/FrequencyCode.h"

namespace norda {

void ResetToNewFile(RadioParameters& p) {
    p.TestAyar.HwNotHandheld = 0;
    p.Service.SCEnc = 1;
    p.Service.ANINo[0] = 1;

    CloneParameters& c = p.Clone;
    c.Language = 1;
    c.DigerMenu = 1;
    c.PowerSave = 1;
    c.ScanDelay = 6;
    c.AcilCagri = 0;
    c.AcilCagriKanali = 0;
    c.Tot = 4;
    c.RekeyDelay = 0;
    c.TxDelay = 1;
    c.ExtendedTon = 1;
    c.GrupTonu = 1;
    c.BusyChan = 1;
    c.BusyChanMode = 0;
    c.TonStandardi = 1;
    c.UserSelectedDig = 2;
    c.ANITipi = 0;
    c.Oncelik = 0;
    c.PriorChannel1 = 0;
    c.PriorChannel2 = 0;
    c.TonLength = 5;
    c.ExtInputModem = 0;
    for (int n = 1; n <= kChannelCount; ++n) {
        ChannelRecord& k = c.Kanal[n - 1];
        k.TxFreq = kNoFrequencyCode;
        k.RxFreq = kNoFrequencyCode;
        k.Hprf = 0;
        k.TotVar = 0;
        k.TxTCS = 0;
        k.TxTCSOn = 0;
        k.ANIVar = 0;
        k.ShiftFlag = 0;
        k.RxTCS = 0;
        c.Scan[n - 1] = 0;
        char name[16];
        std::snprintf(name, sizeof name, "KN %-5d", n);
        for (int i = 0; i < 8; ++i)
            k.KanalAdi[i] = name[i];
    }

    KsysParameters& k = p.KSYS;
    k.SYSID = 1;
    k.SMTIDENT = 1;
    k.RxFreq = 0;
    k.TxFreq = 0;
    k.RxTCS = 0;
    k.TxTCS = 0;
    k.YuksekGuc = 0;
    for (int i = 0; i < kKsysGroups; ++i)
        k.GrupNo[i] = static_cast<int16_t>(i + 1);

    p.ADATA.SYSID = 0;
    p.ADATA.FLEETID = 0;
    p.ADATA.RADIOID = 0;
}

int NewFileHalfBaseChan(NewFileBand band, int userBandMHz) {
    switch (band) {
        case NewFileBand::Vhf146:
            return 5840;
        case NewFileBand::Uhf406:
            return 16240;
        case NewFileBand::Uhf430:
            return 17200;
        case NewFileBand::Uhf450:
            return 18000;
        case NewFileBand::UserDefined:
            break;
    }
    return static_cast<int>(int64_t{userBandMHz} * 1000000 / kHalfBaseChanHz);
}

void ApplyNewFileChoice(RadioParameters& p, NewFileBand band, int userBandMHz, int toneCount) {
    p.TestAyar.HalfBaseChan = static_cast<int16_t>(NewFileHalfBaseChan(band, userBandMHz));
    p.Clone.TonLength = static_cast<int16_t>(toneCount);
}

}  // namespace norda
