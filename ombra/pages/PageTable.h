#pragma once

// DocumentState: the editor's document states, shared with the transfer machine.
#include "ombra/ops/TransferHost.h"

namespace norda::ombra {

// The fifteen parameter pages and the editor state that the frame and the pages share.

inline constexpr int kPageNone = -1;      // nothing loaded
inline constexpr int kPageNoneShown = 0;  // data loaded, no page shown
inline constexpr int kFirstPage = 1;
inline constexpr int kFirstUnrestrictedPage = 3;  // what a codeplug file holds starts here
inline constexpr int kLastPage = 15;

// Registry slot kinds.
inline constexpr int kKindMaster = 2;
inline constexpr int kKindService = 3;
inline constexpr int kKindClone = 4;
inline constexpr int kKindChannel = 5;
inline constexpr int kKindKsys = 6;
inline constexpr int kKindAData = 7;
inline constexpr int kPageKindSlots = 8;

struct PageInfo {
    int page;          // 1..15
    int kind;          // registry slot
    int dialogId;      // dialog resource
    int command;       // menu command that opens it
    int firstChannel;  // channel pages only, else 0
    const char* heading;
};

// Page 1..15, or nullptr.
const PageInfo* FindPage(int page);
// The page a command 503..529 opens, or 0.
int PageForCommand(int command);

// Next / previous page in 1..15, or 3..15 with the page set restricted; both wrap.
int NextPage(int current, bool restrictedPages);
int PreviousPage(int current, bool restrictedPages);

}  // namespace norda::ombra
