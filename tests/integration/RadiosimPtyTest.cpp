// The link engine on a real pseudo-terminal, found through NORDA_PORTS, with
// the radiosim program at the other end. Real time passes here; the waits are
// upper bounds only.

#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "SimStation.h"
#include "tools/radiosim/FlashImage.h"
#include "tools/radiosim/ParamImage.h"

namespace norda::test {
namespace {

namespace fs = std::filesystem;

class Radiosim {
  public:
    Radiosim(const fs::path& dir, std::vector<std::string> args) {
        args.insert(args.begin(), {"--ports-dir", dir.string(), "--baud", "115200"});
        int out[2];
        if (pipe(out) != 0) {
            return;
        }
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            std::vector<char*> argv{const_cast<char*>(RADIOSIM_PROGRAM)};
            for (auto& a : args) {
                argv.push_back(a.data());
            }
            argv.push_back(nullptr);
            execv(RADIOSIM_PROGRAM, argv.data());
            _exit(127);
        }
        close(out[1]);
        // Serving once every "com<N> -> device" line is out.
        const auto coms = std::count(args.begin(), args.end(), std::string("--com"));
        std::string text;
        char c;
        while (std::count(text.begin(), text.end(), '\n') < coms) {
            pollfd p{out[0], POLLIN, 0};
            if (poll(&p, 1, 5000) <= 0 || read(out[0], &c, 1) != 1) {
                break;
            }
            text.push_back(c);
        }
        close(out[0]);
        ready_ = std::count(text.begin(), text.end(), '\n') == coms;
    }
    ~Radiosim() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    bool Ready() const { return ready_; }

  private:
    pid_t pid_ = -1;
    bool ready_ = false;
};

class RadiosimPty : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("norda-ports-" + std::to_string(getpid()));
        fs::remove_all(dir_);
        setenv("NORDA_PORTS", dir_.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("NORDA_PORTS");
        fs::remove_all(dir_);
    }
    std::unique_ptr<SimStation> Station(Program variant, int com) {
        auto s = std::make_unique<SimStation>(variant, com, 115200, SteadyClock::Instance());
        EXPECT_EQ(s->Open(), Status::Ok);
        return s;
    }
    fs::path dir_;
};

TEST_F(RadiosimPty, BothProgramsReadAndWriteBothMemories) {
    Radiosim sim(dir_,
                 {"--com", "3", "--com", "4", "--erase-ms", "300", "--reset-quiet-ms", "300"});
    ASSERT_TRUE(sim.Ready());
    const sim::ParamMemory params = sim::GenerateParamMemory();
    const std::vector<uint8_t> flash = sim::GenerateFlashImage();

    auto ombra = Station(Program::Ombra, 3);
    ASSERT_TRUE(ombra->Link());
    Bytes memory;
    ASSERT_EQ(ombra->ReadAll(1, 1400, 71, memory), 0);
    EXPECT_TRUE(std::equal(memory.begin(), memory.end(), params.begin() + 1400));
    const Bytes block(128, 0x10);
    ASSERT_EQ(ombra->Write(1, 24, block), 0);
    ASSERT_EQ(ombra->ReadAll(1, 24, 128, memory), 0);
    EXPECT_EQ(memory, block);
    ASSERT_EQ(ombra->Reset(), 0);

    auto solvi = Station(Program::Solvi, 4);
    ASSERT_TRUE(solvi->Link());
    Bytes header;
    ASSERT_EQ(solvi->Read(2, 0x10000, 128, header), 0);
    EXPECT_TRUE(std::equal(header.begin(), header.end(), flash.begin() + 0x10000));
    ASSERT_EQ(solvi->Loop(), 0);
    Bytes word;
    for (int i = 0; i < 100 && (word.empty() || word[0] != 0xFF); ++i) {
        ASSERT_EQ(solvi->Read(2, 0x10080, 2, word), 0);
    }
    EXPECT_EQ(word, (Bytes{0xFF, 0xFF}));
    ASSERT_EQ(solvi->Write(2, 0x10080, header), 0);
    Bytes back;
    ASSERT_EQ(solvi->Read(2, 0x10080, 128, back), 0);
    EXPECT_EQ(back, header);
    ASSERT_EQ(solvi->Reset(), 0);
    EXPECT_TRUE(solvi->Link(3));

    // The OMBRA port closed and opened again still finds its radio.
    ombra->Close();
    ASSERT_EQ(ombra->Open(), Status::Ok);
    ASSERT_TRUE(ombra->Link(3));
    ASSERT_EQ(ombra->ReadAll(1, 24, 128, memory), 0);
    EXPECT_EQ(memory, block);
}

TEST_F(RadiosimPty, EveryFaultIsSurvived) {
    struct Case {
        const char* fault;
        Program variant;
        bool linkExpected;
        bool readExpected;
    };
    const Case cases[] = {
        {"silent", Program::Ombra, false, false},
        {"no-data-reply", Program::Solvi, true, false},
        {"drop-la-every=2", Program::Ombra, true, true},
        {"relink-after=1", Program::Solvi, true, true},
        {"garbage", Program::Solvi, true, true},
        {"never-erased", Program::Solvi, true, true},
        {"ignore-reset", Program::Ombra, true, true},
        {"bad-fcs", Program::Solvi, false, false},
        {"bad-fcs", Program::Ombra, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        Radiosim sim(dir_, {"--com", "7", "--fault", c.fault});
        ASSERT_TRUE(sim.Ready());
        auto station = Station(c.variant, 7);
        ASSERT_EQ(station->Link(), c.linkExpected);
        if (!c.linkExpected) {
            continue;
        }
        Bytes data;
        const bool read =
            station->Read(1, 0, 80, data, 1) == 0 && station->Read(1, 80, 80, data, 2) == 0;
        EXPECT_EQ(read, c.readExpected);
        // Whatever happened, the engine can still talk to a radio: the link comes up again.
        station->DropLink();
        EXPECT_TRUE(station->Link());
    }
}

}  // namespace
}  // namespace norda::test
