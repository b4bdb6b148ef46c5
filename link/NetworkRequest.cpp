#include "link/NetworkRequest.h"

#include <algorithm>
#include <cstring>

namespace norda {

namespace {

constexpr uint8_t kCodeMemory = 0x03;
constexpr uint8_t kCodeReset = 0x04;
constexpr uint8_t kCodeLoop = 0x0D;

}  // namespace

NetworkRequest NetworkRequest::Read(uint8_t operation, uint8_t memory, uint32_t address,
                                    uint8_t length) {
    NetworkRequest request;
    if (address > kMaxAddress) {
        return request;
    }
    request.message_ = {kCodeMemory,
                        operation,
                        memory,
                        static_cast<uint8_t>(address >> 16),
                        static_cast<uint8_t>(address >> 8),
                        static_cast<uint8_t>(address),
                        length};
    request.size_ = 7;
    request.replyDue_ = true;
    return request;
}

NetworkRequest NetworkRequest::Write(uint8_t operation, uint8_t memory, uint32_t address,
                                     const uint8_t* data, size_t length) {
    NetworkRequest request;
    if (address > kMaxAddress || data == nullptr || length < 1 || length > kMaxWrite) {
        return request;
    }
    uint8_t* m = request.message_.data();
    m[0] = kCodeMemory;
    m[1] = operation;
    m[2] = memory;
    m[3] = static_cast<uint8_t>(address >> 16);
    m[4] = static_cast<uint8_t>(address >> 8);
    m[5] = static_cast<uint8_t>(address);
    std::memcpy(m + 6, data, length);
    request.size_ = 6 + length;
    return request;
}

NetworkRequest NetworkRequest::Command(uint8_t code, uint8_t value) {
    NetworkRequest request;
    request.message_[0] = code;
    request.message_[1] = value;
    request.size_ = 2;
    return request;
}

NetworkRequest NetworkRequest::Reset(uint8_t value) {
    return Command(kCodeReset, value);
}

NetworkRequest NetworkRequest::Loop(uint8_t value) {
    NetworkRequest request = Command(kCodeLoop, value);
    request.loop_ = true;
    return request;
}

bool NetworkRequest::AnsweredBy(uint8_t memory, uint32_t address) const {
    const uint32_t asked = static_cast<uint32_t>(message_[3]) << 16 |
                           static_cast<uint32_t>(message_[4]) << 8 | message_[5];
    return replyDue_ && message_[2] == memory && asked == address;
}

bool NetworkRequest::operator==(const NetworkRequest& other) const {
    return size_ == other.size_ &&
           std::equal(message_.begin(), message_.begin() + static_cast<std::ptrdiff_t>(size_),
                      other.message_.begin());
}

}  // namespace norda
