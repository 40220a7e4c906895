// The layout check of a shell link file, which decides whether a file from a Startup folder is
// handed to the shell's loader. The input is the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/shell_link_layout.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(fuzz::Text(data, size));
    const bool whole = core::IsWholeShellLink(bytes);
    if (!whole) return 0;
    FUZZ_CHECK(bytes.size() >= 0x4C);
    FUZZ_CHECK(bytes[0] == 0x4C && bytes[1] == 0 && bytes[2] == 0 && bytes[3] == 0);
    // The header alone, announcing nothing, is a whole link; cut inside the header it is not.
    std::string header = bytes.substr(0, 0x4C);
    for (size_t at = 20; at < 24; ++at)
        header[at] = 0;
    FUZZ_CHECK(core::IsWholeShellLink(header));
    FUZZ_CHECK(!core::IsWholeShellLink(header.substr(0, 0x4B)));
    return 0;
}
