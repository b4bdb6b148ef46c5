// "Oku" in the Qt program against the simulated radio on a pseudo-terminal.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ombra/app/ProgramSetup.h"
#include "ombra/pages/TMaster.h"
#include "ombra/pages/TMessageDlg.h"

namespace norda {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

class NoIni final : public IniStore {
  public:
    int GetInt(const std::string&, const std::string&, int def) const override { return def; }
    std::vector<std::string> KeyNames(const std::string&, size_t) const override { return {}; }
    bool WriteString(const std::string&, const std::string&, const std::string&) override {
        return true;
    }
};

class ReadEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/ombra_gui_e2e_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        oldPorts_ = qEnvironmentVariable("NORDA_PORTS").toStdString();
        setenv("NORDA_PORTS", dir_.c_str(), 1);
        TMessageDlg::SetResponder([this](const TMessageDlg::Record& r) {
            messages_.push_back(r.caption + ": " + r.text);
            return 1;
        });
    }
    void TearDown() override {
        TMessageDlg::SetResponder(nullptr);
        if (sim_ > 0) {
            kill(sim_, SIGTERM);
            waitpid(sim_, nullptr, 0);
        }
        if (oldPorts_.empty()) {
            unsetenv("NORDA_PORTS");
        } else {
            setenv("NORDA_PORTS", oldPorts_.c_str(), 1);
        }
        fs::remove_all(dir_);
    }

    void StartRadio() {
        sim_ = fork();
        if (sim_ == 0) {
            FILE* o = std::freopen((dir_ / "sim.out").c_str(), "w", stdout);
            FILE* e = std::freopen((dir_ / "sim.err").c_str(), "w", stderr);
            if (o == nullptr || e == nullptr)
                _exit(127);
            execl(RADIOSIM, RADIOSIM, "--ports-dir", dir_.c_str(), "--com", "1", "--baud", "115200",
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int i = 0; i < 500 && Slurp(dir_ / "sim.out").find("com1 ->") == std::string::npos;
             ++i)
            usleep(10000);
        ASSERT_NE(Slurp(dir_ / "sim.out").find("com1 ->"), std::string::npos)
            << Slurp(dir_ / "sim.err");
    }

    // Runs the event loop until `done` holds; the bound only keeps a broken build from
    // hanging the suite, it is not a measure of the transfer.
    template <class Pred>
    bool RunUntil(Pred done) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < 120000) {
            QEventLoop loop;
            QTimer::singleShot(10, &loop, &QEventLoop::quit);
            loop.exec();
        }
        return done();
    }

    fs::path dir_;
    std::string oldPorts_;
    pid_t sim_ = -1;
    std::vector<std::string> messages_;
};

TEST_F(ReadEndToEnd, ReadOpensTheMasterPageWithRadioCaption) {
    StartRadio();
    TApp app(std::string(NORDA_LIBRARY_DIR) + "/ombra", {}, std::make_unique<NoIni>());
    app.ReadCommandLineAndCountry();
    app.ReadRest();
    TQtHost host(app);
    TProgFrame frame(app, host);
    host.SetFrame(&frame);
    TProgramSetup setup(frame, host);
    frame.show();
    frame.SetupClient();
    ASSERT_TRUE(messages_.empty()) << messages_.front();
    ASSERT_EQ(host.Reopen(1, 115200), 0);
    ASSERT_TRUE(host.PortOpen());
    frame.UpdateCommandStates();
    ASSERT_TRUE(frame.Action(536)->isEnabled());

    frame.Command(536);
    EXPECT_TRUE(host.Reading());
    EXPECT_NE(frame.ProgressWindow(), nullptr);
    EXPECT_EQ(frame.ProgressWindow()->windowTitle(), "Port 1");
    frame.UpdateCommandStates();
    EXPECT_FALSE(frame.Action(536)->isEnabled());
    EXPECT_FALSE(frame.Action(551)->isEnabled());

    ASSERT_TRUE(RunUntil([&] { return frame.Pages().CurrentPage() == 1 || !messages_.empty(); }));
    EXPECT_TRUE(messages_.empty()) << messages_.front();
    EXPECT_EQ(frame.Pages().CurrentPage(), 1);
    EXPECT_NE(dynamic_cast<TMaster*>(frame.Pages().Current()), nullptr);
    EXPECT_EQ(frame.windowTitle(), "OMBRA 4.0  - Telsiz bilgileri");
    EXPECT_EQ(frame.ProgressWindow(), nullptr);
    EXPECT_FALSE(host.Reading());
    EXPECT_FALSE(frame.RestrictedPages());
    frame.UpdateCommandStates();
    EXPECT_TRUE(frame.Action(538)->isEnabled()) << "a read makes the write possible";
    host.SetFrame(nullptr);
}

}  // namespace
}  // namespace norda
