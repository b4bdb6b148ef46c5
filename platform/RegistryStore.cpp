#include "platform/RegistryStore.h"

#include "platform/UserDirs.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace norda {

namespace {

constexpr const char* kValueFile = "values.reg";

// Registry names compare without regard to ASCII case; the C library's tolower would
// follow the desktop's locale, and a Turkish one keeps "I" and "i" apart.
char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    return true;
}

// A value name must fit between the quotes of its line.
bool ValidValueName(std::string_view name) {
    for (char c : name)
        if (c == '"' || c == '\n' || c == '\r' || c == '\0')
            return false;
    return !name.empty();
}

struct ValueLine {
    std::string name;  // empty for a line that is not a value
    std::string text;
};

// `"Name"=dword:0000005a`, as the registry's own export files write it.
ValueLine ParseLine(const std::string& line) {
    ValueLine v{{}, line};
    if (line.size() < 2 || line[0] != '"')
        return v;
    size_t close = line.find('"', 1);
    if (close == std::string::npos || close + 1 >= line.size() || line[close + 1] != '=')
        return v;
    v.name = line.substr(1, close - 1);
    return v;
}

bool ParseDword(std::string_view data, uint32_t* value) {
    constexpr std::string_view kPrefix = "=dword:";
    if (data.substr(0, kPrefix.size()) != kPrefix)
        return false;
    data.remove_prefix(kPrefix.size());
    if (data.size() != 8)
        return false;
    uint32_t v = 0;
    for (char c : data) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        v = (v << 4) | static_cast<uint32_t>(digit);
    }
    *value = v;
    return true;
}

// `="text"`, with '\\' and '"' escaped by a backslash as the export format has them.
bool ParseString(std::string_view data, std::string* value) {
    if (data.size() < 3 || data.substr(0, 2) != "=\"" || data.back() != '"')
        return false;
    data = data.substr(2, data.size() - 3);
    std::string v;
    for (size_t i = 0; i < data.size(); ++i) {
        char c = data[i];
        if (c == '\\') {
            if (++i == data.size())
                return false;
            c = data[i];
        } else if (c == '"') {
            return false;
        }
        v += c;
    }
    *value = std::move(v);
    return true;
}

std::string QuoteString(std::string_view text) {
    std::string data = "=\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            data += '\\';
        data += c;
    }
    return data + '"';
}

std::vector<ValueLine> ReadValues(const std::string& file, bool* ok) {
    std::vector<ValueLine> lines;
    std::ifstream in(file, std::ios::binary);
    *ok = static_cast<bool>(in);
    std::string line;
    while (in && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(ParseLine(line));
    }
    return lines;
}

}  // namespace

RegistryStore::RegistryStore(std::string root) : root_(std::move(root)) {}

std::string RegistryStore::DefaultRoot() {
    const std::string dir = NordaConfigDir();
    return dir.empty() ? dir : dir + "/registry";
}

std::string RegistryStore::KeyPath(std::string_view key) const {
    if (root_.empty() || key.empty())
        return {};
    std::string path = root_;
    size_t start = 0;
    while (start <= key.size()) {
        size_t end = key.find('\\', start);
        if (end == std::string_view::npos)
            end = key.size();
        std::string_view level = key.substr(start, end - start);
        // A level must stay one folder below the previous one.
        if (level.empty() || level == "." || level == ".." ||
            level.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos)
            return {};
        path += '/';
        path += level;
        start = end + 1;
    }
    return path;
}

int RegistryStore::CreateKey(std::string_view key) {
    std::string path = KeyPath(key);
    if (path.empty())
        return kBadName;
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return std::filesystem::is_directory(path, ec) ? kOk : kIoFailed;
}

bool RegistryStore::KeyExists(std::string_view key) const {
    std::string path = KeyPath(key);
    std::error_code ec;
    return !path.empty() && std::filesystem::is_directory(path, ec);
}

int RegistryStore::FindValue(std::string_view key, std::string_view name, std::string* data) const {
    std::string path = KeyPath(key);
    if (path.empty() || !ValidValueName(name))
        return kBadName;
    if (!KeyExists(key))
        return kNoKey;
    bool ok = false;
    std::vector<ValueLine> lines = ReadValues(path + '/' + kValueFile, &ok);
    for (const ValueLine& line : lines) {
        if (!line.name.empty() && SameName(line.name, name)) {
            *data = line.text.substr(line.name.size() + 2);
            return kOk;
        }
    }
    return kNoValue;
}

int RegistryStore::QueryDword(std::string_view key, std::string_view name, uint32_t* value) const {
    std::string data;
    const int rc = FindValue(key, name, &data);
    if (rc != kOk)
        return rc;
    uint32_t v = 0;
    if (!ParseDword(data, &v))
        return kNotDword;
    if (value != nullptr)
        *value = v;
    return kOk;
}

int RegistryStore::QueryString(std::string_view key, std::string_view name,
                               std::string* value) const {
    std::string data;
    const int rc = FindValue(key, name, &data);
    if (rc != kOk)
        return rc;
    std::string v;
    if (!ParseString(data, &v))
        return kNotString;
    if (value != nullptr)
        *value = std::move(v);
    return kOk;
}

int RegistryStore::SetDword(std::string_view key, std::string_view name, uint32_t value) {
    char text[32];
    std::snprintf(text, sizeof text, "=dword:%08x", static_cast<unsigned>(value));
    return SetValue(key, name, text);
}

int RegistryStore::SetString(std::string_view key, std::string_view name, std::string_view value) {
    // One value is one line of the file.
    if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        return kBadData;
    return SetValue(key, name, QuoteString(value));
}

int RegistryStore::SetValue(std::string_view key, std::string_view name, const std::string& data) {
    std::string path = KeyPath(key);
    if (path.empty() || !ValidValueName(name))
        return kBadName;
    if (!KeyExists(key))
        return kNoKey;
    const std::string file = path + '/' + kValueFile;
    bool ok = false;
    std::vector<ValueLine> lines = ReadValues(file, &ok);

    bool replaced = false;
    for (ValueLine& line : lines) {
        if (!line.name.empty() && SameName(line.name, name)) {
            // The first spelling of the name stays, as the registry keeps it.
            line.text = '"' + line.name + '"' + data;
            replaced = true;
            break;
        }
    }
    if (!replaced)
        lines.push_back({std::string(name), '"' + std::string(name) + '"' + data});

    const std::string temp = file + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return kIoFailed;
        for (const ValueLine& line : lines)
            out << line.text << '\n';
        out.flush();
        if (!out) {
            out.close();
            std::remove(temp.c_str());
            return kIoFailed;
        }
    }
    if (std::rename(temp.c_str(), file.c_str()) != 0) {
        std::remove(temp.c_str());
        return kIoFailed;
    }
    return kOk;
}

}  // namespace norda
