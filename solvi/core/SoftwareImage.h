#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/Status.h"
#include "solvi/core/SoftwareVersion.h"

namespace norda {
class TextSource;
}  // namespace norda

namespace norda::solvi {

// Why a software file was refused, and where: the line counts from 1.
struct FormatError {
    enum class Reason {
        None,
        LineTooLong,      // longer than any S-record can be
        NoHeader,         // the first line is no valid S0 record
        NotARecord,       // a line that does not begin with 'S'
        NotHex,           // a character other than 0-9 and A-F among the pairs
        BadChecksum,      // the pairs do not sum to FF
        UnsupportedType,  // S3, S4, S7, a second S0 ...
        ShortRecord,      // the byte count leaves no room for the address, or outruns the line
        BeyondFlash,      // a data byte above the flash
        CountMismatch,    // an S5/S6 count that is not the number of data records before it
        NoEndRecord,      // the file ends before an S8/S9 record or a count record
    };

    Reason reason = Reason::None;
    int line = 0;
    char type = 0;       // the record type, for UnsupportedType
    uint32_t value = 0;  // the address for BeyondFlash, the record's count for CountMismatch
    uint32_t found = 0;  // the data records before the count record, for CountMismatch
};

// "Satır 12: ..." in the user's language.
std::string FormatErrorText(const TextSource& texts, const FormatError& error);

// One loaded radio software file: the flash picture, the blocks to write and the version.
// Never changes once published, so every port worker may read it without a lock.
class LoadedSoftware {
  public:
    static constexpr uint32_t kFlashSize = 0x20000;
    // A record may still place a byte at exactly kFlashSize; it is kept but never written.
    static constexpr uint32_t kImageSize = 0x20005;
    static constexpr uint32_t kBlockSize = 128;
    static constexpr uint32_t kHeaderAddress = 0x10000;
    static constexpr uint32_t kHeaderSecondHalf = 0x10080;
    static constexpr uint32_t kFlagAddress = 0x100FF;

    using Image = std::array<uint8_t, kImageSize>;
    using Block = std::span<const uint8_t, kBlockSize>;

    const Image& Bytes() const { return image_; }
    const std::vector<uint32_t>& Blocks() const { return blocks_; }
    int BlockCount() const { return static_cast<int>(blocks_.size()); }
    uint32_t BlockAddress(int k) const { return blocks_.at(static_cast<std::size_t>(k)); }
    Block BlockData(int k) const { return Block(image_.data() + BlockAddress(k), kBlockSize); }
    const SoftwareVersion& Version() const { return version_; }
    const std::string& VersionText() const { return versionText_; }
    // Without directory and extension, for window titles.
    const std::string& FileName() const { return fileName_; }

    // Steps of a load after the records are in: they must run in this order so that the
    // version shows the checksum and flag byte exactly as they go to the radio.
    void InsertCodeChecksum();
    void SetFlagByte(bool transferMode);
    void BuildBlockList();
    void ExtractVersion();

  private:
    friend class SoftwareImage;

    Image image_{};
    std::vector<uint32_t> blocks_;
    SoftwareVersion version_;
    std::string versionText_;
    std::string fileName_;
};

// The program's one software image. The user-interface thread loads files and switches
// the transfer mode; the port workers only look at what was published last.
class SoftwareImage {
  public:
    SoftwareImage() = default;
    SoftwareImage(const SoftwareImage&) = delete;
    SoftwareImage& operator=(const SoftwareImage&) = delete;

    // Ok, CannotOpen or BadFormat. Whoever calls this has already made sure no port is
    // programming.
    Status LoadSoftwareFile(const std::string& path);
    // Empty before the first load.
    std::optional<Status> LastLoadResult() const { return loadResult_; }
    // The system's errno when the last load could not open its file, else 0.
    int LastOpenError() const { return openError_; }
    // Where and why the last load found the file malformed.
    const FormatError& LastFormatError() const { return formatError_; }

    bool IsLoaded() const { return loaded_.load(std::memory_order_acquire); }
    // Null while nothing is loaded. Holding the pointer keeps that image alive across a
    // later load, so a worker never sees a half-filled picture.
    std::shared_ptr<const LoadedSoftware> Current() const;

    // Copies for the user-interface side; empty while nothing is loaded.
    std::string VersionText() const;
    std::string FileName() const;

    // "Yazılım Aktarıcı": decides the header's flag byte, also of an image already loaded.
    void SetTransferMode(bool on);
    bool TransferMode() const { return transferMode_.load(std::memory_order_acquire); }

    // Reads S0, S1/S2, S5/S6 and S8/S9 records into image, which the caller has filled with
    // 0xFF. Lines end in LF, CR LF or CR. The file ends with its S8/S9 record, or with a
    // count record that matches.
    static Status ParseRecords(std::istream& in, LoadedSoftware::Image& image,
                               FormatError* error = nullptr);

  private:
    void Publish(std::shared_ptr<const LoadedSoftware> software);

    std::atomic<bool> loaded_{false};
    // Guards only the copying of the pointer, never a read of the image itself.
    mutable std::mutex currentMutex_;
    std::shared_ptr<const LoadedSoftware> current_;
    std::atomic<bool> transferMode_{false};
    std::optional<Status> loadResult_;
    int openError_ = 0;
    FormatError formatError_;
};

}  // namespace norda::solvi
