// Location texts of startup entries as they come back from the list and the properties dialog:
// labels, registry location texts and location codes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "startup/locations.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(fuzz::Text(data, size));

    const auto location = startup::ParseRegistryLocation(text);
    FUZZ_CHECK(location.keyPath.size() <= text.size());
    FUZZ_CHECK(text.ends_with(location.keyPath));
    if (text.find('\\') != std::string::npos) {
        FUZZ_CHECK(location.keyPath.starts_with('\\'));
        if (text.starts_with(startup::kLocalMachine + std::string("\\")))
            FUZZ_CHECK(startup::RegistryLocationText(location.root, location.keyPath) == text);
    }

    const std::string path = startup::LocationPath(text, [](int csidl) {
        FUZZ_CHECK(csidl == startup::kCsidlStartup || csidl == startup::kCsidlCommonStartup);
        return std::string("C:\\Startup");
    });
    FUZZ_CHECK(!path.empty());

    int code = 0;
    for (size_t i = 0; i < size && i < sizeof code; ++i)
        code = static_cast<int>(static_cast<unsigned>(code) << 8 | data[i]);
    std::string label = "unchanged";
    startup::LocationLabel(code, label);
    FUZZ_CHECK((label == "unchanged") == (code < startup::kFirstCode || code > startup::kLastCode));
    startup::IsFolderCode(code);
    startup::IsEnabledRegistryCode(code);
    return 0;
}
