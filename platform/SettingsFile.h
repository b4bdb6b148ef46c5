#pragma once

#include <functional>
#include <string>

namespace norda {

// Whether this process may create and replace files in `dir` (access(2), so a read-only
// mount counts as not writable even for root).
bool FolderWritable(const std::string& dir);

// Where a settings file that ships beside the program is read and written. With the
// program folder writable that is the file beside the program. Installed, the folder
// belongs to root: then it is the file of that name in NordaConfigDir(), made on first
// use as a copy of the file beside the program when there is one, so that what a site
// put there (clone constants, shift frequencies) stays in force. Without a home folder
// it stays the file beside the program.
std::string SettingsFilePath(
    const std::string& besideProgram,
    const std::function<bool(const std::string&)>& writable = FolderWritable);

}  // namespace norda
