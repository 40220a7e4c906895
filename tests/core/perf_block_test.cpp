#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <variant>
#include <vector>

#include "core/perf_block.h"

namespace {

namespace perf = core::perf;
namespace L = core::perf::layout;

const perf::BlockTime kNoon{2026, 12, 5, 11, 12, 0, 0, 0};  // Friday 11 December 2026, 12:00 UTC

// The bytes placed flush against a page that cannot be read: a read past their end faults.
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

// Another object first, then the processor object with the processor time counter second.
std::vector<std::byte> SampleBlock(const perf::BlockTime& time = kNoon, size_t fillerBytes = 0) {
    perf::ObjectData filler{230, {{1, 0}}, {{u"Idle", {5}}}, fillerBytes};
    perf::ObjectData processor{perf::kProcessorObject,
                               {{142, 0}, {perf::kProcessorTimeCounter, perf::kInverse100nsTimer}},
                               {{u"0", {111, 1000}}, {u"1", {222, 2000}}, {u"_Total", {333, 1500}}},
                               0};
    return perf::BuildBlock(time, {filler, processor});
}

perf::ProcessorSample Sample(const std::variant<perf::ProcessorSample, perf::ParseError>& r) {
    if (const auto* e = std::get_if<perf::ParseError>(&r))
        ADD_FAILURE() << "parse error " << static_cast<int>(*e);
    const auto* s = std::get_if<perf::ProcessorSample>(&r);
    return s ? *s : perf::ProcessorSample{};
}

TEST(PerfBlock, ReadsTheProcessorTimeCounterOfEachInstance) {
    const auto block = SampleBlock();
    const Guarded g(block);
    const auto all = Sample(perf::ParseProcessorBlock(g.span(), -1));
    EXPECT_EQ(all.instances, 3);
    EXPECT_EQ(all.values, (std::vector<uint64_t>{1000, 2000, 1500}));
    EXPECT_EQ(all.time, *perf::IntervalsSince1601(kNoon));

    // As many as asked for, never more than the object holds.
    EXPECT_EQ(Sample(perf::ParseProcessorBlock(g.span(), 2)).values,
              (std::vector<uint64_t>{1000, 2000}));
    EXPECT_EQ(Sample(perf::ParseProcessorBlock(g.span(), 7)).values.size(), 3u);
    EXPECT_EQ(Sample(perf::ParseProcessorBlock(g.span(), 0)).values.size(), 0u);
}

TEST(PerfBlock, ABlockLargerThanTheFirstBufferIsReadWhole) {
    const auto block = SampleBlock(kNoon, 12000);
    ASSERT_GT(block.size(), 8192u + 4096u);
    const Guarded g(block);
    EXPECT_EQ(Sample(perf::ParseProcessorBlock(g.span(), -1)).values,
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

enum class At { Block, Filler, Processor, SecondCounter, FirstInstance, FirstCounterBlock };

struct Patch {
    const char* what;
    At at;
    size_t field;
    uint32_t value;
    std::optional<perf::ParseError> expected;  // nullopt: still parses
};

size_t Anchor(const std::vector<std::byte>& b, At at) {
    const size_t proc = *perf::FindObject(b, perf::kProcessorObject);
    const size_t inst = proc + perf::ReadU32(b, proc + L::kObjectDefinitionLength);
    switch (at) {
        case At::Block:
            return 0;
        case At::Filler:
            return L::kBlockSize;
        case At::Processor:
            return proc;
        case At::SecondCounter:
            return proc + L::kObjectSize + L::kCounterDefinitionSize;
        case At::FirstInstance:
            return inst;
        case At::FirstCounterBlock:
            return inst + perf::ReadU32(b, inst + L::kInstanceByteLength);
    }
    return 0;
}

constexpr auto kObject = perf::ParseError::NoProcessorObject;
constexpr auto kCounter = perf::ParseError::NoProcessorTimeCounter;

const Patch kPatches[] = {
    {"no objects announced", At::Block, L::kBlockNumObjectTypes, 0, kObject},
    {"more objects announced than held", At::Block, L::kBlockNumObjectTypes, 0xFFFFFFFF,
     std::nullopt},
    {"header length past the end", At::Block, L::kBlockHeaderLength, 0xFFFFFFF0, kObject},
    {"header length far past the end", At::Block, L::kBlockHeaderLength, 0x7FFFFFFF, kObject},
    {"impossible system time", At::Block, L::kBlockSystemTime + 2, 13, kObject},
    {"object length zero", At::Filler, L::kObjectTotalByteLength, 0, kObject},
    {"object length past the end", At::Filler, L::kObjectTotalByteLength, 0xFFFFFFFF, kObject},
    {"processor object past the end", At::Processor, L::kObjectTotalByteLength, 0x10000, kObject},
    {"processor object without instances", At::Processor, L::kObjectNumInstances, 0xFFFFFFFF,
     kObject},
    {"one instance more than held", At::Processor, L::kObjectNumInstances, 4, kObject},
    {"more instances than the object can hold", At::Processor, L::kObjectNumInstances, 0x7FFFFFFF,
     kObject},
    {"definitions past the end", At::Processor, L::kObjectDefinitionLength, 0xFFFFFFF8, kObject},
    {"no counters", At::Processor, L::kObjectNumCounters, 0, kCounter},
    {"only the first counter", At::Processor, L::kObjectNumCounters, 1, kCounter},
    {"counters past the end", At::Processor, L::kObjectHeaderLength, 0xFFFFFF00, kCounter},
    {"counter definition length zero", At::Processor, L::kObjectSize + L::kCounterByteLength, 0,
     kCounter},
    {"counter definition length past the end", At::Processor,
     L::kObjectSize + L::kCounterByteLength, 0xFFFFFFF0, kCounter},
    {"counter offset past the counter block", At::SecondCounter, L::kCounterOffset, 0xFFFFFFFC,
     kObject},
    {"counter offset into the block's last bytes", At::SecondCounter, L::kCounterOffset, 20,
     kObject},
    {"instance length zero", At::FirstInstance, L::kInstanceByteLength, 0, kObject},
    {"instance length past the end", At::FirstInstance, L::kInstanceByteLength, 0xFFFFFFF0,
     kObject},
    {"counter block length zero", At::FirstCounterBlock, L::kCounterBlockByteLength, 0, kObject},
    {"counter block length past the end", At::FirstCounterBlock, L::kCounterBlockByteLength,
     0x7FFFFFFF, kObject},
};

TEST(PerfBlock, MalformedBlocksEndInTheErrorNeverOutside) {
    for (const Patch& p : kPatches) {
        SCOPED_TRACE(p.what);
        auto block = SampleBlock();
        perf::WriteU32(block, Anchor(block, p.at) + p.field, p.value);
        const Guarded g(block);
        const auto result = perf::ParseProcessorBlock(g.span(), -1);
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
        const Guarded g(std::vector<std::byte>(block.begin(), block.begin() + n));
        EXPECT_TRUE(
            std::holds_alternative<perf::ParseError>(perf::ParseProcessorBlock(g.span(), -1)))
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
            const Guarded g(bad);
            const auto result = perf::ParseProcessorBlock(g.span(), -1);
            if (const auto* s = std::get_if<perf::ProcessorSample>(&result)) {
                EXPECT_LE(s->values.size(), static_cast<size_t>(s->instances)) << at << " " << v;
            }
        }
    }
}

TEST(PerfBlockTime, AgreesWithThePlatformsConversion) {
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

// (Wine's own conversion lets 29 February of any year through, so it is no yardstick here.)
TEST(PerfBlockTime, ImpossibleDatesAreRefused) {
    const perf::BlockTime dates[] = {
        {2026, 13, 0, 1, 0, 0, 0, 0},   {2026, 0, 0, 1, 0, 0, 0, 0},   {2023, 2, 0, 29, 0, 0, 0, 0},
        {1900, 2, 0, 29, 0, 0, 0, 0},   {2026, 4, 0, 31, 0, 0, 0, 0},  {2026, 1, 0, 0, 0, 0, 0, 0},
        {2026, 1, 0, 1, 24, 0, 0, 0},   {2026, 1, 0, 1, 0, 60, 0, 0},  {2026, 1, 0, 1, 0, 0, 60, 0},
        {2026, 1, 0, 1, 0, 0, 0, 1000}, {1600, 12, 0, 31, 0, 0, 0, 0},
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
