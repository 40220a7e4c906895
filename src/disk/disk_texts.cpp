#include "disk/disk_texts.h"

#include <cmath>

#include "core/number_text.h"

namespace disk {

DriveFigures DriveFiguresOf(int64_t totalBytes, int64_t freeBytes, std::string_view separator) {
    constexpr double kGiB = 1073741824.0;
    const double total = static_cast<double>(totalBytes);
    const double free = static_cast<double>(freeBytes);
    const double used = total - free;
    const auto gb = [&](double bytes) {
        return core::FormatWithSeparator("%5.2f", bytes / kGiB, separator) + " GB";
    };
    // A drive that reports no size has no share to show (and 0/0 has no whole part).
    const double share = total != 0 ? std::trunc(used / total * 100) : 0;
    const long long percent = std::isfinite(share) ? static_cast<long long>(share) : 0;
    return {gb(total), gb(used), gb(free), std::to_string(percent) + " %"};
}

std::string JunkCountText(int count) {
    return std::to_string(count) + "  Junk Files";
}

std::string JunkBytesText(double bytes, std::string_view separator) {
    return core::FormatWithSeparator("%10.0f", bytes, separator) + " Bytes";
}

std::string JunkMegabytesText(double bytes, std::string_view separator) {
    return core::FormatWithSeparator("%8.3f", bytes / 1000000.0, separator) + " MB";
}

}  // namespace disk
