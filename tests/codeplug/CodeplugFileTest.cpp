#include "codeplug/CodeplugFile.h"

#include <unistd.h>

#include <gtest/gtest.h>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "codeplug/Ctcss.h"
#include "codeplug/FrequencyCode.h"
#include "codeplug/NewFileDefaults.h"
#include "platform/Windows1254.h"

namespace norda {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void SetName(char (&chars)[8], const std::string& utf8) {
    const std::string bytes = Utf8ToWindows1254(utf8);
    for (size_t i = 0; i < 8; ++i)
        chars[i] = i < bytes.size() ? bytes[i] : ' ';
}

std::string Name(const char (&chars)[8]) {
    return Windows1254ToUtf8(std::string(chars, 8));
}

class CodeplugFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "norda-omb-XXXXXX").string();
        ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const char* name) const { return (dir_ / name).string(); }
    fs::path dir_;
};

// The small codeplug of tests/data/small-codeplug.omb: test mode, two channels.
RadioParameters SmallCodeplug() {
    RadioParameters p;
    ResetToNewFile(p);
    p.TestAyar.HalfBaseChan = 5840;
    p.Master.Compander = 1;
    ServiceParameters& s = p.Service;
    s.MonitorDisabled = 1;
    s.KeyPad = 1;
    s.Cloner = 1;
    s.CloneKey = 200;
    s.LPIndex = 3;
    s.HPIndex = 7;
    p.User.invdisplay = 1;
    p.User.warningoff = 1;
    CloneParameters& c = p.Clone;
    c.Language = 0;
    c.BusyChan = 0;
    c.BusyChanMode = 1;
    c.AcilCagri = 1;
    c.AcilCagriKanali = 12;
    c.ScanDelay = 5;
    c.TonStandardi = 2;
    c.ANITipi = 3;
    c.Oncelik = 1;
    c.PriorChannel1 = 2;
    SetName(c.Kanal[0].KanalAdi, "ÇAY-1");
    c.Kanal[0].TxFreq = 5;
    c.Kanal[0].TxTCS = 37;
    c.Kanal[0].TxTCSOn = 1;
    c.Kanal[0].TotVar = 1;
    c.Scan[0] = 1;
    p.KSYS.SYSID = -1;
    p.KSYS.RxFreq = 400;
    p.KSYS.RxTCS = 1;
    p.KSYS.TxFreq = kNoFrequencyCode;
    p.KSYS.YuksekGuc = 1;
    p.ADATA.SYSID = 5;
    p.ADATA.FLEETID = -2;
    p.ADATA.RADIOID = 300;
    p.ADATA.PREAMBLE = 7;
    p.ADATA.GRUP[1] = 42;
    SetName(p.ADATA.STATUS[0], "TAMAM");
    return p;
}

TEST_F(CodeplugFileTest, SmallCodeplugMatchesGoldenFile) {
    CodeplugOptions options;
    options.testMode = true;
    options.channelCount = 2;
    const std::string golden = Slurp(NORDA_TEST_DATA "/small-codeplug.omb");
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(CodeplugFileText(SmallCodeplug(), options), golden);
    const std::string path = Path("small");
    ASSERT_EQ(SaveCodeplugFile(CompleteCodeplugName(path), SmallCodeplug(), options), Status::Ok);
    EXPECT_EQ(Slurp(path + ".OMB"), golden);
}

// Every parameter the file carries set away from its new-file value; the others as a
// test-mode load leaves them.
RadioParameters FullCodeplug() {
    RadioParameters p;
    p.TestAyar.HalfBaseChan = 17200;
    p.Master.Compander = 1;
    p.Master.TDM = 1;
    ServiceParameters& s = p.Service;
    for (int i = 0; i < kDigitPlaces; ++i)
        s.ANINo[i] = s.SecmeliCagriNo[i] = s.ACKNo[i] = 15;
    s.OptionAtStart = s.MonitorDisabled = s.MicType = s.VOXExists = s.MarineRadio = s.Cloner = 1;
    s.KeyPad = 0;
    s.SCEnc = 0;
    s.CloneKey = 255;
    s.LPIndex = 2;
    s.HPIndex = 11;
    p.User = {};
    p.User.invdisplay = p.User.lightsoff = p.User.warningoff = 1;
    CloneParameters& c = p.Clone;
    c.Language = 0;
    c.GrupTonu = 0;
    c.ExtInputModem = 1;
    c.PowerSave = 0;
    c.BusyChan = 1;
    c.BusyChanMode = 1;
    c.AcilCagri = 1;
    c.AcilCagriKanali = 99;
    c.DigerMenu = 0;
    c.TxDelay = 15;
    c.ExtendedTon = 15;
    c.Tot = 15;
    c.ScanDelay = 15;
    c.RekeyDelay = 15;
    c.TonLength = 6;
    c.TonStandardi = 3;
    c.UserSelectedDig = 6;
    c.ANITipi = 5;
    c.Oncelik = 1;
    c.PriorChannel1 = 98;
    c.PriorChannel2 = 99;
    const std::vector<int32_t> shifts{0, 430100000};
    for (int n = 1; n <= kChannelCount; ++n) {
        ChannelRecord& k = c.Kanal[n - 1];
        SetName(k.KanalAdi, "ĞŞİ/" + std::to_string(n * 7));
        k.TxFreq = static_cast<int16_t>((n * 131) % 16383);
        k.RxFreq = static_cast<int16_t>((n * 173) % 16383);
        k.ShiftFlag = static_cast<int16_t>(ShiftFlag(FrequencyCodeToHz(k.RxFreq, 17200), shifts));
        k.TxTCS = static_cast<int16_t>(n % 51);
        k.TxTCSOn = k.TxTCS != 0;
        k.RxTCS = static_cast<int16_t>((n * 3) % 51);
        k.Hprf = n % 2;
        k.TotVar = n % 3 == 0;
        k.ANIVar = n % 5 == 0;
        c.Scan[n - 1] = n % 4 == 0;
    }
    p.KSYS.SYSID = -12345;
    p.KSYS.SMTIDENT = 77;
    p.KSYS.RxFreq = static_cast<int16_t>(40000);
    p.KSYS.TxFreq = 8000;
    p.KSYS.RxTCS = 50;
    p.KSYS.TxTCS = 39;
    p.KSYS.YuksekGuc = 1;
    for (int i = 0; i < kKsysGroups; ++i)
        p.KSYS.GrupNo[i] = static_cast<int16_t>(200 + i);
    p.ADATA.SYSID = 255;
    p.ADATA.FLEETID = -300;
    p.ADATA.RADIOID = 32767;
    p.ADATA.RXID = -32768;
    p.ADATA.PREAMBLE = 9;
    for (int i = 0; i < kAdataGroups; ++i)
        p.ADATA.GRUP[i] = static_cast<int16_t>(1000 * i - 2000);
    for (int i = 0; i < kStatusMessages; ++i)
        SetName(p.ADATA.STATUS[i], "ST" + std::to_string(i) + "-öç");
    return p;
}

TEST_F(CodeplugFileTest, FullRoundTripIsExactAndStable) {
    const std::vector<int32_t> shifts{0, 430100000};
    CodeplugOptions options;
    options.testMode = true;
    options.shiftFrequencies = shifts;
    const RadioParameters original = FullCodeplug();
    const std::string path = Path("full.omb");
    ASSERT_EQ(SaveCodeplugFile(path, original, options), Status::Ok);
    const std::string first = Slurp(path);

    RadioParameters loaded;
    ASSERT_EQ(LoadCodeplugFile(path, loaded, options), Status::Ok);
    EXPECT_EQ(loaded.Master, original.Master);
    EXPECT_EQ(loaded.Service, original.Service);
    EXPECT_EQ(loaded.User, original.User);
    EXPECT_EQ(loaded.KSYS, original.KSYS);
    EXPECT_EQ(loaded.ADATA, original.ADATA);
    EXPECT_EQ(loaded.TestAyar, original.TestAyar);
    for (int n = 0; n < kChannelCount; ++n) {
        EXPECT_EQ(loaded.Clone.Kanal[n], original.Clone.Kanal[n]) << "channel " << n + 1;
    }
    EXPECT_TRUE(loaded == original);

    ASSERT_EQ(SaveCodeplugFile(path, loaded, options), Status::Ok);
    EXPECT_EQ(Slurp(path), first);
}

TEST_F(CodeplugFileTest, KeyTableReadRules) {
    RadioParameters p;
    const CodeplugOptions options;
    const std::string base = "[TestAyar]\r\nHalfBaseChan[0]=22\r\nHalfBaseChan[1]=208\r\n";
    ASSERT_EQ(
        LoadCodeplugText(base + "[Clone]\nBusyChan=2\nScanDelay=2.7\nLanguage=turkce\n"
                                "GrupTonu=B\nTonStandardi=zvei\nANITipi=CagriPTT\nOncelik=ptt\n"
                                "TxDelay=250\nTot=44\nExtendedTon=0\n"
                                "[Kanal]\nTxFreq[1]=146.01249\nRxFreq[1]=146.0125\nTxTCS[1]=68\n"
                                "RxTCS[1]=241\nTxFreq[2]=0.0000\nRxFreq[2]=\nTxTCS[2]=67\n",
                         p, options),
        Status::Ok);
    EXPECT_EQ(p.TestAyar.HalfBaseChan, 5840);
    EXPECT_EQ(p.Clone.BusyChan, 1);
    EXPECT_EQ(p.Clone.BusyChanMode, 1);
    EXPECT_EQ(p.Clone.ScanDelay, 5);
    EXPECT_EQ(p.Clone.Language, 1);
    EXPECT_EQ(p.Clone.GrupTonu, 1);
    EXPECT_EQ(p.Clone.TonStandardi, 1);  // names are compared exactly
    EXPECT_EQ(p.Clone.ANITipi, 4);
    EXPECT_EQ(p.Clone.Oncelik, 0);
    EXPECT_EQ(p.Clone.TxDelay, 2);
    EXPECT_EQ(p.Clone.Tot, 2);
    EXPECT_EQ(p.Clone.ExtendedTon, 1);
    const ChannelRecord& k1 = p.Clone.Kanal[0];
    EXPECT_EQ(k1.TxFreq, 4);
    EXPECT_EQ(k1.RxFreq, 5);
    EXPECT_EQ(k1.TxTCS, 0);
    EXPECT_EQ(k1.TxTCSOn, 0);
    EXPECT_EQ(k1.RxTCS, 37);
    EXPECT_EQ(p.Clone.Kanal[1].TxFreq, kNoFrequencyCode);
    EXPECT_EQ(p.Clone.Kanal[1].RxFreq, kNoFrequencyCode);
    EXPECT_EQ(p.Clone.Kanal[1].TxTCSOn, 1);
    // Missing keys: the key table's own defaults, else the new-file values.
    EXPECT_EQ(p.Clone.Kanal[5].Hprf, 1);
    EXPECT_EQ(p.Clone.Scan[5], 1);
    EXPECT_EQ(Name(p.Clone.Kanal[5].KanalAdi), "        ");
    EXPECT_EQ(p.Clone.TonLength, 5);
    EXPECT_EQ(p.Clone.UserSelectedDig, 2);
    EXPECT_EQ(p.KSYS.RxFreq, kNoFrequencyCode);
    EXPECT_EQ(p.KSYS.GrupNo[3], 0);
    EXPECT_EQ(p.KSYS.SYSID, 0);
    EXPECT_EQ(p.Service.ANINo[0], 1);  // not read outside test mode: the new-file value

    // A band of 0xFFFF keeps the channels' reset frequencies.
    ASSERT_EQ(LoadCodeplugText("[TestAyar]\nHalfBaseChan[0]=255\nHalfBaseChan[1]=255\n"
                               "[Kanal]\nTxFreq[1]=146.0125\nRxFreq[1]=146.0125\n",
                               p, options),
              Status::Ok);
    EXPECT_EQ(p.Clone.Kanal[0].TxFreq, kNoFrequencyCode);
    EXPECT_EQ(p.Clone.Kanal[0].RxFreq, kNoFrequencyCode);
}

TEST_F(CodeplugFileTest, MissingBandChangesNothing) {
    RadioParameters p = FullCodeplug();
    const RadioParameters before = p;
    EXPECT_EQ(LoadCodeplugFile(Path("absent.omb"), p, {}), Status::NoBand);
    EXPECT_EQ(LoadCodeplugText("[TestAyar]\nHalfBaseChan[0]=0\n[Clone]\nTot=15\n", p, {}),
              Status::NoBand);
    EXPECT_EQ(LoadCodeplugText("HalfBaseChan[0]=1\n", p, {}), Status::NoBand);
    EXPECT_TRUE(p == before);
}

TEST_F(CodeplugFileTest, MalformedFilesLoadSafely) {
    std::string junk;
    for (int i = 0; i < 300000; ++i)
        junk += static_cast<char>((i * 2654435761u) >> 24);
    const std::string huge(3 << 20, 'X');
    const std::string text =
        junk + "\n[TestAyar]\nHalfBaseChan[0]=22\nHalfBaseChan[1]=208\n" +
        "[Kanal]\nKanal Adi[1]=<AB>\nKanal Adi[2]=" + huge + "\nKanal Adi[3]=\n" +
        "TxFreq[1]=9999999999.9999999\nRxFreq[1]=-146.0125\nTxTCS[1]=" + huge +
        "\nHprf[1]=70000\nTotVar[1]=-70000\n" + huge + "=1\n" +
        "[KSYS]\nSYSID=99999999999999999999\nRxTCS=abc\nGrup No[1]=65537\n" +
        "[ADATA]\nSTATUS[1]=\"<QUOTED >\"\nSTATUS[2]=<\x01\x02\x03\x04\x05\x06\x07\x08>\n" +
        "[Clone]\nScanDelay=1e308\nTot=-2147483648\n";
    RadioParameters p;
    FileValueReports reports;
    ASSERT_EQ(LoadCodeplugText(text, p, {}, &reports), Status::Ok);
    EXPECT_EQ(Name(p.Clone.Kanal[0].KanalAdi), "AB>     ");
    EXPECT_EQ(Name(p.Clone.Kanal[1].KanalAdi), "XXXXXXXX");
    EXPECT_EQ(Name(p.Clone.Kanal[2].KanalAdi), "        ");
    EXPECT_EQ(Name(p.ADATA.STATUS[0]), "QUOTED >");
    EXPECT_EQ(Name(p.ADATA.STATUS[1]), "        ");
    // Nothing is wrapped into another value: each one is reported and opens empty.
    std::vector<std::string> reported;
    for (const FileValueReport& r : reports)
        reported.push_back(r.section + " " + r.key);
    EXPECT_EQ(reported, (std::vector<std::string>{
                            "Kanal TxFreq[1]", "Kanal RxFreq[1]", "Kanal TxTCS[1]", "Kanal Hprf[1]",
                            "Kanal TotVar[1]", "KSYS SYSID", "KSYS RxTCS", "KSYS Grup No[1]",
                            "Clone ScanDelay", "Clone Tot"}));
    EXPECT_EQ(p.Clone.Kanal[0].TxFreq, kNoFrequencyCode);
    EXPECT_EQ(p.Clone.Kanal[0].RxFreq, kNoFrequencyCode);
    EXPECT_EQ(p.Clone.Kanal[0].TxTCS, 0);
    EXPECT_EQ(p.Clone.Kanal[0].Hprf, 0);
    EXPECT_EQ(p.Clone.Kanal[0].TotVar, 0);
    EXPECT_EQ(p.KSYS.SYSID, 1);  // the new-file values
    EXPECT_EQ(p.KSYS.GrupNo[0], 1);
    EXPECT_EQ(p.Clone.ScanDelay, 6);
    EXPECT_EQ(p.Clone.Tot, 4);
    // What was loaded saves to a file that loads to the same parameters, without reports.
    const std::string once = CodeplugFileText(p, {});
    RadioParameters again;
    FileValueReports none;
    ASSERT_EQ(LoadCodeplugText(once, again, {}, &none), Status::Ok);
    EXPECT_TRUE(none.empty());
    EXPECT_TRUE(again == p);

    EXPECT_EQ(
        LoadCodeplugText("[TestAyar]\nHalfBaseChan[0]=99999999999\nHalfBaseChan[1]=-7\n", p, {}),
        Status::NoBand);
}

std::string ProblemName(FileValueProblem problem) {
    switch (problem) {
        case FileValueProblem::NotANumber:
            return "not a number";
        case FileValueProblem::DecimalComma:
            return "decimal comma";
        case FileValueProblem::NotWhole:
            return "not whole";
        case FileValueProblem::TrailingText:
            return "trailing text";
        case FileValueProblem::NotAFlag:
            return "not a flag";
        case FileValueProblem::OutsideField:
            return "outside the field";
        case FileValueProblem::OutsideBand:
            return "outside the band";
        case FileValueProblem::GivenTwice:
            return "given twice";
    }
    return "?";
}

std::string Describe(const FileValueReport& r) {
    std::string line = std::to_string(r.line) + " [" + r.section + "] " + r.key + "=" +
                       ReportedValueText(r) + ": " + ProblemName(r.problem);
    if (!r.lowest.empty())
        line += " " + r.lowest + ".." + r.highest;
    if (r.firstLine != 0)
        line += ", first on " + std::to_string(r.firstLine);
    return line;
}

// tests/data/codeplug-values: each file with what loading it reports, line by line, or
// "no band", or "as FILE" for a file that loads exactly as another one.
TEST(CodeplugValues, EachFileReportsWhatItCannotTakeAsWritten) {
    CodeplugOptions options;
    options.testMode = true;
    const fs::path folder = NORDA_TEST_DATA "/codeplug-values";
    int files = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".omb")
            continue;
        ++files;
        SCOPED_TRACE(entry.path().filename().string());
        std::vector<std::string> expected;
        std::ifstream in(fs::path(entry.path()).replace_extension(".expected"));
        ASSERT_TRUE(in) << "no .expected beside it";
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line[0] != '#')
                expected.push_back(line);
        }
        auto p = std::make_unique<RadioParameters>();
        FileValueReports reports;
        const Status status = LoadCodeplugFile(entry.path().string(), *p, options, &reports);
        if (expected == std::vector<std::string>{"no band"}) {
            EXPECT_EQ(status, Status::NoBand);
            continue;
        }
        ASSERT_EQ(status, Status::Ok);
        if (expected.size() == 1 && expected[0].rfind("as ", 0) == 0) {
            auto as = std::make_unique<RadioParameters>();
            ASSERT_EQ(LoadCodeplugFile(NORDA_TEST_DATA "/" + expected[0].substr(3), *as, options),
                      Status::Ok);
            EXPECT_TRUE(reports.empty());
            EXPECT_TRUE(*p == *as);
            continue;
        }
        std::vector<std::string> seen;
        for (const FileValueReport& r : reports)
            seen.push_back(Describe(r));
        EXPECT_EQ(seen, expected);
    }
    EXPECT_EQ(files, 15);
}

TEST_F(CodeplugFileTest, FailedSaveReportsAndKeepsOldFile) {
    const std::string path = Path("keep.omb");
    { std::ofstream(path, std::ios::binary) << "old"; }
    EXPECT_EQ(SaveCodeplugFile(Path("no-such-dir/x.omb"), FullCodeplug(), {}), Status::WriteFailed);
    fs::create_directory(Path("dir.omb"));
    { std::ofstream(Path("dir.omb/inside"), std::ios::binary) << "x"; }
    EXPECT_EQ(SaveCodeplugFile(Path("dir.omb"), FullCodeplug(), {}), Status::WriteFailed);
    EXPECT_EQ(Slurp(path), "old");
    EXPECT_EQ(SaveCodeplugFile(path, FullCodeplug(), {}), Status::Ok);
    EXPECT_NE(Slurp(path), "old");
}

TEST_F(CodeplugFileTest, SavingOverAFileKeepsWhatTheTableDoesNotWrite) {
    // A file written with "-test" and then saved again without it must not lose its
    // factory sections, nor the lines a user added by hand.
    const std::string path = Path("radio.omb");
    CodeplugOptions test;
    test.testMode = true;
    ASSERT_EQ(SaveCodeplugFile(path, SmallCodeplug(), test), Status::Ok);
    { std::ofstream(path, std::ios::binary | std::ios::app) << "[Notlar]\r\nMusteri=ACME\r\n"; }
    ASSERT_EQ(SaveCodeplugFile(path, FullCodeplug(), {}), Status::Ok);

    const std::string text = Slurp(path);
    EXPECT_NE(text.find("[Master]\r\n"), std::string::npos);
    EXPECT_NE(text.find("Musteri=ACME\r\n"), std::string::npos);
    RadioParameters back;
    ASSERT_EQ(LoadCodeplugFile(path, back, {}), Status::Ok);
    EXPECT_EQ(CodeplugFileText(back, {}), CodeplugFileText(FullCodeplug(), {}));
}

TEST(CodeplugName, OmbIsAddedWithoutExtension) {
    EXPECT_EQ(CompleteCodeplugName("telsiz"), "telsiz.OMB");
    EXPECT_EQ(CompleteCodeplugName("telsiz.omb"), "telsiz.omb");
    EXPECT_EQ(CompleteCodeplugName("telsiz.txt"), "telsiz.txt");
    EXPECT_EQ(CompleteCodeplugName("telsiz."), "telsiz..OMB");
    EXPECT_EQ(CompleteCodeplugName("/home/a.b/telsiz"), "/home/a.b/telsiz.OMB");
    EXPECT_EQ(CompleteCodeplugName(".gizli"), ".gizli.OMB");
}

TEST(ShiftFlag, HarmonicsAndConfiguredList) {
    const int64_t t289 = 289LL * 504125;  // 145692125 Hz
    EXPECT_EQ(ShiftFlag(t289 - 25000, {}), 1);
    EXPECT_EQ(ShiftFlag(t289 + 20000, {}), 1);
    EXPECT_EQ(ShiftFlag(t289 - 25001, {}), 0);
    EXPECT_EQ(ShiftFlag(t289 + 20001, {}), 0);
    EXPECT_EQ(ShiftFlag(346LL * 504125, {}), 1);
    EXPECT_EQ(ShiftFlag(405820625 - 50000, {}), 1);
    EXPECT_EQ(ShiftFlag(470348625 + 50000, {}), 1);
    EXPECT_EQ(ShiftFlag(470348625 + 50001, {}), 0);
    EXPECT_EQ(ShiftFlag(347LL * 504125, {}), 0);  // beyond the VHF harmonics
    const int32_t list[] = {150000000, 151000000, 0, 152000000};
    EXPECT_EQ(ShiftFlag(150000000, list), 0);  // the first entry is not tested
    EXPECT_EQ(ShiftFlag(151000000 + 20000, list), 1);
    EXPECT_EQ(ShiftFlag(151000000 + 20001, list), 0);
    EXPECT_EQ(ShiftFlag(152000000, list), 0);  // after the first 0
    const int32_t uhf[] = {0, 440000000};
    EXPECT_EQ(ShiftFlag(440000000 - 50000, uhf), 1);
}

TEST(NewFile, ResetAndDialogResults) {
    RadioParameters p;
    p.Clone.Kanal[0].TxFreq = 5;
    p.Clone.Kanal[98].Hprf = 1;
    p.Clone.TUNETIM = 44;
    ResetToNewFile(p);
    EXPECT_EQ(Name(p.Clone.Kanal[0].KanalAdi), "KN 1    ");
    EXPECT_EQ(Name(p.Clone.Kanal[98].KanalAdi), "KN 99   ");
    EXPECT_EQ(p.Clone.Kanal[0].TxFreq, kNoFrequencyCode);
    EXPECT_EQ(p.Clone.Kanal[0].RxFreq, kNoFrequencyCode);
    EXPECT_EQ(p.Clone.Kanal[98].Hprf, 0);
    EXPECT_EQ(p.Clone.TUNETIM, 44);  // not a new-file value
    EXPECT_EQ(p.Clone.TonLength, 5);
    EXPECT_EQ(p.Clone.ScanDelay, 6);
    EXPECT_EQ(p.KSYS.GrupNo[9], 10);
    EXPECT_EQ(p.Service.ANINo[0], 1);
    EXPECT_EQ(p.Service.ANINo[1], 0);

    ApplyNewFileChoice(p, NewFileBand::Vhf146, 0, 6);
    EXPECT_EQ(p.TestAyar.HalfBaseChan, 5840);
    EXPECT_EQ(p.Clone.TonLength, 6);
    EXPECT_EQ(NewFileHalfBaseChan(NewFileBand::UserDefined, 220), 8800);
    EXPECT_EQ(NewFileHalfBaseChan(NewFileBand::Uhf406, 0), 16240);
    EXPECT_EQ(NewFileHalfBaseChan(NewFileBand::Uhf430, 0), 17200);
    EXPECT_EQ(NewFileHalfBaseChan(NewFileBand::Uhf450, 0), 18000);
}

}  // namespace
}  // namespace norda
