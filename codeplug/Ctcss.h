#pragma once

namespace norda {

// Tone (CTCSS) codes index a table of tones in whole hertz. Code 0 means no tone;
// codes 51-64 are empty entries.
inline constexpr int kCtcssCodeCount = 64;
inline constexpr int kCtcssToneCount = 50;

// The tone of a code; 0 for code 0, an empty entry or a code outside 0-64.
int CtcssTone(int code);
// The first code whose tone is `tone`; 0 for tone 0 or a tone not in the table.
int CtcssCode(int tone);

}  // namespace norda
