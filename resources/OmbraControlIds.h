#pragma once

// OMBRA's dialogs and the numbers of their controls: the layouts of every language, the
// windows made from them and their tests all take the numbers from here. Buttons 1 and 2
// are OK and Cancel in every dialog; a control numbered -1 is never looked up.

namespace norda {

// Every parameter page's heading, shown in bold at its top.
inline constexpr int kPageHeadingId = 100;

// "Yazılım Modu": normal or test mode, and the engine's trace.
struct ProgModeIds {
    static constexpr int kDialog = 1;
    enum Control : int { kNormal = 101, kTest = 102, kTrace = 103 };
};

// The message dialog; its buttons are numbered by what they answer (1 OK ... 7 No).
struct MessageBoxIds {
    static constexpr int kDialog = 50;
    enum Control : int { kIcon = 20, kText = 55 };
};

// "Seri Çıkış": the port number, its speed and the device the number opens.
struct SerialPortIds {
    static constexpr int kDialog = 53;
    enum Control : int { kPort = 101, kSpeed = 102, kDevice = 103 };
};

// "Yazılım Dili".
struct OmbraLanguageIds {
    static constexpr int kDialog = 54;
    enum Control : int { kTurkish = 101, kEnglish = 102 };
};

// The splash window, and the same lines in the about box.
struct OmbraSplashIds {
    static constexpr int kDialog = 57;
    enum Control : int {
        kIcon = 1001,
        kVersion = 22001,
        kDescription = 22002,
        kProduct = 22004,
    };
};

// "Yazılım Hakkında...": the splash window's lines and where the settings are kept.
struct OmbraAboutIds {
    static constexpr int kDialog = 22000;
    enum Control : int {
        kIcon = OmbraSplashIds::kIcon,
        kVersion = OmbraSplashIds::kVersion,
        kDescription = OmbraSplashIds::kDescription,
        kProduct = OmbraSplashIds::kProduct,
        kSettings = 3231,
    };
};

// "İzleme Kaydı": the engine's trace lines.
struct TraceIds {
    static constexpr int kDialog = 58;
    enum Control : int { kView = 101, kSave = 102, kClear = 103 };
};

// Page 1 "Sabit Parametreler".
struct MasterIds {
    static constexpr int kDialog = 61;
    enum Control : int {
        kFixedBase = 101,
        kCompander = 102,
        kTdm = 103,
        kSerialNo = 104,
        kDate = 105,
        kVersion = 106,
        kProductionNo = 107,
        kRadioType = 108,
        kHardware = 109,
        kBand = 110,
    };
};

// Page 2 "Özel Parametreler".
struct ServiceIds {
    static constexpr int kDialog = 62;
    enum Control : int {
        kCloner = 120,
        kMicType = 121,
        kVox = 122,
        kOptionAtStart = 123,
        kMonitor = 124,
        kKeyPad = 125,
        kScEnc = 126,
        kLowPower = 127,
        kHighPower = 128,
        kMarine = 129,
        kVersion = 130,
        kCloneKey = 131,
        kAck = 132,
        kSelectiveCall = 133,
        kAni = 134,
    };
};

// Page 3 "Aktarılabilir Parametreler". Groups of radio buttons are numbered in the order
// of the values they stand for.
struct CloneIds {
    static constexpr int kDialog = 63;
    enum Control : int {
        kEnglish = 101,
        kTurkish = 102,
        kBusyActive = 103,
        kBusyTcs = 104,
        kBusyNone = 105,
        kVoice = 106,
        kData = 107,
        kPowerSave = 108,
        kSubMenu = 109,
        kEmergency = 110,
        kEmergencyChannel = 111,
        kPriority1 = 112,
        kPriority2 = 113,
        kTot = 114,
        kExtendedTone = 115,
        kRekey = 116,
        kScanDelay = 117,
        kTxDelay = 118,
        kToneDsc = 119,  // 119-122: DSC, CCIR, ZVEI, EEA
        kToneCcir = 120,
        kToneZvei = 121,
        kToneEea = 122,
        kDigits2 = 123,  // 123-127: 2-6 digits
        kDigits3 = 124,
        kDigits4 = 125,
        kDigits5 = 126,
        kDigits6 = 127,
        kAniNone = 128,  // 128-133: the six ANI types
        kInvDisplay = 134,
        kLightsOff = 135,
        kWarningOff = 136,
        kGroupTone0 = 137,
        kGroupToneA = 138,
        kPriorityCall = 139,
        kPriorityAni = 140,
    };
};

// Pages 4-13: ten rows of channels; row r (1-10) of a column is control column + r.
struct ChannelIds {
    static constexpr int kDialog = 64;
    enum Column : int {
        kNumber = 100,
        kName = 110,
        kTxFreq = 120,
        kRxFreq = 130,
        kTxTone = 140,
        kRxTone = 150,
        kTot = 160,
        kHprf = 170,
        kAni = 180,
        kScan = 190,
    };
};

// Page 14, the KSYS area.
struct KsysIds {
    static constexpr int kDialog = 65;
    enum Control : int {
        kSysId = 101,
        kSmtIdent = 102,
        kRxFreq = 103,
        kTxFreq = 104,
        kRxTone = 105,
        kTxTone = 106,
        kHighPower = 107,
        kFirstGroup = 108,  // groups 1-10: 108-117
    };
};

// "Sıralı Programlama": the switches and numbers of pages 1 and 2 under the same numbers.
struct AutoProgIds {
    static constexpr int kDialog = 66;
    enum Control : int {
        kFixedBase = MasterIds::kFixedBase,
        kCompander = MasterIds::kCompander,
        kTdm = MasterIds::kTdm,
        kSerialNo = MasterIds::kSerialNo,
        kCloner = ServiceIds::kCloner,
        kMicType = ServiceIds::kMicType,
        kVox = ServiceIds::kVox,
        kOptionAtStart = ServiceIds::kOptionAtStart,
        kMonitor = ServiceIds::kMonitor,
        kKeyPad = ServiceIds::kKeyPad,
        kScEnc = ServiceIds::kScEnc,
        kLowPower = ServiceIds::kLowPower,
        kHighPower = ServiceIds::kHighPower,
        kMarine = ServiceIds::kMarine,
        kCloneKey = ServiceIds::kCloneKey,
        kAck = ServiceIds::kAck,
        kSelectiveCall = ServiceIds::kSelectiveCall,
        kAni = ServiceIds::kAni,
        kProgram = 150,
    };
};

// "Yeni Dosya İlk Değerleri": the band and the number of selective-call tones.
struct FileDefaultsIds {
    static constexpr int kDialog = 70;
    enum Control : int {
        kVhf146 = 101,
        kUhf406 = 102,
        kUhf430 = 103,
        kUhf450 = 104,
        kUserDefined = 105,
        kBandEdit = 106,
        kToneCount = 107,
    };
};

// Page 15, the analog data area.
struct ADataIds {
    static constexpr int kDialog = 72;
    enum Control : int {
        kSysId = 101,
        kFleetId = 102,
        kRadioId = 103,
        kRxId = 104,
        kPreamble = 105,
        kFirstGroup = 106,   // groups 1-5: 106-110
        kFirstStatus = 111,  // status messages 1-24: 111-134
    };
};

// "Yedekler": the list of backups.
struct BackupsIds {
    static constexpr int kDialog = 3310;
    enum Control : int { kList = 101 };
};

// "Karşılaştır": what to compare with (a backup from the list, or a file by the button,
// named in the source line) above the differences and their count.
struct CompareIds {
    static constexpr int kDialog = 3320;
    enum Control : int {
        kBackupList = 101,
        kFileButton = 102,
        kSource = 103,
        kDifferences = 104,
        kCount = 105,
    };
};

}  // namespace norda
