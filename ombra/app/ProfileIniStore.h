#pragma once

#include "ombra/app/AppConfig.h"

namespace norda::ombra {

// OMBRA's INI file through the platform's profile functions: every read sees the file
// as it is now, every write replaces it in one step.
class ProfileIniStore final : public IniStore {
  public:
    explicit ProfileIniStore(std::string path) : path_(std::move(path)) {}
    int GetInt(const std::string& section, const std::string& key, int def) const override;
    std::vector<std::string> KeyNames(const std::string& section, size_t bufferSize) const override;
    bool WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& def) const override;
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

}  // namespace norda::ombra
