#include "platform/ProfileFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <utility>

#include "platform/Windows1254.h"

namespace norda {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string Fold(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(FoldCase1254(static_cast<unsigned char>(c)));
    return out;
}

std::string To1254(std::string_view utf8) {
    return Utf8ToWindows1254(utf8);
}

std::string_view Unquote(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v.remove_prefix(1);
        v.remove_suffix(1);
    }
    return v;
}

std::string Cut(std::string_view v, size_t bufferSize) {
    if (bufferSize == 0)
        return {};
    return std::string(v.substr(0, bufferSize - 1));
}

}  // namespace

ProfileFile ProfileFile::Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    std::string bytes;
    char chunk[1 << 16];
    while (bytes.size() < kMaxFileSize && in) {
        in.read(chunk,
                static_cast<std::streamsize>(std::min(sizeof chunk, kMaxFileSize - bytes.size())));
        bytes.append(chunk, static_cast<size_t>(in.gcount()));
    }
    return Parse(bytes);
}

ProfileFile ProfileFile::Parse(std::string_view bytes) {
    std::string text;
    static constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (bytes.substr(0, kBom.size()) == kBom) {
        text = Utf8ToWindows1254(bytes.substr(kBom.size()));
    } else {
        bool ascii = true;
        for (char c : bytes) {
            if (static_cast<unsigned char>(c) >= 0x80) {
                ascii = false;
                break;
            }
        }
        text = !ascii && IsValidUtf8(bytes) ? Utf8ToWindows1254(bytes) : std::string(bytes);
    }

    ProfileFile pf;
    pf.sections_.emplace_back();  // lines before the first header
    std::string_view rest = text;
    int number = 0;
    while (!rest.empty()) {
        ++number;
        size_t eol = rest.find('\n');
        std::string_view raw = rest.substr(0, eol);
        rest = eol == std::string_view::npos ? std::string_view() : rest.substr(eol + 1);
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);

        std::string_view t = Trim(raw);
        if (!t.empty() && t.front() == '[') {
            Section s;
            s.hasHeader = true;
            s.header = std::string(raw);
            std::string_view name = t.substr(1);
            name = Trim(name.substr(0, name.find(']')));
            s.name = std::string(name);
            pf.sections_.push_back(std::move(s));
            continue;
        }
        Line line;
        line.raw = std::string(raw);
        line.number = number;
        if (!t.empty() && t.front() != ';') {
            line.isKey = true;
            size_t eq = t.find('=');
            line.key = std::string(Trim(t.substr(0, eq)));
            if (eq != std::string_view::npos)
                line.value = std::string(Trim(t.substr(eq + 1)));
        }
        pf.sections_.back().lines.push_back(std::move(line));
    }
    return pf;
}

const ProfileFile::Section* ProfileFile::FindSection(std::string_view name1254) const {
    if (!sectionsIndexed_) {
        sectionIndex_.clear();
        for (size_t i = 0; i < sections_.size(); ++i) {
            if (sections_[i].hasHeader)
                sectionIndex_.emplace(Fold(sections_[i].name), i);
        }
        sectionsIndexed_ = true;
    }
    auto it = sectionIndex_.find(Fold(Trim(name1254)));
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

ProfileFile::Section* ProfileFile::FindSection(std::string_view name1254) {
    return const_cast<Section*>(std::as_const(*this).FindSection(name1254));
}

const ProfileFile::Line* ProfileFile::FindKey(const Section& s, std::string_view key1254) {
    if (!s.indexed) {
        s.index.clear();
        for (size_t i = 0; i < s.lines.size(); ++i) {
            if (s.lines[i].isKey)
                s.index.emplace(Fold(s.lines[i].key), i);
        }
        s.indexed = true;
    }
    auto it = s.index.find(Fold(Trim(key1254)));
    return it == s.index.end() ? nullptr : &s.lines[it->second];
}

const ProfileFile::Line* ProfileFile::FindLine(std::string_view section,
                                               std::string_view key) const {
    const Section* s = FindSection(To1254(section));
    return s ? FindKey(*s, To1254(key)) : nullptr;
}

bool ProfileFile::HasSection(std::string_view section) const {
    return FindSection(To1254(section)) != nullptr;
}

bool ProfileFile::HasKey(std::string_view section, std::string_view key) const {
    return FindLine(section, key) != nullptr;
}

int ProfileFile::KeyLine(std::string_view section, std::string_view key) const {
    const Line* line = FindLine(section, key);
    return line != nullptr ? line->number : 0;
}

std::vector<ProfileFile::RepeatedKey> ProfileFile::RepeatedKeys() const {
    std::vector<RepeatedKey> repeats;
    std::unordered_map<std::string, const Line*> first;
    for (const Section& s : sections_) {
        if (!s.hasHeader)
            continue;
        const std::string section = Fold(s.name);
        for (const Line& line : s.lines) {
            if (!line.isKey)
                continue;
            const auto [at, added] = first.emplace(section + '\0' + Fold(line.key), &line);
            if (added)
                continue;
            repeats.push_back({Windows1254ToUtf8(s.name), Windows1254ToUtf8(line.key), line.number,
                               Windows1254ToUtf8(Unquote(line.value)), at->second->number,
                               Windows1254ToUtf8(Unquote(at->second->value))});
        }
    }
    return repeats;
}

std::string ProfileFile::GetBytes(std::string_view section, std::string_view key,
                                  std::string_view def1254, size_t bufferSize) const {
    if (const Line* line = FindLine(section, key))
        return Cut(Unquote(line->value), bufferSize);
    while (!def1254.empty() && IsBlank(def1254.back()))
        def1254.remove_suffix(1);
    return Cut(def1254, bufferSize);
}

std::string ProfileFile::GetString(std::string_view section, std::string_view key,
                                   std::string_view def, size_t bufferSize) const {
    return Windows1254ToUtf8(GetBytes(section, key, To1254(def), bufferSize));
}

int32_t ProfileFile::GetInt(std::string_view section, std::string_view key, int32_t def) const {
    // The profile functions read the value through a small buffer before converting it.
    const std::string v = GetBytes(section, key, "", 30);
    if (v.empty())
        return def;
    size_t i = 0;
    bool negative = false;
    if (v[i] == '+' || v[i] == '-')
        negative = v[i++] == '-';
    uint32_t n = 0;
    for (; i < v.size() && v[i] >= '0' && v[i] <= '9'; ++i)
        n = n * 10u + uint32_t(v[i] - '0');
    if (negative)
        n = 0u - n;
    return static_cast<int32_t>(n);
}

std::vector<std::string> ProfileFile::KeyNames(std::string_view section, size_t bufferSize) const {
    std::vector<std::string> names;
    const Section* s = FindSection(To1254(section));
    if (!s || bufferSize < 2)
        return names;
    size_t room = bufferSize - 1;  // the list's closing NUL
    for (const Line& line : s->lines) {
        // An empty name would end the list early for a caller that walks it.
        if (!line.isKey || line.key.empty())
            continue;
        if (line.key.size() + 1 <= room) {
            names.push_back(Windows1254ToUtf8(line.key));
            room -= line.key.size() + 1;
            continue;
        }
        if (room > 1)
            names.push_back(Windows1254ToUtf8(line.key.substr(0, room - 1)));
        break;
    }
    return names;
}

void ProfileFile::SetString(std::string_view section, std::string_view key,
                            std::string_view value) {
    const std::string sec = std::string(Trim(To1254(section)));
    const std::string k = std::string(Trim(To1254(key)));
    const std::string v = To1254(value);
    Line line;
    line.raw = k + "=" + v;
    line.isKey = true;
    line.key = k;
    line.value = std::string(Trim(v));

    Section* s = FindSection(sec);
    if (!s) {
        Section fresh;
        fresh.hasHeader = true;
        fresh.name = sec;
        fresh.header = "[" + sec + "]";
        sections_.push_back(std::move(fresh));
        InvalidateSections();
        s = &sections_.back();
    }
    if (const Line* old = FindKey(*s, k)) {
        const_cast<Line&>(*old) = std::move(line);
        return;
    }
    size_t at = s->lines.size();
    while (at > 0 && Trim(s->lines[at - 1].raw).empty())
        --at;
    // Only blank lines can follow the new one, and they are not in the index, so the index
    // stays right with the new key added; rebuilding it instead made writing a whole
    // codeplug quadratic in its keys.
    if (s->indexed)
        s->index.emplace(Fold(k), at);
    s->lines.insert(s->lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

void ProfileFile::SetInt(std::string_view section, std::string_view key, int64_t value) {
    SetString(section, key, std::to_string(value));
}

std::string ProfileFile::Serialize() const {
    std::string out;
    for (const Section& s : sections_) {
        if (s.hasHeader)
            out.append(s.header).append("\r\n");
        for (const Line& line : s.lines)
            out.append(line.raw).append("\r\n");
    }
    return out;
}

namespace {

// Saving through a symbolic link replaces the file it points at and keeps the link:
// a codeplug kept in a shared folder and linked from a work folder stays shared.
std::string SaveTarget(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec))
        return path;
    const std::filesystem::path target = std::filesystem::weakly_canonical(path, ec);
    return ec ? path : target.string();
}

}  // namespace

int ProfileFile::Save(const std::string& linkOrPath) const {
    return ReplaceFileContent(linkOrPath, Serialize());
}

int ReplaceFileContent(const std::string& linkOrPath, std::string_view bytes) {
    const std::string path = SaveTarget(linkOrPath);
    std::string tmp = path + ".XXXXXX";
    int fd = mkstemp(tmp.data());
    if (fd < 0)
        return kProfileCreateFailed;
    // A new file gets the permissions an ordinary create would give it.
    const mode_t mask = umask(0);
    umask(mask);
    struct stat st;
    fchmod(fd, stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : (0666 & ~mask));

    bool ok = true;
    for (size_t done = 0; ok && done < bytes.size();) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            ok = false;
        else
            done += static_cast<size_t>(n);
    }
    ok = ok && fsync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    if (!ok) {
        unlink(tmp.c_str());
        return kProfileWriteFailed;
    }
    if (rename(tmp.c_str(), path.c_str()) != 0) {
        unlink(tmp.c_str());
        return kProfileRenameFailed;
    }
    // Make the rename itself durable.
    // Built in one expression: assigning "." afterwards trips GCC 12's -Wrestrict at -O2.
    const size_t slash = path.find_last_of('/');
    const std::string dir =
        slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    int dfd = open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        fsync(dfd);
        close(dfd);
    }
    return kProfileOk;
}

int32_t ReadProfileInt(std::string_view section, std::string_view key, int32_t def,
                       const std::string& path) {
    return ProfileFile::Load(path).GetInt(section, key, def);
}

std::string ReadProfileString(std::string_view section, std::string_view key, std::string_view def,
                              size_t bufferSize, const std::string& path) {
    return ProfileFile::Load(path).GetString(section, key, def, bufferSize);
}

std::vector<std::string> ReadProfileKeyNames(std::string_view section, size_t bufferSize,
                                             const std::string& path) {
    return ProfileFile::Load(path).KeyNames(section, bufferSize);
}

int WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                       const std::string& path) {
    ProfileFile pf = ProfileFile::Load(path);
    pf.SetString(section, key, value);
    return pf.Save(path);
}

}  // namespace norda
