#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "tools/radiosim/SimRadio.h"

namespace norda::sim {

// Serves simulated radios on pseudo-terminals, one per COM number, each linked
// as DIR/com<N> so that a programmer finds it through its ports directory.
class PtyServer {
  public:
    PtyServer(Clock& clock, std::string portsDir, std::FILE* wireLog = nullptr);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Creates the pseudo-terminal (raw) and the link. Returns 0 or a negative
    // errno value; `error` then says what failed.
    int AddRadio(int com, std::unique_ptr<SimRadio> radio, std::string& error);
    size_t Count() const { return ports_.size(); }
    int Com(size_t i) const { return ports_[i].com; }
    const std::string& Device(size_t i) const { return ports_[i].device; }
    SimRadio& Radio(size_t i) { return *ports_[i].radio; }

    // The radio on the bench can be swapped for another, as a technician swaps the radios
    // of a series: `maker` builds the next radio of a port. With `afterReset` a radio is
    // swapped as soon as it has acknowledged a reset command. Each swap is told on
    // `report` as "comN: serial S off the bench, serial T on".
    using RadioMaker = std::function<std::unique_ptr<SimRadio>(int com)>;
    void SetRadioMaker(RadioMaker maker, bool afterReset, std::FILE* report);
    // What the report adds about the radio going off the bench ("; " and the note), so a
    // long run can be checked radio by radio.
    using SwapNote = std::function<std::string(SimRadio& leaving)>;
    void SetSwapNote(SwapNote note) { swapNote_ = std::move(note); }
    // Told, in real microseconds, how long the programmer took to answer: from the last
    // byte of a radio's burst leaving it to the first byte coming back. For measuring how
    // quickly a programmer turns the line round; called from RunOnce.
    using TurnaroundListener = std::function<void(int com, double microseconds)>;
    void SetTurnaroundListener(TurnaroundListener listener) { turnaround_ = std::move(listener); }
    // Async-signal-safe: every port gets its next radio in the next round.
    void RequestSwap();

    // One round: reads what the programmers wrote, runs the radios, writes what
    // is due, waiting at most `maxWaitMs` for something to happen.
    void RunOnce(int maxWaitMs);
    // Rounds until RequestStop.
    void Serve();
    // Async-signal-safe.
    void RequestStop();

  private:
    struct Port {
        int com = 0;
        int master = -1;
        std::string device;
        std::string link;
        std::unique_ptr<SimRadio> radio;
        bool connected = false;
        std::vector<uint8_t> unsent;
        // Radio output is logged a burst to a line, stamped with its first byte.
        std::vector<uint8_t> logOut;
        uint32_t logOutStart = 0;
        // The radio's last burst has left it and nothing has come back since.
        bool answerAwaited = false;
        std::chrono::steady_clock::time_point burstEnd{};
    };

    void CheckConnection(Port& port);
    void SwapRadio(Port& port);
    void ReadFrom(Port& port);
    void WriteTo(Port& port);
    void Log(const Port& port, uint32_t tick, const char* direction, const uint8_t* data,
             size_t length);
    void FlushOutputLog(Port& port);

    Clock& clock_;
    std::string portsDir_;
    std::FILE* log_;
    uint32_t startTick_;
    std::vector<Port> ports_;
    int wake_[2] = {-1, -1};
    std::atomic<bool> stop_{false};  // lock-free, so a signal handler may set it
    std::atomic<bool> swap_{false};
    RadioMaker maker_;
    bool swapAfterReset_ = false;
    std::FILE* swapReport_ = nullptr;
    SwapNote swapNote_;
    TurnaroundListener turnaround_;
};

}  // namespace norda::sim
