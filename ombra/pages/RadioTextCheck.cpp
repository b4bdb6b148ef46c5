#include "ombra/pages/RadioTextCheck.h"

#include <algorithm>

#include "ombra/pages/PageValues.h"

namespace norda::ombra {

TRadioTextCheck::TRadioTextCheck()
    : picture_(std::make_unique<TListValidator>(std::string(kRadioTextPicture))) {}

bool TRadioTextCheck::IsValidInput(const std::string& text) const {
    return std::all_of(text.begin(), text.end(), RadioTextCharacter) && picture_.IsValidInput(text);
}

bool TRadioTextCheck::IsValid(const std::string& text) {
    badCharacter_ = !std::all_of(text.begin(), text.end(), RadioTextCharacter);
    return !badCharacter_ && picture_.IsValid(text);
}

std::string TRadioTextCheck::ErrorText(const TextSource& texts) const {
    return badCharacter_ ? texts.Text(kTextInvalidCharacter) : picture_.ErrorText(texts);
}

}  // namespace norda::ombra
