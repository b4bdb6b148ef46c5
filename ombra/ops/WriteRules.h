#pragma once

#include <cstdint>

#include "codeplug/RadioParameters.h"
#include "ombra/ops/CloneConstants.h"
#include "ombra/ops/TransferHost.h"

namespace norda::ombra {

// What every write puts into a radio besides what the editor holds, in one place: the
// program's clone constants and version, the user counters cleared, the programming date,
// and the rules that follow from the target radio's hardware options.
class WriteRules {
  public:
    WriteRules(const CloneConstants& constants, int versionMajor, int versionMinor)
        : constants_(constants), versionMajor_(versionMajor), versionMinor_(versionMinor) {}

    // Programming date as the radio keeps it: bits 0-6 year - 1994, bits 7-10
    // month, bits 11-15 day.
    static uint16_t PackDate(const LocalDate& date);
    // The selective-call digit rule of a write: may empty the last place of
    // the number and lower the user-selectable digit count.
    static void ApplySelectiveCallRule(RadioParameters& parameters);

    // Once the target radio has been read: the master flags cleared and today's date.
    static void StampProgramming(RadioParameters& parameters, const LocalDate& today);
    // The program's constants, its version and the cleared user counters.
    void ApplyProgramValues(RadioParameters& parameters) const;
    // What the target's hardware options (read into TestAyar) allow, last before encoding.
    static void ApplyRadioOptions(RadioParameters& parameters);

  private:
    CloneConstants constants_;
    int versionMajor_;
    int versionMinor_;
};

}  // namespace norda::ombra
