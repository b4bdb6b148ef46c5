#pragma once

#include "ui/ValidatorCheck.h"

namespace norda::ombra {

// Channel names and status texts: the picture of letters, digits, blanks, "_", "-" and
// "/", narrowed to what the radio's seven-bit characters hold. A Turkish letter would
// pass the picture but come back from the radio as another character, so it is refused
// with the invalid-character text.
class TRadioTextCheck final : public FieldCheck {
  public:
    TRadioTextCheck();
    bool IsValidInput(const std::string& text) const override;
    bool IsValid(const std::string& text) override;
    std::string ErrorText(const TextSource& texts) const override;

  private:
    TValidatorCheck picture_;
    bool badCharacter_ = false;
};

}  // namespace norda::ombra
