#include "ombra/app/CommandRules.h"

#include <cstdio>
#include <vector>

namespace norda::ombra {

bool IsCommandEnabled(int command, const CommandContext& c) {
    const bool idle = !c.reading && !c.writing;
    const bool loaded = c.currentPage != kPageNone;
    const bool radio = !c.testMode && c.portOpen && idle;
    switch (command) {
        case cmd::kAbout:
        case cmd::kExit:
        case cmd::kCommStatus:
            return true;
        case cmd::kNew:
            return !c.testMode && idle;
        case cmd::kOpen:
        case cmd::kSerialPort:
        case cmd::kPortAssignment:
        case cmd::kLanguage:
            return idle;
        case cmd::kSave:
        case cmd::kSaveAs:
            return loaded && idle;
        case cmd::kRead:
        case cmd::kCopy:
            return radio;
        case cmd::kWrite:
            return radio && c.writePrecondition;
        case cmd::kSequential:
            return c.portOpen && idle;
        case cmd::kPrevPage:
        case cmd::kNextPage:
            return !c.testMode && c.currentPage >= 1 && idle;
        case cmd::kMasterPage:
        case cmd::kServicePage:
            return loaded && idle && (!c.restrictedPages || (c.testSwitch && !c.testMode));
        case cmd::kProgMode:
            return c.testSwitch && idle;
        case cmd::kBackups:
            return idle;
        case cmd::kCompare:
        case cmd::kExportPlan:
        case cmd::kImportPlan:
            return loaded && idle;
        default:
            if (PageForCommand(command) != 0)
                return loaded && idle;
            return false;
    }
}

bool ConversionsAre(std::string_view format, std::initializer_list<std::string_view> kinds) {
    auto want = kinds.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        if (++i == format.size())
            return false;
        if (format[i] == '%')
            continue;
        // Flags, width and precision are fine; the length and conversion must be as expected.
        while (i < format.size() &&
               std::string_view("-+ #0123456789.").find(format[i]) != std::string_view::npos)
            ++i;
        const size_t start = i;
        while (i < format.size() &&
               std::string_view("hlLqjzt").find(format[i]) != std::string_view::npos)
            ++i;
        if (i == format.size() || want == kinds.end() ||
            format.substr(start, i - start + 1) != *want)
            return false;
        ++want;
    }
    return want == kinds.end();
}

std::string FormatText(const std::string& format, const std::string& arg) {
    // A language library is outside the program: a text whose conversions do not fit
    // the arguments is shown as it is rather than handed to printf.
    if (!ConversionsAre(format, {"s"}))
        return format;
    const int n = std::snprintf(nullptr, 0, format.c_str(), arg.c_str());
    if (n <= 0)
        return format;
    std::vector<char> out(static_cast<size_t>(n) + 1);
    std::snprintf(out.data(), out.size(), format.c_str(), arg.c_str());
    return std::string(out.data(), static_cast<size_t>(n));
}

std::string FrameCaption(const TextSource& texts, const std::string& title, DocumentState state,
                         const std::string& fileName) {
    std::string second;
    switch (state) {
        case DocumentState::Empty:
            return title;
        case DocumentState::NewFile:
            second = texts.Text(618);
            break;
        case DocumentState::RadioData:
            second = texts.Text(802);
            break;
        case DocumentState::OpenedFile:
            second = fileName;
            break;
    }
    return title + " - " + second;
}

std::string CommunicationStatusText(const TextSource& texts, int port, int networkState,
                                    bool linkEstablished) {
    static constexpr int kStateText[] = {0, 827, 828, 834, 832, 830, 831, 833, 829};
    const int stateId = networkState >= 1 && networkState <= 8 ? kStateText[networkState] : 835;
    const std::string format = texts.Text(836);
    const std::string state = texts.Text(stateId);
    const std::string link = texts.Text(linkEstablished ? 825 : 826);
    if (!ConversionsAre(format, {"d", "s", "s"}))
        return format;
    const int n = std::snprintf(nullptr, 0, format.c_str(), port, state.c_str(), link.c_str());
    if (n <= 0)
        return format;
    std::vector<char> out(static_cast<size_t>(n) + 1);
    std::snprintf(out.data(), out.size(), format.c_str(), port, state.c_str(), link.c_str());
    return std::string(out.data(), static_cast<size_t>(n));
}

}  // namespace norda::ombra
