#include "resources/OmbraResources.h"

#include "resources/OmbraBackupDialogs_tr.h"
#include "resources/OmbraControlIds.h"
#include "resources/OmbraDataPages_tr.h"
#include "resources/OmbraParamPages_tr.h"

namespace norda {
namespace {

using C = ControlKind;

// clang-format off

// The message dialog: its size and the positions are computed from the text when it is shown.
constexpr DialogControl kDlg50[] = {
    {C::Icon, MessageBoxIds::kIcon, "", 11, 16, 32, 32},
    {C::Static, MessageBoxIds::kText, "", 60, 16, 130, 16},
    {C::DefPushButton, 1, "TAMAM", 0, 0, 65, 24},
    {C::PushButton, 6, "EVET", 0, 0, 65, 24},
    {C::PushButton, 7, "HAYIR", 0, 0, 65, 24},
    {C::PushButton, 3, "ÇIK", 0, 0, 65, 24},
    {C::PushButton, 4, "TEKRAR", 0, 0, 65, 24},
    {C::PushButton, 5, "GÖZ ARDI", 0, 0, 65, 24},
    {C::PushButton, 2, "VAZGEÇ", 0, 0, 65, 24},
};

constexpr DialogControl kDlg1[] = {
    {C::GroupBox, -1, "", 12, 8, 196, 72},
    {C::RadioButton, ProgModeIds::kNormal, "Normal", 28, 22, 160, 22, kCtlGroupStart},
    {C::RadioButton, ProgModeIds::kTest, "Test", 28, 48, 160, 22},
    {C::CheckBox, ProgModeIds::kTrace, "İzleme kaydı", 28, 88, 170, 22},
    {C::DefPushButton, 1, "Tamam", 16, 124, 88, 28},
    {C::PushButton, 2, "Vazgeç", 116, 124, 88, 28},
};

constexpr DialogControl kDlg53[] = {
    {C::Static, -1, "Çıkış No     :", 16, 18, 100, 22},
    {C::Edit, SerialPortIds::kPort, "", 124, 16, 64, 24},
    {C::Static, -1, "Hız             :", 16, 52, 100, 22},
    {C::Edit, SerialPortIds::kSpeed, "", 124, 50, 84, 24},
    {C::Static, SerialPortIds::kDevice, "", 16, 84, 252, 22},
    {C::DefPushButton, 1, "Tamam", 42, 118, 88, 28},
    {C::PushButton, 2, "Vazgeç", 154, 118, 88, 28},
};

constexpr DialogControl kDlg54[] = {
    {C::GroupBox, -1, "", 12, 8, 196, 72},
    {C::RadioButton, OmbraLanguageIds::kTurkish, "Türkçe", 28, 22, 160, 22, kCtlGroupStart},
    {C::RadioButton, OmbraLanguageIds::kEnglish, "İngilizce", 28, 48, 160, 22},
    {C::DefPushButton, 1, "Tamam", 16, 94, 88, 28},
    {C::PushButton, 2, "Vazgeç", 116, 94, 88, 28},
};

// Splash: texts depend on the country code and are filled in by the program.
constexpr DialogControl kDlg57[] = {
    {C::Icon, OmbraSplashIds::kIcon, "", 20, 24, 48, 48},
    {C::Static, OmbraSplashIds::kProduct, "", 84, 22, 300, 26},
    {C::Static, OmbraSplashIds::kVersion, "", 84, 52, 300, 22},
    {C::Static, OmbraSplashIds::kDescription, "", 84, 92, 300, 44},
};

// Trace window of the link engine.
constexpr DialogControl kDlg58[] = {
    {C::TextView, TraceIds::kView, "", 8, 8, 584, 320},
    {C::PushButton, TraceIds::kSave, "Sakla", 8, 338, 88, 28},
    {C::PushButton, TraceIds::kClear, "Temizle", 104, 338, 88, 28},
    {C::PushButton, 2, "Kapat", 504, 338, 88, 28},
};

constexpr DialogControl kDlg22000[] = {
    {C::Icon, OmbraAboutIds::kIcon, "", 18, 20, 48, 48},
    {C::Static, OmbraAboutIds::kProduct, "", 80, 18, 300, 24},
    {C::Static, OmbraAboutIds::kVersion, "", 80, 46, 300, 22},
    {C::Static, OmbraAboutIds::kDescription, "NORDA serisi telsizlerin parametre belleğini\nokur, düzenler ve yazar.",
     80, 78, 300, 44},
    {C::Static, OmbraAboutIds::kSettings, "", 18, 128, 364, 36},
    {C::DefPushButton, 1, "Tamam", 156, 172, 88, 28},
};

constexpr DialogTemplate kDialogs[] = {
    {ProgModeIds::kDialog, "Yazılım Modu", 220, 164, kDlg1},
    {MessageBoxIds::kDialog, "", 0, 0, kDlg50},
    {SerialPortIds::kDialog, "Seri Çıkış", 284, 158, kDlg53},
    {OmbraLanguageIds::kDialog, "Yazılım Dili", 220, 134, kDlg54},
    {OmbraSplashIds::kDialog, "", 400, 150, kDlg57},
    {TraceIds::kDialog, "İzleme Kaydı", 600, 374, kDlg58},
    {MasterIds::kDialog, "Sabit Parametreler", parampages::kPageWidth, parampages::kMasterHeight, parampages::kDlg61Tr},
    {ServiceIds::kDialog, "Özel Parametreler", parampages::kPageWidth, parampages::kServiceHeight, parampages::kDlg62Tr},
    {CloneIds::kDialog, "Aktarılabilir Parametreler", parampages::kPageWidth, parampages::kCloneHeight, parampages::kDlg63Tr},
    {ChannelIds::kDialog, "Kanal Parametreleri", datapages::kChannelPageWidth, datapages::kChannelPageHeight, datapages::kDlg64Tr},
    {KsysIds::kDialog, "Kablosuz Ses Yayın Sistemi Parametreleri", datapages::kKsysPageWidth, datapages::kKsysPageHeight, datapages::kDlg65Tr},
    {AutoProgIds::kDialog, "Sıralı Programlama", parampages::kAutoProgWidth, parampages::kAutoProgHeight, parampages::kDlg66Tr},
    {FileDefaultsIds::kDialog, "Yeni Dosya İlk Değerleri", parampages::kFileDefaultsWidth, parampages::kFileDefaultsHeight, parampages::kDlg70Tr},
    {ADataIds::kDialog, "Analog Veri Parametreleri", datapages::kADataPageWidth, datapages::kADataPageHeight, datapages::kDlg72Tr},
    {OmbraAboutIds::kDialog, "Yazılım Hakkında...", 400, 212, kDlg22000},
    // Backups and comparison
    {BackupsIds::kDialog, "Yedekler", backupdialogs::kBackupsWidth, backupdialogs::kBackupsHeight, backupdialogs::kDlg3310Tr},
    {CompareIds::kDialog, "Karşılaştır", backupdialogs::kCompareWidth, backupdialogs::kCompareHeight, backupdialogs::kDlg3320Tr},
};
// clang-format on

}  // namespace

std::span<const DialogTemplate> OmbraTurkishDialogs() {
    return kDialogs;
}

}  // namespace norda
