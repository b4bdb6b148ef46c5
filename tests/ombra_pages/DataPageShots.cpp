// Renders the channel, KSYS and analog data pages offscreen in Turkish and English, with
// sample data, into PNG files of the given folder.

#include <QApplication>
#include <QPixmap>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "ombra/pages/TAData.h"
#include "ombra/pages/TChannel.h"
#include "ombra/pages/TKsys.h"
#include "resources/ResourceModule.h"

namespace {

using namespace norda;
using namespace norda::ombra;

void SampleData(RadioParameters& p) {
    p.TestAyar.HalfBaseChan = 5840;
    const char* names[] = {"MERKEZ",  "SAHA-1", "SAHA-2", "DEPO", "ACIL",
                           "YEDEK/A", "KN 7",   "KN 8",   "KN 9", "KN 10"};
    for (int n = 1; n <= kChannelCount; ++n) {
        ChannelRecord& k = p.Clone.Kanal[n - 1];
        char name[16];
        std::snprintf(name, sizeof name, "%-8.8s", n <= 10 ? names[n - 1] : "");
        if (n > 10)
            std::snprintf(name, sizeof name, "KN %-5d", n);
        std::memcpy(k.KanalAdi, name, 8);
        k.TxFreq = static_cast<int16_t>(100 + 5 * n);
        k.RxFreq = static_cast<int16_t>(n % 4 == 0 ? 16383 : 100 + 5 * n);
        k.TxTCS = static_cast<int16_t>(n % 3 == 0 ? 0 : n % 50);
        k.TxTCSOn = k.TxTCS != 0;
        k.RxTCS = static_cast<int16_t>(n % 4 == 0 ? 0 : (n + 38) % 50);
        k.Hprf = n % 2;
        k.TotVar = n % 3 != 0;
        k.ANIVar = n % 5 == 0;
        p.Clone.Scan[n - 1] = n % 4 != 0;
    }
    p.KSYS.SYSID = 1204;
    p.KSYS.SMTIDENT = 17;
    p.KSYS.RxFreq = 1600;
    p.KSYS.RxTCS = 39;
    p.KSYS.TxFreq = 16383;
    p.KSYS.TxTCS = 0;
    for (int g = 0; g < 4; ++g)
        p.KSYS.GrupNo[g] = static_cast<int16_t>(10 + g * 11);
    p.ADATA.SYSID = 12;
    p.ADATA.FLEETID = 401;
    p.ADATA.RADIOID = 1022;
    p.ADATA.RXID = 4094;
    p.ADATA.PREAMBLE = 30;
    p.ADATA.GRUP[0] = 3001;
    p.ADATA.GRUP[1] = 3150;
    const char* statuses[] = {"HAZIR", "YOLDA", "OLAYDA", "MESGUL",
                              "DONUS", "MOLA",  "ARIZA",  "YARDIM"};
    for (int s = 0; s < kStatusMessages; ++s) {
        char text[16];
        std::snprintf(text, sizeof text, "%-8.8s", s < 8 ? statuses[s] : "");
        if (s >= 8)
            std::snprintf(text, sizeof text, "DURUM%-3d", s + 1);
        std::memcpy(p.ADATA.STATUS[s], text, 8);
    }
}

bool Save(TDataDlg& page, const std::string& path) {
    page.Create();
    const bool ok = page.grab().save(QString::fromStdString(path));
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.c_str());
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::string dir = argv[1];
    SampleData(ProcessParameters());
    ProcessParameters().Clone.Tot = 4;

    auto tr = ResourceModule::BuiltIn(OmbraBuiltinResources());
    int result = 0;
    auto en =
        ResourceModule::Load(std::string(NORDA_LIBRARY_DIR) + "/OMBRA0009.DLL", "OMBRA", &result);
    if (!en) {
        std::fprintf(stderr, "English library not loaded (%d)\n", result);
        return 1;
    }
    bool ok = true;
    for (const auto& [module, lang] :
         {std::pair<ResourceModule*, const char*>{tr.get(), "tr"}, {en.get(), "en"}}) {
        QWidget client;
        client.resize(564, 434);
        const std::string suffix = std::string("_") + lang + ".png";
        {
            TChannel page(&client, 1, *module);
            ok &= Save(page, dir + "/channel" + suffix);
        }
        {
            TChannel page(&client, 91, *module);
            ok &= Save(page, dir + "/channel91" + suffix);
        }
        {
            TKsys page(&client, *module);
            ok &= Save(page, dir + "/ksys" + suffix);
        }
        {
            TAData page(&client, *module);
            ok &= Save(page, dir + "/adata" + suffix);
        }
    }
    return ok ? 0 : 1;
}
