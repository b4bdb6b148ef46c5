#pragma once

namespace norda::ombra {

// The message dialog's styles and results, numbered as the program's message texts and
// layouts have always numbered them: a button set in the low bits, an icon above them.
inline constexpr int kStyleOk = 0;
inline constexpr int kStyleOkCancel = 1;
inline constexpr int kIconStop = 16;
inline constexpr int kIconExclamation = 48;
inline constexpr int kIconInformation = 64;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

}  // namespace norda::ombra
