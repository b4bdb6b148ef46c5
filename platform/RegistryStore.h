#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace norda {

// The part of the machine-wide registry that SOLVI keeps its settings in: keys named
// like "SOFTWARE\ZEMTAR\NORDA\SOLVI" holding 32-bit DWORD values. Each key is a folder
// below the store's root (the backslashes become folder levels), and its values are one
// small text file in that folder (in the registry's export format, so DWORD values read
// `"Name"=dword:0000005a` and string values `"Name"="text"`), so a user can read and edit them.
// Value names compare without regard to case, as the registry does. A value file is replaced in one
// step, so a reader never sees half of it.
class RegistryStore {
  public:
    static constexpr int kOk = 0;
    static constexpr int kBadName = -1;    // empty, "." or ".." level, '/' or NUL in a name
    static constexpr int kNoKey = -2;      // the key was never created
    static constexpr int kNoValue = -3;    // the key has no such value
    static constexpr int kIoFailed = -4;   // folder or file could not be made or read
    static constexpr int kNotDword = -5;   // the value is there but is not a DWORD
    static constexpr int kNotString = -6;  // the value is there but is not a string
    static constexpr int kBadData = -7;    // a string with a line break or NUL in it

    // root: the folder that stands for HKEY_LOCAL_MACHINE. An empty root stores nothing.
    explicit RegistryStore(std::string root);

    // "$XDG_CONFIG_HOME/norda/registry" (default "~/.config/norda/registry"); empty when
    // neither variable names a folder.
    static std::string DefaultRoot();

    // Creates the key and every missing parent key.
    int CreateKey(std::string_view key);
    bool KeyExists(std::string_view key) const;
    int QueryDword(std::string_view key, std::string_view name, uint32_t* value) const;
    // The key must exist (as after CreateKey).
    int SetDword(std::string_view key, std::string_view name, uint32_t value);
    // A one-line text value (REG_SZ). Setting a name replaces its value of either type.
    int QueryString(std::string_view key, std::string_view name, std::string* value) const;
    int SetString(std::string_view key, std::string_view name, std::string_view value);

    const std::string& Root() const { return root_; }
    // The folder of a key, or empty for a name that cannot be a key.
    std::string KeyPath(std::string_view key) const;

  private:
    // The line that follows the quoted name, e.g. "=dword:0000005a".
    int FindValue(std::string_view key, std::string_view name, std::string* data) const;
    int SetValue(std::string_view key, std::string_view name, const std::string& data);

    std::string root_;
};

}  // namespace norda
