#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>

#include "ombra/app/TProgressWin.h"
#include "ombra/pages/MessageLayout.h"
#include "ombra/pages/TMessageDlg.h"
#include "resources/OmbraControlIds.h"

namespace norda::ombra {
namespace {

std::vector<int> Visible(const TMessageDlg& dlg) {
    std::vector<int> ids;
    for (int id : {1, 6, 7, 3, 4, 5, 2})
        if (dlg.Button(id) != nullptr)
            ids.push_back(id);
    return ids;
}

const ResourceModule& Turkish() {
    static auto module = ResourceModule::BuiltIn(OmbraBuiltinResources());
    return *module;
}

// Runs the dialog modally and presses `button` once the loop runs.
int Press(TMessageDlg& dlg, int button) {
    QTimer::singleShot(0, &dlg, [&dlg, button] { dlg.Button(button)->click(); });
    return dlg.Execute();
}

int PressKey(TMessageDlg& dlg, int key) {
    QTimer::singleShot(0, &dlg, [&dlg, key] {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&dlg, &press);
        // A key that does not close the box leaves it to the test to end.
        QTimer::singleShot(0, &dlg, [&dlg] {
            if (dlg.isVisible())
                dlg.done(-1);
        });
    });
    return dlg.Execute();
}

TEST(MessageDlg, ButtonsPerStyle) {
    const std::vector<std::pair<int, std::vector<int>>> cases = {
        {0, {1}},    {1, {1, 2}}, {2, {3, 4, 5}}, {3, {6, 7, 2}},
        {4, {6, 7}}, {5, {4, 2}}, {48, {1}},      {32768, {}},
    };
    for (const auto& [style, ids] : cases) {
        TMessageDlg dlg(nullptr, Turkish(), "metin", "başlık", style);
        EXPECT_EQ(Visible(dlg), ids) << style;
    }
    TMessageDlg dlg(nullptr, Turkish(), "x", "y", 3);
    EXPECT_EQ(dlg.Button(6)->text(), "EVET");
    EXPECT_EQ(dlg.Button(2)->text(), "VAZGEÇ");
}

TEST(MessageDlg, ReturnsThePressedButton) {
    for (int button : {1, 2}) {
        TMessageDlg dlg(nullptr, Turkish(), "Dikkat", "DİKKAT!", 49);
        EXPECT_EQ(Press(dlg, button), button);
    }
    for (int button : {3, 4, 5}) {
        TMessageDlg dlg(nullptr, Turkish(), "x", "y", 2);
        EXPECT_EQ(Press(dlg, button), button);
    }
    TMessageDlg yesNo(nullptr, Turkish(), "x", "y", 4);
    EXPECT_EQ(Press(yesNo, 7), 7);
}

TEST(MessageDlg, EscapeAnswersCancelOrTheOnlyButton) {
    TMessageDlg okCancel(nullptr, Turkish(), "x", "y", 1);
    EXPECT_EQ(PressKey(okCancel, Qt::Key_Escape), 2);
    TMessageDlg ok(nullptr, Turkish(), "x", "y", 0);
    EXPECT_EQ(PressKey(ok, Qt::Key_Escape), 1);
    TMessageDlg yesNo(nullptr, Turkish(), "x", "y", 4);
    EXPECT_EQ(PressKey(yesNo, Qt::Key_Escape), -1);
}

TEST(MessageDlg, IconFollowsStyleBits) {
    const QString iconName = QString::number(MessageBoxIds::kIcon);
    TMessageDlg plain(nullptr, Turkish(), "x", "y", 0);
    EXPECT_TRUE(plain.findChild<QLabel*>(iconName)->isHidden());
    TMessageDlg warn(nullptr, Turkish(), "x", "y", 49);
    EXPECT_FALSE(warn.findChild<QLabel*>(iconName)->isHidden());
    EXPECT_FALSE(warn.findChild<QLabel*>(iconName)->pixmap().isNull());
}

TEST(MessageLayout, SizesFromTheText) {
    auto l = ComputeMessageLayout(50, 10, 1);
    EXPECT_EQ(l.width, 200);  // at least 130 of text
    EXPECT_EQ(l.height, 116);
    l = ComputeMessageLayout(300, 48, 2);
    EXPECT_EQ(l.width, 370);
    EXPECT_EQ(l.height, 132);
    EXPECT_EQ(l.text.x, 60);
    EXPECT_EQ(l.icon.x, 11);
    // Buttons spread evenly: equal gaps left, between and right.
    const int gap = l.buttons[0].x;
    EXPECT_EQ(l.buttons[1].x - (l.buttons[0].x + 65), gap);
    EXPECT_NEAR(l.width - (l.buttons[1].x + 65), gap, 1);
    EXPECT_EQ(ComputeMessageLayout(300, 48, 0).height, 88);
    EXPECT_EQ(ComputeMessageLayout(10, 10, 0).height, 72);
    // Three buttons never overlap.
    l = ComputeMessageLayout(10, 10, 3);
    EXPECT_GE(l.buttons[1].x, l.buttons[0].x + 65);
    EXPECT_GE(l.buttons[2].x, l.buttons[1].x + 65);
}

TEST(ProgressWin, CaptionTextAndBar) {
    TProgressWin w(nullptr, Turkish(), "Port 3", "Cihaz okunuyor ...");
    EXPECT_EQ(w.windowTitle(), "Port 3");
    EXPECT_EQ(w.TextLabel()->text(), "Cihaz okunuyor ...");
    EXPECT_TRUE(Visible(w).empty());
    w.SetProgress(5, 20);
    EXPECT_EQ(w.Bar()->value(), 5);
    EXPECT_EQ(w.Bar()->maximum(), 20);
    EXPECT_GT(w.height(), 72);
    EXPECT_LE(w.Bar()->geometry().bottom(), w.height());
}

}  // namespace
}  // namespace norda::ombra
