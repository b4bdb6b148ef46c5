#include "resources/SolviResources.h"
#include "resources/StringTable.h"

namespace norda {
namespace {

// clang-format off
constexpr StringEntry kSolviTr[] = {
    {602, "HATA"},
    {606, "%s dil dosyası yüklenemedi!"},
    {616, "Dosya Aç"},
    {625, "Seri çıkış numarası hatalı. Lütfen başka bir çıkış seçin."},
    {634, "Okuma hatası!"},
    {807, "Cihazı okuma isteğine beklenen sürede yanıt alınamadı.\nLütfen kabloları kontrol edin."},
    {808, "Cihazdan yanıt alınamadı.\nLütfen kabloları kontrol edin."},
    {811, "Cihaz programlandı."},
    {1002, "Hex yazılım dosyası hatalı!"},
    {1004, "Hex dosyası açık değil"},
    {1005, "Cihaz aranıyor..."},
    {1006, "Flash siliniyor..."},
    {1007, "Yazılım aktarılıyor..."},
    {1008, "Cihaz başlatılıyor"},
    {1009, "Cihaz programlı"},
    {1010, "Programla"},
    {1011, "Programlayıcı meşgul!"},
    {1012, "Cihaz yazılımı farklı"},
    {1013, "Dosya Sürümü\t\t:"},
    {1014, "Cihaz Yazılım Sürümü\t:"},
    {3100, "Doğrulanıyor..."},
    {3101, "Doğrulama hatası: %s adresi dosyayla aynı değil."},
    {3650, "Cihaz yanıt veriyor, ancak flaş belleği silinmiyor.\nCihazı ayırın."},
    {3651, "Cihaz yanıt veriyor, ancak flaş belleği yazılımı tutmuyor.\nCihazı ayırın."},
    {3102, "Hız %s ile %s arasında olmalıdır."},
    {3110, "Yazılan her bloğu geri okuyup dosyayla karşılaştırır"},
    // Port assignment (both programs)
    {3200, "Seri çıkış numaralarını bilgisayarın seri aygıtlarına bağlar"},
    {3201, "Port Eşleştirme"},
    {3202, "No"},
    {3203, "Aygıt"},
    {3204, "Adaptör Adı"},
    {3205, "USB Soketi"},
    {3206, "Erişim"},
    {3207, "var"},
    {3208, "izin yok"},
    {3209, "takılı değil"},
    {3210, "Çıkış &No :"},
    {3211, "&Ata"},
    {3212, "&Kaldır"},
    {3213, "Kapat"},
    {3214, "adaptörün adıyla"},
    {3215, "USB soketiyle"},
    {3216, "%s yazılamadı: %s"},
    {3217, "Bağla :"},
    {3220, "%s aygıtına erişim izni yok: kullanıcıyı \"%s\" grubuna ekleyin (sudo usermod -aG %s $USER) ve yeniden oturum açın."},
    {3221, "%s aygıtına erişim izni yok."},
    // Production count and log
    {3400, "Programlanan: %s, hatalı: %s"},
    {3401, "Üretim kaydı yazılamadı: %s"},
    // Texts from the radio and the software file
    {3600, "boş"},
    {3601, "Satır %s: %s"},
    {3602, "Satır, bir S kaydının olabileceğinden uzun."},
    {3603, "Dosya bir S0 başlık kaydıyla başlamıyor."},
    {3604, "Satır bir S kaydı değil."},
    {3605, "Kayıtta onaltılık rakam (0-9, A-F) olmayan bir karakter var."},
    {3606, "Kaydın sağlama toplamı tutmuyor."},
    {3607, "S%s kayıtları desteklenmiyor."},
    {3608, "Kayıt, bayt sayısının gerektirdiğinden kısa."},
    {3609, "%s adresi flash belleğin dışında."},
    {3610, "Sayım kaydı %s veri kaydı diyor, öncesinde %s var."},
    {3611, "Dosya bir bitiş kaydı (S8, S9) ya da sayım kaydı (S5, S6) olmadan bitiyor."},

    {3900, "Üretim veritabanına yazılamadı: %s"},
    {24332, "Bir hex dosyasını açar"},
};
// clang-format on

}  // namespace

std::span<const StringEntry> SolviTurkishStringEntries() {
    return kSolviTr;
}

const StringTable& SolviTurkishStrings() {
    static const StringTable table(kSolviTr);
    return table;
}

}  // namespace norda
