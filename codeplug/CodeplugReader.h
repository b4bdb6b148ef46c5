#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>

#include "codeplug/FileValueReport.h"
#include "codeplug/RadioParameters.h"
#include "platform/ProfileFile.h"

namespace norda {

// Takes the values of a codeplug file as the key table reads them, and reports each
// value it cannot take as written instead of turning it into another value. Where the
// key table maps other values (a tone not in the table, a busy-channel mode), the
// mapping stands; what is reported is a number that does not parse, one beyond its
// radio field, a switch other than 0 or 1, a frequency below the band or beyond what its
// field holds, and a key given twice with different values. A reading that returns nothing has
// reported; its parameter opens empty.
class CodeplugReader {
  public:
    CodeplugReader(const ProfileFile& file, RadioParameters& p, FileValueReports* reports);

    // A switch: 0 or 1, `def` when missing or empty; cleared when reported.
    void Flag(const char* section, const std::string& key, int16_t& variable, int def);
    // A whole number of file units, `scale` of them a step of the radio field that holds
    // `variable` (100 ms a transmit-delay step); `def` when missing or empty.
    std::optional<int64_t> Number(const char* section, const std::string& key, int64_t def,
                                  const void* variable, int scale = 1);
    // A whole number of any size, for keys the key table maps (tones, the busy channel).
    std::optional<int64_t> AnyNumber(const char* section, const std::string& key, int64_t def,
                                     const void* variable);
    // A real number: the scan delay's steps (the text doubled and truncated).
    std::optional<int> ScanDelay(const char* section, const std::string& key, const char* def,
                                 const void* variable);
    // A frequency in hertz from the base of the band of `halfBaseChan` to the highest a
    // code of `codeBits` bits holds; 0 for none (0 or an empty text).
    std::optional<int64_t> FrequencyHz(const char* section, const std::string& key, const char* def,
                                       int halfBaseChan, int codeBits, const void* variable);
    // A text as the key table compares it (at most `bufferSize` - 1 characters).
    std::optional<std::string> Text(const char* section, const std::string& key, const char* def,
                                    size_t bufferSize);
    // Characters 2 to 9 of "<" + eight characters + ">"; a short value leaves blanks, a
    // control character is a blank as the file writes it.
    void Name(const char* section, const std::string& key, char (&chars)[8]);
    // The band byte: 0-255, 0 when missing; nothing for any other value.
    std::optional<int> BandByte(const std::string& key) const;

  private:
    enum class Found { Missing, Value, Twice };
    Found Get(const char* section, const std::string& key, std::string& value,
              const void* variable);
    // The value, or `def` for a missing key; false for a key given twice (reported).
    bool GetOr(const char* section, const std::string& key, const char* def, std::string& value,
               const void* variable);
    void Report(const char* section, const std::string& key, const std::string& value,
                FileValueProblem problem, const void* variable);
    void ReportRange(const char* section, const std::string& key, const std::string& value,
                     FileValueProblem problem, const void* variable, std::string lowest,
                     std::string highest);

    const ProfileFile& file_;
    RadioParameters& p_;
    FileValueReports* reports_;
    // Section and key, folded, of the keys given twice with different values.
    std::unordered_set<std::string> twice_;
};

// Why a text that should be a number is none.
FileValueProblem WhyNoNumber(std::string_view text);

}  // namespace norda
