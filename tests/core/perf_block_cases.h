#pragma once
// A sample performance data block and the ways of breaking it, shared by the pure tests of the
// block reader and by those that run it against a page it must not read.
#include <cstdint>
#include <optional>
#include <vector>

#include "core/perf_block.h"

namespace perf_cases {

namespace perf = core::perf;
namespace L = core::perf::layout;

inline const perf::BlockTime kNoon{2026, 12, 5, 11,
                                   12,   0,  0, 0};  // Friday 11 December 2026, 12:00 UTC

// Another object first, then the processor object with the processor time counter second.
inline std::vector<std::byte> SampleBlock(const perf::BlockTime& time = kNoon,
                                          size_t fillerBytes = 0) {
    perf::ObjectData filler{230, {{1, 0}}, {{u"Idle", {5}}}, fillerBytes};
    perf::ObjectData processor{perf::kProcessorObject,
                               {{142, 0}, {perf::kProcessorTimeCounter, perf::kInverse100nsTimer}},
                               {{u"0", {111, 1000}}, {u"1", {222, 2000}}, {u"_Total", {333, 1500}}},
                               0};
    return perf::BuildBlock(time, {filler, processor});
}

enum class At { Block, Filler, Processor, SecondCounter, FirstInstance, FirstCounterBlock };

struct Patch {
    const char* what;
    At at;
    size_t field;
    uint32_t value;
    std::optional<perf::ParseError> expected;  // nullopt: still parses
};

inline size_t Anchor(const std::vector<std::byte>& b, At at) {
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

inline constexpr auto kObject = perf::ParseError::NoProcessorObject;
inline constexpr auto kCounter = perf::ParseError::NoProcessorTimeCounter;

inline const Patch kPatches[] = {
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

}  // namespace perf_cases
