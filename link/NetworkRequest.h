#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace norda {

// One network message to the radio, as it goes into an LT: a memory read or write, the
// reset command or the loop command. Two requests are the same when their messages are:
// only the same message may go out again under an unacknowledged sequence number.
class NetworkRequest {
  public:
    static constexpr uint32_t kMaxAddress = 0xFFFFFF;
    static constexpr size_t kMaxWrite = 255;

    static NetworkRequest Read(uint8_t operation, uint8_t memory, uint32_t address, uint8_t length);
    // length 1..255
    static NetworkRequest Write(uint8_t operation, uint8_t memory, uint32_t address,
                                const uint8_t* data, size_t length);
    static NetworkRequest Reset(uint8_t value);
    static NetworkRequest Loop(uint8_t value);

    // False for arguments outside the message format; such a request is never sent.
    bool Valid() const { return size_ > 0; }
    // A reply is due: the radio answers a read with the area.
    bool ReplyDue() const { return replyDue_; }
    bool IsLoop() const { return loop_; }
    // The radio's data for this read: a reply from the memory and the address it asked.
    bool AnsweredBy(uint8_t memory, uint32_t address) const;
    // Data bytes the reply to this read carries.
    size_t ReplyDataLength() const { return replyDue_ ? message_[6] : 0; }
    const uint8_t* Message() const { return message_.data(); }
    size_t Size() const { return size_; }

    bool operator==(const NetworkRequest& other) const;

  private:
    // A two-byte command: its code and its one value.
    static NetworkRequest Command(uint8_t code, uint8_t value);

    std::array<uint8_t, 6 + kMaxWrite> message_{};
    size_t size_ = 0;
    bool replyDue_ = false;
    bool loop_ = false;
};

}  // namespace norda
