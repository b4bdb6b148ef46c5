// Where ombra-cli keeps OMBRA's settings when it is installed in a folder its user may
// not write: the real program, copied into such a folder.

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace norda::ombra {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

class ReadOnlyProgramFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/cli_settings_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root_ = pattern;
        fs::create_directories(Program());
        fs::create_directories(Config());
        fs::copy_file(OMBRA_CLI, Program() / "ombra-cli");
        std::ofstream(Program() / "ombra.INI")
            << "[Communication]\r\nSerial Port=3\r\n[Clone Constants]\r\nTUNETIM=12\r\n";
        // Root writes wherever it likes: the program then runs as a user who may not.
        asRoot_ = geteuid() == 0;
        fs::permissions(root_, fs::perms::owner_all | fs::perms::group_read |
                                   fs::perms::group_exec | fs::perms::others_read |
                                   fs::perms::others_exec);
        if (asRoot_) {
            ASSERT_EQ(chown(Config().c_str(), kNobody, kNobody), 0);
        }
    }
    void TearDown() override {
        fs::permissions(Program(), fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(root_);
    }

    fs::path Program() const { return root_ / "lib/norda"; }
    fs::path Config() const { return root_ / "config"; }

    // The installed ombra-cli as its user runs it; the exit status, standard output in `out`.
    int Run(std::vector<std::string> args, std::string& out) {
        const fs::path outFile = root_ / "cli.out";
        const std::string program = (Program() / "ombra-cli").string();
        args.insert(args.begin(), program);
        const pid_t pid = fork();
        if (pid == 0) {
            setenv("XDG_CONFIG_HOME", Config().c_str(), 1);
            if (std::freopen(outFile.c_str(), "w", stdout) == nullptr ||
                std::freopen("/dev/null", "w", stderr) == nullptr)
                _exit(127);
            if (asRoot_ &&
                (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0))
                _exit(126);
            std::vector<char*> argv;
            for (std::string& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        out = Slurp(outFile);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // "ombra-cli --help": its last line names the settings file it uses.
    std::string SettingsFile() {
        std::string help;
        EXPECT_EQ(Run({"--help"}, help), 0);
        const size_t at = help.rfind("settings: ");
        return at == std::string::npos ? help : help.substr(at + 10, help.size() - at - 11);
    }

    fs::path root_;
    bool asRoot_ = false;
};

TEST_F(ReadOnlyProgramFolder, SettingsMoveToTheUsersFolderAsACopyOfTheSitesFile) {
    // Root's folder is read-only for the user the program runs as; one's own is made so.
    if (!asRoot_)
        fs::permissions(Program(), fs::perms::owner_write, fs::perm_options::remove);

    const fs::path own = Config() / "norda/ombra.INI";
    EXPECT_EQ(SettingsFile(), own.string());
    EXPECT_EQ(Slurp(own), Slurp(Program() / "ombra.INI"));

    // Made once: what the user's programs saved since then stays.
    std::ofstream(own) << "[Communication]\r\nSerial Port=7\r\n";
    EXPECT_EQ(SettingsFile(), own.string());
    EXPECT_EQ(Slurp(own), "[Communication]\r\nSerial Port=7\r\n");
}

TEST_F(ReadOnlyProgramFolder, PortsTakesTheSettingsFileItIsGivenAndMakesNoCopy) {
    if (!asRoot_)
        fs::permissions(Program(), fs::perms::owner_write, fs::perm_options::remove);
    const fs::path ini = root_ / "site.INI";
    std::ofstream(ini) << "[International]\r\nCountry Code=90\r\n";
    std::string out;
    EXPECT_EQ(Run({"ports", "--ini", ini.string()}, out), 0);
    EXPECT_TRUE(out.starts_with("PORT\tDEVICE\t")) << out;
    EXPECT_FALSE(fs::exists(Config() / "norda/ombra.INI"));
    EXPECT_EQ(Run({"ports", "--ini"}, out), 2);
}

TEST_F(ReadOnlyProgramFolder, AWritableProgramFolderKeepsItsOwnFile) {
    // Writable for the user the program runs as.
    if (asRoot_)
        fs::permissions(Program(), fs::perms::all);
    EXPECT_EQ(SettingsFile(), (Program() / "ombra.INI").string());
    EXPECT_FALSE(fs::exists(Config() / "norda"));
}

}  // namespace
}  // namespace norda::ombra
