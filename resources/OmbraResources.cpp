#include "resources/OmbraResources.h"

#include "resources/ResourceModule.h"

namespace norda {

const ResourceModuleData& OmbraBuiltinResources() {
    static const ResourceModuleData data{kResourceAbiVersion, "OMBRA", OmbraTurkishStringEntries(),
                                         OmbraTurkishMenus(), OmbraTurkishDialogs()};
    return data;
}

}  // namespace norda
