#pragma once
// What the junk walk does with one directory entry, from the attributes the listing gives.
// Pure logic: the attribute bits are the file system's own values.
#include <cstdint>

namespace disk {

inline constexpr uint32_t kAttributeDirectory = 0x10;
inline constexpr uint32_t kAttributeReparsePoint = 0x400;

enum class EntryKind { File, Folder, Passed };

// Files are looked at whatever their attributes (hidden, system, read-only included); folders
// are walked, hidden and system ones too, except reparse points (junctions, symbolic links,
// mount points), which loop back into the tree or lead off the drive.
constexpr EntryKind KindOfEntry(uint32_t attributes) {
    if (!(attributes & kAttributeDirectory)) return EntryKind::File;
    return (attributes & kAttributeReparsePoint) ? EntryKind::Passed : EntryKind::Folder;
}

}  // namespace disk
