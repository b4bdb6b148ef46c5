// "ombra-cli channels export|import": channel plans as spreadsheets write them, from the
// golden codeplug to a plan and back.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "codeplug/CodeplugFile.h"

namespace norda::ombra {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

class CliChannels : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/ombra_cli_channels_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        Language(90);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path File(const std::string& name) const { return dir_ / name; }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(File(name), std::ios::binary) << bytes;
    }
    void Language(int countryCode) const {
        Write("ombra.INI",
              "[International]\r\nCountry Code=" + std::to_string(countryCode) + "\r\n");
    }

    // Runs ombra-cli on files of the test's folder; its exit status, stderr in `err_`.
    int Cli(const std::vector<std::string>& args) {
        std::string command = OMBRA_CLI;
        for (const std::string& a : args)
            command += " '" + a + "'";
        command += " --ini " + File("ombra.INI").string() + " >" + File("cli.out").string() +
                   " 2>" + File("cli.err").string();
        const int status = std::system(command.c_str());
        err_ = Slurp(File("cli.err"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // Names without a folder are files of the test's folder.
    std::string Path(const std::string& name) const {
        return name.find('/') == std::string::npos ? File(name).string() : name;
    }
    int Export(const std::string& in, const std::string& out) {
        return Cli({"channels", "export", Path(in), Path(out)});
    }
    int Import(const std::string& in, const std::string& plan, const std::string& out) {
        return Cli({"channels", "import", Path(in), Path(plan), Path(out)});
    }
    // Line n + 1 of the plan of a codeplug: channel n.
    std::string ExportedRow(const std::string& codeplug, int channel) {
        EXPECT_EQ(Export(codeplug, "check.csv"), 0) << err_;
        const std::string plan = Slurp(File("check.csv"));
        size_t at = 0;
        for (int line = 0; line < channel && at < plan.size(); ++line)
            at = plan.find("\r\n", at) + 2;
        return at < plan.size() ? plan.substr(at, plan.find("\r\n", at) - at) : std::string();
    }

    fs::path dir_;
    std::string err_;
};

const std::string kGolden = NORDA_TEST_DATA "/small-codeplug.omb";

TEST_F(CliChannels, ThePlanOfTheGoldenCodeplugGivesItBack) {
    // The golden file as OMBRA saves it; it has the fixed and special parameters of a file
    // saved in test mode, and they stay.
    CodeplugOptions testMode;
    testMode.testMode = true;
    auto parameters = std::make_unique<RadioParameters>();
    ASSERT_EQ(LoadCodeplugFile(kGolden, *parameters, testMode), Status::Ok);
    const std::string saved = CodeplugFileText(*parameters, testMode);
    ASSERT_NE(saved.find("[Master]"), std::string::npos);

    ASSERT_EQ(Export(kGolden, "golden.csv"), 0) << err_;
    EXPECT_EQ(err_, "BİLGİ: Kanal planı saklandı: " + File("golden.csv").string() + "\n");
    const std::string plan = Slurp(File("golden.csv"));
    EXPECT_TRUE(
        plan.starts_with("Kanal No,Kanal Adı,TxFrek.,RxFrek.,TxTCS,RxTCS,TOT,HPRF,ANI,Tarama\r\n"
                         "1,ÇAY-1,146.0125,,241,,1,0,0,1\r\n"
                         "2,KN 2,,,,,0,0,0,0\r\n"))
        << plan;

    ASSERT_EQ(Import(kGolden, "golden.csv", "back.omb"), 0) << err_;
    EXPECT_EQ(err_, "BİLGİ: Kanal planı alındı: 0 kanal değişti.\nBİLGİ: Kütük saklandı.\n");
    EXPECT_TRUE(Slurp(File("back.omb")) == saved);
    // Once OMBRA has saved it, byte for byte, and the plan of what came back is the plan.
    ASSERT_EQ(Import("back.omb", "golden.csv", "again.omb"), 0) << err_;
    EXPECT_TRUE(Slurp(File("again.omb")) == Slurp(File("back.omb")));
    ASSERT_EQ(Export("again.omb", "again.csv"), 0) << err_;
    EXPECT_EQ(Slurp(File("again.csv")), plan);
}

struct PlanCase {
    const char* what;
    int countryCode;
    std::string plan;
    int exit;
    std::string err;  // ombra-cli's standard error; "" to leave unchecked
    // Channel rows of the plan of the result: {channel, row as exported}.
    std::vector<std::pair<int, std::string>> rows;
};

TEST_F(CliChannels, PlansAreTakenWholeOrNotAtAll) {
    const PlanCase cases[] = {
        {"a Turkish spreadsheet: semicolons, decimal commas, Windows-1254",
         90,
         "Kanal No;Kanal Ad\xFD;TxFrek.;RxFrek.;TxTCS;RxTCS;TOT;HPRF;ANI;Tarama\r\n"
         "5;sahil 1;146,0125;146,025;67;;1;0;1;0\r\n"
         "6;\"DIS 2\";146,5;146,5;;;0;0;0;0\r\n",
         0,
         "",
         {{5, "5,SAHIL 1,146.0125,146.0250,67,,1,0,1,0"},
          {6, "6,DIS 2,146.5000,146.5000,,,0,0,0,0"}}},
        {"Windows-1254 names with Turkish letters are refused as the page refuses them",
         90,
         "Kanal No;Kanal Ad\xFD\r\n7;\xC7\xD0\xDD\xD6\xDE\xDC\r\n",
         2,
         "HATA: Kanal planı alınmadı, 1 değer kabul edilmedi:\n"
         "2. satır, Kanal Adı, \"ÇĞİÖŞÜ\": Girilen değerde geçersiz karakter var !\n",
         {}},
        {"shuffled columns with an English header in a Turkish program",
         90,
         "Scan,RxFreq.,Ch. Name,TxTCS,Ch. No,TxFreq.,HPRF,ANI,TOT,RxTCS\n"
         "0,146.25,NORTH,69,9,146.2625,1,0,0,254\n",
         0,
         "",
         {{9, "9,NORTH,146.2625,146.2500,69,254,0,1,0,0"}}},
        {"a Turkish header in an English program",
         9,
         "Tarama,Kanal No,TxFrek.\r\n1,2,\r\n",
         2,
         "ERROR: Channel plan not imported; values refused: 1\n"
         "Row 2, Tarama, \"1\": No receive frequency entered !\n",
         {}},
        {"one bad row among good ones",
         90,
         "Kanal No,TxFrek.,RxFrek.\r\n10,146.25,146.25\r\n11,147.0030,146.25\r\n"
         "12,146.25,146.25\r\n",
         2,
         "HATA: Kanal planı alınmadı, 1 değer kabul edilmedi:\n"
         "3. satır, TxFrek., \"147.0030\": Değer 146 ile 174 arasında olmalıdır.\n"
         "    Basamak = 10KHz veya 12.5KHz\n",
         {}},
        {"channel 100 and channel 0",
         90,
         "Kanal No,Kanal Adı\r\n100,A\r\n0,B\r\n",
         2,
         "HATA: Kanal planı alınmadı, 2 değer kabul edilmedi:\n"
         "2. satır, Kanal No, \"100\": Değer 1 ile 99 arasında olmalıdır.\n"
         "3. satır, Kanal No, \"0\": Değer 1 ile 99 arasında olmalıdır.\n",
         {}},
        {"a file that is not CSV at all",
         90,
         std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
         2,
         "",
         {}},
    };
    for (const PlanCase& c : cases) {
        SCOPED_TRACE(c.what);
        Language(c.countryCode);
        Write("plan.csv", c.plan);
        fs::remove(File("out.omb"));
        EXPECT_EQ(Import(kGolden, "plan.csv", "out.omb"), c.exit) << err_;
        if (!c.err.empty()) {
            EXPECT_EQ(err_, c.err);
        }
        if (c.exit != 0) {
            EXPECT_FALSE(fs::exists(File("out.omb"))) << "a refused plan wrote a codeplug";
            continue;
        }
        Language(90);
        for (const auto& [channel, row] : c.rows)
            EXPECT_EQ(ExportedRow("out.omb", channel), row);
    }
    EXPECT_EQ(err_, "HATA: " + File("plan.csv").string() +
                        " bir kanal planı değil: ilk satırında \"Kanal No\" sütunu yok.\n");
}

}  // namespace
}  // namespace norda::ombra
