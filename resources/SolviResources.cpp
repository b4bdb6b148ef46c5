#include "resources/SolviResources.h"

#include "resources/ResourceModule.h"

namespace norda {

const ResourceModuleData& SolviBuiltinResources() {
    static const ResourceModuleData data{kResourceAbiVersion, "SOLVI", SolviTurkishStringEntries(),
                                         SolviTurkishMenus(), SolviTurkishDialogs()};
    return data;
}

std::string SolviLanguageBaseName(std::string_view programName) {
    std::string name(programName.substr(0, 6));
    name.resize(6, '0');
    return name;
}

std::string SolviLanguageLibraryName(std::string_view programName, int language) {
    // Two hex digits: a larger code prints more of them rather than being cut.
    return LanguageLibraryName(SolviLanguageBaseName(programName), language, 2);
}

}  // namespace norda
