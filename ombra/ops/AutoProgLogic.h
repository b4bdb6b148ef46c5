#pragma once

#include <memory>
#include <optional>
#include <string>

#include "codeplug/RadioParameters.h"
#include "codeplug/Validators.h"
#include "platform/ProfileFile.h"

namespace norda::ombra {

class TransferHost;

// Contents of the sequential-programming dialog's controls, by control id.
// The dialog of the GUI sits on this logic; its edits and check boxes mirror
// these members one to one.
struct AutoProgFields {
    std::string serialNo;        // 104 "Seri No"
    bool fixedCentre = false;    // 101 "Sabit Merkez" (hidden)
    bool compander = false;      // 102 "Ses Sıkıştırma"
    bool tdm = false;            // 103 "TDM"
    bool optionAtStart = false;  // 123 "Açılışta Opsiyon"
    bool monitor = false;        // 124 "Kanal İzleme Özelliği" (inverted)
    bool keyPad = false;         // 125 "Tuş Takımı"
    bool micType = false;        // 121 "Sabit Merkez Telsizi"
    bool vox = false;            // 122 "VOX"
    bool marine = false;         // 129 "Deniz El Telsizi"
    bool cloner = false;         // 120 "Aktarma Özelliği"
    std::string cloneKey;        // 131 "Aktarma Anahtarı"
    std::string ani;             // 134 "ANI No"
    std::string ack;             // 132 "ACK No"
    bool scEnc = false;          // 126 "Seçmeli Çağrı Gönderme"
    std::string selectiveCall;   // 133 "Seçmeli Çağrı No"
    std::string lowPower;        // 127 "Düşük güç"
    std::string highPower;       // 128 "Yüksek güç"

    bool operator==(const AutoProgFields&) const = default;
};

// Which controls the operator may change.
struct AutoProgEnables {
    bool fixedCentreVisible = false;  // 101 is always disabled and hidden
    bool checkBoxes = true;           // every other check box
    bool cloneKey = true;
    bool powerLevels = true;  // 127 and 128
    bool numbers = true;      // 104, 134, 132, 133 stay editable always
};

// Edit limits of the dialog's fields, in characters.
inline constexpr int kSerialNoChars = 6;
inline constexpr int kCloneKeyChars = 4;
inline constexpr int kDigitFieldChars = 7;
inline constexpr int kPowerChars = 2;
// Picture of the three digit fields.
inline constexpr const char* kDigitPicture = "*{#,A,a,B,b,C,c,D,d}";

namespace autoprog {

// Set-up: the controls from the parameters (with read or write data), else the
// starting values for a first radio.
AutoProgFields TransferToDialog(const RadioParameters& parameters, bool dataValid);
AutoProgEnables ControlStates(bool testMode);

// "Programla", first step: the parameters from the controls. An empty power
// level field is filled with "7" and gives 7.
void TransferFromDialog(AutoProgFields& fields, RadioParameters& parameters);

// "Programla": TransferFromDialog, then 0x505 to the client window.
void Programla(AutoProgFields& fields, RadioParameters& parameters, TransferHost& host);

// 0x504 after each radio: the numbers of the next one.
void PrepareNextRadio(AutoProgFields& fields, bool testMode);

// Field rules while editing.
void KeyPadChanged(AutoProgFields& fields);
void SelectiveCallLeft(AutoProgFields& fields);

// The checks of the number fields when they are left: the dialog binds them to its
// edits, ombra-cli runs them on its options, so both refuse the same numbers.
std::unique_ptr<TValidator> SerialNoValidator();     // 104: 1-65535, never empty
std::unique_ptr<TValidator> CloneKeyValidator();     // 131: 0-255, may stay empty
std::unique_ptr<TValidator> DigitStringValidator();  // 134, 132, 133: the picture, six places
inline constexpr int kTextTooManyDigits = 923;

// The first number field its check refuses: the option ombra-cli gives it by, its text and
// the dialog's message for it. Nothing when every number fits its field.
struct RefusedNumber {
    const char* option;
    std::string text;
    std::string message;
};
std::optional<RefusedNumber> FirstRefusedNumber(const AutoProgFields& fields,
                                                const TextSource& texts);
// The numbers of `next` that fit their fields, and those of `current` where `next` outgrew
// them: what is kept for the next radio, so that no kept number is cut or repeats one
// that was still to be given.
AutoProgFields LastFitting(AutoProgFields next, const AutoProgFields& current);

// The next radio's numbers as a settings file keeps them between runs: OMBRA's INI for
// the dialog, the --state file for ombra-cli sequence (section "Sequence").
void KeepNumbers(ProfileFile& file, const AutoProgFields& fields);
// The kept numbers into `fields`; false (and nothing changed) when no serial number is kept.
bool TakeKeptNumbers(const ProfileFile& file, AutoProgFields& fields);

// The six-place digit conversions the three number fields use.
int TextToDigits(const std::string& text, int16_t (&digits)[kDigitPlaces]);
std::string DigitsToText(const int16_t (&digits)[kDigitPlaces]);

}  // namespace autoprog

}  // namespace norda::ombra
