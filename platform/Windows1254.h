#pragma once

#include <string>
#include <string_view>

namespace norda {

// Files exchanged with the Windows programs are in the Turkish ANSI code page;
// everything inside the programs is UTF-8.

// Every byte has a code point: the seven bytes the code page leaves undefined
// map to the C1 controls of the same value, so a round trip keeps them.
std::string Windows1254ToUtf8(std::string_view bytes);

// Characters the code page cannot hold (and malformed UTF-8) become `replacement`;
// `lossless` (when given) tells whether that happened.
std::string Utf8ToWindows1254(std::string_view utf8, char replacement = '?',
                              bool* lossless = nullptr);

// True for well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Upper case of one Windows-1254 byte for comparing names without regard to case;
// the four Turkish i letters all fold to "I" so that no spelling of a key is lost.
unsigned char FoldCase1254(unsigned char c);

}  // namespace norda
