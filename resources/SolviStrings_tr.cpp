#include "resources/StringTable.h"

namespace norda {
namespace {

constexpr StringEntry kSolviTr[] = {
    {602, "HATA"},
};

}  // namespace

const StringTable& SolviTurkishStrings() {
    static const StringTable table(kSolviTr);
    return table;
}

}  // namespace norda
