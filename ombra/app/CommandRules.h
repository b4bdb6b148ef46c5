#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "ombra/pages/PageTable.h"
#include "platform/TextSource.h"

namespace norda::ombra {

// Menu command identifiers of menu 100.
namespace cmd {
inline constexpr int kProgMode = 101;
inline constexpr int kPrevPage = 501;
inline constexpr int kNextPage = 502;
inline constexpr int kMasterPage = 503;
inline constexpr int kServicePage = 504;
inline constexpr int kClonePage = 505;
inline constexpr int kFirstChannelPage = 507;
inline constexpr int kLastChannelPage = 516;
inline constexpr int kKsysPage = 517;
inline constexpr int kADataPage = 529;
inline constexpr int kRead = 536;
inline constexpr int kWrite = 538;
inline constexpr int kCopy = 539;
inline constexpr int kSequential = 540;
inline constexpr int kLanguage = 551;
inline constexpr int kSerialPort = 553;
inline constexpr int kCommStatus = 554;
inline constexpr int kPortAssignment = 3200;
inline constexpr int kAbout = 2009;
inline constexpr int kExit = 24310;
inline constexpr int kNew = 24331;
inline constexpr int kOpen = 24332;
inline constexpr int kSave = 24333;
inline constexpr int kSaveAs = 24334;
inline constexpr int kBackups = 3301;
inline constexpr int kCompare = 3302;
inline constexpr int kExportPlan = 3701;
inline constexpr int kImportPlan = 3702;
}  // namespace cmd

// What the enabling rules of the menu look at.
struct CommandContext {
    bool testMode = false;
    bool testSwitch = false;
    bool portOpen = false;
    bool reading = false;
    bool writing = false;
    bool writePrecondition = false;
    bool restrictedPages = true;
    int currentPage = kPageNone;
};

bool IsCommandEnabled(int command, const CommandContext& c);

// "%s - %s" of the title and the state's text; the title alone when empty.
std::string FrameCaption(const TextSource& texts, const std::string& title, DocumentState state,
                         const std::string& fileName);

// Text 836 filled with the port, the network state's text and the link text.
std::string CommunicationStatusText(const TextSource& texts, int port, int networkState,
                                    bool linkEstablished);

// True when the printf conversions of `format` are exactly `kinds` ({"d", "s"}: %d then %s).
bool ConversionsAre(std::string_view format, std::initializer_list<std::string_view> kinds);

// printf-style formatting of a resource text with the given arguments.
std::string FormatText(const std::string& format, const std::string& arg);

}  // namespace norda::ombra
