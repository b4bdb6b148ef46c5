// The termios side of the port, against a real pseudo-terminal named through
// a temporary ports directory.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "link/TPort.h"
#include "link/TermiosStream.h"
#include "tests/support/ProgramLinks.h"

namespace norda {
namespace {

namespace fs = std::filesystem;

class PtyPort : public ::testing::Test {
  protected:
    void SetUp() override {
        char templ[] = "/tmp/norda-ports-XXXXXX";
        ASSERT_NE(mkdtemp(templ), nullptr);
        dir_ = templ;
        int slave = -1;
        char name[128] = {};
        ASSERT_EQ(openpty(&master_, &slave, name, nullptr, nullptr), 0);
        close(slave);
        slaveName_ = name;
        // The master end plays the radio: raw, so nothing is translated on its side.
        struct termios t {};
        tcgetattr(master_, &t);
        cfmakeraw(&t);
        tcsetattr(master_, TCSANOW, &t);
        fs::create_symlink(slaveName_, dir_ / "com3");
        if (const char* old = std::getenv("NORDA_PORTS")) {
            oldPorts_ = old;
            hadPorts_ = true;
        }
        setenv("NORDA_PORTS", dir_.c_str(), 1);
    }

    void TearDown() override {
        if (master_ >= 0) {
            close(master_);
        }
        if (hadPorts_) {
            setenv("NORDA_PORTS", oldPorts_.c_str(), 1);
        } else {
            unsetenv("NORDA_PORTS");
        }
        fs::remove_all(dir_);
    }

    std::vector<uint8_t> ReadMaster(size_t count) {
        std::vector<uint8_t> got;
        while (got.size() < count) {
            struct pollfd p {
                master_, POLLIN, 0
            };
            if (poll(&p, 1, 2000) <= 0) {
                break;
            }
            uint8_t buf[64];
            const ssize_t n = read(master_, buf, std::min(sizeof buf, count - got.size()));
            if (n <= 0) {
                break;
            }
            got.insert(got.end(), buf, buf + n);
        }
        return got;
    }

    // Bytes written by the radio reach the port through the kernel; ask often
    // enough (each SOLVI read waits up to 5 ms) rather than for a set time.
    std::vector<uint8_t> ReadPort(TPort& port, size_t count) {
        std::vector<uint8_t> got;
        for (int attempt = 0; attempt < 2000 && got.size() < count; ++attempt) {
            uint8_t b = 0;
            const Received r = port.ReadByte(&b);
            if (r == Received::Failed) {
                break;
            }
            if (r == Received::Byte) {
                got.push_back(b);
            }
        }
        return got;
    }

    fs::path dir_;
    int master_ = -1;
    std::string slaveName_;
    std::string oldPorts_;
    bool hadPorts_ = false;
};

TEST_F(PtyPort, DevicePathComesFromThePortsDirectory) {
    EXPECT_EQ(PortDevicePath(3), (dir_ / "com3").string());
    EXPECT_EQ(PortDevicePath(7), "/dev/ttyS6");
    // A dangling entry still wins, and then cannot be opened.
    fs::create_symlink(dir_ / "nothing-here", dir_ / "com9");
    EXPECT_EQ(PortDevicePath(9), (dir_ / "com9").string());
    TPort port(PortOf(Program::Ombra), 9, 9600, HandshakeMode::None);
    EXPECT_EQ(port.Open(), Status::CannotOpen);
    TPort zero(PortOf(Program::Ombra), 0, 9600, HandshakeMode::None);
    EXPECT_EQ(zero.Open(), Status::CannotOpen);

    // Without NORDA_PORTS the directory under the home folder is used.
    unsetenv("NORDA_PORTS");
    const char* home = std::getenv("HOME");
    const std::string oldHome = home != nullptr ? home : "";
    setenv("HOME", dir_.c_str(), 1);
    fs::create_directories(dir_ / ".config/norda/ports");
    fs::create_symlink(slaveName_, dir_ / ".config/norda/ports/com5");
    EXPECT_EQ(PortDevicePath(5), (dir_ / ".config/norda/ports/com5").string());
    setenv("HOME", oldHome.c_str(), 1);
}

TEST_F(PtyPort, RawBytesBothWays) {
    for (Program variant : {Program::Ombra, Program::Solvi}) {
        TPort port(PortOf(variant), 3, 9600, HandshakeMode::None);
        ASSERT_EQ(port.Open(), Status::Ok);
        struct termios t {};
        tcgetattr(master_, &t);
        EXPECT_EQ(cfgetospeed(&t), B9600);

        uint8_t b = 0;
        EXPECT_EQ(port.ReadByte(&b), Received::Nothing);
        // Control characters a cooked line would eat or translate.
        const std::vector<uint8_t> out = {0x16, 0x10, 0x02, 0x0D, 0x0A, 0x11, 0x13,
                                          0x03, 0x1A, 0x04, 0x7F, 0x00, 0xFF};
        EXPECT_EQ(port.Write(out.data(), out.size()), Status::Ok);
        EXPECT_EQ(ReadMaster(out.size()), out);
        ASSERT_EQ(write(master_, out.data(), out.size()), static_cast<ssize_t>(out.size()));
        // An owner waiting on the port wakes for the bytes (the bound only keeps a broken
        // build from hanging).
        EXPECT_TRUE(port.WaitForInput(10000));
        EXPECT_EQ(ReadPort(port, out.size()), out);
        EXPECT_EQ(port.ReadByte(&b), Received::Nothing);
        // A purge drops what the port has taken from the driver but not handed out yet.
        ASSERT_EQ(write(master_, out.data(), out.size()), static_cast<ssize_t>(out.size()));
        EXPECT_EQ(ReadPort(port, 1), std::vector<uint8_t>{out[0]});
        port.Purge();
        EXPECT_EQ(port.ReadByte(&b), Received::Nothing);
        port.Close();
    }
}

TEST_F(PtyPort, PortHeldByAnotherCannotBeOpened) {
    TPort first(PortOf(Program::Ombra), 3, 9600, HandshakeMode::None);
    TPort second(PortOf(Program::Solvi), 3, 9600, HandshakeMode::None);
    ASSERT_EQ(first.Open(), Status::Ok);
    EXPECT_EQ(second.Open(), Status::CannotOpen);
    first.Close();
    EXPECT_EQ(second.Open(), Status::Ok);
}

TEST_F(PtyPort, OddSpeedIsSetOrRefusedCleanly) {
    TPort port(PortOf(Program::Ombra), 3, 12345, HandshakeMode::None);
    const Status result = port.Open();
    ASSERT_TRUE(result == Status::Ok || result == Status::SettingsRefused) << StatusName(result);
    if (result == Status::SettingsRefused) {
        EXPECT_FALSE(port.PortOpen());
    }
    // Either way the device is free again for a standard speed.
    EXPECT_EQ(port.Reopen(3, 4800, HandshakeMode::None, 1024, 1024), Status::Ok);
    struct termios t {};
    tcgetattr(master_, &t);
    EXPECT_EQ(cfgetospeed(&t), B4800);
}

TEST_F(PtyPort, VanishedDeviceReadsAsError) {
    VirtualClock clock;
    TPort port(PortOf(Program::Ombra), 3, 9600, HandshakeMode::None, clock);
    ASSERT_EQ(port.Open(), Status::Ok);
    EXPECT_GE(port.InputHandle(), 0);
    close(master_);
    master_ = -1;
    // A hung-up device polls ready for ever; an owner waiting on it would spin, so the
    // wait lets the time pass instead and the read reports the device gone.
    EXPECT_FALSE(port.WaitForInput(20));
    EXPECT_EQ(clock.TickCount(), 20u);
    uint8_t b = 0;
    EXPECT_EQ(port.ReadByte(&b), Received::Failed);
    const uint8_t data[4] = {1, 2, 3, 4};
    EXPECT_EQ(port.Write(data, sizeof data), Status::WriteFailed);

    // Pulled out, the device is looked for where it was, never on the ttyS that the
    // number falls back to without it; put back, it is found under its old name.
    fs::remove(dir_ / "com3");
    EXPECT_EQ(port.OpenSameDevice(), Status::CannotOpen);
    int slave = -1;
    char name[128] = {};
    ASSERT_EQ(openpty(&master_, &slave, name, nullptr, nullptr), 0);
    close(slave);
    struct termios t {};
    tcgetattr(master_, &t);
    cfmakeraw(&t);
    tcsetattr(master_, TCSANOW, &t);
    fs::create_symlink(name, dir_ / "com3");
    ASSERT_EQ(port.OpenSameDevice(), Status::Ok);
    EXPECT_EQ(port.Write(data, sizeof data), Status::Ok);
    EXPECT_EQ(ReadMaster(sizeof data), std::vector<uint8_t>(data, data + sizeof data));
}

}  // namespace
}  // namespace norda
