#pragma once

#include "codeplug/RadioParameters.h"

namespace norda {

// The values a new codeplug starts from; a file load starts from them too, so that
// keys missing from a file fall back to them. Parameters not named keep their value.
void ResetToNewFile(RadioParameters& p);

// The band choices of the dialog "Yeni Dosya İlk Değerleri".
enum class NewFileBand { Vhf146, Uhf406, Uhf430, Uhf450, UserDefined };

// HalfBaseChan of a band choice; a user-defined band is given in megahertz.
int NewFileHalfBaseChan(NewFileBand band, int userBandMHz);

// What "Tamam" stores: the band and the number of selective-call digits.
void ApplyNewFileChoice(RadioParameters& p, NewFileBand band, int userBandMHz, int toneCount);

}  // namespace norda
