#include "resources/StringTable.h"

namespace norda {
namespace {

// Keep each block in identifier order; blocks are grouped by the layer that shows them.
// clang-format off
constexpr StringEntry kOmbraTr[] = {
    // Captions
    {601, "BİLGİ"},
    {602, "HATA"},
    {603, "DİKKAT!"},
    {605, "KULLANIM HATASI"},
    {621, "SERİ ÇIKIŞ"},
    {622, "İLETİŞİM HATASI"},

    // Codeplug model: validators, file, new-file defaults

    // Radio link and transfer machine

    // Frame, menus, settings dialogs

    // Parameter pages
};
// clang-format on

}  // namespace

const StringTable& OmbraTurkishStrings() {
    static const StringTable table(kOmbraTr);
    return table;
}

}  // namespace norda
