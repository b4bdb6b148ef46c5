#pragma once

// Turkish texts of the fixed, special and transferable parameter pages (61-63), the
// sequential-programming dialog (66) and the new-file dialog (70).

#include "resources/OmbraParamPageLayouts.h"

namespace norda::parampages {

// clang-format off
inline constexpr MasterTexts kMasterTextsTr{
    "Sabit Parametreler",
    {"Seri No                          :", "MHK Programlama Tarihi  :", "Üretim Sıra No                :",
     "Cihaz Versiyon No           :", "Telsiz Tipi                      :", "Donanım Tipi                  :",
     "Frekans Bandı                :"},
    {"Sabit Merkez", "Ses Sıkıştırma", "TDM"},
};

inline constexpr ServiceTexts kServiceTextsTr{
    "Özel Parametreler",
    "Programlayıcı Sürüm No :",
    {"Açılışta Opsiyon", "Kanal İzleme Özelliği", "Tuş Takımı", "Sabit Merkez Telsizi", "VOX",
     "Deniz El Telsizi", "Aktarma Özelliği", "Seçmeli Çağrı Gönderme"},
    "Özellikler",
    "Numaralar",
    "Güç Seviyeleri",
    {"Aktarma Anahtarı          :", "ANI No                        :", "ACK No                       :",
     "Seçmeli Çağrı No          :", "Düşük güç                   :", "Yüksek güç                 :"},
};

inline constexpr CloneTexts kCloneTextsTr{
    "Aktarılabilir Parametreler",
    "Dil", "İngilizce", "Türkçe",
    "Meşgul Kanal Kilidi", "Kanal Aktif ile", "TCS ile", "Yok",
    "Harici Giriş", "Ses", "Veri",
    "Güç Tasarrufu", "Alt Menü", "Acil Çağrı - Kanal",
    "Öncelikli Kanallar", "1. Kanal", "2. Kanal",
    "Tot (0-225 sn)", "Uzatılmış İlk Ton Süresi (1-15)", "Rekey Gecikmesi (0-15 sn)",
    "Tarama Gecikmesi (0-7.5 sn)", "Tx Gecikmesi (0-1500 ms)",
    "Ton Standardı",
    "Seçilebilir çağrı hane sayısı",
    "ANI Tipi",
    {"Yok", "Çağrı İle", "PTT  İle", "PTT Bırakılınca", "Çağrı ve PTT İle", "Çağrı ve PTT Bırakılınca"},
    "Kullanıcı Alanı", "Gösterge ters", "Işıklar kapalı", "Sesli uyarı yok",
    "Grup Tonu",
    "Öncelik", "Çağrı", "ANI",
    "Süreler",
};

inline constexpr AutoProgTexts kAutoProgTextsTr{
    "Sıralı Programlama",
    {"Sabit Merkez", "Ses Sıkıştırma", "TDM", "Açılışta Opsiyon", "Kanal İzleme Özelliği",
     "Tuş Takımı", "Sabit Merkez Telsizi", "VOX", "Deniz El Telsizi", "Aktarma Özelliği",
     "Seçmeli Çağrı Gönderme"},
    {"Seri No                  :", "Aktarma Anahtarı    :", "ANI No                  :",
     "ACK No                 :", "Seçmeli Çağrı No    :", "Düşük güç             :",
     "Yüksek güç           :"},
    "Programla", "Vazgeç",
    "Özellikler",
};

inline constexpr FileDefaultsTexts kFileDefaultsTextsTr{
    "Yeni Dosya İlk Değerleri",
    "Frekans Bandı",
    {"VHF 146-174", "UHF 406-430", "UHF 430-450", "UHF 450-470", "Kullanıcı Tanımlı "},
    "Bant   :",
    "Ton Sayısı",
    "Tamam",
};
// clang-format on

inline constexpr auto kDlg61Tr = MasterControls(kMasterTextsTr);
inline constexpr auto kDlg62Tr = ServiceControls(kServiceTextsTr);
inline constexpr auto kDlg63Tr = CloneControls(kCloneTextsTr);
inline constexpr auto kDlg66Tr = AutoProgControls(kAutoProgTextsTr);
inline constexpr auto kDlg70Tr = FileDefaultsControls(kFileDefaultsTextsTr);

}  // namespace norda::parampages
