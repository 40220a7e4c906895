#pragma once
// What the disk cleaner asks about a drive, behind a seam so tests can describe the drives.
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

struct DriveSpace {
    uint64_t totalBytes = 0;
    uint64_t freeBytes = 0;  // free space available to the current user
};

class DriveQueries {
  public:
    virtual ~DriveQueries() = default;
    // GetDriveType's answer for a root such as "D:\" (DRIVE_FIXED, DRIVE_CDROM, ...).
    virtual unsigned DriveType(const std::string& root) const = 0;
    // nullopt when the drive does not answer.
    virtual std::optional<DriveSpace> Space(const std::string& root) const = 0;
};

class Win32DriveQueries final : public DriveQueries {
  public:
    unsigned DriveType(const std::string& root) const override;
    std::optional<DriveSpace> Space(const std::string& root) const override;
};

}  // namespace platform
