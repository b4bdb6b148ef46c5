// The serial-device list and the port entries against a made-up device tree laid out
// like /dev, /dev/serial and /sys/class/tty.

#include "link/SerialDevices.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

namespace norda {
namespace {

namespace fs = std::filesystem;

class FakeDeviceTree : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/serial_devices_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root_ = pattern;
        tree_.dev = (root_ / "dev").string();
        tree_.sysTty = (root_ / "sys").string();
        tree_.ports = (root_ / "ports").string();
        fs::create_directories(root_ / "dev/serial/by-id");
        fs::create_directories(root_ / "dev/serial/by-path");
        fs::create_directories(root_ / "ports");
    }
    void TearDown() override { fs::remove_all(root_); }

    // A plugged-in adapter as udev shows it: the node and its two relative links.
    void Plug(int n, const std::string& idName) {
        Node("ttyUSB" + std::to_string(n));
        fs::create_symlink("../../ttyUSB" + std::to_string(n), Dev("serial/by-id/" + idName));
        fs::create_symlink(
            "../../ttyUSB" + std::to_string(n),
            Dev("serial/by-path/pci-0000:00:14.0-usb-0:" + std::to_string(n) + ":1.0-port0"));
    }
    void Node(const std::string& name) { std::ofstream(Dev(name)) << ""; }
    void Uart(const std::string& name, int type) {
        Node(name);
        fs::create_directories(root_ / "sys" / name);
        std::ofstream(root_ / "sys" / name / "type") << type << "\n";
    }
    fs::path Dev(const std::string& name) const { return root_ / "dev" / name; }
    fs::path Entry(int port) const { return root_ / "ports" / ("com" + std::to_string(port)); }

    const SerialDevice& Find(const std::vector<SerialDevice>& list, const std::string& name) {
        const SerialDevice* d = FindSerialDevice(list, name);
        EXPECT_NE(d, nullptr) << name;
        static const SerialDevice none;
        return d != nullptr ? *d : none;
    }

    fs::path root_;
    SerialDeviceTree tree_;
};

TEST_F(FakeDeviceTree, SixteenAdaptersOnBoardPortsAndTheEntriesThatNameThem) {
    for (int n = 0; n < 16; ++n)
        Plug(n, "usb-FTDI_FT232R_USB_UART_A" + std::to_string(100 + n) + "-if00-port0");
    // An adapter whose maker writes blanks into its name.
    Plug(16, "usb-Acme Radio Cable 2000-if00");
    // Unplugged: udev left its link behind.
    fs::create_symlink("../../ttyUSB99", Dev("serial/by-id/usb-Gone_Adapter-if00"));
    Uart("ttyS0", 4);  // a 16550A
    Uart("ttyS1", 0);  // a node without hardware
    Uart("ttyS2", 4);
    Node("pts-radio");  // a simulated radio's terminal, reached only through its entry
    fs::create_symlink(Dev("serial/by-id/usb-FTDI_FT232R_USB_UART_A103-if00-port0"), Entry(1));
    fs::create_symlink(Dev("pts-radio"), Entry(7));
    fs::create_symlink("../dev/serial/by-id/usb-Unplugged_Cable-if00", Entry(3));

    const auto list = ListSerialDevices(tree_);
    ASSERT_EQ(list.size(), 17u + 2u + 1u + 1u);  // adapters, ttyS0/2, the terminal, the lost one
    // Ordered as a user counts them: ttyUSB2 before ttyUSB10; what is missing comes last.
    std::vector<std::string> names;
    for (const auto& d : list)
        names.push_back(fs::path(d.node).filename().string());
    EXPECT_EQ(names[0], "pts-radio");
    EXPECT_EQ(names[1], "ttyS0");
    EXPECT_EQ(names[2], "ttyS2");
    for (int n = 0; n <= 16; ++n)
        EXPECT_EQ(names[3 + n], "ttyUSB" + std::to_string(n));
    EXPECT_EQ(names.back(), "usb-Unplugged_Cable-if00");

    EXPECT_EQ(Find(list, "ttyUSB3").ports, std::vector<int>{1});
    EXPECT_EQ(Find(list, "pts-radio").ports, std::vector<int>{7});
    // Port 1 has its entry, so the first on-board port is no longer port 1; port 3's
    // entry leads nowhere but still takes the number from ttyS2, as opening does.
    EXPECT_TRUE(Find(list, "ttyS0").ports.empty());
    EXPECT_TRUE(Find(list, "ttyS2").ports.empty());
    const SerialDevice& lost = list.back();
    EXPECT_FALSE(lost.present);
    EXPECT_EQ(lost.ports, std::vector<int>{3});
    EXPECT_EQ(lost.node, (Dev("serial/by-id/usb-Unplugged_Cable-if00")).string());

    const SerialDevice& acme = Find(list, "usb-Acme Radio Cable 2000-if00");
    EXPECT_EQ(acme.node, Dev("ttyUSB16").string());
    ASSERT_EQ(acme.byPath.size(), 1u);
    EXPECT_EQ(StableName(acme), Dev("serial/by-id/usb-Acme Radio Cable 2000-if00").string());

    // Without entries the on-board ports keep their numbers.
    fs::remove(Entry(1));
    fs::remove(Entry(3));
    const auto plain = ListSerialDevices(tree_);
    EXPECT_EQ(Find(plain, "ttyS0").ports, std::vector<int>{1});
    EXPECT_EQ(Find(plain, "ttyS2").ports, std::vector<int>{3});
}

TEST_F(FakeDeviceTree, AnAssignedNumberFollowsTheAdapterToItsNextDeviceName) {
    Plug(0, "usb-Other-if00");
    Plug(5, "usb-Acme Radio Cable 2000-if00");
    auto list = ListSerialDevices(tree_);

    // Named by its device, the adapter gets its maker's name; named by its socket, the
    // socket is kept.
    EXPECT_EQ(AssignmentTarget(list, Dev("ttyUSB5").string()),
              Dev("serial/by-id/usb-Acme Radio Cable 2000-if00").string());
    EXPECT_EQ(AssignmentTarget(list, "pci-0000:00:14.0-usb-0:5:1.0-port0"),
              Dev("serial/by-path/pci-0000:00:14.0-usb-0:5:1.0-port0").string());
    EXPECT_EQ(AssignmentTarget(list, "ttyUSB7"), "");

    ASSERT_EQ(AssignPort(tree_.ports, 2, AssignmentTarget(list, "ttyUSB5")), 0);
    EXPECT_EQ(Find(ListSerialDevices(tree_), "ttyUSB5").ports, std::vector<int>{2});

    // Re-plugged: the same adapter comes back as ttyUSB6.
    fs::remove(Dev("ttyUSB5"));
    fs::remove(Dev("serial/by-id/usb-Acme Radio Cable 2000-if00"));
    Node("ttyUSB6");
    fs::create_symlink("../../ttyUSB6", Dev("serial/by-id/usb-Acme Radio Cable 2000-if00"));
    list = ListSerialDevices(tree_);
    EXPECT_EQ(Find(list, "ttyUSB6").ports, std::vector<int>{2});

    // A second assignment replaces the link; clearing removes it, twice is no error.
    ASSERT_EQ(AssignPort(tree_.ports, 2, AssignmentTarget(list, "ttyUSB0")), 0);
    EXPECT_EQ(Find(ListSerialDevices(tree_), "ttyUSB0").ports, std::vector<int>{2});
    EXPECT_EQ(ClearPort(tree_.ports, 2), 0);
    EXPECT_FALSE(fs::is_symlink(Entry(2)));
    EXPECT_EQ(ClearPort(tree_.ports, 2), 0);

    // An entry the user made as a device of its own is not ours to replace or remove.
    std::ofstream(Entry(4)) << "";
    EXPECT_EQ(AssignPort(tree_.ports, 4, Dev("ttyUSB0").string()), EEXIST);
    EXPECT_EQ(ClearPort(tree_.ports, 4), EEXIST);
    EXPECT_TRUE(fs::is_regular_file(Entry(4)));
    // Nothing is left over from writing the links.
    for (const auto& e : fs::directory_iterator(tree_.ports))
        EXPECT_NE(e.path().filename().string()[0], '.') << e.path();
}

TEST_F(FakeDeviceTree, ADeviceTheUserMayNotOpenNamesTheGroupThatGrantsIt) {
    Plug(0, "usb-Shared-if00");
    Plug(1, "usb-Private-if00");
    chmod(Dev("ttyUSB0").c_str(), 0660);
    chmod(Dev("ttyUSB1").c_str(), 0600);
    tree_.mayOpen = [](const std::string&) { return false; };
    const auto list = ListSerialDevices(tree_);
    const SerialDevice& shared = Find(list, "ttyUSB0");
    const SerialDevice& own = Find(list, "ttyUSB1");
    EXPECT_FALSE(shared.mayOpen);
    EXPECT_FALSE(shared.group.empty());
    // Joining the owner's group would not help with a device only its owner may use.
    EXPECT_TRUE(own.group.empty());

    struct Texts : TextSource {
        std::string Text(int id) const override {
            return id == 3220 ? "%s: join %s (usermod -aG %s)" : id == 3221 ? "%s: no" : "";
        }
    } texts;
    EXPECT_EQ(AccessHint(texts, "/dev/ttyUSB0", "dialout"),
              "/dev/ttyUSB0: join dialout (usermod -aG dialout)");
    EXPECT_EQ(AccessHint(texts, "/dev/ttyUSB1", ""), "/dev/ttyUSB1: no");
}

}  // namespace
}  // namespace norda
