#include "solvi/core/SoftwareImage.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <istream>
#include <string_view>

namespace norda::solvi {
namespace {

constexpr std::size_t kMaxLine = 127;
constexpr uint32_t kChecksumFrom = 0x2000;
constexpr uint32_t kChecksumTo = 0x10000;

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// A pair with anything but 0-9/A-F in it, or cut off by the end of the line, counts as 0;
// the record checksum then fails.
uint8_t HexPair(std::string_view line, std::size_t pos) {
    if (pos + 1 >= line.size()) {
        return 0;
    }
    int hi = HexDigit(line[pos]);
    int lo = HexDigit(line[pos + 1]);
    if (hi < 0 || lo < 0) {
        return 0;
    }
    return static_cast<uint8_t>(hi << 4 | lo);
}

bool ChecksumValid(std::string_view line) {
    uint8_t sum = 0;
    for (std::size_t pos = 2; pos < line.size(); pos += 2) {
        sum = static_cast<uint8_t>(sum + HexPair(line, pos));
    }
    return sum == 0xFF;
}

enum class LineRead { Line, Bad };

// A line ends at CR; the character after the CR (the LF) is dropped unseen. A file that
// ends without a CR, or a line too long for the record buffer, is malformed.
LineRead ReadLine(std::istream& in, std::string& line) {
    line.clear();
    for (;;) {
        int c = in.get();
        if (c == std::char_traits<char>::eof()) {
            return LineRead::Bad;
        }
        if (c == '\r') {
            in.get();
            return LineRead::Line;
        }
        if (line.size() == kMaxLine) {
            return LineRead::Bad;
        }
        line.push_back(static_cast<char>(c));
    }
}

}  // namespace

Status SoftwareImage::ParseRecords(std::istream& in, LoadedSoftware::Image& image) {
    std::string line;
    line.reserve(kMaxLine);
    if (ReadLine(in, line) != LineRead::Line || !line.starts_with("S0") || !ChecksumValid(line)) {
        return Status::BadFormat;
    }
    for (;;) {
        if (ReadLine(in, line) != LineRead::Line || line.empty() || line[0] != 'S' ||
            !ChecksumValid(line)) {
            return Status::BadFormat;
        }
        std::size_t addressBytes = 0;
        switch (line.size() > 1 ? line[1] : '\0') {
            case '1':
                addressBytes = 2;
                break;
            case '2':
                addressBytes = 3;
                break;
            case '8':
            case '9':
                return Status::Ok;
            default:
                return Status::BadFormat;
        }
        std::size_t count = HexPair(line, 2);
        if (count < addressBytes + 1) {
            return Status::BadFormat;
        }
        uint32_t address = 0;
        for (std::size_t i = 0; i < addressBytes; ++i) {
            address = address << 8 | HexPair(line, 4 + 2 * i);
        }
        std::size_t dataStart = 4 + 2 * addressBytes;
        std::size_t dataBytes = count - addressBytes - 1;
        // The byte count is not otherwise checked against the line, but it must not make
        // the record's own checksum, or characters beyond the line, pass for data.
        if (dataStart + 2 * dataBytes + 2 > line.size()) {
            return Status::BadFormat;
        }
        for (std::size_t i = 0; i < dataBytes; ++i) {
            uint32_t at = address + static_cast<uint32_t>(i);
            if (at > LoadedSoftware::kFlashSize) {
                return Status::BadFormat;
            }
            image[at] = HexPair(line, dataStart + 2 * i);
        }
    }
}

void LoadedSoftware::InsertCodeChecksum() {
    uint32_t sum = 0;
    for (uint32_t a = kChecksumFrom; a < kChecksumTo; ++a) {
        sum += image_[a];
    }
    image_[kHeaderAddress + 3] = static_cast<uint8_t>(sum >> 8);
    image_[kHeaderAddress + 4] = static_cast<uint8_t>(sum);
}

void LoadedSoftware::SetFlagByte(bool transferMode) {
    image_[kFlagAddress] = transferMode ? 1 : 0xFF;
}

void LoadedSoftware::BuildBlockList() {
    blocks_.clear();
    blocks_.reserve(kFlashSize / kBlockSize);
    for (uint32_t a = 0; a < kFlashSize; a += kBlockSize) {
        if (a == kHeaderAddress || a == kHeaderSecondHalf) {
            continue;
        }
        for (uint32_t i = 0; i < kBlockSize; ++i) {
            if (image_[a + i] != 0xFF) {
                blocks_.push_back(a);
                break;
            }
        }
    }
    // The header goes last, its first half very last: a radio whose programming breaks
    // off never carries a complete header over incomplete code.
    blocks_.push_back(kHeaderSecondHalf);
    blocks_.push_back(kHeaderAddress);
}

void LoadedSoftware::ExtractVersion() {
    version_ = SoftwareVersion::FromHeader(std::span<const uint8_t, SoftwareVersion::kHeaderSize>(
        image_.data() + kHeaderAddress, SoftwareVersion::kHeaderSize));
    versionText_ = version_.DisplayText();
}

Status SoftwareImage::LoadSoftwareFile(const std::string& path) {
    // Workers stop trusting the old image before anything about it changes.
    loaded_.store(false, std::memory_order_release);
    std::shared_ptr<const LoadedSoftware> previous;
    {
        std::lock_guard lock(currentMutex_);
        previous = std::move(current_);
    }

    auto software = std::make_shared<LoadedSoftware>();
    auto& image = software->image_;
    std::fill(image.begin(), image.begin() + LoadedSoftware::kFlashSize, 0xFF);

    errno = 0;
    std::ifstream in(path, std::ios::binary);
    openError_ = in.is_open() ? 0 : (errno != 0 ? errno : EIO);
    if (!in.is_open()) {
        loadResult_ = Status::CannotOpen;
        return Status::CannotOpen;
    }
    const Status parsed = ParseRecords(in, image);
    loadResult_ = parsed;
    in.close();
    if (!Succeeded(parsed)) {
        return parsed;
    }
    software->InsertCodeChecksum();
    software->SetFlagByte(TransferMode());
    software->BuildBlockList();
    software->ExtractVersion();
    software->fileName_ = std::filesystem::path(path).stem().string();
    Publish(std::move(software));
    return Status::Ok;
}

void SoftwareImage::Publish(std::shared_ptr<const LoadedSoftware> software) {
    {
        std::lock_guard lock(currentMutex_);
        current_ = std::move(software);
    }
    loaded_.store(true, std::memory_order_release);
}

std::shared_ptr<const LoadedSoftware> SoftwareImage::Current() const {
    if (!IsLoaded()) {
        return nullptr;
    }
    std::lock_guard lock(currentMutex_);
    return current_;
}

std::string SoftwareImage::VersionText() const {
    auto software = Current();
    return software ? software->VersionText() : std::string();
}

std::string SoftwareImage::FileName() const {
    auto software = Current();
    return software ? software->FileName() : std::string();
}

void SoftwareImage::SetTransferMode(bool on) {
    transferMode_.store(on, std::memory_order_release);
    auto software = Current();
    if (!software) {
        return;
    }
    // The block list stays: both header blocks are always in it.
    auto changed = std::make_shared<LoadedSoftware>(*software);
    changed->SetFlagByte(on);
    changed->ExtractVersion();
    Publish(std::move(changed));
}

}  // namespace norda::solvi
