#pragma once
// Whole-file reads and writes and path helpers over the wide Win32 file functions.
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Nothing when the file cannot be read or holds more than `maxBytes`.
std::optional<std::string> ReadWholeFile(const std::string& path, size_t maxBytes = 0x7FFFFFFF);
// Creates or truncates the file and writes the bytes; false when any step fails.
bool WriteWholeFile(const std::string& path, std::string_view bytes);
// Appends to the file, creating it when missing; false when any step fails.
bool AppendToFile(const std::string& path, std::string_view bytes);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// "C:\dir" + "name" -> "C:\dir\name" (one backslash between).
std::string JoinPath(const std::string& folder, std::string_view name);
// "C:\dir\file.exe" -> "C:\dir"
std::string FolderOf(const std::string& path);
// The path with the text after the last dot of the file name replaced ("x.exe" -> "x.INI").
std::string ReplaceExtension(const std::string& path, std::string_view extension);

// The full path of the running exe.
std::string ModulePath();
// The user's temporary folder, with a trailing backslash.
std::string TempFolder();

// The text of the last Win32 error, for error messages.
std::string LastErrorText();

}  // namespace platform
