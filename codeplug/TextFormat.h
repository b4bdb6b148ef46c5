#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace norda {

using FormatArg = std::variant<long long, double, std::string>;

// printf-style formatting of a text from the string table. Texts come from language
// libraries outside the program, so a conversion that does not match its argument
// (or an argument that is missing) is converted or left empty instead of trusted.
std::string FormatText(std::string_view format, const std::vector<FormatArg>& args);

}  // namespace norda
