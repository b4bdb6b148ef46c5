#include "ombra/pages/TService.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "codeplug/ValueFormats.h"
#include "ombra/pages/DataPageSupport.h"
#include "ombra/pages/MessageStyles.h"
#include "ombra/pages/ParamPageSupport.h"

namespace norda::ombra {

using namespace paramctl;

namespace {
using enum ServiceIds::Control;
constexpr int kNoKeypadForSelectiveCall = 840;
constexpr int kAckNeedsSelectiveCall = 841;

// Lower-case "a"-"d" pass the digit picture; the radio keeps them as "A"-"D".
std::string DigitText(const std::string& text) {
    std::string upper = text;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

std::unique_ptr<TValidatorCheck> Check(std::unique_ptr<TValidator> validator, TValidator** keep) {
    *keep = validator.get();
    return std::make_unique<TValidatorCheck>(std::move(validator));
}
}  // namespace

int HighPowerLimit(const RadioParameters& parameters) {
    const bool keypadHardware = parameters.TestAyar.HwNotHandheld != 0;
    const bool from300 = static_cast<uint16_t>(parameters.TestAyar.HalfBaseChan) / 40 >= 300;
    return keypadHardware == from300 ? 8 : 9;
}

TService::TService(QWidget* parent, const ResourceModule& module, RadioParameters& parameters)
    : TDataDlg(parent, kDialogId, module, false, false, false), parameters_(parameters) {
    BoldHeading(*this);
    AlignLabelColons(*this);
    const int limit = HighPowerLimit(parameters_);
    // Text limits in characters: the dialog resource's limits count the terminating zero.
    Bind(kCloneKey, std::make_unique<TValidatorCheck>(std::make_unique<TLRangeValidator>(0, 255)),
         3);
    Bind(kAni, std::make_unique<TDigitStringCheck>(), kDigitPlaces);
    Bind(kAck, std::make_unique<TDigitStringCheck>(), kDigitPlaces);
    Bind(kSelectiveCall, std::make_unique<TDigitStringCheck>(), kDigitPlaces);
    Bind(kLowPower,
         Check(
             std::make_unique<TLRangeValidator>(0, limit, false, false, kLowerField, &powerBounds_),
             &lowPower_),
         1);
    Bind(kHighPower,
         Check(
             std::make_unique<TLRangeValidator>(0, limit, false, false, kUpperField, &powerBounds_),
             &highPower_),
         1);

    OnClicked(*this, kKeyPad, [this] { KeyPadClicked(); });
    OnClicked(*this, kScEnc, [this] { SelectiveCallSendingClicked(); });
    OnFocusLost(*this, kAck, [this] { AckLeft(); });
    OnFocusLost(*this, kSelectiveCall, [this] { SelectiveCallLeft(); });
    OnFocusLost(*this, kLowPower, [this] { PowerLeft(kLowPower); });
    OnFocusLost(*this, kHighPower, [this] { PowerLeft(kHighPower); });
}

void TService::TransferToDialog() {
    const ServiceParameters& s = parameters_.Service;
    char version[32];
    std::snprintf(version, sizeof version, "%d.%d", s.ProgVersionMajor, s.ProgVersionMinor);
    SetText(*this, kVersion, version);
    SetChecked(*this, kOptionAtStart, s.OptionAtStart == 1);
    SetChecked(*this, kMonitor, s.MonitorDisabled == 0);
    SetChecked(*this, kKeyPad, s.KeyPad == 1);
    SetChecked(*this, kMicType, s.MicType == 1);
    SetChecked(*this, kVox, s.VOXExists == 1);
    SetChecked(*this, kMarine, s.MarineRadio == 1);
    SetChecked(*this, kCloner, s.Cloner == 1);
    SetChecked(*this, kScEnc, s.SCEnc == 1);
    SetText(*this, kCloneKey, std::to_string(s.CloneKey));
    SetText(*this, kAni, DigitsToText(s.ANINo));
    SetText(*this, kAck, DigitsToText(s.ACKNo));
    SetText(*this, kSelectiveCall, DigitsToText(s.SecmeliCagriNo));
    SetText(*this, kLowPower, std::to_string(s.LPIndex));
    SetText(*this, kHighPower, std::to_string(s.HPIndex));
    // The pair starts from what the radio holds, so a low level above the high one is
    // refused before the high field has been touched.
    powerBounds_.lower = s.LPIndex;
    powerBounds_.upper = s.HPIndex;
}

void TService::TransferFromDialog() {
    ServiceParameters& s = parameters_.Service;
    s.OptionAtStart = Checked(*this, kOptionAtStart) ? 1 : 0;
    s.MonitorDisabled = Checked(*this, kMonitor) ? 0 : 1;
    s.KeyPad = Checked(*this, kKeyPad) ? 1 : 0;
    s.MicType = Checked(*this, kMicType) ? 1 : 0;
    s.VOXExists = Checked(*this, kVox) ? 1 : 0;
    s.MarineRadio = Checked(*this, kMarine) ? 1 : 0;
    s.Cloner = Checked(*this, kCloner) ? 1 : 0;
    s.SCEnc = Checked(*this, kScEnc) ? 1 : 0;
    s.CloneKey = static_cast<int16_t>(Integer(Text(*this, kCloneKey)));
    TextToDigits(DigitText(Text(*this, kAni)), s.ANINo);
    TextToDigits(DigitText(Text(*this, kAck)), s.ACKNo);
    parameters_.Clone.TonLength = static_cast<int16_t>(
        TextToDigits(DigitText(Text(*this, kSelectiveCall)), s.SecmeliCagriNo));
    s.LPIndex = static_cast<int16_t>(Integer(Text(*this, kLowPower)));
    s.HPIndex = static_cast<int16_t>(Integer(Text(*this, kHighPower)));
}

void TService::KeyPadClicked() {
    if (!Checked(*this, kKeyPad))
        SetChecked(*this, kScEnc, false);
}

void TService::SelectiveCallSendingClicked() {
    if (parameters_.TestAyar.HwNotHandheld == 0 && !Checked(*this, kKeyPad) &&
        Checked(*this, kScEnc)) {
        SetChecked(*this, kScEnc, false);
        Message(*this, kNoKeypadForSelectiveCall, kCaptionError, kIconExclamation);
    }
}

void TService::AckLeft() {
    if (!Text(*this, kAck).empty() && Text(*this, kSelectiveCall).empty()) {
        SetText(*this, kAck, "");
        Message(*this, kAckNeedsSelectiveCall, kCaptionError, kIconExclamation);
    }
}

void TService::SelectiveCallLeft() {
    if (Text(*this, kSelectiveCall).empty())
        SetText(*this, kAck, "");
}

// A level that passes moves its side of the pair, so the other field is judged against
// what the user has just entered.
void TService::PowerLeft(int id) {
    TValidator* validator = id == kLowPower ? lowPower_ : highPower_;
    if (validator != nullptr)
        validator->IsValid(Text(*this, id));
}

}  // namespace norda::ombra
