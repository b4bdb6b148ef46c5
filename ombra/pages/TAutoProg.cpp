#include "ombra/pages/TAutoProg.h"

#include <QLineEdit>

#include "ombra/ops/SeriesStation.h"
#include "ombra/ops/TProgWin.h"
#include "ombra/pages/DataPageSupport.h"
#include "ombra/pages/ParamPageSupport.h"

namespace norda::ombra {

using namespace paramctl;

namespace {
using enum AutoProgIds::Control;
constexpr int kBoxes[] = {kCompander, kTdm, kOptionAtStart, kMonitor, kKeyPad,
                          kMicType,   kVox, kMarine,        kCloner,  kScEnc};
constexpr int kHighestPower = 9;

TAutoProg*& ActiveSlot() {
    static TAutoProg* active = nullptr;
    return active;
}

std::unique_ptr<TValidatorCheck> Check(std::unique_ptr<TValidator> validator,
                                       TValidator** keep = nullptr) {
    if (keep != nullptr)
        *keep = validator.get();
    return std::make_unique<TValidatorCheck>(std::move(validator));
}

int PowerOf(const std::string& text) {
    return text.empty() ? 7 : static_cast<int>(Integer(text));
}
}  // namespace

TAutoProg* TAutoProg::Active() {
    return ActiveSlot();
}

TAutoProg::TAutoProg(QWidget* parent, const ResourceModule& module, TProgWin& owner)
    : TAutoProg(parent, module, owner.Parameters(), owner.Host(), owner.TestMode(),
                owner.DataValid()) {}

TAutoProg::TAutoProg(QWidget* parent, const ResourceModule& module, RadioParameters& parameters,
                     TransferHost& host, bool testMode, bool dataValid)
    : TDataDlg(parent, kDialogId, module, true, false, true),
      parameters_(parameters),
      host_(host),
      testMode_(testMode),
      dataValid_(dataValid) {
    AlignLabelColons(*this);
    // A serial number is what tells the radios of a series apart, so one must be given.
    Bind(kSerialNo, Check(autoprog::SerialNoValidator()), kSerialNoChars);
    Bind(kCloneKey, Check(autoprog::CloneKeyValidator()), kCloneKeyChars);
    Bind(kAni, std::make_unique<TDigitStringCheck>(), kDigitFieldChars);
    Bind(kAck, std::make_unique<TDigitStringCheck>(), kDigitFieldChars);
    Bind(kSelectiveCall, std::make_unique<TDigitStringCheck>(), kDigitFieldChars);
    Bind(kLowPower,
         Check(std::make_unique<TLRangeValidator>(0, kHighestPower, false, true, kLowerField,
                                                  &powerBounds_),
               &lowPower_),
         kPowerChars);
    Bind(kHighPower,
         Check(std::make_unique<TLRangeValidator>(0, kHighestPower, false, true, kUpperField,
                                                  &powerBounds_),
               &highPower_),
         kPowerChars);

    OnClicked(*this, kKeyPad, [this] { KeyPadClicked(); });
    OnFocusLost(*this, kSelectiveCall, [this] { SelectiveCallLeft(); });
    OnFocusLost(*this, kLowPower, [this] { PowerLeft(kLowPower); });
    OnFocusLost(*this, kHighPower, [this] { PowerLeft(kHighPower); });
    ActiveSlot() = this;
}

TAutoProg::~TAutoProg() {
    if (ActiveSlot() == this)
        ActiveSlot() = nullptr;
}

AutoProgFields TAutoProg::Fields() const {
    AutoProgFields f;
    f.serialNo = Text(*this, kSerialNo);
    f.fixedCentre = Checked(*this, kFixedBase);
    f.compander = Checked(*this, kCompander);
    f.tdm = Checked(*this, kTdm);
    f.optionAtStart = Checked(*this, kOptionAtStart);
    f.monitor = Checked(*this, kMonitor);
    f.keyPad = Checked(*this, kKeyPad);
    f.micType = Checked(*this, kMicType);
    f.vox = Checked(*this, kVox);
    f.marine = Checked(*this, kMarine);
    f.cloner = Checked(*this, kCloner);
    f.cloneKey = Text(*this, kCloneKey);
    // Lower-case "a"-"d" pass the picture; the radio keeps them as "A"-"D".
    auto upper = [](std::string text) {
        for (char& c : text)
            if (c >= 'a' && c <= 'd')
                c = static_cast<char>(c - 'a' + 'A');
        return text;
    };
    f.ani = upper(Text(*this, kAni));
    f.ack = upper(Text(*this, kAck));
    f.scEnc = Checked(*this, kScEnc);
    f.selectiveCall = upper(Text(*this, kSelectiveCall));
    f.lowPower = Text(*this, kLowPower);
    f.highPower = Text(*this, kHighPower);
    return f;
}

void TAutoProg::ShowFields(const AutoProgFields& f) {
    SetText(*this, kSerialNo, f.serialNo);
    SetChecked(*this, kFixedBase, f.fixedCentre);
    SetChecked(*this, kCompander, f.compander);
    SetChecked(*this, kTdm, f.tdm);
    SetChecked(*this, kOptionAtStart, f.optionAtStart);
    SetChecked(*this, kMonitor, f.monitor);
    SetChecked(*this, kKeyPad, f.keyPad);
    SetChecked(*this, kMicType, f.micType);
    SetChecked(*this, kVox, f.vox);
    SetChecked(*this, kMarine, f.marine);
    SetChecked(*this, kCloner, f.cloner);
    SetText(*this, kCloneKey, f.cloneKey);
    SetText(*this, kAni, f.ani);
    SetText(*this, kAck, f.ack);
    SetChecked(*this, kScEnc, f.scEnc);
    SetText(*this, kSelectiveCall, f.selectiveCall);
    SetText(*this, kLowPower, f.lowPower);
    SetText(*this, kHighPower, f.highPower);
}

void TAutoProg::TransferToDialog() {
    AutoProgFields fields = autoprog::TransferToDialog(parameters_, dataValid_);
    // A series goes on where it stopped, not at a serial number a radio already has.
    if (!testMode_ && !settingsPath_.empty() && series_ == nullptr)
        autoprog::TakeKeptNumbers(ProfileFile::Load(settingsPath_), fields);
    // The fields show only numbers reserved for the radio on the bench.
    if (series_ != nullptr)
        fields.serialNo = fields.ani = fields.ack = fields.selectiveCall = "";
    ShowFields(fields);
    powerBounds_.lower = static_cast<int16_t>(PowerOf(fields.lowPower));
    powerBounds_.upper = static_cast<int16_t>(PowerOf(fields.highPower));
    const AutoProgEnables enables = autoprog::ControlStates(testMode_);
    if (QWidget* fixedBase = Control(kFixedBase)) {
        fixedBase->setEnabled(false);
        fixedBase->setVisible(enables.fixedCentreVisible);
    }
    for (int id : kBoxes)
        SetEnabled(*this, id, enables.checkBoxes);
    SetEnabled(*this, kCloneKey, enables.cloneKey);
    SetEnabled(*this, kLowPower, enables.powerLevels);
    SetEnabled(*this, kHighPower, enables.powerLevels);
    // A series hands out the numbers; one typed in could be another bench's radio's.
    for (int id : {kSerialNo, kAni, kAck, kSelectiveCall})
        SetEnabled(*this, id, enables.numbers && series_ == nullptr);
}

void TAutoProg::TransferFromDialog() {
    AutoProgFields fields = Fields();
    autoprog::TransferFromDialog(fields, parameters_);
    // An empty power level has just become "7".
    SetText(*this, kLowPower, fields.lowPower);
    SetText(*this, kHighPower, fields.highPower);
    if (QWidget* serial = Control(kSerialNo))
        serial->setFocus();
}

void TAutoProg::Command(int id) {
    if (id == kProgram) {
        // No radio is written without its numbers reserved. A radio that was not started
        // after all keeps them for the next press.
        if (series_ != nullptr && !series_->Holding()) {
            AutoProgFields fields = Fields();
            const std::string problem = series_->Reserve(fields);
            if (!problem.empty()) {
                if (refused_)
                    refused_(problem);
                return;
            }
            SetText(*this, kSerialNo, fields.serialNo);
            SetText(*this, kAni, fields.ani);
            SetText(*this, kAck, fields.ack);
            SetText(*this, kSelectiveCall, fields.selectiveCall);
            SetText(*this, kCloneKey, fields.cloneKey);
        }
        // The numbers go to the radio; a value the field refuses never does.
        if (CanLeave())
            host_.PostMessage(PostTarget::ClientWindow, Posted::StartPreRead);
        return;
    }
    TDataDlg::Command(id);
}

void TAutoProg::NextRadio() {
    // The series gives the next radio its numbers when it is started.
    if (series_ != nullptr)
        return;
    const AutoProgFields programmed = Fields();
    AutoProgFields fields = programmed;
    autoprog::PrepareNextRadio(fields, testMode_);
    SetText(*this, kSerialNo, fields.serialNo);
    SetText(*this, kAni, fields.ani);
    SetText(*this, kAck, fields.ack);
    SetText(*this, kSelectiveCall, fields.selectiveCall);
    // A number that outgrew its field is refused by "Programla"; the settings keep the
    // last numbers that fit.
    if (!testMode_ && !settingsPath_.empty()) {
        ProfileFile settings = ProfileFile::Load(settingsPath_);
        autoprog::KeepNumbers(settings, autoprog::LastFitting(fields, programmed));
        settings.Save(settingsPath_);
    }
    if (QWidget* serial = Control(kSerialNo))
        serial->setFocus();
}

void TAutoProg::KeyPadClicked() {
    if (!Checked(*this, kKeyPad))
        SetChecked(*this, kScEnc, false);
}

void TAutoProg::SelectiveCallLeft() {
    if (Text(*this, kSelectiveCall).empty())
        SetText(*this, kAck, "");
}

void TAutoProg::PowerLeft(int id) {
    TValidator* validator = id == kLowPower ? lowPower_ : highPower_;
    const std::string text = Text(*this, id);
    if (validator != nullptr && !text.empty())
        validator->IsValid(text);
}

}  // namespace norda::ombra
