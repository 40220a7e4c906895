#pragma once
// Overwriting a file in place, for the shredder: its bytes are replaced on the disk before the
// file is deleted, so the old contents cannot be read back from the freed clusters.
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

enum class OverwriteResult {
    Done,         // every byte replaced and flushed to the disk
    NotOpened,    // missing, read-only, in use or not a file: nothing was written
    WriteFailed,  // opened, but a write or the flush failed part-way
};

// Writes `pattern` repeated from the file's first byte up to its own length (a file shorter than
// the pattern is never grown), in large blocks, then forces the bytes to the disk. The file is
// opened without sharing, so nobody reads or writes it meanwhile. `pattern` must not be empty.
OverwriteResult OverwriteFileInPlace(const std::string& path, std::string_view pattern);

// Deletes the file; false when it is still there.
bool DeleteOneFile(const std::string& path);

}  // namespace platform
