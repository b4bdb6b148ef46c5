#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "tests/support/MemoryLine.h"

namespace norda::test {

// Writes down what crosses an in-memory line, frame by frame, as text a person can read
// and a test can compare: the time on the test's clock (ms since the recorder was made,
// taken when the frame's last byte crossed), the direction (">>" programmer to radio,
// "<<" radio to programmer), the frame's fields, then its bytes as they were on the wire.
//
// It cuts the streams into frames on its own and knows nothing of the programs' receivers,
// so it can tell when they are wrong: bytes outside a frame show as noise, a frame whose
// DLE sequence breaks as broken, check bytes that are not what the sender should put
// there are named. One thread: the one that drives the line.
class ConversationRecorder {
  public:
    ConversationRecorder(MemoryLine& line, Clock& clock);
    ~ConversationRecorder();
    ConversationRecorder(const ConversationRecorder&) = delete;
    ConversationRecorder& operator=(const ConversationRecorder&) = delete;

    // Everything recorded so far; bytes of a frame or noise still open at the end show
    // as incomplete.
    std::string Text() const;

  private:
    // One direction of the line, being cut into pieces.
    struct Side {
        enum class State { Hunt, Syn, SynDle, Body, BodyDle, Check1, Check2 };
        Side(const char* a, bool programmer) : arrow(a), fromProgrammer(programmer) {}
        const char* arrow;
        bool fromProgrammer;
        State state = State::Hunt;
        std::vector<uint8_t> noise;
        uint32_t noiseAt = 0;
        std::vector<uint8_t> raw;   // the frame as it came, from its SYN
        std::vector<uint8_t> body;  // de-stuffed, frame type first
        uint32_t rawAt = 0;
    };

    void Feed(Side& side, uint8_t byte, uint32_t at);
    void Hunt(Side& side, uint8_t byte, uint32_t at);
    void FlushNoise(Side& side);
    void Broken(Side& side, uint8_t byte, uint32_t at);
    static void EmitNoise(const Side& side, std::string& out);
    static void Pending(const Side& side, std::string& out);
    void Complete(Side& side, uint32_t at);
    static void Emit(uint32_t at, const Side& side, const std::string& what,
                     const std::vector<uint8_t>& bytes, std::string& out);

    MemoryLine& line_;
    Clock& clock_;
    const uint32_t start_;
    Side toRadio_{">>", true};
    Side toPort_{"<<", false};
    std::string text_;
};

}  // namespace norda::test
