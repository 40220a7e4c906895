#include "disk/junk_types.h"

#include <algorithm>
#include <cstdint>

namespace disk {
namespace {

// Offsets within a record.
constexpr size_t kFlagAt = 0;
constexpr size_t kTypeLengthAt = 4;
constexpr size_t kTypeAt = 5;
constexpr size_t kDescriptionLengthAt = 25;
constexpr size_t kDescriptionAt = 26;

std::string Field(std::string_view record, size_t lengthAt, size_t at, size_t max) {
    const size_t length = std::min<size_t>(static_cast<unsigned char>(record[lengthAt]), max);
    return std::string(record.substr(at, length));
}

void PutField(std::string& record, size_t lengthAt, size_t at, size_t max, std::string_view text) {
    const size_t length = std::min(text.size(), max);
    record[lengthAt] = static_cast<char>(length);
    std::copy_n(text.begin(), length, record.begin() + static_cast<std::ptrdiff_t>(at));
}

}  // namespace

std::vector<JunkRecord> DecodeJunkTypeList(std::string_view bytes) {
    std::vector<JunkRecord> out;
    out.reserve(bytes.size() / kJunkRecordSize);
    for (size_t at = 0; at + kJunkRecordSize <= bytes.size(); at += kJunkRecordSize) {
        const std::string_view record = bytes.substr(at, kJunkRecordSize);
        uint32_t flag = 0;
        for (size_t i = 0; i < 4; ++i)
            flag |= static_cast<uint32_t>(static_cast<unsigned char>(record[kFlagAt + i]))
                    << (8 * i);
        out.push_back({Field(record, kTypeLengthAt, kTypeAt, kJunkTypeMax),
                       Field(record, kDescriptionLengthAt, kDescriptionAt, kJunkDescriptionMax),
                       flag == 0xFFFFFFFFu});
    }
    return out;
}

std::string EncodeJunkTypeList(const std::vector<JunkRecord>& records) {
    std::string out;
    out.reserve(records.size() * kJunkRecordSize);
    for (const JunkRecord& r : records) {
        std::string record(kJunkRecordSize, '\0');
        if (r.checked) std::fill_n(record.begin() + kFlagAt, 4, '\xFF');
        PutField(record, kTypeLengthAt, kTypeAt, kJunkTypeMax, r.type);
        PutField(record, kDescriptionLengthAt, kDescriptionAt, kJunkDescriptionMax, r.description);
        out += record;
    }
    return out;
}

}  // namespace disk
