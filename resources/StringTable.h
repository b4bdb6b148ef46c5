#pragma once

#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/TextSource.h"

namespace norda {

struct StringEntry {
    int id;
    std::string_view text;  // UTF-8
};

class StringTable final : public TextSource {
  public:
    StringTable() = default;
    explicit StringTable(std::span<const StringEntry> entries);
    void Add(std::span<const StringEntry> entries);
    std::string Text(int id) const override;
    bool Has(int id) const { return texts_.count(id) != 0; }

  private:
    std::unordered_map<int, std::string_view> texts_;
};

// The built-in Turkish texts of each program.
const StringTable& OmbraTurkishStrings();
const StringTable& SolviTurkishStrings();

}  // namespace norda
