#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "platform/vm_counters.h"

namespace {

// A record of eleven slots, slot i holding `base + i`; the page fault count in slot 2 holds
// only 32 bits, the rest of that slot is padding.
std::vector<std::byte> Record(size_t pointerSize, uint64_t base) {
    std::vector<std::byte> bytes(11 * pointerSize);
    for (size_t slot = 0; slot < 11; ++slot) {
        const uint64_t value = base + slot;
        const size_t width = slot == 2 ? 4 : pointerSize;
        for (size_t b = 0; b < width; ++b)
            bytes[slot * pointerSize + b] = static_cast<std::byte>(value >> (8 * b));
    }
    return bytes;
}

TEST(VmCountersTest, ReadsVirtualAndWorkingSetSizesOfBothWidths) {
    const auto wide = Record(8, 0x1'2345'6700);
    const auto c64 = platform::ParseVmCounters(wide, 8);
    ASSERT_TRUE(c64);
    EXPECT_EQ(c64->virtualSize, 0x1'2345'6701u);  // above 4 GiB, whole
    EXPECT_EQ(c64->workingSetSize, 0x1'2345'6704u);

    const auto narrow = Record(4, 0x1000);
    const auto c32 = platform::ParseVmCounters(narrow, 4);
    ASSERT_TRUE(c32);
    EXPECT_EQ(c32->virtualSize, 0x1001u);
    EXPECT_EQ(c32->workingSetSize, 0x1004u);
}

TEST(VmCountersTest, ALongerRecordIsReadFromItsStart) {
    auto extended = Record(8, 500);  // the extended record adds a twelfth slot
    extended.resize(96, std::byte{0xFF});
    const auto c = platform::ParseVmCounters(extended, 8);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->virtualSize, 501u);
    EXPECT_EQ(c->workingSetSize, 504u);
}

TEST(VmCountersTest, ShortBlocksAndOddWidthsAreRefused) {
    EXPECT_EQ(platform::VmCountersLength(8), 88u);
    EXPECT_EQ(platform::VmCountersLength(4), 44u);
    auto wide = Record(8, 1);
    wide.pop_back();
    EXPECT_FALSE(platform::ParseVmCounters(wide, 8));
    EXPECT_FALSE(platform::ParseVmCounters({}, 8));
    EXPECT_FALSE(platform::ParseVmCounters(Record(4, 1), 8));
    EXPECT_FALSE(platform::ParseVmCounters(Record(8, 1), 2));
    EXPECT_FALSE(platform::ParseVmCounters(Record(8, 1), 16));
}

}  // namespace
