#include "platform/TextSource.h"

namespace norda {

std::string FillNames(std::string text, const std::vector<std::string>& names) {
    size_t at = 0;
    for (const std::string& name : names) {
        at = text.find("%s", at);
        if (at == std::string::npos)
            break;
        text.replace(at, 2, name);
        at += name.size();
    }
    return text;
}

}  // namespace norda
