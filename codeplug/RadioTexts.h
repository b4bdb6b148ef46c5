#pragma once

#include <string>

#include "codeplug/RadioParameters.h"

namespace norda {

// What the fixed-parameters page says about the radio, from its hardware flags
// (TestAyar 1419) and its band. The kind and hardware texts are numbered strings.

// 848 "EL", 849 "TEKRARLAYICI", 850 "SABİT MERKEZ" or 851 "ARAÇ".
int RadioKindTextId(const RadioParameters& parameters);
// 852 "SAYISAL KRİPTO", 853 "SAYISAL KRİPTO II", 854 "TDM", 855 "KSYS" or 856 "STANDART".
int HardwareTextId(const RadioParameters& parameters);
// Band from HalfBaseChan / 40 MHz: "VHF 146 - 174", "UHF 406 - 430", "UHF 430 - 450",
// "UHF 450 - 470", any other b as "b - b+30".
std::string BandText(int halfBaseChan);

}  // namespace norda
