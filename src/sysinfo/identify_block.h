#pragma once
// The disk IDENTIFY request layouts and the reply's identify block. No Windows header: pure
// logic, so it also builds natively for sanitizers and fuzzing.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace sysinfo {

// One buffer serves as request and reply.
constexpr size_t kIdentifyBufferSize = 572;
using IdentifyBuffer = std::array<std::byte, kIdentifyBufferSize>;

// The NT family's miniport request: the whole buffer goes out and comes back in place.
constexpr uint32_t kScsiMiniportCode = 0x0004D008;
constexpr size_t kNtBlockOffset = 44;
// The 95 family's SMART request: 32 bytes out, 528 back from offset 32.
constexpr uint32_t kReceiveDriveDataCode = 0x0007C088;
constexpr size_t kWin9xRequestSize = 32;
constexpr size_t kWin9xReplyOffset = 32;
constexpr size_t kWin9xReplySize = 528;
constexpr size_t kWin9xBlockOffset = 48;

constexpr size_t kIdentifyBlockSize = 512;

IdentifyBuffer NtIdentifyRequest();
IdentifyBuffer Win9xIdentifyRequest();

// Swaps the two bytes of each whole pair; an odd last byte stays.
void SwapBytePairs(std::span<std::byte> area);

// What the tree shows of the first disk. The texts keep their full field lengths, filler
// spaces and NULs included.
struct DiskIdentity {
    std::string serialNumber;  // 20 bytes
    std::string model;         // 40 bytes
    std::string firmware;      // 8 bytes
    uint32_t totalAddressableSectors = 0;
    uint32_t capacitySectors = 0;
    uint16_t sectorsPerTrack = 0;
};

// Reads the fields of a 512-byte identify block; bytes missing from a shorter block read as 0.
DiskIdentity ParseIdentifyBlock(std::span<const std::byte> block);

}  // namespace sysinfo
