#include "resources/StringTable.h"

namespace norda {
namespace {

// clang-format off
constexpr StringEntry kSolviTr[] = {
    {602, "HATA"},
    {625, "Seri çıkış numarası hatalı. Lütfen başka bir çıkış seçin."},
    {634, "Okuma hatası!"},
    {807, "Cihazı okuma isteğine beklenen sürede yanıt alınamadı.\nLütfen kabloları kontrol edin."},
    {808, "Cihazdan yanıt alınamadı.\nLütfen kabloları kontrol edin."},
    {811, "Cihaz programlandı."},
    {1004, "Hex dosyası açık değil"},
    {1005, "Cihaz aranıyor..."},
    {1006, "Flash siliniyor..."},
    {1007, "Yazılım aktarılıyor..."},
    {1008, "Cihaz başlatılıyor"},
    {1009, "Cihaz programlı"},
    {1010, "Programla"},
    {1011, "Programlayıcı meşgul!"},
    {1012, "Cihaz yazılımı farklı"},
};
// clang-format on

}  // namespace

const StringTable& SolviTurkishStrings() {
    static const StringTable table(kSolviTr);
    return table;
}

}  // namespace norda
