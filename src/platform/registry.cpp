#include "platform/registry.h"

#include "core/utf16_bytes.h"
#include "platform/text.h"

namespace platform {

namespace {

std::wstring SubKeyPath(const std::string& path) {
    const auto first = path.find_first_not_of('\\');
    return first == std::string::npos ? std::wstring() : Widen(path.substr(first));
}

}  // namespace

std::optional<RegKey> RegKey::Open(HKEY root, const std::string& path, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, SubKeyPath(path).c_str(), 0, access, &key) != ERROR_SUCCESS)
        return std::nullopt;
    return RegKey(key);
}

std::optional<RegKey> RegKey::Create(HKEY root, const std::string& path, REGSAM access) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, SubKeyPath(path).c_str(), 0, nullptr, 0, access, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return std::nullopt;
    return RegKey(key);
}

std::optional<RegistryValue> RegKey::ReadValue(const std::string& name) const {
    const std::wstring wname = Widen(name);
    RegistryValue v{name, REG_NONE, {}};
    DWORD size = 0;
    LSTATUS s = RegQueryValueExW(get(), wname.c_str(), nullptr, &v.type, nullptr, &size);
    while (s == ERROR_SUCCESS || s == ERROR_MORE_DATA) {
        v.bytes.resize(size);
        s = RegQueryValueExW(get(), wname.c_str(), nullptr, &v.type,
                             reinterpret_cast<BYTE*>(v.bytes.data()), &size);
        if (s == ERROR_SUCCESS) {
            v.bytes.resize(size);
            return v;
        }
    }
    return std::nullopt;
}

bool RegKey::WriteValue(const RegistryValue& value) const {
    return RegSetValueExW(get(), Widen(value.name).c_str(), 0, value.type,
                          reinterpret_cast<const BYTE*>(value.bytes.data()),
                          static_cast<DWORD>(value.bytes.size())) == ERROR_SUCCESS;
}

std::optional<uint32_t> RegKey::ReadDword(const std::string& name) const {
    const auto v = ReadValue(name);
    if (!v || v->type != REG_DWORD || v->bytes.size() != 4) return std::nullopt;
    uint32_t out;
    memcpy(&out, v->bytes.data(), 4);
    return out;
}

bool RegKey::WriteDword(const std::string& name, uint32_t value) const {
    return WriteValue({name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), 4)});
}

std::string RegistryString(const RegistryValue& value) {
    const std::u16string text = core::Utf16TextOfBytes(value.bytes);
    return Narrow(std::wstring(text.begin(), text.end()));
}

std::optional<std::string> RegKey::ReadString(const std::string& name) const {
    const auto v = ReadValue(name);
    if (!v || (v->type != REG_SZ && v->type != REG_EXPAND_SZ)) return std::nullopt;
    return RegistryString(*v);
}

bool RegKey::WriteString(const std::string& name, const std::string& value, DWORD type) const {
    const std::wstring w = Widen(value);
    return WriteValue(
        {name, type,
         std::string(reinterpret_cast<const char*>(w.c_str()), (w.size() + 1) * sizeof(wchar_t))});
}

bool RegKey::DeleteValue(const std::string& name) const {
    return RegDeleteValueW(get(), Widen(name).c_str()) == ERROR_SUCCESS;
}

std::vector<RegistryValue> RegKey::Values() const {
    std::vector<RegistryValue> out;
    DWORD count = 0, maxName = 0;
    if (RegQueryInfoKeyW(get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                         &maxName, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return out;
    std::wstring name(maxName + 2, L'\0');
    for (DWORD i = 0; i < count; ++i) {
        DWORD len = static_cast<DWORD>(name.size());
        if (RegEnumValueW(get(), i, name.data(), &len, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            continue;
        if (auto v = ReadValue(Narrow(std::wstring_view(name.data(), len))))
            out.push_back(std::move(*v));
    }
    return out;
}

std::vector<std::string> RegKey::SubKeyNames() const {
    std::vector<std::string> out;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD len = 256;
        if (RegEnumKeyExW(get(), i, name, &len, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        out.push_back(Narrow(std::wstring_view(name, len)));
    }
    return out;
}

}  // namespace platform
