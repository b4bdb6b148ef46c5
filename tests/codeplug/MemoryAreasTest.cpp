#include "codeplug/MemoryAreas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "codeplug/Ctcss.h"
#include "codeplug/FrequencyCode.h"
#include "codeplug/RadioTexts.h"
#include "resources/StringTable.h"

namespace norda {
namespace {

// Every segment of a layout, as (byte, bit, count).
struct Seg {
    int32_t byte;
    int bit;
    int count;
};

std::vector<Seg> Segments(const std::string& layout) {
    std::vector<Seg> out;
    std::string_view text = layout;
    while (!text.empty()) {
        Seg s{};
        EXPECT_EQ(ParseSegment(text, s.byte, s.bit, s.count), kLayoutOk) << layout;
        out.push_back(s);
    }
    return out;
}

void SetVariable(const FieldBinding& b, uint32_t value) {
    switch (b.variableSize) {
        case 1: {
            auto v = static_cast<uint8_t>(value);
            std::memcpy(b.variable, &v, 1);
            break;
        }
        case 2: {
            auto v = static_cast<uint16_t>(value);
            std::memcpy(b.variable, &v, 2);
            break;
        }
        default:
            std::memcpy(b.variable, &value, 4);
    }
}

class CatalogueTest : public ::testing::Test {
  protected:
    void SetUp() override { BuildFieldList(list, params, image); }

    bool IsSink(const FieldBinding& b) const { return b.variable == &params.ReservedSink; }
    bool InsideAnArea(int address) const {
        for (const MemoryArea& a : kMemoryAreas) {
            if (address >= a.address && address < a.address + a.readLength) {
                return true;
            }
        }
        return false;
    }
    // Fills every bound variable with random bits of its width.
    void FillRandomly(uint32_t seed) {
        std::mt19937 rng(seed);
        for (const FieldBinding& b : list.Bindings()) {
            const uint32_t mask = b.width == 32 ? 0xFFFFFFFFu : (1u << b.width) - 1;
            SetVariable(b, rng() & mask);
        }
        params.ReservedSink = 0;
    }

    RadioParameters params;
    RadioImage image;
    FieldList list;
};

TEST(MemoryAreaTableTest, AreasLieWhereTheRadioKeepsThem) {
    struct Expected {
        const char* name;
        int address, read, write, sumStart, sumEnd;
    } expected[] = {
        {"Master", 0, 7, 7, 0, 5},
        {"Service", 8, 16, 16, 8, 22},
        {"Clone", 24, 1326, 1326, 24, 1333},
        {"User", 1352, 12, 24, 1355, 1362},
        {"TestAyar", 1400, 71, 0, 1400, 1469},
        {"ADATA", 1536, 212, 212, 1536, 1746},
        {"KSYS", 2016, 22, 22, 2016, 2036},
    };
    for (int i = 0; i < kAreaCount; ++i) {
        const MemoryArea& a = kMemoryAreas[i];
        EXPECT_EQ(static_cast<int>(a.id), i);
        EXPECT_STREQ(a.name, expected[i].name);
        EXPECT_EQ(a.address, expected[i].address) << a.name;
        EXPECT_EQ(a.readLength, expected[i].read) << a.name;
        EXPECT_EQ(a.writeLength, expected[i].write) << a.name;
        EXPECT_EQ(a.checksumStart, expected[i].sumStart) << a.name;
        EXPECT_EQ(a.checksumEnd, expected[i].sumEnd) << a.name;
        EXPECT_LE(a.checksumEnd + 2, a.address + a.readLength) << a.name;
        EXPECT_LE(a.address + std::max(a.readLength, a.writeLength), RadioImage::kSize);
        if (i > 0) {
            const MemoryArea& prev = kMemoryAreas[i - 1];
            EXPECT_LE(prev.address + std::max(prev.readLength, prev.writeLength), a.address);
        }
    }
    EXPECT_EQ(ChannelRecordStart(1), 46);
    EXPECT_EQ(ChannelRecordStart(99) + kChannelRecordSize - 1, 1332);
}

TEST(MemoryAreaTableTest, UnprogrammedMessagesAreTheRadioTexts) {
    const StringTable& texts = OmbraTurkishStrings();
    EXPECT_EQ(texts.Text(Area(AreaId::Master).unprogrammedTextId),
              "Cihazın SABİT alanı programsız!");
    EXPECT_EQ(texts.Text(Area(AreaId::Service).unprogrammedTextId),
              "Cihazın SERVİS alanı programsız!");
    EXPECT_EQ(texts.Text(Area(AreaId::Clone).unprogrammedTextId),
              "Cihazın AKTARMA alanı programsız!");
    EXPECT_EQ(texts.Text(Area(AreaId::User).unprogrammedTextId),
              "Cihazın KULLANICI alanı programsız!");
    EXPECT_EQ(texts.Text(Area(AreaId::TestAyar).unprogrammedTextId),
              "Cihazın TEST-AYAR alanı programsız\nMERIX yazılımı kullanılmalıdır.");
    EXPECT_EQ(Area(AreaId::ADATA).unprogrammedTextId, 0);
    EXPECT_EQ(texts.Text(Area(AreaId::KSYS).unprogrammedTextId), "Telsizin KSYS alanı programsız!");
}

TEST_F(CatalogueTest, EveryParameterIsBoundOnceWithAConsistentWidth) {
    // Every byte of the area groups belongs to a parameter, so counting bound bytes
    // shows that no parameter was left out.
    static_assert(std::has_unique_object_representations_v<MasterParameters> &&
                  std::has_unique_object_representations_v<ServiceParameters> &&
                  std::has_unique_object_representations_v<CloneParameters> &&
                  std::has_unique_object_representations_v<UserParameters> &&
                  std::has_unique_object_representations_v<TestAyarParameters> &&
                  std::has_unique_object_representations_v<AdataParameters> &&
                  std::has_unique_object_representations_v<KsysParameters>);
    std::set<const void*> seen;
    size_t boundBytes = sizeof params.ReservedSink;
    for (const FieldBinding& b : list.Bindings()) {
        int total = 0;
        for (const Seg& s : Segments(b.layout)) {
            total += s.count;
        }
        EXPECT_EQ(total, b.width) << b.layout;
        if (IsSink(b)) {
            EXPECT_LE(b.width, 3) << b.layout;
            continue;
        }
        EXPECT_TRUE(seen.insert(b.variable).second) << "bound twice: " << b.layout;
        boundBytes += static_cast<size_t>(b.variableSize);
        const auto* p = static_cast<const char*>(b.variable);
        const auto* base = reinterpret_cast<const char*>(&params);
        EXPECT_TRUE(p >= base && p + b.variableSize <= base + sizeof params) << b.layout;
    }
    EXPECT_EQ(boundBytes, sizeof(MasterParameters) + sizeof(ServiceParameters) +
                              sizeof(CloneParameters) + sizeof(UserParameters) +
                              sizeof(TestAyarParameters) + sizeof(AdataParameters) +
                              sizeof(KsysParameters) + sizeof params.ReservedSink);
}

TEST_F(CatalogueTest, BindingsCoverEveryAreaBitOnceExceptTheUnusedOnes) {
    std::map<int, uint8_t> covered;
    std::vector<int> areaOfBinding;
    for (const FieldBinding& b : list.Bindings()) {
        int area = -1;
        for (const Seg& s : Segments(b.layout)) {
            ASSERT_TRUE(InsideAnArea(s.byte)) << b.layout;
            const auto bits = static_cast<uint8_t>(((1u << s.count) - 1) << (s.bit - s.count + 1));
            EXPECT_EQ(covered[s.byte] & bits, 0) << "overlap at " << b.layout;
            covered[s.byte] = static_cast<uint8_t>(covered[s.byte] | bits);
            for (int i = 0; i < kAreaCount; ++i) {
                if (s.byte >= kMemoryAreas[i].address &&
                    s.byte < kMemoryAreas[i].address + kMemoryAreas[i].readLength) {
                    area = i;
                }
            }
        }
        areaOfBinding.push_back(area);
    }
    const std::map<int, uint8_t> unused = {{1347, 0xF8}, {1459, 0xF0}, {2025, 0xFE}};
    for (const MemoryArea& a : kMemoryAreas) {
        for (int addr = a.address; addr < a.address + a.readLength; ++addr) {
            const auto it = unused.find(addr);
            const uint8_t expected = it == unused.end() ? 0xFF : static_cast<uint8_t>(~it->second);
            EXPECT_EQ(covered[addr], expected) << a.name << " byte " << addr;
        }
    }
    EXPECT_TRUE(std::is_sorted(areaOfBinding.begin(), areaOfBinding.end()));
}

TEST_F(CatalogueTest, EveryLayoutRoundTrips) {
    for (uint32_t seed : {1u, 2u, 3u}) {
        FillRandomly(seed);
        const RadioParameters sent = params;
        ASSERT_EQ(list.Encode(), kLayoutOk);
        params = RadioParameters{};
        params.ReservedSink = 0x00A5;  // decoding the zero reserved bits clears it
        ASSERT_EQ(list.Decode(), kLayoutOk);
        EXPECT_EQ(params, sent) << "seed " << seed;
        for (int addr = 0; addr < RadioImage::kSize; ++addr) {
            if (!InsideAnArea(addr)) {
                ASSERT_EQ(image[addr], 0) << "byte " << addr;
            }
        }
    }
}

TEST_F(CatalogueTest, ReservedBitsGoOutAsZeroOnceTheSinkIsCleared) {
    image.bytes.fill(0xFF);
    ASSERT_EQ(list.Decode(), kLayoutOk);
    EXPECT_NE(params.ReservedSink & 0xFF, 0);
    params.ReservedSink = static_cast<int16_t>(params.ReservedSink & 0xFF00);
    ASSERT_EQ(list.Encode(), kLayoutOk);
    EXPECT_EQ(image[0] & 0x01, 0);
    EXPECT_EQ(image[38] & 0xE0, 0);
    EXPECT_EQ(image[1356] & 0xE0, 0);
    EXPECT_EQ(image[1419] & 0x80, 0);
    for (int n = 1; n <= kChannelCount; ++n) {
        const int s = ChannelRecordStart(n);
        ASSERT_EQ(image[s + 2] & 0xC0, 0) << "channel " << n;
        ASSERT_EQ(image[s + 12] & 0x80, 0) << "channel " << n;
    }
    EXPECT_EQ(image[1347], 0x07);
    EXPECT_EQ(image[2025], 0x01);
}

TEST_F(CatalogueTest, ChecksumsCloseEveryArea) {
    FillRandomly(7);
    ASSERT_EQ(list.Encode(), kLayoutOk);
    WriteAllChecksums(image);
    for (const MemoryArea& a : kMemoryAreas) {
        EXPECT_TRUE(AreaChecksumMatches(image, a)) << a.name;
    }
    ASSERT_EQ(list.Decode(), kLayoutOk);
    EXPECT_EQ(static_cast<uint16_t>(params.Clone.Checksum), AreaSum(image, 24, 1333));
    EXPECT_EQ(static_cast<uint16_t>(params.KSYS.Checksum), AreaSum(image, 2016, 2036));
    // Bytes outside the sum may change without breaking it.
    image[1335] ^= 0xFF;
    image[1352] ^= 0xFF;
    EXPECT_TRUE(AreaChecksumMatches(image, Area(AreaId::Clone)));
    EXPECT_TRUE(AreaChecksumMatches(image, Area(AreaId::User)));
    image[1332] ^= 0x01;
    EXPECT_FALSE(AreaChecksumMatches(image, Area(AreaId::Clone)));
}

TEST_F(CatalogueTest, ChannelFieldsLandWhereTheRadioReadsThem) {
    ChannelRecord& k1 = params.Clone.Kanal[0];
    k1.Hprf = 1;
    k1.TotVar = 1;
    k1.TxFreq = 0x1234;
    k1.TxTCS = 37;
    std::memcpy(k1.KanalAdi, "KN 1    ", 8);
    params.Clone.Scan[8] = 1;
    params.Clone.Scan[98] = 1;
    ASSERT_EQ(list.Encode(), kLayoutOk);
    EXPECT_EQ(image[46], 0xC0 | (0x12 & 0x3F));
    EXPECT_EQ(image[47], 0x34);
    const int toneBits[] = {1, 0, 0, 1, 0, 1};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(image[52 + i] >> 7, toneBits[i]) << "byte " << 52 + i;
    }
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(image[51 + c] & 0x7F, "KN 1    "[c]) << "character " << c + 1;
    }
    EXPECT_EQ(image[1336], 0x01);
    EXPECT_EQ(image[1347], 0x04);
    EXPECT_EQ(ScanFlagByte(9), 1336);
    EXPECT_EQ(ScanFlagBit(99), 2);
}

TEST_F(CatalogueTest, DigitNumbersAndTheProgrammingDate) {
    const int16_t ani[6] = {1, 2, 3, 4, 5, 6};
    std::memcpy(params.Service.ANINo, ani, sizeof ani);
    const int16_t sc[6] = {1, 2, 15, 15, 15, 15};
    std::memcpy(params.Service.SecmeliCagriNo, sc, sizeof sc);
    params.Master.ProgTarihi = (15 << 11) | (3 << 7) | (2001 - 1994);
    ASSERT_EQ(list.Encode(), kLayoutOk);
    EXPECT_EQ(image[13], 0x21);
    EXPECT_EQ(image[12], 0x43);
    EXPECT_EQ(image[11], 0x65);
    EXPECT_EQ(image[16], 0x21);
    EXPECT_EQ(image[15], 0xFF);
    EXPECT_EQ(image[14], 0xFF);
    EXPECT_EQ(params.Master.ProgTarihi, 0x7987);
    EXPECT_EQ(image[3], 0x87);
    EXPECT_EQ(image[4], 0x79);
}

// The transfer reads a few fields straight from an image; they must be where the field
// list writes them.
TEST_F(CatalogueTest, FieldsReadWithoutDecodingAgreeWithTheFieldList) {
    params.Master.ProgTarihi = 0x7987;
    params.TestAyar.HalfBaseChan = 5840;
    for (int options : {0x00, 0x10, 0x2B, 0x7F}) {
        TestAyarParameters& t = params.TestAyar;
        int16_t* flags[] = {&t.HwTDM,  &t.HwNotHandheld, &t.HwFlag2,  &t.HwCrypto,
                            &t.HwKSYS, &t.HwRepeater,    &t.HwCrypto2};
        for (int bit = 0; bit < 7; ++bit)
            *flags[bit] = (options >> bit) & 1;
        ASSERT_EQ(list.Encode(), kLayoutOk);
        EXPECT_EQ(ProgrammingDate(image), 0x7987);
        EXPECT_EQ(RadioBand(image), 5840);
        EXPECT_EQ(HasKsysHardware(image), t.HwKSYS == 1) << options;
        TestAyarParameters decoded;
        DecodeHardwareOptions(image, decoded);
        const int16_t* got[] = {&decoded.HwTDM,    &decoded.HwNotHandheld, &decoded.HwFlag2,
                                &decoded.HwCrypto, &decoded.HwKSYS,        &decoded.HwRepeater,
                                &decoded.HwCrypto2};
        for (int bit = 0; bit < 7; ++bit)
            EXPECT_EQ(*got[bit], *flags[bit]) << options << " bit " << bit;
    }
}

// A hand-made image, each value placed from the memory map, decoded field by field.
TEST_F(CatalogueTest, DecodesAKnownImage) {
    auto set = [&](int addr, std::initializer_list<uint8_t> bytes) {
        for (uint8_t b : bytes) {
            image[addr++] = b;
        }
    };
    params.Service.CloneKey = 0x7700;  // high byte survives an 8-bit field
    set(0, {0x2C, 0x12, 0x34, 0x87, 0x79});
    set(8, {0x03, 0x02, 0xC8, 0x65, 0x43, 0x21});
    set(20, {0x81, 0x73});
    set(24, {0xC3, 0x85, 0x2A, 0xF5, 0x46, 0x3C});
    set(38, {0x96});
    // Channel 1: receive code 0x2ABC, receive tone 33, name "AB......".
    set(48, {0xEA, 0xBC, 0xA1, 0x41, 0x42});
    set(1320 + 12, {0xDA});  // channel 99, reserved bit and character 8 'Z'
    set(1348, {12, 34});
    set(1352, {0x01, 0x02, 0x03, 0x21, 0x06});
    set(1400, {'N', 'R', '1'});
    set(1416, {0x12, 0x34, 0x56, 0x12, 0x16, 0xD0});
    set(1459, {0xFA});
    set(1536, {0x07, 0x01, 0x02});
    set(1552, {0xBE, 0xEF});
    set(1745, {'Q'});
    set(2016, {0xFF, 0xFE, 0x09, 0x3F, 0xFF});
    set(2025, {0xFF});
    set(2035, {0x0A});
    ASSERT_EQ(list.Decode(), kLayoutOk);

    EXPECT_EQ(params.Master.SabitMerkez, 1);
    EXPECT_EQ(params.Master.Compander, 1);
    EXPECT_EQ(params.Master.TDM, 1);
    EXPECT_EQ(params.Master.Flag1, 0);
    EXPECT_EQ(params.Master.SeriNo, 0x1234);
    EXPECT_EQ(params.Master.ProgTarihi, 0x7987);

    EXPECT_EQ(params.Service.ProgVersionMinor, 3);
    EXPECT_EQ(params.Service.ProgVersionMajor, 2);
    EXPECT_EQ(params.Service.CloneKey, 0x77C8);
    EXPECT_EQ(params.Service.ANINo[0], 1);
    EXPECT_EQ(params.Service.ANINo[5], 6);
    EXPECT_EQ(params.Service.MarineRadio, 1);
    EXPECT_EQ(params.Service.MonitorDisabled, 0);
    EXPECT_EQ(params.Service.VOXExists, 1);
    EXPECT_EQ(params.Service.HPIndex, 7);
    EXPECT_EQ(params.Service.LPIndex, 3);

    EXPECT_EQ(params.Clone.Language, 1);
    EXPECT_EQ(params.Clone.PowerSave, 1);
    EXPECT_EQ(params.Clone.DigerMenu, 0);
    EXPECT_EQ(params.Clone.TonStandardi, 3);
    EXPECT_EQ(params.Clone.AcilCagri, 1);
    EXPECT_EQ(params.Clone.AcilCagriKanali, 5);
    EXPECT_EQ(params.Clone.ANITipi, 2);
    EXPECT_EQ(params.Clone.TxDelay, 10);
    EXPECT_EQ(params.Clone.ExtendedTon, 15);
    EXPECT_EQ(params.Clone.TonLength, 5);
    EXPECT_EQ(params.Clone.UserSelectedDig, 4);
    EXPECT_EQ(params.Clone.ScanDelay, 6);
    EXPECT_EQ(params.Clone.Tot, 3);
    EXPECT_EQ(params.Clone.RekeyDelay, 12);
    EXPECT_EQ(params.Clone.ExtInputModem, 1);
    EXPECT_EQ(params.Clone.BusyChanMode, 0);
    EXPECT_EQ(params.Clone.SQTDEL, 6);
    const ChannelRecord& k1 = params.Clone.Kanal[0];
    EXPECT_EQ(k1.RxFreq, 0x2ABC);
    EXPECT_EQ(k1.ANIVar, 1);
    EXPECT_EQ(k1.ShiftFlag, 0);
    EXPECT_EQ(k1.RxTCS, 33);
    EXPECT_EQ(k1.TxTCSOn, 0);
    EXPECT_EQ(k1.KanalAdi[0], 'A');
    EXPECT_EQ(k1.KanalAdi[1], 'B');
    EXPECT_EQ(params.Clone.Kanal[98].KanalAdi[7], 'Z');
    EXPECT_EQ(params.Clone.PriorChannel1, 12);
    EXPECT_EQ(params.Clone.PriorChannel2, 34);

    EXPECT_EQ(params.User.Value24, 0x010203);
    EXPECT_EQ(params.User.lightsoff, 1);
    EXPECT_EQ(params.User.warningoff, 0);
    EXPECT_EQ(params.User.invdisplay, 1);
    EXPECT_EQ(params.User.Kept1356_2, 3);
    EXPECT_EQ(params.User.Kept1356_0, 0);

    EXPECT_EQ(params.TestAyar.CihazVersiyonNo[2], '1');
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(params.TestAyar.UretimSiraNo[i], i + 1);
    }
    EXPECT_EQ(params.TestAyar.HwNotHandheld, 1);
    EXPECT_EQ(params.TestAyar.HwKSYS, 1);
    EXPECT_EQ(params.TestAyar.HwTDM, 0);
    EXPECT_EQ(params.TestAyar.HalfBaseChan, 5840);
    const int16_t flags1459[4] = {1, 0, 1, 0};
    EXPECT_EQ(0, std::memcmp(params.TestAyar.Flags1459, flags1459, sizeof flags1459));

    EXPECT_EQ(params.ADATA.SYSID, 7);
    EXPECT_EQ(params.ADATA.FLEETID, 0x0102);
    EXPECT_EQ(static_cast<uint16_t>(params.ADATA.GRUP[4]), 0xBEEF);
    EXPECT_EQ(params.ADATA.STATUS[23][7], 'Q');

    EXPECT_EQ(static_cast<uint16_t>(params.KSYS.SYSID), 0xFFFE);
    EXPECT_EQ(params.KSYS.SMTIDENT, 9);
    EXPECT_EQ(params.KSYS.RxFreq, kNoFrequencyCode);
    EXPECT_EQ(params.KSYS.YuksekGuc, 1);
    EXPECT_EQ(params.KSYS.GrupNo[9], 10);
}

TEST(ProcessCodeplugTest, TheProcessObjectsWorkTogether) {
    BuildFieldList(ProcessImage());
    EXPECT_EQ(ProcessFieldList().Image(), &ProcessImage());
    ProcessParameters() = RadioParameters{};
    ProcessParameters().KSYS.SYSID = 0x1234;
    ASSERT_EQ(EncodeImage(), kLayoutOk);
    WriteAllChecksums();
    EXPECT_EQ(ProcessImage()[2016], 0x12);
    EXPECT_TRUE(AreaChecksumMatches(ProcessImage(), Area(AreaId::KSYS)));
    ProcessParameters().KSYS.SYSID = 0;
    ASSERT_EQ(DecodeImage(), kLayoutOk);
    EXPECT_EQ(ProcessParameters().KSYS.SYSID, 0x1234);
    EXPECT_EQ(WriteAreaChecksum(0, 5), kChecksumOk);
    FreeFieldList();
    EXPECT_TRUE(ProcessFieldList().Bindings().empty());
    ProcessParameters() = RadioParameters{};
    ProcessImage().Clear();
}

TEST(CtcssTest, TableAndLookUp) {
    EXPECT_EQ(CtcssTone(0), 0);
    EXPECT_EQ(CtcssTone(1), 67);
    EXPECT_EQ(CtcssTone(37), 241);
    EXPECT_EQ(CtcssTone(39), 69);
    EXPECT_EQ(CtcssTone(50), 254);
    EXPECT_EQ(CtcssTone(51), 0);
    EXPECT_EQ(CtcssTone(64), 0);
    EXPECT_EQ(CtcssTone(65), 0);
    EXPECT_EQ(CtcssTone(-1), 0);
    for (int code = 1; code <= kCtcssToneCount; ++code) {
        EXPECT_EQ(CtcssCode(CtcssTone(code)), code);
    }
    EXPECT_EQ(CtcssCode(0), 0);
    EXPECT_EQ(CtcssCode(68), 0);
}

TEST(FrequencyCodeTest, CodesAreStepsAboveTheBand) {
    EXPECT_EQ(BandBaseHz(5840), 146000000);
    EXPECT_EQ(FrequencyCodeToHz(5, 5840), 146012500);
    EXPECT_EQ(HzToFrequencyCode(146012500, 5840), 5);
    EXPECT_EQ(HzToFrequencyCode(146012490, 5840), 4);
    EXPECT_EQ(FrequencyCodeToHz(kNoFrequencyCode, 5840), 0);
    EXPECT_EQ(HzToFrequencyCode(0, 5840), kNoFrequencyCode);
    EXPECT_EQ(BandBaseHz(-1), 65535LL * 25000);  // 0xFFFF held in a signed variable
}

TEST(RadioTextsTest, KindHardwareAndBand) {
    RadioParameters p;
    EXPECT_EQ(RadioKindTextId(p), 848);
    p.TestAyar.HwRepeater = 1;
    EXPECT_EQ(RadioKindTextId(p), 848);  // a handheld stays a handheld
    p.TestAyar.HwNotHandheld = 1;
    EXPECT_EQ(RadioKindTextId(p), 849);
    p.TestAyar.HwRepeater = 0;
    p.Master.SabitMerkez = 1;
    EXPECT_EQ(RadioKindTextId(p), 850);
    p.Master.SabitMerkez = 0;
    EXPECT_EQ(RadioKindTextId(p), 851);

    EXPECT_EQ(HardwareTextId(p), 856);
    p.TestAyar.HwKSYS = 1;
    EXPECT_EQ(HardwareTextId(p), 855);
    p.TestAyar.HwTDM = 1;
    EXPECT_EQ(HardwareTextId(p), 854);
    p.TestAyar.HwCrypto2 = 1;
    EXPECT_EQ(HardwareTextId(p), 853);
    p.TestAyar.HwCrypto = 1;
    EXPECT_EQ(HardwareTextId(p), 852);

    EXPECT_EQ(BandText(5840), "VHF 146 - 174");
    EXPECT_EQ(BandText(16240), "UHF 406 - 430");
    EXPECT_EQ(BandText(17200), "UHF 430 - 450");
    EXPECT_EQ(BandText(18000), "UHF 450 - 470");
    EXPECT_EQ(BandText(8800), "220 - 250");
}

}  // namespace
}  // namespace norda
