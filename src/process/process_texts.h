#pragma once
// The texts and sizes of the process page, byte for byte.
#include <array>
#include <string_view>

namespace process {

inline constexpr char kPageCaption[] = "Process List";
inline constexpr char kDescription[] =
    "Process Manager: It lists all processes runing in your system. You can end any item, or "
    "make sure what it is. ";

struct ColumnSpec {
    std::string_view header;
    int width;  // in 96-DPI pixels
};

// A column given no width of its own gets this one.
inline constexpr int kDefaultColumnWidth = 50;

inline constexpr std::array<ColumnSpec, 8> kProcessColumns = {{
    {"Process Name", 250},
    {"PID", kDefaultColumnWidth},
    {"Priority", kDefaultColumnWidth},
    {"FID", kDefaultColumnWidth},
    {"Thread Counts", kDefaultColumnWidth},
    {"Memory Size", kDefaultColumnWidth},
    {"PF Size", kDefaultColumnWidth},
    {"System", kDefaultColumnWidth},
}};

inline constexpr std::array<ColumnSpec, 5> kModuleColumns = {{
    {"Module Name", 250},
    {"Base Address", 60},
    {"Size(KB)", 60},
    {"Entrance Address", 60},
    {"Short File Name", 80},
}};

inline constexpr char kRefreshCaption[] = "Refresh";
inline constexpr char kEndProcessCaption[] = "End Process";
inline constexpr char kFilePropertyCaption[] = "File Property";
// Pictures of the pop-up menu's items, numbered as in the small-icon list.
inline constexpr int kEndProcessIcon = 19;
inline constexpr int kFilePropertyIcon = 17;

// Plain message boxes carry the program's title.
inline constexpr char kMessageCaption[] = "Veltrin";
inline constexpr char kFailedText[] = "Failar!";
// Asked, with Cancel as the default button, before ending a process that bears a system
// process's name: ending one of them can take the whole session down. Follows the name.
inline constexpr char kEndSystemProcessQuestion[] =
    " is a system process. Ending it can end your whole Windows session. End it anyway?";

inline constexpr char kVerdictSystem[] = "Yes";
inline constexpr char kVerdictSuspicious[] = "Suspicious";
inline constexpr char kMegabytesUnit[] = " MB";
inline constexpr char kKilobytesUnit[] = "Kb";

// The names of the processes that make up the system itself.
inline constexpr std::array<std::string_view, 8> kSystemProcessNames = {
    "system",      "smss.exe",     "csrss.exe", "winlogon.exe",
    "svchost.exe", "services.exe", "lsass.exe", "explorer.exe",
};

}  // namespace process
