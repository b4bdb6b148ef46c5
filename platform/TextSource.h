#pragma once

#include <string>
#include <vector>

namespace norda {

// Numbered user-visible texts of the current language. Logic below the windows
// formats its messages from these so that a language change reaches them too.
class TextSource {
  public:
    virtual ~TextSource() = default;
    // Number 0 and unknown numbers give an empty text.
    virtual std::string Text(int id) const = 0;
};

// A text with "%s" in it, each replaced in order by the next name. Texts come from
// language libraries outside the program, so they are never handed to printf.
std::string FillNames(std::string text, const std::vector<std::string>& names);

}  // namespace norda
