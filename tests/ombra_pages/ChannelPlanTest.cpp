// Channel plans against the channel page: a row of a plan must be taken, refused and
// stored exactly as the same values typed into the page.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>

#include <string>

#include "ombra/pages/ChannelPlan.h"
#include "ombra/pages/TChannel.h"
#include "tests/ombra_pages/DataPageHarness.h"

namespace norda::ombra {
namespace {

using test::PageFixture;

constexpr const char* kHeader =
    "Kanal No,Kanal Adı,TxFrek.,RxFrek.,TxTCS,RxTCS,TOT,HPRF,ANI,Tarama\r\n";

struct Typed {
    const char* what;
    const char* name;
    const char* tx;
    const char* rx;
    const char* txTone;
    const char* rxTone;
    bool tot, hprf, ani, scan;
    int timeOutTime;      // of the transferable parameters
    const char* refusal;  // the page's message, "" when the row is taken, nullptr: any
};

class ChannelPlanAgainstPage : public ::testing::Test, public PageFixture {
  protected:
    // Channel 1 holds a transmit frequency with a tone and has its ANI on.
    static void Prepare(RadioParameters& p, int timeOutTime) {
        p = RadioParameters{};
        p.TestAyar.HalfBaseChan = 5840;
        for (auto& k : p.Clone.Kanal)
            k.TxFreq = k.RxFreq = 16383;
        ChannelRecord& k = p.Clone.Kanal[0];
        k.TxFreq = 100;  // 146.2500
        k.TxTCS = 1;     // 67 Hz
        k.TxTCSOn = 1;
        k.ANIVar = 1;
        std::copy_n("KN 1    ", 8, k.KanalAdi);
        p.Clone.Tot = static_cast<int16_t>(timeOutTime);
    }

    // The page's answer: the message that stopped it, "" when it could be left.
    std::string ThroughPage(const Typed& t) {
        Prepare(*params, t.timeOutTime);
        messages.records.clear();
        TChannel page(&client, 1, *module, Env());
        page.Create();
        auto edit = [&](TChannel::Column c) { return page.Item<QLineEdit>(c + 1); };
        Type(edit(TChannel::kName), t.name);
        Type(edit(TChannel::kTxFreq), t.tx);
        Type(edit(TChannel::kRxFreq), t.rx);
        Type(edit(TChannel::kTxTone), t.txTone);
        Type(edit(TChannel::kRxTone), t.rxTone);
        // A switch that changes is clicked, with the rule of its click.
        const std::pair<TChannel::Column, bool> boxes[] = {{TChannel::kTot, t.tot},
                                                           {TChannel::kHprf, t.hprf},
                                                           {TChannel::kAni, t.ani},
                                                           {TChannel::kScan, t.scan}};
        for (const auto& [column, on] : boxes) {
            QCheckBox* box = page.Item<QCheckBox>(column + 1);
            if (box->isChecked() == on)
                continue;
            box->setChecked(on);
            if (column == TChannel::kTot)
                page.TotClicked(1);
            else if (column == TChannel::kHprf)
                page.HprfClicked(1);
            else if (column == TChannel::kAni)
                page.AniClicked(1);
            else
                page.ScanClicked(1);
            if (!messages.records.empty())
                return messages.LastText();
        }
        return page.CanLeave() ? "" : messages.LastText();
    }

    std::string ThroughPlan(const Typed& t, RadioParameters& p) {
        Prepare(p, t.timeOutTime);
        auto flag = [](bool on) { return on ? "1" : "0"; };
        const std::string plan = std::string(kHeader) + "1," + t.name + "," + t.tx + "," + t.rx +
                                 "," + t.txTone + "," + t.rxTone + "," + flag(t.tot) + "," +
                                 flag(t.hprf) + "," + flag(t.ani) + "," + flag(t.scan) + "\r\n";
        const PlanResult r = ImportChannelPlan(plan, p, shifts, *module);
        EXPECT_TRUE(r.isPlan);
        return r.refusals.empty() ? "" : r.refusals.front().reason;
    }
};

TEST_F(ChannelPlanAgainstPage, RowsAreTakenRefusedAndStoredAsThePageDoesIt) {
    const Typed cases[] = {
        {"every field", "kn 5", "146.2625", "146.1875", "69", "254", true, true, true, true, 4, ""},
        {"unchanged", "KN 1", "146.25", "", "67", "", false, false, true, false, 0, ""},
        {"the names' characters", "a-b/c_d", "146.25", "", "67", "", false, false, true, false, 0,
         ""},
        {"a Turkish letter in the name", "ÇAY", "146.25", "", "67", "", false, false, true, false,
         0, "Girilen değerde geçersiz karakter var !"},
        {"off the raster", "KN 1", "146.0030", "", "67", "", false, false, true, false, 0,
         "Değer 146 ile 174 arasında olmalıdır.\nBasamak = 10KHz veya 12.5KHz"},
        {"below the band", "KN 1", "145", "", "67", "", false, false, true, false, 0,
         "Değer 146 ile 174 arasında olmalıdır.\nBasamak = 10KHz veya 12.5KHz"},
        {"a tone not in the table", "KN 1", "146.25", "", "68", "", false, false, true, false, 0,
         nullptr},
        {"a receive tone without a receive frequency", "KN 1", "146.25", "", "67", "71", false,
         false, true, false, 0, "Alma frekansı girilmedi !"},
        {"scan without a receive frequency", "KN 1", "146.25", "", "67", "", false, false, true,
         true, 0, "Alma frekansı girilmedi !"},
        {"time-out without a time-out time", "KN 1", "146.25", "", "67", "", true, false, true,
         false, 0, "TOT değeri girilmedi !"},
        {"a cleared frequency takes its tone and switches along", "KN 1", "", "", "67", "", false,
         false, true, false, 0, ""},
    };
    for (const Typed& t : cases) {
        SCOPED_TRACE(t.what);
        const std::string page = ThroughPage(t);
        auto viaPlan = std::make_unique<RadioParameters>();
        const std::string plan = ThroughPlan(t, *viaPlan);
        EXPECT_EQ(plan, page);
        if (t.refusal != nullptr) {
            EXPECT_EQ(plan, t.refusal);
        } else {
            EXPECT_NE(plan, "");
        }
        if (page.empty()) {
            EXPECT_EQ(viaPlan->Clone.Kanal[0], params->Clone.Kanal[0]);
            EXPECT_EQ(viaPlan->Clone.Scan[0], params->Clone.Scan[0]);
        } else {
            auto untouched = std::make_unique<RadioParameters>();
            Prepare(*untouched, t.timeOutTime);
            EXPECT_TRUE(*viaPlan == *untouched) << "a refused plan changed the codeplug";
        }
    }
}

struct Written {
    const char* what;
    std::string bytes;
    const char* message;  // PlanRefusalText, "" when the plan is taken
    int changed;
};

// What spreadsheets and editors write, each taken or refused as a whole.
TEST_F(ChannelPlanAgainstPage, PlansAreReadAsSpreadsheetsWriteThem) {
    const std::string h = kHeader;
    const Written cases[] = {
        {"UTF-8 with a byte-order mark, CR LF",
         "\xEF\xBB\xBF" + h + "2,B,146.25,,,,0,0,0,0\r\n3,C,146.25,,,,0,0,0,0\r\n", "", 2},
        {"LF, a lone CR, blank lines and a short last line",
         h + "\n2,B,146.25,,,,0,0,0,0\r3,C,146.25,,,,0,0,0,0\n,,,,,,,,,\n4,D,,,,,0,0,0,0", "", 3},
        {"quoted fields", h + "\"2\",\"B\",\"146.25\",\"\",,,0,0,0,0\r\n", "", 1},
        {"a separator, a quote or a line break in a quoted name",
         h + "2,\"A,B\",146.25,,,,0,0,0,0\r\n3,\"A\"\"B\",146.25,,,,0,0,0,0\r\n"
             "4,\"A\r\nB\",146.25,,,,0,0,0,0\r\n",
         "Kanal planı alınmadı, 3 değer kabul edilmedi:\n"
         "2. satır, Kanal Adı, \"A,B\": Girilen değerde geçersiz karakter var !\n"
         "3. satır, Kanal Adı, \"A\"B\": Girilen değerde geçersiz karakter var !\n"
         "4. satır, Kanal Adı, \"A  B\": Girilen değerde geçersiz karakter var !",
         0},
        {"columns left out keep what the channel holds", "TxTCS,Kanal No\r\n71,1\r\n67,2\r\n",
         "Kanal planı alınmadı, 1 değer kabul edilmedi:\n"
         "3. satır, TxTCS, \"67\": Gönderme frekansı girilmedi !",
         0},
        {"an empty column at the edge", "Kanal No,TxFrek.,\r\n2,146.25,\r\n", "", 1},
        {"columns that are not the page's",
         "Kanal No,Notlar,TxFrek.,txfrek.,\r\n2,x,146.25,146.25,y\r\n",
         "Kanal planı alınmadı, 3 değer kabul edilmedi:\n"
         "1. satır, 2. sütun, \"Notlar\": Bu sütun adı tanınmıyor.\n"
         "1. satır, 4. sütun, \"txfrek.\": Bu sütun iki kez var.\n"
         "1. satır, 5. sütun, \"\": Bu sütun adı tanınmıyor.",
         0},
        {"rows that do not fit the header, a channel twice, a value too wide",
         "Kanal No,TxFrek.,Tarama\r\n2,146.25\r\n3,146.25,0\r\n3,146.25,0\r\n"
         "4,146.25000,2\r\n",
         "Kanal planı alınmadı, 4 değer kabul edilmedi:\n"
         "2. satır: Satırda 2 alan var, başlıkta 3.\n"
         "4. satır, Kanal No, \"3\": Kanal 3, 3. satırda da var.\n"
         "5. satır, TxFrek., \"146.25000\": En çok 8 karakter olabilir.\n"
         "5. satır, Tarama, \"2\": Değer 0 ile 1 arasında olmalıdır.",
         0},
        {"a header alone", h, "", 0},
        {"no channel-number column", "TxFrek.\r\n146.25\r\n",
         "plan.csv bir kanal planı değil: ilk satırında \"Kanal No\" sütunu yok.", 0},
        {"binary", std::string("Kanal No\r\n1\0", 12),
         "plan.csv bir kanal planı değil: ilk satırında \"Kanal No\" sütunu yok.", 0},
    };
    for (const Written& w : cases) {
        SCOPED_TRACE(w.what);
        auto p = std::make_unique<RadioParameters>();
        Prepare(*p, 0);
        const RadioParameters before = *p;
        const PlanResult r = ImportChannelPlan(w.bytes, *p, shifts, *module);
        const bool taken = r.isPlan && r.refusals.empty();
        EXPECT_EQ(taken ? "" : PlanRefusalText(r, "plan.csv", *module), w.message);
        EXPECT_EQ(r.changed, w.changed);
        if (!taken) {
            EXPECT_TRUE(*p == before);
        }
    }
}

TEST_F(ChannelPlanAgainstPage, TwentyRefusalsAreListedAndTheRestCounted) {
    std::string plan = "Kanal No,TxFrek.\r\n";
    for (int n = 1; n <= 25; ++n)
        plan += std::to_string(n) + ",1\r\n";
    const PlanResult r = ImportChannelPlan(plan, *params, shifts, *module);
    ASSERT_EQ(r.refusals.size(), 25u);
    const std::string text = PlanRefusalText(r, "plan.csv", *module);
    EXPECT_TRUE(text.starts_with("Kanal planı alınmadı, 25 değer kabul edilmedi:\n")) << text;
    EXPECT_NE(text.find("21. satır, TxFrek."), std::string::npos) << text;
    EXPECT_EQ(text.find("22. satır"), std::string::npos) << text;
    EXPECT_TRUE(text.ends_with("\n... ve 5 değer daha.")) << text;
}

}  // namespace
}  // namespace norda::ombra
