#pragma once
// The BIOS area image and the texts at fixed addresses in it. No Windows header: pure logic, so
// it also builds natively for sanitizers and fuzzing.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace sysinfo {

constexpr uint32_t kBiosAreaStart = 0xF0000;
constexpr uint32_t kBiosAreaEnd = 0xFFFFF;  // the last byte
constexpr size_t kBiosImageSize = 0x10000;

// Byte i holds the byte at physical address F0000h + i.
using BiosImage = std::array<std::byte, kBiosImageSize>;

constexpr uint32_t kBiosNameAddress = 0xFE0C1;
constexpr uint32_t kBiosCopyrightAddress = 0xFE091;
constexpr uint32_t kBiosVersionAddress = 0xFE061;
constexpr uint32_t kBiosDateAddress = 0xFFFF5;
constexpr uint32_t kBiosIdAddress = 0xFEC71;

// What every BIOS text getter gives when the area cannot be read.
inline constexpr const char* kBiosFailureText = "sadgf00net";

// The bytes at an absolute address up to the first NUL (or the image's end), unfiltered; empty
// for an address outside F0000h..FFFFFh or past the end of a shorter image.
std::string BiosTextAt(std::span<const std::byte> image, uint32_t address);

// The five texts of one image, as raw bytes.
struct BiosTexts {
    std::string name, copyright, version, date, id;
};
BiosTexts BiosTextsOf(std::span<const std::byte> image);
// Every text the failure text.
BiosTexts FailedBiosTexts();

// The 16-bit DOS program that copies the BIOS area to standard output.
constexpr size_t kBiosDumpProgramSize = 46;
std::span<const std::byte, kBiosDumpProgramSize> BiosDumpProgram();

}  // namespace sysinfo
