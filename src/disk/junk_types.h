#pragma once
// The junk type list file: fixed records of 66 bytes, no header, no trailer. Pure logic: the
// texts are the file's single bytes (the ANSI code page); converting them is the caller's job.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace disk {

inline constexpr size_t kJunkRecordSize = 66;
inline constexpr size_t kJunkTypeMax = 20;
inline constexpr size_t kJunkDescriptionMax = 40;

struct JunkRecord {
    std::string type;         // ANSI bytes
    std::string description;  // ANSI bytes
    bool checked = false;

    bool operator==(const JunkRecord&) const = default;
};

// One record per whole 66 bytes; the bytes after the last whole record are ignored. A flag of -1
// is checked, any other unchecked; a length byte beyond its field reads as the whole field.
std::vector<JunkRecord> DecodeJunkTypeList(std::string_view bytes);

// Texts longer than their fields are cut to 20 and 40 bytes; unused field bytes are zero.
std::string EncodeJunkTypeList(const std::vector<JunkRecord>& records);

}  // namespace disk
