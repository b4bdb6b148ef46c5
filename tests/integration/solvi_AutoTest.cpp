// solvi -auto PORT SPEED FILE, run as a program against simulated radios on
// pseudo-terminals: its exit code and what reached the radio.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/Clock.h"
#include "platform/ProductionLog.h"
#include "platform/Windows1254.h"
#include "production/ProductionDb.h"
#include "solvi/core/SoftwareImage.h"
#include "solvi/core/SoftwareVersion.h"
#include "tests/support/PgCluster.h"
#include "tools/radiosim/FlashImage.h"
#include "tools/radiosim/PtyServer.h"
#include "tools/radiosim/SimRadio.h"

namespace norda {
using namespace norda::solvi;
namespace {

std::string SRecord(char type, uint32_t address, const std::vector<uint8_t>& data) {
    const int addressBytes = type == '2' || type == '8' ? 3 : 2;
    std::vector<uint8_t> bytes{static_cast<uint8_t>(addressBytes + data.size() + 1)};
    for (int i = addressBytes - 1; i >= 0; --i)
        bytes.push_back(static_cast<uint8_t>(address >> (8 * i)));
    bytes.insert(bytes.end(), data.begin(), data.end());
    unsigned sum = 0;
    for (uint8_t b : bytes)
        sum += b;
    bytes.push_back(static_cast<uint8_t>(~sum));
    std::string line = {'S', type};
    char hex[3];
    for (uint8_t b : bytes) {
        std::snprintf(hex, sizeof hex, "%02X", b);
        line += hex;
    }
    return line + "\r\n";
}

// Code blocks spread over the flash (below and above the header) and a header.
std::string SoftwareFile(uint8_t seed) {
    std::string text = SRecord('0', 0, {'H', 'D', 'R'});
    std::mt19937 random(seed);
    for (uint32_t block : {0x2000u, 0x2080u, 0x8000u, 0xFF80u, 0x11000u, 0x1FF80u})
        for (int part = 0; part < 4; ++part) {
            std::vector<uint8_t> data(32);
            for (auto& b : data)
                b = static_cast<uint8_t>(random());
            text += SRecord('2', block + part * 32, data);
        }
    std::vector<uint8_t> header(64, 0);
    header[0] = 'Z';
    header[1] = 2;
    header[2] = seed;
    header[5] = 1;
    header[6] = 12;
    header[7] = 0xE8;
    header[8] = 0x07;
    header[9] = 'X';
    header[10] = 'Y';
    const std::string description = "deneme";
    std::copy(description.begin(), description.end(), header.begin() + 13);
    text += SRecord('2', 0x10000, std::vector<uint8_t>(header.begin(), header.begin() + 32));
    text += SRecord('2', 0x10020, std::vector<uint8_t>(header.begin() + 32, header.end()));
    return text + SRecord('8', 0, {});
}

class Home {
  public:
    Home() {
        std::random_device rd;
        root_ = std::filesystem::temp_directory_path() /
                ("solvi-auto-" + std::to_string(rd()) + "-" + std::to_string(rd()));
        std::filesystem::create_directories(root_ / "ports");
        std::filesystem::create_directories(root_ / "config");
    }
    ~Home() {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    std::string Path(const std::string& name) const { return (root_ / name).string(); }
    std::string Ports() const { return Path("ports"); }
    std::string Write(const std::string& name, const std::string& content) const {
        std::ofstream(Path(name), std::ios::binary) << content;
        return Path(name);
    }

  private:
    std::filesystem::path root_;
};

// `environment` changes the program's environment last: "NAME=VALUE" sets, "NAME" unsets.
pid_t Spawn(const std::vector<std::string>& args, const Home& home, const std::string& out,
            const std::vector<std::string>& environment = {}) {
    pid_t pid = fork();
    if (pid == 0) {
        setenv("NORDA_PORTS", home.Ports().c_str(), 1);
        setenv("XDG_CONFIG_HOME", home.Path("config").c_str(), 1);
        setenv("XDG_DATA_HOME", home.Path("data").c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        for (const std::string& change : environment) {
            const size_t equals = change.find('=');
            if (equals == std::string::npos)
                unsetenv(change.c_str());
            else
                setenv(change.substr(0, equals).c_str(), change.substr(equals + 1).c_str(), 1);
        }
        if (FILE* f = std::fopen(out.c_str(), "w")) {
            dup2(fileno(f), 1);
            dup2(fileno(f), 2);
        }
        std::vector<char*> argv;
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

int Wait(pid_t pid) {
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return -1000;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1000 - WTERMSIG(status);
}

// As Wait, but a program still running after `seconds` is killed: -2000.
int WaitAtMost(pid_t pid, int seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > end) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -2000;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1000 - WTERMSIG(status);
}

// The process status of `solvi -auto port speed file`.
int RunSolvi(const Home& home, int port, const std::string& file, int speed = 115200) {
    return Wait(Spawn({SOLVI_PROGRAM, "-auto", std::to_string(port), std::to_string(speed), file},
                      home, home.Path("solvi.out")));
}

// The lines of a file, without their line ends.
std::vector<std::string> Lines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Split(const std::string& line, char separator) {
    std::vector<std::string> cells(1);
    for (char c : line) {
        if (c == separator)
            cells.emplace_back();
        else
            cells.back() += c;
    }
    return cells;
}

// The result line among the program's output: the one that starts with the port.
std::vector<std::string> ResultLine(const std::string& out) {
    for (const std::string& line : Lines(out))
        if (line.rfind("Com", 0) == 0)
            return Split(line, '\t');
    return {};
}

std::string VersionText(const std::vector<uint8_t>& flash) {
    return SoftwareVersion::FromHeader(
               std::span<const uint8_t, SoftwareVersion::kHeaderSize>(
                   flash.data() + LoadedSoftware::kHeaderAddress, SoftwareVersion::kHeaderSize))
        .DisplayText();
}

sim::RadioConfig FastRadio() {
    sim::RadioConfig config;
    config.baud = 115200;
    config.eraseMs = 50;
    config.resetQuietMs = 100;
    return config;
}

// A radio with the simulator's own software on `port`; empty, or why it is not served.
std::string AddFreshRadio(sim::PtyServer& server, int port) {
    std::string error;
    if (server.AddRadio(
            port,
            std::make_unique<sim::SimRadio>(SteadyClock::Instance(), FastRadio(),
                                            sim::GenerateParamMemory(FastRadio().halfBaseChan),
                                            sim::GenerateFlashImage()),
            error) != 0)
        return error.empty() ? "not served" : error;
    return {};
}

// The radiosim program with one radio on com2, until the object goes.
class RadiosimProgram {
  public:
    RadiosimProgram(const Home& home, std::vector<std::string> extra) : home_(home) {
        std::vector<std::string> args = {RADIOSIM_PROGRAM,
                                         "--ports-dir",
                                         home.Ports(),
                                         "--com",
                                         "2",
                                         "--baud",
                                         "115200",
                                         "--erase-ms",
                                         "50",
                                         "--log",
                                         home.Path("wire.log")};
        args.insert(args.end(), extra.begin(), extra.end());
        pid_ = Spawn(args, home, home.Path("radiosim.out"));
        // The link appears once the radio is served; the limit only guards a broken build.
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!std::filesystem::exists(home.Ports() + "/com2") &&
               std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ~RadiosimProgram() { Stop(); }
    void Stop() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            Wait(pid_);
            pid_ = -1;
        }
    }
    // Frames the programmer sent, as the wire log shows them: "<t> comN in <len>: ...".
    std::vector<int> SentFrameLengths() const {
        std::vector<int> lengths;
        std::ifstream in(home_.Path("wire.log"));
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream s(line);
            std::string time, com, direction, length;
            s >> time >> com >> direction >> length;
            if (direction == "in")
                lengths.push_back(std::atoi(length.c_str()));
        }
        return lengths;
    }

  private:
    const Home& home_;
    pid_t pid_ = -1;
};

TEST(SolviAuto, DifferentSoftwareIsProgrammedWhenTheLogCannotBeWritten) {
    Home home;
    const std::string file = home.Write("new.hex", SoftwareFile(1));
    sim::PtyServer server(SteadyClock::Instance(), home.Ports());
    ASSERT_EQ(AddFreshRadio(server, 4), "");
    const std::string before = VersionText(server.Radio(0).Flash());
    std::thread serving([&] { server.Serve(); });
    // A file stands where the log's folder should be: no one, not even root, writes there.
    const std::string log = file + "/production.csv";
    const int status = Wait(Spawn({SOLVI_PROGRAM, "-auto", "4", "115200", file, "--log", log}, home,
                                  home.Path("solvi.out")));
    server.RequestStop();
    serving.join();
    EXPECT_EQ(status, 0);

    SoftwareImage image;
    ASSERT_EQ(image.LoadSoftwareFile(file), Status::Ok);
    auto software = image.Current();
    const auto& flash = server.Radio(0).Flash();
    int differences = 0;
    for (uint32_t a = 0; a < LoadedSoftware::kFlashSize; ++a)
        differences += flash.at(a) != software->Bytes()[a];
    EXPECT_EQ(differences, 0);
    EXPECT_EQ(server.Radio(0).Stats().memoryWrites, static_cast<uint32_t>(software->BlockCount()));
    EXPECT_EQ(server.Radio(0).Stats().resets, 1u);

    const std::vector<std::string> result = ResultLine(home.Path("solvi.out"));
    ASSERT_EQ(result.size(), 5u);
    EXPECT_EQ(result[0], "Com4");
    EXPECT_EQ(result[1], before);
    EXPECT_EQ(result[2], software->VersionText());
    EXPECT_NE(result[1], result[2]);
    EXPECT_EQ(result[3], "Cihaz programlandı.");
    EXPECT_GT(std::atof(result[4].c_str()), 0.0);
    bool warned = false;
    for (const std::string& line : Lines(home.Path("solvi.out")))
        warned = warned || line == "solvi: Üretim kaydı yazılamadı: " + log + ": Not a directory";
    EXPECT_TRUE(warned);
}

TEST(SolviAuto, SixteenRunsAtOnceLeaveSixteenWholeRecordsInOneLogAndTheDatabase) {
    Home home;
    // The line's database too, where the server is installed; the log alone elsewhere.
    test::PgCluster cluster;
    std::string database;
    if (!test::PgCluster::BinDir().empty()) {
        ASSERT_TRUE(cluster.Create()) << cluster.Error();
        database = cluster.NewDatabase();
        ASSERT_NE(database, "") << cluster.Error();
        std::string error;
        const auto db = ProductionDb::Connect(database, error);
        ASSERT_TRUE(db) << error;
        int before = 0;
        ASSERT_TRUE(db->Init(before)) << db->Error();
    }
    const std::string file = home.Write("new.hex", SoftwareFile(5));
    sim::PtyServer server(SteadyClock::Instance(), home.Ports());
    for (int port = 1; port <= 16; ++port)
        ASSERT_EQ(AddFreshRadio(server, port), "") << "Com" << port;
    const std::string before = VersionText(server.Radio(0).Flash());
    std::thread serving([&] { server.Serve(); });
    // The folder does not exist yet: whoever writes first makes it and the header.
    const std::string log = home.Path("line 3/production.csv");
    std::vector<pid_t> runs;
    for (int port = 1; port <= 16; ++port) {
        std::vector<std::string> args = {
            SOLVI_PROGRAM, "-auto", std::to_string(port), "115200", file, "--log", log};
        if (!database.empty())
            args.insert(args.end(), {"--db", database});
        runs.push_back(Spawn(args, home, home.Path("solvi" + std::to_string(port) + ".out")));
    }
    for (size_t i = 0; i < runs.size(); ++i)
        EXPECT_EQ(Wait(runs[i]), 0) << "Com" << i + 1;
    server.RequestStop();
    serving.join();

    SoftwareImage image;
    ASSERT_EQ(image.LoadSoftwareFile(file), Status::Ok);
    std::ifstream in(log, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 17);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 17);
    const std::vector<std::string> lines = Lines(log);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], ProductionLog::kHeader);
    std::set<int> ports;
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> cells = Split(lines[i], ',');
        ASSERT_EQ(cells.size(), 14u) << lines[i];
        ports.insert(std::atoi(cells[3].c_str()));
        EXPECT_EQ(cells[1] + " " + cells[4], "solvi flash") << lines[i];
        EXPECT_EQ(cells[9], before) << lines[i];
        EXPECT_EQ(cells[10], image.Current()->VersionText()) << lines[i];
        EXPECT_EQ(cells[11] + " " + cells[12], "811 Cihaz programlandı.") << lines[i];
    }
    EXPECT_EQ(ports.size(), 16u);
    EXPECT_EQ(*ports.begin(), 1);
    EXPECT_EQ(*ports.rbegin(), 16);

    if (database.empty())
        GTEST_SKIP() << "no PostgreSQL server to check the database against";
    std::string error;
    const auto db = ProductionDb::Connect(database, error);
    ASSERT_TRUE(db) << error;
    const auto records = db->Records(0, "", "");
    ASSERT_TRUE(records) << db->Error();
    ASSERT_EQ(records->size(), 16u);
    std::set<int> recorded;
    for (const StoredRecord& r : *records) {
        recorded.insert(r.record.port);
        EXPECT_EQ(r.record.program + " " + r.record.operation + " " + r.outcome,
                  "solvi flash programmed");
        EXPECT_EQ(r.record.softwareBefore, before);
        EXPECT_EQ(r.record.softwareAfter, image.Current()->VersionText());
        EXPECT_EQ(std::to_string(r.record.resultId) + " " + r.record.result,
                  "811 Cihaz programlandı.");
    }
    EXPECT_EQ(recorded, ports);
    EXPECT_FALSE(std::filesystem::exists(home.Path("line 3/production-spool.tsv")));
}

TEST(SolviAuto, RadioAlreadyHoldingTheSoftwareEndsWithZeroAndNothingWritten) {
    Home home;
    const std::string file = home.Write("same.hex", SoftwareFile(2));
    RadiosimProgram radio(home, {"--flash-hex", file});
    EXPECT_EQ(RunSolvi(home, 2, file), 0);
    radio.Stop();
    SoftwareImage image;
    ASSERT_EQ(image.LoadSoftwareFile(file), Status::Ok);
    const std::string version = image.Current()->VersionText();
    EXPECT_EQ(ResultLine(home.Path("solvi.out")),
              (std::vector<std::string>{"Com2", version, version, "Cihaz programlı",
                                        ResultLine(home.Path("solvi.out")).back()}));
    // Nothing was programmed, so nothing is recorded.
    EXPECT_FALSE(std::filesystem::exists(home.Path("data")));
    const std::vector<int> sent = radio.SentFrameLengths();
    ASSERT_FALSE(sent.empty());
    // Header reads only: a block write is a frame of well over 128 bytes.
    for (int length : sent)
        EXPECT_LT(length, 40);
}

TEST(SolviAuto, ExitCodesOfTheFailures) {
    Home home;
    const std::string file = home.Write("a.hex", SoftwareFile(3));
    const std::string bad = home.Write("bad.hex", "S0030000FC\r\nS1 not a record\r\n");
    {
        RadiosimProgram radio(home, {"--fault", "silent"});
        EXPECT_EQ(RunSolvi(home, 2, file), 253) << "no radio answers: -3";
        const auto result = ResultLine(home.Path("solvi.out"));
        ASSERT_EQ(result.size(), 5u);
        EXPECT_EQ(result[1] + result[2] + result[3], "--Cihaz aranıyor...");
    }
    {
        RadiosimProgram radio(home, {});
        EXPECT_EQ(RunSolvi(home, 3, file), 255) << "port missing: -1";
        const auto result = ResultLine(home.Path("solvi.out"));
        ASSERT_EQ(result.size(), 5u);
        EXPECT_EQ(result[0] + result[1] + result[2] + result[4], "Com3--0.0");
        EXPECT_TRUE(result[3].starts_with(
            "Seri çıkış numarası hatalı. Lütfen başka bir çıkış seçin. (/dev/ttyS2: "))
            << result[3];
        EXPECT_EQ(RunSolvi(home, 0, file), 255) << "no such port number: -1";
        EXPECT_EQ(RunSolvi(home, 2, bad), 254) << "bad file: -2";
        EXPECT_EQ(ResultLine(home.Path("solvi.out"))[3], "Hex yazılım dosyası hatalı!");
        // Where the file is wrong and why, for whoever reads the server's log.
        const std::vector<std::string> lines = Lines(home.Path("solvi.out"));
        EXPECT_NE(
            std::find(
                lines.begin(), lines.end(),
                "solvi: " + bad +
                    ": Satır 2: Kayıtta onaltılık rakam (0-9, A-F) olmayan bir karakter var."),
            lines.end());
        EXPECT_EQ(RunSolvi(home, 2, home.Path("missing.hex")), 254) << "no file: -2";
        EXPECT_EQ(ResultLine(home.Path("solvi.out"))[3], "Hex yazılım dosyası hatalı! (" +
                                                             home.Path("missing.hex") +
                                                             ": No such file or directory)");
    }
    // Automatic mode keeps its hands off the settings.
    EXPECT_FALSE(std::filesystem::exists(home.Path("config/norda")));
}

// A production server runs SOLVI over ssh or as a service: no display at all.
const std::vector<std::string> kNoDisplay = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};

TEST(SolviAuto, AFactoryNewRadioIsProgrammedWithoutADisplayAndRecordedAsBlank) {
    Home home;
    // As srec_cat writes on Linux: LF line ends, and a count record in place of an end.
    std::string text = SoftwareFile(6);
    const auto dataRecords = static_cast<uint32_t>(std::count(text.begin(), text.end(), '\n') - 2);
    text.replace(text.rfind("S8"), std::string::npos, SRecord('5', dataRecords, {}));
    std::erase(text, '\r');
    const std::string file = home.Write("new.hex", text);
    RadiosimProgram radio(home, {"--blank-flash"});
    const std::string log = home.Path("production.csv");
    const int status = WaitAtMost(Spawn({SOLVI_PROGRAM, "-auto", "2", "115200", file, "--log", log},
                                        home, home.Path("solvi.out"), kNoDisplay),
                                  120);
    radio.Stop();
    EXPECT_EQ(status, 0);

    SoftwareImage image;
    ASSERT_EQ(image.LoadSoftwareFile(file), Status::Ok);
    const std::vector<std::string> result = ResultLine(home.Path("solvi.out"));
    ASSERT_EQ(result.size(), 5u);
    EXPECT_EQ(result[1], "boş");
    EXPECT_EQ(result[2], image.Current()->VersionText());
    std::vector<std::string> lines = Lines(home.Path("solvi.out"));
    const std::vector<std::string> records = Lines(log);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(Split(records[1], ',').at(9), "boş");
    lines.insert(lines.end(), records.begin(), records.end());
    for (const std::string& line : lines)
        EXPECT_TRUE(IsValidUtf8(line)) << line;
}

TEST(SolviAuto, MistakesAndAMissingDisplayEndWithAWordNotAWindow) {
    Home home;
    const std::string file = home.Write("a.hex", SoftwareFile(7));
    const std::string out = home.Path("solvi.out");
    auto run = [&](const std::vector<std::string>& args, std::vector<std::string> environment) {
        std::vector<std::string> all = {SOLVI_PROGRAM};
        all.insert(all.end(), args.begin(), args.end());
        return WaitAtMost(Spawn(all, home, out, environment), 60);
    };
    // The speed and the file left out: the usage, and no window that nobody would see.
    EXPECT_EQ(run({"-auto", "1"}, kNoDisplay), 2);
    std::vector<std::string> lines = Lines(out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].rfind("solvi: -auto needs PORT SPEED FILE.hex", 0), 0u) << lines[0];
    EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                           [](const std::string& l) { return l.rfind("usage:", 0) == 0; }),
              lines.end());
    EXPECT_EQ(run({"-auto", "1", "9600"}, kNoDisplay), 2);

    // The window needs a display: without one, or with one that cannot be reached, one line.
    EXPECT_EQ(run({file}, kNoDisplay), 1);
    lines = Lines(out);
    EXPECT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines.front().rfind("solvi: no display", 0), 0u) << lines.front();
    std::vector<std::string> gone = kNoDisplay;
    gone[0] = "DISPLAY=:97";
    EXPECT_EQ(run({file}, gone), 1);
    lines = Lines(out);
    EXPECT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines.front().rfind("solvi: no display", 0), 0u) << lines.front();
}

}  // namespace
}  // namespace norda
