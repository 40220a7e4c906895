#pragma once
// The junk type list file's fields from the program's UTF-8 texts: the file holds single bytes
// of the ANSI code page in fields of a fixed length.
#include <cstddef>
#include <string>

#include "disk/junk_types.h"

namespace disk {

// The text in the ANSI code page, cut to at most `maxBytes` bytes without splitting a character.
std::string AnsiField(const std::string& utf8, size_t maxBytes);

// A record of the list file for a row of the type list.
JunkRecord JunkRecordOf(const std::string& type, const std::string& description, bool checked);

}  // namespace disk
