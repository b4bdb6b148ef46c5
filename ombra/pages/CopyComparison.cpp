#include "ombra/pages/CopyComparison.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "codeplug/MemoryAreas.h"
#include "codeplug/TextFormat.h"

namespace norda::ombra {
namespace {

constexpr int kTextConstants = 3560;  // group: "Kurulum Sabitleri [Clone Constants]"
constexpr int kTextCleared = 3561;    // group: "Kopyalamanın Sıfırladığı Değerler"
constexpr int kTextChecksum = 3562;   // "Sağlama toplamı (%s)", the area
constexpr int kTextByte = 3563;       // "Bayt %s", the address
// Bytes listed when a radio differs only where no page looks.
constexpr int kMaxByteRows = 32;

// Bits a copy writes whatever the file holds: the INI's installation constants, named
// by their keys (the three tone constants after the standard the file selects), and
// what a copy clears.
struct CopySetBits {
    bool constant;
    int address;
    uint8_t mask;
    const char* key;
};

constexpr CopySetBits kCopySet[] = {
    {true, 30, 0xFF, "TUNETIM"},  {true, 31, 0xFF, "AKDUR"},         {true, 32, 0xFF, "LPRF"},
    {true, 33, 0xFF, "HPRF"},     {true, 34, 0xFF, "RSSITreshhold"}, {true, 35, 0xFF, "PLLSETT"},
    {true, 36, 0xFF, "PLLUNL"},   {true, 37, 0xFF, "PRTIM0"},        {true, 38, 0x07, "SQTDEL"},
    {true, 39, 0xFF, "TCSSCN"},   {true, 40, 0xFF, "PRITCS0"},       {true, 41, 0xFF, "ZCC"},
    {true, 42, 0xFF, "GZCC"},     {true, 43, 0xFF, "BZCC"},          {true, 44, 0xFF, "StdDev"},
    {true, 45, 0xFF, "PSMTIM"},   {false, 0, 0x80, nullptr},         {false, 0, 0x40, nullptr},
    {false, 0, 0x10, nullptr},    {false, 0, 0x02, nullptr},         {false, 1352, 0xFF, nullptr},
    {false, 1353, 0xFF, nullptr}, {false, 1354, 0xFF, nullptr},      {false, 1355, 0x10, nullptr},
    {false, 1355, 0x08, nullptr}, {false, 1355, 0x04, nullptr},      {false, 1357, 0xFF, nullptr},
    {false, 1358, 0xFF, nullptr}, {false, 1359, 0xFF, nullptr},      {false, 1360, 0xFF, nullptr},
    {false, 1361, 0xFF, nullptr},
};

const MemoryArea* AreaAt(int address) {
    for (const MemoryArea& area : kMemoryAreas) {
        if (address >= area.address && address < area.address + area.readLength)
            return &area;
    }
    return nullptr;
}

// The page that shows an area's parameters.
int PageOf(const MemoryArea& area) {
    switch (area.id) {
        case AreaId::Service:
            return 2;
        case AreaId::Clone:
        case AreaId::User:
            return 3;
        case AreaId::ADATA:
            return 15;
        case AreaId::KSYS:
            return 14;
        case AreaId::Master:
        case AreaId::TestAyar:
            break;
    }
    return 1;
}

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

std::string ByteLabel(const ResourceModule& module, int address, uint8_t mask) {
    std::string where = std::to_string(address);
    if (mask != 0xFF && std::has_single_bit(mask))
        where += " bit " + std::to_string(std::countr_zero(mask));
    return FormatText(module.Text(kTextByte), {FormatArg(where)});
}

// Each written area's checksum word; both sides' sums are right for their own bytes.
bool IsChecksumByte(const MemoryArea& area, int address) {
    return address == area.checksumEnd || address == area.checksumEnd + 1;
}

uint8_t CopySetMask(int address) {
    uint8_t mask = 0;
    for (const CopySetBits& bits : kCopySet) {
        if (bits.address == address)
            mask |= bits.mask;
    }
    return mask;
}

}  // namespace

CopyComparison CompareWithCopy(const RadioImage& radio, const RadioImage& copy,
                               const ResourceModule& module) {
    CopyComparison result;
    auto have = std::make_unique<RadioParameters>();
    auto want = std::make_unique<RadioParameters>();
    // Without page values (a layout of the program failed) only the bytes can be compared,
    // and nothing is taken for a value the copy sets.
    const bool decoded = DecodeAsRead(radio, *have) && DecodeAsRead(copy, *want);
    std::vector<DiffRow> pageRows;
    std::vector<DiffRow> parameterRows;
    if (decoded) {
        pageRows = DiffCodeplugs(*have, *want, DiffCoverage::Image, module);
        // The date is the one page value a copy stamps: what goes when the dates agree is it.
        want->Master.ProgTarihi = have->Master.ProgTarihi;
        parameterRows = DiffCodeplugs(*have, *want, DiffCoverage::Image, module);
    }

    std::vector<DiffRow> rows = pageRows;
    const char* standard = (copy[24] & 3) < 2 ? "_CCIR" : (copy[24] & 3) == 2 ? "_ZVEI" : "_EEA";
    for (const CopySetBits& bits : kCopySet) {
        const uint8_t r = radio[bits.address] & bits.mask;
        const uint8_t c = copy[bits.address] & bits.mask;
        if (r == c)
            continue;
        const int shift = std::countr_zero(bits.mask);
        std::string label =
            bits.key != nullptr ? bits.key : ByteLabel(module, bits.address, bits.mask);
        if (bits.address >= 41 && bits.address <= 43)
            label += standard;
        rows.push_back({PageOf(*AreaAt(bits.address)),
                        module.Text(bits.constant ? kTextConstants : kTextCleared), label,
                        std::to_string(r >> shift), std::to_string(c >> shift)});
    }
    for (const MemoryArea& area : kMemoryAreas) {
        const int end = area.checksumEnd;
        const unsigned r = radio[end] << 8 | radio[end + 1];
        const unsigned c = copy[end] << 8 | copy[end + 1];
        if (area.writeLength > 0 && r != c)
            rows.push_back({PageOf(area), "",
                            FormatText(module.Text(kTextChecksum), {FormatArg(area.name)}),
                            Hex(r, 4), Hex(c, 4)});
    }
    const size_t explained = rows.size();
    if (parameterRows.empty()) {
        // Kept and reserved bits: no page names them, so their addresses do.
        int listed = 0;
        for (const MemoryArea& area : kMemoryAreas) {
            const int length = std::min(area.readLength, area.writeLength);
            for (int a = area.address; a < area.address + length && listed < kMaxByteRows; ++a) {
                const uint8_t other = (radio[a] ^ copy[a]) & ~CopySetMask(a);
                if (other == 0 || IsChecksumByte(area, a))
                    continue;
                rows.push_back({PageOf(area), "", ByteLabel(module, a, 0xFF), Hex(radio[a], 2),
                                Hex(copy[a], 2)});
                ++listed;
            }
        }
    }
    result.onlyCopySet =
        decoded && !rows.empty() && parameterRows.empty() && rows.size() == explained;
    std::stable_sort(rows.begin(), rows.end(),
                     [](const DiffRow& a, const DiffRow& b) { return a.page < b.page; });
    result.rows = std::move(rows);
    return result;
}

}  // namespace norda::ombra
