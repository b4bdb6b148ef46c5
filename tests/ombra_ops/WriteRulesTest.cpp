#include <gtest/gtest.h>

#include "ombra/ops/WriteRules.h"

namespace norda::ombra {
namespace {

TEST(WriteRules, ProgrammingDateIsPackedDayMonthYear) {
    EXPECT_EQ(WriteRules::PackDate({2007, 3, 5}), 10637);
    EXPECT_EQ(WriteRules::PackDate({2001, 3, 15}), 0x7987);
    EXPECT_EQ(WriteRules::PackDate({1994, 12, 31}), (31 << 11) | (12 << 7));
}

struct DigitCase {
    int16_t digits[kDigitPlaces];
    int16_t selectable;
    int16_t expectedSelectable;
    int16_t expectedLast;
};

TEST(WriteRules, SelectiveCallDigitRule) {
    const DigitCase cases[] = {
        // Only the last place holds a digit: it is emptied and the count is 0.
        {{15, 15, 15, 15, 15, 7}, 4, 0, 15},
        // Two places: the selectable count comes down to 2.
        {{15, 15, 15, 15, 3, 7}, 4, 2, 7},
        // Six places: a smaller selectable count stays.
        {{1, 2, 3, 4, 5, 6}, 3, 3, 6},
        // Nothing in front is empty, whatever follows: all six count.
        {{1, 2, 15, 15, 15, 15}, 5, 5, 15},
    };
    for (const DigitCase& c : cases) {
        RadioParameters parameters;
        parameters.Service.SCEnc = 1;
        std::copy(std::begin(c.digits), std::end(c.digits), parameters.Service.SecmeliCagriNo);
        parameters.Clone.UserSelectedDig = c.selectable;
        WriteRules::ApplySelectiveCallRule(parameters);
        EXPECT_EQ(parameters.Clone.UserSelectedDig, c.expectedSelectable);
        EXPECT_EQ(parameters.Service.SecmeliCagriNo[5], c.expectedLast);
        for (int place = 0; place < 5; ++place) {
            EXPECT_EQ(parameters.Service.SecmeliCagriNo[place], c.digits[place]);
        }
    }
    RadioParameters off;
    off.Service.SCEnc = 0;
    off.Clone.UserSelectedDig = 5;
    WriteRules::ApplySelectiveCallRule(off);
    EXPECT_EQ(off.Clone.UserSelectedDig, 0);
}

}  // namespace
}  // namespace norda::ombra
