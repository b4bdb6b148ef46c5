#include "platform/ProfileFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace norda {
namespace {

namespace fs = std::filesystem;

class ProfileDir : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "norda-profile-XXXXXX").string();
        ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, ec);
        fs::remove_all(dir_, ec);
    }
    std::string Path(const char* name) const { return (dir_ / name).string(); }
    static std::string Slurp(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void Spit(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    fs::path dir_;
};

TEST(ProfileFile, LookUpFollowsProfileRules) {
    const auto pf = ProfileFile::Parse(
        "key=outside\r\n"
        "  [ Clone ]  \r\n"
        "  TxDelay  =  300  \r\n"
        "txdelay=999\r\n"
        "Quoted=\"  a b  \"\r\n"
        "Single='x'\r\n"
        "Half=\"x\r\n"
        ";TxDelay=1\r\n"
        "Bare\r\n"
        "[CLONE]\r\n"
        "Second=1\r\n");
    // Case-insensitive, blanks stripped, first key wins.
    EXPECT_EQ(pf.GetString("clone", "TXDELAY", "d"), "300");
    EXPECT_EQ(pf.GetInt("Clone", "TxDelay", 7), 300);
    EXPECT_EQ(pf.GetString("Clone", "Quoted", ""), "  a b  ");
    EXPECT_EQ(pf.GetString("Clone", "Single", ""), "x");
    EXPECT_EQ(pf.GetString("Clone", "Half", ""), "\"x");
    EXPECT_EQ(pf.GetString("Clone", "Bare", "d"), "");
    // Only the first section of a name counts; keys before any section are nobody's.
    EXPECT_EQ(pf.GetString("Clone", "Second", "none"), "none");
    EXPECT_EQ(pf.GetString("", "key", "none"), "none");
    // Missing section or key: the default, with its trailing blanks dropped.
    EXPECT_EQ(pf.GetString("Kanal", "x", "def  "), "def");
    EXPECT_EQ(pf.GetString("Clone", "nothing", "<        >"), "<        >");
    EXPECT_EQ(pf.GetInt("Clone", "nothing", -5), -5);
    EXPECT_FALSE(pf.HasKey("Clone", "TxDelay=1"));
    EXPECT_TRUE(pf.HasSection("CLONE"));
}

TEST(ProfileFile, IntegerReadsTakeSignAndLeadingDigitsOnly) {
    const auto pf = ProfileFile::Parse(
        "[s]\nneg=-42\nplus=+17\ntail=12abc\nnone=abc\nempty=\nwrap=4294967297\nsp= 5 \n");
    EXPECT_EQ(pf.GetInt("s", "neg", 0), -42);
    EXPECT_EQ(pf.GetInt("s", "plus", 0), 17);
    EXPECT_EQ(pf.GetInt("s", "tail", 0), 12);
    EXPECT_EQ(pf.GetInt("s", "none", 9), 0);
    EXPECT_EQ(pf.GetInt("s", "empty", 9), 9);
    EXPECT_EQ(pf.GetInt("s", "wrap", 0), 1);
    EXPECT_EQ(pf.GetInt("s", "sp", 0), 5);
}

TEST(ProfileFile, ValuesAreCutToTheCallersBuffer) {
    const auto pf = ProfileFile::Parse("[s]\nname=<ABCDEFGH>\nturk=Güç\n");
    EXPECT_EQ(pf.GetString("s", "name", "", 11), "<ABCDEFGH>");
    EXPECT_EQ(pf.GetString("s", "name", "", 5), "<ABC");
    EXPECT_EQ(pf.GetString("s", "name", "", 0), "");
    EXPECT_EQ(pf.GetString("s", "missing", "default", 4), "def");
    // The buffer counts code-page characters, not UTF-8 bytes.
    EXPECT_EQ(pf.GetString("s", "turk", "", 3), "Gü");
    EXPECT_EQ(pf.GetBytes("s", "turk", ""), "G\xFC\xE7");
}

TEST(ProfileFile, KeyNamesFitTheCallersBuffer) {
    const auto pf =
        ProfileFile::Parse("[Shift Frequencies]\n4.6=\n-4.6\n; note\n\n10.0125=x\n[Other]\nz=1\n");
    using V = std::vector<std::string>;
    EXPECT_EQ(pf.KeyNames("shift frequencies", 4500), (V{"4.6", "-4.6", "10.0125"}));
    // "4.6\0-4.6\0" takes 9 bytes; with its own NUL and the closing one a 12-byte
    // buffer leaves one character of the third name.
    EXPECT_EQ(pf.KeyNames("Shift Frequencies", 12), (V{"4.6", "-4.6", "1"}));
    EXPECT_EQ(pf.KeyNames("Shift Frequencies", 11), (V{"4.6", "-4.6"}));
    EXPECT_EQ(pf.KeyNames("Shift Frequencies", 1), V{});
    EXPECT_EQ(pf.KeyNames("Missing", 4500), V{});
}

TEST(ProfileFile, EncodingIsDetectedPerFile) {
    const auto utf8 = ProfileFile::Parse("[KSYS]\r\nYüksek Güç=1\r\n");
    const auto cp = ProfileFile::Parse("[KSYS]\r\nY\xFCksek G\xFC\xE7=1\r\n");
    const auto bom = ProfileFile::Parse("\xEF\xBB\xBF[KSYS]\r\nYüksek Güç=1\r\n");
    for (const auto* pf : {&utf8, &cp, &bom}) {
        EXPECT_EQ(pf->GetInt("KSYS", "Yüksek Güç", 0), 1);
        EXPECT_EQ(pf->GetInt("ksys", "YÜKSEK GÜÇ", 0), 1);
        EXPECT_EQ(pf->Serialize(), "[KSYS]\r\nY\xFCksek G\xFC\xE7=1\r\n");
    }
}

TEST(ProfileFile, SettingKeepsEveryOtherLine) {
    auto pf = ProfileFile::Parse(
        "; header comment\n"
        "[International]\n"
        "Country Code = 90 ; kept\n"
        "\n"
        "[Communication]\n"
        "Serial Port=1\n"
        "Other=  spaced  \n"
        "\n");
    pf.SetInt("communication", "SERIAL PORT", 3);
    pf.SetString("International", "Extra", "x");
    pf.SetString("New Section", "Key", "Değer");
    EXPECT_EQ(pf.Serialize(),
              "; header comment\r\n"
              "[International]\r\n"
              "Country Code = 90 ; kept\r\n"
              "Extra=x\r\n"
              "\r\n"
              "[Communication]\r\n"
              "SERIAL PORT=3\r\n"
              "Other=  spaced  \r\n"
              "\r\n"
              "[New Section]\r\n"
              "Key=De\xF0"
              "er\r\n");
    EXPECT_EQ(pf.GetInt("Communication", "Serial Port", 0), 3);
    EXPECT_EQ(pf.GetString("International", "Country Code", ""), "90 ; kept");
}

TEST(ProfileFile, ManyKeysBuildSectionsInOrder) {
    ProfileFile pf;
    pf.SetInt("A", "k1", 1);
    pf.SetInt("B", "k2", -2);
    pf.SetInt("A", "k3", 3);  // back into A after B was started
    EXPECT_EQ(pf.Serialize(), "[A]\r\nk1=1\r\nk3=3\r\n[B]\r\nk2=-2\r\n");
}

TEST(ProfileFile, MalformedInputDoesNotHurt) {
    std::string junk;
    for (int i = 0; i < 200000; ++i)
        junk += static_cast<char>((i * 7919) & 0xFF);
    junk += "\n[s]\n" + std::string(1 << 20, 'k') + "=v\n";
    const auto pf = ProfileFile::Parse(junk);
    EXPECT_EQ(pf.GetString("s", "x", "d"), "d");
    EXPECT_EQ(pf.KeyNames("s", 4500).size(), 1u);
    EXPECT_EQ(pf.KeyNames("s", 4500)[0].size(), 4498u);
    EXPECT_EQ(ProfileFile::Parse("").Serialize(), "");
    EXPECT_EQ(ProfileFile::Parse("[").HasSection(""), true);
}

TEST_F(ProfileDir, FunctionsOnFilesCreateAndKeep) {
    const std::string ini = Path("OMBRA.INI");
    EXPECT_EQ(ReadProfileInt("International", "Country Code", 90, ini), 90);
    EXPECT_EQ(ReadProfileString("International", "Country Code", "x", 10, ini), "x");
    EXPECT_FALSE(fs::exists(ini));
    ASSERT_EQ(WriteProfileString("International", "Country Code", "9", ini), kProfileOk);
    ASSERT_EQ(WriteProfileString("Communication", "Serial Port", "2", ini), kProfileOk);
    ASSERT_EQ(WriteProfileString("International", "Country Code", "90", ini), kProfileOk);
    EXPECT_EQ(Slurp(ini),
              "[International]\r\nCountry Code=90\r\n[Communication]\r\nSerial Port=2\r\n");
    EXPECT_EQ(ReadProfileInt("communication", "serial port", 1, ini), 2);
    Spit(ini, Slurp(ini) + "[Shift Frequencies]\r\n4.6=\r\n");
    EXPECT_EQ(ReadProfileKeyNames("Shift Frequencies", 4500, ini), std::vector<std::string>{"4.6"});
    // Only the target remains in the folder: no temporary files are left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(ProfileDir, FailedSaveLeavesOldFileIntact) {
    const std::string path = Path("kept.omb");
    Spit(path, "[old]\r\na=1\r\n");
    ProfileFile pf;
    pf.SetInt("new", "b", 2);
    if (geteuid() != 0) {  // root writes into read-only folders
        fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(pf.Save(path), kProfileCreateFailed);
        fs::permissions(dir_, fs::perms::owner_all);
        EXPECT_EQ(Slurp(path), "[old]\r\na=1\r\n");
    }
    // A directory in the way of the target: the rename fails, nothing is left over.
    const std::string blocked = Path("blocked");
    fs::create_directory(blocked);
    Spit(blocked + "/inside", "x");
    EXPECT_EQ(pf.Save(blocked), kProfileRenameFailed);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
    EXPECT_EQ(pf.Save(Path("missing-dir/x.omb")), kProfileCreateFailed);
    EXPECT_EQ(pf.Save(path), kProfileOk);
    EXPECT_EQ(Slurp(path), "[new]\r\nb=2\r\n");
}

TEST_F(ProfileDir, SavingThroughALinkKeepsTheLink) {
    fs::create_directory(Path("shared"));
    const std::string target = Path("shared/radio.omb");
    Spit(target, "[old]\r\na=1\r\n");
    const std::string link = Path("radio.omb");
    fs::create_symlink("shared/radio.omb", link);

    ProfileFile pf = ProfileFile::Load(link);
    pf.SetInt("old", "a", 2);
    ASSERT_EQ(pf.Save(link), kProfileOk);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Slurp(target), "[old]\r\na=2\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(Path("shared")), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace norda
