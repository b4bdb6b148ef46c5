#pragma once

#include <memory>

#include "codeplug/Validators.h"
#include "ui/FieldCheck.h"

namespace norda {

// An edit judged by one of the codeplug validators.
class TValidatorCheck : public FieldCheck {
  public:
    explicit TValidatorCheck(std::unique_ptr<TValidator> validator)
        : validator_(std::move(validator)) {}
    bool IsValidInput(const std::string& text) const override;
    std::string AsTyped(const std::string& text) const override {
        return validator_->AsTyped(text);
    }
    bool IsValid(const std::string& text) override { return validator_->IsValid(text); }
    std::string ErrorText(const TextSource& texts) const override {
        return validator_->ErrorText(texts);
    }

  private:
    std::unique_ptr<TValidator> validator_;
};

}  // namespace norda
