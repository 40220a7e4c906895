#pragma once
// The content of the system information tree as plain data: what each probe found, and the
// nodes the page inserts, in the order it inserts them.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system_queries.h"
#include "sysinfo/bios_image.h"
#include "sysinfo/identify_block.h"

namespace sysinfo {

// The small getters: the platform's text when it fits the buffer the tree has always given it
// (in characters), cut at its first NUL; empty when it does not fit or the call fails.
constexpr size_t kComputerNameLimit = 15;
constexpr size_t kUserNameLimit = 20;
constexpr size_t kFolderLimit = 260;
std::string TextWithinLimit(const std::optional<std::string>& text, size_t maxChars);
std::string ComputerNameText(const platform::SystemQueries& system);
std::string WindowsFolderText(const platform::SystemQueries& system);
std::string SystemFolderText(const platform::SystemQueries& system);
std::string UserNameText(const platform::SystemQueries& system);
std::string TempFolderText(const platform::SystemQueries& system);

// Everything the tree shows, as UTF-8 texts and numbers. Texts may hold NULs (the disk's
// fields keep them); the tree shows each only up to its first NUL.
struct SysInfoValues {
    std::string computerName, windowsVersion;
    std::string productId, productName, registeredOrganization;
    std::string currentUser, windowsPath, systemPath, tempPath;
    std::string cpuType;
    double cpuMHz = 0;
    BiosTexts bios;
    std::string adapterType;
    int32_t refreshRate = 0;
    platform::MemoryStatusRecord memory;
    DiskIdentity disk;
};

// Images of ILSmallIcon for the groups; leaves use 0.
constexpr int kImageMyComputer = 2;
constexpr int kImageSystemInformation = 4;
constexpr int kImageRam = 15;
constexpr int kImageDrivers = 5;
constexpr int kImageNetwork = 1;
constexpr int kImageOther = 7;

constexpr size_t kLabelColumns = 24;

struct SysInfoNode {
    std::string text;
    int parent = -1;  // index of the parent node in the list; -1 for the root
    int image = 0;    // both the image and the selected image
};

// The nodes in insertion order. Each is inserted as the first child of its parent (the root as
// the first root node), so siblings show in the reverse of this order.
// `decimalSeparator` is the user's, for the processor speed.
std::vector<SysInfoNode> SysInfoTreeNodes(const SysInfoValues& values,
                                          std::string_view decimalSeparator);

// The nodes' indices top to bottom as the tree shows them, with their depth (root 0).
struct DisplayedNode {
    size_t index;
    int depth;
};
std::vector<DisplayedNode> DisplayOrder(const std::vector<SysInfoNode>& nodes);

// Screen columns of a text in a fixed-pitch font: full-width forms take two.
size_t DisplayColumns(std::string_view utf8);

}  // namespace sysinfo
