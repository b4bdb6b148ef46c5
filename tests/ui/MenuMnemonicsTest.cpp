// The Alt keys of both programs' menus, in both languages, as Qt reads them from the
// menus the programs build.
#include <gtest/gtest.h>

#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "resources/ResourceModule.h"
#include "resources/SolviResources.h"
#include "ui/MenuBuilder.h"

namespace norda {
namespace {

QString Name(const QAction* a) {
    return a->text().section(QLatin1Char('\t'), 0, 0);
}

// What is wrong with one menu and, recursively, its popups: entries of one menu that
// share an Alt key, and entries that have none although they are words.
void Check(const QString& where, const QList<QAction*>& actions, QStringList& problems) {
    // Numbered lists (ports, channel ranges) are chosen with the arrow keys.
    static const QRegularExpression kNumbered(QStringLiteral("^(Com)?[0-9-]+$"));
    std::map<QString, QStringList> byKey;
    for (const QAction* a : actions) {
        if (a->isSeparator())
            continue;
        const QKeySequence key = QKeySequence::mnemonic(a->text());
        if (!key.isEmpty())
            byKey[key.toString()] << Name(a);
        else if (!kNumbered.match(Name(a)).hasMatch())
            problems << where + ": no key for " + Name(a);
        if (const QMenu* popup = a->menu())
            Check(where + " > " + Name(a), popup->actions(), problems);
    }
    for (const auto& [key, names] : byKey)
        if (names.size() > 1)
            problems << where + ": " + key + " for " + names.join(QStringLiteral(", "));
}

TEST(MenuMnemonics, EveryEntryOfAMenuHasAKeyOfItsOwn) {
    const std::string dir = NORDA_LIBRARY_DIR;
    int result = 0;
    std::vector<std::pair<QString, std::unique_ptr<ResourceModule>>> modules;
    modules.emplace_back("OMBRA", ResourceModule::BuiltIn(OmbraBuiltinResources()));
    modules.emplace_back("OMBRA0009",
                         ResourceModule::Load(dir + "/OMBRA0009.DLL", "OMBRA", &result));
    modules.emplace_back("SOLVI", ResourceModule::BuiltIn(SolviBuiltinResources()));
    modules.emplace_back("SOLVI009", ResourceModule::Load(dir + "/SOLVI009.DLL", "SOLVI", &result));
    QStringList problems;
    for (const auto& [name, module] : modules) {
        ASSERT_NE(module, nullptr) << name.toStdString();
        const MenuTemplate* menu = module->Menu(100);
        ASSERT_NE(menu, nullptr) << name.toStdString();
        QMenuBar bar;
        FillMenuBar(
            bar, *menu, *module, [](QMenu&) {}, [](int, QAction&) {});
        Check(name, bar.actions(), problems);
    }
    // The system's own Turkish menus have always shared these keys; they stay as they are.
    const QStringList kept = {
        "OMBRA > &Parametreler: Alt+S for &Sonraki Sayfa, &Sabit Parametreler",
        "OMBRA > &Parametreler: Alt+Ö for &Önceki Sayfa, &Özel Parametreler",
        "SOLVI: Alt+S for &Seçenekler, &Seri Çıkışlar",
    };
    EXPECT_EQ(problems.join(QLatin1Char('\n')).toStdString(),
              kept.join(QLatin1Char('\n')).toStdString());
}

}  // namespace
}  // namespace norda
