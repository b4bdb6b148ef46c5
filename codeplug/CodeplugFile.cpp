#include "codeplug/CodeplugFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

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

// Characters 2 to 9 of the value; a short value leaves blanks.
void ReadName(const ProfileFile& f, const char* section, const std::string& key, char (&chars)[8]) {
    const std::string v = f.GetBytes(section, key, "<        >", 11);
    for (size_t i = 0; i < 8; ++i)
        chars[i] = i + 1 < v.size() ? v[i + 1] : ' ';
}

std::string ToneValue(int code, bool emptyForNone) {
    if (code == 0)
        return emptyForNone ? "" : "0";
    return std::to_string(CtcssTone(code));
}

// Decimal text as the file's readers take it: sign and leading digits.
int64_t DecimalText(const std::string& v) {
    size_t i = 0;
    bool negative = false;
    if (i < v.size() && (v[i] == '-' || v[i] == '+'))
        negative = v[i++] == '-';
    int64_t n = 0;
    for (; i < v.size() && v[i] >= '0' && v[i] <= '9'; ++i)
        n = (n * 10 + (v[i] - '0')) & 0xFFFFFFFF;
    return negative ? -n : n;
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

int SaveCodeplugFile(const std::string& path, const RadioParameters& p,
                     const CodeplugOptions& options) {
    return BuildFile(ProfileFile::Load(path), p, options).Save(path);
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

namespace {

Status LoadFrom(const ProfileFile& f, RadioParameters& p, const CodeplugOptions& options) {
    const int hb0 = f.GetInt("TestAyar", "HalfBaseChan[0]", 0);
    const int hb1 = f.GetInt("TestAyar", "HalfBaseChan[1]", 0);
    if (hb0 == 0 && hb1 == 0)
        return Status::NoBand;
    p.TestAyar.HalfBaseChan = Low16(int64_t{hb0} * 256 + hb1);
    ResetToNewFile(p);

    auto Int = [&](const char* s, const std::string& k, int def) {
        return Low16(f.GetInt(s, k, def));
    };
    auto Str = [&](const char* s, const std::string& k, const char* def) {
        return f.GetString(s, k, def, kValueBuffer);
    };
    auto Dec = [&](const char* s, const char* k) { return Low16(DecimalText(Str(s, k, "0"))); };

    if (options.testMode) {
        p.Master.Compander = Int("Master", "Compander", 0);
        p.Master.TDM = Int("Master", "TDM", 0);
        ServiceParameters& s = p.Service;
        s.OptionAtStart = Int("Service", "OptionAtStart", 0);
        s.MonitorDisabled = Int("Service", "MonitorDisabled", 0);
        s.KeyPad = Int("Service", "KeyPad", 1);
        s.MicType = Int("Service", "MicType", 0);
        s.VOXExists = Int("Service", "VOXExists", 0);
        s.MarineRadio = Int("Service", "MarineRadio", 0);
        s.Cloner = Int("Service", "Cloner", 0);
        s.CloneKey = Int("Service", "CloneKey", 0);
        s.SCEnc = Int("Service", "SCEnc", 0);
        s.LPIndex = Int("Service", "LPIndex", 3);
        s.HPIndex = Int("Service", "HPIndex", 7);
        p.Master.SeriNo = 0;
        for (int i = 0; i < kDigitPlaces; ++i) {
            s.ANINo[i] = kEmptyDigit;
            s.SecmeliCagriNo[i] = kEmptyDigit;
            s.ACKNo[i] = kEmptyDigit;
        }
    }

    p.User.invdisplay = Int("User", "invdisplay", 0);
    p.User.lightsoff = Int("User", "lightsoff", 0);
    p.User.warningoff = Int("User", "warningoff", 0);

    CloneParameters& c = p.Clone;
    c.Language = Str("Clone", "Language", "") == "Ingilizce" ? 0 : 1;
    c.GrupTonu = Str("Clone", "GrupTonu", "A") == "0" ? 0 : 1;
    c.ExtInputModem = Int("Clone", "ExtInputModem", 0);
    c.PowerSave = Int("Clone", "PowerSave", 1);
    const int32_t busy = f.GetInt("Clone", "BusyChan", 1);
    c.BusyChan = busy == 0 ? 0 : 1;
    c.BusyChanMode = busy == 0 || busy == 1 ? 0 : 1;
    c.AcilCagri = Int("Clone", "AcilCagri", 0);
    c.AcilCagriKanali = Int("Clone", "AcilCagriKanali", 0);
    c.DigerMenu = Int("Clone", "DigerMenu", 1);
    c.TxDelay = Low16(f.GetInt("Clone", "TxDelay", 100) / 100);
    c.ExtendedTon = Int("Clone", "ExtendedTon", 1);
    if (c.ExtendedTon == 0)
        c.ExtendedTon = 1;
    c.Tot = Low16(f.GetInt("Clone", "Tot", 60) / 15);
    c.ScanDelay = Low16(ScanDelaySteps(Str("Clone", "ScanDelay", "3")));
    c.RekeyDelay = Int("Clone", "RekeyDelay", 0);
    c.TonLength = Int("Clone", "TonLength", 5);
    const std::string standard = Str("Clone", "TonStandardi", "");
    c.TonStandardi = standard == "DSC" ? 0 : standard == "ZVEI" ? 2 : standard == "EEA" ? 3 : 1;
    c.UserSelectedDig = Int("Clone", "UserSelectedDig", 2);
    const std::string ani = Str("Clone", "ANITipi", "");
    c.ANITipi = 0;
    for (int i = 0; i < 6; ++i) {
        if (ani == kANITipi[i])
            c.ANITipi = static_cast<int16_t>(i);
    }
    c.Oncelik = Str("Clone", "Oncelik", "") == "PTT" ? 1 : 0;

    const int hbc = p.TestAyar.HalfBaseChan;
    const bool convert = static_cast<uint16_t>(hbc) != 0xFFFF;
    const int channels = std::min(options.channelCount, kChannelCount);
    for (int n = 1; n <= channels; ++n) {
        ChannelRecord& k = c.Kanal[n - 1];
        ReadName(f, "Kanal", Key("Kanal Adi[%d]", n), k.KanalAdi);
        if (convert) {
            k.TxFreq = Low16(TextToFrequencyCode(Str("Kanal", Key("TxFreq[%d]", n), ""), hbc));
            const std::string rx = Str("Kanal", Key("RxFreq[%d]", n), "");
            const int64_t rxHz = DecimalToScaled(rx, 6);
            k.RxFreq = Low16(HzToFrequencyCode(rxHz, hbc));
            k.ShiftFlag = rxHz != 0 ? Low16(ShiftFlag(rxHz, options.shiftFrequencies)) : 0;
        }
        k.TxTCS = Low16(CtcssCode(f.GetInt("Kanal", Key("TxTCS[%d]", n), 0)));
        k.TxTCSOn = k.TxTCS != 0 ? 1 : 0;
        k.RxTCS = Low16(CtcssCode(f.GetInt("Kanal", Key("RxTCS[%d]", n), 0)));
        k.TotVar = Int("Kanal", Key("TotVar[%d]", n), 0);
        k.Hprf = Int("Kanal", Key("Hprf[%d]", n), 1);
        k.ANIVar = Int("Kanal", Key("ANIVar[%d]", n), 0);
        c.Scan[n - 1] = Int("Kanal", Key("Scan[%d]", n), 1);
    }
    c.PriorChannel1 = Int("Clone", "PriorChannel1", 0);
    c.PriorChannel2 = Int("Clone", "PriorChannel2", 0);

    KsysParameters& k = p.KSYS;
    k.SYSID = Dec("KSYS", "SYSID");
    k.SMTIDENT = Dec("KSYS", "SMTIDENT");
    k.RxFreq = Low16(TextToFrequencyCode(Str("KSYS", "RxFreq", "0"), hbc));
    k.RxTCS = Low16(CtcssCode(static_cast<int>(DecimalText(Str("KSYS", "RxTCS", "0")))));
    k.TxFreq = Low16(TextToFrequencyCode(Str("KSYS", "TxFreq", "0"), hbc));
    k.TxTCS = Low16(CtcssCode(static_cast<int>(DecimalText(Str("KSYS", "TxTCS", "0")))));
    k.YuksekGuc = Int("KSYS", "Yüksek Güç", 0);
    for (int i = 1; i <= kKsysGroups; ++i)
        k.GrupNo[i - 1] = Int("KSYS", Key("Grup No[%d]", i), 0);

    AdataParameters& a = p.ADATA;
    a.SYSID = Dec("ADATA", "SYSID");
    a.FLEETID = Dec("ADATA", "FLEETID");
    a.RADIOID = Dec("ADATA", "RADIOID");
    a.RXID = Dec("ADATA", "RXID");
    a.PREAMBLE = Dec("ADATA", "PREAMBLE");
    for (int i = 1; i <= kAdataGroups; ++i)
        a.GRUP[i - 1] = Int("ADATA", Key("GRUP[%d]", i), 0);
    for (int i = 1; i <= kStatusMessages; ++i)
        ReadName(f, "ADATA", Key("STATUS[%d]", i), a.STATUS[i - 1]);
    return Status::Ok;
}

}  // namespace

Status LoadCodeplugFile(const std::string& path, RadioParameters& p,
                        const CodeplugOptions& options) {
    return LoadFrom(ProfileFile::Load(path), p, options);
}

Status LoadCodeplugText(std::string_view bytes, RadioParameters& p,
                        const CodeplugOptions& options) {
    return LoadFrom(ProfileFile::Parse(bytes), p, options);
}

}  // namespace norda
