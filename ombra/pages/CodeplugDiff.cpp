#include "ombra/pages/CodeplugDiff.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <span>
#include <tuple>

#include "codeplug/LayoutEngine.h"
#include "codeplug/MemoryAreas.h"
#include "codeplug/RadioTexts.h"
#include "codeplug/TextFormat.h"
#include "codeplug/ValueFormats.h"
#include "ombra/ops/TProgWin.h"
#include "ombra/pages/PageTable.h"
#include "ombra/pages/PageValues.h"
#include "resources/OmbraControlIds.h"

namespace norda::ombra {
namespace {

constexpr int kTextNotReadable = 3520;  // "okunamadı (%s)": a file value not taken as written

// One field as a page shows it.
struct Shown {
    int page;
    DiffCoverage needs;
    std::string group;
    std::string label;
    std::string value;
};

// Labels are laid out for the eye ("Seri No      :"); a row wants the words.
std::string Tidy(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == ' ' && (out.empty() || out.back() == ' '))
            continue;
        out += c;
    }
    while (!out.empty() && (out.back() == ' ' || out.back() == ':'))
        out.pop_back();
    return out;
}

std::string Box(int value) {
    return value == 1 ? "[x]" : "[ ]";
}

std::string Quoted(const char (&chars)[8]) {
    return "\"" + RadioTextDisplay(chars) + "\"";
}

// Texts of one page's dialog: the module's own, else the built-in one, so that a
// language library that lacks a page still gets rows with words.
class Labels {
  public:
    Labels(const ResourceModule& module, int dialogId) : tpl_(module.Dialog(dialogId)) {
        if (tpl_ == nullptr)
            tpl_ = Builtin().Dialog(dialogId);
    }

    std::string Title() const { return tpl_ != nullptr ? Tidy(tpl_->title) : std::string(); }
    // The control's own text: check boxes and radio buttons.
    std::string Own(int id) const {
        const int i = Index(id);
        return i < 0 ? std::string() : Tidy(Controls()[static_cast<size_t>(i)].text);
    }
    // The label in front of an edit or a value: the nearest unnumbered text before it.
    std::string Before(int id) const { return Back(id, ControlKind::Static); }
    // The frame a control sits in: a radio group's heading.
    std::string Group(int id) const { return Back(id, ControlKind::GroupBox); }
    // The k-th unnumbered text of the dialog (the channel page's column headings).
    std::string Nth(int k) const {
        for (const DialogControl& c : Controls()) {
            if (c.kind == ControlKind::Static && c.id == -1 && k-- == 0)
                return Tidy(c.text);
        }
        return {};
    }

  private:
    static const ResourceModule& Builtin() {
        static const std::unique_ptr<ResourceModule> module =
            ResourceModule::BuiltIn(OmbraBuiltinResources());
        return *module;
    }
    std::span<const DialogControl> Controls() const {
        return tpl_ != nullptr ? tpl_->controls : std::span<const DialogControl>();
    }
    int Index(int id) const {
        const auto controls = Controls();
        for (size_t i = 0; i < controls.size(); ++i) {
            if (controls[i].id == id)
                return static_cast<int>(i);
        }
        return -1;
    }
    std::string Back(int id, ControlKind kind) const {
        const auto controls = Controls();
        for (int i = Index(id) - 1; i >= 0; --i) {
            const DialogControl& c = controls[static_cast<size_t>(i)];
            if (c.kind == kind && c.id == -1)
                return Tidy(c.text);
        }
        return {};
    }

    const DialogTemplate* tpl_;
};

class PageView {
  public:
    PageView(const DiffSide& side, const ResourceModule& module)
        : p_(side.parameters), reports_(side.reports), module_(module) {}

    std::vector<Shown> Build() {
        Master();
        Service();
        Clone();
        for (int n = 1; n <= kChannelCount; ++n)
            Channel(n);
        Ksys();
        AData();
        return std::move(out_);
    }

  private:
    void Add(int page, DiffCoverage needs, std::string group, std::string label,
             std::string value) {
        out_.push_back({page, needs, std::move(group), std::move(label), std::move(value)});
    }

    // What the page shows of `variable`, or the text of a file value it could not take.
    std::string Of(const void* variable, std::string shown) const {
        const std::ptrdiff_t place = ParameterPlace(p_, variable);
        for (const FileValueReport& r : reports_) {
            if (r.parameter == place)
                return FormatText(module_.Text(kTextNotReadable), {FormatArg(r.text)});
        }
        return shown;
    }

    void Master() {
        using enum MasterIds::Control;
        const Labels l(module_, MasterIds::kDialog);
        const MasterParameters& m = p_.Master;
        constexpr DiffCoverage kImage = DiffCoverage::Image;
        Add(1, kImage, "", l.Before(kSerialNo), OptionalNumber(static_cast<uint16_t>(m.SeriNo)));
        Add(1, kImage, "", l.Before(kDate), ProgrammingDateText(m.ProgTarihi));
        std::string production;
        for (int16_t digit : p_.TestAyar.UretimSiraNo)
            production += static_cast<char>('0' + (digit & 15));
        Add(1, kImage, "", l.Before(kProductionNo), production);
        Add(1, kImage, "", l.Before(kRadioType), module_.Text(RadioKindTextId(p_)));
        Add(1, kImage, "", l.Before(kHardware), module_.Text(HardwareTextId(p_)));
        Add(1, DiffCoverage::File, "", l.Before(kBand), BandText(p_.TestAyar.HalfBaseChan));
        Add(1, DiffCoverage::TestFile, "", l.Own(kCompander), Of(&m.Compander, Box(m.Compander)));
        Add(1, DiffCoverage::TestFile, "", l.Own(kTdm), Of(&m.TDM, Box(m.TDM)));
    }

    void Service() {
        using enum ServiceIds::Control;
        const Labels l(module_, ServiceIds::kDialog);
        const ServiceParameters& s = p_.Service;
        constexpr DiffCoverage kTest = DiffCoverage::TestFile;
        constexpr DiffCoverage kImage = DiffCoverage::Image;
        Add(2, kImage, "", l.Before(kVersion),
            std::to_string(s.ProgVersionMajor) + "." + std::to_string(s.ProgVersionMinor));
        const std::tuple<int, const int16_t*, int> boxes[] = {
            {kOptionAtStart, &s.OptionAtStart, s.OptionAtStart},
            {kMonitor, &s.MonitorDisabled, s.MonitorDisabled == 0 ? 1 : 0},
            {kKeyPad, &s.KeyPad, s.KeyPad},
            {kMicType, &s.MicType, s.MicType},
            {kVox, &s.VOXExists, s.VOXExists},
            {kMarine, &s.MarineRadio, s.MarineRadio},
            {kCloner, &s.Cloner, s.Cloner},
            {kScEnc, &s.SCEnc, s.SCEnc},
        };
        for (const auto& [id, variable, value] : boxes)
            Add(2, kTest, "", l.Own(id), Of(variable, Box(value)));
        Add(2, kTest, "", l.Before(kCloneKey), Of(&s.CloneKey, std::to_string(s.CloneKey)));
        Add(2, kImage, "", l.Before(kAni), DigitsToText(s.ANINo));
        Add(2, kImage, "", l.Before(kAck), DigitsToText(s.ACKNo));
        Add(2, kImage, "", l.Before(kSelectiveCall), DigitsToText(s.SecmeliCagriNo));
        Add(2, kTest, "", l.Before(kLowPower), Of(&s.LPIndex, std::to_string(s.LPIndex)));
        Add(2, kTest, "", l.Before(kHighPower), Of(&s.HPIndex, std::to_string(s.HPIndex)));
    }

    // The selected button of a group of `count` buttons from `first`, by value.
    static std::string Choice(const Labels& l, int first, int count, int value) {
        return value >= 0 && value < count ? l.Own(first + value) : std::string();
    }

    void Clone() {
        using enum CloneIds::Control;
        const Labels l(module_, CloneIds::kDialog);
        const CloneParameters& c = p_.Clone;
        const UserParameters& u = p_.User;
        auto add = [&](std::string group, std::string label, std::string value) {
            Add(3, DiffCoverage::File, std::move(group), std::move(label), std::move(value));
        };
        add("", l.Group(kEnglish), Choice(l, kEnglish, 2, c.Language));
        const int busy =
            c.BusyChan == 0 ? kBusyNone : (c.BusyChanMode == 1 ? kBusyActive : kBusyTcs);
        add("", l.Group(kBusyActive), Of(&c.BusyChan, l.Own(busy)));
        add("", l.Group(kVoice), Of(&c.ExtInputModem, Choice(l, kVoice, 2, c.ExtInputModem)));
        add("", l.Group(kGroupTone0), Choice(l, kGroupTone0, 2, c.GrupTonu));
        add("", l.Group(kPriorityCall), Choice(l, kPriorityCall, 2, c.Oncelik));
        add("", l.Group(kToneDsc), Choice(l, kToneDsc, 4, c.TonStandardi));
        add("", l.Group(kDigits2),
            Of(&c.UserSelectedDig, Choice(l, kDigits2, 5, c.UserSelectedDig - 2)));
        add("", l.Group(kAniNone), Choice(l, kAniNone, 6, c.ANITipi));
        add("", l.Own(kPowerSave), Of(&c.PowerSave, Box(c.PowerSave)));
        add("", l.Own(kSubMenu), Of(&c.DigerMenu, Box(c.DigerMenu)));
        // The box and the channel beside it read as one: "[x] 12".
        std::string emergency = Of(&c.AcilCagri, Box(c.AcilCagri));
        if (c.AcilCagri == 1 && c.AcilCagriKanali != 0)
            emergency += " " + std::to_string(c.AcilCagriKanali);
        add("", l.Own(kEmergency), Of(&c.AcilCagriKanali, emergency));
        add(l.Group(kPriority1), l.Before(kPriority1),
            Of(&c.PriorChannel1, OptionalNumber(c.PriorChannel1)));
        add(l.Group(kPriority2), l.Before(kPriority2),
            Of(&c.PriorChannel2, OptionalNumber(c.PriorChannel2)));
        add(l.Group(kInvDisplay), l.Own(kInvDisplay), Of(&u.invdisplay, Box(u.invdisplay)));
        add(l.Group(kLightsOff), l.Own(kLightsOff), Of(&u.lightsoff, Box(u.lightsoff)));
        add(l.Group(kWarningOff), l.Own(kWarningOff), Of(&u.warningoff, Box(u.warningoff)));
        add("", l.Before(kTot), Of(&c.Tot, std::to_string(c.Tot * 15)));
        add("", l.Before(kExtendedTone), Of(&c.ExtendedTon, std::to_string(c.ExtendedTon)));
        add("", l.Before(kRekey), Of(&c.RekeyDelay, std::to_string(c.RekeyDelay)));
        // Half seconds, written out without printf so that no locale can touch the point.
        add("", l.Before(kScanDelay),
            Of(&c.ScanDelay, std::to_string(c.ScanDelay / 2) + (c.ScanDelay % 2 ? ".5" : ".0")));
        add("", l.Before(kTxDelay), Of(&c.TxDelay, std::to_string(c.TxDelay * 100)));
    }

    void Channel(int n) {
        const std::array<std::string, kChannelFields> headings = ChannelHeadings(module_);
        const ChannelRow row = ShownChannel(p_, n);
        const int page = 4 + (n - 1) / 10;
        const std::string group = headings[0] + " " + std::to_string(n);
        const ChannelRecord& k = p_.Clone.Kanal[n - 1];
        const std::string values[] = {
            Of(k.KanalAdi, Quoted(k.KanalAdi)),
            Of(&k.TxFreq, row.txFreq),
            Of(&k.RxFreq, row.rxFreq),
            Of(&k.TxTCS, row.txTone),
            Of(&k.RxTCS, row.rxTone),
            Of(&k.TotVar, Box(row.tot)),
            Of(&k.Hprf, Box(row.hprf)),
            Of(&k.ANIVar, Box(row.ani)),
            Of(&p_.Clone.Scan[n - 1], Box(row.scan)),
        };
        for (size_t column = 0; column < std::size(values); ++column)
            Add(page, DiffCoverage::File, group, headings[column + 1], values[column]);
    }

    void Ksys() {
        using enum KsysIds::Control;
        const Labels l(module_, KsysIds::kDialog);
        const KsysParameters& k = p_.KSYS;
        const int band = p_.TestAyar.HalfBaseChan;
        auto add = [&](std::string group, std::string label, std::string value) {
            Add(14, DiffCoverage::File, std::move(group), std::move(label), std::move(value));
        };
        add("", l.Before(kSysId), Of(&k.SYSID, OptionalNumber(static_cast<uint16_t>(k.SYSID))));
        add("", l.Before(kSmtIdent), Of(&k.SMTIDENT, OptionalNumber(k.SMTIDENT)));
        add("", l.Before(kRxFreq), Of(&k.RxFreq, KsysFrequencyText(k.RxFreq, band)));
        add("", l.Before(kRxTone), Of(&k.RxTCS, ToneDisplay(k.RxTCS)));
        add("", l.Before(kTxFreq), Of(&k.TxFreq, KsysFrequencyText(k.TxFreq, band)));
        add("", l.Before(kTxTone), Of(&k.TxTCS, ToneDisplay(k.TxTCS)));
        add("", l.Own(kHighPower), Of(&k.YuksekGuc, Box(k.YuksekGuc)));
        for (int g = 0; g < kKsysGroups; ++g) {
            add(l.Group(kFirstGroup + g), l.Before(kFirstGroup + g),
                Of(&k.GrupNo[g], OptionalNumber(k.GrupNo[g])));
        }
    }

    void AData() {
        using enum ADataIds::Control;
        const Labels l(module_, ADataIds::kDialog);
        const AdataParameters& a = p_.ADATA;
        auto add = [&](std::string label, std::string value) {
            Add(15, DiffCoverage::File, "", std::move(label), std::move(value));
        };
        const int16_t* numbers[] = {&a.SYSID, &a.FLEETID, &a.RADIOID, &a.RXID, &a.PREAMBLE};
        for (size_t i = 0; i < std::size(numbers); ++i)
            add(l.Before(kSysId + static_cast<int>(i)),
                Of(numbers[i], OptionalNumber(*numbers[i])));
        for (int g = 0; g < kAdataGroups; ++g)
            add(l.Before(kFirstGroup + g), Of(&a.GRUP[g], OptionalNumber(a.GRUP[g])));
        for (int s = 0; s < kStatusMessages; ++s)
            add(l.Before(kFirstStatus + s), Of(a.STATUS[s], Quoted(a.STATUS[s])));
    }

    const RadioParameters& p_;
    std::span<const FileValueReport> reports_;
    const ResourceModule& module_;
    std::vector<Shown> out_;
};

std::string Cell(const std::string& value) {
    return value.empty() ? "\"\"" : value;
}

bool EndsWithOmb(const std::string& path) {
    if (path.size() < 4)
        return false;
    std::string tail = path.substr(path.size() - 4);
    for (char& c : tail)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".omb";
}

}  // namespace

std::vector<DiffRow> DiffCodeplugs(const DiffSide& a, const DiffSide& b, DiffCoverage coverage,
                                   const ResourceModule& module) {
    const std::vector<Shown> left = PageView(a, module).Build();
    const std::vector<Shown> right = PageView(b, module).Build();
    std::vector<DiffRow> rows;
    for (size_t i = 0; i < left.size() && i < right.size(); ++i) {
        const Shown& l = left[i];
        if (l.needs > coverage || l.value == right[i].value)
            continue;
        rows.push_back({l.page, l.group, l.label, l.value, right[i].value});
    }
    return rows;
}

std::string PageTitle(int page, const ResourceModule& module) {
    const PageInfo* info = FindPage(page);
    return info != nullptr ? Labels(module, info->dialogId).Title() : std::string();
}

std::array<std::string, kChannelFields> ChannelHeadings(const ResourceModule& module) {
    const Labels labels(module, ChannelIds::kDialog);
    std::array<std::string, kChannelFields> headings;
    for (size_t k = 0; k < headings.size(); ++k)
        headings[k] = labels.Nth(static_cast<int>(k));
    return headings;
}

std::string DiffListing(const std::vector<DiffRow>& rows, const ResourceModule& module) {
    std::string out;
    std::string title;
    std::string group;
    for (const DiffRow& row : rows) {
        const std::string rowTitle = PageTitle(row.page, module);
        if (out.empty() || rowTitle != title) {
            title = rowTitle;
            group.clear();
            out += title + "\n";
        }
        std::string indent = "  ";
        if (!row.group.empty()) {
            if (row.group != group)
                out += "  " + row.group + "\n";
            indent = "    ";
        }
        group = row.group;
        out += indent + row.label + ": " + Cell(row.a) + " → " + Cell(row.b) + "\n";
    }
    return out;
}

bool DecodeAsRead(const RadioImage& image, RadioParameters& parameters) {
    auto copy = std::make_unique<RadioImage>(image);
    FieldList fields;
    BuildFieldList(fields, parameters, *copy);
    if (fields.Decode() != kLayoutOk)
        return false;
    TProgWin::EmptyUnprogrammedAreas(parameters, TProgWin::ImageChecksums(image));
    return true;
}

bool LoadComparable(const std::string& path, const CodeplugOptions& options,
                    RadioParameters& parameters, DiffCoverage& coverage,
                    FileValueReports* reports) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size == RadioImage::kSize && !EndsWithOmb(path)) {
        RadioImage image;
        in.read(reinterpret_cast<char*>(image.bytes.data()), RadioImage::kSize);
        if (in.gcount() != RadioImage::kSize)
            return false;
        coverage = DiffCoverage::Image;
        return DecodeAsRead(image, parameters);
    }
    if (!Succeeded(LoadCodeplugFile(path, parameters, options, reports)))
        return false;
    coverage = options.testMode ? DiffCoverage::TestFile : DiffCoverage::File;
    return true;
}

}  // namespace norda::ombra
