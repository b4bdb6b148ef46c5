#include "tools/radiosim/FlashImage.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace norda::sim {

namespace {

int HexNibble(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool HexByte(const std::string& line, size_t at, uint8_t& out) {
    if (at + 1 >= line.size())
        return false;
    int hi = HexNibble(line[at]);
    int lo = HexNibble(line[at + 1]);
    if (hi < 0 || lo < 0)
        return false;
    out = static_cast<uint8_t>((hi << 4) | lo);
    return true;
}

}  // namespace

void SealFlashHeader(std::vector<uint8_t>& flash, uint8_t transferFlag) {
    uint32_t sum = 0;
    for (uint32_t a = 0x2000; a <= 0xFFFF; ++a)
        sum += flash[a];
    flash[kHeaderAddress + 3] = static_cast<uint8_t>((sum >> 8) & 0xFF);
    flash[kHeaderAddress + 4] = static_cast<uint8_t>(sum & 0xFF);
    flash[kHeaderAddress + 0xFF] = transferFlag;
}

std::vector<uint8_t> GenerateFlashImage() {
    std::vector<uint8_t> flash(kFlashSize, 0xFF);
    // Reset vectors and a code body of a few kilobytes with a recognisable pattern.
    for (uint32_t a = 0; a < 0x40; ++a)
        flash[a] = static_cast<uint8_t>(a & 1 ? 0x20 : 0x00);
    uint32_t x = 0x1234567;
    for (uint32_t a = 0x2000; a < 0x7400; ++a) {
        x = x * 1103515245u + 12345u;
        flash[a] = static_cast<uint8_t>(x >> 16);
    }
    uint8_t* h = &flash[kHeaderAddress];
    h[0x00] = 'V';  // name "NRV"
    h[0x09] = 'N';
    h[0x0A] = 'R';
    h[0x01] = 2;
    h[0x02] = 3;
    h[0x05] = 14;
    h[0x06] = 5;
    h[0x07] = static_cast<uint8_t>(2004 & 0xFF);
    h[0x08] = static_cast<uint8_t>(2004 >> 8);
    h[0x0B] = 0;
    h[0x0C] = 0;
    const char text[] = "NORDA VHF el telsizi ana yazilim";
    std::memcpy(h + 0x0D, text, sizeof text);
    SealFlashHeader(flash);
    return flash;
}

int ParseSRecords(const std::string& text, std::vector<uint8_t>& flash) {
    flash.assign(kFlashSize, 0xFF);
    std::istringstream in(text);
    std::string line;
    bool ended = false;
    bool counted = false;  // srec_cat may end a file with its count record
    while (!ended && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        if (line.size() < 4 || line[0] != 'S')
            return -2;
        uint8_t count = 0;
        if (!HexByte(line, 2, count) || line.size() < 4 + 2u * count)
            return -2;
        uint8_t sum = 0;
        for (size_t i = 0; i <= count; ++i) {
            uint8_t b = 0;
            if (!HexByte(line, 2 + 2 * i, b))
                return -2;
            sum = static_cast<uint8_t>(sum + b);
        }
        if (sum != 0xFF)
            return -2;
        size_t addressBytes = 0;
        counted = line[1] == '5' || line[1] == '6';
        switch (line[1]) {
            case '0':
            case '5':
            case '6':
                continue;
            case '1':
                addressBytes = 2;
                break;
            case '2':
                addressBytes = 3;
                break;
            case '8':
            case '9':
                ended = true;
                continue;
            default:
                return -2;
        }
        if (count < addressBytes + 1)
            return -2;
        uint32_t address = 0;
        for (size_t i = 0; i < addressBytes; ++i) {
            uint8_t b = 0;
            HexByte(line, 4 + 2 * i, b);
            address = (address << 8) | b;
        }
        const size_t dataCount = count - addressBytes - 1;
        for (size_t i = 0; i < dataCount; ++i) {
            uint8_t b = 0;
            HexByte(line, 4 + 2 * (addressBytes + i), b);
            if (address + i >= kFlashSize)
                return -2;
            flash[address + i] = b;
        }
    }
    if (!ended && !counted)
        return -2;
    SealFlashHeader(flash);
    return 0;
}

int LoadFlashHex(const std::string& path, std::vector<uint8_t>& flash) {
    std::ifstream f(path, std::ios::binary);
    if (!f)
        return -1;
    std::stringstream text;
    text << f.rdbuf();
    std::vector<uint8_t> loaded;
    int rc = ParseSRecords(text.str(), loaded);
    if (rc != 0)
        return rc;
    flash = std::move(loaded);
    return 0;
}

}  // namespace norda::sim
