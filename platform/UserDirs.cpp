#include "platform/UserDirs.h"

#include <cstdlib>

namespace norda {
namespace {

std::string BaseDir(const char* variable, const char* belowHome) {
    if (const char* dir = std::getenv(variable); dir != nullptr && dir[0] == '/')
        return dir;
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/')
        return std::string(home) + belowHome;
    return {};
}

std::string Below(const std::string& base) {
    return base.empty() ? base : base + "/norda";
}

}  // namespace

std::string ConfigHome() {
    return BaseDir("XDG_CONFIG_HOME", "/.config");
}

std::string DataHome() {
    return BaseDir("XDG_DATA_HOME", "/.local/share");
}

std::string NordaConfigDir() {
    return Below(ConfigHome());
}

std::string NordaDataDir() {
    return Below(DataHome());
}

}  // namespace norda
