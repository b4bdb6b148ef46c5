#include "resources/SolviControlIds.h"
#include "resources/SolviResources.h"

namespace norda {
namespace {

using C = ControlKind;

// clang-format off

// Port panel; the gauge (103) draws its value through its text as a printf format.
constexpr DialogControl kDlg1[] = {
    {C::Static, PortPanelIds::kStatus, "", 4, 3, 309, 18},
    {C::PushButton, PortPanelIds::kProgram, "Programla", 4, 23, 92, 22},
    {C::Static, PortPanelIds::kGauge, "%%%d", 102, 24, 210, 20},
};

// Version panel under the only port panel.
constexpr DialogControl kDlg2[] = {
    {C::Static, VersionPanelIds::kFileLabel, "", 6, 6, 160, 18},
    {C::Static, VersionPanelIds::kFileVersion, "", 168, 6, 145, 18},
    {C::TextView, VersionPanelIds::kFileText, "", 6, 26, 305, 50},
    {C::Static, VersionPanelIds::kRadioLabel, "", 6, 82, 160, 18},
    {C::Static, VersionPanelIds::kRadioVersion, "", 168, 82, 145, 18},
    {C::TextView, VersionPanelIds::kRadioText, "", 6, 102, 305, 50},
};

constexpr DialogControl kDlg3[] = {
    {C::Static, -1, "Hız :", 16, 20, 56, 22},
    {C::Edit, BaudrateIds::kSpeed, "", 76, 18, 128, 24},
    {C::DefPushButton, 1, "Tamam", 16, 60, 88, 28},
    {C::PushButton, 2, "Vazgeç", 116, 60, 88, 28},
};

constexpr DialogControl kDlg104[] = {
    {C::GroupBox, -1, "", 12, 8, 216, 72},
    {C::RadioButton, SolviLanguageIds::kTurkish, "Türkçe", 28, 22, 180, 22, kCtlGroupStart},
    {C::RadioButton, SolviLanguageIds::kEnglish, "English", 28, 48, 180, 22},
    {C::DefPushButton, 1, "Tamam/OK", 12, 94, 104, 28},
    {C::PushButton, 2, "Vazgeç/Cancel", 124, 94, 104, 28},
};

constexpr DialogControl kDlg106[] = {
    {C::Icon, SolviSplashIds::kIcon, "", 20, 24, 48, 48},
    {C::Static, SolviSplashIds::kProduct, "NORDA Serisi Telsiz Yazılım Yükleyici", 84, 22, 300, 26},
    {C::Static, SolviSplashIds::kVersion, "SOLVI Sürüm 1.0", 84, 52, 300, 22},
    {C::Static, SolviSplashIds::kDescription, "Yükleniyor...", 84, 92, 300, 44},
};

constexpr DialogControl kDlg22000[] = {
    {C::Icon, SolviAboutIds::kIcon, "", 18, 20, 48, 48},
    {C::Static, SolviAboutIds::kProduct, "NORDA Serisi Telsiz Yazılım Yükleyici", 80, 18, 300, 24},
    {C::Static, SolviAboutIds::kVersion, "SOLVI Sürüm 1.0", 80, 46, 300, 22},
    {C::Static, SolviAboutIds::kDescription, "NORDA serisi telsizlerin flash belleğine\n"
                       "aynı anda 16 telsize kadar yazılım yükler.", 80, 78, 300, 44},
    {C::DefPushButton, 1, "Tamam", 156, 136, 88, 28},
};

constexpr DialogTemplate kDialogs[] = {
    {PortPanelIds::kDialog, "", 317, 48, kDlg1},
    {VersionPanelIds::kDialog, "", 317, 160, kDlg2},
    {BaudrateIds::kDialog, "Seri Çıkış Hızı", 220, 102, kDlg3},
    {SolviLanguageIds::kDialog, "Yazılım Dili / Language", 240, 134, kDlg104},
    {SolviSplashIds::kDialog, "", 400, 150, kDlg106},
    {SolviAboutIds::kDialog, "Yazılım Hakkında...", 400, 176, kDlg22000},
};
// clang-format on

}  // namespace

std::span<const DialogTemplate> SolviTurkishDialogs() {
    return kDialogs;
}

}  // namespace norda
