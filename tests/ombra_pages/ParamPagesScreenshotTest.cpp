#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>
#include <QApplication>
#include <QPixmap>

#include "ParamPagesTestSupport.h"
#include "codeplug/NewFileDefaults.h"
#include "ombra/pages/TAutoProg.h"
#include "ombra/pages/TClone.h"
#include "ombra/pages/TFileDefaults.h"
#include "ombra/pages/TMaster.h"
#include "ombra/pages/TService.h"
#include "tests/support/QuietHost.h"

namespace norda::ombra {
namespace {

class NoHost final : public test::QuietHost {
  public:
    std::string Text(int) override { return {}; }
    void PostMessage(PostTarget, Posted) override {}
    int CurrentPage() override { return 0; }
    bool FileOpened() override { return true; }
};

// A radio as a read shows it.
RadioParameters SampleRadio() {
    RadioParameters p;
    ResetToNewFile(p);
    p.TestAyar.HalfBaseChan = 5840;
    p.TestAyar.HwNotHandheld = 1;
    p.TestAyar.HwTDM = 1;
    const int16_t production[] = {0, 4, 2, 1, 7, 3};
    std::copy(std::begin(production), std::end(production), p.TestAyar.UretimSiraNo);
    p.Master.SeriNo = 1207;
    p.Master.ProgTarihi = 10637;
    p.Master.Compander = 1;
    p.Service.ProgVersionMajor = 4;
    p.Service.KeyPad = 1;
    p.Service.SCEnc = 1;
    p.Service.CloneKey = 12;
    p.Service.LPIndex = 3;
    p.Service.HPIndex = 7;
    const int16_t ani[] = {1, 2, 0, 7, 15, 15};
    std::copy(std::begin(ani), std::end(ani), p.Service.ANINo);
    std::copy(std::begin(ani), std::end(ani), p.Service.SecmeliCagriNo);
    std::fill(std::begin(p.Service.ACKNo), std::end(p.Service.ACKNo), kEmptyDigit);
    p.Clone.AcilCagri = 1;
    p.Clone.AcilCagriKanali = 9;
    p.Clone.PriorChannel1 = 1;
    return p;
}

// Pages in a client area of the frame's size, dialogs on their own.
void Save(QWidget& w, const std::string& dir, const std::string& name) {
    w.show();
    QApplication::processEvents();
    ASSERT_TRUE(w.grab().save(QString::fromStdString(dir + "/" + name + ".png")));
}

TEST(ParamPagesScreenshots, TurkishAndEnglish) {
    const char* dir = std::getenv("NORDA_SCREENSHOT_DIR");
    if (dir == nullptr || std::strlen(dir) == 0)
        GTEST_SKIP() << "NORDA_SCREENSHOT_DIR not set";
    const ResourceModule* english = testing::English();
    ASSERT_NE(english, nullptr);
    RadioParameters p = SampleRadio();
    NoHost host;
    for (const auto& [module, suffix] : {std::pair{&testing::Turkish(), std::string("_tr")},
                                         std::pair{english, std::string("_en")}}) {
        QWidget client;
        client.resize(564, 440);
        {
            TMaster page(&client, *module, p);
            page.Create();
            Save(client, dir, "master" + suffix);
        }
        {
            TService page(&client, *module, p);
            page.Create();
            Save(client, dir, "service" + suffix);
        }
        {
            TClone page(&client, *module, p);
            page.Create();
            Save(client, dir, "clone" + suffix);
        }
        {
            TAutoProg dlg(nullptr, *module, p, host, false, true);
            TDataDlg::SetExecuteHook([](TDataDlg&) { return 2; });
            dlg.Execute();
            Save(dlg, dir, "autoprog" + suffix);
        }
        {
            TFileDefaults dlg(nullptr, *module, p);
            dlg.Execute();
            TDataDlg::SetExecuteHook({});
            Save(dlg, dir, "filedefaults" + suffix);
        }
    }
}

}  // namespace
}  // namespace norda::ombra
