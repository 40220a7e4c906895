// The performance data block reader against the platform: each block lies flush against a page
// that cannot be read, so a read past its end faults instead of passing unseen; and our calendar
// arithmetic agrees with the platform's own conversion.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <variant>
#include <vector>

#include "core/perf_block.h"
#include "core/perf_block_cases.h"

namespace {

using namespace perf_cases;

class Guarded {
  public:
    explicit Guarded(const std::vector<std::byte>& bytes) : size_(bytes.size()) {
        const size_t page = 4096, pages = (size_ + page - 1) / page + 1;
        base_ = static_cast<std::byte*>(
            VirtualAlloc(nullptr, pages * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        DWORD old = 0;
        VirtualProtect(base_ + (pages - 1) * page, page, PAGE_NOACCESS, &old);
        data_ = base_ + (pages - 1) * page - size_;
        if (size_) std::memcpy(data_, bytes.data(), size_);
    }
    ~Guarded() { VirtualFree(base_, 0, MEM_RELEASE); }
    Guarded(const Guarded&) = delete;
    Guarded& operator=(const Guarded&) = delete;
    std::span<const std::byte> span() const { return {data_, size_}; }

  private:
    size_t size_;
    std::byte* base_;
    std::byte* data_;
};

TEST(PerfBlockGuarded, BrokenBlocksAreNeverReadPastTheirEnd) {
    for (const Patch& p : kPatches) {
        SCOPED_TRACE(p.what);
        auto block = SampleBlock();
        perf::WriteU32(block, Anchor(block, p.at) + p.field, p.value);
        const Guarded g(block);
        EXPECT_EQ(std::holds_alternative<perf::ParseError>(perf::ParseProcessorBlock(g.span(), -1)),
                  p.expected.has_value());
    }
    const auto block = SampleBlock(kNoon, 9000);
    for (size_t n = 0; n <= block.size(); n += (n < 400 ? 1 : 97)) {
        const Guarded g(std::vector<std::byte>(block.begin(), block.begin() + n));
        perf::ParseProcessorBlock(g.span(), -1);
        perf::FindObject(g.span(), perf::kProcessorObject);
    }
    const uint32_t values[] = {0, 1, 0x7FFFFFFF, 0xFFFFFFFF, static_cast<uint32_t>(block.size())};
    for (size_t at = 0; at + 4 <= 400; at += 4)
        for (const uint32_t v : values) {
            auto bad = block;
            perf::WriteU32(bad, at, v);
            const Guarded g(bad);
            perf::ParseProcessorBlock(g.span(), -1);
        }
}

TEST(PerfBlockGuarded, CalendarAgreesWithThePlatform) {
    const perf::BlockTime dates[] = {
        {1601, 1, 1, 1, 0, 0, 0, 0},       {1970, 1, 4, 1, 0, 0, 0, 0},
        {2024, 2, 4, 29, 23, 59, 59, 999}, {2026, 12, 5, 11, 12, 0, 0, 0},
        {2000, 2, 2, 29, 6, 30, 15, 500},  {30827, 12, 5, 31, 23, 59, 59, 999},
    };
    for (const auto& t : dates) {
        const SYSTEMTIME st{t.year, t.month,  t.dayOfWeek, t.day,
                            t.hour, t.minute, t.second,    t.milliseconds};
        FILETIME ft;
        ASSERT_TRUE(SystemTimeToFileTime(&st, &ft)) << t.year;
        const uint64_t expected = (uint64_t{ft.dwHighDateTime} << 32) | ft.dwLowDateTime;
        EXPECT_EQ(perf::IntervalsSince1601(t), expected) << t.year << "-" << t.month;
        EXPECT_EQ(perf::TimeOfIntervals(expected), t) << t.year << "-" << t.month;
    }
}

}  // namespace
