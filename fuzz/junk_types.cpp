// The junk type list file (66-byte records) as read from disk, and its write-back.
#include <cstddef>
#include <cstdint>

#include "disk/junk_types.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto records = disk::DecodeJunkTypeList(fuzz::Text(data, size));
    FUZZ_CHECK(records.size() == size / disk::kJunkRecordSize);
    for (const auto& r : records) {
        FUZZ_CHECK(r.type.size() <= disk::kJunkTypeMax);
        FUZZ_CHECK(r.description.size() <= disk::kJunkDescriptionMax);
    }
    // What the page writes back reads as what it read.
    const std::string written = disk::EncodeJunkTypeList(records);
    FUZZ_CHECK(written.size() == records.size() * disk::kJunkRecordSize);
    FUZZ_CHECK(disk::DecodeJunkTypeList(written) == records);
    return 0;
}
