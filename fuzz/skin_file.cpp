// The skin file, as read from the skin folder beside the program.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "ui/skin_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = fuzz::Text(data, size);
    if (const auto skin = ui::ParseSkin(text)) {
        FUZZ_CHECK(skin->fontSize >= 6 && skin->fontSize <= 24);
        FUZZ_CHECK(!skin->fontName.empty());
        for (const ui::Rgb c :
             {skin->window, skin->text, skin->edit, skin->editText, skin->navBar, skin->header,
              skin->headerText, skin->button, skin->buttonHot, skin->buttonText})
            FUZZ_CHECK(c <= 0xFFFFFFu);
    }
    for (std::string_view line : fuzz::Split(text, '\n'))
        if (const auto rgb = ui::ParseRgb(line)) FUZZ_CHECK(*rgb <= 0xFFFFFFu);
    return 0;
}
