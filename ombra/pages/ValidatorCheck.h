#pragma once

#include <memory>

#include "codeplug/Validators.h"
#include "ombra/pages/FieldCheck.h"

namespace norda {

// Puts one of the program's validators behind an edit of a page.
class TValidatorCheck : public FieldCheck {
  public:
    explicit TValidatorCheck(std::unique_ptr<TValidator> validator)
        : validator_(std::move(validator)) {}
    bool IsValidInput(const std::string& text) const override;
    bool IsValid(const std::string& text) override { return validator_->IsValid(text); }
    std::string ErrorText(const TextSource& texts) const override {
        return validator_->ErrorText(texts);
    }
    TValidator& Validator() const { return *validator_; }

  private:
    std::unique_ptr<TValidator> validator_;
};

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

}  // namespace norda
