// The extension rule of the junk scan: the extension of a junk type from the list file against
// the names a directory listing gives. The input is "type\0file name"; the name is tried as
// narrow and as 16-bit text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "disk/junk_match.h"
#include "disk/walk_rules.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = fuzz::Text(data, size);
    const auto nul = text.find('\0');
    const std::string_view type = text.substr(0, nul);
    const std::string_view name = nul == text.npos ? std::string_view() : text.substr(nul + 1);

    const auto typeExt = disk::ExtensionOf(type);
    const auto nameExt = disk::ExtensionOf(name);
    FUZZ_CHECK(type.ends_with(typeExt) && name.ends_with(nameExt));
    FUZZ_CHECK(typeExt.empty() || typeExt.front() == '.');
    FUZZ_CHECK(disk::SameExtension(typeExt, typeExt));
    FUZZ_CHECK(disk::SameExtension(typeExt, nameExt) == disk::SameExtension(nameExt, typeExt));

    // The same name as the wide listing gives it, two bytes a character.
    std::u16string wide;
    for (size_t i = 0; i + 1 < name.size(); i += 2)
        wide += static_cast<char16_t>(static_cast<unsigned char>(name[i]) |
                                      static_cast<unsigned char>(name[i + 1]) << 8);
    const auto wideExt = disk::ExtensionOf(std::u16string_view(wide));
    FUZZ_CHECK(std::u16string_view(wide).ends_with(wideExt));
    disk::SameExtension(typeExt, wideExt);

    uint32_t attributes = 0;
    for (size_t i = 0; i < size && i < 4; ++i)
        attributes |= static_cast<uint32_t>(data[i]) << (8 * i);
    const auto kind = disk::KindOfEntry(attributes);
    FUZZ_CHECK((kind == disk::EntryKind::File) == !(attributes & disk::kAttributeDirectory));
    return 0;
}
