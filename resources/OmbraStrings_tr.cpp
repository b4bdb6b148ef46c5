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
    {634, "Okuma hatası!"},
    {800, "Şu Andaki Verileri Kaybedeceksiniz.\nEkrandan çıkmak istiyor musunuz?"},
    {802, "Telsiz bilgileri"},
    {804, "Cihazdan ön bilgiler okunuyor ..."},
    {805, "Cihaz okunuyor ..."},
    {806, "Cihazı okuma işlemi yarıda kesildi.\nLütfen tekrar deneyin."},
    {807, "Cihazı okuma isteğine beklenen sürede yanıt alınamadı.\nLütfen kabloları kontrol edin."},
    {808, "Cihazdan yanıt alınamadı.\nLütfen kabloları kontrol edin."},
    {809, "Cihaza yazılıyor ..."},
    {810, "Cihaza yazma işlemi yarıda kesildi.\nLütfen tekrar deneyin."},
    {811, "Cihaz programlandı."},
    {812, "Cihaz ile bilgisayar bağlantısı kurulamadı !"},
    {816, "Cihazın frekans bandı yazılacak parametrelerdeki ile aynı değil !"},
    {818, "Telsize tüm verileri yazabilmek için önce telsizi okumanız lazım."},
    {819, "Telsize kopyalama yapabilmek için önce telsizi okumanız veya dosya açmanız lazım."},
    {820, "Sıralı programlama yapabilmek için önce telsizi okumanız veya dosya açmanız lazım."},
    {821, "Telsiz programlandı.\nDevam etmek istiyorsanız lütfen telsizi değiştirin."},
    {861, "Cihazın SABİT alanı programsız!"},
    {862, "Cihazın SERVİS alanı programsız!"},
    {863, "Cihazın AKTARMA alanı programsız!"},
    {864, "Cihazın KULLANICI alanı programsız!"},
    {865, "Cihazın TEST-AYAR alanı programsız\nMERIX yazılımı kullanılmalıdır."},
    {870, "Telsizin KSYS alanı programsız!"},

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
