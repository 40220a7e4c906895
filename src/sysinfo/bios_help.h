#pragma once
// Reading the BIOS area (F0000h..FFFFFh) by one of three methods, and the five texts taken
// from it.
#include <cstdint>
#include <string>

#include "platform/bios_source.h"
#include "sysinfo/bios_image.h"

namespace sysinfo {

enum BiosReadMethod : int {
    kBiosReadAuto = 0,
    kBiosReadDos = 1,
    kBiosReadDirect = 2,
    kBiosReadSection = 3
};

// How long the getters wait for the DOS dump program before giving up on it.
constexpr uint32_t kBiosDumpTimeoutMs = 5000;

// Fills the image by the method numbered above; any other number sets the last error to 87.
// The time-out (or platform::kNoTimeLimit) bounds the wait for the DOS program.
bool LoadBiosImage(const platform::BiosSource& source, BiosImage& image, int method,
                   uint32_t timeoutMs);
bool CopyBiosImageDirect(const platform::BiosSource& source, BiosImage& image);
// The physical-memory section; where that is refused for lack of rights, the DOS program.
bool MapBiosImageSection(const platform::BiosSource& source, BiosImage& image, uint32_t timeoutMs);
// Writes the DOS program into a fresh "~RomDmp<n>" folder under the temporary folder, runs it
// and reads its output; the folder and its files are gone again afterwards.
bool DumpBiosImageViaDos(const platform::BiosSource& source, BiosImage& image, uint32_t timeoutMs);
// True when all 46 bytes were written; a file left short is deleted.
bool WriteBiosDumpProgram(const std::string& path);
bool IsExistingFolder(const std::string& path);

// Each reads the area anew; the failure text when it cannot be read.
std::string BiosNameText(const platform::BiosSource& source);
std::string BiosCopyrightText(const platform::BiosSource& source);
std::string BiosVersionText(const platform::BiosSource& source);
std::string BiosDateText(const platform::BiosSource& source);
std::string BiosIDText(const platform::BiosSource& source);

// The five texts from one read of the area: the same texts as the five getters give.
BiosTexts ReadBiosTexts(const platform::BiosSource& source);

}  // namespace sysinfo
