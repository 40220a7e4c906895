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
    int width;  // 96-DPI pixels; 0 keeps the list view's default width
};

inline constexpr std::array<ColumnSpec, 8> kProcessColumns = {{
    {"Process Name", 250},
    {"PID", 0},
    {"Priority", 0},
    {"FID", 0},
    {"Thread Counts", 0},
    {"Memory Size", 0},
    {"PF Size", 0},
    {"System", 0},
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
// Icons of the pop-up menu's items in the shared small-icon list.
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
