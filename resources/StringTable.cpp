#include "resources/StringTable.h"

namespace norda {

StringTable::StringTable(std::span<const StringEntry> entries) {
    Add(entries);
}

void StringTable::Add(std::span<const StringEntry> entries) {
    // First entry wins, as with a resource compiler that keeps the first definition.
    for (const auto& e : entries)
        texts_.emplace(e.id, e.text);
}

std::string StringTable::Text(int id) const {
    if (id == 0)
        return {};
    auto it = texts_.find(id);
    return it == texts_.end() ? std::string() : std::string(it->second);
}

}  // namespace norda
