#include "ombra/app/PortDevice.h"

#include <filesystem>

#include "link/TermiosStream.h"

namespace norda::ombra {

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

}  // namespace norda::ombra
