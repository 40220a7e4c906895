#include "process/process_list.h"

#include <optional>

#include "core/ascii_text.h"
#include "process/process_texts.h"

namespace process {
namespace {

constexpr uint32_t kCaptionAccess = platform::kProcessQueryInformation | platform::kProcessVmRead;
constexpr size_t kShortestPath = 4;  // in characters, after trimming

size_t CharacterCount(std::string_view utf8) {
    size_t count = 0;
    for (const char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

std::optional<platform::ProcessMemoryCounters> CountersOf(platform::ProcessQueries& queries,
                                                          uint32_t processId) {
    const auto opened = queries.Open(processId, platform::kProcessQueryInformation, false);
    if (!opened) return std::nullopt;
    return opened->MemoryCounters();
}

template <typename Pick>
std::string MemoryText(platform::ProcessQueries& queries, uint32_t processId,
                       std::string_view separator, Pick pick) {
    if (processId == 0) return "0";
    const auto counters = CountersOf(queries, processId);
    if (!counters) return {};
    return MegabytesText(pick(*counters), separator);
}

}  // namespace

std::array<std::string, 8> ProcessRow::Columns() const {
    return {caption,     processIdText, priority,     parentId,
            threadCount, memorySize,    pageFileSize, system};
}

int EnableDebugPrivilege(platform::ProcessQueries& queries) {
    switch (queries.EnableDebugPrivilege()) {
        case platform::PrivilegeStage::kEnabled:
            return 0;
        case platform::PrivilegeStage::kTokenNotOpened:
            return -2;
        case platform::PrivilegeStage::kNameNotFound:
            return -3;
        case platform::PrivilegeStage::kNotAdjusted:
            return -4;
    }
    return -4;
}

std::string ProcessCaption(std::string_view moduleFileName, std::string_view exeFile) {
    if (CharacterCount(core::TrimControlAndBlanks(moduleFileName)) < kShortestPath)
        return std::string(exeFile);
    return std::string(moduleFileName);
}

std::string FileNamePart(std::string_view path) {
    const size_t cut = path.find_last_of("\\:");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string SystemVerdict(std::string_view caption) {
    const std::string name = FileNamePart(caption);
    for (const std::string_view systemName : kSystemProcessNames)
        if (core::ContainsIgnoreAsciiCase(name, systemName)) return kVerdictSystem;
    return kVerdictSuspicious;
}

bool IsSystemProcessName(std::string_view caption) {
    const std::string name = FileNamePart(caption);
    for (const std::string_view systemName : kSystemProcessNames)
        if (core::EqualsIgnoreAsciiCase(name, systemName)) return true;
    return false;
}

std::string MegabytesText(uint64_t bytes, std::string_view separator) {
    // Whole hundredths of a megabyte, rounded half up, in integers: no double can blur a tie.
    const uint64_t hundredths = bytes / 10000 + (bytes % 10000 >= 5000 ? 1 : 0);
    const uint64_t fraction = hundredths % 100;
    std::string text = std::to_string(hundredths / 100);
    text += separator;
    text += static_cast<char>('0' + fraction / 10);
    text += static_cast<char>('0' + fraction % 10);
    return text + kMegabytesUnit;
}

std::string FormatWorkingSetSize(platform::ProcessQueries& queries, uint32_t processId,
                                 std::string_view separator) {
    return MemoryText(queries, processId, separator,
                      [](const platform::ProcessMemoryCounters& c) { return c.workingSetSize; });
}

std::string FormatVirtualSize(platform::ProcessQueries& queries, uint32_t processId,
                              std::string_view separator) {
    return MemoryText(queries, processId, separator,
                      [](const platform::ProcessMemoryCounters& c) { return c.virtualSize; });
}

ProcessRow BuildProcessRow(platform::ProcessQueries& queries,
                           const platform::ProcessSnapshotEntry& entry,
                           std::string_view separator) {
    ProcessRow row;
    row.processId = entry.processId;
    uint32_t priority = 0;
    std::string path;
    std::optional<platform::ProcessMemoryCounters> counters;
    // One open serves the whole row; every figure read platform-side costs a round trip under
    // Wine. Only when that open is refused is the lesser access for the figures tried.
    if (const auto opened = queries.Open(entry.processId, kCaptionAccess, true)) {
        path = opened->ModuleFileName(entry.moduleId);
        priority = opened->PriorityClass();
        counters = opened->MemoryCounters();
    } else if (entry.processId != 0) {
        counters = CountersOf(queries, entry.processId);
    }
    row.caption = ProcessCaption(path, entry.exeFile);
    row.processIdText = std::to_string(entry.processId);
    row.priority = std::to_string(priority);
    row.parentId = std::to_string(entry.parentProcessId);
    row.threadCount = std::to_string(entry.threadCount);
    if (entry.processId == 0) {
        row.memorySize = row.pageFileSize = "0";
    } else if (counters) {
        row.memorySize = MegabytesText(counters->workingSetSize, separator);
        row.pageFileSize = MegabytesText(counters->virtualSize, separator);
    }
    row.system = SystemVerdict(row.caption);
    return row;
}

std::vector<ProcessRow> BuildProcessRows(platform::ProcessQueries& queries,
                                         std::string_view separator) {
    std::vector<ProcessRow> rows;
    queries.WalkSnapshot([&](const platform::ProcessSnapshotEntry& entry) {
        rows.push_back(BuildProcessRow(queries, entry, separator));
    });
    return rows;
}

}  // namespace process
