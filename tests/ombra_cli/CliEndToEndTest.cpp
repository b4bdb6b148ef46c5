// ombra-cli against the simulated radio program on a pseudo-terminal.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "codeplug/CodeplugFile.h"
#include "production/PgConnection.h"
#include "tests/support/PgSuite.h"
#include "tools/radiosim/ParamImage.h"

namespace norda::ombra {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

pid_t Spawn(const std::vector<std::string>& args, const fs::path& portsDir, const fs::path& out,
            const fs::path& err, const fs::path& in = "/dev/null") {
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    if (std::freopen(in.c_str(), "r", stdin) == nullptr)
        _exit(127);
    setenv("NORDA_PORTS", portsDir.c_str(), 1);
    setenv("XDG_DATA_HOME", portsDir.c_str(), 1);
    FILE* o = std::freopen(out.c_str(), "w", stdout);
    FILE* e = std::freopen(err.c_str(), "w", stderr);
    if (o == nullptr || e == nullptr)
        _exit(127);
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
}

class CliEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/ombra_cli_e2e_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        std::ofstream(dir_ / "ombra.INI") << "[International]\r\nCountry Code=90\r\n";
    }
    void TearDown() override {
        if (sim_ > 0) {
            kill(sim_, SIGTERM);
            waitpid(sim_, nullptr, 0);
        }
        fs::remove_all(dir_);
    }

    fs::path File(const std::string& name) const { return dir_ / name; }

    // Starts radiosim as com1 and waits until it has announced its terminal.
    void StartRadio(std::vector<std::string> extra = {}) {
        std::vector<std::string> args = {RADIOSIM, "--ports-dir", dir_.string(),
                                         "--com",  "1",           "--baud",
                                         "115200", "--log",       File("wire.log").string()};
        args.insert(args.end(), extra.begin(), extra.end());
        // A radio started again: the last one's "com1 ->" must not pass for the new one's
        // before the new one has emptied the file.
        fs::remove(File("sim.out"));
        sim_ = Spawn(args, dir_, File("sim.out"), File("sim.err"));
        for (int i = 0; i < 500 && Slurp(File("sim.out")).find("com1 ->") == std::string::npos;
             ++i) {
            usleep(10000);
        }
        ASSERT_NE(Slurp(File("sim.out")).find("com1 ->"), std::string::npos)
            << Slurp(File("sim.err"));
    }

    // Starts ombra-cli; its output goes to NAME.out and NAME.err.
    pid_t Launch(std::vector<std::string> args, const std::string& name = "cli") {
        args.insert(args.begin(), OMBRA_CLI);
        args.insert(args.end(), {"--ini", File("ombra.INI").string()});
        return Spawn(args, dir_, File(name + ".out"), File(name + ".err"), input_);
    }
    // Waits for an ombra-cli to end; its exit status, stderr in `err_`, stdout in `out_`.
    int Wait(pid_t pid, const std::string& name = "cli") {
        int status = 0;
        waitpid(pid, &status, 0);
        err_ = Slurp(File(name + ".err"));
        out_ = Slurp(File(name + ".out"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // Runs ombra-cli to its end.
    int Cli(std::vector<std::string> args) { return Wait(Launch(std::move(args))); }
    int ReadRadio(const std::string& out, std::vector<std::string> extra = {}) {
        std::vector<std::string> args = {"read", "--port", "1", "--baud", "115200"};
        args.insert(args.end(), extra.begin(), extra.end());
        args.push_back(File(out).string());
        return Cli(args);
    }

    void StopRadio() {
        kill(sim_, SIGTERM);
        waitpid(sim_, nullptr, 0);
        sim_ = -1;
    }

    fs::path dir_;
    pid_t sim_ = -1;
    fs::path input_ = "/dev/null";  // the operator's answers
    std::string err_;
    std::string out_;
};

TEST_F(CliEndToEnd, ReadSavesTheRadiosCodeplugImageAndTrace) {
    sim::ParamMemory memory = sim::GenerateParamMemory();
    memory[1] = 0x30;
    memory[2] = 0x39;  // serial number 12345
    sim::WriteAreaChecksums(memory);
    std::ofstream(File("radio.bin"), std::ios::binary)
        .write(reinterpret_cast<const char*>(memory.data()), memory.size());
    StartRadio({"--param-image", File("radio.bin").string()});

    ASSERT_EQ(ReadRadio("out.omb", {"--test", "--image", File("img.bin").string(), "--trace",
                                    File("trace.txt").string()}),
              0)
        << err_;
    EXPECT_EQ(err_, "BİLGİ: Kütük saklandı.\n");
    const std::string image = Slurp(File("img.bin"));
    ASSERT_EQ(image.size(), 2048u);
    for (int a : {0, 1, 2, 8, 24, 700, 1349, 1352, 1400, 1470, 1536, 1747, 2016, 2037}) {
        EXPECT_EQ(static_cast<uint8_t>(image[static_cast<size_t>(a)]),
                  memory[static_cast<size_t>(a)])
            << a;
    }
    const std::string codeplug = Slurp(File("out.omb"));
    EXPECT_NE(codeplug.find("[Master]"), std::string::npos) << "--test adds Master and Service";
    EXPECT_NE(codeplug.find("[Kanal]"), std::string::npos);

    std::istringstream trace(Slurp(File("trace.txt")));
    std::string first;
    std::getline(trace, first);
    EXPECT_TRUE(std::regex_match(first, std::regex(R"( *\d+\.\d{3} LR gönderildi)"))) << first;

    // The saved image decodes to the same codeplug.
    ASSERT_EQ(Cli({"decode", "--test", File("img.bin").string(), File("dec.omb").string()}), 0)
        << err_;
    EXPECT_EQ(Slurp(File("dec.omb")), codeplug);
}

TEST_F(CliEndToEnd, CopyThenReadBackGivesTheFilesParametersAndKeepsTheRadiosIdentity) {
    // Serial number 1001, compander and TDM on (the radio has TDM hardware), and the
    // flags that every write clears set.
    sim::ParamMemory memory = sim::GenerateParamMemory();
    memory[0] = 0xDE;
    memory[1] = 1001 >> 8;
    memory[2] = 1001 & 0xFF;
    memory[1419] |= 0x01;
    sim::WriteAreaChecksums(memory);
    std::ofstream(File("radio.bin"), std::ios::binary)
        .write(reinterpret_cast<const char*>(memory.data()), memory.size());
    StartRadio({"--param-image", File("radio.bin").string()});
    ASSERT_EQ(ReadRadio("radio.omb"), 0) << err_;

    // A codeplug that differs from the radio's in what a copy carries.
    CodeplugOptions options;
    RadioParameters file;
    ASSERT_EQ(LoadCodeplugFile(File("radio.omb").string(), file, options), Status::Ok);
    const char name[8] = {'T', 'E', 'S', 'T', ' ', 'K', 'N', '1'};
    std::copy(std::begin(name), std::end(name), file.Clone.Kanal[0].KanalAdi);
    file.Clone.Kanal[4].TxFreq = 17;
    file.Clone.Kanal[4].RxFreq = 21;
    file.Clone.Tot = file.Clone.Tot == 4 ? 6 : 4;
    file.Clone.Scan[7] = file.Clone.Scan[7] ? 0 : 1;
    file.KSYS.GrupNo[2] = 33;
    file.ADATA.FLEETID = 1234;
    ASSERT_EQ(SaveCodeplugFile(File("new.omb").string(), file, options), Status::Ok);

    ASSERT_EQ(Cli({"copy", "--port", "1", "--baud", "115200", File("new.omb").string()}), 0)
        << err_;
    EXPECT_EQ(err_, "BİLGİ: Cihaz programlandı.\n");
    ASSERT_EQ(ReadRadio("back.omb", {"--image", File("back.bin").string()}), 0) << err_;

    // The file holds no Master area; the radio keeps its own identity.
    const std::string image = Slurp(File("back.bin"));
    ASSERT_EQ(image.size(), 2048u);
    const auto byte = [&](size_t a) { return static_cast<uint8_t>(image[a]); };
    EXPECT_EQ(byte(1) << 8 | byte(2), 1001);
    EXPECT_EQ(byte(0) & 0x0C, 0x0C) << "compander and TDM";
    EXPECT_EQ(byte(0) & 0xD2, 0) << "the flags a write clears";

    RadioParameters expected;
    RadioParameters back;
    ASSERT_EQ(LoadCodeplugFile(File("new.omb").string(), expected, options), Status::Ok);
    ASSERT_EQ(LoadCodeplugFile(File("back.omb").string(), back, options), Status::Ok);
    EXPECT_TRUE(back.Clone == expected.Clone);
    EXPECT_TRUE(back.User == expected.User);
    EXPECT_TRUE(back.KSYS == expected.KSYS);
    EXPECT_TRUE(back.ADATA == expected.ADATA);
    EXPECT_EQ(Slurp(File("back.omb")), Slurp(File("new.omb")));
}

TEST_F(CliEndToEnd, FailureMessagesEndWithStatusOne) {
    StartRadio({"--fault", "silent"});
    EXPECT_EQ(ReadRadio("out.omb"), 1);
    EXPECT_EQ(err_, "İLETİŞİM HATASI: Cihaz ile bilgisayar bağlantısı kurulamadı !\n");
    EXPECT_FALSE(fs::exists(File("out.omb")));
}

TEST_F(CliEndToEnd, ConsoleConventionsAndAPortThatCannotBeOpenedNamesItsDevice) {
    EXPECT_EQ(Cli({"--version"}), 0);
    EXPECT_TRUE(std::regex_match(out_, std::regex("ombra-cli \\d+\\.\\d+\\.\\d+\n"))) << out_;
    EXPECT_EQ(Cli({"read", "--bogus", "x.omb"}), 2);
    EXPECT_EQ(out_, "");
    EXPECT_EQ(err_.rfind("ombra-cli: option --bogus is not for read\nusage: ", 0), 0u) << err_;

    fs::create_symlink(File("gone"), File("com7"));
    EXPECT_EQ(Cli({"read", "--port", "7", File("out.omb").string()}), 1);
    EXPECT_EQ(err_, "HATA: Seri çıkış numarası hatalı. Lütfen başka bir çıkış seçin. (port 7 is " +
                        File("com7").string() + ": No such file or directory)\n");
}

TEST_F(CliEndToEnd, RadioOfAnotherBandIsNotWritten) {
    StartRadio({"--band", "16240"});
    RadioParameters file;
    file.TestAyar.HalfBaseChan = 5840;
    ASSERT_EQ(SaveCodeplugFile(File("vhf.omb").string(), file, {}), Status::Ok);
    EXPECT_EQ(Cli({"copy", "--port", "1", "--baud", "115200", File("vhf.omb").string()}), 1);
    EXPECT_EQ(err_, "HATA: Cihazın frekans bandı yazılacak parametrelerdeki ile aynı değil !\n");
}

TEST_F(CliEndToEnd, UnprogrammedAreaWarnsWithoutFailing) {
    sim::ParamMemory memory = sim::GenerateParamMemory();
    memory[1333] ^= 0x01;
    std::ofstream(File("radio.bin"), std::ios::binary)
        .write(reinterpret_cast<const char*>(memory.data()), memory.size());
    StartRadio({"--param-image", File("radio.bin").string()});
    EXPECT_EQ(ReadRadio("out.omb"), 0);
    EXPECT_EQ(err_, "DİKKAT!: Cihazın AKTARMA alanı programsız!\nBİLGİ: Kütük saklandı.\n");
}

TEST_F(CliEndToEnd, FilesThatCannotBeReadOrWrittenGiveStatusTwo) {
    EXPECT_EQ(Cli({"copy", "--port", "1", File("missing.omb").string()}), 2);
    std::ofstream(File("short.bin")) << "0123456789";
    EXPECT_EQ(Cli({"decode", File("short.bin").string(), File("x.omb").string()}), 2);
    std::ofstream(File("noband.omb")) << "[Clone]\r\nTot=60\r\n";
    EXPECT_EQ(Cli({"copy", "--port", "1", File("noband.omb").string()}), 2);
    EXPECT_EQ(err_, "HATA: Seçilen kütükte frekans bandı bilgisi hatalı veya yok !\n");
    EXPECT_EQ(Cli({"read", "--bogus", "x.omb"}), 2);

    StartRadio();
    EXPECT_EQ(ReadRadio("no/such/dir/out.omb"), 2);
    EXPECT_NE(err_.find("HATA: "), std::string::npos) << err_;
}

int CountOf(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// The line of `key` in a file's text, the first line being 1.
int LineOf(const std::string& text, const std::string& key) {
    const size_t at = text.find("\n" + key);
    return at == std::string::npos ? 0 : CountOf(text.substr(0, at + 1), "\n") + 1;
}

TEST_F(CliEndToEnd, AValueThatCannotBeTakenAsWrittenKeepsTheFileFromEveryRadio) {
    StartRadio();
    ASSERT_EQ(ReadRadio("radio.omb"), 0) << err_;
    std::string codeplug = Slurp(File("radio.omb"));
    const size_t at = codeplug.find("TxFreq[1]=");
    ASSERT_NE(at, std::string::npos);
    const size_t end = codeplug.find('\r', at);
    codeplug.replace(at, end - at, "TxFreq[1]=146,0125");
    std::ofstream(File("comma.omb"), std::ios::binary) << codeplug;
    const std::string where =
        File("comma.omb").string() + ":" + std::to_string(LineOf(codeplug, "TxFreq[1]=")) +
        ": [Kanal] TxFreq[1]=146,0125: ondalık ayırıcı virgül; nokta olmalı\n";
    const std::string refused =
        "ombra-cli: " + where +
        "HATA: Kütük telsize yazılmadı: 1 değer yazıldığı gibi alınamadı.\n";

    const size_t wire = Slurp(File("wire.log")).size();
    EXPECT_EQ(Cli({"copy", "--port", "1", "--baud", "115200", File("comma.omb").string()}), 2);
    EXPECT_EQ(err_, refused);
    EXPECT_EQ(Cli({"verify", "--port", "1", "--baud", "115200", File("comma.omb").string()}), 2);
    EXPECT_EQ(err_, refused);
    EXPECT_EQ(Cli({"sequence", "--port", "1", "--baud", "115200", "--serial", "7",
                   File("comma.omb").string()}),
              2);
    EXPECT_EQ(err_, refused);
    EXPECT_EQ(Slurp(File("wire.log")).size(), wire) << "nothing crossed the line";
    ASSERT_EQ(ReadRadio("after.omb"), 0) << err_;
    EXPECT_EQ(Slurp(File("after.omb")), Slurp(File("radio.omb")));

    // The diff shows what the file holds, not a frequency it does not.
    EXPECT_EQ(Cli({"diff", File("radio.omb").string(), File("comma.omb").string()}), 1);
    EXPECT_NE(out_.find(" → okunamadı (146,0125)\n"), std::string::npos) << out_;
}

// ---- backups, diff, verify -----------------------------------------------------

// The backups under the test's data folder: .bin and .omb files by day.
std::vector<fs::path> BackupFiles(const fs::path& data) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(data / "norda" / "backups", ec), end; !ec && it != end;
         it.increment(ec)) {
        if (it->is_regular_file())
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST_F(CliEndToEnd, ReadLeavesOneBackupOfEachDistinctImageAndListsIt) {
    StartRadio();
    ASSERT_EQ(ReadRadio("first.omb", {"--image", File("img.bin").string()}), 0) << err_;
    const std::vector<fs::path> files = BackupFiles(dir_);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_TRUE(std::regex_match(
        files[0].string(), std::regex(".*/norda/backups/\\d{4}-\\d{2}-\\d{2}/24117_\\d{6}\\.bin")))
        << files[0];
    EXPECT_EQ(files[1].extension(), ".omb");
    EXPECT_EQ(Slurp(files[0]), Slurp(File("img.bin"))) << "the image exactly as read";
    EXPECT_NE(Slurp(files[1]).find("[Master]"), std::string::npos)
        << "a backup keeps what a file can hold of the radio's own areas";

    ASSERT_EQ(ReadRadio("second.omb"), 0) << err_;
    EXPECT_EQ(err_, "BİLGİ: Kütük saklandı.\n");
    EXPECT_EQ(BackupFiles(dir_), files) << "the same image again adds nothing";

    ASSERT_EQ(Cli({"backups"}), 0) << err_;
    EXPECT_TRUE(
        std::regex_match(Slurp(File("cli.out")),
                         std::regex("\\d{4}-\\d{2}-\\d{2} \\d\\d:\\d\\d:\\d\\d\t24117\tARAÇ\t"
                                    "VHF 146 - 174\t" +
                                    files[1].string() + "\n")))
        << Slurp(File("cli.out"));
}

TEST_F(CliEndToEnd, UnwritableBackupFolderLeavesTheReadIntact) {
    // A file where the folder should be stops root as well as anyone else.
    fs::create_directories(dir_ / "norda");
    std::ofstream(dir_ / "norda" / "backups") << "not a folder";
    StartRadio();
    ASSERT_EQ(ReadRadio("out.omb"), 0) << err_;
    EXPECT_TRUE(std::regex_match(
        err_, std::regex("DİKKAT!: Yedek saklanamadı: .*norda/backups/\\d{4}-\\d{2}-\\d{2} "
                         "\\(.+\\)\nBİLGİ: Kütük saklandı.\n")))
        << err_;
    EXPECT_NE(Slurp(File("out.omb")).find("[Kanal]"), std::string::npos);
}

// Writes a channel's eight name characters into their seven-bit places.
void PutName(sim::ParamMemory& m, int channel, const char (&name)[9]) {
    const int at = 33 + 13 * channel;
    const int places[8] = {5, 6, 7, 8, 9, 10, 11, 12};
    for (int c = 0; c < 8; ++c) {
        uint8_t& b = m[static_cast<size_t>(at + places[c])];
        b = static_cast<uint8_t>((b & 0x80) | name[c]);
    }
}

// Two radios that differ in one field of each page, a channel name and a frequency.
void KnownPair(sim::ParamMemory& a, sim::ParamMemory& b) {
    a = b = sim::GenerateParamMemory();
    auto both = [&](int address, uint8_t va, uint8_t vb) {
        a[static_cast<size_t>(address)] = va;
        b[static_cast<size_t>(address)] = vb;
    };
    both(1, 1000 >> 8, 2000 >> 8);  // serial number
    both(2, 1000 & 0xFF, 2000 & 0xFF);
    both(10, 5, 6);                                              // clone key
    both(29, (a[29] & 0x0F) | 4 << 4, (a[29] & 0x0F) | 6 << 4);  // time-out timer, 15 s steps
    PutName(a, 3, "ALFA    ");
    PutName(b, 3, "BETA    ");
    const int rx5 = 33 + 13 * 5 + 2;  // channel 5's receive code, 14 bits
    both(rx5, a[rx5] & 0xC0, a[rx5] & 0xC0);
    both(rx5 + 1, 100, 105);
    both(2028, 3, 33);         // KSYS group 3
    both(1537, 0, 1234 >> 8);  // ADATA fleet identity
    both(1538, 100, 1234 & 0xFF);
    sim::WriteAreaChecksums(a);
    sim::WriteAreaChecksums(b);
}

TEST_F(CliEndToEnd, DiffListsExactlyTheParametersThatDiffer) {
    sim::ParamMemory a, b;
    KnownPair(a, b);
    std::ofstream(File("a.bin"), std::ios::binary)
        .write(reinterpret_cast<const char*>(a.data()), 2048);
    std::ofstream(File("b.bin"), std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), 2048);

    EXPECT_EQ(Cli({"diff", File("a.bin").string(), File("b.bin").string()}), 1) << err_;
    EXPECT_EQ(Slurp(File("cli.out")),
              "Sabit Parametreler\n"
              "  Seri No: 1000 → 2000\n"
              "Özel Parametreler\n"
              "  Aktarma Anahtarı: 5 → 6\n"
              "Aktarılabilir Parametreler\n"
              "  Tot (0-225 sn): 60 → 90\n"
              "Kanal Parametreleri\n"
              "  Kanal No 3\n"
              "    Kanal Adı: \"ALFA    \" → \"BETA    \"\n"
              "  Kanal No 5\n"
              "    RxFrek.: 146.2500 → 146.2625\n"
              "Kablosuz Ses Yayın Sistemi Parametreleri\n"
              "  Grup Numaraları\n"
              "    3: 3 → 33\n"
              "Analog Veri Parametreleri\n"
              "  Bölge Kimliği: 100 → 1234\n");

    // A file carries neither the fixed nor the special parameters: they are not compared.
    ASSERT_EQ(Cli({"decode", File("b.bin").string(), File("b.omb").string()}), 0) << err_;
    EXPECT_EQ(Cli({"diff", File("a.bin").string(), File("b.omb").string()}), 1) << err_;
    const std::string fileDiff = Slurp(File("cli.out"));
    EXPECT_EQ(fileDiff.find("Seri No"), std::string::npos) << fileDiff;
    EXPECT_EQ(fileDiff.find("Aktarma Anahtarı"), std::string::npos) << fileDiff;
    EXPECT_NE(fileDiff.find("    3: 3 → 33\n"), std::string::npos) << fileDiff;

    EXPECT_EQ(Cli({"diff", File("b.bin").string(), File("b.omb").string()}), 0) << err_;
    EXPECT_EQ(Slurp(File("cli.out")), "");
    EXPECT_EQ(Cli({"diff", File("a.bin").string(), File("none.omb").string()}), 2);

    // The pages' own words in the INI's language.
    std::ofstream(File("ombra.INI"), std::ios::trunc) << "[International]\r\nCountry Code=9\r\n";
    EXPECT_EQ(Cli({"diff", File("a.bin").string(), File("b.bin").string()}), 1) << err_;
    EXPECT_TRUE(Slurp(File("cli.out")).starts_with("Fixed Parameters\n  Serial No: 1000 → 2000\n"))
        << Slurp(File("cli.out"));
}

TEST_F(CliEndToEnd, CopyWithVerifyHoldsTheRadioAgainstTheFile) {
    // A radio that takes longer to restart than one read waits for its link.
    StartRadio({"--reset-quiet-ms", "4000"});
    ASSERT_EQ(ReadRadio("radio.omb"), 0) << err_;
    std::string codeplug = Slurp(File("radio.omb"));
    const size_t name = codeplug.find("Kanal Adi[3]=<");
    ASSERT_NE(name, std::string::npos);
    codeplug.replace(name + 14, 4, "XYZW");
    std::ofstream(File("new.omb"), std::ios::binary) << codeplug;

    ASSERT_EQ(
        Cli({"copy", "--verify", "--port", "1", "--baud", "115200", File("new.omb").string()}), 0)
        << err_;
    EXPECT_EQ(err_,
              "BİLGİ: Cihaz programlandı.\nBİLGİ: Telsizdeki parametreler dosyadakilerle aynı.\n");
    EXPECT_EQ(Cli({"verify", "--port", "1", "--baud", "115200", File("new.omb").string()}), 0)
        << err_;

    // A radio that acknowledges its writes and keeps its old memory.
    kill(sim_, SIGTERM);
    waitpid(sim_, nullptr, 0);
    sim_ = -1;
    StartRadio({"--fault", "lose-writes"});
    EXPECT_EQ(
        Cli({"copy", "--verify", "--port", "1", "--baud", "115200", File("new.omb").string()}), 1);
    EXPECT_TRUE(err_.ends_with("HATA: Telsizdeki parametreler dosyadakilerden farklı!\n")) << err_;
    const std::string listing = Slurp(File("cli.out"));
    const size_t row = listing.find("  Kanal No 3\n    Kanal Adı: \"");
    ASSERT_NE(row, std::string::npos) << listing;
    const std::string line = listing.substr(row, listing.find('\n', row + 14) - row);
    EXPECT_NE(line.find("\" → \"XYZW"), std::string::npos) << line;  // radio → file
}

TEST_F(CliEndToEnd, VerifyAfterReadNamesWhatACopyWouldSetAndSaysTheParametersHold) {
    // A radio programmed elsewhere: other installation constants, and counters it has kept.
    sim::ParamMemory memory = sim::GenerateParamMemory();
    memory[1357] = 5;
    memory[1355] |= 0x08;
    sim::WriteAreaChecksums(memory);
    std::ofstream(File("radio.bin"), std::ios::binary)
        .write(reinterpret_cast<const char*>(memory.data()), memory.size());
    StartRadio({"--param-image", File("radio.bin").string()});
    ASSERT_EQ(ReadRadio("radio.omb"), 0) << err_;
    EXPECT_EQ(Cli({"verify", "--port", "1", "--baud", "115200", File("radio.omb").string()}), 1);
    const std::string listing = Slurp(File("cli.out"));
    EXPECT_TRUE(
        listing.starts_with("Aktarılabilir Parametreler\n"
                            "  Kurulum Sabitleri [Clone Constants]\n"
                            "    TUNETIM: " +
                            std::to_string(memory[30]) + " → 10\n"))
        << listing;
    EXPECT_NE(listing.find("    ZCC_CCIR: "), std::string::npos) << listing;
    EXPECT_NE(listing.find("  Kopyalamanın Sıfırladığı Değerler\n"
                           "    Bayt 1355 bit 3: 1 → 0\n"
                           "    Bayt 1357: 5 → 0\n"),
              std::string::npos)
        << listing;
    EXPECT_NE(listing.find("  Sağlama toplamı (User): "), std::string::npos) << listing;
    EXPECT_EQ(err_,
              "DİKKAT!: Telsiz dosyanın parametrelerini taşıyor: farklar yalnızca kopyalamanın "
              "kendisinin yazdığı değerlerde (kurulum sabitleri, sayaçlar, tarih, sağlama "
              "toplamları).\n");
}

}  // namespace
TEST_F(CliEndToEnd, SequenceNumbersRadioAfterRadioAndAFailedRadioKeepsItsNumbers) {
    StartRadio({"--swap-after-reset"});
    ASSERT_EQ(ReadRadio("base.omb"), 0) << err_;
    std::ofstream(File("answers")) << "\n\n\n\n";
    input_ = File("answers");
    const std::vector<std::string> common = {"sequence",
                                             "--port",
                                             "1",
                                             "--baud",
                                             "115200",
                                             "--state",
                                             File("next.ini").string(),
                                             "--log",
                                             File("production.csv").string()};
    std::vector<std::string> args = common;
    args.insert(args.end(),
                {"--serial", "100", "--ani", "0099", "--count", "3", File("base.omb").string()});
    ASSERT_EQ(Cli(args), 0) << err_;

    // The simulator tells which radio left the bench with which serial number.
    const std::string sim = Slurp(File("sim.out"));
    for (int serial : {100, 101, 102})
        EXPECT_NE(sim.find("com1: serial " + std::to_string(serial) + " off the bench"),
                  std::string::npos)
            << sim;
    EXPECT_EQ(CountOf(sim, "off the bench"), 3) << "--count stops after three radios";
    EXPECT_EQ(out_,
              "programmed --serial 100 --ani 0099 --ack 1 --selcall 1\n"
              "programmed --serial 101 --ani 100 --ack 2 --selcall 2\n"
              "programmed --serial 102 --ani 101 --ack 3 --selcall 3\n"
              "next --serial 103 --ani 102 --ack 4 --selcall 4\n");
    EXPECT_NE(Slurp(File("next.ini")).find("Serial=103\r\n"), std::string::npos);

    // The next shift goes on from the state file, with a radio of another band.
    StopRadio();
    StartRadio({"--band", "16240"});
    args = common;
    args.push_back(File("base.omb").string());
    input_ = "/dev/null";
    EXPECT_EQ(Cli(args), 1) << err_;
    EXPECT_EQ(out_,
              "failed --serial 103 --ani 102 --ack 4 --selcall 4\n"
              "next --serial 103 --ani 102 --ack 4 --selcall 4\n");
    EXPECT_NE(Slurp(File("next.ini")).find("Serial=103\r\n"), std::string::npos);

    const std::string log = Slurp(File("production.csv"));
    EXPECT_EQ(CountOf(log, "\r\n"), 5) << log;  // the header and four radios
    EXPECT_EQ(CountOf(log, "\n"), 5) << "a record a line, the two-line messages too\n" << log;
    for (const char* record : {",ombra-cli,", ",1,sequence,100,0099,1,1,,,821,",
                               ",1,sequence,102,101,3,3,,,821,", ",1,sequence,103,102,4,4,,,816,"})
        EXPECT_NE(log.find(record), std::string::npos) << record << "\n" << log;

    // A bench without a database reports from its log, each record as the log has it.
    const size_t at = log.find(",1,sequence,102,");
    ASSERT_NE(at, std::string::npos);
    const size_t begin = log.rfind('\n', at) + 1;
    const std::string line = log.substr(begin, log.find('\n', at) + 1 - begin);
    input_ = "/dev/null";
    ASSERT_EQ(
        Cli({"production", "report", "--log", File("production.csv").string(), "--radio", "102"}),
        0)
        << err_;
    EXPECT_EQ(out_, log.substr(0, log.find('\n') + 1) + line);
    ASSERT_EQ(Cli({"production", "report", "--log", File("production.csv").string(), "--since",
                   "2999-01-01"}),
              0)
        << err_;
    EXPECT_EQ(CountOf(out_, "\n"), 1) << out_;
}

TEST_F(CliEndToEnd, ANumberThatOutgrowsItsFieldStopsTheSequence) {
    StartRadio({"--swap-after-reset"});
    ASSERT_EQ(ReadRadio("base.omb"), 0) << err_;
    std::ofstream(File("answers")) << "\n\n\n\n";
    input_ = File("answers");
    EXPECT_EQ(
        Cli({"sequence", "--port", "1", "--baud", "115200", "--state", File("next.ini").string(),
             "--serial", "100", "--ani", "999998", "--count", "3", File("base.omb").string()}),
        2);
    EXPECT_EQ(out_,
              "programmed --serial 100 --ani 999998 --ack 1 --selcall 1\n"
              "programmed --serial 101 --ani 999999 --ack 2 --selcall 2\n");
    EXPECT_TRUE(err_.ends_with("ombra-cli: --ani 1000000: En fazla 6 hane girilebilir.\n")) << err_;
    EXPECT_EQ(CountOf(Slurp(File("sim.out")), "off the bench"), 2);
    // The next radio's serial number, and no ANI cut to six digits.
    const std::string state = Slurp(File("next.ini"));
    EXPECT_NE(state.find("Serial=102\r\nANI=999999\r\n"), std::string::npos) << state;
}

TEST_F(CliEndToEnd, UnwritableProductionLogLeavesTheCopyIntact) {
    StartRadio();
    ASSERT_EQ(ReadRadio("radio.omb"), 0) << err_;
    std::ofstream(File("not-a-folder")) << "x";
    ASSERT_EQ(Cli({"copy", "--port", "1", "--baud", "115200", "--verify", "--log",
                   File("not-a-folder/production.csv").string(), File("radio.omb").string()}),
              0)
        << err_;
    EXPECT_TRUE(std::regex_search(
        err_, std::regex("DİKKAT!: Üretim kaydı yazılamadı: .*not-a-folder/production.csv "
                         "\\(Not a directory\\)\nBİLGİ: Cihaz programlandı.\n")))
        << err_;
    EXPECT_NE(err_.find("Telsizdeki parametreler dosyadakilerle aynı."), std::string::npos);
}

// Stations of one line taking their numbers from a series of a production database the
// test runs itself.
class CliSeries : public CliEndToEnd, protected test::PgSuite {
  protected:
    static void SetUpTestSuite() { StartCluster(); }
    static void TearDownTestSuite() { StopCluster(); }
    void SetUp() override {
        CliEndToEnd::SetUp();
        NewDatabase();
        if (IsSkipped() || HasFatalFailure())
            return;
        // The database as a site names it: in the INI, not on each command line.
        std::ofstream(dir_ / "ombra.INI")
            << "[International]\r\nCountry Code=90\r\n[Production]\r\nDatabase=" << conninfo_
            << "\r\n";
        ASSERT_EQ(Cli({"production", "init"}), 0) << err_;
    }

    std::vector<std::vector<std::string>> Sql(const std::string& sql) {
        std::string error;
        const auto pg = PgConnection::Open(conninfo_, error);
        if (!pg) {
            ADD_FAILURE() << error;
            return {};
        }
        const auto rows = pg->Exec(sql);
        EXPECT_TRUE(rows) << pg->Error();
        return rows ? rows->rows : std::vector<std::vector<std::string>>{};
    }

    std::vector<std::string> Sequence(int port, int count, const std::string& baud = "115200") {
        return {"sequence",
                "--port",
                std::to_string(port),
                "--baud",
                baud,
                "--series",
                "S",
                "--count",
                std::to_string(count),
                "--log",
                File("production.csv").string(),
                File("base.omb").string()};
    }

    // A read from a radio that is then left on the bench: the file every station writes.
    void ReadBase(const std::string& baud = "115200") {
        ASSERT_EQ(ReadRadio("base.omb", {"--baud", baud}), 0) << err_;
        input_ = File("answers");
        std::ofstream(input_) << std::string(20, '\n');
    }

    // Waits, with a generous bound, until a station holds numbers for a radio it writes.
    bool AwaitReservation() {
        for (int i = 0; i < 3000; ++i) {
            if (Sql("SELECT count(*) FROM reservations WHERE state = 'reserved'")[0][0] == "1")
                return true;
            usleep(10000);
        }
        return false;
    }

    static std::string Station(int port) {
        char host[256] = {};
        gethostname(host, sizeof host - 1);
        return std::string(host) + ":" + std::to_string(port);
    }
};

TEST_F(CliSeries, TwoStationsAtOnceGiveEveryRadioItsOwnNumbersAndRecordEach) {
    ASSERT_EQ(Cli({"production", "init"}), 0) << err_;
    EXPECT_EQ(out_, "schema version 2: nothing to do\n");
    ASSERT_EQ(Cli({"production", "series", "S", "--serial", "500", "--ani", "1000", "--ack", "20",
                   "--selcall", "20"}),
              0)
        << err_;
    StartRadio({"--com", "2", "--swap-after-reset"});
    for (int i = 0; i < 500 && Slurp(File("sim.out")).find("com2 ->") == std::string::npos; ++i)
        usleep(10000);
    ReadBase();
    const pid_t bench1 = Launch(Sequence(1, 10), "bench1");
    const pid_t bench2 = Launch(Sequence(2, 10), "bench2");
    ASSERT_EQ(Wait(bench1, "bench1"), 0) << err_;
    ASSERT_EQ(Wait(bench2, "bench2"), 0) << err_;

    // What each radio's memory holds as it leaves its bench...
    const std::string sim = Slurp(File("sim.out"));
    std::set<std::pair<std::string, std::string>> benches;
    const std::regex left("com([12]): serial ([0-9]+) off the bench");
    for (std::sregex_iterator it(sim.begin(), sim.end(), left), end; it != end; ++it)
        benches.insert({(*it)[1], (*it)[2]});
    // ...is what its record names, and no two radios share a number.
    const auto records =
        Sql("SELECT port, serial, ani, count(*) OVER (PARTITION BY ani) FROM production_records "
            "WHERE outcome = 'programmed' AND series = 'S' ORDER BY serial::int");
    ASSERT_EQ(records.size(), 20u) << sim;
    std::set<std::pair<std::string, std::string>> recorded;
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i][1], std::to_string(500 + i));
        EXPECT_EQ(records[i][2], std::to_string(1000 + i));
        EXPECT_EQ(records[i][3], "1") << "ANI " << records[i][2] << " given twice";
        recorded.insert({records[i][0], records[i][1]});
    }
    EXPECT_EQ(recorded, benches) << sim;
    EXPECT_EQ(Sql("SELECT count(DISTINCT port) FROM production_records")[0][0], "2");
    EXPECT_EQ(Sql("SELECT count(*) FROM reservations WHERE state <> 'used'")[0][0], "0");
    EXPECT_EQ(Sql("SELECT next_serial, next_ani FROM series")[0],
              (std::vector<std::string>{"520", "1020"}));
    // The local log keeps every record as well.
    EXPECT_EQ(CountOf(Slurp(File("production.csv")), ",821,"), 20);

    // Which numbers went into radio 505, when, at which bench: from the database.
    ASSERT_EQ(Cli({"production", "report", "--series", "S", "--radio", "505"}), 0) << err_;
    EXPECT_EQ(CountOf(out_, "\r\n"), 2) << out_;
    EXPECT_EQ(out_.rfind("time,program,", 0), 0u) << out_;
    EXPECT_NE(out_.find(",station,series,outcome\r\n"), std::string::npos) << out_;
    EXPECT_TRUE(
        std::regex_search(out_, std::regex("\n20[0-9-]+T[0-9:]+[+-][0-9:]+,ombra-cli,[^,]+,"
                                           "[12],sequence,505,1005,.*:[12],S,programmed\r\n$")))
        << out_;
}

TEST_F(CliSeries, AFailedRadioGivesItsNumbersToTheNextRadio) {
    ASSERT_EQ(Cli({"production", "series", "S", "--serial", "700"}), 0) << err_;
    StartRadio();
    ReadBase();
    StopRadio();
    StartRadio({"--band", "16240"});
    input_ = "/dev/null";
    EXPECT_EQ(Cli(Sequence(1, 1)), 1) << err_;
    EXPECT_EQ(out_.rfind("failed --serial 700", 0), 0u) << out_;
    EXPECT_EQ(Sql("SELECT serial, state FROM reservations")[0],
              (std::vector<std::string>{"700", "released"}));
    EXPECT_EQ(Sql("SELECT outcome, result_id FROM production_records")[0],
              (std::vector<std::string>{"failed", "816"}));

    StopRadio();
    StartRadio({"--swap-after-reset"});
    ASSERT_EQ(Cli(Sequence(1, 1)), 0) << err_;
    EXPECT_NE(Slurp(File("sim.out")).find("com1: serial 700 off the bench"), std::string::npos);
    EXPECT_EQ(Sql("SELECT serial, state FROM reservations")[0],
              (std::vector<std::string>{"700", "used"}));
    // The series names the file its radios were programmed from, as sha256sum sums it.
    std::string sum(64, ' ');
    FILE* sha = popen(("sha256sum " + File("base.omb").string()).c_str(), "r");
    ASSERT_NE(sha, nullptr);
    ASSERT_EQ(std::fread(sum.data(), 1, sum.size(), sha), sum.size());
    pclose(sha);
    EXPECT_EQ(Sql("SELECT template_name, template_checksum FROM series")[0],
              (std::vector<std::string>{"base.omb", sum}));
}

TEST_F(CliSeries, AServerGoneDuringAWriteSpoolsTheRecordAndStopsBeforeTheNextRadio) {
    ASSERT_EQ(Cli({"production", "series", "S", "--serial", "900"}), 0) << err_;
    // A slow line, so that the server is gone well before the radio is done.
    StartRadio({"--swap-after-reset", "--baud", "9600"});
    ReadBase("9600");
    const pid_t cli = Launch(Sequence(1, 3, "9600"));
    ASSERT_TRUE(AwaitReservation());
    ASSERT_TRUE(cluster_->Stop()) << cluster_->Error();
    const int rc = Wait(cli);
    ASSERT_TRUE(cluster_->Start()) << cluster_->Error();

    // The radio on the bench was finished; the next one was not started.
    EXPECT_EQ(rc, 1) << err_;
    EXPECT_EQ(out_, "programmed --serial 900\n");
    EXPECT_EQ(CountOf(Slurp(File("sim.out")), "off the bench"), 1);
    const std::string spool = File("production-spool.tsv").string();
    EXPECT_NE(err_.find("the record of serial number 900 waits in " + spool), std::string::npos)
        << err_;
    EXPECT_EQ(CountOf(Slurp(spool), "\n"), 1);
    EXPECT_EQ(Sql("SELECT serial, state FROM reservations")[0],
              (std::vector<std::string>{"900", "reserved"}));
    EXPECT_EQ(Sql("SELECT count(*) FROM production_records")[0][0], "0");

    // Back again: the spooled record goes in first, then the next radio gets the next number.
    ASSERT_EQ(Cli(Sequence(1, 1, "9600")), 0) << err_;
    EXPECT_NE(err_.find("1 spooled record(s) sent from " + spool), std::string::npos) << err_;
    EXPECT_EQ(Slurp(spool), "");
    EXPECT_EQ(
        Sql("SELECT serial, outcome FROM production_records ORDER BY id"),
        (std::vector<std::vector<std::string>>{{"900", "programmed"}, {"901", "programmed"}}));
    EXPECT_EQ(Sql("SELECT count(*) FROM reservations WHERE state = 'used'")[0][0], "2");
}

TEST_F(CliSeries, RadiosNumberedWithoutASeriesAreRecordedWithoutNumbers) {
    StartRadio({"--swap-after-reset"});
    ReadBase();
    const std::string log = File("production.csv").string();
    ASSERT_EQ(
        Cli({"copy", "--port", "1", "--baud", "115200", "--log", log, File("base.omb").string()}),
        0)
        << err_;
    ASSERT_EQ(Cli({"sequence", "--port", "1", "--baud", "115200", "--serial", "50", "--count", "1",
                   "--log", log, File("base.omb").string()}),
              0)
        << err_;
    EXPECT_EQ(Sql("SELECT operation, series, outcome FROM production_records ORDER BY id"),
              (std::vector<std::vector<std::string>>{{"copy", "", "programmed"},
                                                     {"sequence", "", "programmed"}}));
    EXPECT_EQ(Sql("SELECT serial FROM production_records WHERE operation = 'sequence'")[0][0],
              "50");
    EXPECT_EQ(Sql("SELECT count(*) FROM reservations")[0][0], "0");
}

TEST_F(CliSeries, AServerThatCannotBeReachedWritesNoRadio) {
    ASSERT_EQ(Cli({"production", "series", "S", "--serial", "1"}), 0) << err_;
    StartRadio({"--swap-after-reset"});
    ReadBase();
    ASSERT_TRUE(cluster_->Stop()) << cluster_->Error();
    const std::string wire = Slurp(File("wire.log"));
    const int rc = Cli(Sequence(1, 1));
    ASSERT_TRUE(cluster_->Start()) << cluster_->Error();
    EXPECT_EQ(rc, 1);
    EXPECT_EQ(err_.rfind("ombra-cli: production database: ", 0), 0u) << err_;
    EXPECT_EQ(out_, "");
    EXPECT_EQ(Slurp(File("wire.log")), wire) << "not a byte to the radio";
    EXPECT_EQ(CountOf(Slurp(File("sim.out")), "off the bench"), 0);
}

TEST_F(CliSeries, AStationKilledDuringAWriteGivesItsNumbersBack) {
    ASSERT_EQ(Cli({"production", "series", "S", "--serial", "300"}), 0) << err_;
    StartRadio({"--swap-after-reset", "--baud", "9600"});
    ReadBase("9600");
    pid_t cli = Launch(Sequence(1, 1, "9600"));
    ASSERT_TRUE(AwaitReservation());
    kill(cli, SIGKILL);
    Wait(cli);

    // At its next start the station frees what it held; the numbers go to the next radio.
    ASSERT_EQ(Cli(Sequence(1, 1, "9600")), 0) << err_;
    EXPECT_NE(err_.find("station " + Station(1) + " gave back the numbers of 1 radio(s)"),
              std::string::npos)
        << err_;
    EXPECT_EQ(out_, "programmed --serial 300\n");

    // Or the line's operator frees them, for a station that does not come back.
    cli = Launch(Sequence(1, 1, "9600"));
    ASSERT_TRUE(AwaitReservation());
    kill(cli, SIGKILL);
    Wait(cli);
    ASSERT_EQ(Cli({"production", "release", "--station", Station(1)}), 0) << err_;
    EXPECT_EQ(out_, "released the numbers of 1 radio(s)\n");
    EXPECT_EQ(Sql("SELECT serial, state FROM reservations ORDER BY serial"),
              (std::vector<std::vector<std::string>>{{"300", "used"}, {"301", "released"}}));
}

}  // namespace norda::ombra
