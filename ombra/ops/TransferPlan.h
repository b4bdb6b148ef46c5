#pragma once

#include <array>

#include "codeplug/MemoryAreas.h"

namespace norda::ombra {

// What each of OMBRA's operations moves, area by area in the order the areas go over the
// line. Where each area lies and how long it is comes from the area catalogue.
inline constexpr std::array kFullRead = {AreaId::Master, AreaId::Service,  AreaId::Clone,
                                         AreaId::User,   AreaId::TestAyar, AreaId::KSYS,
                                         AreaId::ADATA};
// Before a write or a copy: the target radio's band and hardware options, and its identity.
inline constexpr std::array kPreRead = {AreaId::TestAyar, AreaId::Master, AreaId::Service};
// Everything a write sends; TestAyar is never written.
inline constexpr std::array kWrite = {AreaId::Master, AreaId::Service, AreaId::Clone,
                                      AreaId::User,   AreaId::KSYS,    AreaId::ADATA};

}  // namespace norda::ombra
