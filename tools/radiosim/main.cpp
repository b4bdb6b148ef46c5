// radiosim: simulated NORDA radios on pseudo-terminals, for tests and demos.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/NordaVersion.h"
#include "tools/radiosim/FlashImage.h"
#include "tools/radiosim/ParamImage.h"
#include "tools/radiosim/PtyServer.h"
#include "tools/radiosim/SimRadio.h"

namespace {

norda::sim::PtyServer* g_server = nullptr;

void OnSignal(int) {
    if (g_server)
        g_server->RequestStop();
}

void OnSwapSignal(int) {
    if (g_server)
        g_server->RequestSwap();
}

void Usage(std::FILE* to = stderr) {
    std::fprintf(to,
                 "usage: radiosim --ports-dir DIR --com N [--com M ...] [--baud B]\n"
                 "                [--band HALFBASECHAN] [--param-image FILE]\n"
                 "                [--flash-hex FILE | --blank-flash]\n"
                 "                [--fault NAME[=V] ...] [--log FILE]\n"
                 "                [--answer-lr-with-lr] [--erase-ms MS] [--reset-quiet-ms MS]\n"
                 "                [--erase-reads busy|old|erased] [--swap-after-reset]\n"
                 "                [--expect-flash FILE] [--turnarounds FILE]\n"
                 "       radiosim --help | --version\n"
                 "--blank-flash: the radio comes from the factory, its flash all erased (FF)\n"
                 "faults: silent no-data-reply drop-la-every=N relink-after=K garbage\n"
                 "        never-erased ignore-reset bad-fcs[=N] lose-writes\n"
                 "a new radio (fresh memory, the next serial number) takes the place of every\n"
                 "radio on SIGUSR1, and of each radio that acknowledged a reset command with\n"
                 "--swap-after-reset; each swap is told on stdout, with --expect-flash also\n"
                 "whether the radio leaving holds that S-record file; --turnarounds writes,\n"
                 "a line each, how many microseconds the programmer took from a radio's last\n"
                 "byte to its own next byte\n");
}

bool ParseNumber(const std::string& text, long minimum, long maximum, long& out) {
    if (text.empty())
        return false;
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || v < minimum || v > maximum)
        return false;
    out = v;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace norda::sim;
    std::string portsDir, paramImage, flashHex, expectHex, logPath, turnaroundPath;
    std::vector<int> coms;
    RadioConfig config;
    bool swapAfterReset = false;
    bool blankFlash = false;

    std::vector<std::string> args(argv + 1, argv + argc);
    for (size_t i = 0; i < args.size(); ++i) {
        std::string opt = args[i];
        std::string value;
        bool inlineValue = false;
        if (const size_t eq = opt.find('='); opt.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = opt.substr(eq + 1);
            opt = opt.substr(0, eq);
            inlineValue = true;
        }
        auto next = [&](std::string& target) {
            if (inlineValue) {
                target = value;
                return true;
            }
            if (i + 1 >= args.size())
                return false;
            target = args[++i];
            return true;
        };
        long n = 0;
        std::string v;
        if (opt == "--help" || opt == "-h") {
            Usage(stdout);
            return 0;
        } else if (opt == "--version") {
            std::printf("radiosim %s\n", norda::kVersion);
            return 0;
        } else if (opt == "--blank-flash") {
            blankFlash = true;
        } else if (opt == "--swap-after-reset") {
            swapAfterReset = true;
        } else if (opt == "--ports-dir") {
            if (!next(portsDir))
                return Usage(), 2;
        } else if (opt == "--com") {
            if (!next(v) || !ParseNumber(v, 1, 256, n))
                return Usage(), 2;
            coms.push_back(static_cast<int>(n));
        } else if (opt == "--baud") {
            if (!next(v) || !ParseNumber(v, 0, 115200, n))
                return Usage(), 2;
            config.baud = static_cast<uint32_t>(n);
        } else if (opt == "--band") {
            if (!next(v) || !ParseNumber(v, 1, 0xFFFE, n))
                return Usage(), 2;
            config.halfBaseChan = static_cast<uint16_t>(n);
        } else if (opt == "--param-image") {
            if (!next(paramImage))
                return Usage(), 2;
        } else if (opt == "--flash-hex") {
            if (!next(flashHex))
                return Usage(), 2;
        } else if (opt == "--expect-flash") {
            if (!next(expectHex))
                return Usage(), 2;
        } else if (opt == "--log") {
            if (!next(logPath))
                return Usage(), 2;
        } else if (opt == "--turnarounds") {
            if (!next(turnaroundPath))
                return Usage(), 2;
        } else if (opt == "--fault") {
            if (!next(v))
                return Usage(), 2;
            const int rc = ApplyFault(v, config.faults);
            if (rc != 0) {
                std::fprintf(stderr, "radiosim: %s fault: %s\n",
                             rc == -1 ? "unknown" : "bad value for", v.c_str());
                return 2;
            }
        } else if (opt == "--answer-lr-with-lr") {
            config.answerLrWithLr = true;
        } else if (opt == "--erase-ms") {
            if (!next(v) || !ParseNumber(v, 0, 600000, n))
                return Usage(), 2;
            config.eraseMs = static_cast<uint32_t>(n);
        } else if (opt == "--erase-reads") {
            if (!next(v) || (v != "busy" && v != "old" && v != "erased"))
                return Usage(), 2;
            config.eraseReads = v == "old"      ? RadioConfig::EraseReads::Old
                                : v == "erased" ? RadioConfig::EraseReads::Erased
                                                : RadioConfig::EraseReads::Busy;
        } else if (opt == "--reset-quiet-ms") {
            if (!next(v) || !ParseNumber(v, 0, 600000, n))
                return Usage(), 2;
            config.resetQuietMs = static_cast<uint32_t>(n);
        } else {
            std::fprintf(stderr, "radiosim: unknown argument %s\n", args[i].c_str());
            Usage();
            return 2;
        }
    }
    if (portsDir.empty() || coms.empty()) {
        Usage();
        return 2;
    }

    ParamMemory params = GenerateParamMemory(config.halfBaseChan);
    if (!paramImage.empty() && LoadParamMemory(paramImage, params) != 0) {
        std::fprintf(stderr, "radiosim: %s is not a 2048-byte parameter image\n",
                     paramImage.c_str());
        return 1;
    }
    if (blankFlash && !flashHex.empty()) {
        std::fprintf(stderr, "radiosim: --blank-flash and --flash-hex exclude each other\n");
        return 2;
    }
    std::vector<uint8_t> flash =
        blankFlash ? std::vector<uint8_t>(kFlashSize, 0xFF) : GenerateFlashImage();
    if (!flashHex.empty() && LoadFlashHex(flashHex, flash) != 0) {
        std::fprintf(stderr, "radiosim: cannot load %s as S-records\n", flashHex.c_str());
        return 1;
    }
    std::vector<uint8_t> expected;
    if (!expectHex.empty() && LoadFlashHex(expectHex, expected) != 0) {
        std::fprintf(stderr, "radiosim: cannot load %s as S-records\n", expectHex.c_str());
        return 1;
    }
    std::FILE* log = nullptr;
    if (!logPath.empty()) {
        log = std::fopen(logPath.c_str(), "w");
        if (!log) {
            std::fprintf(stderr, "radiosim: cannot write %s\n", logPath.c_str());
            return 1;
        }
        std::fprintf(log,
                     "# baud %u; time in s; in = programmer to radio, out = radio to programmer\n",
                     config.baud);
    }

    std::FILE* turnarounds = nullptr;
    if (!turnaroundPath.empty()) {
        turnarounds = std::fopen(turnaroundPath.c_str(), "w");
        if (!turnarounds) {
            std::fprintf(stderr, "radiosim: cannot write %s\n", turnaroundPath.c_str());
            return 1;
        }
    }

    norda::SteadyClock& clock = norda::SteadyClock::Instance();
    int status = 0;
    {
        PtyServer server(clock, portsDir, log);
        if (turnarounds) {
            server.SetTurnaroundListener([turnarounds](int com, double us) {
                std::fprintf(turnarounds, "com%d %.1f\n", com, us);
                std::fflush(turnarounds);
            });
        }
        for (int com : coms) {
            std::string error;
            if (server.AddRadio(com, std::make_unique<SimRadio>(clock, config, params, flash),
                                error) != 0) {
                std::fprintf(stderr, "radiosim: com%d: %s\n", com, error.c_str());
                return 1;
            }
            std::printf("com%d -> %s\n", com, server.Device(server.Count() - 1).c_str());
        }
        std::fflush(stdout);
        // Each radio that takes another's place is a new one: the memory the simulator
        // started with, under the next serial number.
        unsigned serial = static_cast<unsigned>(params[1] << 8 | params[2]);
        server.SetRadioMaker(
            [&](int) {
                ParamMemory fresh = params;
                serial = serial % 0xFFFF + 1;
                fresh[1] = static_cast<uint8_t>(serial >> 8);
                fresh[2] = static_cast<uint8_t>(serial);
                WriteAreaChecksums(fresh);
                return std::make_unique<SimRadio>(clock, config, fresh, flash);
            },
            swapAfterReset, stdout);
        if (!expected.empty()) {
            server.SetSwapNote([&expected](SimRadio& leaving) {
                const std::vector<uint8_t>& held = leaving.Flash();
                size_t differ = 0;
                for (size_t a = 0; a < expected.size(); ++a)
                    differ += a >= held.size() || held[a] != expected[a];
                return differ == 0
                           ? std::string("flash = file")
                           : "flash differs from the file in " + std::to_string(differ) + " bytes";
            });
        }

        g_server = &server;
        struct sigaction sa {};
        sa.sa_handler = OnSignal;
        sigemptyset(&sa.sa_mask);
        sigaction(SIGTERM, &sa, nullptr);
        sigaction(SIGINT, &sa, nullptr);
        struct sigaction swap {};
        swap.sa_handler = OnSwapSignal;
        sigemptyset(&swap.sa_mask);
        sigaction(SIGUSR1, &swap, nullptr);
        std::signal(SIGPIPE, SIG_IGN);
        server.Serve();
        g_server = nullptr;
    }
    if (log)
        std::fclose(log);
    if (turnarounds)
        std::fclose(turnarounds);
    return status;
}
