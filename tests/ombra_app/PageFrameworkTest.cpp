#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "codeplug/Validators.h"
#include "ombra/pages/TMessageDlg.h"
#include "ombra/pages/TPageDispatcher.h"
#include "resources/OmbraControlIds.h"
#include "ui/ValidatorCheck.h"

namespace norda::ombra {
namespace {

const ResourceModule& Turkish() {
    static auto module = ResourceModule::BuiltIn(OmbraBuiltinResources());
    return *module;
}

// A page on the port dialog's template: its port edit holds a value 1..128.
class TRangePage final : public TDataDlg {
  public:
    static constexpr int kEdit = SerialPortIds::kPort;

    TRangePage(QWidget* parent, bool modal, int& value)
        : TDataDlg(parent, SerialPortIds::kDialog, Turkish(), modal, modal, modal), value_(value) {
        Bind(kEdit, std::make_unique<TValidatorCheck>(std::make_unique<TLRangeValidator>(1, 128)),
             3);
    }
    void TransferToDialog() override { Item<QLineEdit>(kEdit)->setText(QString::number(value_)); }
    void TransferFromDialog() override { value_ = Item<QLineEdit>(kEdit)->text().toInt(); }
    QLineEdit* Edit() const { return Item<QLineEdit>(kEdit); }

  private:
    int& value_;
};

class PageFramework : public ::testing::Test {
  protected:
    void SetUp() override {
        TMessageDlg::SetResponder([this](const TMessageDlg::Record& r) {
            messages.push_back(r);
            return 1;
        });
    }
    void TearDown() override { TMessageDlg::SetResponder(nullptr); }
    std::vector<TMessageDlg::Record> messages;
};

void Key(QWidget& w, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &press);
}

TEST_F(PageFramework, EnterAndEscapeNeverCloseAPage) {
    QWidget client;
    client.resize(500, 400);
    int value = 7;
    TRangePage page(&client, false, value);
    page.Create();
    client.show();
    ASSERT_TRUE(page.isVisible());
    Key(page, Qt::Key_Return);
    Key(page, Qt::Key_Escape);
    page.Command(1);
    page.Command(2);
    EXPECT_TRUE(page.isVisible());
    EXPECT_FALSE(page.isWindow());
    // Centred in the client area.
    EXPECT_EQ(page.x(), 250 - page.width() / 2);
}

TEST_F(PageFramework, InvalidValueKeepsThePageAndTheVariable) {
    int value = 7;
    TRangePage page(nullptr, false, value);
    page.Create();
    EXPECT_EQ(page.Edit()->text(), "7");
    EXPECT_EQ(page.Edit()->maxLength(), 3);
    page.Edit()->setText("200");
    EXPECT_FALSE(page.CanLeave());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Değer 1 ile 128 arasında olmalıdır.");
    EXPECT_EQ(messages[0].caption, "HATA");
    EXPECT_EQ(messages[0].style, 48);
    EXPECT_EQ(value, 7);
    page.Edit()->setText("12");
    EXPECT_TRUE(page.CanLeave());
    EXPECT_EQ(value, 12);
}

TEST_F(PageFramework, TypingFilterRefusesWhatTheValidatorCannotTake) {
    int value = 7;
    TRangePage page(nullptr, false, value);
    page.Create();
    QString text = "1a";
    int pos = 2;
    EXPECT_EQ(page.Edit()->validator()->validate(text, pos), QValidator::Invalid);
    text = "-1";
    EXPECT_EQ(page.Edit()->validator()->validate(text, pos), QValidator::Invalid);
    text = "12";
    EXPECT_NE(page.Edit()->validator()->validate(text, pos), QValidator::Invalid);
}

TEST_F(PageFramework, ModalOkClosesOnlyWithValidInput) {
    int value = 5;
    TRangePage dlg(nullptr, true, value);
    TDataDlg::SetExecuteHook([](TDataDlg& d) {
        auto& page = static_cast<TRangePage&>(d);
        page.Edit()->setText("0");
        page.Command(1);
        EXPECT_EQ(page.result(), 0);
        page.Edit()->setText("99");
        Key(page, Qt::Key_Return);
        return page.result();
    });
    EXPECT_EQ(dlg.Execute(), 1);
    TDataDlg::SetExecuteHook(nullptr);
    EXPECT_EQ(value, 99);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(PageFramework, ChannelPagesShareOneSlotAndAreRecreated) {
    QWidget client;
    TPageDispatcher pages(&client);
    pages.SetModule(&Turkish());
    std::vector<int> firstChannels;
    pages.Register(
        kKindChannel, [&](QWidget* parent, const ResourceModule& module, const PageInfo& info) {
            firstChannels.push_back(info.firstChannel);
            return std::make_unique<TDataDlg>(parent, info.dialogId, module, false, false, false);
        });
    EXPECT_TRUE(pages.CanLeavePage());
    pages.OpenPage(8);
    TDataDlg* first = pages.Current();
    ASSERT_NE(first, nullptr);
    pages.ClosePage();
    EXPECT_EQ(pages.CurrentPage(), kPageNoneShown);
    EXPECT_EQ(pages.Slot(kKindChannel), nullptr);
    pages.OpenPage(9);
    EXPECT_EQ(firstChannels, (std::vector<int>{41, 51}));
    EXPECT_EQ(pages.Current(), pages.Slot(kKindChannel));
    pages.ClosePage();
    pages.SetCurrentPage(kPageNone);
    pages.ClosePage();
    EXPECT_EQ(pages.CurrentPage(), kPageNone);
}

}  // namespace
}  // namespace norda::ombra
