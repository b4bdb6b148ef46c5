#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;

const Bytes kLr{0x16, 0x10, 0x02, 0x01, 0xFF, 0x01, 0x80, 0x10, 0x03, 0x0F, 0x0F};
const Bytes kLaToLr{0x16, 0x10, 0x02, 0x02, 0x01, 0x01, 0x00, 0x10, 0x03, 0x8F, 0xFB};

// Runs the program as a child with its stdout on a pipe.
class RadiosimProcess {
  public:
    explicit RadiosimProcess(const std::vector<std::string>& args) {
        int out[2];
        if (pipe(out) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            std::vector<char*> argv{const_cast<char*>(RADIOSIM_PROGRAM)};
            for (const auto& a : args)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            execv(RADIOSIM_PROGRAM, argv.data());
            _exit(127);
        }
        close(out[1]);
        stdout_ = out[0];
    }
    ~RadiosimProcess() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (stdout_ >= 0)
            close(stdout_);
    }
    // A line of its output, waiting at most a generous few seconds.
    std::string ReadLine() {
        std::string line;
        char c;
        while (line.empty() || line.back() != '\n') {
            pollfd p{stdout_, POLLIN, 0};
            if (poll(&p, 1, 5000) <= 0 || read(stdout_, &c, 1) != 1)
                break;
            line.push_back(c);
        }
        return line;
    }
    int Stop() {
        kill(pid_, SIGTERM);
        return Wait();
    }
    int Wait() {
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    pid_t pid_ = -1;
    int stdout_ = -1;
};

Bytes Exchange(int fd, const Bytes& out, size_t expect) {
    EXPECT_EQ(write(fd, out.data(), out.size()), static_cast<ssize_t>(out.size()));
    Bytes in;
    uint8_t buffer[256];
    while (in.size() < expect) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 5000) <= 0)
            break;
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        in.insert(in.end(), buffer, buffer + n);
    }
    return in;
}

TEST(RadiosimProgram, ServesEachComOnARawPtyAcrossReopens) {
    const fs::path dir = fs::temp_directory_path() / ("radiosim-test-" + std::to_string(getpid()));
    fs::remove_all(dir);
    const std::string log = (dir.string() + ".log");
    RadiosimProcess sim({"--ports-dir", dir.string(), "--com", "3", "--com", "12", "--baud",
                         "38400", "--log", log});
    const std::string first = sim.ReadLine();
    const std::string second = sim.ReadLine();
    EXPECT_EQ(first.rfind("com3 -> /dev/", 0), 0u) << first;
    EXPECT_EQ(second.rfind("com12 -> /dev/", 0), 0u) << second;
    ASSERT_TRUE(fs::is_symlink(dir / "com3"));
    EXPECT_EQ(fs::read_symlink(dir / "com3").string() + "\n", first.substr(8));

    for (int round = 0; round < 2; ++round) {
        const int fd = open((dir / "com3").c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(fd, 0);
        termios tio{};
        ASSERT_EQ(tcgetattr(fd, &tio), 0);
        EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
        EXPECT_EQ(tio.c_oflag & OPOST, 0u);
        EXPECT_EQ(tio.c_iflag & (ICRNL | IXON), 0u);
        EXPECT_EQ(Exchange(fd, kLr, kLaToLr.size()), kLaToLr) << "round " << round;
        close(fd);
    }
    const int fd = open((dir / "com12").c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(Exchange(fd, kLr, kLaToLr.size()), kLaToLr);
    close(fd);

    EXPECT_EQ(sim.Stop(), 0);
    std::error_code ec;
    EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "com3", ec)));
    std::ifstream in(log);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("com3 in 11: 16 10 02 01 FF 01 80 10 03 0F 0F"), std::string::npos);
    EXPECT_NE(text.str().find("com12 out"), std::string::npos);
    fs::remove_all(dir);
    fs::remove(log);
}

TEST(RadiosimProgram, RefusesUnknownFaultsAndMissingPorts) {
    RadiosimProcess noisy({"--ports-dir", "/tmp", "--com", "3", "--fault", "loud"});
    EXPECT_EQ(noisy.Wait(), 2);
    RadiosimProcess bare({"--com", "3"});
    EXPECT_EQ(bare.Wait(), 2);
}

}  // namespace
