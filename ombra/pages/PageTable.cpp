#include "ombra/pages/PageTable.h"

#include "resources/OmbraControlIds.h"

namespace norda::ombra {

namespace {
// clang-format off
constexpr PageInfo kPages[] = {
    {1, kKindMaster, MasterIds::kDialog, 503, 0, "Sabit Parametreler"},
    {2, kKindService, ServiceIds::kDialog, 504, 0, "Özel Parametreler"},
    {3, kKindClone, CloneIds::kDialog, 505, 0, "Aktarılabilir Parametreler"},
    {4, kKindChannel, ChannelIds::kDialog, 507, 1, "Kanal Parametreleri"},
    {5, kKindChannel, ChannelIds::kDialog, 508, 11, "Kanal Parametreleri"},
    {6, kKindChannel, ChannelIds::kDialog, 509, 21, "Kanal Parametreleri"},
    {7, kKindChannel, ChannelIds::kDialog, 510, 31, "Kanal Parametreleri"},
    {8, kKindChannel, ChannelIds::kDialog, 511, 41, "Kanal Parametreleri"},
    {9, kKindChannel, ChannelIds::kDialog, 512, 51, "Kanal Parametreleri"},
    {10, kKindChannel, ChannelIds::kDialog, 513, 61, "Kanal Parametreleri"},
    {11, kKindChannel, ChannelIds::kDialog, 514, 71, "Kanal Parametreleri"},
    {12, kKindChannel, ChannelIds::kDialog, 515, 81, "Kanal Parametreleri"},
    {13, kKindChannel, ChannelIds::kDialog, 516, 91, "Kanal Parametreleri"},
    {14, kKindKsys, KsysIds::kDialog, 517, 0, "Kablosuz Ses Yayın Sistemi Parametreleri"},
    {15, kKindAData, ADataIds::kDialog, 529, 0, "Analog Veri Parametreleri"},
};
// clang-format on
}  // namespace

const PageInfo* FindPage(int page) {
    if (page < kFirstPage || page > kLastPage)
        return nullptr;
    return &kPages[page - kFirstPage];
}

int PageForCommand(int command) {
    for (const auto& p : kPages)
        if (p.command == command)
            return p.page;
    return 0;
}

int NextPage(int current, bool restrictedPages) {
    const int first = restrictedPages ? kFirstUnrestrictedPage : kFirstPage;
    return current + 1 > kLastPage ? first : current + 1;
}

int PreviousPage(int current, bool restrictedPages) {
    const int first = restrictedPages ? kFirstUnrestrictedPage : kFirstPage;
    return current - 1 < first ? kLastPage : current - 1;
}

}  // namespace norda::ombra
