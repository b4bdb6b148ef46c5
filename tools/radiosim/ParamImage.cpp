#include "tools/radiosim/ParamImage.h"

#include <cstdio>
#include <cstring>

namespace norda::sim {

namespace {

constexpr std::array<int, 50> kTones{
    67,  71,  74,  77,  79,  82,  85,  88,  91,  94,  97,  100, 103, 107, 110, 114, 118,
    123, 127, 131, 136, 141, 146, 151, 156, 162, 167, 173, 179, 186, 192, 203, 210, 218,
    225, 233, 241, 250, 69,  159, 165, 171, 177, 183, 189, 196, 199, 206, 229, 254};

constexpr uint16_t kNoFrequency = 0x3FFF;

void PutBe16(ParamMemory& m, size_t at, uint16_t v) {
    m[at] = static_cast<uint8_t>(v >> 8);
    m[at + 1] = static_cast<uint8_t>(v & 0xFF);
}

// Six 4-bit digits, the last place in the low nibble of the last byte.
void PutDigitsLastFirst(ParamMemory& m, size_t at, const char* digits) {
    uint8_t nib[6];
    size_t n = std::strlen(digits);
    for (size_t i = 0; i < 6; ++i)
        nib[i] = i < n ? static_cast<uint8_t>(digits[i] - '0') : 0x0F;
    // digit 1 low nibble of byte +2, digit 2 high nibble of +2, digit 3 low of +1 ...
    m[at + 2] = static_cast<uint8_t>((nib[1] << 4) | nib[0]);
    m[at + 1] = static_cast<uint8_t>((nib[3] << 4) | nib[2]);
    m[at] = static_cast<uint8_t>((nib[5] << 4) | nib[4]);
}

bool ShiftFlag(int64_t hz) {
    const int64_t step = 504125;
    if (hz < 300000000) {
        for (int64_t i = 289; i <= 346; ++i) {
            if (hz >= i * step - 25000 && hz <= i * step + 20000)
                return true;
        }
    } else {
        for (int64_t i = 805; i <= 933; ++i) {
            if (hz >= i * step - 50000 && hz <= i * step + 50000)
                return true;
        }
    }
    return false;
}

void PutChannel(ParamMemory& m, int n, uint16_t halfBaseChan) {
    const size_t at = 33 + 13 * static_cast<size_t>(n);
    const int64_t base = static_cast<int64_t>(halfBaseChan) * 25000;
    // 12.5 kHz raster from 1 MHz above the band start; every fourth channel a
    // repeater pair with a split of 600 kHz.
    int64_t rx = base + 1000000 + static_cast<int64_t>(n - 1) * 12500;
    int64_t tx = (n % 4 == 0) ? rx + 600000 : rx;
    uint16_t rxCode = static_cast<uint16_t>((rx - base) / 2500);
    uint16_t txCode = static_cast<uint16_t>((tx - base) / 2500);
    if (rxCode > 0x3FFE || txCode > 0x3FFE)
        rxCode = txCode = kNoFrequency;

    const bool highPower = n % 3 != 0;
    const bool tot = n % 2 == 1;
    const bool ani = n % 5 == 0;
    const int rxTone = n % 7 == 0 ? 0 : (n % 50) + 1;
    const int txTone = n % 6 == 0 ? 0 : ((n * 3) % 50) + 1;

    char name[9];
    std::snprintf(name, sizeof name, "KN %-5d", n);

    m[at + 0] = static_cast<uint8_t>((highPower ? 0x80 : 0) | (tot ? 0x40 : 0) | (txCode >> 8));
    m[at + 1] = static_cast<uint8_t>(txCode & 0xFF);
    m[at + 2] = static_cast<uint8_t>(rxCode >> 8);
    m[at + 3] = static_cast<uint8_t>(rxCode & 0xFF);
    m[at + 4] =
        static_cast<uint8_t>((ani ? 0x80 : 0) | (ShiftFlag(rx) ? 0x40 : 0) | (rxTone & 0x3F));
    m[at + 5] = static_cast<uint8_t>((txTone ? 0x80 : 0) | (name[0] & 0x7F));
    for (int k = 0; k < 6; ++k) {
        const uint8_t toneBit = static_cast<uint8_t>((txTone >> (5 - k)) & 1);
        m[at + 6 + k] = static_cast<uint8_t>((toneBit << 7) | (name[1 + k] & 0x7F));
    }
    m[at + 12] = static_cast<uint8_t>(name[7] & 0x7F);
}

}  // namespace

int ToneOfCode(int code) {
    return code >= 1 && code <= 50 ? kTones[code - 1] : 0;
}

uint16_t AreaSum(const ParamMemory& memory, const ChecksumRange& range) {
    uint32_t sum = 0;
    for (size_t i = range.first; i <= range.last; ++i)
        sum += memory[i];
    return static_cast<uint16_t>(sum);
}

bool AreaChecksumOk(const ParamMemory& memory, const ChecksumRange& range) {
    const size_t at = range.last + 1u;
    return AreaSum(memory, range) == ((memory[at] << 8) | memory[at + 1]);
}

void WriteAreaChecksums(ParamMemory& memory) {
    for (const auto& range : kChecksumRanges)
        PutBe16(memory, range.last + 1u, AreaSum(memory, range));
}

ParamMemory GenerateParamMemory(uint16_t halfBaseChan) {
    ParamMemory m;
    // Bytes that belong to no area keep the erased EEPROM value.
    m.fill(0xFF);

    // Master: compander on, serial number 24117, programmed 15 March 2005.
    m[0] = 0x08;
    PutBe16(m, 1, 24117);
    const uint16_t date = static_cast<uint16_t>((15 << 11) | (3 << 7) | (2005 - 1994));
    m[3] = static_cast<uint8_t>(date & 0xFF);
    m[4] = static_cast<uint8_t>(date >> 8);

    // Service: programmer 4.0, clone key, ANI / selective call / ACK numbers.
    m[8] = 0;
    m[9] = 4;
    m[10] = 37;
    PutDigitsLastFirst(m, 11, "123456");
    PutDigitsLastFirst(m, 14, "2041");
    PutDigitsLastFirst(m, 17, "99");
    m[20] = 0x2C;  // option at power-up, keypad, selective call sending
    m[21] = 0x93;  // high power level 9, low power level 3

    // Clone, general part; bytes 30-45 are the installation constants.
    m[24] = 0xC1;  // Turkish, power save, CCIR
    m[25] = 0x81;  // emergency call on channel 1
    m[26] = 0x12;
    m[27] = 0x35;
    m[28] = 0x44;
    m[29] = 0x42;
    const uint8_t constants[16] = {12, 40, 18, 200, 96, 5, 3, 20, 0x03, 8, 25, 100, 70, 30, 64, 10};
    std::memcpy(&m[30], constants, sizeof constants);
    for (int n = 1; n <= 99; ++n)
        PutChannel(m, n, halfBaseChan);
    // Scan every channel but the last four (96 is 1346.7, 97-99 are 1347.0-2).
    for (size_t i = 1335; i <= 1345; ++i)
        m[i] = 0xFF;
    m[1346] = 0x7F;
    m[1347] = 0x00;
    m[1348] = 1;
    m[1349] = 2;

    // User: counters 0, lights/warning as delivered.
    m[1352] = m[1353] = m[1354] = 0;
    m[1355] = 0x20;
    m[1356] = 0x00;
    for (size_t i = 1357; i <= 1361; ++i)
        m[i] = 0;
    for (size_t i = 1364; i <= 1375; ++i)
        m[i] = 0;

    // TestAyar: device version text, production serial number, hardware flags, band.
    const char version[17] = "NRD-V146 R1.02  ";
    std::memcpy(&m[1400], version, 16);
    m[1416] = 0x20;
    m[1417] = 0x41;
    m[1418] = 0x17;
    m[1419] = 0x13;  // TDM, not a handheld, KSYS
    PutBe16(m, 1420, halfBaseChan);
    for (size_t i = 1422; i <= 1468; ++i)
        m[i] = static_cast<uint8_t>((i * 37) & 0x7F);
    m[1459] &= 0x0F;

    // ADATA: identities, groups, eight-character status messages.
    m[1536] = 7;
    PutBe16(m, 1537, 301);
    PutBe16(m, 1539, 1201);
    PutBe16(m, 1541, 1202);
    m[1543] = 4;
    for (int k = 0; k < 5; ++k)
        PutBe16(m, 1544 + 2 * static_cast<size_t>(k), static_cast<uint16_t>(3001 + k));
    static const char* const kStatus[24] = {
        "HAZIR   ", "YOLDA   ", "OLAYDA  ", "DONUS   ", "MOLA    ", "MESGUL  ",
        "ACIL    ", "YARDIM  ", "BEKLE   ", "TAMAM   ", "ARIZA   ", "YAKIT   ",
        "MERKEZ  ", "DEVRIYE ", "KONTROL ", "NOBET   ", "GOREV   ", "BOS     ",
        "ARA     ", "TEKRAR  ", "ONAY    ", "RED     ", "GELIYOR ", "BITTI   "};
    for (int s = 0; s < 24; ++s)
        std::memcpy(&m[1554 + 8 * static_cast<size_t>(s)], kStatus[s], 8);

    // KSYS: a trunk control channel pair near the top of the band.
    PutBe16(m, 2016, 512);
    m[2018] = 3;
    PutBe16(m, 2019, 4000);
    m[2021] = 12;
    PutBe16(m, 2022, 4240);
    m[2024] = 12;
    m[2025] = 0x01;
    for (int g = 0; g < 10; ++g)
        m[2026 + static_cast<size_t>(g)] = static_cast<uint8_t>(g + 1);

    WriteAreaChecksums(m);
    return m;
}

int LoadParamMemory(const std::string& path, ParamMemory& memory) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return -1;
    ParamMemory data;
    size_t n = std::fread(data.data(), 1, data.size(), f);
    int extra = std::fgetc(f);
    std::fclose(f);
    if (n != data.size() || extra != EOF)
        return -2;
    memory = data;
    return 0;
}

}  // namespace norda::sim
