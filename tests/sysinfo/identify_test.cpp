// The first disk's IDENTIFY: both request layouts, the reply offsets, and the fields of
// identify blocks the tests build.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/disk_device.h"
#include "support/system_fakes.h"
#include "sysinfo/disk_identify.h"
#include "sysinfo/identify_block.h"

namespace {

using platform::DiskPort;
using testing_support::FakeDiskDevice;

// An identify block as a drive sends it: text fields two characters a word, the first in the
// high byte; counts little-endian.
class BlockBuilder {
  public:
    BlockBuilder() : b_(512, '\0') {}
    BlockBuilder& Text(size_t offset, size_t size, std::string text) {
        text.resize(size, ' ');
        for (size_t i = 0; i + 1 < size; i += 2) {
            b_[offset + i] = text[i + 1];
            b_[offset + i + 1] = text[i];
        }
        return *this;
    }
    BlockBuilder& Raw(size_t offset, const std::string& bytes) {
        b_.replace(offset, bytes.size(), bytes);
        return *this;
    }
    BlockBuilder& U16(size_t offset, uint16_t v) {
        b_[offset] = static_cast<char>(v);
        b_[offset + 1] = static_cast<char>(v >> 8);
        return *this;
    }
    BlockBuilder& U32(size_t offset, uint32_t v) {
        return U16(offset, static_cast<uint16_t>(v))
            .U16(offset + 2, static_cast<uint16_t>(v >> 16));
    }
    const std::string& Bytes() const { return b_; }

  private:
    std::string b_;
};

std::string Str(const sysinfo::IdentifyBuffer& b, size_t offset, size_t size) {
    return std::string(reinterpret_cast<const char*>(b.data()) + offset, size);
}

TEST(IdentifyRequest, NtMiniportLayout) {
    const auto b = sysinfo::NtIdentifyRequest();
    const std::string expected(
        "\x1C\0\0\0"                // header length 28
        "SCSIDISK"                  // signature, no terminator
        "\x02\0\0\0"                // time-out 2 s
        "\x01\x05\x1B\0"            // 001B0501h
        "\0\0\0\0"                  // return code
        "\x20\x02\0\0"              // 544 bytes after the header
        "\0\x02\0\0"                // 512-byte command buffer
        "\0\x01\x01\0\0\xA0\xEC\0"  // registers: identify, master
        "\0",                       // drive number
        41);
    EXPECT_EQ(expected, Str(b, 0, 41));
    EXPECT_EQ(std::string(531, '\0'), Str(b, 41, 531));
}

TEST(IdentifyRequest, Win9xSmartLayout) {
    const auto b = sysinfo::Win9xIdentifyRequest();
    const std::string expected(
        "\0\x02\0\0"                // 512-byte command buffer
        "\0\x01\x01\0\0\xA0\xEC\0"  // registers
        "\0",                       // drive number
        13);
    EXPECT_EQ(expected, Str(b, 0, 13));
    EXPECT_EQ(std::string(572 - 13, '\0'), Str(b, 13, 572 - 13));
}

TEST(SwapBytePairs, WholePairsOnly) {
    const struct {
        std::string in, out;
    } cases[] = {{"", ""},         {"a", "a"},
                 {"ab", "ba"},     {"abc", "bac"},
                 {"abcd", "badc"}, {std::string("a\0b", 3), std::string("\0ab", 3)}};
    for (const auto& c : cases) {
        std::string s = c.in;
        sysinfo::SwapBytePairs(std::span(reinterpret_cast<std::byte*>(s.data()), s.size()));
        EXPECT_EQ(c.out, s) << c.in;
    }
}

TEST(IdentifyBlock, FieldsAtTheirOffsets) {
    const auto block = BlockBuilder()
                           .Text(20, 20, "      WD-WCAV12345678")
                           .Text(46, 8, "01.01A01")
                           .Text(54, 40, "WDC WD5000AAKS-00V1A0")
                           .U16(112, 63)
                           .U32(114, 16514064)
                           .U32(120, 976773168)
                           .Bytes();
    const auto id = sysinfo::ParseIdentifyBlock(
        std::span(reinterpret_cast<const std::byte*>(block.data()), block.size()));
    EXPECT_EQ("      WD-WCAV1234567", id.serialNumber) << "cut to its 20-byte field";
    EXPECT_EQ("01.01A01", id.firmware);
    EXPECT_EQ("WDC WD5000AAKS-00V1A0                   ", id.model) << "padded to 40 by the drive";
    EXPECT_EQ(40u, id.model.size());
    EXPECT_EQ(63, id.sectorsPerTrack);
    EXPECT_EQ(16514064u, id.capacitySectors);
    EXPECT_EQ(976773168u, id.totalAddressableSectors);
}

TEST(IdentifyBlock, SixtyThreeSectorsFromTheBytes3F00) {
    const auto block = BlockBuilder().Raw(112, std::string("\x3F\x00", 2)).Bytes();
    const auto id = sysinfo::ParseIdentifyBlock(
        std::span(reinterpret_cast<const std::byte*>(block.data()), block.size()));
    EXPECT_EQ(63, id.sectorsPerTrack);
}

TEST(IdentifyBlock, NulsAndFullLengthsKept) {
    // "AB", then NULs, then "CD" in the serial field, stored high byte first.
    const auto block =
        BlockBuilder().Raw(20, std::string("BA\0\0DC", 6)).Raw(46, std::string("\0X", 2)).Bytes();
    const auto id = sysinfo::ParseIdentifyBlock(
        std::span(reinterpret_cast<const std::byte*>(block.data()), block.size()));
    EXPECT_EQ(std::string("AB\0\0CD", 6) + std::string(14, '\0'), id.serialNumber);
    EXPECT_EQ(std::string("X\0", 2) + std::string(6, '\0'), id.firmware);
    EXPECT_EQ(std::string(40, '\0'), id.model);
    EXPECT_EQ(20u, id.serialNumber.size());
    EXPECT_EQ(8u, id.firmware.size());
}

TEST(IdentifyBlock, AShortBlockReadsAsZeros) {
    const auto block = BlockBuilder().U16(112, 63).U32(120, 0x01020304).Bytes().substr(0, 122);
    const auto id = sysinfo::ParseIdentifyBlock(
        std::span(reinterpret_cast<const std::byte*>(block.data()), block.size()));
    EXPECT_EQ(63, id.sectorsPerTrack);
    EXPECT_EQ(0x0304u, id.totalAddressableSectors);
    EXPECT_EQ(0u, sysinfo::ParseIdentifyBlock({}).capacitySectors);
}

const std::string& SampleBlock() {
    static const std::string block = BlockBuilder()
                                         .Text(20, 20, "S1")
                                         .Text(46, 8, "F1")
                                         .Text(54, 40, "Model One")
                                         .U16(112, 63)
                                         .U32(114, 1000)
                                         .U32(120, 2000)
                                         .Bytes();
    return block;
}

TEST(IdentifyFirstDisk, NtFamilyAsksTheFirstScsiPortInPlace) {
    FakeDiskDevice device;
    device.identifyBlock = SampleBlock();
    sysinfo::DiskIdentity id;
    ASSERT_TRUE(sysinfo::IdentifyFirstDisk(device, id));
    ASSERT_EQ(1u, device.calls.size());
    const auto& call = device.calls[0];
    EXPECT_EQ(DiskPort::Scsi0, call.port);
    EXPECT_EQ(0x0004D008u, call.code);
    const auto request = sysinfo::NtIdentifyRequest();
    EXPECT_EQ(Str(request, 0, 572), call.input);
    EXPECT_EQ(572u, call.outputSize);
    EXPECT_TRUE(call.inPlace);
    EXPECT_EQ("S1" + std::string(18, ' '), id.serialNumber);
    EXPECT_EQ("F1      ", id.firmware);
    EXPECT_EQ("Model One" + std::string(31, ' '), id.model);
    EXPECT_EQ(63, id.sectorsPerTrack);
    EXPECT_EQ(1000u, id.capacitySectors);
    EXPECT_EQ(2000u, id.totalAddressableSectors);
}

TEST(IdentifyFirstDisk, Win9xFamilyAsksTheSmartDriver) {
    FakeDiskDevice device;
    device.is95Family = true;
    device.identifyBlock = SampleBlock();
    sysinfo::DiskIdentity id;
    ASSERT_TRUE(sysinfo::IdentifyFirstDisk(device, id));
    ASSERT_EQ(1u, device.calls.size());
    const auto& call = device.calls[0];
    EXPECT_EQ(DiskPort::SmartDriver, call.port);
    EXPECT_EQ(0x0007C088u, call.code);
    EXPECT_EQ(Str(sysinfo::Win9xIdentifyRequest(), 0, 32), call.input);
    EXPECT_EQ(528u, call.outputSize);
    EXPECT_FALSE(call.inPlace);
    EXPECT_EQ("Model One" + std::string(31, ' '), id.model);
    EXPECT_EQ(63, id.sectorsPerTrack);
    EXPECT_EQ(2000u, id.totalAddressableSectors);
}

TEST(IdentifyFirstDisk, NoDataLeavesTheZeroedBlock) {
    for (const bool is95 : {false, true}) {
        FakeDiskDevice device;
        device.is95Family = is95;
        sysinfo::DiskIdentity id;
        ASSERT_TRUE(sysinfo::IdentifyFirstDisk(device, id));
        EXPECT_EQ(std::string(40, '\0'), id.model);
        EXPECT_EQ(0u, id.totalAddressableSectors);
    }
}

TEST(IdentifyFirstDisk, FailureLeavesTheResultsAsTheCallerSetThem) {
    for (const bool opens : {false, true}) {
        for (const bool is95 : {false, true}) {
            FakeDiskDevice device;
            device.is95Family = is95;
            device.opens = opens;
            device.accepts = false;
            device.identifyBlock = SampleBlock();
            sysinfo::DiskIdentity id;
            id.model = "caller's";
            id.sectorsPerTrack = 7;
            EXPECT_FALSE(sysinfo::IdentifyFirstDisk(device, id));
            EXPECT_EQ("caller's", id.model);
            EXPECT_EQ(7, id.sectorsPerTrack);
            EXPECT_EQ("", id.serialNumber);
        }
    }
}

}  // namespace
