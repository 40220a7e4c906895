#pragma once
// The shell's special folders (the two Startup folders among them), behind a seam so tests can
// point them at temporary folders.
#include <optional>
#include <string>

namespace platform {

class SpecialFolders {
  public:
    virtual ~SpecialFolders() = default;
    // The folder's path without a trailing backslash; nullopt when the shell cannot resolve it.
    virtual std::optional<std::string> Path(int csidl) const = 0;
};

class Win32SpecialFolders final : public SpecialFolders {
  public:
    std::optional<std::string> Path(int csidl) const override;
};

}  // namespace platform
