#pragma once

#include <memory>

#include "ombra/pages/PageValues.h"
#include "ui/ValidatorCheck.h"

namespace norda::ombra {

// The edit of a channel name or a status text, judged by TRadioTextValidator.
class TRadioTextCheck final : public TValidatorCheck {
  public:
    TRadioTextCheck() : TValidatorCheck(std::make_unique<TRadioTextValidator>()) {}
};

}  // namespace norda::ombra
