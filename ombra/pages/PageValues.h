#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "codeplug/RadioParameters.h"
#include "codeplug/Validators.h"
#include "codeplug/ValueFormats.h"

namespace norda::ombra {

// What the pages of channels, KSYS and analog data share: where they find the
// parameters and the installation's shift frequencies.
struct PageEnvironment {
    RadioParameters* parameters = nullptr;  // nullptr: the process's parameter set
    // Hertz, as the INI section "Shift Frequencies" lists them.
    std::span<const int32_t> shiftFrequencies;

    RadioParameters& Parameters() const {
        return parameters != nullptr ? *parameters : ProcessParameters();
    }
};

// The allowed tones in whole hertz, 0 for none.
inline constexpr std::string_view kTonePicture =
    "0,67,69,71,74,77,79,82,85,88,91,94,97,100,103,107,110,114,118,123,127,131,136,141,146,151,"
    "156,159,162,165,167,171,173,177,179,183,186,189,192,196,199,203,206,210,218,225,229,233,241,"
    "250,254";

// Letters, digits, blanks, "_", "-" and "/": what a channel name or status text may hold.
inline constexpr std::string_view kRadioTextPicture = "*{&,#,; ,_,-,/}";

// A 0xFFFF band means that no band is known and frequencies cannot be converted.
bool BandIsSet(int halfBaseChan);

// Characters of the widest frequency a band's field accepts ("ddd.dddd", or one more
// from 1000 MHz on), so that the whole frequency can be typed and shown.
int FrequencyChars(const FrequencyLimits& limits);

// "%d.%04d" megahertz of a code; "0.0000" for no frequency.
std::string FrequencyDisplay(int code, int halfBaseChan);
// A KSYS frequency: a 16-bit code, an empty text for no frequency.
std::string KsysFrequencyText(int code, int halfBaseChan);
// "%02d, %02d, %d" of day, month and year of the radio's 16-bit programming date.
std::string ProgrammingDateText(int packedDate);
// A frequency text that reads as 0 (an empty text too).
bool FrequencyTextIsZero(std::string_view text);
// Hertz of a frequency text (six fraction digits); 0 for a text that is no number.
int64_t FrequencyTextHz(std::string_view text);

// The tone of a code in whole hertz, "" for none.
std::string ToneDisplay(int code);
// The code of a tone text: 0 for none, an empty text or a tone not in the table.
int ToneCodeOfText(std::string_view text);

// An integer shown empty when it is 0; an empty text reads as 0.
std::string OptionalNumber(long value);
long NumberOfText(std::string_view text);

// Eight seven-bit characters of the radio as the edit shows them.
std::string RadioTextDisplay(const char (&chars)[8]);
// The edit's text as the radio keeps it: upper case, padded with blanks to eight.
// Only characters that pass RadioTextCharacter reach here.
void StoreRadioText(std::string_view text, char (&chars)[8]);
// Characters the radio stores as typed (lower-case letters are stored upper case).
bool RadioTextCharacter(char c);

// Channel names and status texts: the picture of letters, digits, blanks, "_", "-" and
// "/", narrowed to what the radio's seven-bit characters hold. A Turkish letter would
// pass the picture but come back from the radio as another character, so it is refused
// with the invalid-character text.
class TRadioTextValidator final : public TValidator {
  public:
    TRadioTextValidator();
    bool IsValidInput(std::string& text, bool suppressFill) override;
    bool IsValid(const std::string& text) override;
    std::string ErrorText(const TextSource& texts) const override;

  private:
    TListValidator picture_;
    bool badCharacter_ = false;
};

}  // namespace norda::ombra
