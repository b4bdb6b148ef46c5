#include <string>
#include <string_view>

#include "FuzzTargets.h"
#include "platform/ProfileFile.h"
#include "platform/Windows1254.h"

namespace norda::fuzz {
namespace {

// Names the programs' own files use, so that look-ups meet the input's sections.
constexpr std::string_view kSections[] = {
    "Kanal", "TestAyar", "Master",        "Service",       "User",           "Clone",
    "KSYS",  "ADATA",    "International", "Communication", "Clone Constants"};

void ReadEverything(const ProfileFile& profile, std::string_view section) {
    for (size_t buffer : {size_t{1}, size_t{2}, size_t{17}, ProfileFile::kDefaultBufferSize}) {
        const auto names = profile.KeyNames(section, buffer);
        size_t used = 1;
        for (const auto& name : names) {
            // The caller's buffer holds the names in the file's code page.
            used += Utf8ToWindows1254(name).size() + 1;
        }
        Check(names.empty() || used <= buffer, "key names overflow the caller's buffer");
        for (size_t i = 0; i < names.size(); ++i) {
            const auto& name = names[i];
            // Only the last name can have been cut to fit.
            Check(profile.HasKey(section, name) || (i + 1 == names.size() && used == buffer),
                  "a listed key cannot be found");
            (void)profile.GetInt(section, name, -7);
            const std::string s = profile.GetString(section, name, "def", buffer);
            const std::string b = profile.GetBytes(section, name, "def", buffer);
            Check(b.size() < buffer, "value longer than the caller's buffer");
            (void)s;
        }
    }
}

}  // namespace

int ProfileReader(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ProfileFile profile = ProfileFile::Parse(bytes);
    for (auto section : kSections) {
        ReadEverything(profile, section);
    }
    // The first header of the input, whatever it says, is a section too.
    if (auto open = bytes.find('['); open != std::string_view::npos) {
        auto close = bytes.find(']', open);
        if (close != std::string_view::npos && close - open < 80) {
            ReadEverything(profile, bytes.substr(open + 1, close - open - 1));
        }
    }

    // A value written into any file reads back, also after the file went to
    // disk form and came back.
    profile.SetString("Kanal", "TxFreq[1]", "12345");
    profile.SetInt("Fuzz Test", "Sayi", -4711);
    Check(profile.GetInt("Kanal", "TxFreq[1]", 0) == 12345, "written value not read back");
    Check(profile.GetInt("fuzz test", "SAYI", 0) == -4711, "written number not read back");
    const std::string once = profile.Serialize();
    const ProfileFile again = ProfileFile::Parse(once);
    Check(again.GetInt("Kanal", "TxFreq[1]", 0) == 12345, "written value lost by a save");
    Check(again.GetInt("Fuzz Test", "Sayi", 0) == -4711, "written number lost by a save");
    return 0;
}

}  // namespace norda::fuzz
