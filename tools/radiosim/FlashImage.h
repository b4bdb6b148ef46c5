#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace norda::sim {

inline constexpr uint32_t kFlashSize = 0x20000;
inline constexpr uint32_t kHeaderAddress = 0x10000;
inline constexpr uint32_t kHeaderSize = 0x100;

// The radio software as a freshly programmed radio holds it: some code, the
// 256-byte header at 0x10000 with name, version, date and the code checksum
// (sum of 0x2000-0xFFFF), transfer flag FF; everything else erased.
std::vector<uint8_t> GenerateFlashImage();

// Code checksum into header bytes 3-4 and the transfer flag into the last
// header byte, the way a flash programmer prepares an image before writing it.
void SealFlashHeader(std::vector<uint8_t>& flash, uint8_t transferFlag = 0xFF);

// Loads a Motorola S-record file into a 128 KiB picture (unset bytes FF) and
// seals the header, so the radio looks as if that file had been flashed into it.
// Returns 0, -1 when the file cannot be opened, -2 on a malformed file.
int LoadFlashHex(const std::string& path, std::vector<uint8_t>& flash);

// The same on text already in memory (lines end in CR LF or LF).
int ParseSRecords(const std::string& text, std::vector<uint8_t>& flash);

}  // namespace norda::sim
