// OMBRA on a desktop whose locale writes numbers with a decimal comma.

#include <clocale>
#include <string>

#include <QLineEdit>
#include <QLocale>

#include "resources/OmbraControlIds.h"
#include "tests/support/WholeProgramFixture.h"

namespace norda::ombra {
namespace {

class TurkishDesktop : public test::WholeProgramFixture {
  protected:
    void SetUp() override {
        WholeProgramFixture::SetUp();
        oldLocale_ = std::setlocale(LC_ALL, nullptr);
        oldQtLocale_ = QLocale();
        if (std::setlocale(LC_ALL, "tr_TR.UTF-8") == nullptr)
            GTEST_SKIP() << "the tr_TR.UTF-8 locale is not installed (scripts/test.sh makes it)";
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    }
    void TearDown() override {
        std::setlocale(LC_ALL, oldLocale_.c_str());
        QLocale::setDefault(oldQtLocale_);
        WholeProgramFixture::TearDown();
    }

    std::string oldLocale_;
    QLocale oldQtLocale_;
};

TEST_F(TurkishDesktop, PagesOfAReadAreLeftAndAHalfSecondScanDelayIsWritten) {
    StartRadio();
    test::WholeProgram program;
    TQtHost& host = program.host;
    TProgFrame& frame = program.frame;
    ASSERT_EQ(host.Reopen(1, 115200), Status::Ok);
    auto scanDelay = [&] { return frame.Pages().Current()->Item<QLineEdit>(CloneIds::kScanDelay); };

    frame.Command(536);
    ASSERT_TRUE(RunUntil([&] { return frame.Pages().CurrentPage() == 1 || !messages_.empty(); }));
    ASSERT_TRUE(messages_.empty()) << messages_.front();

    // Every page the read filled can be left as it is: round the fifteen and back to 1.
    for (int page = 2; page <= 16; ++page) {
        frame.Command(502);
        ASSERT_EQ(frame.Pages().CurrentPage(), page == 16 ? 1 : page)
            << (messages_.empty() ? "" : messages_.back());
        if (page == 3) {
            EXPECT_EQ(scanDelay()->text().toStdString(), "2.0");
        }
    }
    ASSERT_TRUE(messages_.empty()) << messages_.front();

    frame.Command(505);
    scanDelay()->setText("8");
    frame.Command(502);
    EXPECT_EQ(frame.Pages().CurrentPage(), 3);
    EXPECT_EQ(messages_,
              std::vector<std::string>{"HATA: Değer 0 ile 7.5 arasında olmalıdır. Basamak = 0.5"});

    scanDelay()->setText("3.5");
    messages_.clear();
    frame.Command(538);
    ASSERT_TRUE(RunUntil([&] { return !messages_.empty(); }));
    ASSERT_EQ(messages_, std::vector<std::string>{"BİLGİ: Cihaz programlandı."});
    ASSERT_TRUE(RunUntil([&] { return host.Client().Quiescent(); }));

    messages_.clear();
    frame.Command(536);
    ASSERT_TRUE(RunUntil([&] { return frame.Pages().CurrentPage() == 1 && !host.Reading(); }));
    EXPECT_EQ(host.Image()[28] & 0x0F, 7) << "3.5 s in half seconds, as the radio keeps it";
    frame.Command(505);
    EXPECT_EQ(scanDelay()->text().toStdString(), "3.5");
}

}  // namespace
}  // namespace norda::ombra
