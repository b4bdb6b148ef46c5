// English language library of OMBRA (OMBRA0009.DLL): the same numbers as the
// built-in Turkish texts, menus and dialogs.

#include "resources/OmbraControlIds.h"
#include "resources/ResourceData.h"
#include "resources/en/OmbraBackupDialogs_en.h"
#include "resources/en/OmbraDataPages_en.h"
#include "resources/en/OmbraParamPages_en.h"

namespace norda {
namespace {

using K = MenuEntryKind;
using C = ControlKind;

// clang-format off
constexpr StringEntry kStrings[] = {
    // Captions
    {601, "INFORMATION"},
    {602, "ERROR"},
    {603, "WARNING!"},
    {605, "USAGE ERROR"},
    {621, "SERIAL PORT"},
    {622, "COMMUNICATION ERROR"},

    // Codeplug model: validators, file, new-file defaults
    {641, "The value must be between %ld and %ld or %s."},
    {642, "The value must be between %ld and %ld, or between %ld and %ld."},
    {643, "The value must be between %g and %g.\nStep = %s or %s"},
    {644, "The value must be between %ld and %ld."},
    {645, "The value must be between %g and %g. Step = %s"},
    {646, "%sThe value must be %d."},
    {647, "The value must be one of the following :\n %s\n %s\n %s"},
    {648, "Do not leave this field empty!"},
    {649, "The value contains an invalid character !"},
    {660, "File saved."},
    {661, "The frequency band in the chosen file is wrong or missing !"},
    {662, "The file %s could not be saved!"},
    {755, "No transmit frequency entered !"},
    {756, "No receive frequency entered !"},

    // Radio link and transfer machine
    {634, "Read error!"},
    {800, "You will lose the current data.\nDo you want to leave the screen?"},
    {802, "Radio data"},
    {804, "Reading preliminary data from the radio ..."},
    {805, "Reading the radio ..."},
    {806, "Reading the radio was interrupted.\nPlease try again."},
    {807, "The radio did not answer the read request in time.\nPlease check the cables."},
    {808, "No answer from the radio.\nPlease check the cables."},
    {809, "Writing to the radio ..."},
    {810, "Writing to the radio was interrupted.\nPlease try again."},
    {811, "The radio is programmed."},
    {812, "No connection between the radio and the computer !"},
    {816, "The radio's frequency band differs from that of the parameters to be written !"},
    {818, "Read the radio first to be able to write all data into it."},
    {819, "Read the radio or open a file first to be able to copy into a radio."},
    {820, "Read the radio or open a file first to be able to program in sequence."},
    {821, "The radio is programmed.\nTo go on, please change the radio."},
    {861, "The FIXED area of the radio is not programmed!"},
    {862, "The SERVICE area of the radio is not programmed!"},
    {863, "The TRANSFER area of the radio is not programmed!"},
    {864, "The USER area of the radio is not programmed!"},
    {865, "The TEST-ADJUST area of the radio is not programmed\nUse the MERIX software."},
    {870, "The WABS area of the radio is not programmed!"},

    // Frame, menus, settings dialogs
    {101, "Switches the program into and out of test mode"},
    {500, "Parameter Pages"},
    {501, "Shows the previous parameter page"},
    {502, "Shows the next parameter page"},
    {503, "Shows the fixed parameters page"},
    {504, "Shows the special parameters page"},
    {505, "Shows the transferable parameters page"},
    {507, "Shows the parameters of channels 1-10"},
    {508, "Shows the parameters of channels 11-20"},
    {509, "Shows the parameters of channels 21-30"},
    {510, "Shows the parameters of channels 31-40"},
    {511, "Shows the parameters of channels 41-50"},
    {512, "Shows the parameters of channels 51-60"},
    {513, "Shows the parameters of channels 61-70"},
    {514, "Shows the parameters of channels 71-80"},
    {515, "Shows the parameters of channels 81-90"},
    {516, "Shows the parameters of channels 91-99"},
    {517, "Shows the wireless audio broadcast system parameters page"},
    {529, "Shows the analog data parameters page"},
    {535, "Radio Read and Write Operations"},
    {536, "Reads the parameters in the radio"},
    {538, "Writes all parameters into the radio"},
    {539, "Writes the transferable and channel parameters on screen into the radio"},
    {540, "Programs several radios, counting up the serial number and similar parameters"},
    {550, "Options"},
    {551, "Changes the program language"},
    {552, "Options"},
    {553, "Changes the serial port"},
    {554, "Shows the communication status"},
    {604, "The program will end.\nDo you really want to quit?"},
    {606, "The language file %s could not be loaded!"},
    {618, "New file"},
    {625, "Wrong serial port number. Please choose another port."},
    {825, "YES"},
    {826, "NO"},
    {827, "READY"},
    {828, "AWAITING MESSAGE"},
    {829, "NO SERVICE"},
    {830, "OUTGOING CALL"},
    {831, "QUEUED CALL"},
    {832, "INCOMING CALL"},
    {833, "CONVERSATION"},
    {834, "ROUTING"},
    {835, "ERROR! Please report to ZEMTAR."},
    {836, "Serial Port : %d \nState : %s \nLink : %s"},
    {900, "Device : %s"},
    {901, "No access to %s: add the user to the group \"%s\" (sudo usermod -aG %s $USER) and log in again."},
    {902, "No access to %s."},
    {903, "Could not write %s!"},
    {904, "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|"},
    {2008, "File Operations"},
    {2009, "About OMBRA... "},
    {24310, "Quits the program"},
    {24331, "Opens a new omb file"},
    {24332, "Opens an existing omb file"},
    {24333, "Updates the omb file with the data shown"},
    {24334, "Writes the data shown into an omb file"},

    // Parameter pages
    {654, "Receive and/or transmit frequency of channel %d not entered!.\nEnter it on the channel pages."},
    {840, "Selective call needs the authority to use the keypad !"},
    {841, "A selective call no must be entered before an ack no !"},
    {842, "TOT value not entered !"},
    {848, "HANDHELD"},
    {849, "REPEATER"},
    {850, "FIXED BASE"},
    {851, "VEHICLE"},
    {852, "DIGITAL CRYPTO"},
    {853, "DIGITAL CRYPTO II"},
    {854, "TDM"},
    {855, "WABS"},
    {856, "STANDARD"},
    {920, "OMBRA Files (*.omb)|*.omb|All Files (*.*)|*.*|"},
    {921, "Open File"},
    {922, "Save File"},
    {923, "At most 6 digits can be entered."},
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
    {3230, "Settings : %s"},

    // Backups, comparison and verification
    {3301, "Lists the backups of the radios read and opens the chosen one"},
    {3302, "Compares the data shown with a file or a backup"},
    {3311, "Date"},
    {3312, "Serial No"},
    {3313, "Radio Type"},
    {3314, "Frequency Band"},
    {3321, "Parameter"},
    {3322, "On screen"},
    {3323, "Compared"},
    {3324, "No differences."},
    {3325, "%d differences"},
    {3326, "File to Compare"},
    {3327, "OMBRA Files (*.omb)|*.omb|Radio Images (*.bin)|*.bin|All Files (*.*)|*.*|"},
    {3328, "%s could not be read!"},
    {3330, "Backup stored: %s"},
    {3331, "The radio is as in its last backup: %s"},
    {3332, "Backup could not be stored: %s"},
    {3340, "The radio holds the parameters of the file."},
    {3341, "The radio's parameters differ from the file's!"},
    {3400, "Production log not written: %s"},
    {3800, "Test mode: Read, Write and Copy are off; only Sequential Programming fills the trace."},
};

constexpr MenuEntry kMenu100[] = {
    {K::Popup, 2008, "&File"},
        {K::Item, 2009, "Abou&t..."},
        {K::Separator, 0, ""},
        {K::Item, 24331, "&New"},
        {K::Item, 24332, "&Open"},
        {K::Item, 24333, "&Save"},
        {K::Item, 24334, "Save &As"},
        {K::Separator, 0, ""},
        {K::Item, 3301, "&Backups..."},
        {K::Item, 3302, "&Compare..."},
        {K::Separator, 0, ""},
        {K::Item, 24310, "E&xit\tAlt+F4"},
    {K::End, 0, ""},
    {K::Popup, 535, "&Radio"},
        {K::Item, 536, "&Read"},
        {K::Item, 538, "&Write"},
        {K::Item, 539, "&Copy"},
        {K::Separator, 0, ""},
        {K::Item, 540, "Se&quential Programming"},
    {K::End, 0, ""},
    {K::Popup, 500, "&Parameters"},
        {K::Item, 501, "&Previous Page"},
        {K::Item, 502, "&Next Page"},
        {K::Separator, 0, ""},
        {K::Item, 503, "&Fixed Parameters"},
        {K::Item, 504, "&Special Parameters"},
        {K::Item, 505, "&Transferable Parameters"},
        {K::Popup, 0, "&Channel Parameters"},
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
        {K::Item, 517, "&WABS Parameters"},
        {K::Item, 529, "Analog &Data Parameters"},
    {K::End, 0, ""},
    {K::Popup, 550, "&Options"},
        {K::Item, 553, "&Serial Port"},
        {K::Item, 3200, "Port &Assignment..."},
        {K::Item, 554, "&Communication Status"},
        {K::Item, 551, "&Language"},
        {K::Item, 101, "Program &Mode"},
    {K::End, 0, ""},
};

constexpr MenuTemplate kMenus[] = {
    {100, kMenu100},
};

constexpr DialogControl kDlg50[] = {
    {C::Icon, MessageBoxIds::kIcon, "", 11, 16, 32, 32},
    {C::Static, MessageBoxIds::kText, "", 60, 16, 130, 16},
    {C::DefPushButton, 1, "OK", 0, 0, 65, 24},
    {C::PushButton, 6, "YES", 0, 0, 65, 24},
    {C::PushButton, 7, "NO", 0, 0, 65, 24},
    {C::PushButton, 3, "ABORT", 0, 0, 65, 24},
    {C::PushButton, 4, "RETRY", 0, 0, 65, 24},
    {C::PushButton, 5, "IGNORE", 0, 0, 65, 24},
    {C::PushButton, 2, "CANCEL", 0, 0, 65, 24},
};

constexpr DialogControl kDlg1[] = {
    {C::GroupBox, -1, "", 12, 8, 196, 72},
    {C::RadioButton, ProgModeIds::kNormal, "Normal", 28, 22, 160, 22, kCtlGroupStart},
    {C::RadioButton, ProgModeIds::kTest, "Test", 28, 48, 160, 22},
    {C::CheckBox, ProgModeIds::kTrace, "Trace", 28, 88, 170, 22},
    {C::DefPushButton, 1, "OK", 16, 124, 88, 28},
    {C::PushButton, 2, "Cancel", 116, 124, 88, 28},
};

constexpr DialogControl kDlg53[] = {
    {C::Static, -1, "Port No    :", 16, 18, 100, 22},
    {C::Edit, SerialPortIds::kPort, "", 124, 16, 64, 24},
    {C::Static, -1, "Speed      :", 16, 52, 100, 22},
    {C::Edit, SerialPortIds::kSpeed, "", 124, 50, 84, 24},
    {C::Static, SerialPortIds::kDevice, "", 16, 84, 252, 22},
    {C::DefPushButton, 1, "OK", 42, 118, 88, 28},
    {C::PushButton, 2, "Cancel", 154, 118, 88, 28},
};

constexpr DialogControl kDlg54[] = {
    {C::GroupBox, -1, "", 12, 8, 196, 72},
    {C::RadioButton, OmbraLanguageIds::kTurkish, "Turkish", 28, 22, 160, 22, kCtlGroupStart},
    {C::RadioButton, OmbraLanguageIds::kEnglish, "English", 28, 48, 160, 22},
    {C::DefPushButton, 1, "OK", 16, 94, 88, 28},
    {C::PushButton, 2, "Cancel", 116, 94, 88, 28},
};

constexpr DialogControl kDlg57[] = {
    {C::Icon, OmbraSplashIds::kIcon, "", 20, 24, 48, 48},
    {C::Static, OmbraSplashIds::kProduct, "", 84, 22, 300, 26},
    {C::Static, OmbraSplashIds::kVersion, "", 84, 52, 300, 22},
    {C::Static, OmbraSplashIds::kDescription, "", 84, 92, 300, 44},
};

constexpr DialogControl kDlg58[] = {
    {C::TextView, TraceIds::kView, "", 8, 8, 584, 320},
    {C::PushButton, TraceIds::kSave, "Save", 8, 338, 88, 28},
    {C::PushButton, TraceIds::kClear, "Clear", 104, 338, 88, 28},
    {C::PushButton, 2, "Close", 504, 338, 88, 28},
};

constexpr DialogControl kDlg22000[] = {
    {C::Icon, OmbraAboutIds::kIcon, "", 18, 20, 48, 48},
    {C::Static, OmbraAboutIds::kProduct, "", 80, 18, 300, 24},
    {C::Static, OmbraAboutIds::kVersion, "", 80, 46, 300, 22},
    {C::Static, OmbraAboutIds::kDescription, "Reads, edits and writes the parameter memory\nof NORDA series radios.",
     80, 78, 300, 44},
    {C::Static, OmbraAboutIds::kSettings, "", 18, 128, 364, 36},
    {C::DefPushButton, 1, "OK", 156, 172, 88, 28},
};

constexpr DialogTemplate kDialogs[] = {
    {ProgModeIds::kDialog, "Program Mode", 220, 164, kDlg1},
    {MessageBoxIds::kDialog, "", 0, 0, kDlg50},
    {SerialPortIds::kDialog, "Serial Port", 284, 158, kDlg53},
    {OmbraLanguageIds::kDialog, "Program Language", 220, 134, kDlg54},
    {OmbraSplashIds::kDialog, "", 400, 150, kDlg57},
    {TraceIds::kDialog, "Trace", 600, 374, kDlg58},
    {MasterIds::kDialog, "Fixed Parameters", parampages::kPageWidth, parampages::kMasterHeight, parampages::kDlg61En},
    {ServiceIds::kDialog, "Special Parameters", parampages::kPageWidth, parampages::kServiceHeight, parampages::kDlg62En},
    {CloneIds::kDialog, "Transferable Parameters", parampages::kPageWidth, parampages::kCloneHeight, parampages::kDlg63En},
    {ChannelIds::kDialog, "Channel Parameters", datapages::kChannelPageWidth, datapages::kChannelPageHeight, datapages::kDlg64En},
    {KsysIds::kDialog, "Wireless Audio Broadcast System Parameters", datapages::kKsysPageWidth, datapages::kKsysPageHeight, datapages::kDlg65En},
    {AutoProgIds::kDialog, "Sequential Programming", parampages::kAutoProgWidth, parampages::kAutoProgHeight, parampages::kDlg66En},
    {FileDefaultsIds::kDialog, "New File Defaults", parampages::kFileDefaultsWidth, parampages::kFileDefaultsHeight, parampages::kDlg70En},
    {ADataIds::kDialog, "Analog Data Parameters", datapages::kADataPageWidth, datapages::kADataPageHeight, datapages::kDlg72En},
    {OmbraAboutIds::kDialog, "About...", 400, 212, kDlg22000},
    // Backups and comparison
    {BackupsIds::kDialog, "Backups", backupdialogs::kBackupsWidth, backupdialogs::kBackupsHeight, backupdialogs::kDlg3310En},
    {CompareIds::kDialog, "Compare", backupdialogs::kCompareWidth, backupdialogs::kCompareHeight, backupdialogs::kDlg3320En},
};
// clang-format on

constexpr ResourceModuleData kModule{kResourceAbiVersion, "OMBRA", kStrings, kMenus, kDialogs};

}  // namespace
}  // namespace norda

extern "C" __attribute__((visibility("default"))) const norda::ResourceModuleData*
NORDA_RESOURCE_ENTRY() {
    return &norda::kModule;
}
