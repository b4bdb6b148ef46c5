#include "ombra/pages/TClone.h"

#include <charconv>

#include "codeplug/FrequencyCode.h"
#include "codeplug/TextFormat.h"
#include "codeplug/Validators.h"
#include "codeplug/ValueFormats.h"
#include "ombra/pages/MessageStyles.h"
#include "ombra/pages/ParamPageSupport.h"

namespace norda::ombra {

using namespace paramctl;

namespace {
using enum CloneIds::Control;
constexpr int kChannelWithoutFrequency = 654;

// A group of buttons whose positions give the values 0, 1, 2, ...: the value of the
// selected one, or `none` when none is.
int GroupValue(const TDataDlg& dlg, int first, int count, int none) {
    for (int i = 0; i < count; ++i)
        if (Checked(dlg, first + i))
            return i;
    return none;
}

void SelectGroupValue(TDataDlg& dlg, int first, int count, int value) {
    if (value >= 0 && value < count)
        SelectRadio(dlg, first + value);
    else
        ClearRadioGroup(dlg, first);
}

// Whole seconds and milliseconds; the step check has let through nothing but digits.
double Real(const std::string& text) {
    double v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

template <class V>
std::unique_ptr<TValidatorCheck> Check(V&& validator) {
    return std::make_unique<TValidatorCheck>(std::make_unique<std::decay_t<V>>(validator));
}
}  // namespace

TClone::TClone(QWidget* parent, const ResourceModule& module, RadioParameters& parameters)
    : TDataDlg(parent, kDialogId, module, false, false, false), parameters_(parameters) {
    BoldHeading(*this);
    // Text limits in characters: the dialog resource's limits count the terminating zero.
    Bind(kEmergencyChannel, Check(TLRangeValidator(0, 99, false, true)), 2);
    Bind(kPriority1, Check(TLRangeValidator(0, 99, false, true)), 2);
    Bind(kPriority2, Check(TLRangeValidator(0, 99, false, true)), 2);
    Bind(kTot, Check(TStepValidator(0, 225, 15)), 3);
    Bind(kExtendedTone, Check(TLRangeValidator(1, 15)), 2);
    Bind(kRekey, Check(TLRangeValidator(0, 15)), 2);
    Bind(kScanDelay, Check(TStepValidator(0, 7.5, 0.5)), 3);
    Bind(kTxDelay, Check(TStepValidator(0, 1500, 100)), 4);

    OnClicked(*this, kEmergency, [this] { EmergencyCallClicked(); });
    OnFocusLost(*this, kEmergencyChannel, [this] { EmergencyChannelLeft(); });
}

void TClone::TransferToDialog() {
    const CloneParameters& c = parameters_.Clone;
    const UserParameters& u = parameters_.User;
    SelectGroupValue(*this, kEnglish, 2, c.Language);
    if (c.BusyChan == 0)
        SelectRadio(*this, kBusyNone);
    else
        SelectRadio(*this, c.BusyChanMode == 1 ? kBusyActive : kBusyTcs);
    SelectGroupValue(*this, kVoice, 2, c.ExtInputModem);
    SelectGroupValue(*this, kToneDsc, 4, c.TonStandardi);
    SelectGroupValue(*this, kDigits2, 5, c.UserSelectedDig - 2);
    SelectGroupValue(*this, kAniNone, 6, c.ANITipi);
    SelectGroupValue(*this, kGroupTone0, 2, c.GrupTonu);
    SelectGroupValue(*this, kPriorityCall, 2, c.Oncelik);

    SetChecked(*this, kPowerSave, c.PowerSave == 1);
    SetChecked(*this, kSubMenu, c.DigerMenu == 1);
    SetChecked(*this, kEmergency, c.AcilCagri == 1);
    SetChecked(*this, kInvDisplay, u.invdisplay == 1);
    SetChecked(*this, kLightsOff, u.lightsoff == 1);
    SetChecked(*this, kWarningOff, u.warningoff == 1);

    SetText(*this, kEmergencyChannel,
            c.AcilCagri == 1 ? OptionalNumber(c.AcilCagriKanali) : std::string());
    SetText(*this, kPriority1, OptionalNumber(c.PriorChannel1));
    SetText(*this, kPriority2, OptionalNumber(c.PriorChannel2));
    SetText(*this, kTot, std::to_string(c.Tot * 15));
    SetText(*this, kExtendedTone, std::to_string(c.ExtendedTon));
    SetText(*this, kRekey, std::to_string(c.RekeyDelay));
    SetText(*this, kScanDelay, ScanDelayText(c.ScanDelay));
    SetText(*this, kTxDelay, std::to_string(c.TxDelay * 100));
}

void TClone::TransferFromDialog() {
    CloneParameters& c = parameters_.Clone;
    UserParameters& u = parameters_.User;
    c.Language = static_cast<int16_t>(GroupValue(*this, kEnglish, 2, c.Language));
    if (Checked(*this, kBusyNone)) {
        c.BusyChan = 0;
    } else if (Checked(*this, kBusyActive)) {
        c.BusyChan = 1;
        c.BusyChanMode = 1;
    } else if (Checked(*this, kBusyTcs)) {
        c.BusyChan = 1;
        c.BusyChanMode = 0;
    }
    c.ExtInputModem = static_cast<int16_t>(GroupValue(*this, kVoice, 2, c.ExtInputModem));
    c.TonStandardi = static_cast<int16_t>(GroupValue(*this, kToneDsc, 4, c.TonStandardi));
    const int digits = GroupValue(*this, kDigits2, 5, -1);
    c.UserSelectedDig = static_cast<int16_t>(digits < 0 ? 0 : digits + 2);
    c.ANITipi = static_cast<int16_t>(GroupValue(*this, kAniNone, 6, c.ANITipi));
    c.GrupTonu = static_cast<int16_t>(GroupValue(*this, kGroupTone0, 2, c.GrupTonu));
    c.Oncelik = static_cast<int16_t>(GroupValue(*this, kPriorityCall, 2, c.Oncelik));

    c.PowerSave = Checked(*this, kPowerSave) ? 1 : 0;
    c.DigerMenu = Checked(*this, kSubMenu) ? 1 : 0;
    c.AcilCagri = Checked(*this, kEmergency) ? 1 : 0;
    u.invdisplay = Checked(*this, kInvDisplay) ? 1 : 0;
    u.lightsoff = Checked(*this, kLightsOff) ? 1 : 0;
    u.warningoff = Checked(*this, kWarningOff) ? 1 : 0;

    c.AcilCagriKanali =
        c.AcilCagri == 1 ? static_cast<int16_t>(Integer(Text(*this, kEmergencyChannel))) : 0;
    c.PriorChannel1 = static_cast<int16_t>(Integer(Text(*this, kPriority1)));
    c.PriorChannel2 = static_cast<int16_t>(Integer(Text(*this, kPriority2)));
    c.Tot = static_cast<int16_t>(static_cast<long>(Real(Text(*this, kTot))) / 15);
    if (c.Tot == 0) {
        for (ChannelRecord& channel : c.Kanal)
            channel.TotVar = 0;
    }
    c.ExtendedTon = static_cast<int16_t>(Integer(Text(*this, kExtendedTone)));
    c.RekeyDelay = static_cast<int16_t>(Integer(Text(*this, kRekey)));
    c.ScanDelay = static_cast<int16_t>(ScanDelaySteps(Text(*this, kScanDelay)).value_or(0));
    c.TxDelay = static_cast<int16_t>(static_cast<long>(Real(Text(*this, kTxDelay))) / 100);
}

void TClone::EmergencyCallClicked() {
    if (Integer(Text(*this, kEmergencyChannel)) > 0)
        SetChecked(*this, kEmergency, true);
}

void TClone::EmergencyChannelLeft() {
    const long n = Integer(Text(*this, kEmergencyChannel));
    if (n <= 0)
        return;
    SetChecked(*this, kEmergency, true);
    if (n > kChannelCount)
        return;  // out of range: the field's check refuses it when the page is left
    const ChannelRecord& channel = parameters_.Clone.Kanal[n - 1];
    if (channel.TxFreq == kNoFrequencyCode || channel.RxFreq == kNoFrequencyCode) {
        Message(*this,
                FormatText(Module().Text(kChannelWithoutFrequency),
                           {FormatArg(static_cast<long long>(n))}),
                kCaptionWarning, kIconExclamation);
    }
}

}  // namespace norda::ombra
