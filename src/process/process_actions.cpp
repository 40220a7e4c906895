#include "process/process_actions.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "process/process_texts.h"

namespace process {
namespace {

constexpr uint32_t kModuleAccess = platform::kProcessQueryInformation | platform::kProcessVmRead;
constexpr unsigned kDefaultButton2 = 0x100;  // MB_DEFBUTTON2

}  // namespace

std::array<std::string, 5> ModuleRow::Columns() const {
    return {path, baseAddress, size, entryAddress, shortName};
}

std::string AddressText(uint64_t address) {
    char text[17];
    std::snprintf(text, sizeof text, address > 0xFFFFFFFFu ? "%016llX" : "%08llX",
                  static_cast<unsigned long long>(address));
    return text;
}

std::string ModuleSizeText(uint64_t bytes) {
    return std::to_string(bytes / 1024) + kKilobytesUnit;
}

std::vector<ModuleRow> BuildModuleRows(platform::ProcessQueries& queries, uint32_t processId) {
    std::vector<ModuleRow> rows;
    const auto opened = queries.Open(processId, kModuleAccess, false);
    if (!opened) return rows;
    std::vector<uint64_t> handles(kModuleHandleLimit);
    const size_t count = std::min(opened->ModuleHandles(handles).value_or(0), handles.size());
    for (size_t i = 1; i < count; ++i) {
        std::string path = opened->ModuleFileName(handles[i]);
        if (path.empty()) continue;
        const auto info = opened->Module(handles[i]);
        if (!info) continue;
        ModuleRow row;
        row.shortName = FileNamePart(path);
        row.path = std::move(path);
        row.baseAddress = AddressText(info->baseOfDll);
        row.size = ModuleSizeText(info->sizeOfImage);
        row.entryAddress = AddressText(info->entryPoint);
        rows.push_back(std::move(row));
    }
    return rows;
}

int TerminateProcessById(platform::ProcessQueries& queries, uint32_t processId) {
    const auto opened = queries.Open(processId, platform::kProcessTerminate, true);
    if (!opened) return -2;
    return opened->Terminate(0) ? 0 : -3;
}

std::string EndSystemProcessQuestion(std::string_view caption) {
    return FileNamePart(caption) + kEndSystemProcessQuestion;
}

unsigned EndSystemProcessQuestionStyle() {
    return platform::kOkCancel | platform::kIconWarning | kDefaultButton2;
}

EndProcessOutcome EndSelectedProcess(const ProcessRow* selected, platform::ProcessQueries& queries,
                                     platform::Prompts& prompts) {
    if (!selected) {
        prompts.Message(kFailedText, kMessageCaption, platform::kOk);
        return EndProcessOutcome::kNoSelection;
    }
    if (selected->processId == 0) return EndProcessOutcome::kIdleProcess;
    if (IsSystemProcessName(selected->caption) &&
        prompts.Message(EndSystemProcessQuestion(selected->caption), kMessageCaption,
                        EndSystemProcessQuestionStyle()) != platform::kAnswerOk)
        return EndProcessOutcome::kDeclined;
    TerminateProcessById(queries, selected->processId);
    return EndProcessOutcome::kAttempted;
}

bool ShowFileProperties(platform::ShellLauncher& shell, const std::string& fileName,
                        HWND__* owner) {
    return shell.ShowProperties(fileName, owner);
}

bool ShowSelectedFileProperties(const ProcessRow* selected, platform::ShellLauncher& shell,
                                HWND__* owner) {
    if (!selected) return false;
    return ShowFileProperties(shell, FileNamePart(selected->caption), owner);
}

}  // namespace process
