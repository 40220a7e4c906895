#include "sysinfo/identify_block.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace sysinfo {

namespace {

// Offsets in the identify block (ATA words 10-19, 23-26, 27-46, 56, 57-58, 60-61).
constexpr size_t kSerialOffset = 20, kSerialSize = 20;
constexpr size_t kFirmwareOffset = 46, kFirmwareSize = 8;
constexpr size_t kModelOffset = 54, kModelSize = 40;
constexpr size_t kSectorsPerTrackOffset = 112;
constexpr size_t kCapacityOffset = 114;
constexpr size_t kTotalSectorsOffset = 120;

// The ATA task-file registers of IDENTIFY DEVICE for the master drive of the first channel:
// features, sector count, sector number, cylinder low, cylinder high, drive/head, command.
constexpr uint8_t kIdentifyRegisters[8] = {0, 1, 1, 0, 0, 0xA0, 0xEC, 0};

void Put32(IdentifyBuffer& b, size_t offset, uint32_t v) {
    for (size_t i = 0; i < 4; ++i)
        b[offset + i] = static_cast<std::byte>(v >> (8 * i));
}

void PutRegisters(IdentifyBuffer& b, size_t offset) {
    for (size_t i = 0; i < sizeof kIdentifyRegisters; ++i)
        b[offset + i] = static_cast<std::byte>(kIdentifyRegisters[i]);
}

uint32_t Get(const std::array<std::byte, kIdentifyBlockSize>& b, size_t offset, size_t bytes) {
    uint32_t v = 0;
    for (size_t i = 0; i < bytes; ++i)
        v |= static_cast<uint32_t>(b[offset + i]) << (8 * i);
    return v;
}

std::string SwappedText(std::array<std::byte, kIdentifyBlockSize>& b, size_t offset, size_t size) {
    const std::span<std::byte> field(b.data() + offset, size);
    SwapBytePairs(field);
    return std::string(reinterpret_cast<const char*>(field.data()), field.size());
}

}  // namespace

IdentifyBuffer NtIdentifyRequest() {
    IdentifyBuffer b{};
    Put32(b, 0, 28);  // header length
    std::memcpy(b.data() + 4, "SCSIDISK", 8);
    Put32(b, 12, 2);           // time-out in seconds
    Put32(b, 16, 0x001B0501);  // miniport identify
    Put32(b, 20, 0);           // return code
    Put32(b, 24, 544);         // data after the header
    Put32(b, 28, kIdentifyBlockSize);
    PutRegisters(b, 32);
    b[40] = std::byte{0};  // drive number
    return b;
}

IdentifyBuffer Win9xIdentifyRequest() {
    IdentifyBuffer b{};
    Put32(b, 0, kIdentifyBlockSize);
    PutRegisters(b, 4);
    b[12] = std::byte{0};  // drive number
    return b;
}

void SwapBytePairs(std::span<std::byte> area) {
    for (size_t i = 0; i + 1 < area.size(); i += 2)
        std::swap(area[i], area[i + 1]);
}

DiskIdentity ParseIdentifyBlock(std::span<const std::byte> block) {
    std::array<std::byte, kIdentifyBlockSize> b{};
    std::copy_n(block.begin(), std::min(block.size(), b.size()), b.begin());
    DiskIdentity id;
    id.serialNumber = SwappedText(b, kSerialOffset, kSerialSize);
    id.model = SwappedText(b, kModelOffset, kModelSize);
    id.firmware = SwappedText(b, kFirmwareOffset, kFirmwareSize);
    id.totalAddressableSectors = Get(b, kTotalSectorsOffset, 4);
    id.capacitySectors = Get(b, kCapacityOffset, 4);
    id.sectorsPerTrack = static_cast<uint16_t>(Get(b, kSectorsPerTrackOffset, 2));
    return id;
}

}  // namespace sysinfo
