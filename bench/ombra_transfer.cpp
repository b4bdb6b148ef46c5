// How close ombra-cli's read and copy come to the serial line's own speed: each
// run drives the radiosim program on a pseudo-terminal, paced at the given baud,
// and compares the wall time with the line time of the bytes the simulator logged
// in both directions (10 bits a byte). Both programs are taken from this
// benchmark's own folder (build/bin). turn_ms is the median of our turnarounds: from the
// radio's last byte of a burst to ombra-cli's next byte, in real time.

#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

fs::path OwnFolder() {
    return fs::read_symlink("/proc/self/exe").parent_path();
}

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

pid_t Spawn(const std::vector<std::string>& args, const fs::path& portsDir, const fs::path& out) {
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    setenv("NORDA_PORTS", portsDir.c_str(), 1);
    setenv("XDG_DATA_HOME", portsDir.c_str(), 1);
    if (std::freopen(out.c_str(), "w", stdout) == nullptr)
        _exit(127);
    if (std::freopen((out.string() + ".err").c_str(), "w", stderr) == nullptr)
        _exit(127);
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
}

class Rig {
  public:
    explicit Rig(int baud) : baud_(baud) {
        char pattern[] = "/tmp/ombra_bench_XXXXXX";
        dir_ = mkdtemp(pattern);
        std::ofstream(dir_ / "ombra.INI") << "[International]\r\nCountry Code=90\r\n";
    }
    ~Rig() {
        StopRadio();
        fs::remove_all(dir_);
    }

    bool StartRadio() {
        StopRadio();
        fs::remove(dir_ / "wire.log");
        fs::remove(dir_ / "turnarounds");
        // The last radio's "com1 ->" must not pass for this one's before it has its port.
        fs::remove(dir_ / "radiosim.out");
        radio_ = Spawn({(OwnFolder() / "radiosim").string(), "--ports-dir", dir_.string(), "--com",
                        "1", "--baud", std::to_string(baud_), "--log", (dir_ / "wire.log").string(),
                        "--turnarounds", (dir_ / "turnarounds").string()},
                       dir_, dir_ / "radiosim.out");
        for (int i = 0; i < 500; ++i) {
            if (Slurp(dir_ / "radiosim.out").find("com1 ->") != std::string::npos)
                return true;
            usleep(10000);
        }
        return false;
    }
    void StopRadio() {
        if (radio_ <= 0)
            return;
        kill(radio_, SIGTERM);
        waitpid(radio_, nullptr, 0);
        radio_ = -1;
    }

    // ombra-cli COMMAND FILE; its exit status.
    int Cli(const std::string& command, const std::string& file) {
        const pid_t pid = Spawn(
            {(OwnFolder() / "ombra-cli").string(), command, "--port", "1", "--baud",
             std::to_string(baud_), "--ini", (dir_ / "ombra.INI").string(), (dir_ / file).string()},
            dir_, dir_ / "cli.out");
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // Bytes the simulator saw go either way since it started.
    long WireBytes() const {
        std::istringstream log(Slurp(dir_ / "wire.log"));
        std::string line;
        long bytes = 0;
        while (std::getline(log, line)) {
            if (line.empty() || line[0] == '#')
                continue;
            std::istringstream fields(line);
            std::string time, com, direction, count;
            fields >> time >> com >> direction >> count;
            bytes += std::atol(count.c_str());
        }
        return bytes;
    }

    // The median of the radio's turnaround log, in milliseconds; 0 without one.
    double MedianTurnaroundMs() const {
        std::istringstream log(Slurp(dir_ / "turnarounds"));
        std::string com;
        double us = 0;
        std::vector<double> all;
        while (log >> com >> us)
            all.push_back(us);
        if (all.empty())
            return 0;
        std::nth_element(all.begin(), all.begin() + static_cast<long>(all.size() / 2), all.end());
        return all[all.size() / 2] / 1000.0;
    }

    int Baud() const { return baud_; }

  private:
    int baud_;
    fs::path dir_;
    pid_t radio_ = -1;
};

// One timed ombra-cli run against a fresh radio; with readFirst an untimed read
// of another fresh radio gives the codeplug that the copy writes.
void Measure(benchmark::State& state, const std::string& command, bool readFirst) {
    Rig rig(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (!rig.StartRadio()) {
            state.SkipWithError("radiosim did not start");
            return;
        }
        if (readFirst) {
            if (rig.Cli("read", "radio.omb") != 0 || !rig.StartRadio()) {
                state.SkipWithError("could not read the radio first");
                return;
            }
        }
        const auto start = std::chrono::steady_clock::now();
        const int status = rig.Cli(command, "radio.omb");
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        rig.StopRadio();
        if (status != 0) {
            state.SkipWithError("ombra-cli failed");
            return;
        }
        state.SetIterationTime(elapsed.count());
        const long bytes = rig.WireBytes();
        const double lineSeconds = bytes * 10.0 / rig.Baud();
        state.counters["wire_bytes"] = static_cast<double>(bytes);
        state.counters["line_s"] = lineSeconds;
        state.counters["ratio"] = lineSeconds > 0 ? elapsed.count() / lineSeconds : 0;
        state.counters["turn_ms"] = rig.MedianTurnaroundMs();
    }
}

void BM_Read(benchmark::State& state) {
    Measure(state, "read", false);
}
void BM_Copy(benchmark::State& state) {
    Measure(state, "copy", true);
}

BENCHMARK(BM_Read)->Arg(9600)->Arg(115200)->Iterations(1)->UseManualTime()->Unit(
    benchmark::kMillisecond);
BENCHMARK(BM_Copy)->Arg(9600)->Arg(115200)->Iterations(1)->UseManualTime()->Unit(
    benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
