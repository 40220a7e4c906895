#pragma once
// The fourteen startup locations: two Startup folders of the shell and six Run-type registry
// keys with their "-" twins, in which disabled entries are parked (Windows never reads them).
#include <functional>
#include <string>

namespace startup {

inline constexpr int kFirstCode = 1;
inline constexpr int kLastCode = 14;
inline constexpr int kCsidlCommonStartup = 24;  // CSIDL_COMMON_STARTUP
inline constexpr int kCsidlStartup = 7;         // CSIDL_STARTUP

inline constexpr char kLocalMachine[] = "HKEY_LOCAL_MACHINE";
inline constexpr char kCurrentUser[] = "HKEY_CURRENT_USER";
inline constexpr char kDefaultLocation[] =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

enum class RegistryRoot { LocalMachine, CurrentUser };

struct Location {
    int code;
    const char* label;
    // The location text of a registry location; null for the two folders, whose text is the
    // special folder's path.
    const char* text;
    int csidl;  // the special folder of a folder location, 0 for registry locations
};

// The table in code order (index = code - 1).
const Location* LocationTable();

bool IsFolderCode(int code);
// Odd codes 3 to 13 are the enabled keys; their twin has the next code.
bool IsEnabledRegistryCode(int code);

// Sets `label` to the label of a code 1 to 14; any other code leaves it as it was.
void LocationLabel(int code, std::string& label);

// The location text for a label (compared exactly, letter case included). The folder labels
// give specialFolderPath(csidl); a text that matches no label gives kDefaultLocation.
std::string LocationPath(const std::string& label,
                         const std::function<std::string(int csidl)>& specialFolderPath);

struct RegistryLocation {
    RegistryRoot root;
    std::string keyPath;  // begins with the backslash that followed the root's name
};

// "HKEY_LOCAL_MACHINE\..." gives the local machine; every other root name (another root, the
// same name in lower case, nothing) gives the current user. Without a backslash the whole text
// is the key path under the current user.
RegistryLocation ParseRegistryLocation(const std::string& location);

// The location text of a key read under a root: the root's name followed by the key path.
std::string RegistryLocationText(RegistryRoot root, const std::string& keyPath);

}  // namespace startup
