#include "platform/collate.h"

#include <windows.h>

#include "platform/text.h"

namespace platform {

int LocaleCompare(const std::string& a, const std::string& b) {
    const std::wstring wa = Widen(a), wb = Widen(b);
    const int r =
        CompareStringEx(LOCALE_NAME_USER_DEFAULT, 0, wa.c_str(), static_cast<int>(wa.size()),
                        wb.c_str(), static_cast<int>(wb.size()), nullptr, nullptr, 0);
    if (r == 0) return wa.compare(wb);  // the comparison failed: fall back to code units
    return r - CSTR_EQUAL;
}

}  // namespace platform
