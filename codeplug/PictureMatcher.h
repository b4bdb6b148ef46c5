#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace norda {

enum class PictureResult { Complete, Incomplete, Empty, Error };

// Edit-field pictures: "#" a digit, "?" a letter, "&" a letter made upper case,
// "@" any character, "!" any character made upper case, ";" takes the next character
// literally, "*" repeats the next item (any number of times, or "*3" exactly three),
// "[...]" is optional, "{...}" groups, "," separates alternatives; other characters
// stand for themselves (in either case). Text is Windows-1254, one byte a character.
class PictureMatcher {
  public:
    explicit PictureMatcher(std::string_view picture);
    ~PictureMatcher();
    PictureMatcher(PictureMatcher&&) noexcept;
    PictureMatcher& operator=(PictureMatcher&&) noexcept;

    // Complete when the whole text fits the picture, Incomplete when it is the
    // beginning of a text that would, Empty for an empty text. Unless it is Error,
    // `text` is changed to its fitting form (upper case where the picture asks).
    PictureResult Match(std::string& text) const;
    PictureResult Check(std::string_view text) const;
    bool Valid() const;  // the picture itself is well formed

    struct Node;

  private:
    std::unique_ptr<Node> root_;
    bool valid_ = false;
};

// Upper case in Windows-1254 as the picture's "&" and "!" make it.
unsigned char UpperCase1254(unsigned char c);
bool IsLetter1254(unsigned char c);

}  // namespace norda
