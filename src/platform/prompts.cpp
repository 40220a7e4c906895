#include "platform/prompts.h"

#include "platform/text.h"

namespace platform {

std::wstring DialogFilter(const std::string& filter) {
    if (filter.empty()) return {};
    std::wstring out = Widen(filter);
    for (auto& c : out)
        if (c == L'|') c = L'\0';
    out.push_back(L'\0');
    out.push_back(L'\0');
    return out;
}

}  // namespace platform
