// The probes against the real platform (Wine here): the display the null driver offers, the
// processor, the names and folders, and the version Wine is told to report per program.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/files.h"
#include "platform/handles.h"
#include "platform/registry.h"
#include "platform/win32_system_queries.h"
#include "platform/text.h"
#include "support/temp_folder.h"
#include "sysinfo/probes.h"
#include "sysinfo/sysinfo_gather.h"

namespace {

constexpr const char* kVersionOutVariable = "VELTRIN_VERSION_TEXT_OUT";

// A copy of this exe started with the variable set writes the version text it is told and
// ends before any test runs: Wine picks the version per program name at process start.
const bool kVersionChild = [] {
    const char* out = std::getenv(kVersionOutVariable);
    if (!out) return false;
    const platform::Win32SystemQueries system;
    platform::WriteWholeFile(out, sysinfo::WindowsVersionText(system));
    ExitProcess(0);
}();

TEST(Win32Probes, DisplayOfTheNullDriver) {
    const platform::Win32SystemQueries system;
    EXPECT_EQ(60, sysinfo::DisplayRefreshRate(system));
    EXPECT_EQ("Wine Adapter", sysinfo::DisplayAdapterName(system));
}

TEST(Win32Probes, ProcessorTypeAndSpeed) {
    const platform::Win32SystemQueries system;
    SYSTEM_INFO si;
    GetSystemInfo(&si);
    EXPECT_EQ(std::to_string(si.dwNumberOfProcessors) + "x86-64",
              sysinfo::ProcessorTypeText(system));

    const DWORD classBefore = GetPriorityClass(GetCurrentProcess());
    const int threadBefore = GetThreadPriority(GetCurrentThread());
    const double mhz = sysinfo::MeasureCpuMHz(system);
    EXPECT_GT(mhz, 1.0);
    EXPECT_EQ(classBefore, GetPriorityClass(GetCurrentProcess()));
    EXPECT_EQ(threadBefore, GetThreadPriority(GetCurrentThread()));
}

TEST(Win32Probes, NamesAndFolders) {
    const platform::Win32SystemQueries system;
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    ASSERT_TRUE(GetComputerNameW(name, &size));
    EXPECT_EQ(platform::Narrow(name), sysinfo::ComputerNameText(system));
    EXPECT_FALSE(sysinfo::UserNameText(system).empty());
    EXPECT_EQ("C:\\windows", sysinfo::WindowsFolderText(system));
    EXPECT_EQ("C:\\windows\\system32", sysinfo::SystemFolderText(system));
    EXPECT_EQ(platform::TempFolder(), sysinfo::TempFolderText(system));
    EXPECT_EQ('\\', sysinfo::TempFolderText(system).back()) << "keeps its trailing separator";
}

TEST(Win32Probes, MemoryIn64BitCounts) {
    const platform::Win32SystemQueries system;
    const auto m = system.MemoryStatus();
    ASSERT_TRUE(m);
    MEMORYSTATUSEX ex{};
    ex.dwLength = sizeof ex;
    ASSERT_TRUE(GlobalMemoryStatusEx(&ex));
    EXPECT_EQ(ex.ullTotalPhys, m->totalPhys);
    EXPECT_EQ(ex.ullTotalVirtual, m->totalVirtual) << "a 64-bit process has terabytes of it";
    EXPECT_GT(m->totalVirtual, 0xFFFFFFFFull);
    EXPECT_LE(m->memoryLoad, 100u);
}

// This exe's path as a file to read: run from a host folder that no drive maps, Wine names it
// "unix\..." and opens it only as "\\?\unix\...".
std::string OwnExeFile() {
    const std::string path = platform::ModulePath();
    return path.rfind("unix\\", 0) == 0 ? "\\\\?\\" + path : path;
}

// Runs a copy of this exe under a name Wine is told to give `wineVersion`, and returns the
// version text it wrote.
std::string VersionTextUnder(const std::string& wineVersion) {
    testing_support::TempFolder temp;
    const std::string exeName =
        "vtver" + std::to_string(GetCurrentProcessId()) + "_" + wineVersion + ".exe";
    const std::string exe = temp.File(exeName);
    EXPECT_TRUE(
        CopyFileW(platform::Widen(OwnExeFile()).c_str(), platform::Widen(exe).c_str(), FALSE));
    const std::string keyPath = "Software\\Wine\\AppDefaults\\" + exeName;
    {
        const auto key = platform::RegKey::Create(HKEY_CURRENT_USER, keyPath, KEY_WRITE);
        EXPECT_TRUE(key && key->WriteString("Version", wineVersion));
    }
    const std::string out = temp.File("version.txt");
    SetEnvironmentVariableW(platform::Widen(kVersionOutVariable).c_str(),
                            platform::Widen(out).c_str());
    std::wstring commandLine = L"\"" + platform::Widen(exe) + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const bool started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableW(platform::Widen(kVersionOutVariable).c_str(), nullptr);
    EXPECT_TRUE(started);
    if (started) {
        const platform::UniqueHandle process(pi.hProcess), thread(pi.hThread);
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.get(), 60000));
    }
    RegDeleteKeyW(HKEY_CURRENT_USER, platform::Widen(keyPath).c_str());
    return platform::ReadWholeFile(out).value_or("(no answer)");
}

TEST(Win32Probes, VersionTextUnderWinesPerProgramVersion) {
    EXPECT_EQ("Windows 95, Build: 950", VersionTextUnder("win95"));
    EXPECT_EQ("Windows 98 SE, Build: 2222", VersionTextUnder("win98"));
    EXPECT_EQ("Windows 2000 Service Pack: Service Pack 4, Build: 2195", VersionTextUnder("win2k"));
    EXPECT_EQ("Windows XP Service Pack: Service Pack 3, Build: 2600", VersionTextUnder("winxp"));
    // A program that does not declare itself fit for Windows 10 is told of 6.2, build 9200.
    EXPECT_EQ("Unknown Version, Build: 9200", VersionTextUnder("win10"));
}

}  // namespace
