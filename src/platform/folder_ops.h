#pragma once
// Making and removing a working folder, and writing a small file into it.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// One folder; its parent must exist. False when it exists already or cannot be made.
bool CreateFolder(const std::string& path);
// An empty folder.
bool RemoveFolder(const std::string& path);
// Creates or replaces the file (others may read it meanwhile) and writes the bytes in one
// write; true only when every byte was written.
bool WriteFileInOneWrite(const std::string& path, std::string_view bytes);
// Up to `maxBytes` from the start of the file (others may read and write it meanwhile);
// nullopt when it cannot be opened or read.
std::optional<std::string> ReadFileStart(const std::string& path, size_t maxBytes);

}  // namespace platform
