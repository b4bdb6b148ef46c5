#pragma once

#include <span>

#include "resources/ResourceData.h"

namespace norda {

// Pieces of OMBRA's built-in Turkish module; ResourceModule.h's OmbraBuiltinResources
// puts them together.
std::span<const MenuTemplate> OmbraTurkishMenus();
std::span<const DialogTemplate> OmbraTurkishDialogs();
std::span<const StringEntry> OmbraTurkishStringEntries();

}  // namespace norda
