#pragma once

// What the fault matrix needs around a program under test: a simulated radio on a
// pseudo-terminal served from this process (so its memory can be inspected after
// the run), the program run as a child with its output captured, and a few file
// helpers. Real time passes; every wait here is an upper bound, never a measurement.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/Clock.h"
#include "tools/radiosim/PtyServer.h"
#include "tools/radiosim/SimRadio.h"

namespace norda::test {

namespace fs = std::filesystem;

class ScratchDir {
  public:
    ScratchDir() {
        std::string pattern = (fs::temp_directory_path() / "norda-fault-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~ScratchDir() {
        std::error_code ec;
        fs::permissions(path_, fs::perms::owner_all, ec);
        fs::remove_all(path_, ec);
    }
    const fs::path& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

  private:
    fs::path path_;
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// One simulated radio as com1 of a ports folder, served by a thread of this
// process. `vanishWhen` is asked after every round on the serving thread; once it
// says so the pseudo-terminal is closed and the radio is gone for good.
class PtyRadio {
  public:
    using Condition = std::function<bool(const sim::SimRadio&)>;
    // Done to the radio after every round on the serving thread: a flash that misbehaves.
    using Tamper = std::function<void(sim::SimRadio&)>;

    PtyRadio(const fs::path& portsDir, const sim::RadioConfig& config,
             std::unique_ptr<sim::SimRadio> radio, Condition vanishWhen = nullptr,
             Tamper tamper = nullptr)
        : server_(std::make_unique<sim::PtyServer>(SteadyClock::Instance(), portsDir.string())),
          vanishWhen_(std::move(vanishWhen)),
          tamper_(std::move(tamper)) {
        (void)config;
        std::string error;
        ok_ = server_->AddRadio(1, std::move(radio), error) == 0;
        error_ = error;
        if (ok_) {
            device_ = server_->Device(0);
            thread_ = std::thread([this] { Serve(); });
        }
    }
    ~PtyRadio() { Stop(); }

    bool Ok() const { return ok_; }
    const std::string& Error() const { return error_; }
    const std::string& Device() const { return device_; }
    bool Vanished() const { return vanished_; }

    // Ends serving; afterwards the radio may be inspected from the test thread.
    void Stop() {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
    }
    // Only after Stop; null once the radio has vanished.
    sim::SimRadio* Radio() { return vanished_ ? nullptr : &server_->Radio(0); }
    // The radio's state when it vanished (valid after Stop).
    const sim::ParamMemory& ParamsAtEnd() const { return params_; }
    const std::vector<uint8_t>& FlashAtEnd() const { return flash_; }
    const sim::RadioStats& StatsAtEnd() const { return stats_; }

  private:
    void Serve() {
        while (!stop_) {
            server_->RunOnce(5);
            if (tamper_) {
                tamper_(server_->Radio(0));
            }
            if (vanishWhen_ && vanishWhen_(server_->Radio(0))) {
                Keep(server_->Radio(0));
                server_.reset();
                vanished_ = true;
                return;
            }
        }
        Keep(server_->Radio(0));
    }
    void Keep(sim::SimRadio& radio) {
        params_ = radio.Params();
        flash_ = radio.Flash();
        stats_ = radio.Stats();
    }

    std::unique_ptr<sim::PtyServer> server_;
    Condition vanishWhen_;
    Tamper tamper_;
    bool ok_ = false;
    std::string error_;
    std::string device_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> vanished_{false};
    sim::ParamMemory params_{};
    std::vector<uint8_t> flash_;
    sim::RadioStats stats_{};
};

// Another program that has the port: the exclusive lock a programmer takes.
class PortHolder {
  public:
    explicit PortHolder(const std::string& device) {
        fd_ = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd_ >= 0) {
            held_ = flock(fd_, LOCK_EX | LOCK_NB) == 0 && ioctl(fd_, TIOCEXCL) == 0;
        }
    }
    ~PortHolder() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    bool Held() const { return held_; }

  private:
    int fd_ = -1;
    bool held_ = false;
};

// An S-record file of a flash picture: every 32-byte run that is not erased, in
// S2 records between an S0 and an S9.
inline std::string HexOf(const std::vector<uint8_t>& flash) {
    auto pair = [](uint8_t b) {
        char text[3];
        std::snprintf(text, sizeof text, "%02X", b);
        return std::string(text);
    };
    auto record = [&](char type, uint32_t address, int addressBytes, const uint8_t* data, int n) {
        std::string line = std::string("S") + type;
        uint8_t sum = static_cast<uint8_t>(addressBytes + n + 1);
        line += pair(sum);
        for (int i = addressBytes - 1; i >= 0; --i) {
            const uint8_t b = static_cast<uint8_t>(address >> (8 * i));
            sum = static_cast<uint8_t>(sum + b);
            line += pair(b);
        }
        for (int i = 0; i < n; ++i) {
            sum = static_cast<uint8_t>(sum + data[i]);
            line += pair(data[i]);
        }
        return line + pair(static_cast<uint8_t>(~sum)) + "\r\n";
    };
    const uint8_t name[] = {'t', 'e', 's', 't'};
    std::string text = record('0', 0, 2, name, 4);
    for (uint32_t a = 0; a + 32 <= flash.size(); a += 32) {
        if (std::any_of(flash.begin() + a, flash.begin() + a + 32,
                        [](uint8_t b) { return b != 0xFF; })) {
            text += record('2', a, 3, flash.data() + a, 32);
        }
    }
    return text + record('9', 0, 2, nullptr, 0);
}

struct RunResult {
    int exitCode = -1000;  // the exit status, or -signal when killed
    std::string out;
    std::string err;
};

// Runs a program with NORDA_PORTS pointing at portsDir and collects its output.
// A program still running after `limitSeconds` is killed (and shows as -SIGKILL).
inline RunResult RunProgram(const std::vector<std::string>& argv, const fs::path& portsDir,
                            int limitSeconds = 180, const std::vector<std::string>& extraEnv = {}) {
    RunResult result;
    int out[2], err[2];
    if (pipe(out) != 0 || pipe(err) != 0) {
        return result;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        for (int fd : {out[0], out[1], err[0], err[1]}) {
            close(fd);
        }
        setenv("NORDA_PORTS", portsDir.c_str(), 1);
        // Backups of the reads stay in the scratch folder, not in the user's data.
        setenv("XDG_DATA_HOME", portsDir.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        for (const auto& e : extraEnv) {
            putenv(const_cast<char*>(e.c_str()));
        }
        std::vector<char*> args;
        for (const auto& a : argv) {
            args.push_back(const_cast<char*>(a.c_str()));
        }
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(limitSeconds);
    bool killed = false;
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    int open = 2;
    while (open > 0) {
        if (!killed && std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            killed = true;
        }
        if (poll(fds, 2, 200) <= 0) {
            continue;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) {
                continue;
            }
            char buffer[4096];
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n <= 0) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            } else {
                (i == 0 ? result.out : result.err).append(buffer, static_cast<size_t>(n));
            }
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    return result;
}

}  // namespace norda::test
