// "ombra-cli ports" against a made-up device tree.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "ombra/cli/CliPorts.h"

namespace norda::ombra {
namespace {

namespace fs = std::filesystem;

struct Texts : TextSource {
    std::string Text(int id) const override { return id == 3221 ? "%s: no access" : ""; }
};

class CliPorts : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/cli_ports_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root_ = pattern;
        tree_.dev = (root_ / "dev").string();
        tree_.sysTty = (root_ / "sys").string();
        tree_.ports = (root_ / "ports").string();
        tree_.mayOpen = [](const std::string& node) {
            return node.find("USB1") == std::string::npos;
        };
        fs::create_directories(root_ / "dev/serial/by-id");
        fs::create_directories(root_ / "dev/serial/by-path");
        for (int n : {0, 1}) {
            const std::string node = "ttyUSB" + std::to_string(n);
            std::ofstream(root_ / "dev" / node) << "";
            fs::create_symlink("../../" + node, root_ / "dev/serial/by-path" /
                                                    ("pci-0:" + std::to_string(n) + "-port0"));
        }
        fs::create_symlink("../../ttyUSB0", root_ / "dev/serial/by-id/usb-Acme Cable 7-if00");
    }
    void TearDown() override { fs::remove_all(root_); }

    int Run(std::vector<std::string> args) {
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        const int rc = RunPortsCommand(args, tree_, texts_, out, err);
        out_ = Contents(out);
        err_ = Contents(err);
        return rc;
    }
    static std::string Contents(std::FILE* f) {
        std::string text(static_cast<size_t>(std::ftell(f)), '\0');
        std::rewind(f);
        text.resize(std::fread(text.data(), 1, text.size(), f));
        std::fclose(f);
        return text;
    }

    fs::path root_;
    SerialDeviceTree tree_;
    Texts texts_;
    std::string out_;
    std::string err_;
};

TEST_F(CliPorts, ListsSetsAndClearsPortEntries) {
    const std::string dev = (root_ / "dev").string();
    ASSERT_EQ(Run({"set", "3", "ttyUSB0"}), 0) << err_;
    EXPECT_EQ(out_, tree_.ports + "/com3 -> " + dev + "/serial/by-id/usb-Acme Cable 7-if00\n");
    ASSERT_EQ(Run({"set", "12", "pci-0:1-port0"}), 0) << err_;
    // An adapter that is unplugged keeps its number, shown as missing.
    fs::create_symlink(dev + "/serial/by-id/usb-Gone-if00", tree_.ports + "/com5");

    ASSERT_EQ(Run({}), 0);
    EXPECT_EQ(out_,
              "PORT\tDEVICE\tACCESS\tBY-ID\tBY-PATH\n"
              "3\t" +
                  dev +
                  "/ttyUSB0\tyes\tusb-Acme Cable 7-if00\tpci-0:0-port0\n"
                  "12\t" +
                  dev +
                  "/ttyUSB1\tno\t-\tpci-0:1-port0\n"
                  "5\t" +
                  dev + "/serial/by-id/usb-Gone-if00\tmissing\t-\t-\n");
    EXPECT_EQ(err_, dev + "/ttyUSB1: no access\n");

    ASSERT_EQ(Run({"clear", "3"}), 0);
    EXPECT_FALSE(fs::is_symlink(tree_.ports + "/com3"));
    EXPECT_TRUE(fs::is_symlink(tree_.ports + "/com12"));

    EXPECT_EQ(Run({"set", "2", "ttyUSB7"}), 2);
    EXPECT_EQ(err_, "ombra-cli: no serial device ttyUSB7\n");
    EXPECT_EQ(Run({"set", "129", "ttyUSB0"}), 2);
    EXPECT_EQ(Run({"set", "2"}), 2);
    EXPECT_FALSE(fs::exists(tree_.ports + "/com2"));
}

}  // namespace
}  // namespace norda::ombra
