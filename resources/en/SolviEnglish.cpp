// English language library of SOLVI (SOLVI009.DLL): the same numbers as the built-in
// Turkish texts, menu and dialogs.

#include "resources/ResourceData.h"
#include "resources/SolviControlIds.h"

namespace norda {
namespace {

using K = MenuEntryKind;
using C = ControlKind;

// clang-format off
constexpr StringEntry kStrings[] = {
    {602, "ERROR"},
    {606, "The language file %s could not be loaded!"},
    {616, "Open File"},
    {625, "Wrong serial port number. Please choose another port."},
    {634, "Read error!"},
    {807, "The radio did not answer the read request in time.\nPlease check the cables."},
    {808, "No answer from the radio.\nPlease check the cables."},
    {811, "Radio programmed."},
    {1002, "The hex software file is faulty!"},
    {1004, "No hex file open"},
    {1005, "Searching for a radio..."},
    {1006, "Erasing flash..."},
    {1007, "Transferring software..."},
    {1008, "Starting the radio"},
    {1009, "Radio up to date"},
    {1010, "Program"},
    {1011, "Programmer busy!"},
    {1012, "Radio software differs"},
    {1013, "File Version\t\t:"},
    {1014, "Radio Software Version\t:"},
    {3100, "Verifying..."},
    {3101, "Verification failed: address %s differs from the file."},
    {3650, "The radio answers, but its flash does not erase.\nSet the radio aside."},
    {3651, "The radio answers, but its flash does not hold the software.\nSet the radio aside."},
    {3102, "The speed must be between %s and %s."},
    {3110, "Reads every written block back and compares it with the file"},
    // Port assignment (both programs)
    {3200, "Assigns the serial port numbers to the computer's serial devices"},
    {3201, "Port Assignment"},
    {3202, "No."},
    {3203, "Device"},
    {3204, "Adapter Name"},
    {3205, "USB Socket"},
    {3206, "Access"},
    {3207, "yes"},
    {3208, "denied"},
    {3209, "unplugged"},
    {3210, "Port &No. :"},
    {3211, "&Assign"},
    {3212, "&Remove"},
    {3213, "Close"},
    {3214, "by adapter name"},
    {3215, "by USB socket"},
    {3216, "Could not write %s: %s"},
    {3217, "Link :"},
    {3220, "No access to %s: add the user to the group \"%s\" (sudo usermod -aG %s $USER) and log in again."},
    {3221, "No access to %s."},
    // Production count and log
    {3400, "Programmed: %s, failed: %s"},
    {3401, "Production log not written: %s"},
    // Texts from the radio and the software file
    {3600, "blank"},
    {3601, "Line %s: %s"},
    {3602, "The line is longer than an S-record can be."},
    {3603, "The file does not begin with an S0 header record."},
    {3604, "The line is not an S-record."},
    {3605, "The record holds a character that is not a hex digit (0-9, A-F)."},
    {3606, "The record's checksum does not match."},
    {3607, "S%s records are not supported."},
    {3608, "The record is shorter than its byte count requires."},
    {3609, "Address %s lies outside the flash."},
    {3610, "The count record says %s data records; %s precede it."},
    {3611, "The file ends without an end record (S8, S9) or a count record (S5, S6)."},
    {3900, "Production database not written: %s"},
    {24332, "Opens a hex file"},
};

constexpr MenuEntry kMenu100[] = {
    {K::Popup, 0, "&File"},
        {K::Item, 24332, "&Open"},
        {K::Item, 2009, "&About SOLVI..."},
        {K::Separator, 0, ""},
        {K::Item, 24310, "E&xit\tAlt+F4"},
    {K::End, 0, ""},
    {K::Popup, 0, "&Options"},
        {K::Item, 417, "Serial &Speed"},
        {K::Item, 3200, "Port Assi&gnment..."},
        {K::Item, 418, "&Automatic"},
        {K::Item, 3110, "&Verify"},
        {K::Item, 419, "Software &Transfer"},
        {K::Separator, 0, ""},
        {K::Item, 551, "&Dil / Language"},
    {K::End, 0, ""},
    {K::Popup, 0, "Serial &Ports"},
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

constexpr DialogControl kDlg1[] = {
    {C::Static, PortPanelIds::kStatus, "", 4, 3, 309, 18},
    {C::PushButton, PortPanelIds::kProgram, "Program", 4, 23, 92, 22},
    {C::Static, PortPanelIds::kGauge, "%%%d", 102, 24, 210, 20},
};

constexpr DialogControl kDlg2[] = {
    {C::Static, VersionPanelIds::kFileLabel, "", 6, 6, 160, 18},
    {C::Static, VersionPanelIds::kFileVersion, "", 168, 6, 145, 18},
    {C::TextView, VersionPanelIds::kFileText, "", 6, 26, 305, 50},
    {C::Static, VersionPanelIds::kRadioLabel, "", 6, 82, 160, 18},
    {C::Static, VersionPanelIds::kRadioVersion, "", 168, 82, 145, 18},
    {C::TextView, VersionPanelIds::kRadioText, "", 6, 102, 305, 50},
};

constexpr DialogControl kDlg3[] = {
    {C::Static, -1, "Speed :", 16, 20, 56, 22},
    {C::Edit, BaudrateIds::kSpeed, "", 76, 18, 128, 24},
    {C::DefPushButton, 1, "OK", 16, 60, 88, 28},
    {C::PushButton, 2, "Cancel", 116, 60, 88, 28},
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
    {C::Static, SolviSplashIds::kProduct, "NORDA Series Radio Software Loader", 84, 22, 300, 26},
    {C::Static, SolviSplashIds::kVersion, "SOLVI Version 1.0", 84, 52, 300, 22},
    {C::Static, SolviSplashIds::kDescription, "Loading...", 84, 92, 300, 44},
};

constexpr DialogControl kDlg22000[] = {
    {C::Icon, SolviAboutIds::kIcon, "", 18, 20, 48, 48},
    {C::Static, SolviAboutIds::kProduct, "NORDA Series Radio Software Loader", 80, 18, 300, 24},
    {C::Static, SolviAboutIds::kVersion, "SOLVI Version 1.0", 80, 46, 300, 22},
    {C::Static, SolviAboutIds::kDescription, "Loads software into the flash memory of\n"
                       "up to 16 NORDA series radios at once.", 80, 78, 300, 44},
    {C::DefPushButton, 1, "OK", 156, 136, 88, 28},
};

constexpr DialogTemplate kDialogs[] = {
    {PortPanelIds::kDialog, "", 317, 48, kDlg1},
    {VersionPanelIds::kDialog, "", 317, 160, kDlg2},
    {BaudrateIds::kDialog, "Serial Port Speed", 220, 102, kDlg3},
    {SolviLanguageIds::kDialog, "Yazılım Dili / Language", 240, 134, kDlg104},
    {SolviSplashIds::kDialog, "", 400, 150, kDlg106},
    {SolviAboutIds::kDialog, "About...", 400, 176, kDlg22000},
};
// clang-format on

constexpr ResourceModuleData kModule{kResourceAbiVersion, "SOLVI", kStrings, kMenus, kDialogs};

}  // namespace
}  // namespace norda

extern "C" __attribute__((visibility("default"))) const norda::ResourceModuleData*
NORDA_RESOURCE_ENTRY() {
    return &norda::kModule;
}
