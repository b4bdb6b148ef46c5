// "Kopyala" in the Qt program from one simulated radio into another.

#include <algorithm>
#include <fstream>
#include <iterator>

#include <QLineEdit>

#include "ombra/ops/TClientWin.h"
#include "ombra/ops/WriteRules.h"
#include "ombra/pages/TMaster.h"
#include "resources/OmbraControlIds.h"
#include "tests/support/WholeProgramFixture.h"
#include "tools/radiosim/ParamImage.h"

namespace norda::ombra {
namespace {

using CopyEndToEnd = test::WholeProgramFixture;

TEST_F(CopyEndToEnd, CopyAfterReadingAnotherRadioKeepsTheTargetsIdentity) {
    // Radio A on COM1 as radiosim makes it: serial number 24117, compander on, TDM off.
    // Radio B on COM2: serial number 1001, compander off, TDM on (it has the hardware),
    // and the four flags that a write clears set.
    sim::ParamMemory b = sim::GenerateParamMemory();
    b[0] = 0xD6;
    b[1] = 1001 >> 8;
    b[2] = 1001 & 0xFF;
    b[1419] |= 0x01;
    sim::WriteAreaChecksums(b);
    std::ofstream(dir_ / "b.bin", std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    StartRadio(1);
    StartRadio(2, {"--param-image", (dir_ / "b.bin").string()});

    test::WholeProgram program;
    TQtHost& host = program.host;
    TProgFrame& frame = program.frame;
    auto serial = [&] {
        return frame.Pages().Current()->Item<QLineEdit>(MasterIds::kSerialNo)->text().toStdString();
    };

    ASSERT_EQ(host.Reopen(1, 115200), Status::Ok);
    frame.Command(536);
    ASSERT_TRUE(RunUntil([&] { return frame.Pages().CurrentPage() == 1 || !messages_.empty(); }));
    ASSERT_TRUE(messages_.empty()) << messages_.front();
    ASSERT_EQ(serial(), "24117");
    ASSERT_EQ(host.Image()[0] & 0x0C, 0x08);

    ASSERT_EQ(host.Reopen(2, 115200), Status::Ok);
    frame.Command(539);
    ASSERT_TRUE(RunUntil([&] { return !messages_.empty(); }));
    ASSERT_EQ(messages_, std::vector<std::string>{"BİLGİ: Cihaz programlandı."});
    EXPECT_EQ(serial(), "1001") << "the page shows the radio as written";
    ASSERT_TRUE(RunUntil([&] { return host.Client().Quiescent(); }));
    // One record in the production log, for the radio as written.
    std::ifstream logFile(dir_ / "norda" / "production.csv");
    const std::string log((std::istreambuf_iterator<char>(logFile)), {});
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2) << log;
    EXPECT_NE(log.find(",ombra,"), std::string::npos) << log;
    EXPECT_NE(log.find(",2,copy,1001,"), std::string::npos) << log;
    EXPECT_NE(log.find(",811,Cihaz programlandı.,"), std::string::npos) << log;

    // Radio B read back.
    messages_.clear();
    frame.Command(536);
    ASSERT_TRUE(RunUntil([&] { return frame.Pages().CurrentPage() == 1 && !host.Reading(); }));
    const RadioImage& image = host.Image();
    EXPECT_EQ(image[1] << 8 | image[2], 1001);
    EXPECT_EQ(image[0] & 0x0C, 0x04) << "compander off and TDM on, as the radio had them";
    EXPECT_EQ(image[0] & 0xD2, 0) << "the write's cleared flags are still cleared";
    EXPECT_EQ(image[3] | image[4] << 8, WriteRules::PackDate(host.Today()));
    EXPECT_EQ(serial(), "1001");
}

}  // namespace
}  // namespace norda::ombra
