#include "solvi/core/SoftwareImage.h"

#include <gtest/gtest.h>

#include <atomic>
#include <numeric>
#include <sstream>
#include <thread>

#include "SRecordTestUtil.h"
#include "resources/ResourceModule.h"
#include "resources/SolviResources.h"

namespace norda::solvi {
namespace {

using test::Header;
using test::Record;

// Runs the record parser over text on a fresh, erased picture.
struct Parsed {
    Status result = Status::Ok;
    LoadedSoftware::Image image;
};

Parsed Parse(const std::string& text) {
    Parsed p;
    p.image.fill(0);
    std::fill(p.image.begin(), p.image.begin() + LoadedSoftware::kFlashSize, 0xFF);
    std::istringstream in(text);
    p.result = SoftwareImage::ParseRecords(in, p.image);
    return p;
}

std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const auto& l : lines) {
        text += l + "\r\n";
    }
    return text;
}

TEST(SRecordParsing, AcceptsS1AndS2DataUpToTheEndRecord) {
    auto p =
        Parse(Lines({Header(), Record('1', 0x1234, {1, 2, 3}), Record('2', 0x01FF00, {0xAA, 0xBB}),
                     Record('9', 0, {}), "whatever follows is not read"}));
    ASSERT_EQ(p.result, Status::Ok);
    EXPECT_EQ(p.image[0x1233], 0xFF);
    EXPECT_EQ(p.image[0x1234], 1);
    EXPECT_EQ(p.image[0x1236], 3);
    EXPECT_EQ(p.image[0x1237], 0xFF);
    EXPECT_EQ(p.image[0x1FF00], 0xAA);
    EXPECT_EQ(p.image[0x1FF01], 0xBB);
    EXPECT_EQ(Parse(Lines({Header(), Record('8', 0, {})})).result, Status::Ok);
}

TEST(SRecordParsing, LaterRecordsOverwriteEarlierOnes) {
    auto p = Parse(
        Lines({Header(), Record('1', 0x100, {1, 2}), Record('1', 0x101, {9}), Record('9', 0, {})}));
    ASSERT_EQ(p.result, Status::Ok);
    EXPECT_EQ(p.image[0x100], 1);
    EXPECT_EQ(p.image[0x101], 9);
}

TEST(SRecordParsing, LinesEndInLfCrLfOrCrAndTheLastMayEndWithTheFile) {
    const std::string data = Record('1', 0x1234, {1, 2, 3});
    for (const char* end : {"\n", "\r\n", "\r"}) {
        auto p = Parse(Header() + end + data + end + Record('9', 0, {}) + end);
        EXPECT_EQ(p.result, Status::Ok) << "line end " << (end[0] == '\n' ? "LF" : "CR...");
        EXPECT_EQ(p.image[0x1236], 3);
    }
    EXPECT_EQ(Parse(Header() + "\n" + data + "\r\n\n" + Record('9', 0, {})).result, Status::Ok);
}

// Every refusal names the line to look at and what is wrong there.
TEST(SRecordParsing, RefusalsNameTheLineAndTheReason) {
    using R = FormatError::Reason;
    const std::string end = Record('9', 0, {});
    std::string lower = Record('1', 0xABCD, {0xEF});
    for (auto& c : lower) {
        c = static_cast<char>(c == 'S' ? c : std::tolower(c));
    }
    std::string badSum = Record('1', 0, {1});
    badSum.back() = badSum.back() == '0' ? '1' : '0';
    std::string noS = Record('1', 0, {1});
    noS[0] = 'X';
    // The longest record there can be (255 bytes counted) fits; one character more does not.
    const std::string longest = Record('1', 0, std::vector<uint8_t>(252, 0x41));
    ASSERT_EQ(longest.size(), 514u);
    EXPECT_EQ(Parse(Lines({Header(), longest, end})).result, Status::Ok);

    const struct {
        std::string text;
        R reason;
        int line;
    } cases[] = {
        {"", R::NoHeader, 1},
        {Lines({Record('1', 0, {1}), end}), R::NoHeader, 1},
        {Lines({Header(), Record('1', 0, {1}), "", Record('1', 1, {1})}), R::NoEndRecord, 4},
        {Lines({Header(), longest + "0", end}), R::LineTooLong, 2},
        {Lines({Header(), Record('1', 0, {1}), noS, end}), R::NotARecord, 3},
        {Lines({Header(), lower, end}), R::NotHex, 2},
        {Lines({Header(), badSum, end}), R::BadChecksum, 2},
        {Lines({Header(), Record('3', 0x10, {1}), end}), R::UnsupportedType, 2},
        {Lines({Header(), Record('7', 0, {}), end}), R::UnsupportedType, 2},
        {Lines({Header(), Header(), end}), R::UnsupportedType, 2},
        {Lines({Header(), "S1060100AA4E", end}), R::ShortRecord, 2},
        {Lines({Header(), Record('2', 0x01FFFF, {1, 2, 3}), end}), R::BeyondFlash, 2},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.text);
        LoadedSoftware::Image image{};
        FormatError error;
        EXPECT_EQ(SoftwareImage::ParseRecords(in, image, &error), Status::BadFormat) << c.text;
        EXPECT_EQ(error.reason, c.reason) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text;
    }
}

// srec_cat counts the data records in an S5 (S6 beyond 65535) and may end the file there.
TEST(SRecordParsing, CountRecordsAreCheckedAndMayEndTheFile) {
    const std::string a = Record('1', 0x100, {1}), b = Record('2', 0x10100, {2});
    EXPECT_EQ(Parse(Lines({Header(), a, b, Record('5', 2, {}), Record('9', 0, {})})).result,
              Status::Ok);
    EXPECT_EQ(Parse(Lines({Header(), a, b, Record('6', 2, {})})).result, Status::Ok);
    // Something after the count and no end record: the file may have been cut there.
    EXPECT_EQ(Parse(Lines({Header(), a, Record('5', 1, {}), b})).result, Status::BadFormat);

    // A line doubled on its way here.
    std::istringstream in(Lines({Header(), a, a, b, Record('5', 2, {})}));
    LoadedSoftware::Image image{};
    FormatError error;
    ASSERT_EQ(SoftwareImage::ParseRecords(in, image, &error), Status::BadFormat);
    auto texts = ResourceModule::BuiltIn(SolviBuiltinResources());
    EXPECT_EQ(FormatErrorText(*texts, error),
              "Satır 5: Sayım kaydı 2 veri kaydı diyor, öncesinde 3 var.");
}

TEST(SRecordParsing, ByteCountMustCoverAddressAndStayInsideTheLine) {
    const std::string end = Record('9', 0, {});
    // Count 02 in an S1 record: shorter than address plus checksum (02 + 01 + 00 + FC = FF).
    EXPECT_EQ(Parse(Lines({Header(), "S1020100FC", end})).result, Status::BadFormat);
    // Count 03 exactly covers address and checksum: a record without data.
    EXPECT_EQ(Parse(Lines({Header(), Record('1', 0x0100, {}), end})).result, Status::Ok);
    // A count that claims two more bytes than the line has (sum kept at FF): it would
    // otherwise take the checksum and characters past the line for data.
    EXPECT_EQ(Parse(Lines({Header(), "S1060100AA4E", end})).result, Status::BadFormat);
}

TEST(SRecordParsing, LastFlashAddressPlusOneIsKeptButNothingBeyond) {
    auto p = Parse(Lines({Header(), Record('2', 0x01FFFF, {0x11, 0x22}), Record('9', 0, {})}));
    ASSERT_EQ(p.result, Status::Ok);
    EXPECT_EQ(p.image[0x1FFFF], 0x11);
    EXPECT_EQ(p.image[0x20000], 0x22);
    EXPECT_EQ(Parse(Lines({Header(), Record('2', 0x020001, {0x11}), Record('9', 0, {})})).result,
              Status::BadFormat);
    EXPECT_EQ(Parse(Lines({Header(), Record('2', 0x01FFFF, {1, 2, 3}), Record('9', 0, {})})).result,
              Status::BadFormat);
    EXPECT_EQ(Parse(Lines({Header(), Record('2', 0xFFFFFF, {1}), Record('9', 0, {})})).result,
              Status::BadFormat);
}

// A header block as the radio designers lay it out.
std::vector<uint8_t> HeaderBytes(const char* name, uint8_t major, uint8_t minor, uint8_t day,
                                 uint8_t month, uint16_t year, const char* text) {
    std::vector<uint8_t> h(0x80, 0);
    h[0x00] = static_cast<uint8_t>(name[2]);
    h[0x01] = major;
    h[0x02] = minor;
    h[0x03] = 0x12;  // replaced by the loader
    h[0x04] = 0x34;
    h[0x05] = day;
    h[0x06] = month;
    h[0x07] = static_cast<uint8_t>(year);
    h[0x08] = static_cast<uint8_t>(year >> 8);
    h[0x09] = static_cast<uint8_t>(name[0]);
    h[0x0A] = static_cast<uint8_t>(name[1]);
    for (std::size_t i = 0; text[i] && 0x0D + i < h.size(); ++i) {
        h[0x0D + i] = static_cast<uint8_t>(text[i]);
    }
    return h;
}

class SoftwareImageLoad : public ::testing::Test {
  protected:
    // Header in two records, code bytes in 0x2000-0xFFFF and outside that range.
    std::string WriteTypicalFile() {
        auto h = HeaderBytes("ABC", 5, 1, 7, 3, 2002, "Deneme yazilimi");
        std::vector<std::string> lines = {Header()};
        for (std::size_t at = 0; at < h.size(); at += 0x20) {
            lines.push_back(Record('2', 0x10000 + static_cast<uint32_t>(at),
                                   {h.begin() + at, h.begin() + at + 0x20}));
        }
        lines.push_back(Record('1', 0x0100, {0x01, 0x02}));  // outside the code sum
        lines.push_back(Record('1', 0x2000, {0x10, 0x20}));
        lines.push_back(Record('1', 0xFFFF, {0x03}));
        lines.push_back(Record('2', 0x12345, {0x77}));  // outside the code sum
        lines.push_back(Record('9', 0, {}));
        std::string text;
        for (const auto& l : lines) {
            text += l + "\r\n";
        }
        return dir_.Write("Radyo_V5.hex", text);
    }

    test::TempDir dir_;
    SoftwareImage image_;
};

TEST_F(SoftwareImageLoad, BuildsChecksumFlagBlocksAndVersionInOrder) {
    ASSERT_EQ(image_.LoadSoftwareFile(WriteTypicalFile()), Status::Ok);
    ASSERT_TRUE(image_.IsLoaded());
    auto sw = image_.Current();
    ASSERT_TRUE(sw);
    const auto& b = sw->Bytes();
    // 0x10 + 0x20 + 0x03 + 0xFF for every other byte of 0x2000-0xFFFF.
    uint32_t sum = 0x10 + 0x20 + 0x03 + 0xFFu * (0xE000 - 3);
    EXPECT_EQ(b[0x10003], static_cast<uint8_t>(sum >> 8));
    EXPECT_EQ(b[0x10004], static_cast<uint8_t>(sum));
    EXPECT_EQ(b[0x100FF], 0xFF);
    EXPECT_EQ(sw->Blocks(),
              (std::vector<uint32_t>{0x0100, 0x2000, 0xFF80, 0x12300, 0x10080, 0x10000}));
    EXPECT_EQ(sw->BlockData(3)[0x45], 0x77);
    EXPECT_EQ(sw->Version().checksum, static_cast<uint16_t>(sum));
    EXPECT_EQ(sw->Version().text, "Deneme yazilimi");
    EXPECT_EQ(std::string(sw->Version().name.data()), "ABC");
    EXPECT_EQ(sw->VersionText(), "ABC 5.01 N 07.03.2002");
    EXPECT_EQ(image_.VersionText(), "ABC 5.01 N 07.03.2002");
    EXPECT_EQ(image_.FileName(), "Radyo_V5");
}

TEST_F(SoftwareImageLoad, TransferModeSetsFlagByteAndLetter) {
    image_.SetTransferMode(true);
    ASSERT_EQ(image_.LoadSoftwareFile(WriteTypicalFile()), Status::Ok);
    EXPECT_EQ(image_.Current()->Bytes()[0x100FF], 1);
    EXPECT_EQ(image_.VersionText(), "ABC 5.01 D 07.03.2002");
    auto before = image_.Current();
    image_.SetTransferMode(false);
    auto after = image_.Current();
    EXPECT_EQ(after->Bytes()[0x100FF], 0xFF);
    EXPECT_EQ(after->Version().flag, 0xFF);
    EXPECT_EQ(image_.VersionText(), "ABC 5.01 N 07.03.2002");
    EXPECT_EQ(after->Blocks(), before->Blocks());
    // A worker still holding the earlier picture keeps seeing it whole.
    EXPECT_EQ(before->Bytes()[0x100FF], 1);
}

TEST_F(SoftwareImageLoad, HeaderBlocksAreWrittenEvenWhenTheFileHasNone) {
    std::string path = dir_.Write(
        "code.hex", Lines({Header(), Record('1', 0x0000, {0}), Record('1', 0x0080, {0xFF}),
                           Record('1', 0x3F00, {0}), Record('9', 0, {})}));
    ASSERT_EQ(image_.LoadSoftwareFile(path), Status::Ok);
    // 0x0080 holds only 0xFF, which is what erased flash reads anyway.
    EXPECT_EQ(image_.Current()->Blocks(),
              (std::vector<uint32_t>{0x0000, 0x3F00, 0x10080, 0x10000}));
}

TEST_F(SoftwareImageLoad, FailuresLeaveNothingLoaded) {
    ASSERT_EQ(image_.LoadSoftwareFile(WriteTypicalFile()), Status::Ok);
    EXPECT_EQ(image_.LoadSoftwareFile(dir_.File("missing.hex").string()), Status::CannotOpen);
    EXPECT_FALSE(image_.IsLoaded());
    EXPECT_EQ(image_.Current(), nullptr);
    EXPECT_EQ(image_.LastLoadResult(), Status::CannotOpen);
    EXPECT_EQ(image_.VersionText(), "");

    ASSERT_EQ(image_.LoadSoftwareFile(WriteTypicalFile()), Status::Ok);
    std::string bad = dir_.Write("bad.hex", Lines({Header(), Record('1', 0, {1})}));
    EXPECT_EQ(image_.LoadSoftwareFile(bad), Status::BadFormat);
    EXPECT_FALSE(image_.IsLoaded());
    EXPECT_EQ(image_.FileName(), "");
    // Switching the transfer mode with nothing loaded must not bring an image back.
    image_.SetTransferMode(true);
    EXPECT_FALSE(image_.IsLoaded());
}

TEST(SoftwareVersion, DisplayAndComparison) {
    auto h = HeaderBytes("XY7", 12, 3, 31, 12, 1999, "bir");
    h.resize(256, 0);
    h[0xFF] = 1;
    auto v = SoftwareVersion::FromHeader(std::span<const uint8_t, 256>(h.data(), 256));
    EXPECT_EQ(v.DisplayText(), "XY7 12.03 D 31.12.1999");

    auto other = v;
    other.text = "a different description";
    EXPECT_TRUE(v.SameSoftware(other));
    auto differ = [&](auto change) {
        auto w = v;
        change(w);
        return !v.SameSoftware(w);
    };
    EXPECT_TRUE(differ([](SoftwareVersion& w) { w.name[2] = 'Z'; }));
    EXPECT_TRUE(differ([](SoftwareVersion& w) { w.major++; }));
    EXPECT_TRUE(differ([](SoftwareVersion& w) { w.minor++; }));
    EXPECT_TRUE(differ([](SoftwareVersion& w) { w.checksum++; }));
    EXPECT_TRUE(differ([](SoftwareVersion& w) { w.flag = 0xFF; }));
    EXPECT_TRUE(differ([](SoftwareVersion& w) { w.day++; }));
    EXPECT_TRUE(differ([](SoftwareVersion& w) { w.month++; }));
    EXPECT_TRUE(differ([](SoftwareVersion& w) { w.year++; }));
}

TEST(SoftwareVersion, DescriptionStopsAtNulOrAfter242Characters) {
    std::vector<uint8_t> h(256, 'x');
    auto v = SoftwareVersion::FromHeader(std::span<const uint8_t, 256>(h.data(), 256));
    EXPECT_EQ(v.text.size(), 242u);
    h[0x0D + 4] = 0;
    v = SoftwareVersion::FromHeader(std::span<const uint8_t, 256>(h.data(), 256));
    EXPECT_EQ(v.text, "xxxx");
}

// The radio designers write the header in the Turkish ANSI code page; the erased flash
// after a text is no part of it, and a radio that never held software has nothing else.
TEST(SoftwareVersion, HeaderTextsAreWindows1254AndErasedFlashIsNoText) {
    auto h = HeaderBytes("\xDE\xDD\xD0", 1, 2, 3, 4, 2005, "G\xFC\xE7l\xFC telsiz");
    h.resize(256, 0xFF);
    h[0x0D + 12] = 0xFF;  // the description runs into erased flash
    auto v = SoftwareVersion::FromHeader(std::span<const uint8_t, 256>(h.data(), 256));
    EXPECT_EQ(v.DisplayText(), "ŞİĞ 1.02 N 03.04.2005");
    EXPECT_EQ(v.text, "Güçlü telsiz");
    EXPECT_FALSE(v.Blank());

    const std::vector<uint8_t> erased(256, 0xFF);
    v = SoftwareVersion::FromHeader(std::span<const uint8_t, 256>(erased.data(), 256));
    EXPECT_TRUE(v.Blank());
    EXPECT_EQ(v.text, "");
    EXPECT_EQ(v.DisplayText(), " 255.255 N 255.255.65535");
}

// Workers keep looking at the image while the user loads files again and again. Under
// ThreadSanitizer this must stay silent, and no worker may ever see a version that does
// not belong to the picture it came with.
TEST(SoftwareImageConcurrency, WorkersNeverSeeAHalfLoadedImage) {
    test::TempDir dir;
    std::vector<std::string> files;
    for (uint8_t major : {1, 2}) {
        auto h = HeaderBytes("ABC", major, 0, 1, 1, 2000, "");
        files.push_back(
            dir.Write("v" + std::to_string(major) + ".hex",
                      Lines({Header(), Record('2', 0x10000, {h.begin(), h.begin() + 16}),
                             Record('1', 0x2000, {major}), Record('9', 0, {})})));
    }
    SoftwareImage image;
    ASSERT_EQ(image.LoadSoftwareFile(files[0]), Status::Ok);
    std::atomic<bool> stop{false};
    std::atomic<int> mismatches{0};
    std::vector<std::thread> workers;
    for (int w = 0; w < 4; ++w) {
        workers.emplace_back([&] {
            while (!stop.load()) {
                auto sw = image.Current();
                if (!sw) {
                    continue;
                }
                if (sw->Version().major != sw->Bytes()[0x2000] ||
                    sw->BlockData(sw->BlockCount() - 1)[1] != sw->Version().major) {
                    mismatches++;
                }
            }
        });
    }
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(image.LoadSoftwareFile(files[i % 2]), norda::Status::Ok);
        image.SetTransferMode(i % 3 == 0);
    }
    stop = true;
    for (auto& t : workers) {
        t.join();
    }
    EXPECT_EQ(mismatches.load(), 0);
}

}  // namespace
}  // namespace norda::solvi
