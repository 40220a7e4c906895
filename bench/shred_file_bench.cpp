// What shredding one 256 MiB file costs against writing the same bytes once: a plain sequential
// write of a new file of that size with its flush, then the shred of a file of that size
// (overwrite with the shipped 64 KiB of zeros repeated, flush, delete). Several rounds, in
// turn, so a slow moment of the disk falls on both; prints each round and the ratio of the
// best times. The target is a ratio of at most 1.3.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "platform/handles.h"
#include "platform/text.h"
#include "privacy/file_shredder.h"
#include "support/temp_folder.h"

namespace {

constexpr uint64_t kFileBytes = 256ull << 20;
constexpr size_t kPlainBlock = 1 << 20;

double Millis(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
        .count();
}

// Creates the file and writes `kFileBytes` in 1 MiB blocks, then flushes it.
bool PlainWrite(const std::string& path) {
    platform::UniqueHandle file =
        platform::AdoptFile(CreateFileW(platform::Widen(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const std::string block(kPlainBlock, 'p');
    for (uint64_t done = 0; done < kFileBytes; done += block.size()) {
        DWORD written = 0;
        if (!WriteFile(file.get(), block.data(), static_cast<DWORD>(block.size()), &written,
                       nullptr))
            return false;
    }
    return FlushFileBuffers(file.get()) != FALSE;
}

}  // namespace

int main() {
    testing_support::TempFolder folder;
    const std::string plain = folder.File("plain.bin"), target = folder.File("target.bin");
    const std::string zeros(64 * 1024, '\0');
    double bestPlain = 1e300, bestShred = 1e300;
    std::printf("round  plain write+flush (ms)  shred (ms)\n");
    for (int round = 1; round <= 3; ++round) {
        auto start = std::chrono::steady_clock::now();
        if (!PlainWrite(plain)) return 1;
        const double plainMs = Millis(start);
        DeleteFileW(platform::Widen(plain).c_str());

        if (!PlainWrite(target)) return 1;  // the file to shred, not timed
        start = std::chrono::steady_clock::now();
        if (privacy::ShredFile(target, zeros) != privacy::ShredOutcome::Crushed) return 1;
        const double shredMs = Millis(start);
        std::printf("%5d  %22.1f  %10.1f\n", round, plainMs, shredMs);
        bestPlain = std::min(bestPlain, plainMs);
        bestShred = std::min(bestShred, shredMs);
    }
    std::printf("best: plain %.1f ms, shred %.1f ms, ratio %.2f (target <= 1.30)\n", bestPlain,
                bestShred, bestShred / bestPlain);
    return 0;
}
