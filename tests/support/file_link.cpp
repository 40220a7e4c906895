#include "support/file_link.h"

#include <windows.h>

#include <vector>

#include "platform/files.h"
#include "platform/text.h"

namespace testing_support {
namespace {

using platform::Widen;

// Wine's own export that names the host file behind a Windows path; absent on Windows.
using UnixNameOf = char*(__cdecl*)(const wchar_t*);

UnixNameOf WineUnixName() {
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    return kernel ? reinterpret_cast<UnixNameOf>(
                        reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_unix_file_name")))
                  : nullptr;
}

std::string UnixPathOf(UnixNameOf unixName, const std::string& path) {
    // Asked of the folder, which exists: the name itself may not yet.
    char* folder = unixName(Widen(platform::FolderOf(path)).c_str());
    if (!folder) return {};
    std::string out = std::string(folder) + "/" + path.substr(path.find_last_of('\\') + 1);
    HeapFree(GetProcessHeap(), 0, folder);
    return out;
}

// Runs a host program (its arguments quoted) under Wine; Wine cannot wait for such a process,
// so the caller polls for its effect.
bool StartHostProgram(const std::string& program, const std::vector<std::string>& args) {
    std::wstring line = Widen(program);
    for (const auto& a : args)
        line += L" \"" + Widen(a) + L"\"";
    const std::wstring image = L"\\\\?\\unix" + Widen(program);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(image.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

template <typename Done>
bool WaitFor(Done done) {
    for (int i = 0; i < 1000; ++i) {
        if (done()) return true;
        Sleep(10);
    }
    return done();
}

bool LinkSeen(const std::string& link) {
    WIN32_FIND_DATAW entry;
    const HANDLE find = FindFirstFileW(Widen(link).c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return false;
    FindClose(find);
    return true;
}

}  // namespace

bool MakeFileLink(const std::string& link, const std::string& target) {
    const UnixNameOf unixName = WineUnixName();
    if (!unixName) {
        return CreateSymbolicLinkW(Widen(link).c_str(), Widen(target).c_str(),
                                   SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) != FALSE &&
               LinkSeen(link);
    }
    const std::string hostLink = UnixPathOf(unixName, link);
    const std::string hostTarget = UnixPathOf(unixName, target);
    if (hostLink.empty() || hostTarget.empty()) return false;
    if (!StartHostProgram("/bin/ln", {"-s", hostTarget, hostLink})) return false;
    return WaitFor([&] { return LinkSeen(link); });
}

void RemoveFileLink(const std::string& link) {
    const UnixNameOf unixName = WineUnixName();
    if (!unixName) {
        DeleteFileW(Widen(link).c_str());
        return;
    }
    const std::string hostLink = UnixPathOf(unixName, link);
    if (hostLink.empty() || !StartHostProgram("/bin/rm", {"-f", hostLink})) return;
    WaitFor([&] { return !LinkSeen(link); });
}

}  // namespace testing_support
