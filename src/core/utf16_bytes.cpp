#include "core/utf16_bytes.h"

namespace core {

std::u16string Utf16TextOfBytes(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto c = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             static_cast<unsigned char>(bytes[i + 1]) << 8);
        if (c == u'\0') break;
        text += c;
    }
    return text;
}

}  // namespace core
