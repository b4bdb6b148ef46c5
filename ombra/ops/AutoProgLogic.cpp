#include "ombra/ops/AutoProgLogic.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "ombra/ops/TransferHost.h"

namespace norda::ombra::autoprog {
namespace {

long IntegerOf(const std::string& text) {
    return std::strtol(text.c_str(), nullptr, 10);
}

bool AllDecimalDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Decimal digits beyond what a long holds are still a number the operator
// means to count up, so the increment works on the text itself.
std::string IncrementDecimal(const std::string& text) {
    std::string digits = text.substr(std::min(text.find_first_not_of('0'), text.size()));
    if (digits.empty())
        return "1";
    int position = static_cast<int>(digits.size()) - 1;
    while (position >= 0 && digits[static_cast<size_t>(position)] == '9') {
        digits[static_cast<size_t>(position)] = '0';
        --position;
    }
    if (position < 0)
        return "1" + digits;
    ++digits[static_cast<size_t>(position)];
    return digits;
}

// At most six places, each of the picture's characters.
class DigitString final : public TValidator {
  public:
    bool IsValidInput(std::string& text, bool suppressFill) override {
        return picture_.IsValidInput(text, suppressFill);
    }
    bool IsValid(const std::string& text) override {
        tooLong_ = text.size() > static_cast<size_t>(kDigitPlaces);
        return !tooLong_ && picture_.IsValid(text);
    }
    std::string ErrorText(const TextSource& texts) const override {
        return tooLong_ ? texts.Text(kTextTooManyDigits) : picture_.ErrorText(texts);
    }

  private:
    TListValidator picture_{kDigitPicture};
    bool tooLong_ = false;
};

}  // namespace

std::unique_ptr<TValidator> SerialNoValidator() {
    return std::make_unique<TLRangeValidator>(1, 65535);
}

std::unique_ptr<TValidator> CloneKeyValidator() {
    return std::make_unique<TLRangeValidator>(0, 255, false, true);
}

std::unique_ptr<TValidator> DigitStringValidator() {
    return std::make_unique<DigitString>();
}

std::optional<RefusedNumber> FirstRefusedNumber(const AutoProgFields& fields,
                                                const TextSource& texts) {
    struct Check {
        const char* option;
        const std::string& text;
        std::unique_ptr<TValidator> validator;
    };
    const Check checks[] = {
        {"--serial", fields.serialNo, SerialNoValidator()},
        {"--ani", fields.ani, DigitStringValidator()},
        {"--ack", fields.ack, DigitStringValidator()},
        {"--selcall", fields.selectiveCall, DigitStringValidator()},
        {"--clone-key", fields.cloneKey, CloneKeyValidator()},
    };
    for (const Check& check : checks) {
        if (!check.validator->IsValid(check.text))
            return RefusedNumber{check.option, check.text, check.validator->ErrorText(texts)};
    }
    return std::nullopt;
}

AutoProgFields LastFitting(AutoProgFields next, const AutoProgFields& current) {
    const std::pair<std::string AutoProgFields::*, std::unique_ptr<TValidator>> numbers[] = {
        {&AutoProgFields::serialNo, SerialNoValidator()},
        {&AutoProgFields::ani, DigitStringValidator()},
        {&AutoProgFields::ack, DigitStringValidator()},
        {&AutoProgFields::selectiveCall, DigitStringValidator()},
    };
    for (const auto& [number, validator] : numbers) {
        if (!validator->IsValid(next.*number))
            next.*number = current.*number;
    }
    return next;
}

namespace {
constexpr const char* kSequenceSection = "Sequence";
}  // namespace

void KeepNumbers(ProfileFile& file, const AutoProgFields& fields) {
    file.SetString(kSequenceSection, "Serial", fields.serialNo);
    file.SetString(kSequenceSection, "ANI", fields.ani);
    file.SetString(kSequenceSection, "ACK", fields.ack);
    file.SetString(kSequenceSection, "SelCall", fields.selectiveCall);
}

bool TakeKeptNumbers(const ProfileFile& file, AutoProgFields& fields) {
    if (!file.HasKey(kSequenceSection, "Serial"))
        return false;
    fields.serialNo = file.GetString(kSequenceSection, "Serial", "");
    fields.ani = file.GetString(kSequenceSection, "ANI", fields.ani);
    fields.ack = file.GetString(kSequenceSection, "ACK", fields.ack);
    fields.selectiveCall = file.GetString(kSequenceSection, "SelCall", fields.selectiveCall);
    return true;
}

int TextToDigits(const std::string& text, int16_t (&digits)[kDigitPlaces]) {
    std::fill(std::begin(digits), std::end(digits), kEmptyDigit);
    const int length = static_cast<int>(std::min<size_t>(text.size(), kDigitPlaces));
    for (int place = 0; place < length; ++place) {
        const char c = text[static_cast<size_t>(place)];
        if (c >= '0' && c <= '9') {
            digits[place] = static_cast<int16_t>(c - '0');
        } else if (c >= 'A' && c <= 'D') {
            digits[place] = static_cast<int16_t>(c - 'A' + 10);
        } else {
            break;
        }
    }
    return length;
}

std::string DigitsToText(const int16_t (&digits)[kDigitPlaces]) {
    std::string text;
    for (int16_t digit : digits) {
        if (digit >= 0 && digit <= 9) {
            text += static_cast<char>('0' + digit);
        } else if (digit >= 10 && digit <= 13) {
            text += static_cast<char>('A' + digit - 10);
        } else {
            break;
        }
    }
    return text;
}

AutoProgFields TransferToDialog(const RadioParameters& parameters, bool dataValid) {
    AutoProgFields fields;
    if (!dataValid) {
        fields.serialNo = "1";
        fields.keyPad = true;
        fields.scEnc = true;
        fields.ani = fields.ack = fields.selectiveCall = "1";
        fields.lowPower = "3";
        fields.highPower = "7";
        return fields;
    }
    const MasterParameters& master = parameters.Master;
    const ServiceParameters& service = parameters.Service;
    const uint16_t serial = static_cast<uint16_t>(master.SeriNo);
    fields.serialNo = serial == 0 ? "" : std::to_string(serial);
    fields.fixedCentre = master.SabitMerkez != 0;
    fields.compander = master.Compander != 0;
    fields.tdm = master.TDM != 0;
    fields.optionAtStart = service.OptionAtStart != 0;
    fields.monitor = service.MonitorDisabled == 0;
    fields.keyPad = service.KeyPad != 0;
    fields.micType = service.MicType != 0;
    fields.vox = service.VOXExists != 0;
    fields.marine = service.MarineRadio != 0;
    fields.cloner = service.Cloner != 0;
    fields.cloneKey = service.CloneKey == 0 ? "" : std::to_string(service.CloneKey);
    fields.ani = DigitsToText(service.ANINo);
    fields.ack = DigitsToText(service.ACKNo);
    fields.scEnc = service.SCEnc != 0;
    fields.selectiveCall = DigitsToText(service.SecmeliCagriNo);
    fields.lowPower = std::to_string(service.LPIndex);
    fields.highPower = std::to_string(service.HPIndex);
    return fields;
}

AutoProgEnables ControlStates(bool testMode) {
    AutoProgEnables enables;
    enables.checkBoxes = !testMode;
    enables.cloneKey = !testMode;
    enables.powerLevels = !testMode;
    return enables;
}

void TransferFromDialog(AutoProgFields& fields, RadioParameters& parameters) {
    MasterParameters& master = parameters.Master;
    ServiceParameters& service = parameters.Service;
    master.SeriNo = static_cast<int16_t>(IntegerOf(fields.serialNo));
    master.SabitMerkez = fields.fixedCentre;
    master.Compander = fields.compander;
    master.TDM = fields.tdm;
    service.OptionAtStart = fields.optionAtStart;
    service.MonitorDisabled = !fields.monitor;
    service.KeyPad = fields.keyPad;
    service.MicType = fields.micType;
    service.VOXExists = fields.vox;
    service.MarineRadio = fields.marine;
    service.Cloner = fields.cloner;
    service.SCEnc = fields.scEnc;
    service.CloneKey = static_cast<int16_t>(IntegerOf(fields.cloneKey));
    TextToDigits(fields.ani, service.ANINo);
    TextToDigits(fields.ack, service.ACKNo);
    parameters.Clone.TonLength =
        static_cast<int16_t>(TextToDigits(fields.selectiveCall, service.SecmeliCagriNo));
    if (fields.lowPower.empty())
        fields.lowPower = "7";
    if (fields.highPower.empty())
        fields.highPower = "7";
    service.LPIndex = static_cast<int16_t>(IntegerOf(fields.lowPower));
    service.HPIndex = static_cast<int16_t>(IntegerOf(fields.highPower));
}

void Programla(AutoProgFields& fields, RadioParameters& parameters, TransferHost& host) {
    TransferFromDialog(fields, parameters);
    host.PostMessage(PostTarget::ClientWindow, Posted::StartPreRead);
}

void PrepareNextRadio(AutoProgFields& fields, bool testMode) {
    if (testMode) {
        fields.serialNo.clear();
        fields.ani.clear();
        fields.ack.clear();
        fields.selectiveCall.clear();
        return;
    }
    const long serial = IntegerOf(fields.serialNo);
    if (serial != 0)
        fields.serialNo = std::to_string(serial + 1 > 65535 ? 1 : serial + 1);
    for (std::string* number : {&fields.ani, &fields.ack, &fields.selectiveCall}) {
        if (AllDecimalDigits(*number))
            *number = IncrementDecimal(*number);
    }
}

void KeyPadChanged(AutoProgFields& fields) {
    if (!fields.keyPad)
        fields.scEnc = false;
}

void SelectiveCallLeft(AutoProgFields& fields) {
    if (fields.selectiveCall.empty())
        fields.ack.clear();
}

}  // namespace norda::ombra::autoprog
