#include "resources/StringTable.h"

namespace norda {
namespace {

// clang-format off
constexpr StringEntry kSolviTr[] = {
    {602, "HATA"},
};
// clang-format on

}  // namespace

const StringTable& SolviTurkishStrings() {
    static const StringTable table(kSolviTr);
    return table;
}

}  // namespace norda
