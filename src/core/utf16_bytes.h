#pragma once
// Text stored as 16-bit little-endian characters (registry string values). No Windows header.
#include <string>
#include <string_view>

namespace core {

// The characters up to the first NUL, or to the end without one; an odd last byte is not part
// of any character.
std::u16string Utf16TextOfBytes(std::string_view bytes);

}  // namespace core
