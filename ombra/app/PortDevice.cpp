#include "ombra/app/PortDevice.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

namespace norda {

std::string PortsDirectory() {
    if (const char* dir = std::getenv("NORDA_PORTS"); dir != nullptr && *dir != '\0')
        return dir;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.config/norda/ports";
}

std::string PortDevicePath(int port) {
    const std::filesystem::path entry =
        std::filesystem::path(PortsDirectory()) / ("com" + std::to_string(port));
    std::error_code ec;
    if (std::filesystem::is_symlink(entry, ec) || std::filesystem::exists(entry, ec)) {
        auto target = std::filesystem::canonical(entry, ec);
        return ec ? entry.string() : target.string();
    }
    return "/dev/ttyS" + std::to_string(port - 1);
}

bool PortAccessDenied(const std::string& device, std::string* group) {
    struct stat st {};
    if (stat(device.c_str(), &st) != 0)
        return false;
    if (access(device.c_str(), R_OK | W_OK) == 0 || errno != EACCES)
        return false;
    if (group != nullptr) {
        const struct group* g = getgrgid(st.st_gid);
        *group = g != nullptr ? g->gr_name : "";
    }
    return true;
}

}  // namespace norda
