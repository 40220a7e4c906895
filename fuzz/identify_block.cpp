// The identify block a disk driver hands back, of any length: its text fields keep their full
// lengths and its counts are the block's little-endian words.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "fuzz_support.h"
#include "sysinfo/identify_block.h"

namespace {

uint32_t ByteAt(const uint8_t* data, size_t size, size_t i) {
    return i < size ? data[i] : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto id = sysinfo::ParseIdentifyBlock(
        std::span<const std::byte>(reinterpret_cast<const std::byte*>(data), size));
    FUZZ_CHECK(id.serialNumber.size() == 20);
    FUZZ_CHECK(id.model.size() == 40);
    FUZZ_CHECK(id.firmware.size() == 8);
    // Text fields come high byte first: the pairs are swapped back.
    for (size_t i = 0; i < 40; ++i)
        FUZZ_CHECK(static_cast<uint8_t>(id.model[i]) == ByteAt(data, size, 54 + (i ^ 1)));
    FUZZ_CHECK(id.sectorsPerTrack == (ByteAt(data, size, 112) | ByteAt(data, size, 113) << 8));
    uint32_t total = 0, capacity = 0;
    for (size_t i = 0; i < 4; ++i) {
        total |= ByteAt(data, size, 120 + i) << (8 * i);
        capacity |= ByteAt(data, size, 114 + i) << (8 * i);
    }
    FUZZ_CHECK(id.totalAddressableSectors == total);
    FUZZ_CHECK(id.capacitySectors == capacity);
    // Swapping the pairs twice gives the bytes back.
    std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::span<std::byte> area(reinterpret_cast<std::byte*>(bytes.data()), bytes.size());
    sysinfo::SwapBytePairs(area);
    sysinfo::SwapBytePairs(area);
    FUZZ_CHECK(bytes == std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
