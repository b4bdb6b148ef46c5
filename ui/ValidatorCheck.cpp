#include "ui/ValidatorCheck.h"

namespace norda {

bool TValidatorCheck::IsValidInput(const std::string& text) const {
    // The validator may complete what it is given; the typed text stays as typed.
    std::string typed = text;
    return validator_->IsValidInput(typed, false);
}

}  // namespace norda
