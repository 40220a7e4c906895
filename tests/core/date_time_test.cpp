#include "core/date_time.h"

#include <gtest/gtest.h>

namespace {

struct DateCase {
    int y, mo, d, h, mi, s, ms;
    double expected;
};

class DateTimeFromFields : public testing::TestWithParam<DateCase> {};

TEST_P(DateTimeFromFields, CountsDaysFrom30December1899) {
    const auto& c = GetParam();
    const auto v = core::DateTimeFromFields(c.y, c.mo, c.d, c.h, c.mi, c.s, c.ms);
    ASSERT_TRUE(v);
    EXPECT_NEAR(*v, c.expected, 1e-9) << c.y << "-" << c.mo << "-" << c.d;
}

INSTANTIATE_TEST_SUITE_P(
    Table, DateTimeFromFields,
    testing::Values(
        DateCase{1899, 12, 30, 0, 0, 0, 0, 0.0}, DateCase{1899, 12, 31, 0, 0, 0, 0, 1.0},
        DateCase{1900, 1, 1, 0, 0, 0, 0, 2.0}, DateCase{1900, 3, 1, 0, 0, 0, 0, 61.0},
        DateCase{2000, 1, 1, 12, 0, 0, 0, 36526.5}, DateCase{2026, 12, 11, 6, 0, 0, 0, 46367.25},
        DateCase{2024, 2, 29, 23, 59, 59, 999, 45351 + 86399999.0 / 86400000.0},
        // Before the epoch the time still runs forward through the day.
        DateCase{1899, 12, 29, 6, 0, 0, 0, -1.25}, DateCase{1601, 1, 1, 0, 0, 0, 0, -109205.0},
        DateCase{9999, 12, 31, 0, 0, 0, 0, 2958465.0}));

TEST(DateTimeFromFieldsInvalid, FieldsThatMakeNoDateOrTimeGiveNothing) {
    EXPECT_FALSE(core::DateTimeFromFields(2023, 2, 29, 0, 0, 0, 0));
    EXPECT_FALSE(core::DateTimeFromFields(1900, 2, 29, 0, 0, 0, 0));  // not a leap year
    EXPECT_FALSE(core::DateTimeFromFields(2026, 13, 1, 0, 0, 0, 0));
    EXPECT_FALSE(core::DateTimeFromFields(2026, 0, 1, 0, 0, 0, 0));
    EXPECT_FALSE(core::DateTimeFromFields(2026, 4, 31, 0, 0, 0, 0));
    EXPECT_FALSE(core::DateTimeFromFields(0, 1, 1, 0, 0, 0, 0));
    EXPECT_FALSE(core::DateTimeFromFields(10000, 1, 1, 0, 0, 0, 0));
    EXPECT_FALSE(core::DateTimeFromFields(2026, 1, 1, 24, 0, 0, 0));
    EXPECT_FALSE(core::DateTimeFromFields(2026, 1, 1, 0, 60, 0, 0));
    EXPECT_FALSE(core::DateTimeFromFields(2026, 1, 1, 0, 0, 60, 0));
    EXPECT_FALSE(core::DateTimeFromFields(2026, 1, 1, 0, 0, 0, 1000));
    EXPECT_TRUE(core::DateTimeFromFields(2000, 2, 29, 0, 0, 0, 0));
}

}  // namespace
