#include "solvi/core/FlashSessionView.h"

#include <cstdio>

#include "platform/TextSource.h"

namespace norda::solvi {

std::string StatusLine(const TextSource& texts, int port, int statusId, bool singlePortLayout,
                       uint32_t address) {
    std::string text = texts.Text(statusId);
    // Replaced here rather than handed to printf: the text may come from a language library.
    if (const size_t at = text.find("%s"); at != std::string::npos) {
        char where[16];
        std::snprintf(where, sizeof where, "0x%05X", static_cast<unsigned>(address));
        text.replace(at, 2, where);
    }
    if (singlePortLayout) {
        return text;
    }
    std::string com = "Com" + std::to_string(port);
    return statusId == 0 ? com : com + " - " + text;
}

}  // namespace norda::solvi
