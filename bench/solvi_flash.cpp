// How long SOLVI takes to flash a whole software image into simulated radios on real
// pseudo-terminals, against the line time of the bytes it moves, and what many ports at
// once cost. Runs on the steady clock: a full image at 9600 baud takes minutes.
//
//   solvi_flash [--bauds 9600,115200] [--radios 1,4,16] [--multi-baud 115200]
//               [--blocks N] [--slow-blocks N] [--erase-ms MS] [--reset-quiet-ms MS]
//
// --blocks is the number of code blocks of the image (1022 fill the flash; the two header
// blocks always come on top); --slow-blocks replaces it for single-radio runs below
// 115200 baud.
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "solvi/core/FlashSession.h"
#include "solvi/core/TMap27Thread.h"
#include "tools/radiosim/PtyServer.h"
#include "tools/radiosim/SimRadio.h"

namespace norda {
using namespace norda::solvi;
namespace {

using Steady = std::chrono::steady_clock;

constexpr int kMaxCodeBlocks = 1022;

struct Options {
    std::vector<int> bauds{9600, 115200};
    std::vector<int> radios{1, 4, 16};
    int multiBaud = 115200;
    int blocks = kMaxCodeBlocks;
    int slowBlocks = -1;
    uint32_t eraseMs = sim::RadioConfig{}.eraseMs;
    uint32_t resetQuietMs = sim::RadioConfig{}.resetQuietMs;
};

double Seconds(Steady::duration d) {
    return std::chrono::duration<double>(d).count();
}

double CpuSeconds(const rusage& r) {
    return static_cast<double>(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
           static_cast<double>(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

double LineSeconds(uint64_t bytes, int baud) {
    return static_cast<double>(bytes) * 10.0 / baud;
}

class ScratchDir {
  public:
    ScratchDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("solvi-bench-" + std::to_string(rd()) + "-" + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

std::string SRecord(uint32_t address, const uint8_t* data, size_t length) {
    // Sized once and filled: growing a four-byte vector by insert trips GCC 12's
    // -Warray-bounds at -O2.
    std::vector<uint8_t> bytes(4 + length);
    bytes[0] = static_cast<uint8_t>(3 + length + 1);
    bytes[1] = static_cast<uint8_t>(address >> 16);
    bytes[2] = static_cast<uint8_t>(address >> 8);
    bytes[3] = static_cast<uint8_t>(address);
    std::copy(data, data + length, bytes.begin() + 4);
    unsigned sum = 0;
    for (uint8_t b : bytes) {
        sum += b;
    }
    bytes.push_back(static_cast<uint8_t>(~sum));
    std::string line = "S2";
    char hex[3];
    for (uint8_t b : bytes) {
        std::snprintf(hex, sizeof hex, "%02X", b);
        line += hex;
    }
    return line + "\r\n";
}

// The first `codeBlocks` code blocks of the flash and the header, all with bytes below 0xFF
// so that no block reads as erased and every one of them is written.
std::string WriteImageFile(const ScratchDir& dir, int codeBlocks) {
    std::mt19937 rng(static_cast<uint32_t>(codeBlocks));
    std::vector<uint32_t> blocks;
    for (uint32_t a = 0;
         a < LoadedSoftware::kFlashSize && static_cast<int>(blocks.size()) < codeBlocks;
         a += LoadedSoftware::kBlockSize) {
        if (a != LoadedSoftware::kHeaderAddress && a != LoadedSoftware::kHeaderSecondHalf) {
            blocks.push_back(a);
        }
    }
    blocks.push_back(LoadedSoftware::kHeaderAddress);
    blocks.push_back(LoadedSoftware::kHeaderSecondHalf);
    std::sort(blocks.begin(), blocks.end());

    std::string text = "S00600004844521B\r\n";
    uint8_t chunk[32];
    for (uint32_t block : blocks) {
        for (uint32_t a = block; a < block + LoadedSoftware::kBlockSize; a += sizeof chunk) {
            for (uint8_t& b : chunk) {
                b = static_cast<uint8_t>(rng() % 255);
            }
            text += SRecord(a, chunk, sizeof chunk);
        }
    }
    text += "S804000000FB\r\n";
    const auto path = dir / ("image" + std::to_string(codeBlocks) + ".hex");
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
}

// Wire counters of one radio, copied out of the server thread after every round so that
// the session threads can take a reading at their own moments.
struct Wire {
    std::atomic<uint64_t> in{0};
    std::atomic<uint64_t> out{0};
    uint64_t Total() const { return in.load() + out.load(); }
};

struct Mark {
    Steady::time_point at{};
    uint64_t bytes = 0;
};

// Notes when a panel starts writing, starts restarting the radio and reports it programmed.
class TimingView : public FlashSessionView {
  public:
    explicit TimingView(const Wire& wire) : wire_(wire) {}

    void ShowStatus(int id) override {
        if (id == FlashSession::kTextWriting && !writing_) {
            writing_ = true;
            writeStart = Take();
        } else if (id == FlashSession::kTextRestarting && !restarting_) {
            restarting_ = true;
            writeEnd = Take();
        } else if (id == FlashSession::kTextProgrammed) {
            done = Take();
            programmed.store(true, std::memory_order_release);
        }
    }
    void SetGauge(GaugeState, int) override {}
    void EnableProgramButton(bool) override {}
    void ShowRadioVersion(const std::string&, const std::string&) override {}
    void PostResult(RunResult) override {}
    void RunEnded(const ProgrammingOutcome&) override {}

    Mark writeStart, writeEnd, done;
    std::atomic<bool> programmed{false};

  private:
    Mark Take() const { return {Steady::now(), wire_.Total()}; }

    const Wire& wire_;
    bool writing_ = false;
    bool restarting_ = false;
};

struct Panel {
    Panel(int com, int baud, const SoftwareImage& image, const ProgramFlags& flags,
          const Wire& wire)
        : view(wire), session(com, baud, image, flags, view), worker(session) {}

    TimingView view;
    FlashSession session;
    TMap27Thread worker;  // last, so it stops before the session goes
};

struct RunResult {
    bool ok = false;
    double seconds = 0;       // until the last radio reported programmed
    double firstSeconds = 0;  // until the first one did
    uint64_t wireBytes = 0;   // of one radio, both directions
    double writeSeconds = 0;  // first block out to the last block acknowledged, one radio
    uint64_t writeBytes = 0;
    double cpuSeconds = 0;  // the whole process
    double simCpuSeconds = 0;
    // Median real time from the radio's last byte to our next one, of every radio.
    double turnaroundMs = 0;
};

RunResult Flash(const ScratchDir& dir, const SoftwareImage& image, int radios, int baud,
                const Options& options) {
    RunResult result;
    const auto software = image.Current();
    SteadyClock& clock = SteadyClock::Instance();
    sim::PtyServer server(clock, (dir / "ports").string());
    sim::RadioConfig config;
    config.baud = static_cast<uint32_t>(baud);
    config.eraseMs = options.eraseMs;
    config.resetQuietMs = options.resetQuietMs;
    for (int com = 1; com <= radios; ++com) {
        std::string error;
        if (server.AddRadio(com, std::make_unique<sim::SimRadio>(clock, config), error) != 0) {
            std::fprintf(stderr, "solvi_flash: com%d: %s\n", com, error.c_str());
            return result;
        }
    }
    // Written by the serving thread only, read after it has ended.
    std::vector<double> turnarounds;
    server.SetTurnaroundListener([&turnarounds](int, double us) { turnarounds.push_back(us); });

    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    std::vector<Wire> wires(static_cast<size_t>(radios));
    std::atomic<bool> stop{false};
    double simCpu = 0;
    std::thread serving([&] {
        while (!stop.load(std::memory_order_acquire)) {
            server.RunOnce(1000);
            for (size_t i = 0; i < wires.size(); ++i) {
                const auto& stats = server.Radio(i).Stats();
                wires[i].in.store(stats.bytesIn, std::memory_order_relaxed);
                wires[i].out.store(stats.bytesOut, std::memory_order_relaxed);
            }
        }
        rusage own{};
        getrusage(RUSAGE_THREAD, &own);
        simCpu = CpuSeconds(own);
    });

    ProgramFlags flags;
    flags.autoProg = true;
    std::vector<std::unique_ptr<Panel>> panels;
    for (int com = 1; com <= radios; ++com) {
        panels.push_back(
            std::make_unique<Panel>(com, baud, image, flags, wires[static_cast<size_t>(com - 1)]));
    }

    const auto start = Steady::now();
    {
        // Each open waits a little for the line to settle; the ports do that side by side.
        std::vector<std::thread> openers;
        for (auto& panel : panels) {
            // A port that does not open shows in the panel's result.
            openers.emplace_back([&panel] { static_cast<void>(panel->session.Start()); });
        }
        for (auto& opener : openers) {
            opener.join();
        }
    }
    for (auto& panel : panels) {
        panel->worker.Start();
    }
    // Generous, so that only a broken build ends here: eight times the line time of the blocks.
    const auto limit =
        start + std::chrono::seconds(60 + 8 * software->BlockCount() * 160 * 10 / baud);
    auto allDone = [&] {
        return std::all_of(panels.begin(), panels.end(), [](const auto& p) {
            return p->view.programmed.load(std::memory_order_acquire);
        });
    };
    while (!allDone() && Steady::now() < limit) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const bool finished = allDone();
    for (auto& panel : panels) {
        panel->worker.RequestStop();
    }
    for (auto& panel : panels) {
        panel->worker.Join();
    }
    stop.store(true, std::memory_order_release);
    server.RequestStop();
    serving.join();
    rusage after{};
    getrusage(RUSAGE_SELF, &after);

    if (!finished) {
        std::fprintf(stderr, "solvi_flash: %d radio(s) at %d baud not programmed in time\n", radios,
                     baud);
        return result;
    }
    Steady::time_point first = Steady::time_point::max(), last{};
    for (const auto& panel : panels) {
        first = std::min(first, panel->view.done.at);
        last = std::max(last, panel->view.done.at);
    }
    const TimingView& one = panels.front()->view;
    result.seconds = Seconds(last - start);
    result.firstSeconds = Seconds(first - start);
    result.wireBytes = one.done.bytes;
    result.writeSeconds = Seconds(one.writeEnd.at - one.writeStart.at);
    result.writeBytes = one.writeEnd.bytes - one.writeStart.bytes;
    result.cpuSeconds = CpuSeconds(after) - CpuSeconds(before);
    result.simCpuSeconds = simCpu;
    if (!turnarounds.empty()) {
        const auto middle = turnarounds.begin() + static_cast<long>(turnarounds.size() / 2);
        std::nth_element(turnarounds.begin(), middle, turnarounds.end());
        result.turnaroundMs = *middle / 1000.0;
    }

    // A figure is only worth printing for a flash that holds the file.
    result.ok = true;
    const auto& want = software->Bytes();
    for (size_t i = 0; i < server.Count(); ++i) {
        const auto& flash = server.Radio(i).Flash();
        if (!std::equal(flash.begin(), flash.end(), want.begin()) ||
            server.Radio(i).Stats().memoryWrites != static_cast<uint32_t>(software->BlockCount())) {
            std::fprintf(stderr, "solvi_flash: com%zu holds something else than the file\n", i + 1);
            result.ok = false;
        }
    }
    return result;
}

bool ParseList(const char* text, std::vector<int>& out) {
    out.clear();
    std::string s(text);
    for (size_t pos = 0; pos <= s.size();) {
        size_t comma = s.find(',', pos);
        if (comma == std::string::npos) {
            comma = s.size();
        }
        const std::string item = s.substr(pos, comma - pos);
        char* end = nullptr;
        const long v = std::strtol(item.c_str(), &end, 10);
        if (item.empty() || *end != '\0' || v <= 0 || v > 115200) {
            return false;
        }
        out.push_back(static_cast<int>(v));
        pos = comma + 1;
    }
    return !out.empty();
}

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string opt = argv[i];
        if (i + 1 >= argc) {
            return false;
        }
        const char* value = argv[++i];
        std::vector<int> list;
        if (!ParseList(value, list)) {
            return false;
        }
        if (opt == "--bauds") {
            options.bauds = list;
        } else if (opt == "--radios") {
            options.radios = list;
        } else if (list.size() != 1) {
            return false;
        } else if (opt == "--multi-baud") {
            options.multiBaud = list[0];
        } else if (opt == "--blocks") {
            options.blocks = list[0];
        } else if (opt == "--slow-blocks") {
            options.slowBlocks = list[0];
        } else if (opt == "--erase-ms") {
            options.eraseMs = static_cast<uint32_t>(list[0]);
        } else if (opt == "--reset-quiet-ms") {
            options.resetQuietMs = static_cast<uint32_t>(list[0]);
        } else {
            return false;
        }
    }
    return options.blocks <= kMaxCodeBlocks && options.slowBlocks <= kMaxCodeBlocks &&
           std::all_of(options.radios.begin(), options.radios.end(), [](int n) { return n <= 16; });
}

int Main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: solvi_flash [--bauds 9600,115200] [--radios 1,4,16]\n"
                     "                   [--multi-baud 115200] [--blocks N] [--slow-blocks N]\n"
                     "                   [--erase-ms MS] [--reset-quiet-ms MS]\n"
                     "       N code blocks, 1..%d; the two header blocks come on top\n",
                     kMaxCodeBlocks);
        return 2;
    }
    ScratchDir dir;
    const std::string ports = (dir / "ports").string();
    std::filesystem::create_directories(ports);
    setenv("NORDA_PORTS", ports.c_str(), 1);

    auto load = [&](SoftwareImage& image, int codeBlocks) {
        return image.LoadSoftwareFile(WriteImageFile(dir, codeBlocks)) == Status::Ok &&
               image.Current()->BlockCount() == codeBlocks + 2;
    };
    int status = 0;
    std::printf(
        "simulated radio: erase %u ms, quiet after reset %u ms; line time = bytes x 10 / "
        "baud, both directions added\n\n",
        options.eraseMs, options.resetQuietMs);

    std::printf("%7s %7s %9s %11s %9s %6s   %9s %9s %6s %9s   %7s %7s %8s\n", "baud", "blocks",
                "time s", "wire bytes", "line s", "ratio", "write s", "w-line s", "ratio",
                "ms/block", "cpu s", "sim cpu", "turn ms");
    for (int baud : options.bauds) {
        const int codeBlocks =
            baud < 115200 && options.slowBlocks > 0 ? options.slowBlocks : options.blocks;
        SoftwareImage image;
        if (!load(image, codeBlocks)) {
            std::fprintf(stderr, "solvi_flash: the generated image does not load\n");
            return 1;
        }
        const RunResult r = Flash(dir, image, 1, baud, options);
        if (!r.ok) {
            status = 1;
            continue;
        }
        const double line = LineSeconds(r.wireBytes, baud);
        const double writeLine = LineSeconds(r.writeBytes, baud);
        std::printf(
            "%7d %7d %9.2f %11llu %9.2f %6.2f   %9.2f %9.2f %6.2f %9.1f   %7.2f %7.2f %8.3f\n",
            baud, codeBlocks + 2, r.seconds, static_cast<unsigned long long>(r.wireBytes), line,
            r.seconds / line, r.writeSeconds, writeLine, r.writeSeconds / writeLine,
            1000.0 * r.writeSeconds / (codeBlocks + 2), r.cpuSeconds, r.simCpuSeconds,
            r.turnaroundMs);
        std::fflush(stdout);
    }

    std::printf("\n%7s %7s %7s %9s %9s %8s %9s %9s %9s %7s\n", "radios", "baud", "blocks", "time s",
                "first s", "vs 1", "cpu s", "sim cpu", "cpu/radio", "cpu %");
    SoftwareImage image;
    if (!load(image, options.blocks)) {
        std::fprintf(stderr, "solvi_flash: the generated image does not load\n");
        return 1;
    }
    double oneRadio = 0;
    for (int radios : options.radios) {
        const RunResult r = Flash(dir, image, radios, options.multiBaud, options);
        if (!r.ok) {
            status = 1;
            continue;
        }
        if (radios == 1) {
            oneRadio = r.seconds;
        }
        const double programmerCpu = r.cpuSeconds - r.simCpuSeconds;
        char versus[16] = "-";
        if (oneRadio > 0) {
            std::snprintf(versus, sizeof versus, "%.2f", r.seconds / oneRadio);
        }
        std::printf("%7d %7d %7d %9.2f %9.2f %8s %9.2f %9.2f %9.3f %7.1f\n", radios,
                    options.multiBaud, options.blocks + 2, r.seconds, r.firstSeconds, versus,
                    r.cpuSeconds, r.simCpuSeconds, programmerCpu / radios,
                    100.0 * r.cpuSeconds / r.seconds);
        std::fflush(stdout);
    }
    std::printf(
        "\ncpu s: the whole process (getrusage), sessions and simulator together; "
        "sim cpu: the simulator's thread alone;\nturn ms: median real time from a radio's last "
        "byte to our next one;\ncpu/radio: (cpu s - sim cpu) / radios; "
        "vs 1: time to the last radio programmed over the time of one radio\n");
    return status;
}

}  // namespace
}  // namespace norda

int main(int argc, char** argv) {
    return norda::Main(argc, argv);
}
