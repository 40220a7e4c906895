#pragma once
// What the process page does to a process: its modules, ending it, its file's property sheet.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/process_queries.h"
#include "platform/prompts.h"
#include "platform/shell_launcher.h"
#include "process/process_list.h"

namespace process {

// At most this many module handles are asked for; the first, the executable, is not listed.
inline constexpr size_t kModuleHandleLimit = 1025;

// One row of the module list, its texts as shown.
struct ModuleRow {
    std::string path;  // "Module Name"
    std::string baseAddress;
    std::string size;  // "Size(KB)"
    std::string entryAddress;
    std::string shortName;

    std::array<std::string, 5> Columns() const;
};

// Upper-case hexadecimal without prefix: 8 digits when the value fits in 32 bits, else 16.
std::string AddressText(uint64_t address);
// Whole kilobytes (1024 bytes, truncated) followed by "Kb": "1232Kb".
std::string ModuleSizeText(uint64_t bytes);
// The modules of a process from its second module on; empty when it cannot be opened or
// listed. A module whose name or information cannot be read gets no row.
std::vector<ModuleRow> BuildModuleRows(platform::ProcessQueries& queries, uint32_t processId);

// 0 when ended; -2 when the process cannot be opened, -3 when it refuses to end.
int TerminateProcessById(platform::ProcessQueries& queries, uint32_t processId);

enum class EndProcessOutcome {
    kNoSelection,  // "Failar!" was shown
    kIdleProcess,  // nothing is done for process 0
    kDeclined,     // the user kept a system process running
    kAttempted,    // termination was asked for; the list is to be rebuilt
};
// "End Process" on the selected row (nullptr: none). A process bearing a system process's
// name is ended only after the user confirms; a refused termination is not reported.
EndProcessOutcome EndSelectedProcess(const ProcessRow* selected, platform::ProcessQueries& queries,
                                     platform::Prompts& prompts);
// The question asked before ending a process with this caption.
std::string EndSystemProcessQuestion(std::string_view caption);
// The message box style of that question: OK and Cancel, Cancel the default.
unsigned EndSystemProcessQuestionStyle();

// Opens the property sheet of a file; true when the shell accepted the request.
bool ShowFileProperties(platform::ShellLauncher& shell, const std::string& fileName, HWND__* owner);
// "File Property" on the selected row (nullptr: none): the sheet of the caption's file name,
// without its folder. False when nothing was selected or the shell refused.
bool ShowSelectedFileProperties(const ProcessRow* selected, platform::ShellLauncher& shell,
                                HWND__* owner);

}  // namespace process
