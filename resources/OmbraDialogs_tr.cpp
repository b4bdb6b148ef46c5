#include "resources/OmbraResources.h"

#include "resources/OmbraBackupDialogs_tr.h"
#include "resources/OmbraDataPages_tr.h"
#include "resources/OmbraParamPages_tr.h"

namespace norda {
namespace {

using C = ControlKind;

// clang-format off

// The message dialog: its size and the positions are computed from the text when it is shown.
constexpr DialogControl kDlg50[] = {
    {C::Icon, 20, "", 11, 16, 32, 32},
    {C::Static, 55, "", 60, 16, 130, 16},
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
    {C::RadioButton, 101, "Normal", 28, 22, 160, 22, kCtlGroupStart},
    {C::RadioButton, 102, "Test", 28, 48, 160, 22},
    {C::CheckBox, 103, "İzleme kaydı", 28, 88, 170, 22},
    {C::DefPushButton, 1, "Tamam", 16, 124, 88, 28},
    {C::PushButton, 2, "Vazgeç", 116, 124, 88, 28},
};

constexpr DialogControl kDlg53[] = {
    {C::Static, -1, "Çıkış No     :", 16, 18, 100, 22},
    {C::Edit, 101, "", 124, 16, 64, 24},
    {C::Static, -1, "Hız             :", 16, 52, 100, 22},
    {C::Edit, 102, "", 124, 50, 84, 24},
    {C::Static, 103, "", 16, 84, 252, 22},
    {C::DefPushButton, 1, "Tamam", 42, 118, 88, 28},
    {C::PushButton, 2, "Vazgeç", 154, 118, 88, 28},
};

constexpr DialogControl kDlg54[] = {
    {C::GroupBox, -1, "", 12, 8, 196, 72},
    {C::RadioButton, 101, "Türkçe", 28, 22, 160, 22, kCtlGroupStart},
    {C::RadioButton, 102, "İngilizce", 28, 48, 160, 22},
    {C::DefPushButton, 1, "Tamam", 16, 94, 88, 28},
    {C::PushButton, 2, "Vazgeç", 116, 94, 88, 28},
};

// Splash: texts depend on the country code and are filled in by the program.
constexpr DialogControl kDlg57[] = {
    {C::Icon, 1001, "", 20, 24, 48, 48},
    {C::Static, 22004, "", 84, 22, 300, 26},
    {C::Static, 22001, "", 84, 52, 300, 22},
    {C::Static, 22002, "", 84, 92, 300, 44},
};

// Trace window of the link engine.
constexpr DialogControl kDlg58[] = {
    {C::TextView, 101, "", 8, 8, 584, 320},
    {C::PushButton, 102, "Sakla", 8, 338, 88, 28},
    {C::PushButton, 103, "Temizle", 104, 338, 88, 28},
    {C::PushButton, 2, "Kapat", 504, 338, 88, 28},
};

constexpr DialogControl kDlg22000[] = {
    {C::Icon, 1001, "", 18, 20, 48, 48},
    {C::Static, 22004, "", 80, 18, 300, 24},
    {C::Static, 22001, "", 80, 46, 300, 22},
    {C::Static, 22002, "NORDA serisi telsizlerin parametre belleğini\nokur, düzenler ve yazar.",
     80, 78, 300, 44},
    {C::Static, 3231, "", 18, 128, 364, 36},
    {C::DefPushButton, 1, "Tamam", 156, 172, 88, 28},
};

constexpr DialogTemplate kDialogs[] = {
    {1, "Yazılım Modu", 220, 164, kDlg1},
    {50, "", 0, 0, kDlg50},
    {53, "Seri Çıkış", 284, 158, kDlg53},
    {54, "Yazılım Dili", 220, 134, kDlg54},
    {57, "", 400, 150, kDlg57},
    {58, "İzleme Kaydı", 600, 374, kDlg58},
    {61, "Sabit Parametreler", parampages::kPageWidth, parampages::kMasterHeight, parampages::kDlg61Tr},
    {62, "Özel Parametreler", parampages::kPageWidth, parampages::kServiceHeight, parampages::kDlg62Tr},
    {63, "Aktarılabilir Parametreler", parampages::kPageWidth, parampages::kCloneHeight, parampages::kDlg63Tr},
    {64, "Kanal Parametreleri", datapages::kChannelPageWidth, datapages::kChannelPageHeight, datapages::kDlg64Tr},
    {65, "Kablosuz Ses Yayın Sistemi Parametreleri", datapages::kKsysPageWidth, datapages::kKsysPageHeight, datapages::kDlg65Tr},
    {66, "Sıralı Programlama", parampages::kAutoProgWidth, parampages::kAutoProgHeight, parampages::kDlg66Tr},
    {70, "Yeni Dosya İlk Değerleri", parampages::kFileDefaultsWidth, parampages::kFileDefaultsHeight, parampages::kDlg70Tr},
    {72, "Analog Veri Parametreleri", datapages::kADataPageWidth, datapages::kADataPageHeight, datapages::kDlg72Tr},
    {22000, "Yazılım Hakkında...", 400, 212, kDlg22000},
    // Backups and comparison
    {backupdialogs::kBackupsDialogId, "Yedekler", backupdialogs::kBackupsWidth, backupdialogs::kBackupsHeight, backupdialogs::kDlg3310Tr},
    {backupdialogs::kCompareDialogId, "Karşılaştır", backupdialogs::kCompareWidth, backupdialogs::kCompareHeight, backupdialogs::kDlg3320Tr},
};
// clang-format on

}  // namespace

std::span<const DialogTemplate> OmbraTurkishDialogs() {
    return kDialogs;
}

}  // namespace norda
