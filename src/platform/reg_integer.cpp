#include "platform/reg_integer.h"

#include <stdexcept>

#include "platform/registry.h"

namespace platform {

int32_t ReadRegInteger(const std::string& key, const std::string& name) {
    const auto k = RegKey::Open(HKEY_CURRENT_USER, key, KEY_QUERY_VALUE);
    if (!k) return 0;
    return static_cast<int32_t>(k->ReadDword(name).value_or(0));
}

void WriteRegInteger(const std::string& key, const std::string& name, int32_t value) {
    const auto k = RegKey::Create(HKEY_CURRENT_USER, key, KEY_SET_VALUE);
    if (!k) return;
    if (!k->WriteDword(name, static_cast<uint32_t>(value)))
        throw std::runtime_error("Failed to set data for '" + name + "'");
}

}  // namespace platform
