#pragma once
// The numbers the disk cleaner shows, as texts in a given decimal separator. Pure logic.
#include <cstdint>
#include <string>
#include <string_view>

namespace disk {

// One drive's row: capacity, used and free in units of 2^30 bytes ("%5.2f GB") and the used
// share in whole per cent ("45 %"). Total and free are -1 when the size query failed.
struct DriveFigures {
    std::string capacity, used, free, usedPercent;
};
DriveFigures DriveFiguresOf(int64_t totalBytes, int64_t freeBytes, std::string_view separator);

// The status bar texts of the junk scan.
std::string JunkCountText(int count);                                     // "12  Junk Files"
std::string JunkBytesText(double bytes, std::string_view separator);      // "      4096 Bytes"
std::string JunkMegabytesText(double bytes, std::string_view separator);  // "   0.004 MB"

}  // namespace disk
