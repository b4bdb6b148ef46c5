#pragma once

// The whole OMBRA program against the `radiosim` program on a pseudo-terminal: a
// temporary ports folder as NORDA_PORTS, the simulated radio as COM1 at 115200 baud,
// and every message the program would show recorded instead of shown.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "ombra/pages/TMessageDlg.h"
#include "tests/support/WholeProgram.h"

namespace norda::ombra::test {

inline std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

class WholeProgramFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "ombra_e2e_XXXXXX");
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        const char* old = std::getenv("NORDA_PORTS");
        oldPorts_ = old == nullptr ? "" : old;
        setenv("NORDA_PORTS", dir_.c_str(), 1);
        // The reads' backups go into the test's folder.
        const char* data = std::getenv("XDG_DATA_HOME");
        oldData_ = data == nullptr ? "" : data;
        setenv("XDG_DATA_HOME", dir_.c_str(), 1);
        TMessageDlg::SetResponder([this](const TMessageDlg::Record& r) {
            messages_.push_back(r.caption + ": " + r.text);
            return 1;
        });
    }

    void TearDown() override {
        TMessageDlg::SetResponder(nullptr);
        for (pid_t sim : sims_) {
            kill(sim, SIGTERM);
            waitpid(sim, nullptr, 0);
        }
        if (oldPorts_.empty())
            unsetenv("NORDA_PORTS");
        else
            setenv("NORDA_PORTS", oldPorts_.c_str(), 1);
        if (oldData_.empty())
            unsetenv("XDG_DATA_HOME");
        else
            setenv("XDG_DATA_HOME", oldData_.c_str(), 1);
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    // A simulated radio as COM`com`; `extra` are further radiosim options.
    void StartRadio(int com = 1, const std::vector<std::string>& extra = {}) {
        const std::string name = "sim" + std::to_string(com);
        const std::string port = std::to_string(com);
        const pid_t sim = fork();
        if (sim == 0) {
            FILE* o = std::freopen((dir_ / (name + ".out")).c_str(), "w", stdout);
            FILE* e = std::freopen((dir_ / (name + ".err")).c_str(), "w", stderr);
            if (o == nullptr || e == nullptr)
                _exit(127);
            std::vector<std::string> args = {RADIOSIM, "--ports-dir", dir_.string(), "--com",
                                             port,     "--baud",      "115200"};
            args.insert(args.end(), extra.begin(), extra.end());
            std::vector<char*> argv;
            for (std::string& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(RADIOSIM, argv.data());
            _exit(127);
        }
        sims_.push_back(sim);
        const std::string ready = "com" + port + " ->";
        const std::filesystem::path out = dir_ / (name + ".out");
        for (int i = 0; i < 500 && Slurp(out).find(ready) == std::string::npos; ++i)
            usleep(10000);
        ASSERT_NE(Slurp(out).find(ready), std::string::npos) << Slurp(dir_ / (name + ".err"));
    }

    // Titles of the windows on the screen, sorted: what the user sees, not which
    // window objects still exist.
    static std::vector<std::string> VisibleWindows() {
        std::vector<std::string> titles;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && w->windowType() != Qt::Popup && w->windowType() != Qt::ToolTip)
                titles.push_back(w->windowTitle().toStdString());
        }
        std::sort(titles.begin(), titles.end());
        return titles;
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

    bool Said(const std::string& text) const {
        for (const auto& m : messages_)
            if (m.find(text) != std::string::npos)
                return true;
        return false;
    }

    std::filesystem::path dir_;
    std::string oldPorts_;
    std::string oldData_;
    std::vector<pid_t> sims_;
    std::vector<std::string> messages_;
};

}  // namespace norda::ombra::test
