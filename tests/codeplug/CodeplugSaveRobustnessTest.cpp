// Saving a codeplug never costs the user the file already on disk: not on a full
// disk, not in a folder that cannot be written, not when the program dies in the
// middle of a save. Each case runs the save in a child process so that the limits
// and the kill touch nothing else.

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "codeplug/CodeplugFile.h"
#include "codeplug/NewFileDefaults.h"

namespace norda {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A codeplug with every channel in use, so that its file is large enough for a
// save to take a while; `variant` makes two of them tell apart.
RadioParameters Populated(int variant) {
    RadioParameters p;
    ResetToNewFile(p);
    p.TestAyar.HalfBaseChan = 5840;
    for (int i = 0; i < kChannelCount; ++i) {
        ChannelRecord& k = p.Clone.Kanal[i];
        k.TxFreq = static_cast<int16_t>(100 + i + variant);
        k.RxFreq = static_cast<int16_t>(200 + i + variant);
        for (int c = 0; c < 8; ++c) {
            k.KanalAdi[c] = static_cast<char>('A' + (i + c + variant) % 26);
        }
    }
    p.ADATA.RADIOID = static_cast<int16_t>(1000 + variant);
    return p;
}

// Runs `body` in a child and returns its exit status (or 128 + signal).
int InChild(const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid == 0) {
        _exit(body());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

class CodeplugSaveRobustness : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "norda-save-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        // Others must reach into it when a case drops its privileges.
        fs::permissions(dir_,
                        fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
        path_ = (dir_ / "KANALLAR.OMB").string();
        ASSERT_EQ(SaveCodeplugFile(path_, Populated(0), options_), Status::Ok);
        before_ = Slurp(path_);
        ASSERT_FALSE(before_.empty());
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, ec);
        fs::remove_all(dir_, ec);
    }
    // Names in the folder besides the codeplug itself.
    std::vector<std::string> Strays() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) {
            if (e.path() != path_) {
                names.push_back(e.path().filename().string());
            }
        }
        return names;
    }

    CodeplugOptions options_;
    fs::path dir_;
    std::string path_;
    std::string before_;
};

TEST_F(CodeplugSaveRobustness, FullDiskReportsFailureAndKeepsTheOldFile) {
    // The file size limit makes the disk "full" after a few hundred bytes, for this
    // child only and without privileges.
    const int status = InChild([&] {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{300, 300};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return 99;
        }
        return Succeeded(SaveCodeplugFile(path_, Populated(1), options_)) ? 1 : 0;
    });
    EXPECT_EQ(status, 0) << "a save that could not be written was reported as done";
    EXPECT_EQ(Slurp(path_), before_);
    EXPECT_TRUE(Strays().empty()) << "left behind: " << ::testing::PrintToString(Strays());
}

TEST_F(CodeplugSaveRobustness, ReadOnlyFolderReportsFailureAndKeepsTheOldFile) {
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_exec |
                              fs::perms::others_exec);
    const int status = InChild([&] {
        // Permissions do not bind the superuser: save as nobody instead.
        if (geteuid() == 0 && setresuid(65534, 65534, 65534) != 0) {
            return 99;
        }
        return Succeeded(SaveCodeplugFile(path_, Populated(1), options_)) ? 1 : 0;
    });
    fs::permissions(dir_, fs::perms::owner_all);
    EXPECT_EQ(status, 0) << "a save into a read-only folder was reported as done";
    EXPECT_EQ(Slurp(path_), before_);
    EXPECT_TRUE(Strays().empty());
}

TEST_F(CodeplugSaveRobustness, KilledMidSaveLeavesOneWholeFile) {
    const std::string other = [&] {
        const std::string scratch = (dir_ / "other.omb").string();
        EXPECT_EQ(SaveCodeplugFile(scratch, Populated(1), options_), Status::Ok);
        std::string text = Slurp(scratch);
        fs::remove(scratch);
        return text;
    }();
    ASSERT_NE(other, before_);
    // A child saves the two codeplugs in turn without end until it is killed; the
    // kill lands wherever it lands, often inside a save.
    for (int round = 0; round < 16; ++round) {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t pid = fork();
        if (pid == 0) {
            close(ready[0]);
            const RadioParameters a = Populated(0), b = Populated(1);
            for (long n = 0;; ++n) {
                static_cast<void>(SaveCodeplugFile(path_, n % 2 ? b : a, options_));
                if (n == 2) {
                    (void)!write(ready[1], "x", 1);
                }
            }
        }
        close(ready[1]);
        char c;
        ASSERT_EQ(read(ready[0], &c, 1), 1);
        close(ready[0]);
        // Vary the moment of the kill between rounds.
        usleep(static_cast<useconds_t>(round * 150));
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        const std::string now = Slurp(path_);
        ASSERT_TRUE(now == before_ || now == other)
            << "round " << round << ": a file of " << now.size() << " bytes, neither save";
    }
    // Temporary files of killed saves may remain beside it; they never take its name.
    for (const auto& name : Strays()) {
        EXPECT_EQ(name.rfind("KANALLAR.OMB.", 0), 0u) << name;
    }
}

}  // namespace
}  // namespace norda
