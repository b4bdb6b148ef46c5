// Files made by S-record tools that nobody here wrote, from random data at chosen
// addresses: the loaded picture and block list must match the binary exactly.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>

#include "SRecordTestUtil.h"
#include "solvi/core/SoftwareImage.h"

namespace norda::solvi {
namespace {

bool HaveTool(const char* tool) {
    std::string probe = std::string("command -v ") + tool + " >/dev/null 2>&1";
    return std::system(probe.c_str()) == 0;
}

struct Piece {
    uint32_t address;
    std::vector<uint8_t> bytes;
};

class SRecordTools : public ::testing::Test {
  protected:
    Piece RandomPiece(uint32_t address, std::size_t size) {
        Piece p{address, std::vector<uint8_t>(size)};
        std::uniform_int_distribution<int> byte(0, 255);
        for (auto& b : p.bytes) {
            b = static_cast<uint8_t>(byte(rng_));
        }
        // A whole erased block inside the data: it must not be written.
        if (size > 0x200) {
            std::fill(p.bytes.begin() + 0x100, p.bytes.begin() + 0x180, 0xFF);
        }
        return p;
    }

    std::string WriteBinary(const Piece& p, const std::string& name) {
        std::ofstream(dir_.File(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(p.bytes.data()),
                   static_cast<std::streamsize>(p.bytes.size()));
        return dir_.File(name).string();
    }

    std::string Run(const std::string& command, const std::string& out) {
        std::string full = command + " 2>" + dir_.File("stderr").string();
        EXPECT_EQ(std::system(full.c_str()), 0) << full;
        return dir_.File(out).string();
    }

    // What the radio must end up with: the pieces on erased flash, the header's code
    // checksum and flag byte as the loader sets them, blocks in writing order.
    static void ExpectMatches(const LoadedSoftware& sw, const std::vector<Piece>& pieces) {
        std::vector<uint8_t> want(LoadedSoftware::kFlashSize, 0xFF);
        for (const auto& p : pieces) {
            std::copy(p.bytes.begin(), p.bytes.end(), want.begin() + p.address);
        }
        uint16_t sum = 0;
        for (uint32_t a = 0x2000; a < 0x10000; ++a) {
            sum = static_cast<uint16_t>(sum + want[a]);
        }
        want[0x10003] = static_cast<uint8_t>(sum >> 8);
        want[0x10004] = static_cast<uint8_t>(sum);
        want[0x100FF] = 0xFF;
        std::vector<uint32_t> blocks;
        for (uint32_t a = 0; a < LoadedSoftware::kFlashSize; a += 128) {
            bool erased = std::all_of(want.begin() + a, want.begin() + a + 128,
                                      [](uint8_t b) { return b == 0xFF; });
            if (!erased && a != 0x10000 && a != 0x10080) {
                blocks.push_back(a);
            }
        }
        blocks.push_back(0x10080);
        blocks.push_back(0x10000);

        ASSERT_TRUE(std::equal(want.begin(), want.end(), sw.Bytes().begin()));
        EXPECT_EQ(sw.Blocks(), blocks);
        EXPECT_EQ(sw.Version().checksum, sum);
    }

    std::mt19937 rng_{20240611};
    test::TempDir dir_;
    SoftwareImage image_;
};

TEST_F(SRecordTools, SrecCatS2RecordsWithS8End) {
    if (!HaveTool("srec_cat")) {
        GTEST_SKIP() << "srec_cat (package srecord) not installed";
    }
    auto code = RandomPiece(0x1000, 5000);
    auto header = RandomPiece(0xFF00, 0x400);  // runs across the header blocks
    auto top = RandomPiece(0x1FF00, 0x100);
    std::string cmd = "srec_cat " + WriteBinary(code, "a.bin") + " -binary -offset 0x1000 " +
                      WriteBinary(header, "b.bin") + " -binary -offset 0xFF00 " +
                      WriteBinary(top, "c.bin") + " -binary -offset 0x1FF00 -o " +
                      dir_.File("out.s28").string() +
                      " -motorola -address-length=3 -header HDR -line_termination=crlf"
                      " -disable=data_count -execution_start_address=0x1000";
    ASSERT_EQ(image_.LoadSoftwareFile(Run(cmd, "out.s28")), Status::Ok);
    ExpectMatches(*image_.Current(), {code, header, top});
}

// What srec_cat writes on Linux when told nothing more: LF line ends, a record count, and
// no end record unless a start address is given.
TEST_F(SRecordTools, SrecCatDefaultOutputLoadsAndALostLineIsNamed) {
    if (!HaveTool("srec_cat")) {
        GTEST_SKIP() << "srec_cat (package srecord) not installed";
    }
    auto code = RandomPiece(0x1000, 3000);
    auto top = RandomPiece(0x1FF00, 0x100);
    const std::string in = WriteBinary(code, "a.bin") + " -binary -offset 0x1000 " +
                           WriteBinary(top, "b.bin") + " -binary -offset 0x1FF00 -o ";
    for (const char* start : {"", " -execution_start_address=0x1000"}) {
        const std::string out =
            Run("srec_cat " + in + dir_.File("out.s28").string() + " -motorola" + start, "out.s28");
        ASSERT_EQ(image_.LoadSoftwareFile(out), Status::Ok) << start;
        ExpectMatches(*image_.Current(), {code, top});
    }

    // A file that lost a line on its way here: the count record says so.
    std::ifstream whole(dir_.File("out.s28"));
    std::string text, line;
    for (int n = 1; std::getline(whole, line); ++n) {
        if (n != 3) {
            text += line + "\n";
        }
    }
    const std::string cut = dir_.Write("cut.s28", text);
    ASSERT_EQ(image_.LoadSoftwareFile(cut), Status::BadFormat);
    EXPECT_EQ(image_.LastFormatError().reason, FormatError::Reason::CountMismatch);
    EXPECT_EQ(image_.LastFormatError().value, image_.LastFormatError().found + 1);
}

TEST_F(SRecordTools, ObjcopyS1AndS2Files) {
    if (!HaveTool("objcopy")) {
        GTEST_SKIP() << "objcopy (package binutils) not installed";
    }
    // Below 64 KiB objcopy writes S1/S9, above it S2/S8.
    for (uint32_t address : {0x0100u, 0x0E000u, 0x18000u}) {
        auto piece = RandomPiece(address, 0x1800);
        std::string cmd =
            "objcopy -I binary -O srec --change-addresses=" + std::to_string(address) + " " +
            WriteBinary(piece, "in.bin") + " " + dir_.File("out.srec").string();
        ASSERT_EQ(image_.LoadSoftwareFile(Run(cmd, "out.srec")), Status::Ok) << std::hex << address;
        ExpectMatches(*image_.Current(), {piece});
        EXPECT_EQ(image_.FileName(), "out");
    }
}

}  // namespace
}  // namespace norda::solvi
