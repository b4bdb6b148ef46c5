#include "platform/RegistryStore.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace norda {
namespace {

constexpr const char* kKey = "SOFTWARE\\ZEMTAR\\NORDA\\SOLVI";

class RegistryStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/norda_registry_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string ReadAll(const std::string& path) {
        std::ifstream in(path);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::string dir_;
};

TEST_F(RegistryStoreTest, CreatesTheKeyWithItsParentsAsFolders) {
    RegistryStore store(dir_);
    EXPECT_FALSE(store.KeyExists(kKey));
    ASSERT_EQ(store.CreateKey(kKey), RegistryStore::kOk);
    EXPECT_TRUE(store.KeyExists("SOFTWARE\\ZEMTAR"));
    EXPECT_TRUE(store.KeyExists("SOFTWARE\\ZEMTAR\\NORDA"));
    EXPECT_TRUE(store.KeyExists(kKey));
    EXPECT_TRUE(std::filesystem::is_directory(dir_ + "/SOFTWARE/ZEMTAR/NORDA/SOLVI"));
    // Creating an existing key is no failure.
    EXPECT_EQ(store.CreateKey(kKey), RegistryStore::kOk);
}

TEST_F(RegistryStoreTest, ValuesAreWrittenReadBackAndReplaced) {
    RegistryStore store(dir_);
    uint32_t v = 1234;
    EXPECT_EQ(store.QueryDword(kKey, "CountryCode", &v), RegistryStore::kNoKey);
    EXPECT_EQ(store.SetDword(kKey, "CountryCode", 9), RegistryStore::kNoKey);
    EXPECT_EQ(v, 1234u);

    ASSERT_EQ(store.CreateKey(kKey), RegistryStore::kOk);
    EXPECT_EQ(store.QueryDword(kKey, "CountryCode", &v), RegistryStore::kNoValue);
    ASSERT_EQ(store.SetDword(kKey, "CountryCode", 90), RegistryStore::kOk);
    ASSERT_EQ(store.SetDword(kKey, "Port3", 1), RegistryStore::kOk);
    ASSERT_EQ(store.SetDword(kKey, "Baudrate", 115200), RegistryStore::kOk);
    ASSERT_EQ(store.SetDword(kKey, "countrycode", 0xFFFFFFFFu), RegistryStore::kOk);

    // A second store on the same root sees what the first wrote.
    RegistryStore other(dir_);
    ASSERT_EQ(other.QueryDword(kKey, "COUNTRYCODE", &v), RegistryStore::kOk);
    EXPECT_EQ(v, 0xFFFFFFFFu);
    ASSERT_EQ(other.QueryDword(kKey, "Port3", &v), RegistryStore::kOk);
    EXPECT_EQ(v, 1u);
    ASSERT_EQ(other.QueryDword(kKey, "Baudrate", &v), RegistryStore::kOk);
    EXPECT_EQ(v, 115200u);
    // Names fold as ASCII: on a Turkish desktop the C library keeps "I" and "i" apart.
    ASSERT_EQ(other.QueryDword(kKey, "BAUDRATE", &v), RegistryStore::kOk);
    ASSERT_EQ(other.SetDword(kKey, "PORT3", 2), RegistryStore::kOk);
    ASSERT_EQ(other.SetDword(kKey, "Verify", 1), RegistryStore::kOk);
    ASSERT_EQ(other.SetDword(kKey, "VERIFY", 0), RegistryStore::kOk);

    // One line per value; the first spelling of a name stays.
    EXPECT_EQ(ReadAll(dir_ + "/SOFTWARE/ZEMTAR/NORDA/SOLVI/values.reg"),
              "\"CountryCode\"=dword:ffffffff\n\"Port3\"=dword:00000002\n"
              "\"Baudrate\"=dword:0001c200\n\"Verify\"=dword:00000000\n");
}

TEST_F(RegistryStoreTest, ForeignAndDamagedLinesAreKeptButNotReadAsDwords) {
    RegistryStore store(dir_);
    ASSERT_EQ(store.CreateKey(kKey), RegistryStore::kOk);
    {
        std::ofstream out(dir_ + "/SOFTWARE/ZEMTAR/NORDA/SOLVI/values.reg");
        out << "; edited by hand\r\n\"Name\"=\"text\"\r\n\"Short\"=dword:12\r\n"
               "\"AutoProg\"=dword:00000001\r\n";
    }
    uint32_t v = 7;
    EXPECT_EQ(store.QueryDword(kKey, "Name", &v), RegistryStore::kNotDword);
    EXPECT_EQ(store.QueryDword(kKey, "Short", &v), RegistryStore::kNotDword);
    EXPECT_EQ(v, 7u);
    ASSERT_EQ(store.QueryDword(kKey, "AutoProg", &v), RegistryStore::kOk);
    EXPECT_EQ(v, 1u);

    ASSERT_EQ(store.SetDword(kKey, "AutoProg", 0), RegistryStore::kOk);
    EXPECT_EQ(ReadAll(dir_ + "/SOFTWARE/ZEMTAR/NORDA/SOLVI/values.reg"),
              "; edited by hand\n\"Name\"=\"text\"\n\"Short\"=dword:12\n"
              "\"AutoProg\"=dword:00000000\n");
}

TEST_F(RegistryStoreTest, NamesCannotLeaveTheRoot) {
    RegistryStore store(dir_ + "/root");
    for (const char* bad : {"", "..\\x", "SOFTWARE\\..\\..", "A\\\\B", "A/B", "A\\", "\\A", "."})
        EXPECT_EQ(store.CreateKey(bad), RegistryStore::kBadName) << bad;
    ASSERT_EQ(store.CreateKey("A"), RegistryStore::kOk);
    EXPECT_EQ(store.SetDword("A", "x\"y", 1), RegistryStore::kBadName);
    EXPECT_EQ(store.SetDword("A", "", 1), RegistryStore::kBadName);
    EXPECT_EQ(store.SetDword("A", "two\nlines", 1), RegistryStore::kBadName);
    EXPECT_FALSE(std::filesystem::exists(dir_ + "/x"));
}

TEST_F(RegistryStoreTest, AStoreWithoutRootStoresNothing) {
    RegistryStore store("");
    EXPECT_EQ(store.CreateKey(kKey), RegistryStore::kBadName);
    uint32_t v = 5;
    EXPECT_NE(store.QueryDword(kKey, "Baudrate", &v), RegistryStore::kOk);
    EXPECT_EQ(v, 5u);
}

TEST_F(RegistryStoreTest, DefaultRootFollowsXdgConfigHome) {
    const char* oldXdg = getenv("XDG_CONFIG_HOME");
    std::string saved = oldXdg != nullptr ? oldXdg : "";
    setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
    EXPECT_EQ(RegistryStore::DefaultRoot(), dir_ + "/norda/registry");
    unsetenv("XDG_CONFIG_HOME");
    const char* home = getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        EXPECT_EQ(RegistryStore::DefaultRoot(), std::string(home) + "/.config/norda/registry");
    }
    if (oldXdg != nullptr)
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
}

TEST_F(RegistryStoreTest, StringValuesSitBesideDwordsInTheExportForm) {
    RegistryStore store(dir_);
    ASSERT_EQ(store.CreateKey(kKey), RegistryStore::kOk);
    ASSERT_EQ(store.SetDword(kKey, "Baudrate", 9600), RegistryStore::kOk);
    const std::string path = R"(/srv/üretim "hat 2"\kayıt.csv)";
    ASSERT_EQ(store.SetString(kKey, "LogFile", path), RegistryStore::kOk);
    EXPECT_EQ(ReadAll(dir_ + "/SOFTWARE/ZEMTAR/NORDA/SOLVI/values.reg"),
              "\"Baudrate\"=dword:00002580\n"
              "\"LogFile\"=\"/srv/üretim \\\"hat 2\\\"\\\\kayıt.csv\"\n");

    std::string text;
    ASSERT_EQ(RegistryStore(dir_).QueryString(kKey, "logfile", &text), RegistryStore::kOk);
    EXPECT_EQ(text, path);
    uint32_t v = 0;
    EXPECT_EQ(store.QueryDword(kKey, "LogFile", &v), RegistryStore::kNotDword);
    EXPECT_EQ(store.QueryString(kKey, "Baudrate", &text), RegistryStore::kNotString);
    EXPECT_EQ(store.QueryString(kKey, "Missing", &text), RegistryStore::kNoValue);
    EXPECT_EQ(text, path);

    // A line break would end the value's line early; the old value stays.
    EXPECT_EQ(store.SetString(kKey, "LogFile", "a\nb"), RegistryStore::kBadData);
    ASSERT_EQ(store.QueryString(kKey, "LogFile", &text), RegistryStore::kOk);
    EXPECT_EQ(text, path);
    // A name holds one value of one type at a time.
    ASSERT_EQ(store.SetString(kKey, "Baudrate", ""), RegistryStore::kOk);
    EXPECT_EQ(store.QueryDword(kKey, "Baudrate", &v), RegistryStore::kNotDword);
    ASSERT_EQ(store.QueryString(kKey, "Baudrate", &text), RegistryStore::kOk);
    EXPECT_EQ(text, "");
}

}  // namespace
}  // namespace norda
