#pragma once
// The platform's performance data block, read and written as bytes with our own offsets (the
// layout a 64-bit process receives). No Windows header: pure logic, so it also builds natively.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace core::perf {

// Byte offsets of the records and their fields.
namespace layout {
// The data block header.
inline constexpr size_t kBlockSignature = 0;  // four UTF-16 letters "PERF"
inline constexpr size_t kBlockLittleEndian = 8;
inline constexpr size_t kBlockVersion = 12;
inline constexpr size_t kBlockRevision = 16;
inline constexpr size_t kBlockTotalByteLength = 20;
inline constexpr size_t kBlockHeaderLength = 24;
inline constexpr size_t kBlockNumObjectTypes = 28;
inline constexpr size_t kBlockDefaultObject = 32;
inline constexpr size_t kBlockSystemTime = 36;  // eight 16-bit fields, UTC
inline constexpr size_t kBlockPerfTime = 56;
inline constexpr size_t kBlockPerfFreq = 64;
inline constexpr size_t kBlockPerfTime100nSec = 72;
inline constexpr size_t kBlockSystemNameLength = 80;
inline constexpr size_t kBlockSystemNameOffset = 84;
inline constexpr size_t kBlockSize = 88;
// An object type.
inline constexpr size_t kObjectTotalByteLength = 0;
inline constexpr size_t kObjectDefinitionLength = 4;
inline constexpr size_t kObjectHeaderLength = 8;
inline constexpr size_t kObjectNameTitleIndex = 12;
inline constexpr size_t kObjectHelpTitleIndex = 20;
inline constexpr size_t kObjectDetailLevel = 28;
inline constexpr size_t kObjectNumCounters = 32;
inline constexpr size_t kObjectDefaultCounter = 36;
inline constexpr size_t kObjectNumInstances = 40;
inline constexpr size_t kObjectCodePage = 44;
inline constexpr size_t kObjectSize = 64;
// A counter definition.
inline constexpr size_t kCounterByteLength = 0;
inline constexpr size_t kCounterNameTitleIndex = 4;
inline constexpr size_t kCounterHelpTitleIndex = 12;
inline constexpr size_t kCounterDefaultScale = 20;
inline constexpr size_t kCounterDetailLevel = 24;
inline constexpr size_t kCounterType = 28;
inline constexpr size_t kCounterSize = 32;
inline constexpr size_t kCounterOffset = 36;
inline constexpr size_t kCounterDefinitionSize = 40;
// An instance definition, followed by its name and then its counter block.
inline constexpr size_t kInstanceByteLength = 0;
inline constexpr size_t kInstanceParentObjectTitleIndex = 4;
inline constexpr size_t kInstanceParentObjectInstance = 8;
inline constexpr size_t kInstanceUniqueId = 12;
inline constexpr size_t kInstanceNameOffset = 16;
inline constexpr size_t kInstanceNameLength = 20;
inline constexpr size_t kInstanceSize = 24;
// A counter block: its length, then the counter values.
inline constexpr size_t kCounterBlockByteLength = 0;
inline constexpr size_t kCounterBlockSize = 4;
}  // namespace layout

inline constexpr uint32_t kProcessorObject = 238;
// The processor time counter: 100-ns intervals during which the processor was idle.
inline constexpr uint32_t kProcessorTimeCounter = 6;
// Counter type of an inverse 100-ns timer shown as a percentage.
inline constexpr uint32_t kInverse100nsTimer = 0x21510500;
inline constexpr int32_t kNoInstances = -1;

// A calendar time as the block stores it (UTC).
struct BlockTime {
    uint16_t year = 0, month = 0, dayOfWeek = 0, day = 0;
    uint16_t hour = 0, minute = 0, second = 0, milliseconds = 0;
    bool operator==(const BlockTime&) const = default;
};

// The time in 100-ns intervals since 1 January 1601; nullopt for an impossible date
// (month 13, 30 February, hour 24, ...) or one outside the years 1601 to 30827.
std::optional<uint64_t> IntervalsSince1601(const BlockTime& t);
// The calendar time of a count of 100-ns intervals since 1601 (the inverse of the above).
BlockTime TimeOfIntervals(uint64_t intervals);

// The offset of the first of the block's objects whose name index is `titleIndex`, walking the
// objects the header announces; nullopt when there is none or the walk leaves the block.
std::optional<size_t> FindObject(std::span<const std::byte> block, uint32_t titleIndex);

enum class ParseError {
    NoProcessorObject,  // also: a header, object or instance that does not fit in the block
    NoProcessorTimeCounter,
};

struct ProcessorSample {
    int32_t instances = 0;         // as many as the object announces
    std::vector<uint64_t> values;  // the processor time counter of the instances read, in order
    uint64_t time = 0;             // the block's system time in 100-ns intervals since 1601
};

// Reads the processor time counter of the first `limit` instances of the processor object (all
// of them when `limit` is negative; never more than the object holds). Every length and offset
// is checked against the block, so a malformed block ends in an error, never in a read outside.
std::variant<ProcessorSample, ParseError> ParseProcessorBlock(std::span<const std::byte> block,
                                                              int32_t limit);

// What BuildBlock writes: objects of 64-bit counters, each instance with one value per counter.
struct InstanceData {
    std::u16string name;
    std::vector<uint64_t> values;  // one per counter of the object; missing ones are 0
};
struct CounterData {
    uint32_t titleIndex = 0;
    uint32_t type = kInverse100nsTimer;
};
struct ObjectData {
    uint32_t titleIndex = 0;
    std::vector<CounterData> counters;
    std::vector<InstanceData> instances;
    size_t trailingBytes = 0;  // zero bytes at the object's end, inside its length
};

// A well-formed block with the given system time and objects.
std::vector<std::byte> BuildBlock(const BlockTime& time, const std::vector<ObjectData>& objects);

// The processor object as our own layer presents it: counter 6 holding each processor's idle
// time, one instance per processor named "0", "1", ... and last "_Total", whose idle time is the
// processors' mean, so that its usage is the mean load.
std::vector<std::byte> BuildProcessorBlock(const BlockTime& time, std::span<const uint64_t> idle);

// Little-endian field access for building and patching blocks.
uint32_t ReadU32(std::span<const std::byte> bytes, size_t offset);
void WriteU32(std::span<std::byte> bytes, size_t offset, uint32_t value);
void WriteU64(std::span<std::byte> bytes, size_t offset, uint64_t value);

}  // namespace core::perf
