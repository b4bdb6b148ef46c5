#include "resources/OmbraResources.h"
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
    {641, "Değer %ld ile %ld arasında veya %s olmalıdır."},
    {642, "Değer %ld ile %ld, veya %ld ile %ld arasında olmalıdır."},
    {643, "Değer %g ile %g arasında olmalıdır.\nBasamak = %s veya %s"},
    {644, "Değer %ld ile %ld arasında olmalıdır."},
    {645, "Değer %g ile %g arasında olmalıdır. Basamak = %s"},
    {646, "%sDeğer %d olmalıdır."},
    {647, "Değer aşağıdakilerden biri olmalıdır :\n %s\n %s\n %s"},
    {648, "Bu alanı boş bırakmayın!"},
    {649, "Girilen değerde geçersiz karakter var !"},
    {660, "Kütük saklandı."},
    {661, "Seçilen kütükte frekans bandı bilgisi hatalı veya yok !"},
    {662, "%s kütüğü saklanamadı!"},
    {755, "Gönderme frekansı girilmedi !"},
    {756, "Alma frekansı girilmedi !"},

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
    {101, "Yazılımı test moduna alır ve çıkarır"},
    {500, "Parametre Sayfaları"},
    {501, "Bir önceki parametre sayfasını izler"},
    {502, "Bir sonraki parametre sayfasını izler"},
    {503, "Sabit parametreler sayfasını izler"},
    {504, "Özel parametreler sayfasını izler"},
    {505, "Aktarılabilir parametreler sayfasını izler"},
    {507, "1-10 arası kanal parametreleri sayfasını izler"},
    {508, "11-20 arası kanal parametreleri sayfasını izler"},
    {509, "21-30 arası kanal parametreleri sayfasını izler"},
    {510, "31-40 arası kanal parametreleri sayfasını izler"},
    {511, "41-50 arası kanal parametreleri sayfasını izler"},
    {512, "51-60 arası kanal parametreleri sayfasını izler"},
    {513, "61-70 arası kanal parametreleri sayfasını izler"},
    {514, "71-80 arası kanal parametreleri sayfasını izler"},
    {515, "81-90 arası kanal parametreleri sayfasını izler"},
    {516, "91-99 arası kanal parametreleri sayfasını izler"},
    {517, "Kablosus ses yayın sistemi parametreleri sayfasını izler"},
    {529, "Analog veri parametreleri sayfasını izler"},
    {535, "Cihaz Yazma Okuma İşlemleri"},
    {536, "Cihazdaki parametreleri okur"},
    {538, "Cihaza tüm parametreleri yazar"},
    {539, "Cihaza ekrandaki aktarılabilir ve kanal parametrelerini yazar"},
    {540, "Seri no ve benzeri parametreleri sırasıyla değiştirerek birden fazla cihazı programlar"},
    {550, "Seçenekler"},
    {551, "Yazılım dilini değiştirir"},
    {552, "Seçenekler"},
    {553, "Seri çıkışı değiştirir"},
    {554, "İletişim durumunu izler"},
    {604, "Yazılım Sonlandırılacak.\nGerçekten Çıkmak İstiyor musunuz?"},
    {606, "%s dil dosyası yüklenemedi!"},
    {618, "Yeni kütük"},
    {625, "Seri çıkış numarası hatalı. Lütfen başka bir çıkış seçin."},
    {825, "VAR"},
    {826, "YOK"},
    {827, "HAZIR"},
    {828, "MESAJ BEKLEME"},
    {829, "SERVİS YOK"},
    {830, "GİDEN ÇAĞRI"},
    {831, "EKLEMELİ ÇAĞRI"},
    {832, "GELEN ÇAĞRI"},
    {833, "KONUŞMA"},
    {834, "YÖNLENDİRME"},
    {835, "HATA! Lütfen ZEMTAR'a bildirin."},
    {836, "Seri Çıkış : %d \nDurum : %s \nBağlantı : %s"},
    {900, "Aygıt : %s"},
    {901, "%s aygıtına erişim izni yok: kullanıcıyı \"%s\" grubuna ekleyin (sudo usermod -aG %s $USER) ve yeniden oturum açın."},
    {902, "%s aygıtına erişim izni yok."},
    {903, "%s dosyasına yazılamadı!"},
    {904, "Metin Dosyaları (*.txt)|*.txt|Tüm Dosyalar (*.*)|*.*|"},
    {2008, "Dosya İşlemleri"},
    {2009, "OMBRA hakkında... "},
    {24310, "Yazılımdan çıkar"},
    {24331, "Yeni bir omb dosyası açar"},
    {24332, "Varolan bir omb dosyasını açar"},
    {24333, "İzlenen bilgileri omb dosyasına güncelleştirir"},
    {24334, "İzlenen bilgileri omb dosyasına yazar"},

    // Parameter pages
    {654, "%d nolu kanalın alma ve/veya gönderme frekansı girilmedi!.\nKanal verilerinden giriniz."},
    {840, "Seçmeli çağrı için tuş takımı kullanma yetkisi olmalı !"},
    {841, "Ack no girmek için seçmeli çağrı no'su girilmiş olmalı !"},
    {842, "TOT değeri girilmedi !"},
    {848, "EL"},
    {849, "TEKRARLAYICI"},
    {850, "SABİT MERKEZ"},
    {851, "ARAÇ"},
    {852, "SAYISAL KRİPTO"},
    {853, "SAYISAL KRİPTO II"},
    {854, "TDM"},
    {855, "KSYS"},
    {856, "STANDART"},
    {920, "OMBRA Dosyaları (*.omb)|*.omb|Tüm Dosyalar (*.*)|*.*|"},
    {921, "Dosya Aç"},
    {922, "Dosya Sakla"},
    {923, "En fazla 6 hane girilebilir."},

    // Backups, comparison and verification
    {3301, "Okunan telsizlerin yedeklerini listeler, seçileni açar"},
    {3302, "Ekrandaki verileri bir dosya veya yedekle karşılaştırır"},
    {3311, "Tarih"},
    {3312, "Seri No"},
    {3313, "Telsiz Tipi"},
    {3314, "Frekans Bandı"},
    {3321, "Parametre"},
    {3322, "Ekrandaki"},
    {3323, "Karşılaştırılan"},
    {3324, "Fark yok."},
    {3325, "%d fark"},
    {3326, "Karşılaştırılacak Dosya"},
    {3327, "OMBRA Dosyaları (*.omb)|*.omb|Telsiz Görüntüleri (*.bin)|*.bin|Tüm Dosyalar (*.*)|*.*|"},
    {3328, "%s okunamadı!"},
    {3330, "Yedek saklandı: %s"},
    {3331, "Telsiz son yedeğindeki gibi: %s"},
    {3332, "Yedek saklanamadı: %s"},
    {3340, "Telsizdeki parametreler dosyadakilerle aynı."},
    {3341, "Telsizdeki parametreler dosyadakilerden farklı!"},
};
// clang-format on

}  // namespace

std::span<const StringEntry> OmbraTurkishStringEntries() {
    return kOmbraTr;
}

const StringTable& OmbraTurkishStrings() {
    static const StringTable table(kOmbraTr);
    return table;
}

}  // namespace norda
