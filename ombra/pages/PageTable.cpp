#include "ombra/pages/PageTable.h"

namespace norda {

namespace {
// clang-format off
constexpr PageInfo kPages[] = {
    {1, kKindMaster, 61, 503, 0, "Sabit Parametreler"},
    {2, kKindService, 62, 504, 0, "Özel Parametreler"},
    {3, kKindClone, 63, 505, 0, "Aktarılabilir Parametreler"},
    {4, kKindChannel, 64, 507, 1, "Kanal Parametreleri"},
    {5, kKindChannel, 64, 508, 11, "Kanal Parametreleri"},
    {6, kKindChannel, 64, 509, 21, "Kanal Parametreleri"},
    {7, kKindChannel, 64, 510, 31, "Kanal Parametreleri"},
    {8, kKindChannel, 64, 511, 41, "Kanal Parametreleri"},
    {9, kKindChannel, 64, 512, 51, "Kanal Parametreleri"},
    {10, kKindChannel, 64, 513, 61, "Kanal Parametreleri"},
    {11, kKindChannel, 64, 514, 71, "Kanal Parametreleri"},
    {12, kKindChannel, 64, 515, 81, "Kanal Parametreleri"},
    {13, kKindChannel, 64, 516, 91, "Kanal Parametreleri"},
    {14, kKindKsys, 65, 517, 0, "Kablosuz Ses Yayın Sistemi Parametreleri"},
    {15, kKindAData, 72, 529, 0, "Analog Veri Parametreleri"},
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

}  // namespace norda
