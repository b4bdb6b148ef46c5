#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace norda {

// Failures of writing a profile file; the old file is intact after any of them.
enum ProfileResult : int {
    kProfileOk = 0,
    kProfileCreateFailed = -1,  // no temporary file beside the target
    kProfileWriteFailed = -2,   // writing or flushing the temporary file
    kProfileRenameFailed = -3,  // putting it in place of the target
};

// A profile (INI) file as the Windows profile functions see it: section and key
// names compared without regard to case, the first section and the first key of a
// name win, blanks around names and values do not count, a value wholly in quotes
// loses them, and whatever is missing gives the caller's default. Changes keep every
// other line as it was. Text is kept in Windows-1254, the code page of the files the
// Windows programs exchange; the interface speaks UTF-8. Look-ups build an index
// lazily, so one object is not to be shared between threads.
class ProfileFile {
  public:
    // What a caller of the profile functions typically passes as its buffer.
    static constexpr size_t kDefaultBufferSize = 256;
    // Beyond this a file is not a profile of ours; only its beginning is read.
    static constexpr size_t kMaxFileSize = 64u << 20;

    ProfileFile() = default;

    // A missing or unreadable file reads as an empty profile.
    static ProfileFile Load(const std::string& path);
    // Windows-1254 or UTF-8 (with or without a byte-order mark), decided per file.
    static ProfileFile Parse(std::string_view bytes);

    bool HasSection(std::string_view section) const;
    bool HasKey(std::string_view section, std::string_view key) const;

    // At most bufferSize - 1 characters of the value, as with a caller's buffer of
    // that size; trailing blanks of the default are dropped as the profile functions do.
    std::string GetString(std::string_view section, std::string_view key, std::string_view def,
                          size_t bufferSize = kDefaultBufferSize) const;
    // The same in Windows-1254 bytes, for values that are stored byte by byte.
    std::string GetBytes(std::string_view section, std::string_view key, std::string_view def1254,
                         size_t bufferSize = kDefaultBufferSize) const;
    // Optional sign and decimal digits up to the first other character (no digits
    // give 0, arithmetic wraps at 32 bits); a missing key or an empty value gives def.
    int32_t GetInt(std::string_view section, std::string_view key, int32_t def) const;
    // The line of the file (the first is 1) that gives the key's value; 0 when the key is
    // missing or was set by this program.
    int KeyLine(std::string_view section, std::string_view key) const;
    // A key given again in a section of the same name, where the profile functions take
    // the first value and never see the later one.
    struct RepeatedKey {
        std::string section;  // as the file spells them at the later line
        std::string key;
        int line = 0;
        std::string value;
        int firstLine = 0;
        std::string firstValue;
    };
    // Every later line of a key given before, in file order; values without their quotes.
    std::vector<RepeatedKey> RepeatedKeys() const;

    // The key names of a section in file order, as they fit into a caller's buffer of
    // bufferSize bytes holding each name with a NUL and one more NUL at the end; the
    // name that does not fit is cut.
    std::vector<std::string> KeyNames(std::string_view section, size_t bufferSize) const;

    // Creates the section (at the end) and the key (after the section's last line) as
    // needed; an existing key keeps its place.
    void SetString(std::string_view section, std::string_view key, std::string_view value);
    void SetInt(std::string_view section, std::string_view key, int64_t value);

    // The file content: Windows-1254, CR LF line ends.
    std::string Serialize() const;
    // Replaces `path` in one step: a temporary file beside it is written, flushed to
    // disk and renamed over it.
    int Save(const std::string& path) const;

  private:
    struct Line {
        std::string raw;     // as in the file, without the line end
        bool isKey = false;  // has a key name (blank lines, comments and headers do not)
        std::string key;     // trimmed key name
        std::string value;   // trimmed value, quotes kept
        int number = 0;      // line in the file, 1 for the first; 0 for lines set here
    };
    struct Section {
        bool hasHeader = false;  // false only for lines before the first header
        std::string name;
        std::string header;
        std::vector<Line> lines;
        mutable std::unordered_map<std::string, size_t> index;  // folded key -> first line
        mutable bool indexed = false;
    };

    const Section* FindSection(std::string_view name1254) const;
    Section* FindSection(std::string_view name1254);
    static const Line* FindKey(const Section& s, std::string_view key1254);
    const Line* FindLine(std::string_view section, std::string_view key) const;
    void InvalidateSections() { sectionsIndexed_ = false; }

    std::vector<Section> sections_;
    mutable std::unordered_map<std::string, size_t> sectionIndex_;
    mutable bool sectionsIndexed_ = false;
};

// Replaces the file at `linkOrPath` (or the file a symbolic link there points at) with
// `bytes` in one step, as ProfileFile::Save does; 0 or a negative ProfileResult.
int ReplaceFileContent(const std::string& linkOrPath, std::string_view bytes);

// The profile functions on a file name: every call reads the file anew, every write
// replaces it atomically and returns a ProfileResult.
int32_t ReadProfileInt(std::string_view section, std::string_view key, int32_t def,
                       const std::string& path);
std::string ReadProfileString(std::string_view section, std::string_view key, std::string_view def,
                              size_t bufferSize, const std::string& path);
std::vector<std::string> ReadProfileKeyNames(std::string_view section, size_t bufferSize,
                                             const std::string& path);
int WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                       const std::string& path);

}  // namespace norda
