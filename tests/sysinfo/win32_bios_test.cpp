// The BIOS reader against the real platform (Wine here): no physical-memory section, no
// linear view of the BIOS area, no 16-bit programs; each method fails cleanly and leaves nothing.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "platform/win32_bios_source.h"
#include "platform/files.h"
#include "platform/handles.h"
#include "platform/text.h"
#include "support/temp_folder.h"
#include "sysinfo/bios_help.h"

namespace {

constexpr const char* kSleepVariable = "VELTRIN_TEST_SLEEP_FOREVER";

// A copy of this exe started with the variable set never ends: the program a time-out is for.
const bool kSleeper = [] {
    if (!std::getenv(kSleepVariable)) return false;
    for (;;)
        Sleep(INFINITE);
}();

std::set<std::string> RomDumpFolders() {
    std::set<std::string> names;
    WIN32_FIND_DATAW fd;
    const platform::UniqueFind find(
        FindFirstFileW(platform::Widen(platform::TempFolder() + "~RomDmp*").c_str(), &fd));
    if (!find || find.get() == INVALID_HANDLE_VALUE) return names;
    do
        names.insert(platform::Narrow(fd.cFileName));
    while (FindNextFileW(find.get(), &fd));
    return names;
}

bool ProcessRunning(const std::string& exeName) {
    const platform::UniqueHandle snap(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W pe{};
    pe.dwSize = sizeof pe;
    for (BOOL ok = Process32FirstW(snap.get(), &pe); ok; ok = Process32NextW(snap.get(), &pe))
        if (_wcsicmp(pe.szExeFile, platform::Widen(exeName).c_str()) == 0) return true;
    return false;
}

TEST(Win32Bios, TheSectionIsMissingUnderWine) {
    const platform::Win32BiosSource source;
    EXPECT_FALSE(source.Is95Family());
    sysinfo::BiosImage image;
    SetLastError(0);
    EXPECT_FALSE(sysinfo::LoadBiosImage(source, image, 3, 1000));
    // STATUS_OBJECT_NAME_NOT_FOUND, converted by the native layer.
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
}

// Outside the 95 family, F0000h is just an address in this process: readable when something of
// ours happens to be there (under Wine a heap is), refused otherwise, and never a fault.
TEST(Win32Bios, TheDirectCopyReadsTheProcessViewWithoutFaulting) {
    const platform::Win32BiosSource source;
    MEMORY_BASIC_INFORMATION info{};
    ASSERT_TRUE(VirtualQuery(reinterpret_cast<void*>(0xF0000), &info, sizeof info));
    const auto end = reinterpret_cast<uintptr_t>(info.BaseAddress) + info.RegionSize;
    const bool readable = info.State == MEM_COMMIT && end >= 0x100000 &&
                          (info.Protect & (PAGE_READONLY | PAGE_READWRITE)) != 0;
    sysinfo::BiosImage image;
    image.fill(std::byte{0xCC});
    const bool copied = sysinfo::LoadBiosImage(source, image, 2, 1000);
    EXPECT_EQ(readable, copied);
    if (!copied) {
        EXPECT_EQ(std::byte{0}, image[0]) << "zeroed before the copy";
    }
}

TEST(Win32Bios, TheDosMethodFailsAndCleansUp) {
    const platform::Win32BiosSource source;
    const auto before = RomDumpFolders();
    sysinfo::BiosImage image;
    EXPECT_FALSE(sysinfo::LoadBiosImage(source, image, 1, sysinfo::kBiosDumpTimeoutMs));
    EXPECT_EQ(before, RomDumpFolders());
}

TEST(Win32Bios, GettersGiveTheFailureText) {
    const platform::Win32BiosSource source;
    EXPECT_EQ("sadgf00net", sysinfo::BiosNameText(source));
    EXPECT_EQ("sadgf00net", sysinfo::BiosDateText(source));
    const auto t = sysinfo::ReadBiosTexts(source);
    EXPECT_EQ("sadgf00net", t.id);
}

TEST(Win32Bios, RunCommandHiddenRedirectsTheOutput) {
    testing_support::TempFolder temp;
    const platform::Win32BiosSource source;
    const std::string out = temp.File("out.txt");
    ASSERT_TRUE(source.RunCommandHidden("echo dumped", out, 30000));
    EXPECT_EQ(0u, platform::ReadWholeFile(out).value_or("").find("dumped"));
}

TEST(Win32Bios, RunCommandHiddenEndsAProgramThatOutlivesTheTimeOut) {
    testing_support::TempFolder temp;
    const std::string name = "sleeper" + std::to_string(GetCurrentProcessId()) + ".exe";
    const std::string self = platform::ModulePath();
    const std::string readable = self.rfind("unix\\", 0) == 0 ? "\\\\?\\" + self : self;
    ASSERT_TRUE(CopyFileW(platform::Widen(readable).c_str(),
                          platform::Widen(temp.File(name)).c_str(), FALSE));
    SetEnvironmentVariableW(platform::Widen(kSleepVariable).c_str(), L"1");
    const platform::Win32BiosSource source;
    const bool inTime = source.RunCommandHidden(temp.File(name), temp.File("out.txt"), 1500);
    SetEnvironmentVariableW(platform::Widen(kSleepVariable).c_str(), nullptr);
    EXPECT_FALSE(inTime);
    EXPECT_FALSE(ProcessRunning(name)) << "the program was ended with the interpreter";
}

}  // namespace
