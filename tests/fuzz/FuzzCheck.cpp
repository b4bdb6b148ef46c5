#include <cstdio>
#include <cstdlib>

#include "FuzzTargets.h"

namespace norda::fuzz {

void Fail(std::string_view what) {
    std::fprintf(stderr, "fuzz invariant broken: %.*s\n", static_cast<int>(what.size()),
                 what.data());
    std::abort();
}

}  // namespace norda::fuzz
