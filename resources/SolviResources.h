#pragma once

#include <span>
#include <string>
#include <string_view>

#include "resources/ResourceData.h"

namespace norda {

// SOLVI's built-in Turkish module (language 90).
const ResourceModuleData& SolviBuiltinResources();
std::span<const StringEntry> SolviTurkishStringEntries();
std::span<const MenuTemplate> SolviTurkishMenus();
std::span<const DialogTemplate> SolviTurkishDialogs();

// SOLVI names its language libraries after a six-character base: the program name cut
// to six characters, or filled up to six with '0' ("SOLVI" -> "SOLVI0").
std::string SolviLanguageBaseName(std::string_view programName);
// "%s%02X.DLL": "SOLVI009.DLL" for English (9).
std::string SolviLanguageLibraryName(std::string_view programName, int language);

}  // namespace norda
