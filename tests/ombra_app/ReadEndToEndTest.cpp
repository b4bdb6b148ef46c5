// "Oku" in the Qt program against the simulated radio on a pseudo-terminal.

#include <QApplication>

#include "ombra/app/TProgressWin.h"
#include "ombra/pages/TMaster.h"
#include "tests/support/WholeProgramFixture.h"

namespace norda {
namespace {

using test::NoIni;
using ReadEndToEnd = test::WholeProgramFixture;

TEST_F(ReadEndToEnd, ReadOpensTheMasterPageWithRadioCaption) {
    StartRadio();
    TApp app(std::string(NORDA_LIBRARY_DIR) + "/ombra", {}, std::make_unique<NoIni>());
    app.ReadCommandLineAndCountry();
    app.ReadRest();
    TQtHost host(app);
    TProgFrame frame(app, host);
    host.SetFrame(&frame);
    TProgramSetup setup(frame, host);
    frame.show();
    frame.SetupClient();
    ASSERT_TRUE(messages_.empty()) << messages_.front();
    ASSERT_EQ(host.Reopen(1, 115200), 0);
    ASSERT_TRUE(host.PortOpen());
    frame.UpdateCommandStates();
    ASSERT_TRUE(frame.Action(536)->isEnabled());

    frame.Command(536);
    EXPECT_TRUE(host.Reading());
    EXPECT_NE(frame.ProgressWindow(), nullptr);
    EXPECT_EQ(frame.ProgressWindow()->windowTitle(), "Port 1");
    frame.UpdateCommandStates();
    EXPECT_FALSE(frame.Action(536)->isEnabled());
    EXPECT_FALSE(frame.Action(551)->isEnabled());

    ASSERT_TRUE(RunUntil([&] { return frame.Pages().CurrentPage() == 1 || !messages_.empty(); }));
    EXPECT_TRUE(messages_.empty()) << messages_.front();
    EXPECT_EQ(frame.Pages().CurrentPage(), 1);
    EXPECT_NE(dynamic_cast<TMaster*>(frame.Pages().Current()), nullptr);
    EXPECT_EQ(frame.windowTitle(), "OMBRA 4.0  - Telsiz bilgileri");
    EXPECT_EQ(frame.ProgressWindow(), nullptr);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<TProgressWin*>(w) != nullptr && w->isVisible())
            << "the progress window is gone with its operation";
    EXPECT_FALSE(host.Reading());
    EXPECT_FALSE(frame.RestrictedPages());
    frame.UpdateCommandStates();
    EXPECT_TRUE(frame.Action(538)->isEnabled()) << "a read makes the write possible";
    host.SetFrame(nullptr);
}

}  // namespace
}  // namespace norda
