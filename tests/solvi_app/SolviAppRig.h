#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/Clock.h"
#include "platform/Windows1254.h"
#include "solvi/app/TApp.h"
#include "solvi/app/TFrameWin.h"
#include "tests/support/QtPrinting.h"
#include "tools/radiosim/FlashImage.h"
#include "tools/radiosim/PtyServer.h"
#include "tools/radiosim/SimRadio.h"

namespace norda::solvi::test {

inline void EnsureApplication() {
    static int argc = 1;
    static char name[] = "solvi_app_tests";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        if (std::getenv("QT_QPA_PLATFORM") == nullptr)
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        new QApplication(argc, argv);
    }
}

// Runs the event loop until pred holds; the limit only keeps a broken build from hanging.
inline bool WaitFor(const std::function<bool()>& pred, int limitMs = 120000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// One S-record line with its checksum.
inline std::string SRecord(char type, uint32_t address, const std::vector<uint8_t>& data) {
    const int addressBytes = type == '2' || type == '8' ? 3 : 2;
    std::vector<uint8_t> bytes{static_cast<uint8_t>(addressBytes + data.size() + 1)};
    for (int i = addressBytes - 1; i >= 0; --i)
        bytes.push_back(static_cast<uint8_t>(address >> (8 * i)));
    bytes.insert(bytes.end(), data.begin(), data.end());
    unsigned sum = 0;
    for (uint8_t b : bytes)
        sum += b;
    bytes.push_back(static_cast<uint8_t>(~sum));
    std::string line = {'S', type};
    char hex[3];
    for (uint8_t b : bytes) {
        std::snprintf(hex, sizeof hex, "%02X", b);
        line += hex;
    }
    return line;
}

// A small radio software file: `codeBlocks` blocks of code from 0x2000 and a header
// naming it "ABC 5.01" of 7 March 2002 with the description given.
inline std::string SoftwareFile(int codeBlocks, uint8_t seed, const std::string& description) {
    std::string text = SRecord('0', 0, {'H', 'D', 'R'}) + "\r\n";
    std::mt19937 random(seed);
    for (int k = 0; k < codeBlocks; ++k)
        for (int part = 0; part < 4; ++part) {
            std::vector<uint8_t> data(32);
            for (auto& b : data)
                b = static_cast<uint8_t>(random() % 255);  // never a whole block of FF
            text += SRecord('2', 0x2000 + k * 128 + part * 32, data) + "\r\n";
        }
    std::vector<uint8_t> header(256, 0xFF);
    header[0] = 'C';
    header[1] = 5;
    header[2] = 1;
    header[5] = 7;
    header[6] = 3;
    header[7] = 0xD2;
    header[8] = 0x07;
    header[9] = 'A';
    header[10] = 'B';
    header[11] = header[12] = 0;
    // The radio designers write the description in the Turkish ANSI code page.
    const std::string ansi = Utf8ToWindows1254(description);
    for (size_t i = 0; i <= ansi.size(); ++i)
        header[13 + i] = i < ansi.size() ? static_cast<uint8_t>(ansi[i]) : 0;
    for (int part = 0; part < 8; ++part)
        text += SRecord('2', 0x10000 + part * 32,
                        std::vector<uint8_t>(header.begin() + part * 32,
                                             header.begin() + part * 32 + 32)) +
                "\r\n";
    return text + SRecord('8', 0, {}) + "\r\n";
}

// A temporary folder with the ports directory, the configuration and the data home in it,
// named by NORDA_PORTS, XDG_CONFIG_HOME and XDG_DATA_HOME while the object lives.
class TestHome {
  public:
    TestHome() {
        std::random_device rd;
        root_ = std::filesystem::temp_directory_path() /
                ("solvi-app-" + std::to_string(rd()) + "-" + std::to_string(rd()));
        std::filesystem::create_directories(root_ / "ports");
        std::filesystem::create_directories(root_ / "config");
        setenv("NORDA_PORTS", Ports().c_str(), 1);
        setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    }
    ~TestHome() {
        unsetenv("NORDA_PORTS");
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("XDG_DATA_HOME");
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    std::string Ports() const { return (root_ / "ports").string(); }
    std::string Registry() const { return (root_ / "config" / "norda" / "registry").string(); }
    std::string Path(const std::string& name) const { return (root_ / name).string(); }
    std::string Write(const std::string& name, const std::string& content) const {
        std::ofstream(Path(name), std::ios::binary) << content;
        return Path(name);
    }

  private:
    std::filesystem::path root_;
};

// What stands on the bench of a RadioRig.
struct Bench {
    bool blankFlash = false;  // factory-new radios: the flash all erased
    // Each radio that acknowledged its restart makes room for the next, as in a series.
    bool swapAfterReset = false;
};

// Simulated radios on pseudo-terminals in the ports directory, served by a thread of
// their own. Their memories may be looked at once Stop has returned.
class RadioRig {
  public:
    RadioRig(const std::string& portsDir, const std::vector<int>& coms,
             const sim::RadioConfig& config, Bench bench = {})
        : server_(SteadyClock::Instance(), portsDir) {
        auto make = [config, bench] {
            return std::make_unique<sim::SimRadio>(
                SteadyClock::Instance(), config, sim::GenerateParamMemory(config.halfBaseChan),
                bench.blankFlash ? std::vector<uint8_t>(sim::kFlashSize, 0xFF)
                                 : sim::GenerateFlashImage());
        };
        for (int com : coms) {
            std::string error;
            ok_ = ok_ && server_.AddRadio(com, make(), error) == 0;
        }
        if (bench.swapAfterReset)
            server_.SetRadioMaker(
                [this, make](int) {
                    ++swaps_;
                    return make();
                },
                true, nullptr);
        thread_ = std::thread([this] { server_.Serve(); });
    }
    // Radios that have left the bench.
    int Swaps() const { return swaps_.load(); }
    ~RadioRig() { Stop(); }
    void Stop() {
        if (thread_.joinable()) {
            server_.RequestStop();
            thread_.join();
        }
    }
    bool Ok() const { return ok_; }
    sim::SimRadio& Radio(size_t i) { return server_.Radio(i); }

  private:
    sim::PtyServer server_;
    std::thread thread_;
    bool ok_ = true;
    std::atomic<int> swaps_{0};
};

struct Message {
    std::string text;
    std::string caption;
};

// TApp with the test's registry and recorded message boxes.
inline std::unique_ptr<TApp> MakeApp(const CommandLine& line, const PortFlags& available,
                                     const std::string& registryRoot,
                                     std::vector<Message>* messages,
                                     std::string programDir = std::string()) {
    if (programDir.empty())
        programDir = QCoreApplication::applicationDirPath().toStdString();
    auto app = std::make_unique<TApp>(line, available,
                                      std::make_unique<RegistryStore>(registryRoot), programDir);
    app->showMessage = [messages](const std::string& text, const std::string& caption) {
        messages->push_back({text, caption});
    };
    app->askOpenFile = [](const std::string&) { return std::string(); };
    return app;
}

inline PortFlags Ports(std::initializer_list<int> ports) {
    PortFlags flags{};
    for (int p : ports)
        flags[p] = true;
    return flags;
}

}  // namespace norda::solvi::test
