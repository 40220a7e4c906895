#include "support/registry_redirect.h"

#include <stdexcept>

namespace testing_support {

RegistryRedirect::RegistryRedirect()
    : root_(L"Software\\VeltrinTests\\" + std::to_wstring(GetCurrentProcessId())) {
    RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str());
    if (RegCreateKeyExW(HKEY_CURRENT_USER, (root_ + L"\\HKCU").c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &user_, nullptr) != ERROR_SUCCESS ||
        RegCreateKeyExW(HKEY_CURRENT_USER, (root_ + L"\\HKLM").c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &machine_, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create the private registry keys");
    RegOverridePredefKey(HKEY_CURRENT_USER, user_);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine_);
}

RegistryRedirect::~RegistryRedirect() {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegCloseKey(user_);
    RegCloseKey(machine_);
    RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str());
}

}  // namespace testing_support
