#include "codeplug/RadioImage.h"

namespace norda {

namespace {

bool RangeFits(int start, int end) {
    return start >= 0 && start <= end && end <= RadioImage::kSize - 2;
}

}  // namespace

RadioImage& ProcessImage() {
    static RadioImage image;
    return image;
}

uint16_t AreaSum(const RadioImage& image, int start, int end) {
    if (!RangeFits(start, end)) {
        return 0;
    }
    uint16_t sum = 0;
    for (int i = start; i < end; ++i) {
        sum = static_cast<uint16_t>(sum + image[i]);
    }
    return sum;
}

int WriteAreaChecksum(RadioImage& image, int start, int end) {
    if (!RangeFits(start, end)) {
        return kChecksumRangeInvalid;
    }
    const uint16_t sum = AreaSum(image, start, end);
    image[end] = static_cast<uint8_t>(sum >> 8);
    image[end + 1] = static_cast<uint8_t>(sum & 0xFF);
    return kChecksumOk;
}

bool AreaChecksumMatches(const RadioImage& image, int start, int end) {
    if (!RangeFits(start, end)) {
        return false;
    }
    const uint16_t stored = static_cast<uint16_t>((image[end] << 8) | image[end + 1]);
    return stored == AreaSum(image, start, end);
}

}  // namespace norda
