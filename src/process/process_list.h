#pragma once
// The rows of the process list, built from the process table.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/process_queries.h"

namespace process {

// One row of the process list, its texts as shown.
struct ProcessRow {
    uint32_t processId = 0;  // the row's data value
    std::string caption;     // "Process Name"
    std::string processIdText;
    std::string priority;
    std::string parentId;  // "FID"
    std::string threadCount;
    std::string memorySize;
    std::string pageFileSize;  // "PF Size"
    std::string system;        // the verdict

    std::array<std::string, 8> Columns() const;
};

// 0 when enabled; -2 when the token cannot be opened, -3 when the privilege name cannot be
// looked up, -4 when the adjustment fails or does not assign it.
int EnableDebugPrivilege(platform::ProcessQueries& queries);

// The module path when its trimmed text has 4 characters or more, else the snapshot's name.
std::string ProcessCaption(std::string_view moduleFileName, std::string_view exeFile);
// The text after the last backslash or colon.
std::string FileNamePart(std::string_view path);
// "Yes" when the caption's file name holds one of the system process names anywhere, in any
// letter case; "Suspicious" otherwise.
std::string SystemVerdict(std::string_view caption);
// Whether the caption's file name is one of the system process names, whole, in any case.
bool IsSystemProcessName(std::string_view caption);

// Bytes as decimal megabytes with two decimals, rounded half up: "12.35 MB".
std::string MegabytesText(uint64_t bytes, std::string_view separator);
// The memory columns: "0" for process 0, empty when the figures cannot be read.
std::string FormatWorkingSetSize(platform::ProcessQueries& queries, uint32_t processId,
                                 std::string_view separator);
std::string FormatVirtualSize(platform::ProcessQueries& queries, uint32_t processId,
                              std::string_view separator);

// Every figure of the row is read for this process alone; what cannot be read stays empty
// (or 0 for the priority).
ProcessRow BuildProcessRow(platform::ProcessQueries& queries,
                           const platform::ProcessSnapshotEntry& entry, std::string_view separator);
// One row per process of a fresh snapshot, in its order; none when no snapshot can be taken.
std::vector<ProcessRow> BuildProcessRows(platform::ProcessQueries& queries,
                                         std::string_view separator);

}  // namespace process
