// A BIOS area image as a reader hands it over (any length, any bytes) and an absolute address:
// the first four bytes are the address, little-endian, the rest the image.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "fuzz_support.h"
#include "sysinfo/bios_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    const uint32_t address = data[0] | data[1] << 8 | data[2] << 16 | uint32_t{data[3]} << 24;
    const std::span<const std::byte> image(reinterpret_cast<const std::byte*>(data + 4), size - 4);
    const std::string text = sysinfo::BiosTextAt(image, address);
    FUZZ_CHECK(text.find('\0') == std::string::npos);
    if (address < 0xF0000 || address > 0xFFFFF || address - 0xF0000 >= image.size()) {
        FUZZ_CHECK(text.empty());
    } else {
        // The image's own bytes from the address, up to a NUL or the end.
        const size_t offset = address - 0xF0000;
        FUZZ_CHECK(offset + text.size() <= image.size());
        FUZZ_CHECK(std::memcmp(text.data(), data + 4 + offset, text.size()) == 0);
        FUZZ_CHECK(offset + text.size() == image.size() ||
                   image[offset + text.size()] == std::byte{0});
    }
    const auto texts = sysinfo::BiosTextsOf(image);
    for (const std::string* t :
         {&texts.name, &texts.copyright, &texts.version, &texts.date, &texts.id})
        FUZZ_CHECK(t->find('\0') == std::string::npos && t->size() <= image.size());
    return 0;
}
