#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "resources/ResourceModule.h"

namespace norda::ombra {
namespace {

const std::string kLibDir = NORDA_LIBRARY_DIR;

std::unique_ptr<ResourceModule> English(int* result = nullptr) {
    return ResourceModule::Load(kLibDir + "/OMBRA0009.DLL", "OMBRA", result);
}

std::vector<int> CommandIds(const MenuTemplate& menu) {
    std::vector<int> ids;
    for (const auto& e : menu.entries)
        if (e.kind == MenuEntryKind::Item || e.kind == MenuEntryKind::Popup)
            ids.push_back(e.id);
    return ids;
}

// The printf conversions of a text, e.g. "ld ld s" for "%ld ile %ld ... %s".
std::string Conversions(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%')
            continue;
        if (++i < text.size() && text[i] == '%')
            continue;
        while (i < text.size() &&
               std::string_view("-+ #0123456789.").find(text[i]) != std::string_view::npos)
            ++i;
        while (i < text.size() &&
               std::string_view("hlLqjzt").find(text[i]) != std::string_view::npos)
            out += text[i++];
        if (i < text.size())
            out += text[i];
        out += ' ';
    }
    return out;
}

TEST(LanguageLibraryName, FormatsCountryCodeAsHex) {
    EXPECT_EQ(LanguageLibraryName(LanguageBaseName("OMBRA"), 9, 4), "OMBRA0009.DLL");
    EXPECT_EQ(LanguageLibraryName("OMBRA", 49, 4), "OMBRA0031.DLL");
    EXPECT_EQ(LanguageLibraryName("SOLVI", 9, 2), "SOLVI09.DLL");
    EXPECT_EQ(LanguageBaseName("AB"), "AB00");
}

TEST(ResourceModule, EnglishLibraryHasEveryTurkishIdentifier) {
    int result = 1;
    auto en = English(&result);
    ASSERT_EQ(result, ResourceModule::kLoaded);
    ASSERT_TRUE(en);
    auto tr = ResourceModule::BuiltIn(OmbraBuiltinResources());
    for (const auto& e : OmbraBuiltinResources().strings) {
        EXPECT_FALSE(en->Text(e.id).empty()) << "string " << e.id;
        // Both languages are formatted with the same arguments.
        EXPECT_EQ(Conversions(en->Text(e.id)), Conversions(std::string(e.text))) << e.id;
    }
    for (const auto& m : OmbraBuiltinResources().menus) {
        const MenuTemplate* other = en->Menu(m.id);
        ASSERT_NE(other, nullptr) << "menu " << m.id;
        EXPECT_EQ(CommandIds(m), CommandIds(*other)) << "menu " << m.id;
    }
    for (const auto& d : OmbraBuiltinResources().dialogs) {
        const DialogTemplate* other = en->Dialog(d.id);
        ASSERT_NE(other, nullptr) << "dialog " << d.id;
        std::set<int> a, b;
        for (const auto& c : d.controls)
            a.insert(c.id);
        for (const auto& c : other->controls)
            b.insert(c.id);
        EXPECT_EQ(a, b) << "dialog " << d.id;
    }
    EXPECT_EQ(en->Text(602), "ERROR");
    EXPECT_EQ(tr->Text(602), "HATA");
}

TEST(ResourceModule, MenuHintsExistForEveryCommand) {
    auto tr = ResourceModule::BuiltIn(OmbraBuiltinResources());
    const MenuTemplate* menu = tr->Menu(100);
    ASSERT_NE(menu, nullptr);
    int depth = 0;
    for (const auto& e : menu->entries) {
        if (e.kind == MenuEntryKind::Popup)
            ++depth;
        if (e.kind == MenuEntryKind::End)
            --depth;
        ASSERT_GE(depth, 0);
        if (e.kind == MenuEntryKind::Item || (e.kind == MenuEntryKind::Popup && e.id != 0)) {
            EXPECT_FALSE(tr->Text(e.id).empty()) << e.id;
        }
    }
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(tr->Text(2009), "OMBRA hakkında... ");
}

TEST(ResourceModule, RefusesWhatIsNotALanguageLibraryOfThisProgram) {
    int result = 0;
    EXPECT_FALSE(ResourceModule::Load("OMBRA0009.DLL", "OMBRA", &result));
    EXPECT_EQ(result, ResourceModule::kNotAbsolute);
    EXPECT_FALSE(ResourceModule::Load(kLibDir + "/NOPE0009.DLL", "OMBRA", &result));
    EXPECT_EQ(result, ResourceModule::kNotLoadable);
    EXPECT_FALSE(ResourceModule::Load(kLibDir + "/OMBRA0009.DLL", "SOLVI", &result));
    EXPECT_EQ(result, ResourceModule::kWrongProgram);

    const auto junk = std::filesystem::temp_directory_path() / "norda_junk.DLL";
    std::ofstream(junk) << "not a library";
    EXPECT_FALSE(ResourceModule::Load(junk.string(), "OMBRA", &result));
    EXPECT_EQ(result, ResourceModule::kNotLoadable);
    std::filesystem::remove(junk);
}

}  // namespace
}  // namespace norda::ombra
