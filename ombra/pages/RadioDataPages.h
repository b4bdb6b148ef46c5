#pragma once

#include "ombra/pages/PageValues.h"
#include "ombra/pages/TPageDispatcher.h"

namespace norda::ombra {

// Puts the channel pages (4-13), the KSYS page (14) and the analog data page (15)
// into the dispatcher's registry.
void RegisterRadioDataPages(TPageDispatcher& pages, PageEnvironment environment = {});

}  // namespace norda::ombra
