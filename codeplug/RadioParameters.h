#pragma once

#include <cstdint>

namespace norda {

inline constexpr int kChannelCount = 99;
inline constexpr int kDigitPlaces = 6;
// A place of a six-place digit string that holds no digit.
inline constexpr int16_t kEmptyDigit = 15;

// Six-place digit strings: one 4-bit digit a place, 0-9 and 10-13 for "A"-"D".
using DigitString = int16_t[kDigitPlaces];

// The parameters of one radio as the programs edit them. Every parameter is an
// ordinary integer so that the pages and the .omb file can work on them without
// knowing where the radio keeps them; the layout engine moves them to and from the
// RadioImage. Members are grouped by memory area and named as the radio designers
// name them (file keys where a parameter has one). Variables hold the raw field
// value: a flag is 0 or 1, a level its step number, a frequency its code.
//
// Fields "written as 0" are cleared by the write sequence before encoding; fields
// "kept" are never shown or changed and go back to the radio as they were read.

struct MasterParameters {
    int16_t Flag7 = 0;        // 0.7, written as 0
    int16_t Flag6 = 0;        // 0.6, written as 0
    int16_t SabitMerkez = 0;  // 0.5, fixed base station
    int16_t Flag4 = 0;        // 0.4, written as 0
    int16_t Compander = 0;    // 0.3
    int16_t TDM = 0;          // 0.2
    int16_t Flag1 = 0;        // 0.1, written as 0
    int16_t SeriNo = 0;       // 1-2, 0-65535: read it as uint16_t
    // 4-3, little-endian: bits 15-11 day, 10-7 month, 6-0 year - 1994.
    int16_t ProgTarihi = 0;
    int16_t Checksum = 0;  // 5-6

    bool operator==(const MasterParameters&) const = default;
};

struct ServiceParameters {
    int16_t ProgVersionMinor = 0;  // 8
    int16_t ProgVersionMajor = 0;  // 9, set by the write sequence
    int16_t CloneKey = 0;          // 10
    // Digit 1 of each number is element 0. The radio keeps them last place first.
    DigitString ANINo = {};           // 11-13
    DigitString SecmeliCagriNo = {};  // 14-16
    DigitString ACKNo = {};           // 17-19
    int16_t MarineRadio = 0;          // 20.7
    int16_t MonitorDisabled = 0;      // 20.6
    int16_t OptionAtStart = 0;        // 20.5
    int16_t Cloner = 0;               // 20.4
    int16_t KeyPad = 0;               // 20.3
    int16_t SCEnc = 0;                // 20.2
    int16_t MicType = 0;              // 20.1, fixed base radio
    int16_t VOXExists = 0;            // 20.0
    int16_t HPIndex = 0;              // 21.7.4
    int16_t LPIndex = 0;              // 21.3.4
    int16_t Checksum = 0;             // 22-23

    bool operator==(const ServiceParameters&) const = default;
};

// One of the 99 channel records of the Clone area; channel n is Kanal[n - 1].
struct ChannelRecord {
    int16_t Hprf = 0;       // +0.7
    int16_t TotVar = 0;     // +0.6
    int16_t TxFreq = 0;     // +0.5.6;+1.7.8, frequency code, 16383 none
    int16_t RxFreq = 0;     // +2.5.6;+3.7.8
    int16_t ANIVar = 0;     // +4.7
    int16_t ShiftFlag = 0;  // +4.6, derived from the receive frequency
    int16_t RxTCS = 0;      // +4.5.6, CTCSS code
    int16_t TxTCSOn = 0;    // +5.7, 1 when a transmit tone is set
    int16_t TxTCS = 0;      // bit 7 of +6 ... +11, CTCSS code
    // Seven-bit characters: 1 in +5, 2-7 in +6 ... +11, 8 in +12.
    char KanalAdi[8] = {};

    bool operator==(const ChannelRecord&) const = default;
};

struct CloneParameters {
    int16_t Language = 0;         // 24.7: 0 English, 1 Turkish
    int16_t PowerSave = 0;        // 24.6
    int16_t DigerMenu = 0;        // 24.5
    int16_t BusyChan = 0;         // 24.4, busy-channel lock on
    int16_t Oncelik = 0;          // 24.3: 1 PTT, 0 call
    int16_t GrupTonu = 0;         // 24.2: 0 "0", 1 "A"
    int16_t TonStandardi = 0;     // 24.1.2: 0 DSC, 1 CCIR, 2 ZVEI, 3 EEA
    int16_t AcilCagri = 0;        // 25.7
    int16_t AcilCagriKanali = 0;  // 25.6.7
    int16_t ANITipi = 0;          // 26.7.4
    int16_t TxDelay = 0;          // 26.3.4, 100 ms steps
    int16_t ExtendedTon = 0;      // 27.7.4
    int16_t TonLength = 0;        // 27.3.4, selective-call digits
    int16_t UserSelectedDig = 0;  // 28.7.4
    int16_t ScanDelay = 0;        // 28.3.4, 0.5 s steps
    int16_t Tot = 0;              // 29.7.4, 15 s steps
    int16_t RekeyDelay = 0;       // 29.3.4, seconds
    // 30-37 and 38.2.3-45: installation constants from the INI file.
    int16_t TUNETIM = 0;
    int16_t AKDUR = 0;
    int16_t LPRF = 0;
    int16_t HPRF = 0;
    int16_t RSSITreshhold = 0;
    int16_t PLLSETT = 0;
    int16_t PLLUNL = 0;
    int16_t PRTIM0 = 0;
    int16_t ExtInputModem = 0;                // 38.4: 0 voice, 1 data
    int16_t BusyChanMode = 0;                 // 38.3: 1 "Kanal Aktif ile", 0 "TCS ile"
    int16_t SQTDEL = 0;                       // 38.2.3
    int16_t TCSSCN = 0;                       // 39
    int16_t PRITCS0 = 0;                      // 40
    int16_t ZCC = 0;                          // 41, for the selected tone standard
    int16_t GZCC = 0;                         // 42
    int16_t BZCC = 0;                         // 43
    int16_t StdDev = 0;                       // 44
    int16_t PSMTIM = 0;                       // 45
    ChannelRecord Kanal[kChannelCount] = {};  // 46-1332
    int16_t Checksum = 0;                     // 1333-1334, over 24-1332
    int16_t Scan[kChannelCount] = {};         // 1335-1347, channel n is Scan[n - 1]
    int16_t PriorChannel1 = 0;                // 1348
    int16_t PriorChannel2 = 0;                // 1349

    bool operator==(const CloneParameters&) const = default;
};

struct UserParameters {
    int32_t Value24 = 0;     // 1352-1354, written as 0
    int16_t lightsoff = 0;   // 1355.0
    int16_t warningoff = 0;  // 1355.1
    int16_t Flag2 = 0;       // 1355.2, written as 0
    int16_t Flag3 = 0;       // 1355.3, written as 0
    int16_t Flag4 = 0;       // 1355.4, written as 0
    int16_t invdisplay = 0;  // 1355.5
    int16_t Kept6 = 0;       // 1355.6
    int16_t Kept7 = 0;       // 1355.7
    int16_t Kept1356_0 = 0;  // 1356.0
    int16_t Kept1356_2 = 0;  // 1356.2.2
    int16_t Kept1356_3 = 0;  // 1356.3
    int16_t Kept1356_4 = 0;  // 1356.4
    int16_t Zero[5] = {};    // 1357-1361, written as 0
    int16_t Checksum = 0;    // 1362-1363, over 1355-1361

    bool operator==(const UserParameters&) const = default;
};

// Written by the maker's test and adjustment tool; this program only reads it.
struct TestAyarParameters {
    char CihazVersiyonNo[16] = {};  // 1400-1415
    DigitString UretimSiraNo = {};  // 1416-1418, digit 1 first
    int16_t HwTDM = 0;              // 1419.0
    int16_t HwNotHandheld = 0;      // 1419.1 (the keypad-hardware option)
    int16_t HwFlag2 = 0;            // 1419.2, kept
    int16_t HwCrypto = 0;           // 1419.3, digital crypto
    int16_t HwKSYS = 0;             // 1419.4
    int16_t HwRepeater = 0;         // 1419.5
    int16_t HwCrypto2 = 0;          // 1419.6, digital crypto II
    int16_t HalfBaseChan = 0;       // 1420-1421, band base in 25 kHz units
    int16_t Kept1422[3] = {};       // 1422-1424
    int16_t Kept1425[10] = {};      // 1425-1434
    int16_t Kept1435[10] = {};      // 1435-1444
    int16_t Kept1445[14] = {};      // 1445-1458
    int16_t Flags1459[4] = {};      // 1459 bits 3, 2, 1, 0 in this order
    int16_t Kept1460[9] = {};       // 1460-1468
    int16_t Checksum = 0;           // 1469-1470

    bool operator==(const TestAyarParameters&) const = default;
};

inline constexpr int kAdataGroups = 5;
inline constexpr int kStatusMessages = 24;

// Analog data.
struct AdataParameters {
    int16_t SYSID = 0;                     // 1536
    int16_t FLEETID = 0;                   // 1537-1538
    int16_t RADIOID = 0;                   // 1539-1540
    int16_t RXID = 0;                      // 1541-1542
    int16_t PREAMBLE = 0;                  // 1543
    int16_t GRUP[kAdataGroups] = {};       // 1544 + 2k, big-endian
    char STATUS[kStatusMessages][8] = {};  // 1554 + 8s + c
    int16_t Checksum = 0;                  // 1746-1747

    bool operator==(const AdataParameters&) const = default;
};

inline constexpr int kKsysGroups = 10;

struct KsysParameters {
    int16_t SYSID = 0;                 // 2016-2017, shown unsigned
    int16_t SMTIDENT = 0;              // 2018
    int16_t RxFreq = 0;                // 2019-2020, 16-bit frequency code
    int16_t RxTCS = 0;                 // 2021
    int16_t TxFreq = 0;                // 2022-2023
    int16_t TxTCS = 0;                 // 2024
    int16_t YuksekGuc = 0;             // 2025.0, high power
    int16_t GrupNo[kKsysGroups] = {};  // 2026-2035
    int16_t Checksum = 0;              // 2036-2037

    bool operator==(const KsysParameters&) const = default;
};

struct RadioParameters {
    MasterParameters Master;
    ServiceParameters Service;
    CloneParameters Clone;
    UserParameters User;
    TestAyarParameters TestAyar;
    AdataParameters ADATA;
    KsysParameters KSYS;
    // Takes every reserved bit range in turn on decoding. The write sequence clears
    // it just before encoding so reserved bits always go to the radio as zero.
    int16_t ReservedSink = 0;

    bool operator==(const RadioParameters&) const = default;
};

// The one parameter set of the process: the layout engine, the pages and the
// codeplug file all work on this object.
RadioParameters& ProcessParameters();

}  // namespace norda
