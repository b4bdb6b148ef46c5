#include "codeplug/MemoryAreas.h"

#include <cstdio>
#include <utility>

namespace norda {

namespace {

// The hardware option flags by their bit in kHardwareOptions.
std::array<std::pair<int, int16_t*>, 7> HardwareOptionBits(TestAyarParameters& t) {
    return {{{0, &t.HwTDM},
             {1, &t.HwNotHandheld},
             {2, &t.HwFlag2},
             {3, &t.HwCrypto},
             {kHwKsysBit, &t.HwKSYS},
             {5, &t.HwRepeater},
             {6, &t.HwCrypto2}}};
}

// Binds the fields of one parameter set in catalogue order. Layout texts are made
// from byte numbers, the way the radio's memory map is written down.
class Binder {
  public:
    Binder(FieldList& list, int16_t& sink) : list_(list), sink_(sink) {}

    // A refusal stays with the list: every pass over it then fails.
    template <class T>
    void Field(T& variable, int width, const char* layout) {
        static_cast<void>(list_.BindField(variable, width, layout));
    }

    template <class T>
    void Bits(T& variable, int byte, int bit, int count) {
        char layout[48];
        std::snprintf(layout, sizeof layout, "%d.%d.%d", byte, bit, count);
        Field(variable, count, layout);
    }
    template <class T>
    void Flag(T& variable, int byte, int bit) {
        Bits(variable, byte, bit, 1);
    }
    template <class T>
    void Byte(T& variable, int byte) {
        Bits(variable, byte, 7, 8);
    }
    // 16 bits, `high` holding the upper byte.
    void Word(int16_t& variable, int high, int low) {
        char layout[48];
        std::snprintf(layout, sizeof layout, "%d.7.8;%d.7.8", high, low);
        Field(variable, 16, layout);
    }
    // 14-bit frequency code: six bits at the bottom of `first`, eight in the next byte.
    void FrequencyCode14(int16_t& variable, int first) {
        char layout[48];
        std::snprintf(layout, sizeof layout, "%d.5.6;%d.7.8", first, first + 1);
        Field(variable, 14, layout);
    }
    void Reserved(int byte, int bit, int count) { Bits(sink_, byte, bit, count); }
    void Checksum(int16_t& variable, const MemoryArea& area) {
        Word(variable, area.checksumEnd, area.checksumEnd + 1);
    }

  private:
    FieldList& list_;
    int16_t& sink_;
};

void BindMaster(Binder& b, MasterParameters& m) {
    b.Flag(m.Flag7, 0, 7);
    b.Flag(m.Flag6, 0, 6);
    b.Flag(m.SabitMerkez, 0, 5);
    b.Flag(m.Flag4, 0, 4);
    b.Flag(m.Compander, 0, 3);
    b.Flag(m.TDM, 0, 2);
    b.Flag(m.Flag1, 0, 1);
    b.Reserved(0, 0, 1);
    b.Word(m.SeriNo, 1, 2);
    b.Word(m.ProgTarihi, kProgrammingDateHigh, kProgrammingDateLow);
    b.Checksum(m.Checksum, Area(AreaId::Master));
}

// The radio keeps these numbers last place first, two places a byte, the earlier
// place in the low nibble.
void BindReversedDigits(Binder& b, DigitString& digits, int first) {
    for (int byte = first; byte < first + 3; ++byte) {
        const int place = 2 * (first + 2 - byte);  // places 5,4 / 3,2 / 1,0
        b.Bits(digits[place + 1], byte, 7, 4);
        b.Bits(digits[place], byte, 3, 4);
    }
}

void BindService(Binder& b, ServiceParameters& s) {
    b.Byte(s.ProgVersionMinor, 8);
    b.Byte(s.ProgVersionMajor, 9);
    b.Byte(s.CloneKey, 10);
    BindReversedDigits(b, s.ANINo, 11);
    BindReversedDigits(b, s.SecmeliCagriNo, 14);
    BindReversedDigits(b, s.ACKNo, 17);
    b.Flag(s.MarineRadio, 20, 7);
    b.Flag(s.MonitorDisabled, 20, 6);
    b.Flag(s.OptionAtStart, 20, 5);
    b.Flag(s.Cloner, 20, 4);
    b.Flag(s.KeyPad, 20, 3);
    b.Flag(s.SCEnc, 20, 2);
    b.Flag(s.MicType, 20, 1);
    b.Flag(s.VOXExists, 20, 0);
    b.Bits(s.HPIndex, 21, 7, 4);
    b.Bits(s.LPIndex, 21, 3, 4);
    b.Checksum(s.Checksum, Area(AreaId::Service));
}

void BindChannel(Binder& b, ChannelRecord& k, int start) {
    b.Flag(k.Hprf, start, 7);
    b.Flag(k.TotVar, start, 6);
    b.FrequencyCode14(k.TxFreq, start);
    b.Reserved(start + 2, 7, 2);
    b.FrequencyCode14(k.RxFreq, start + 2);
    b.Flag(k.ANIVar, start + 4, 7);
    b.Flag(k.ShiftFlag, start + 4, 6);
    b.Bits(k.RxTCS, start + 4, 5, 6);
    b.Flag(k.TxTCSOn, start + 5, 7);
    b.Bits(k.KanalAdi[0], start + 5, 6, 7);
    // The transmit tone runs down the top bits of six bytes, under which the name
    // characters 2-7 sit.
    char layout[96];
    std::snprintf(layout, sizeof layout, "%d.7.1;%d.7.1;%d.7.1;%d.7.1;%d.7.1;%d.7.1", start + 6,
                  start + 7, start + 8, start + 9, start + 10, start + 11);
    b.Field(k.TxTCS, 6, layout);
    for (int c = 1; c <= 6; ++c) {
        b.Bits(k.KanalAdi[c], start + 5 + c, 6, 7);
    }
    b.Reserved(start + 12, 7, 1);
    b.Bits(k.KanalAdi[7], start + 12, 6, 7);
}

void BindClone(Binder& b, CloneParameters& c) {
    b.Flag(c.Language, 24, 7);
    b.Flag(c.PowerSave, 24, 6);
    b.Flag(c.DigerMenu, 24, 5);
    b.Flag(c.BusyChan, 24, 4);
    b.Flag(c.Oncelik, 24, 3);
    b.Flag(c.GrupTonu, 24, 2);
    b.Bits(c.TonStandardi, 24, 1, 2);
    b.Flag(c.AcilCagri, 25, 7);
    b.Bits(c.AcilCagriKanali, 25, 6, 7);
    b.Bits(c.ANITipi, 26, 7, 4);
    b.Bits(c.TxDelay, 26, 3, 4);
    b.Bits(c.ExtendedTon, 27, 7, 4);
    b.Bits(c.TonLength, 27, 3, 4);
    b.Bits(c.UserSelectedDig, 28, 7, 4);
    b.Bits(c.ScanDelay, 28, 3, 4);
    b.Bits(c.Tot, 29, 7, 4);
    b.Bits(c.RekeyDelay, 29, 3, 4);
    b.Byte(c.TUNETIM, 30);
    b.Byte(c.AKDUR, 31);
    b.Byte(c.LPRF, 32);
    b.Byte(c.HPRF, 33);
    b.Byte(c.RSSITreshhold, 34);
    b.Byte(c.PLLSETT, 35);
    b.Byte(c.PLLUNL, 36);
    b.Byte(c.PRTIM0, 37);
    b.Reserved(38, 7, 3);
    b.Flag(c.ExtInputModem, 38, 4);
    b.Flag(c.BusyChanMode, 38, 3);
    b.Bits(c.SQTDEL, 38, 2, 3);
    b.Byte(c.TCSSCN, 39);
    b.Byte(c.PRITCS0, 40);
    b.Byte(c.ZCC, 41);
    b.Byte(c.GZCC, 42);
    b.Byte(c.BZCC, 43);
    b.Byte(c.StdDev, 44);
    b.Byte(c.PSMTIM, 45);
    for (int n = 1; n <= kChannelCount; ++n) {
        BindChannel(b, c.Kanal[n - 1], ChannelRecordStart(n));
    }
    b.Checksum(c.Checksum, Area(AreaId::Clone));
    for (int n = 1; n <= kChannelCount; ++n) {
        b.Flag(c.Scan[n - 1], ScanFlagByte(n), ScanFlagBit(n));
    }
    b.Byte(c.PriorChannel1, 1348);
    b.Byte(c.PriorChannel2, 1349);
}

void BindUser(Binder& b, UserParameters& u) {
    b.Field(u.Value24, 24, "1352.7.8;1353.7.8;1354.7.8");
    b.Flag(u.lightsoff, 1355, 0);
    b.Flag(u.warningoff, 1355, 1);
    b.Flag(u.Flag2, 1355, 2);
    b.Flag(u.Flag3, 1355, 3);
    b.Flag(u.Flag4, 1355, 4);
    b.Flag(u.invdisplay, 1355, 5);
    b.Flag(u.Kept6, 1355, 6);
    b.Flag(u.Kept7, 1355, 7);
    b.Flag(u.Kept1356_0, 1356, 0);
    b.Bits(u.Kept1356_2, 1356, 2, 2);
    b.Flag(u.Kept1356_3, 1356, 3);
    b.Flag(u.Kept1356_4, 1356, 4);
    b.Reserved(1356, 7, 3);
    for (int i = 0; i < 5; ++i) {
        b.Byte(u.Zero[i], 1357 + i);
    }
    b.Checksum(u.Checksum, Area(AreaId::User));
}

template <class T, size_t N>
void BindBytes(Binder& b, T (&bytes)[N], int first) {
    for (size_t i = 0; i < N; ++i) {
        b.Byte(bytes[i], first + static_cast<int>(i));
    }
}

void BindTestAyar(Binder& b, TestAyarParameters& t) {
    BindBytes(b, t.CihazVersiyonNo, 1400);
    for (int place = 0; place < kDigitPlaces; ++place) {
        b.Bits(t.UretimSiraNo[place], 1416 + place / 2, place % 2 == 0 ? 7 : 3, 4);
    }
    for (const auto& [bit, flag] : HardwareOptionBits(t)) {
        b.Flag(*flag, kHardwareOptions, bit);
    }
    b.Reserved(kHardwareOptions, 7, 1);
    b.Word(t.HalfBaseChan, kHalfBaseChanHigh, kHalfBaseChanLow);
    BindBytes(b, t.Kept1422, 1422);
    BindBytes(b, t.Kept1425, 1425);
    BindBytes(b, t.Kept1435, 1435);
    BindBytes(b, t.Kept1445, 1445);
    for (int i = 0; i < 4; ++i) {
        b.Flag(t.Flags1459[i], 1459, 3 - i);
    }
    BindBytes(b, t.Kept1460, 1460);
    b.Checksum(t.Checksum, Area(AreaId::TestAyar));
}

void BindAdata(Binder& b, AdataParameters& a) {
    b.Byte(a.SYSID, 1536);
    b.Word(a.FLEETID, 1537, 1538);
    b.Word(a.RADIOID, 1539, 1540);
    b.Word(a.RXID, 1541, 1542);
    b.Byte(a.PREAMBLE, 1543);
    for (int k = 0; k < kAdataGroups; ++k) {
        b.Word(a.GRUP[k], 1544 + 2 * k, 1545 + 2 * k);
    }
    for (int s = 0; s < kStatusMessages; ++s) {
        BindBytes(b, a.STATUS[s], 1554 + 8 * s);
    }
    b.Checksum(a.Checksum, Area(AreaId::ADATA));
}

void BindKsys(Binder& b, KsysParameters& k) {
    b.Word(k.SYSID, 2016, 2017);
    b.Byte(k.SMTIDENT, 2018);
    b.Word(k.RxFreq, 2019, 2020);
    b.Byte(k.RxTCS, 2021);
    b.Word(k.TxFreq, 2022, 2023);
    b.Byte(k.TxTCS, 2024);
    b.Flag(k.YuksekGuc, 2025, 0);
    BindBytes(b, k.GrupNo, 2026);
    b.Checksum(k.Checksum, Area(AreaId::KSYS));
}

}  // namespace

uint16_t ProgrammingDate(const RadioImage& image) {
    return static_cast<uint16_t>(image[kProgrammingDateHigh] << 8 | image[kProgrammingDateLow]);
}

uint16_t RadioBand(const RadioImage& image) {
    return static_cast<uint16_t>(image[kHalfBaseChanHigh] << 8 | image[kHalfBaseChanLow]);
}

bool HasKsysHardware(const RadioImage& image) {
    return (image[kHardwareOptions] >> kHwKsysBit) & 1;
}

void DecodeHardwareOptions(const RadioImage& image, TestAyarParameters& testAyar) {
    const uint8_t options = image[kHardwareOptions];
    for (const auto& [bit, flag] : HardwareOptionBits(testAyar)) {
        *flag = (options >> bit) & 1;
    }
}

bool AreaChecksumMatches(const RadioImage& image, const MemoryArea& area) {
    return AreaChecksumMatches(image, area.checksumStart, area.checksumEnd);
}

AreaChecks AreaChecksums(const RadioImage& image) {
    AreaChecks ok{};
    for (const MemoryArea& area : kMemoryAreas)
        ok[AreaIndex(area.id)] = AreaChecksumMatches(image, area);
    return ok;
}

void WriteAreaChecksum(RadioImage& image, const MemoryArea& area) {
    WriteAreaChecksum(image, area.checksumStart, area.checksumEnd);
}

void WriteAllChecksums(RadioImage& image) {
    for (const MemoryArea& area : kMemoryAreas) {
        WriteAreaChecksum(image, area);
    }
}

void BuildFieldList(FieldList& list, RadioParameters& parameters, RadioImage& image) {
    list.Free();
    list.SetImage(&image);
    Binder b(list, parameters.ReservedSink);
    BindMaster(b, parameters.Master);
    BindService(b, parameters.Service);
    BindClone(b, parameters.Clone);
    BindUser(b, parameters.User);
    BindTestAyar(b, parameters.TestAyar);
    BindAdata(b, parameters.ADATA);
    BindKsys(b, parameters.KSYS);
}

void BuildFieldList(RadioImage& image) {
    BuildFieldList(ProcessFieldList(), ProcessParameters(), image);
}

int WriteAreaChecksum(int start, int end) {
    RadioImage* image = ProcessFieldList().Image();
    if (image == nullptr) {
        return kChecksumRangeInvalid;
    }
    return WriteAreaChecksum(*image, start, end);
}

void WriteAllChecksums() {
    if (RadioImage* image = ProcessFieldList().Image()) {
        WriteAllChecksums(*image);
    }
}

}  // namespace norda
