#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "FuzzTargets.h"
#include "solvi/core/SoftwareImage.h"

namespace norda::fuzz {
using namespace norda::solvi;

// The whole load of a .hex file: records, code checksum, flag byte, block list
// and version header. The file lives in memory so that a run costs no disk.
int SRecordLoader(const uint8_t* data, size_t size) {
    static const int fd = memfd_create("norda-fuzz-hex", 0);
    Check(fd >= 0, "memfd_create");
    Check(ftruncate(fd, 0) == 0, "ftruncate");
    size_t done = 0;
    while (done < size) {
        const ssize_t n = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
        Check(n > 0, "pwrite");
        done += static_cast<size_t>(n);
    }
    const std::string path = "/proc/self/fd/" + std::to_string(fd);

    SoftwareImage image;
    const Status result = image.LoadSoftwareFile(path);
    Check(result == Status::Ok || result == Status::BadFormat,
          "load result is neither loaded nor bad format");
    Check(image.IsLoaded() == (result == Status::Ok), "loaded flag disagrees with result");

    // The records alone must say the same as the whole load.
    auto picture = std::make_unique<LoadedSoftware::Image>();
    std::fill(picture->begin(), picture->begin() + LoadedSoftware::kFlashSize, 0xFF);
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    Check(SoftwareImage::ParseRecords(in, *picture) == result, "ParseRecords disagrees with load");

    if (auto software = image.Current()) {
        const auto& blocks = software->Blocks();
        Check(blocks.size() >= 2, "header blocks missing from the block list");
        Check(blocks.back() == LoadedSoftware::kHeaderAddress &&
                  blocks[blocks.size() - 2] == LoadedSoftware::kHeaderSecondHalf,
              "header is not written last");
        for (int k = 0; k < software->BlockCount(); ++k) {
            const uint32_t a = software->BlockAddress(k);
            Check(a % LoadedSoftware::kBlockSize == 0 && a < LoadedSoftware::kFlashSize,
                  "block outside the flash");
            auto block = software->BlockData(k);
            unsigned sum = 0;
            for (uint8_t b : block) {
                sum += b;
            }
            (void)sum;
        }
        Check(!software->VersionText().empty(), "no version text");
        Check(software->VersionText().size() < 64, "version text longer than its format allows");
        image.SetTransferMode(true);
        Check(image.Current()->Bytes()[LoadedSoftware::kFlagAddress] == 1, "transfer flag not set");
    }
    return 0;
}

}  // namespace norda::fuzz
