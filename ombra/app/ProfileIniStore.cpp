#include "ombra/app/ProfileIniStore.h"

#include "platform/ProfileFile.h"

namespace norda::ombra {

int ProfileIniStore::GetInt(const std::string& section, const std::string& key, int def) const {
    return ReadProfileInt(section, key, def, path_);
}

std::string ProfileIniStore::GetString(const std::string& section, const std::string& key,
                                       const std::string& def) const {
    // A path is longer than the usual buffer of a profile value.
    return ReadProfileString(section, key, def, 4096, path_);
}

std::vector<std::string> ProfileIniStore::KeyNames(const std::string& section,
                                                   size_t bufferSize) const {
    return ReadProfileKeyNames(section, bufferSize, path_);
}

bool ProfileIniStore::WriteString(const std::string& section, const std::string& key,
                                  const std::string& value) {
    return WriteProfileString(section, key, value, path_) == kProfileOk;
}

}  // namespace norda::ombra
