#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <variant>
#include <vector>

#include "core/perf_block.h"
#include "core/perf_block_cases.h"

namespace {

using namespace perf_cases;

perf::ProcessorSample Sample(const std::variant<perf::ProcessorSample, perf::ParseError>& r) {
    if (const auto* e = std::get_if<perf::ParseError>(&r))
        ADD_FAILURE() << "parse error " << static_cast<int>(*e);
    const auto* s = std::get_if<perf::ProcessorSample>(&r);
    return s ? *s : perf::ProcessorSample{};
}

TEST(PerfBlock, ReadsTheProcessorTimeCounterOfEachInstance) {
    const auto block = SampleBlock();
    const auto all = Sample(perf::ParseProcessorBlock(block, -1));
    EXPECT_EQ(all.instances, 3);
    EXPECT_EQ(all.values, (std::vector<uint64_t>{1000, 2000, 1500}));
    EXPECT_EQ(all.time, *perf::IntervalsSince1601(kNoon));

    // As many as asked for, never more than the object holds.
    EXPECT_EQ(Sample(perf::ParseProcessorBlock(block, 2)).values,
              (std::vector<uint64_t>{1000, 2000}));
    EXPECT_EQ(Sample(perf::ParseProcessorBlock(block, 7)).values.size(), 3u);
    EXPECT_EQ(Sample(perf::ParseProcessorBlock(block, 0)).values.size(), 0u);
}

TEST(PerfBlock, ABlockLargerThanTheFirstBufferIsReadWhole) {
    const auto block = SampleBlock(kNoon, 12000);
    ASSERT_GT(block.size(), 8192u + 4096u);
    EXPECT_EQ(Sample(perf::ParseProcessorBlock(block, -1)).values,
              (std::vector<uint64_t>{1000, 2000, 1500}));
}

TEST(PerfBlock, FindsObjectsOnlyAmongThoseTheHeaderAnnounces) {
    const auto block = SampleBlock();
    EXPECT_EQ(perf::FindObject(block, 230), L::kBlockSize);
    EXPECT_TRUE(perf::FindObject(block, perf::kProcessorObject));
    EXPECT_FALSE(perf::FindObject(block, 4));
    auto one = block;
    perf::WriteU32(one, L::kBlockNumObjectTypes, 1);
    EXPECT_FALSE(perf::FindObject(one, perf::kProcessorObject));
}

TEST(PerfBlock, ABareHeaderHasNoProcessorObject) {
    // What a platform without processor data answers: a header and no objects, in a zeroed buffer.
    std::vector<std::byte> buffer(8192);
    const auto header = perf::BuildBlock(kNoon, {});
    std::copy(header.begin(), header.end(), buffer.begin());
    EXPECT_EQ(std::get<perf::ParseError>(perf::ParseProcessorBlock(buffer, -1)),
              perf::ParseError::NoProcessorObject);
    EXPECT_EQ(
        std::get<perf::ParseError>(perf::ParseProcessorBlock(std::vector<std::byte>(8192), -1)),
        perf::ParseError::NoProcessorObject);
}

TEST(PerfBlock, MalformedBlocksEndInTheErrorNeverOutside) {
    for (const Patch& p : kPatches) {
        SCOPED_TRACE(p.what);
        auto block = SampleBlock();
        perf::WriteU32(block, Anchor(block, p.at) + p.field, p.value);
        const auto result = perf::ParseProcessorBlock(block, -1);
        if (p.expected) {
            ASSERT_TRUE(std::holds_alternative<perf::ParseError>(result));
            EXPECT_EQ(std::get<perf::ParseError>(result), *p.expected);
        } else {
            EXPECT_EQ(Sample(result).values.size(), 3u);
        }
    }
}

TEST(PerfBlock, EveryCutAndEveryFieldOverwrittenStaysInside) {
    const auto block = SampleBlock();
    for (size_t n = 0; n < block.size(); ++n) {
        const std::vector<std::byte> cut(block.begin(), block.begin() + n);
        EXPECT_TRUE(std::holds_alternative<perf::ParseError>(perf::ParseProcessorBlock(cut, -1)))
            << "cut at " << n;
    }
    const uint32_t values[] = {0,
                               1,
                               7,
                               0x7FFFFFFF,
                               0x80000000,
                               0xFFFFFFFF,
                               static_cast<uint32_t>(block.size()),
                               static_cast<uint32_t>(block.size() - 4)};
    for (size_t at = 0; at + 4 <= block.size(); at += 4) {
        for (const uint32_t v : values) {
            auto bad = block;
            perf::WriteU32(bad, at, v);
            const auto result = perf::ParseProcessorBlock(bad, -1);
            if (const auto* s = std::get_if<perf::ProcessorSample>(&result)) {
                EXPECT_LE(s->values.size(), static_cast<size_t>(s->instances)) << at << " " << v;
            }
        }
    }
}

TEST(PerfBlockTime, KnownMomentsAndTheWayBack) {
    struct Case {
        perf::BlockTime t;
        uint64_t intervals;
    };
    const Case cases[] = {
        {{1601, 1, 1, 1, 0, 0, 0, 0}, 0},
        {{1970, 1, 4, 1, 0, 0, 0, 0}, 116444736000000000ull},
        {{2000, 3, 3, 1, 0, 0, 0, 1}, 125963424000010000ull},
        {{2024, 2, 4, 29, 23, 59, 59, 999}, 133537247999990000ull},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(perf::IntervalsSince1601(c.t), c.intervals) << c.t.year;
        EXPECT_EQ(perf::TimeOfIntervals(c.intervals), c.t) << c.t.year;
    }
}

// (Wine's own conversion lets 29 February of any year through, so it is no yardstick here.)
TEST(PerfBlockTime, ImpossibleDatesAreRefused) {
    const perf::BlockTime dates[] = {
        {2026, 13, 0, 1, 0, 0, 0, 0},    {2026, 0, 0, 1, 0, 0, 0, 0},
        {2023, 2, 0, 29, 0, 0, 0, 0},    {1900, 2, 0, 29, 0, 0, 0, 0},
        {2026, 4, 0, 31, 0, 0, 0, 0},    {2026, 1, 0, 0, 0, 0, 0, 0},
        {2026, 1, 0, 1, 24, 0, 0, 0},    {2026, 1, 0, 1, 0, 60, 0, 0},
        {2026, 1, 0, 1, 0, 0, 60, 0},    {2026, 1, 0, 1, 0, 0, 0, 1000},
        {1600, 12, 0, 31, 0, 0, 0, 0},   {30828, 1, 0, 1, 0, 0, 0, 0},
        {65257, 12, 5, 11, 12, 0, 0, 0},
    };
    for (const auto& t : dates)
        EXPECT_FALSE(perf::IntervalsSince1601(t)) << t.year << "-" << t.month << "-" << t.day;
}

TEST(PerfBlock, OurProcessorObjectHasEachProcessorAndTheTotal) {
    const uint64_t idle[] = {4000, 6000};
    const auto block = perf::BuildProcessorBlock(kNoon, idle);
    const auto s = Sample(perf::ParseProcessorBlock(block, -1));
    EXPECT_EQ(s.instances, 3);
    EXPECT_EQ(s.values, (std::vector<uint64_t>{4000, 6000, 5000}));

    // The instance names, in order.
    const size_t proc = *perf::FindObject(block, perf::kProcessorObject);
    size_t inst = proc + perf::ReadU32(block, proc + L::kObjectDefinitionLength);
    for (const std::u16string expected : {u"0", u"1", u"_Total"}) {
        const uint32_t nameOffset = perf::ReadU32(block, inst + L::kInstanceNameOffset);
        const uint32_t nameBytes = perf::ReadU32(block, inst + L::kInstanceNameLength);
        std::u16string name((nameBytes / 2) - 1, u'\0');
        std::memcpy(name.data(), block.data() + inst + nameOffset, name.size() * 2);
        EXPECT_EQ(name, expected);
        const size_t counterBlock = inst + perf::ReadU32(block, inst + L::kInstanceByteLength);
        inst = counterBlock + perf::ReadU32(block, counterBlock);
    }
    EXPECT_EQ(inst, proc + perf::ReadU32(block, proc + L::kObjectTotalByteLength));
}

}  // namespace
