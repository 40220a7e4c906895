#include "sysinfo/bios_image.h"

#include <algorithm>

namespace sysinfo {

std::string BiosTextAt(std::span<const std::byte> image, uint32_t address) {
    if (address < kBiosAreaStart || address > kBiosAreaEnd) return {};
    const size_t offset = address - kBiosAreaStart;
    if (offset >= image.size()) return {};
    const auto text = image.subspan(offset);
    const auto nul = std::find(text.begin(), text.end(), std::byte{0});
    return std::string(reinterpret_cast<const char*>(text.data()),
                       static_cast<size_t>(nul - text.begin()));
}

BiosTexts BiosTextsOf(std::span<const std::byte> image) {
    return {BiosTextAt(image, kBiosNameAddress), BiosTextAt(image, kBiosCopyrightAddress),
            BiosTextAt(image, kBiosVersionAddress), BiosTextAt(image, kBiosDateAddress),
            BiosTextAt(image, kBiosIdAddress)};
}

BiosTexts FailedBiosTexts() {
    return {kBiosFailureText, kBiosFailureText, kBiosFailureText, kBiosFailureText,
            kBiosFailureText};
}

namespace {

// RomDump.com, loaded at 100h. One DOS write moves at most FFFFh bytes, so the area goes out
// in two writes: F000:0000 for FFFFh bytes, then the byte at F000:FFFF.
//
//   0100  B8 00 F0     mov  ax, 0F000h
//   0103  8E D8        mov  ds, ax
//   0105  BA 00 00     mov  dx, 0000h        ; DS:DX = F000:0000
//   0108  B9 FF FF     mov  cx, 0FFFFh       ; 65,535 bytes
//   010B  BB 01 00     mov  bx, 1            ; standard output
//   010E  B4 40        mov  ah, 40h          ; write to handle
//   0110  CD 21        int  21h
//   0112  72 16        jc   012Ah            ; AL holds the DOS error code
//   0114  B8 00 F0     mov  ax, 0F000h
//   0117  8E D8        mov  ds, ax
//   0119  BA FF FF     mov  dx, 0FFFFh       ; DS:DX = F000:FFFF
//   011C  B9 01 00     mov  cx, 1
//   011F  BB 01 00     mov  bx, 1
//   0122  B4 40        mov  ah, 40h
//   0124  CD 21        int  21h
//   0126  72 02        jc   012Ah
//   0128  B0 00        mov  al, 0
//   012A  B4 4C        mov  ah, 4Ch          ; end with AL as the return code
//   012C  CD 21        int  21h
constexpr std::array<uint8_t, kBiosDumpProgramSize> kProgram = {
    0xB8, 0x00, 0xF0, 0x8E, 0xD8, 0xBA, 0x00, 0x00, 0xB9, 0xFF, 0xFF, 0xBB, 0x01, 0x00, 0xB4, 0x40,
    0xCD, 0x21, 0x72, 0x16, 0xB8, 0x00, 0xF0, 0x8E, 0xD8, 0xBA, 0xFF, 0xFF, 0xB9, 0x01, 0x00, 0xBB,
    0x01, 0x00, 0xB4, 0x40, 0xCD, 0x21, 0x72, 0x02, 0xB0, 0x00, 0xB4, 0x4C, 0xCD, 0x21,
};

}  // namespace

std::span<const std::byte, kBiosDumpProgramSize> BiosDumpProgram() {
    return std::span<const std::byte, kBiosDumpProgramSize>(
        reinterpret_cast<const std::byte*>(kProgram.data()), kProgram.size());
}

}  // namespace sysinfo
