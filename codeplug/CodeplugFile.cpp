#include "codeplug/CodeplugFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <string_view>

#include "codeplug/CodeplugReader.h"
#include "codeplug/Ctcss.h"
#include "codeplug/FrequencyCode.h"
#include "codeplug/NewFileDefaults.h"
#include "codeplug/ValueFormats.h"
#include "platform/ProfileFile.h"
#include "platform/Windows1254.h"

namespace norda {
namespace {

constexpr const char* kTonStandardi[] = {"DSC", "CCIR", "ZVEI", "EEA"};
constexpr const char* kANITipi[] = {"Yok", "Cagri", "PTT", "PTTBirak", "CagriPTT", "CagriPTTBirak"};
// The buffer the values are read through; no value of the key table is longer.
constexpr size_t kValueBuffer = 64;

std::string Key(const char* format, int n) {
    char buf[32];
    std::snprintf(buf, sizeof buf, format, n);
    return buf;
}

int16_t Low16(int64_t v) {
    return static_cast<int16_t>(static_cast<uint16_t>(v & 0xFFFF));
}

// "<" + the eight characters + ">". A control character would break the line it
// is written on, so it goes out as a blank.
std::string NameValue(const char (&chars)[8]) {
    std::string bytes = "<";
    for (char c : chars) {
        const auto u = static_cast<unsigned char>(c);
        bytes += u < 0x20 || u == 0x7F ? ' ' : c;
    }
    bytes += '>';
    return Windows1254ToUtf8(bytes);
}

std::string ToneValue(int code, bool emptyForNone) {
    if (code == 0)
        return emptyForNone ? "" : "0";
    return std::to_string(CtcssTone(code));
}

class Writer {
  public:
    explicit Writer(ProfileFile& f) : f_(f) {}
    void Int(const char* section, const std::string& key, int64_t v) { f_.SetInt(section, key, v); }
    void Text(const char* section, const std::string& key, const std::string& v) {
        f_.SetString(section, key, v);
    }

  private:
    ProfileFile& f_;
};

}  // namespace

std::string CompleteCodeplugName(const std::string& name) {
    const size_t slash = name.find_last_of('/');
    const std::string_view base =
        std::string_view(name).substr(slash == std::string::npos ? 0 : slash + 1);
    // The name is cut into pieces at dots; without a second piece it has no extension.
    int pieces = 0;
    for (size_t i = 0; i < base.size();) {
        size_t dot = base.find('.', i);
        if (dot == std::string_view::npos)
            dot = base.size();
        if (dot > i)
            ++pieces;
        i = dot + 1;
    }
    return pieces >= 2 ? name : name + ".OMB";
}

namespace {

// Keys are set into `f` one by one, so sections and keys that the table does not
// write (the test-mode sections of a file saved without "-test", notes a user added)
// survive a save over an existing file, as they would with key-by-key profile writes.
ProfileFile BuildFile(ProfileFile f, const RadioParameters& p, const CodeplugOptions& options) {
    Writer w(f);
    const auto hb = static_cast<uint16_t>(p.TestAyar.HalfBaseChan);
    w.Int("TestAyar", "HalfBaseChan[0]", hb >> 8);
    w.Int("TestAyar", "HalfBaseChan[1]", hb & 0xFF);

    if (options.testMode) {
        w.Int("Master", "Compander", p.Master.Compander);
        w.Int("Master", "TDM", p.Master.TDM);
        const ServiceParameters& s = p.Service;
        w.Int("Service", "OptionAtStart", s.OptionAtStart);
        w.Int("Service", "MonitorDisabled", s.MonitorDisabled);
        w.Int("Service", "KeyPad", s.KeyPad);
        w.Int("Service", "MicType", s.MicType);
        w.Int("Service", "VOXExists", s.VOXExists);
        w.Int("Service", "MarineRadio", s.MarineRadio);
        w.Int("Service", "Cloner", s.Cloner);
        w.Int("Service", "CloneKey", s.CloneKey);
        w.Int("Service", "SCEnc", s.SCEnc);
        w.Int("Service", "LPIndex", s.LPIndex);
        w.Int("Service", "HPIndex", s.HPIndex);
    }

    w.Int("User", "invdisplay", p.User.invdisplay);
    w.Int("User", "lightsoff", p.User.lightsoff);
    w.Int("User", "warningoff", p.User.warningoff);

    const CloneParameters& c = p.Clone;
    w.Text("Clone", "Language", c.Language == 0 ? "Ingilizce" : "Turkce");
    w.Text("Clone", "GrupTonu", c.GrupTonu == 0 ? "0" : "A");
    w.Int("Clone", "ExtInputModem", c.ExtInputModem);
    w.Int("Clone", "PowerSave", c.PowerSave);
    w.Int("Clone", "BusyChan", c.BusyChanMode * 2 + c.BusyChan);
    w.Int("Clone", "AcilCagri", c.AcilCagri);
    w.Int("Clone", "AcilCagriKanali", c.AcilCagriKanali);
    w.Int("Clone", "DigerMenu", c.DigerMenu);
    w.Int("Clone", "TxDelay", c.TxDelay * 100);
    w.Int("Clone", "ExtendedTon", c.ExtendedTon);
    w.Int("Clone", "Tot", c.Tot * 15);
    w.Text("Clone", "ScanDelay", ScanDelayText(c.ScanDelay));
    w.Int("Clone", "RekeyDelay", c.RekeyDelay);
    w.Int("Clone", "TonLength", c.TonLength);
    w.Text("Clone", "TonStandardi",
           c.TonStandardi >= 0 && c.TonStandardi <= 3 ? kTonStandardi[c.TonStandardi] : "CCIR");
    w.Int("Clone", "UserSelectedDig", c.UserSelectedDig);
    w.Text("Clone", "ANITipi", c.ANITipi >= 0 && c.ANITipi <= 5 ? kANITipi[c.ANITipi] : "Yok");
    w.Text("Clone", "Oncelik", c.Oncelik ? "PTT" : "Call");

    const int hbc = p.TestAyar.HalfBaseChan;
    const int channels = std::min(options.channelCount, kChannelCount);
    for (int n = 1; n <= channels; ++n) {
        const ChannelRecord& k = c.Kanal[n - 1];
        w.Text("Kanal", Key("Kanal Adi[%d]", n), NameValue(k.KanalAdi));
        w.Text("Kanal", Key("TxFreq[%d]", n), FrequencyCodeToText(k.TxFreq, hbc));
        w.Text("Kanal", Key("RxFreq[%d]", n), FrequencyCodeToText(k.RxFreq, hbc));
        w.Text("Kanal", Key("TxTCS[%d]", n), ToneValue(k.TxTCS, true));
        w.Text("Kanal", Key("RxTCS[%d]", n), ToneValue(k.RxTCS, true));
        w.Int("Kanal", Key("TotVar[%d]", n), k.TotVar);
        w.Int("Kanal", Key("Hprf[%d]", n), k.Hprf);
        w.Int("Kanal", Key("ANIVar[%d]", n), k.ANIVar);
        w.Int("Kanal", Key("Scan[%d]", n), c.Scan[n - 1]);
    }
    w.Int("Clone", "PriorChannel1", c.PriorChannel1);
    w.Int("Clone", "PriorChannel2", c.PriorChannel2);

    const KsysParameters& k = p.KSYS;
    w.Int("KSYS", "SYSID", static_cast<uint16_t>(k.SYSID));
    w.Int("KSYS", "SMTIDENT", k.SMTIDENT);
    // KSYS codes use all 16 bits.
    w.Text("KSYS", "RxFreq", FrequencyCodeToText(static_cast<uint16_t>(k.RxFreq), hbc));
    w.Text("KSYS", "RxTCS", ToneValue(k.RxTCS, false));
    w.Text("KSYS", "TxFreq", FrequencyCodeToText(static_cast<uint16_t>(k.TxFreq), hbc));
    w.Text("KSYS", "TxTCS", ToneValue(k.TxTCS, false));
    w.Int("KSYS", "Yüksek Güç", k.YuksekGuc);
    for (int i = 1; i <= kKsysGroups; ++i)
        w.Int("KSYS", Key("Grup No[%d]", i), k.GrupNo[i - 1]);

    const AdataParameters& a = p.ADATA;
    w.Int("ADATA", "SYSID", a.SYSID);
    w.Int("ADATA", "FLEETID", a.FLEETID);
    w.Int("ADATA", "RADIOID", a.RADIOID);
    w.Int("ADATA", "RXID", a.RXID);
    w.Int("ADATA", "PREAMBLE", a.PREAMBLE);
    for (int i = 1; i <= kAdataGroups; ++i)
        w.Int("ADATA", Key("GRUP[%d]", i), a.GRUP[i - 1]);
    for (int i = 1; i <= kStatusMessages; ++i)
        w.Text("ADATA", Key("STATUS[%d]", i), NameValue(a.STATUS[i - 1]));
    return f;
}

}  // namespace

std::string CodeplugFileText(const RadioParameters& p, const CodeplugOptions& options) {
    return BuildFile(ProfileFile(), p, options).Serialize();
}

Status SaveCodeplugFile(const std::string& path, const RadioParameters& p,
                        const CodeplugOptions& options) {
    return BuildFile(ProfileFile::Load(path), p, options).Save(path) == kProfileOk
               ? Status::Ok
               : Status::WriteFailed;
}

int ShiftFlag(int64_t f, std::span<const int32_t> shiftFrequencies) {
    const bool low = f < 300000000;
    const int64_t below = low ? 25000 : 50000;
    const int64_t above = low ? 20000 : 50000;
    auto near = [&](int64_t t) { return t - below <= f && f <= t + above; };
    for (int i = low ? 289 : 805; i <= (low ? 346 : 933); ++i) {
        if (near(int64_t{i} * 504125))
            return 1;
    }
    for (size_t i = 1; i < shiftFrequencies.size() && shiftFrequencies[i] != 0; ++i) {
        if (near(shiftFrequencies[i]))
            return 1;
    }
    return 0;
}

int32_t ShiftFrequencyHz(std::string_view megahertz) {
    const std::optional<int64_t> hz = DecimalToScaled(megahertz, 6);
    if (!hz || *hz > std::numeric_limits<int32_t>::max() ||
        *hz < std::numeric_limits<int32_t>::min())
        return -1;
    return static_cast<int32_t>(*hz);
}

namespace {

Status LoadFrom(const ProfileFile& f, RadioParameters& p, const CodeplugOptions& options,
                FileValueReports* reports) {
    CodeplugReader read(f, p, reports);
    const std::optional<int> hb0 = read.BandByte("HalfBaseChan[0]");
    const std::optional<int> hb1 = read.BandByte("HalfBaseChan[1]");
    if (!hb0 || !hb1 || (*hb0 == 0 && *hb1 == 0))
        return Status::NoBand;
    p.TestAyar.HalfBaseChan = Low16(int64_t{*hb0} * 256 + *hb1);
    ResetToNewFile(p);

    // A number that is reported keeps the value it opens with.
    auto number = [&](const char* s, const std::string& k, int16_t& variable, int def,
                      int scale = 1) {
        if (const std::optional<int64_t> n = read.Number(s, k, def, &variable, scale))
            variable = Low16(*n / scale);
    };
    auto tone = [&](const char* s, const std::string& k, int16_t& code) {
        const std::optional<int64_t> tone = read.AnyNumber(s, k, 0, &code);
        code = Low16(tone && *tone > 0 && *tone < 1000 ? CtcssCode(static_cast<int>(*tone)) : 0);
    };

    if (options.testMode) {
        read.Flag("Master", "Compander", p.Master.Compander, 0);
        read.Flag("Master", "TDM", p.Master.TDM, 0);
        ServiceParameters& s = p.Service;
        read.Flag("Service", "OptionAtStart", s.OptionAtStart, 0);
        read.Flag("Service", "MonitorDisabled", s.MonitorDisabled, 0);
        read.Flag("Service", "KeyPad", s.KeyPad, 1);
        read.Flag("Service", "MicType", s.MicType, 0);
        read.Flag("Service", "VOXExists", s.VOXExists, 0);
        read.Flag("Service", "MarineRadio", s.MarineRadio, 0);
        read.Flag("Service", "Cloner", s.Cloner, 0);
        read.Flag("Service", "SCEnc", s.SCEnc, 0);
        // No new-file values: a reported number opens at the key table's default.
        s.CloneKey = 0;
        s.LPIndex = 3;
        s.HPIndex = 7;
        number("Service", "CloneKey", s.CloneKey, 0);
        number("Service", "LPIndex", s.LPIndex, 3);
        number("Service", "HPIndex", s.HPIndex, 7);
        p.Master.SeriNo = 0;
        for (int i = 0; i < kDigitPlaces; ++i) {
            s.ANINo[i] = kEmptyDigit;
            s.SecmeliCagriNo[i] = kEmptyDigit;
            s.ACKNo[i] = kEmptyDigit;
        }
    }

    read.Flag("User", "invdisplay", p.User.invdisplay, 0);
    read.Flag("User", "lightsoff", p.User.lightsoff, 0);
    read.Flag("User", "warningoff", p.User.warningoff, 0);

    CloneParameters& c = p.Clone;
    if (const auto language = read.Text("Clone", "Language", "", kValueBuffer))
        c.Language = *language == "Ingilizce" ? 0 : 1;
    if (const auto groupTone = read.Text("Clone", "GrupTonu", "A", kValueBuffer))
        c.GrupTonu = *groupTone == "0" ? 0 : 1;
    read.Flag("Clone", "ExtInputModem", c.ExtInputModem, 0);
    read.Flag("Clone", "PowerSave", c.PowerSave, 1);
    if (const std::optional<int64_t> busy = read.AnyNumber("Clone", "BusyChan", 1, &c.BusyChan)) {
        c.BusyChan = *busy == 0 ? 0 : 1;
        c.BusyChanMode = *busy == 0 || *busy == 1 ? 0 : 1;
    }
    read.Flag("Clone", "AcilCagri", c.AcilCagri, 0);
    number("Clone", "AcilCagriKanali", c.AcilCagriKanali, 0);
    read.Flag("Clone", "DigerMenu", c.DigerMenu, 1);
    number("Clone", "TxDelay", c.TxDelay, 100, 100);
    number("Clone", "ExtendedTon", c.ExtendedTon, 1);
    if (c.ExtendedTon == 0)
        c.ExtendedTon = 1;
    number("Clone", "Tot", c.Tot, 60, 15);
    if (const std::optional<int> steps = read.ScanDelay("Clone", "ScanDelay", "3", &c.ScanDelay))
        c.ScanDelay = Low16(*steps);
    number("Clone", "RekeyDelay", c.RekeyDelay, 0);
    number("Clone", "TonLength", c.TonLength, 5);
    if (const auto standard = read.Text("Clone", "TonStandardi", "", kValueBuffer)) {
        c.TonStandardi = *standard == "DSC"    ? 0
                         : *standard == "ZVEI" ? 2
                         : *standard == "EEA"  ? 3
                                               : 1;
    }
    number("Clone", "UserSelectedDig", c.UserSelectedDig, 2);
    if (const auto ani = read.Text("Clone", "ANITipi", "", kValueBuffer)) {
        c.ANITipi = 0;
        for (int i = 0; i < 6; ++i) {
            if (*ani == kANITipi[i])
                c.ANITipi = static_cast<int16_t>(i);
        }
    }
    if (const auto priority = read.Text("Clone", "Oncelik", "", kValueBuffer))
        c.Oncelik = *priority == "PTT" ? 1 : 0;

    const int hbc = p.TestAyar.HalfBaseChan;
    const bool convert = static_cast<uint16_t>(hbc) != 0xFFFF;
    const int channels = std::min(options.channelCount, kChannelCount);
    for (int n = 1; n <= channels; ++n) {
        ChannelRecord& k = c.Kanal[n - 1];
        read.Name("Kanal", Key("Kanal Adi[%d]", n), k.KanalAdi);
        if (convert) {
            const std::optional<int64_t> txHz =
                read.FrequencyHz("Kanal", Key("TxFreq[%d]", n), "", hbc, 14, &k.TxFreq);
            k.TxFreq =
                Low16(txHz.value_or(0) != 0 ? HzToFrequencyCode(*txHz, hbc) : kNoFrequencyCode);
            const std::optional<int64_t> rxHz =
                read.FrequencyHz("Kanal", Key("RxFreq[%d]", n), "", hbc, 14, &k.RxFreq);
            const int64_t rx = rxHz.value_or(0);
            k.RxFreq = Low16(rx != 0 ? HzToFrequencyCode(rx, hbc) : kNoFrequencyCode);
            k.ShiftFlag = rx != 0 ? Low16(ShiftFlag(rx, options.shiftFrequencies)) : 0;
        }
        tone("Kanal", Key("TxTCS[%d]", n), k.TxTCS);
        k.TxTCSOn = k.TxTCS != 0 ? 1 : 0;
        tone("Kanal", Key("RxTCS[%d]", n), k.RxTCS);
        read.Flag("Kanal", Key("TotVar[%d]", n), k.TotVar, 0);
        read.Flag("Kanal", Key("Hprf[%d]", n), k.Hprf, 1);
        read.Flag("Kanal", Key("ANIVar[%d]", n), k.ANIVar, 0);
        read.Flag("Kanal", Key("Scan[%d]", n), c.Scan[n - 1], 1);
    }
    number("Clone", "PriorChannel1", c.PriorChannel1, 0);
    number("Clone", "PriorChannel2", c.PriorChannel2, 0);

    KsysParameters& k = p.KSYS;
    number("KSYS", "SYSID", k.SYSID, 0);
    number("KSYS", "SMTIDENT", k.SMTIDENT, 0);
    auto ksysFrequency = [&](const char* key, int16_t& code) {
        const std::optional<int64_t> hz = read.FrequencyHz("KSYS", key, "0", hbc, 16, &code);
        code = Low16(hz.value_or(0) != 0 ? HzToFrequencyCode(*hz, hbc) : kNoFrequencyCode);
    };
    ksysFrequency("RxFreq", k.RxFreq);
    tone("KSYS", "RxTCS", k.RxTCS);
    ksysFrequency("TxFreq", k.TxFreq);
    tone("KSYS", "TxTCS", k.TxTCS);
    read.Flag("KSYS", "Yüksek Güç", k.YuksekGuc, 0);
    for (int i = 1; i <= kKsysGroups; ++i)
        number("KSYS", Key("Grup No[%d]", i), k.GrupNo[i - 1], 0);

    AdataParameters& a = p.ADATA;
    number("ADATA", "SYSID", a.SYSID, 0);
    number("ADATA", "FLEETID", a.FLEETID, 0);
    number("ADATA", "RADIOID", a.RADIOID, 0);
    number("ADATA", "RXID", a.RXID, 0);
    number("ADATA", "PREAMBLE", a.PREAMBLE, 0);
    for (int i = 1; i <= kAdataGroups; ++i)
        number("ADATA", Key("GRUP[%d]", i), a.GRUP[i - 1], 0);
    for (int i = 1; i <= kStatusMessages; ++i)
        read.Name("ADATA", Key("STATUS[%d]", i), a.STATUS[i - 1]);
    if (reports != nullptr) {
        std::stable_sort(
            reports->begin(), reports->end(),
            [](const FileValueReport& x, const FileValueReport& y) { return x.line < y.line; });
    }
    return Status::Ok;
}

}  // namespace

Status LoadCodeplugFile(const std::string& path, RadioParameters& p, const CodeplugOptions& options,
                        FileValueReports* reports) {
    return LoadFrom(ProfileFile::Load(path), p, options, reports);
}

Status LoadCodeplugText(std::string_view bytes, RadioParameters& p, const CodeplugOptions& options,
                        FileValueReports* reports) {
    return LoadFrom(ProfileFile::Parse(bytes), p, options, reports);
}

}  // namespace norda
