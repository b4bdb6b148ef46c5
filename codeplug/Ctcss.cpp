#include "codeplug/Ctcss.h"

#include <array>
#include <cstddef>

namespace norda {

namespace {

constexpr std::array<int, kCtcssCodeCount + 1> kTones = {
    0,                                                 //
    67,  71,  74,  77,  79,  82,  85,  88,  91,  94,   // 1-10
    97,  100, 103, 107, 110, 114, 118, 123, 127, 131,  // 11-20
    136, 141, 146, 151, 156, 162, 167, 173, 179, 186,  // 21-30
    192, 203, 210, 218, 225, 233, 241, 250, 69,  159,  // 31-40
    165, 171, 177, 183, 189, 196, 199, 206, 229, 254,  // 41-50
};

}  // namespace

int CtcssTone(int code) {
    if (code < 0 || code > kCtcssCodeCount) {
        return 0;
    }
    return kTones[static_cast<size_t>(code)];
}

int CtcssCode(int tone) {
    if (tone == 0) {
        return 0;
    }
    for (int code = 1; code <= kCtcssCodeCount; ++code) {
        if (kTones[static_cast<size_t>(code)] == tone) {
            return code;
        }
    }
    return 0;
}

}  // namespace norda
