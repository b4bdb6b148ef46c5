#include "resources/OmbraResources.h"

namespace norda {
namespace {

using K = MenuEntryKind;

// clang-format off
constexpr MenuEntry kMenu100[] = {
    {K::Popup, 2008, "&Dosya"},
        {K::Item, 2009, "Yazılım &Hakkında..."},
        {K::Separator, 0, ""},
        {K::Item, 24331, "&Yeni"},
        {K::Item, 24332, "&Aç"},
        {K::Item, 24333, "&Sakla"},
        {K::Item, 24334, "O&larak Sakla"},
        {K::Separator, 0, ""},
        {K::Item, 3301, "Y&edekler..."},
        {K::Item, 3302, "&Karşılaştır..."},
        {K::Separator, 0, ""},
        {K::Item, 3701, "Kanal Planını &Ver..."},
        {K::Item, 3702, "Kanal &Planını Al..."},
        {K::Separator, 0, ""},
        {K::Item, 24310, "&Çıkış\tAlt+F4"},
    {K::End, 0, ""},
    {K::Popup, 535, "&Telsiz"},
        {K::Item, 536, "&Oku"},
        {K::Item, 538, "&Yaz"},
        {K::Item, 539, "&Kopyala"},
        {K::Separator, 0, ""},
        {K::Item, 540, "&Sıralı Programla"},
    {K::End, 0, ""},
    {K::Popup, 500, "&Parametreler"},
        {K::Item, 501, "&Önceki Sayfa"},
        {K::Item, 502, "&Sonraki Sayfa"},
        {K::Separator, 0, ""},
        {K::Item, 503, "&Sabit Parametreler"},
        {K::Item, 504, "&Özel Parametreler"},
        {K::Item, 505, "&Aktarılabilir Parametreler"},
        {K::Popup, 0, "&Kanal Parametreleri"},
            {K::Item, 507, "1-10"},
            {K::Item, 508, "11-20"},
            {K::Item, 509, "21-30"},
            {K::Item, 510, "31-40"},
            {K::Item, 511, "41-50"},
            {K::Item, 512, "51-60"},
            {K::Item, 513, "61-70"},
            {K::Item, 514, "71-80"},
            {K::Item, 515, "81-90"},
            {K::Item, 516, "91-99"},
        {K::End, 0, ""},
        {K::Item, 517, "KS&YS Parametreleri"},
        {K::Item, 529, "Analog &Veri Parametreleri"},
    {K::End, 0, ""},
    {K::Popup, 550, "&Seçenekler"},
        {K::Item, 553, "&Seri Çıkış"},
        {K::Item, 3200, "&Port Eşleştirme..."},
        {K::Item, 554, "&İletişim Durumu"},
        {K::Item, 551, "&Yazılım Dili"},
        {K::Item, 101, "Yazılım &Modu"},
    {K::End, 0, ""},
};

constexpr MenuTemplate kMenus[] = {
    {100, kMenu100},
};
// clang-format on

}  // namespace

std::span<const MenuTemplate> OmbraTurkishMenus() {
    return kMenus;
}

}  // namespace norda
