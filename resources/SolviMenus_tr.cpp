#include "resources/SolviResources.h"

namespace norda {
namespace {

using K = MenuEntryKind;

// clang-format off
constexpr MenuEntry kMenu100[] = {
    {K::Popup, 0, "&Dosya"},
        {K::Item, 24332, "&Aç"},
        {K::Item, 2009, "SOLVI &Hakkında..."},
        {K::Separator, 0, ""},
        {K::Item, 24310, "&Çıkış\tAlt+F4"},
    {K::End, 0, ""},
    {K::Popup, 0, "&Seçenekler"},
        {K::Item, 417, "&Seri Hız"},
        {K::Item, 3200, "&Port Eşleştirme..."},
        {K::Item, 418, "&Otomatik"},
        {K::Item, 3110, "Doğ&rula"},
        {K::Item, 419, "&Yazılım Aktarıcı"},
        {K::Separator, 0, ""},
        {K::Item, 551, "&Dil / Language"},
    {K::End, 0, ""},
    {K::Popup, 0, "&Seri Çıkışlar"},
        {K::Item, 401, "Com1"},
        {K::Item, 402, "Com2"},
        {K::Item, 403, "Com3"},
        {K::Item, 404, "Com4"},
        {K::Item, 405, "Com5"},
        {K::Item, 406, "Com6"},
        {K::Item, 407, "Com7"},
        {K::Item, 408, "Com8"},
        {K::Item, 409, "Com9"},
        {K::Item, 410, "Com10"},
        {K::Item, 411, "Com11"},
        {K::Item, 412, "Com12"},
        {K::Item, 413, "Com13"},
        {K::Item, 414, "Com14"},
        {K::Item, 415, "Com15"},
        {K::Item, 416, "Com16"},
    {K::End, 0, ""},
};

constexpr MenuTemplate kMenus[] = {
    {100, kMenu100},
};
// clang-format on

}  // namespace

std::span<const MenuTemplate> SolviTurkishMenus() {
    return kMenus;
}

}  // namespace norda
