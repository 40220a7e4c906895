// The values of the settings file ("key=value" lines, any bytes), as the check boxes and radio
// buttons read them, in the separators a user's locale may give.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/number_text.h"
#include "fuzz_support.h"

namespace {

void Value(std::string_view text) {
    for (std::string_view separator : {".", ",", "", "::"}) {
        const auto number = core::ParseNumber(text, separator);
        const auto state = core::ParseBoolean(text, separator);
        if (number) {
            FUZZ_CHECK(state && *state == (*number != 0.0));
            FUZZ_CHECK(!std::isnan(*number));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = fuzz::Text(data, size);
    Value(text);
    for (std::string_view line : fuzz::Split(text, '\n')) {
        const auto eq = line.find('=');
        if (eq != std::string_view::npos) Value(line.substr(eq + 1));
    }
    return 0;
}
