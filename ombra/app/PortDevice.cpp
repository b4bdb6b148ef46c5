#include "ombra/app/PortDevice.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "link/TermiosStream.h"

namespace norda {

std::string PortDeviceDescription(int port) {
    const std::string path = PortDevicePath(port);
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) {
        const auto target = std::filesystem::canonical(path, ec);
        return path + " -> " +
               (ec ? std::filesystem::read_symlink(path, ec).string() : target.string());
    }
    return path;
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
