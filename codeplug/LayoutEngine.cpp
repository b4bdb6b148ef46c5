#include "codeplug/LayoutEngine.h"

#include <cstring>
#include <limits>

namespace norda {

namespace {

enum class ParseState { Start, Byte, Offset, Bit, Dot, Count, End };

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The bytes of a variable that a binding of `width` bits owns, as a value mask.
uint32_t StorageMask(int width) {
    if (width <= 8) {
        return 0xFFu;
    }
    if (width <= 16) {
        return 0xFFFFu;
    }
    return 0xFFFFFFFFu;
}

int StorageBytes(int width) {
    return width <= 8 ? 1 : width <= 16 ? 2 : 4;
}

// Variables are reached through their value, not their bytes, so the storage rule
// (bit k of the value is bit k % 8 of storage byte k / 8) holds on any host.
uint32_t Load(const FieldBinding& binding) {
    switch (binding.variableSize) {
        case 1: {
            uint8_t v;
            std::memcpy(&v, binding.variable, 1);
            return v;
        }
        case 2: {
            uint16_t v;
            std::memcpy(&v, binding.variable, 2);
            return v;
        }
        default: {
            uint32_t v;
            std::memcpy(&v, binding.variable, 4);
            return v;
        }
    }
}

void Store(const FieldBinding& binding, uint32_t value) {
    switch (binding.variableSize) {
        case 1: {
            const auto v = static_cast<uint8_t>(value);
            std::memcpy(binding.variable, &v, 1);
            break;
        }
        case 2: {
            const auto v = static_cast<uint16_t>(value);
            std::memcpy(binding.variable, &v, 2);
            break;
        }
        default:
            std::memcpy(binding.variable, &value, 4);
            break;
    }
}

// A segment may only use image bytes and value bits that the binding owns: the
// byte inside the image, and bits n .. n - count + 1 of the value within one byte
// of it (the value byte is chosen once, at the segment's highest bit).
bool SegmentFits(int32_t byte, int n, int count) {
    if (byte < 0 || byte >= RadioImage::kSize) {
        return false;
    }
    const int low = n - count + 1;
    return low >= 0 && low / 8 == n / 8;
}

enum class Pass { Decode, Encode };

LayoutStatus RunBinding(const FieldBinding& binding, RadioImage& image, Pass pass,
                        LayoutStatus status) {
    uint32_t value = Load(binding);
    if (pass == Pass::Decode) {
        value &= ~StorageMask(binding.width);
    }
    int n = binding.width - 1;
    std::string_view work = binding.layout;
    while (!work.empty() && status == kLayoutOk) {
        int32_t byte = 0;
        int bit = 0;
        int count = 0;
        status = ParseSegment(work, byte, bit, count);
        if (status != kLayoutOk) {
            break;
        }
        if (!SegmentFits(byte, n, count)) {
            status = kLayoutOutsideStorage;
            break;
        }
        uint8_t& target = image[byte];
        for (int i = 0; i < count; ++i, --bit, --n) {
            const uint32_t valueBit = 1u << n;
            const auto imageBit = static_cast<uint8_t>(1u << bit);
            if (pass == Pass::Decode) {
                if (target & imageBit) {
                    value |= valueBit;
                } else {
                    value &= ~valueBit;
                }
            } else if (value & valueBit) {
                target = static_cast<uint8_t>(target | imageBit);
            } else {
                target = static_cast<uint8_t>(target & ~imageBit);
            }
        }
    }
    if (pass == Pass::Decode) {
        Store(binding, value);
    }
    return status;
}

}  // namespace

LayoutStatus ParseSegment(std::string_view& text, int32_t& byte, int& bit, int& count) {
    byte = 0;
    bit = 0;
    count = 0;
    constexpr int64_t kMaxByte = std::numeric_limits<int32_t>::max();
    int64_t number = 0;
    int64_t offset = 0;
    ParseState state = ParseState::Start;
    // The end of the text acts as the terminator "!".
    for (size_t i = 0; i <= text.size(); ++i) {
        const char c = i < text.size() ? text[i] : '!';
        if (c == ' ') {
            continue;
        }
        switch (state) {
            case ParseState::Start:
                if (!IsDigit(c)) {
                    return kLayoutUnexpectedCharacter;
                }
                number = c - '0';
                state = ParseState::Byte;
                break;
            case ParseState::Byte:
                if (IsDigit(c)) {
                    number = 10 * number + (c - '0');
                    if (number > kMaxByte) {
                        return kLayoutByteOverflow;
                    }
                } else if (c == '+') {
                    offset = 0;
                    state = ParseState::Offset;
                } else if (c == '.') {
                    state = ParseState::Bit;
                } else {
                    return kLayoutUnexpectedCharacter;
                }
                break;
            case ParseState::Offset:
                if (IsDigit(c)) {
                    offset = 10 * offset + (c - '0');
                    if (offset > kMaxByte) {
                        return kLayoutByteOverflow;
                    }
                } else if (c == '.') {
                    number += offset;
                    if (number > kMaxByte) {
                        return kLayoutByteOverflow;
                    }
                    state = ParseState::Bit;
                } else {
                    return kLayoutUnexpectedCharacter;
                }
                break;
            case ParseState::Bit:
                if (c < '0' || c > '7') {
                    return kLayoutBadBitNumber;
                }
                bit = c - '0';
                state = ParseState::Dot;
                break;
            case ParseState::Dot:
                if (c != '.') {
                    return kLayoutUnexpectedCharacter;
                }
                state = ParseState::Count;
                break;
            case ParseState::Count:
                if (c < '1' || c > '8') {
                    return kLayoutBadBitCount;
                }
                count = c - '0';
                state = ParseState::End;
                break;
            case ParseState::End:
                if (c != ';' && c != '!') {
                    return kLayoutUnexpectedCharacter;
                }
                byte = static_cast<int32_t>(number);
                if (count > bit + 1) {
                    return kLayoutCountExceedsBit;
                }
                if (c == ';') {
                    text.remove_prefix(i + 1);
                } else {
                    text = {};
                }
                return kLayoutOk;
        }
    }
    // Unreachable: the terminator ends every state.
    return kLayoutUnexpectedCharacter;
}

Status FieldList::Bind(void* variable, int variableSize, int width, std::string_view layout) {
    if (width < 1 || width > 32 || StorageBytes(width) > variableSize ||
        layout.size() > static_cast<size_t>(kMaxLayoutLength)) {
        refused_ = true;
        return Status::Refused;
    }
    bindings_.push_back(FieldBinding{variable, variableSize, width, std::string(layout)});
    return Status::Ok;
}

LayoutStatus FieldList::Decode() const {
    if (refused_) {
        return kLayoutBindingRefused;
    }
    if (image_ == nullptr) {
        return bindings_.empty() ? kLayoutOk : kLayoutOutsideStorage;
    }
    LayoutStatus status = kLayoutOk;
    for (const FieldBinding& binding : bindings_) {
        status = RunBinding(binding, *image_, Pass::Decode, status);
    }
    return status;
}

LayoutStatus FieldList::Encode() const {
    if (refused_) {
        return kLayoutBindingRefused;
    }
    if (image_ == nullptr) {
        return bindings_.empty() ? kLayoutOk : kLayoutOutsideStorage;
    }
    image_->Clear();
    LayoutStatus status = kLayoutOk;
    for (const FieldBinding& binding : bindings_) {
        status = RunBinding(binding, *image_, Pass::Encode, status);
    }
    return status;
}

FieldList& ProcessFieldList() {
    static FieldList list;
    return list;
}

void FreeFieldList() {
    ProcessFieldList().Free();
}

LayoutStatus DecodeImage() {
    return ProcessFieldList().Decode();
}

LayoutStatus EncodeImage() {
    return ProcessFieldList().Encode();
}

}  // namespace norda
