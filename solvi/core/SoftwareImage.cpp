#include "solvi/core/SoftwareImage.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <istream>
#include <string_view>

#include "platform/TextSource.h"

namespace norda::solvi {
namespace {

constexpr int kTextLine = 3601;
constexpr int kTextLineTooLong = 3602;
constexpr int kTextNoHeader = 3603;
constexpr int kTextNotARecord = 3604;
constexpr int kTextNotHex = 3605;
constexpr int kTextBadChecksum = 3606;
constexpr int kTextUnsupportedType = 3607;
constexpr int kTextShortRecord = 3608;
constexpr int kTextBeyondFlash = 3609;
constexpr int kTextCountMismatch = 3610;
constexpr int kTextNoEndRecord = 3611;

// The longest S-record: its type and the pairs of a byte count of FF and the 255 bytes
// that count covers.
constexpr std::size_t kMaxLine = 2 + 2 * 256;
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

// Why a line's checksum failed: lower-case digits and stray characters are told apart
// from a digit that is wrong.
FormatError::Reason ChecksumFailure(std::string_view line) {
    for (std::size_t pos = 2; pos < line.size(); ++pos) {
        if (HexDigit(line[pos]) < 0) {
            return FormatError::Reason::NotHex;
        }
    }
    return FormatError::Reason::BadChecksum;
}

enum class LineRead { Line, End, TooLong };

// A line ends at LF, CR LF or a lone CR: files come from Linux tools as well as from
// Windows. The last line may end with the file.
LineRead ReadLine(std::istream& in, std::string& line) {
    line.clear();
    for (;;) {
        const int c = in.get();
        if (c == std::char_traits<char>::eof()) {
            return line.empty() ? LineRead::End : LineRead::Line;
        }
        if (c == '\n') {
            return LineRead::Line;
        }
        if (c == '\r') {
            if (in.peek() == '\n') {
                in.get();
            }
            return LineRead::Line;
        }
        if (line.size() == kMaxLine) {
            return LineRead::TooLong;
        }
        line.push_back(static_cast<char>(c));
    }
}

Status Refuse(FormatError* error, FormatError::Reason reason, int line) {
    if (error != nullptr) {
        error->reason = reason;
        error->line = line;
    }
    return Status::BadFormat;
}

}  // namespace

Status SoftwareImage::ParseRecords(std::istream& in, LoadedSoftware::Image& image,
                                   FormatError* error) {
    using Reason = FormatError::Reason;
    if (error != nullptr) {
        *error = FormatError{};
    }
    std::string line;
    line.reserve(kMaxLine);
    int number = 0;
    bool header = false;
    uint32_t dataRecords = 0;
    // srec_cat ends a file made from a binary with its count record, without an end
    // record; a count that matched as the very last record shows the file is whole.
    bool countedToTheEnd = false;
    for (;;) {
        const LineRead read = ReadLine(in, line);
        if (read == LineRead::End) {
            if (countedToTheEnd) {
                return Status::Ok;
            }
            return Refuse(error, header ? Reason::NoEndRecord : Reason::NoHeader,
                          std::max(number, 1));
        }
        ++number;
        if (read == LineRead::TooLong) {
            return Refuse(error, Reason::LineTooLong, number);
        }
        // A blank line carries nothing, wherever an editor left it.
        if (line.empty()) {
            continue;
        }
        countedToTheEnd = false;
        const char type = line.size() > 1 ? line[1] : '\0';
        if (!header && (line[0] != 'S' || type != '0')) {
            return Refuse(error, Reason::NoHeader, number);
        }
        if (line[0] != 'S') {
            return Refuse(error, Reason::NotARecord, number);
        }
        if (!ChecksumValid(line)) {
            return Refuse(error, ChecksumFailure(line), number);
        }
        if (!header) {
            header = true;
            continue;
        }
        std::size_t addressBytes = 0;
        switch (type) {
            case '1':
            case '5':
                addressBytes = 2;
                break;
            case '2':
            case '6':
                addressBytes = 3;
                break;
            case '8':
            case '9':
                return Status::Ok;
            default:
                if (type < '0' || type > '9') {
                    return Refuse(error, Reason::NotARecord, number);
                }
                if (error != nullptr) {
                    error->type = type;
                }
                return Refuse(error, Reason::UnsupportedType, number);
        }
        std::size_t count = HexPair(line, 2);
        std::size_t dataStart = 4 + 2 * addressBytes;
        std::size_t dataBytes = count < addressBytes + 1 ? 0 : count - addressBytes - 1;
        // The byte count is not otherwise checked against the line, but it must not make
        // the record's own checksum, or characters beyond the line, pass for data.
        if (count < addressBytes + 1 || dataStart + 2 * dataBytes + 2 > line.size()) {
            return Refuse(error, Reason::ShortRecord, number);
        }
        uint32_t address = 0;
        for (std::size_t i = 0; i < addressBytes; ++i) {
            address = address << 8 | HexPair(line, 4 + 2 * i);
        }
        if (type == '5' || type == '6') {
            // The count record's "address" is the number of data records before it: a
            // file that lost or doubled lines on its way here shows it there.
            if (address != dataRecords) {
                if (error != nullptr) {
                    error->value = address;
                    error->found = dataRecords;
                }
                return Refuse(error, Reason::CountMismatch, number);
            }
            countedToTheEnd = true;
            continue;
        }
        ++dataRecords;
        for (std::size_t i = 0; i < dataBytes; ++i) {
            uint32_t at = address + static_cast<uint32_t>(i);
            if (at > LoadedSoftware::kFlashSize) {
                if (error != nullptr) {
                    error->value = at;
                }
                return Refuse(error, Reason::BeyondFlash, number);
            }
            image[at] = HexPair(line, dataStart + 2 * i);
        }
    }
}

std::string FormatErrorText(const TextSource& texts, const FormatError& error) {
    using Reason = FormatError::Reason;
    std::string reason;
    switch (error.reason) {
        case Reason::None:
            return {};
        case Reason::LineTooLong:
            reason = texts.Text(kTextLineTooLong);
            break;
        case Reason::NoHeader:
            reason = texts.Text(kTextNoHeader);
            break;
        case Reason::NotARecord:
            reason = texts.Text(kTextNotARecord);
            break;
        case Reason::NotHex:
            reason = texts.Text(kTextNotHex);
            break;
        case Reason::BadChecksum:
            reason = texts.Text(kTextBadChecksum);
            break;
        case Reason::UnsupportedType:
            reason = FillNames(texts.Text(kTextUnsupportedType), {std::string(1, error.type)});
            break;
        case Reason::ShortRecord:
            reason = texts.Text(kTextShortRecord);
            break;
        case Reason::BeyondFlash: {
            char address[16];
            std::snprintf(address, sizeof address, "0x%05X", static_cast<unsigned>(error.value));
            reason = FillNames(texts.Text(kTextBeyondFlash), {address});
            break;
        }
        case Reason::CountMismatch:
            reason = FillNames(texts.Text(kTextCountMismatch),
                               {std::to_string(error.value), std::to_string(error.found)});
            break;
        case Reason::NoEndRecord:
            reason = texts.Text(kTextNoEndRecord);
            break;
    }
    return FillNames(texts.Text(kTextLine), {std::to_string(error.line), reason});
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

    formatError_ = FormatError{};
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    openError_ = in.is_open() ? 0 : (errno != 0 ? errno : EIO);
    if (!in.is_open()) {
        loadResult_ = Status::CannotOpen;
        return Status::CannotOpen;
    }
    const Status parsed = ParseRecords(in, image, &formatError_);
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
