#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <functional>

#include "ui/DialogBuilder.h"
#include "ui/MenuBuilder.h"

namespace norda {
namespace {

class Hints final : public TextSource {
  public:
    std::string Text(int id) const override { return "hint " + std::to_string(id); }
};

QStringList Texts(const QList<QAction*>& actions) {
    QStringList out;
    for (const QAction* a : actions)
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

TEST(MenuBuilder, EndClosesOnlyTheInnermostPopupAndLooseItemsGoOnTheBar) {
    using K = MenuEntryKind;
    const MenuEntry entries[] = {
        {K::Popup, 7, "&File"}, {K::Item, 11, "One"}, {K::Popup, 0, "&More"},
        {K::Item, 12, "Two"},   {K::End, 0, ""},      {K::Separator, 0, ""},
        {K::Item, 13, "Three"}, {K::End, 0, ""},      {K::Item, 14, "Loose"},
    };
    QMenuBar bar;
    QStringList popups;
    std::vector<int> items;
    FillMenuBar(
        bar, MenuTemplate{100, entries}, Hints(), [&](QMenu& m) { popups << m.title(); },
        [&](int id, QAction&) { items.push_back(id); });

    EXPECT_EQ(popups, (QStringList{"&File", "&More"}));
    EXPECT_EQ(items, (std::vector<int>{11, 12, 13, 14}));
    ASSERT_EQ(Texts(bar.actions()), (QStringList{"&File", "Loose"}));
    QMenu* file = bar.actions()[0]->menu();
    ASSERT_EQ(Texts(file->actions()), (QStringList{"One", "&More", "-", "Three"}));
    EXPECT_EQ(Texts(file->actions()[1]->menu()->actions()), QStringList{"Two"});
    // Hints by the entry's number; a popup without one has none.
    EXPECT_EQ(file->menuAction()->statusTip(), "hint 7");
    EXPECT_EQ(file->actions()[1]->statusTip(), "");
    EXPECT_EQ(file->actions()[3]->statusTip(), "hint 13");
    EXPECT_EQ(bar.actions()[1]->statusTip(), "hint 14");
}

constexpr DialogControl kControls[] = {
    {ControlKind::Edit, 101, "", 8, 8, 100, 24},
    {ControlKind::DefPushButton, 1, "OK", 8, 40, 60, 24},
    {ControlKind::PushButton, 2, "Cancel", 80, 40, 60, 24},
};
constexpr DialogTemplate kDialog{9, "Title", 160, 80, kControls};

int ResultOf(const std::function<void(TemplateDialog&)>& act) {
    TemplateDialog dialog(nullptr, kDialog, nullptr);
    dialog.show();
    act(dialog);
    return dialog.result();
}

TEST(TemplateDialog, ButtonOneAcceptsButtonTwoRejectsAndEnterPressesTheDefault) {
    auto click = [](int id) {
        return [id](TemplateDialog& d) { qobject_cast<QPushButton*>(d.Control(id))->click(); };
    };
    EXPECT_EQ(ResultOf(click(1)), QDialog::Accepted);
    EXPECT_EQ(ResultOf(click(2)), QDialog::Rejected);
    EXPECT_EQ(ResultOf([](TemplateDialog& d) {
                  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                  QCoreApplication::sendEvent(d.Control(101), &enter);
              }),
              QDialog::Accepted);
}

}  // namespace
}  // namespace norda
