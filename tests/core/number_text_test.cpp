#include <gtest/gtest.h>

#include "core/number_text.h"

namespace {

TEST(FormatWithSeparator, PatternsAndSeparators) {
    EXPECT_EQ(core::FormatWithSeparator("%5.2f", 9.7656, "."), " 9.77");
    EXPECT_EQ(core::FormatWithSeparator("%5.2f", 931.51, ","), "931,51");
    EXPECT_EQ(core::FormatWithSeparator("%8.3f", 0.0, "."), "   0.000");
    EXPECT_EQ(core::FormatWithSeparator("%10.0f", 3000000000.0, ","), "3000000000");
}

TEST(ParseNumber, AcceptsTheUsersSeparatorOnly) {
    EXPECT_EQ(core::ParseNumber("1,5", ","), 1.5);
    EXPECT_FALSE(core::ParseNumber("1.5", ","));
    EXPECT_EQ(core::ParseNumber(" -2 ", "."), -2.0);
    EXPECT_EQ(core::ParseNumber("1e-2", "."), 0.01);
    EXPECT_FALSE(core::ParseNumber(".", "."));
    EXPECT_FALSE(core::ParseNumber("1e", "."));
}

}  // namespace
