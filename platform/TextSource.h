#pragma once

#include <string>

namespace norda {

// Numbered user-visible texts of the current language. Logic below the windows
// formats its messages from these so that a language change reaches them too.
class TextSource {
  public:
    virtual ~TextSource() = default;
    // Number 0 and unknown numbers give an empty text.
    virtual std::string Text(int id) const = 0;
};

}  // namespace norda
