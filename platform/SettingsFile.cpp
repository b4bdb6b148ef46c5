#include "platform/SettingsFile.h"

#include <unistd.h>

#include <filesystem>

#include "platform/UserDirs.h"

namespace norda {
namespace {

namespace fs = std::filesystem;

// Copies `from` to `to` unless `to` exists. Two programs starting at once must not
// overwrite each other's copy, nor leave half a file: the copy is made aside and then
// linked into place, which fails when the name is taken meanwhile.
void CopyOnce(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (fs::exists(to, ec) || !fs::exists(from, ec))
        return;
    const fs::path aside = to.string() + "." + std::to_string(getpid()) + ".new";
    if (fs::copy_file(from, aside, fs::copy_options::overwrite_existing, ec))
        link(aside.c_str(), to.c_str());
    fs::remove(aside, ec);
}

}  // namespace

bool FolderWritable(const std::string& dir) {
    return access(dir.c_str(), W_OK) == 0;
}

std::string SettingsFilePath(const std::string& besideProgram,
                             const std::function<bool(const std::string&)>& writable) {
    const fs::path beside(besideProgram);
    const fs::path folder = beside.has_parent_path() ? beside.parent_path() : fs::path(".");
    const std::string userFolder = NordaConfigDir();
    if (writable(folder.string()) || userFolder.empty())
        return besideProgram;
    const fs::path own = fs::path(userFolder) / beside.filename();
    std::error_code ec;
    fs::create_directories(userFolder, ec);
    CopyOnce(beside, own);
    return own.string();
}

}  // namespace norda
