#pragma once
// For the life of the object, HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE of this process are
// private, empty keys, so tests never see each other's keys or the user's.
#include <windows.h>

#include <string>

namespace testing_support {

class RegistryRedirect {
  public:
    RegistryRedirect();
    ~RegistryRedirect();
    RegistryRedirect(const RegistryRedirect&) = delete;
    RegistryRedirect& operator=(const RegistryRedirect&) = delete;

  private:
    std::wstring root_;
    HKEY user_ = nullptr, machine_ = nullptr;
};

}  // namespace testing_support
