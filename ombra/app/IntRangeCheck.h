#pragma once

#include "ombra/pages/FieldCheck.h"

namespace norda {

// A whole number within [min, max] typed with digits only; refusal text 644.
class IntRangeCheck final : public FieldCheck {
  public:
    IntRangeCheck(long min, long max) : min_(min), max_(max) {}
    bool IsValidInput(const std::string& text) const override;
    bool IsValid(const std::string& text) override;
    std::string ErrorText(const TextSource& texts) const override;

  private:
    long min_;
    long max_;
};

}  // namespace norda
