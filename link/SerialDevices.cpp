#include "link/SerialDevices.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "link/TermiosStream.h"

namespace norda {
namespace {

namespace fs = std::filesystem;

constexpr int kTextHintWithGroup = 3220;
constexpr int kTextHint = 3221;

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// "ttyUSB2" before "ttyUSB10": runs of digits compare by value.
bool NaturalLess(const std::string& a, const std::string& b) {
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const bool da = a[i] >= '0' && a[i] <= '9';
        const bool db = b[j] >= '0' && b[j] <= '9';
        if (da && db) {
            size_t ei = i;
            size_t ej = j;
            while (ei < a.size() && a[ei] >= '0' && a[ei] <= '9')
                ++ei;
            while (ej < b.size() && b[ej] >= '0' && b[ej] <= '9')
                ++ej;
            const std::string na = a.substr(i, ei - i);
            const std::string nb = b.substr(j, ej - j);
            const size_t za = na.find_first_not_of('0');
            const size_t zb = nb.find_first_not_of('0');
            const std::string va = za == std::string::npos ? "" : na.substr(za);
            const std::string vb = zb == std::string::npos ? "" : nb.substr(zb);
            if (va.size() != vb.size())
                return va.size() < vb.size();
            if (va != vb)
                return va < vb;
            i = ei;
            j = ej;
        } else {
            if (a[i] != b[j])
                return a[i] < b[j];
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

// The file an existing path finally leads to; empty when it leads nowhere.
std::string Resolve(const fs::path& path) {
    std::error_code ec;
    const fs::path target = fs::canonical(path, ec);
    return ec ? std::string() : target.string();
}

// An on-board port node exists for every possible UART; the tty class says which of
// them has hardware behind it (type 0 is "unknown": nothing there).
bool UartPresent(const std::string& sysTty, const std::string& name) {
    std::ifstream in(sysTty + "/" + name + "/type");
    int type = 0;
    return static_cast<bool>(in >> type) && type != 0;
}

bool IsAdapterNode(const std::string& name) {
    return StartsWith(name, "ttyUSB") || StartsWith(name, "ttyACM");
}

bool IsOnBoardNode(const std::string& name) {
    return StartsWith(name, "ttyS") || StartsWith(name, "ttyAMA");
}

// com<N> with N a plain positive number; 0 otherwise.
int PortOfEntry(const std::string& name) {
    if (!StartsWith(name, "com") || name.size() == 3 || name.size() > 6)
        return 0;
    int n = 0;
    for (size_t i = 3; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9')
            return 0;
        n = n * 10 + (name[i] - '0');
    }
    return name[3] == '0' ? 0 : n;
}

// The group that grants access to the device, as "dialout" does; none when the group
// may not read and write it either.
std::string GroupOf(const std::string& node) {
    struct stat st {};
    if (stat(node.c_str(), &st) != 0 || (st.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP))
        return {};
    const struct group* g = getgrgid(st.st_gid);
    return g != nullptr ? g->gr_name : "";
}

std::string EntryPath(const std::string& portsDir, int port) {
    return portsDir + "/com" + std::to_string(port);
}

}  // namespace

std::vector<SerialDevice> ListSerialDevices(const SerialDeviceTree& tree) {
    std::map<std::string, SerialDevice> found;  // by node
    auto deviceAt = [&found](const std::string& node) -> SerialDevice& {
        SerialDevice& d = found[node];
        d.node = node;
        return d;
    };
    std::error_code ec;

    // Links by maker and serial number, and by socket; a link whose adapter is gone
    // names nothing.
    for (const bool byId : {true, false}) {
        const fs::path dir = fs::path(tree.dev) / "serial" / (byId ? "by-id" : "by-path");
        std::vector<std::string> links;
        for (const auto& entry : fs::directory_iterator(dir, ec))
            links.push_back(entry.path().string());
        std::sort(links.begin(), links.end());
        for (const std::string& link : links) {
            const std::string node = Resolve(link);
            if (node.empty())
                continue;
            SerialDevice& d = deviceAt(node);
            (byId ? d.byId : d.byPath).push_back(link);
        }
    }

    // Adapters that have no links (no udev) and the on-board ports that are really there.
    for (const auto& entry : fs::directory_iterator(tree.dev, ec)) {
        const std::string name = entry.path().filename().string();
        if (IsAdapterNode(name) || (IsOnBoardNode(name) && UartPresent(tree.sysTty, name))) {
            const std::string node = Resolve(entry.path());
            if (!node.empty())
                deviceAt(node);
        }
    }

    // The port entries, also those that lead to a device listed nowhere else (a
    // simulated radio's terminal) or to nothing at all.
    const std::string portsDir = tree.ports.empty() ? PortsDirectory() : tree.ports;
    std::map<int, bool> entered;
    for (const auto& entry : fs::directory_iterator(portsDir, ec)) {
        const int port = PortOfEntry(entry.path().filename().string());
        if (port == 0)
            continue;
        entered[port] = true;
        std::string node = Resolve(entry.path());
        if (!node.empty()) {
            deviceAt(node).ports.push_back(port);
            continue;
        }
        std::error_code linkEc;
        fs::path target = fs::read_symlink(entry.path(), linkEc);
        if (linkEc)
            continue;
        if (target.is_relative())
            target = fs::path(portsDir) / target;
        SerialDevice& d = deviceAt(target.lexically_normal().string());
        d.present = false;
        d.ports.push_back(port);
    }
    // Without an entry, port N is the N-th on-board port.
    for (auto& [node, d] : found) {
        const std::string name = fs::path(node).filename().string();
        if (!d.present || !StartsWith(name, "ttyS") || name.size() == 4 ||
            fs::path(node).parent_path() != fs::path(Resolve(tree.dev)))
            continue;
        const int port = std::atoi(name.c_str() + 4) + 1;
        if (!entered[port])
            d.ports.push_back(port);
    }

    std::vector<SerialDevice> devices;
    for (auto& [node, d] : found) {
        std::sort(d.ports.begin(), d.ports.end());
        if (d.present) {
            d.mayOpen = tree.mayOpen ? tree.mayOpen(node) : access(node.c_str(), R_OK | W_OK) == 0;
            d.group = GroupOf(node);
        }
        devices.push_back(std::move(d));
    }
    std::sort(devices.begin(), devices.end(), [](const SerialDevice& a, const SerialDevice& b) {
        if (a.present != b.present)
            return a.present;
        return NaturalLess(a.node, b.node);
    });
    return devices;
}

std::string StableName(const SerialDevice& device) {
    if (!device.byId.empty())
        return device.byId.front();
    if (!device.byPath.empty())
        return device.byPath.front();
    return device.node;
}

const SerialDevice* FindSerialDevice(const std::vector<SerialDevice>& devices,
                                     const std::string& name) {
    if (name.empty())
        return nullptr;
    auto names = [&name](const std::string& path) {
        return path == name || fs::path(path).filename() == name;
    };
    for (const SerialDevice& d : devices) {
        if (names(d.node) || std::any_of(d.byId.begin(), d.byId.end(), names) ||
            std::any_of(d.byPath.begin(), d.byPath.end(), names))
            return &d;
    }
    // A path to the device that is spelled differently (a link of the user's own).
    if (const std::string node = Resolve(name); !node.empty()) {
        for (const SerialDevice& d : devices)
            if (d.node == node)
                return &d;
    }
    return nullptr;
}

std::string AssignmentTarget(const std::vector<SerialDevice>& devices, const std::string& name) {
    const SerialDevice* d = FindSerialDevice(devices, name);
    if (d == nullptr || !d->present)
        return {};
    for (const auto* links : {&d->byId, &d->byPath})
        for (const std::string& link : *links)
            if (link == name || fs::path(link).filename() == name)
                return link;
    return StableName(*d);
}

int AssignPort(const std::string& portsDir, int port, const std::string& target) {
    if (port < 1 || target.empty())
        return EINVAL;
    std::error_code ec;
    fs::create_directories(portsDir, ec);
    if (ec)
        return ec.value();
    const std::string entry = EntryPath(portsDir, port);
    struct stat st {};
    if (lstat(entry.c_str(), &st) == 0 && !S_ISLNK(st.st_mode))
        return EEXIST;
    // A program opening the port meanwhile sees the old link or the new one, never none.
    const std::string temporary =
        portsDir + "/.com" + std::to_string(port) + "." + std::to_string(getpid());
    unlink(temporary.c_str());
    if (symlink(target.c_str(), temporary.c_str()) != 0)
        return errno;
    if (rename(temporary.c_str(), entry.c_str()) != 0) {
        const int error = errno;
        unlink(temporary.c_str());
        return error;
    }
    return 0;
}

int ClearPort(const std::string& portsDir, int port) {
    const std::string entry = EntryPath(portsDir, port);
    struct stat st {};
    if (lstat(entry.c_str(), &st) != 0)
        return errno == ENOENT ? 0 : errno;
    if (!S_ISLNK(st.st_mode))
        return EEXIST;
    return unlink(entry.c_str()) == 0 ? 0 : errno;
}

bool DeviceAccessDenied(const std::string& device, std::string* group) {
    struct stat st {};
    if (stat(device.c_str(), &st) != 0)
        return false;
    if (access(device.c_str(), R_OK | W_OK) == 0 || errno != EACCES)
        return false;
    if (group != nullptr)
        *group = GroupOf(device);
    return true;
}

std::string AccessHint(const TextSource& texts, const std::string& device,
                       const std::string& group) {
    if (group.empty())
        return FillNames(texts.Text(kTextHint), {device});
    return FillNames(texts.Text(kTextHintWithGroup), {device, group, group});
}

}  // namespace norda
