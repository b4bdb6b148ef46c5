#pragma once

#include "codeplug/RadioParameters.h"
#include "ombra/pages/TPageDispatcher.h"

namespace norda::ombra {

// Puts the fixed (1), special (2) and transferable (3) parameter pages into the
// dispatcher's registry; they edit `parameters` (the process's set by default).
void RegisterParamPages(TPageDispatcher& pages, RadioParameters& parameters = ProcessParameters());

}  // namespace norda::ombra
