#include "solvi/core/FlashSessionView.h"

#include "platform/TextSource.h"

namespace norda {

std::string StatusLine(const TextSource& texts, int port, int statusId, bool singlePortLayout) {
    std::string text = texts.Text(statusId);
    if (singlePortLayout) {
        return text;
    }
    std::string com = "Com" + std::to_string(port);
    return statusId == 0 ? com : com + " - " + text;
}

}  // namespace norda
