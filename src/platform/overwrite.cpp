#include "platform/overwrite.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/handles.h"
#include "platform/text.h"

namespace platform {
namespace {

// Large enough that a big file costs few system calls, small enough to stay off the heap's
// slow paths; rounded to whole copies of the pattern so that each block continues the last.
constexpr size_t kBlockBytes = 1 << 20;

std::string MakeBlock(std::string_view pattern, uint64_t fileSize) {
    const size_t copies = std::max<size_t>(1, kBlockBytes / pattern.size());
    const uint64_t wanted = std::min<uint64_t>(fileSize, uint64_t{copies} * pattern.size());
    std::string block;
    block.reserve(static_cast<size_t>(wanted));
    while (block.size() < wanted)
        block.append(pattern.substr(
            0, static_cast<size_t>(std::min<uint64_t>(pattern.size(), wanted - block.size()))));
    return block;
}

}  // namespace

OverwriteResult OverwriteFileInPlace(const std::string& path, std::string_view pattern) {
    if (pattern.empty()) return OverwriteResult::NotOpened;
    UniqueHandle file = AdoptFile(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return OverwriteResult::NotOpened;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return OverwriteResult::WriteFailed;
    const uint64_t total = static_cast<uint64_t>(size.QuadPart);
    const std::string block = MakeBlock(pattern, total);
    uint64_t written = 0;
    while (written < total) {
        const DWORD chunk = static_cast<DWORD>(std::min<uint64_t>(block.size(), total - written));
        DWORD done = 0;
        if (!WriteFile(file.get(), block.data(), chunk, &done, nullptr) || done != chunk)
            return OverwriteResult::WriteFailed;
        written += done;
    }
    if (!FlushFileBuffers(file.get())) return OverwriteResult::WriteFailed;
    return OverwriteResult::Done;
}

bool DeleteOneFile(const std::string& path) {
    return DeleteFileW(Widen(path).c_str()) != FALSE;
}

}  // namespace platform
