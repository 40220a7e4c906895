// The bytes of a registry string value (a startup entry's command), as any program may have
// written them: any length, terminator or none.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/utf16_bytes.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = fuzz::Text(data, size);
    const std::u16string text = core::Utf16TextOfBytes(bytes);
    FUZZ_CHECK(text.size() <= size / 2);
    FUZZ_CHECK(text.find(u'\0') == std::u16string::npos);
    // The text is the value's first characters, as stored.
    for (size_t i = 0; i < text.size(); ++i)
        FUZZ_CHECK(text[i] == (data[2 * i] | data[2 * i + 1] << 8));
    return 0;
}
