#include "ombra/app/IntRangeCheck.h"

#include <cstdio>
#include <cstdlib>

#include "ombra/app/CommandRules.h"

namespace norda {

bool IntRangeCheck::IsValidInput(const std::string& text) const {
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

bool IntRangeCheck::IsValid(const std::string& text) {
    if (text.empty() || text.size() > 9 || !IsValidInput(text))
        return false;
    const long v = std::strtol(text.c_str(), nullptr, 10);
    return v >= min_ && v <= max_;
}

std::string IntRangeCheck::ErrorText(const TextSource& texts) const {
    const std::string format = texts.Text(644);
    if (!ConversionsAre(format, {"ld", "ld"}))
        return format;
    char out[256];
    std::snprintf(out, sizeof out, format.c_str(), min_, max_);
    return out;
}

}  // namespace norda
