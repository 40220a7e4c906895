#include "core/perf_block.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace core::perf {
namespace {

namespace L = layout;

// Reads fields only inside [0, size): every offset and length from the block goes through here.
class Reader {
  public:
    explicit Reader(std::span<const std::byte> bytes) : bytes_(bytes) {}
    size_t size() const { return bytes_.size(); }
    bool Fits(uint64_t offset, uint64_t length) const {
        return offset <= bytes_.size() && length <= bytes_.size() - offset;
    }
    template <typename T>
    T Get(size_t offset) const {
        T v;
        std::memcpy(&v, bytes_.data() + offset, sizeof v);
        return v;
    }

  private:
    std::span<const std::byte> bytes_;
};

constexpr bool IsLeap(int64_t y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int64_t y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

constexpr int64_t kDays1601To1970 = 134774;
constexpr uint64_t kIntervalsPerMs = 10'000;
constexpr uint64_t kIntervalsPerDay = 86'400'000ULL * kIntervalsPerMs;

size_t Align8(size_t n) {
    return (n + 7) & ~size_t{7};
}

}  // namespace

std::optional<uint64_t> IntervalsSince1601(const BlockTime& t) {
    // The platform's calendar ends with 30827, where 100-ns counts still fit in 63 bits.
    if (t.year < 1601 || t.year > 30827 || t.month < 1 || t.month > 12 || t.day < 1 ||
        t.day > DaysInMonth(t.year, t.month) || t.hour > 23 || t.minute > 59 || t.second > 59 ||
        t.milliseconds > 999)
        return std::nullopt;
    const int64_t days = DaysFromCivil(t.year, t.month, t.day) + kDays1601To1970;
    const uint64_t ms =
        ((uint64_t{t.hour} * 60 + t.minute) * 60 + t.second) * 1000 + t.milliseconds;
    return static_cast<uint64_t>(days) * kIntervalsPerDay + ms * kIntervalsPerMs;
}

BlockTime TimeOfIntervals(uint64_t intervals) {
    const int64_t z = static_cast<int64_t>(intervals / kIntervalsPerDay) - kDays1601To1970 + 719468;
    uint64_t ms = (intervals % kIntervalsPerDay) / kIntervalsPerMs;
    // Civil date from days since 1970 (inverse of DaysFromCivil).
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const int64_t y = static_cast<int64_t>(yoe) + era * 400 + (m <= 2);
    BlockTime t;
    t.year = static_cast<uint16_t>(y);
    t.month = static_cast<uint16_t>(m);
    t.day = static_cast<uint16_t>(d);
    // 1 January 1601 was a Monday.
    t.dayOfWeek = static_cast<uint16_t>((intervals / kIntervalsPerDay + 1) % 7);
    t.milliseconds = static_cast<uint16_t>(ms % 1000);
    ms /= 1000;
    t.second = static_cast<uint16_t>(ms % 60);
    ms /= 60;
    t.minute = static_cast<uint16_t>(ms % 60);
    t.hour = static_cast<uint16_t>(ms / 60);
    return t;
}

std::optional<size_t> FindObject(std::span<const std::byte> block, uint32_t titleIndex) {
    const Reader r(block);
    if (!r.Fits(0, L::kBlockSize)) return std::nullopt;
    const uint32_t objects = r.Get<uint32_t>(L::kBlockNumObjectTypes);
    uint64_t pos = r.Get<uint32_t>(L::kBlockHeaderLength);
    for (uint32_t i = 0; i < objects; ++i) {
        if (!r.Fits(pos, L::kObjectSize)) return std::nullopt;
        if (r.Get<uint32_t>(pos + L::kObjectNameTitleIndex) == titleIndex)
            return static_cast<size_t>(pos);
        const uint32_t length = r.Get<uint32_t>(pos + L::kObjectTotalByteLength);
        // A length shorter than a header would walk in place or backwards.
        if (length < L::kObjectSize) return std::nullopt;
        pos += length;
    }
    return std::nullopt;
}

std::variant<ProcessorSample, ParseError> ParseProcessorBlock(std::span<const std::byte> whole,
                                                              int32_t limit) {
    const auto found = FindObject(whole, kProcessorObject);
    if (!found) return ParseError::NoProcessorObject;
    const Reader blockReader(whole);
    BlockTime t;
    const size_t st = L::kBlockSystemTime;
    t.year = blockReader.Get<uint16_t>(st);
    t.month = blockReader.Get<uint16_t>(st + 2);
    t.dayOfWeek = blockReader.Get<uint16_t>(st + 4);
    t.day = blockReader.Get<uint16_t>(st + 6);
    t.hour = blockReader.Get<uint16_t>(st + 8);
    t.minute = blockReader.Get<uint16_t>(st + 10);
    t.second = blockReader.Get<uint16_t>(st + 12);
    t.milliseconds = blockReader.Get<uint16_t>(st + 14);
    const auto time = IntervalsSince1601(t);
    if (!time) return ParseError::NoProcessorObject;

    // From here on every read stays inside the object's own length.
    const uint32_t objectLength = blockReader.Get<uint32_t>(*found + L::kObjectTotalByteLength);
    if (!blockReader.Fits(*found, objectLength) || objectLength < L::kObjectSize)
        return ParseError::NoProcessorObject;
    const Reader r(whole.subspan(*found, objectLength));
    const int32_t instances = r.Get<int32_t>(L::kObjectNumInstances);
    // An object without instances is no processor object; one announcing more instances than its
    // length can hold is malformed (and must not make us allocate for them).
    if (instances < 0 ||
        static_cast<uint64_t>(instances) >
            r.size() / (L::kInstanceSize + L::kCounterBlockSize + sizeof(uint64_t)))
        return ParseError::NoProcessorObject;

    const uint32_t counters = r.Get<uint32_t>(L::kObjectNumCounters);
    uint64_t pos = r.Get<uint32_t>(L::kObjectHeaderLength);
    std::optional<uint32_t> counterOffset;
    for (uint32_t i = 0; i < counters; ++i) {
        if (!r.Fits(pos, L::kCounterDefinitionSize)) break;
        if (r.Get<uint32_t>(pos + L::kCounterNameTitleIndex) == kProcessorTimeCounter) {
            counterOffset = r.Get<uint32_t>(pos + L::kCounterOffset);
            break;
        }
        const uint32_t length = r.Get<uint32_t>(pos + L::kCounterByteLength);
        if (length < L::kCounterDefinitionSize) break;
        pos += length;
    }
    if (!counterOffset) return ParseError::NoProcessorTimeCounter;

    ProcessorSample sample;
    sample.instances = instances;
    sample.time = *time;
    const int32_t count = limit < 0 ? instances : std::min(limit, instances);
    sample.values.reserve(static_cast<size_t>(count));
    pos = r.Get<uint32_t>(L::kObjectDefinitionLength);
    for (int32_t i = 0; i < count; ++i) {
        if (!r.Fits(pos, L::kInstanceSize)) return ParseError::NoProcessorObject;
        const uint32_t instanceLength = r.Get<uint32_t>(pos + L::kInstanceByteLength);
        if (instanceLength < L::kInstanceSize) return ParseError::NoProcessorObject;
        const uint64_t counterBlock = pos + instanceLength;
        if (!r.Fits(counterBlock, L::kCounterBlockSize)) return ParseError::NoProcessorObject;
        const uint32_t blockLength = r.Get<uint32_t>(counterBlock + L::kCounterBlockByteLength);
        if (blockLength < L::kCounterBlockSize || !r.Fits(counterBlock, blockLength) ||
            *counterOffset > blockLength || blockLength - *counterOffset < sizeof(uint64_t))
            return ParseError::NoProcessorObject;
        sample.values.push_back(r.Get<uint64_t>(counterBlock + *counterOffset));
        pos = counterBlock + blockLength;
    }
    return sample;
}

uint32_t ReadU32(std::span<const std::byte> bytes, size_t offset) {
    if (!Reader(bytes).Fits(offset, 4)) throw std::out_of_range("perf block read");
    return Reader(bytes).Get<uint32_t>(offset);
}

void WriteU32(std::span<std::byte> bytes, size_t offset, uint32_t value) {
    if (!Reader(bytes).Fits(offset, 4)) throw std::out_of_range("perf block write");
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

void WriteU64(std::span<std::byte> bytes, size_t offset, uint64_t value) {
    if (!Reader(bytes).Fits(offset, 8)) throw std::out_of_range("perf block write");
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

std::vector<std::byte> BuildBlock(const BlockTime& time, const std::vector<ObjectData>& objects) {
    std::vector<std::byte> out(L::kBlockSize);
    const auto put16 = [&](size_t at, uint16_t v) { std::memcpy(out.data() + at, &v, 2); };
    const auto put32 = [&](size_t at, uint32_t v) { WriteU32(out, at, v); };
    const auto put64 = [&](size_t at, uint64_t v) { WriteU64(out, at, v); };
    const char16_t* signature = u"PERF";
    for (size_t i = 0; i < 4; ++i)
        put16(L::kBlockSignature + 2 * i, static_cast<uint16_t>(signature[i]));
    put32(L::kBlockLittleEndian, 1);
    put32(L::kBlockVersion, 1);
    put32(L::kBlockRevision, 1);
    put32(L::kBlockHeaderLength, L::kBlockSize);
    put32(L::kBlockNumObjectTypes, static_cast<uint32_t>(objects.size()));
    put32(L::kBlockDefaultObject, kProcessorObject);
    const uint16_t fields[] = {time.year, time.month,  time.dayOfWeek, time.day,
                               time.hour, time.minute, time.second,    time.milliseconds};
    for (size_t i = 0; i < 8; ++i)
        put16(L::kBlockSystemTime + 2 * i, fields[i]);
    put64(L::kBlockPerfFreq, 10'000'000);
    put64(L::kBlockPerfTime100nSec, IntervalsSince1601(time).value_or(0));

    for (const ObjectData& object : objects) {
        const size_t start = out.size();
        const size_t nCounters = object.counters.size();
        const size_t definitionLength = L::kObjectSize + nCounters * L::kCounterDefinitionSize;
        out.resize(start + definitionLength);
        put32(start + L::kObjectDefinitionLength, static_cast<uint32_t>(definitionLength));
        put32(start + L::kObjectHeaderLength, L::kObjectSize);
        put32(start + L::kObjectNameTitleIndex, object.titleIndex);
        put32(start + L::kObjectHelpTitleIndex, object.titleIndex + 1);
        put32(start + L::kObjectDetailLevel, 100);
        put32(start + L::kObjectNumCounters, static_cast<uint32_t>(nCounters));
        put32(start + L::kObjectNumInstances, static_cast<uint32_t>(object.instances.size()));
        put32(start + L::kObjectCodePage, 0);
        for (size_t c = 0; c < nCounters; ++c) {
            const size_t at = start + L::kObjectSize + c * L::kCounterDefinitionSize;
            put32(at + L::kCounterByteLength, L::kCounterDefinitionSize);
            put32(at + L::kCounterNameTitleIndex, object.counters[c].titleIndex);
            put32(at + L::kCounterHelpTitleIndex, object.counters[c].titleIndex + 1);
            put32(at + L::kCounterDetailLevel, 100);
            put32(at + L::kCounterType, object.counters[c].type);
            put32(at + L::kCounterSize, sizeof(uint64_t));
            put32(at + L::kCounterOffset, static_cast<uint32_t>(8 + 8 * c));
        }
        for (size_t i = 0; i < object.instances.size(); ++i) {
            const InstanceData& instance = object.instances[i];
            const size_t at = out.size();
            const size_t nameBytes = (instance.name.size() + 1) * 2;
            const size_t instanceLength = Align8(L::kInstanceSize + nameBytes);
            const size_t blockLength = 8 + 8 * nCounters;
            out.resize(at + instanceLength + blockLength);
            put32(at + L::kInstanceByteLength, static_cast<uint32_t>(instanceLength));
            put32(at + L::kInstanceUniqueId, 0xFFFFFFFF);
            put32(at + L::kInstanceNameOffset, L::kInstanceSize);
            put32(at + L::kInstanceNameLength, static_cast<uint32_t>(nameBytes));
            for (size_t k = 0; k < instance.name.size(); ++k)
                put16(at + L::kInstanceSize + 2 * k, static_cast<uint16_t>(instance.name[k]));
            const size_t block = at + instanceLength;
            put32(block + L::kCounterBlockByteLength, static_cast<uint32_t>(blockLength));
            for (size_t c = 0; c < nCounters && c < instance.values.size(); ++c)
                put64(block + 8 + 8 * c, instance.values[c]);
        }
        out.resize(Align8(out.size() + object.trailingBytes));
        put32(start + L::kObjectTotalByteLength, static_cast<uint32_t>(out.size() - start));
    }
    put32(L::kBlockTotalByteLength, static_cast<uint32_t>(out.size()));
    return out;
}

std::vector<std::byte> BuildProcessorBlock(const BlockTime& time, std::span<const uint64_t> idle) {
    ObjectData object{kProcessorObject, {{kProcessorTimeCounter, kInverse100nsTimer}}, {}, 0};
    uint64_t sum = 0;
    for (size_t i = 0; i < idle.size(); ++i) {
        std::u16string name;
        for (const char c : std::to_string(i))
            name += static_cast<char16_t>(c);
        object.instances.push_back({name, {idle[i]}});
        sum += idle[i];
    }
    object.instances.push_back({u"_Total", {idle.empty() ? 0 : sum / idle.size()}});
    return BuildBlock(time, {object});
}

}  // namespace core::perf
