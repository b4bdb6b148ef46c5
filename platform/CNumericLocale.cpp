#include "platform/CNumericLocale.h"

namespace norda {
namespace {

// Made once and kept for the life of the process; uselocale() only switches to it.
locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

}  // namespace

CNumericLocale::CNumericLocale() : previous_(CLocale() ? uselocale(CLocale()) : nullptr) {}

CNumericLocale::~CNumericLocale() {
    if (previous_)
        uselocale(previous_);
}

}  // namespace norda
