#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/shell_link_layout.h"
#include "platform/files.h"
#include "platform/text.h"
#include "startup/enumeration.h"
#include "startup_test_support.h"
#include "support/main_window_fixture.h"
#include "support/registry_redirect.h"
#include "support/temp_folder.h"

namespace {

using namespace startup;
using namespace startup_tests;
using testing_support::TempFolder;

class StartupFolderTest : public ::testing::Test {
  protected:
    StartupFolderTest() { testing_support::InitHeadlessUi(); }
    TempFolder temp;
};

std::vector<std::string> Sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

TEST_F(StartupFolderTest, ListsFilesButNotFoldersOrDesktopIni) {
    temp.Write("Startup\\a.txt", "a");
    temp.Write("Startup\\DeskTop.INI", "[.ShellClassInfo]");
    temp.Write("Startup\\hidden.exe", "MZ");
    temp.Write("Startup\\system.bat", "@echo");
    temp.Write("Startup\\Sub\\inner.exe", "MZ");
    temp.MakeFolder("Startup\\Hidden Folder");
    SetFileAttributesW(platform::Widen(temp.File("Startup\\hidden.exe")).c_str(),
                       FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(platform::Widen(temp.File("Startup\\system.bat")).c_str(),
                       FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(platform::Widen(temp.File("Startup\\Hidden Folder")).c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    const std::string folder = temp.File("Startup");
    EXPECT_EQ(Sorted(ListFolderFiles(folder, "*.*")),
              Sorted({folder + "\\a.txt", folder + "\\hidden.exe", folder + "\\system.bat"}));
    SetFileAttributesW(platform::Widen(temp.File("Startup\\system.bat")).c_str(),
                       FILE_ATTRIBUTE_NORMAL);
}

TEST_F(StartupFolderTest, MissingOrEmptyFoldersGiveNothing) {
    EXPECT_TRUE(ListFolderFiles(temp.File("nowhere"), "*.*").empty());
    EXPECT_TRUE(ListFolderFiles("", "*.*").empty());
    EXPECT_TRUE(ListFolderFiles(temp.MakeFolder("empty"), "*.*").empty());
}

TEST_F(StartupFolderTest, ShortcutCommandsWithAndWithoutArguments) {
    MakeShortcut(temp.File("args.lnk"), "C:\\Program Files\\Tool\\tool.exe", "-minimized /x");
    MakeShortcut(temp.File("plain.lnk"), "C:\\Program Files\\Tool\\tool.exe");
    EXPECT_EQ(ReadShortcutCommand(temp.File("args.lnk")),
              "C:\\Program Files\\Tool\\tool.exe -minimized /x");
    EXPECT_EQ(ReadShortcutCommand(temp.File("plain.lnk")), "\"C:\\Program Files\\Tool\\tool.exe\"");
}

TEST_F(StartupFolderTest, FilesThatAreNoShortcutGiveTwoQuotes) {
    temp.Write("garbage.lnk", std::string("\x4c\x00\x00\x00 not a link at all \xff\xfe", 26));
    temp.Write("zero.lnk", "");
    EXPECT_EQ(ReadShortcutCommand(temp.File("garbage.lnk")), "\"\"");
    EXPECT_EQ(ReadShortcutCommand(temp.File("zero.lnk")), "\"\"");
    EXPECT_EQ(ReadShortcutCommand(temp.File("missing.lnk")), "\"\"");
}

// Links damaged as files are, after a sound header: their sections no longer fit. The shell's
// loader fails on them too, but may first spend over a second on each.
TEST_F(StartupFolderTest, DamagedShortcutsGiveTwoQuotesAndSoundOnesAreKept) {
    const std::string target = temp.Write("程序\\tool.exe", "MZ");
    MakeShortcut(temp.File("plain.lnk"), "C:\\Apps\\plain.exe");
    MakeShortcut(temp.File("args.lnk"), target, "--参数 /x");
    MakeShortcut(temp.File("long.lnk"), "C:\\" + std::string(200, 'd') + "\\x.exe", "-q");
    for (const char* name : {"plain.lnk", "args.lnk", "long.lnk"}) {
        const auto bytes = platform::ReadWholeFile(temp.File(name));
        ASSERT_TRUE(bytes);
        EXPECT_TRUE(core::IsWholeShellLink(*bytes)) << name;  // what the shell writes is kept
    }
    const std::string good = *platform::ReadWholeFile(temp.File("args.lnk"));
    std::string garbled = good;  // every third byte after the header overwritten
    for (size_t at = 76; at < garbled.size(); at += 3)
        garbled[at] = static_cast<char>(at * 31 + 1);
    std::string itemListTooLong = good;  // the item list claims more than the file holds
    itemListTooLong[76] = '\xFF';
    itemListTooLong[77] = '\xFF';
    const std::pair<const char*, std::string> damaged[] = {
        {"garbled.lnk", garbled},
        {"too-long.lnk", itemListTooLong},
        {"cut.lnk", good.substr(0, good.size() / 2)},
    };
    for (const auto& [name, bytes] : damaged) {
        temp.Write(name, bytes);
        EXPECT_EQ(ReadShortcutCommand(temp.File(name)), "\"\"") << name;
    }
    EXPECT_EQ(ReadShortcutCommand(temp.File("args.lnk")), target + " --参数 /x");
}

TEST_F(StartupFolderTest, FolderEntryReadsOnlyExactLowerCaseLnk) {
    MakeShortcut(temp.File("Lower.lnk"), "C:\\Apps\\a.exe", "-q");
    MakeShortcut(temp.File("Upper.LNK"), "C:\\Apps\\a.exe", "-q");
    temp.Write("tool.exe", "MZ");
    const TStartupEntry lower = FolderEntry(temp.File("Lower.lnk"), 2);
    EXPECT_EQ(lower, (TStartupEntry{"Lower.lnk", "C:\\Apps\\a.exe -q", temp.Path(),
                                    "StartUP Folder-Current User", true}));
    const TStartupEntry upper = FolderEntry(temp.File("Upper.LNK"), 1);
    EXPECT_EQ(upper, (TStartupEntry{"Upper.LNK", temp.File("Upper.LNK"), temp.Path(),
                                    "StartUP Folder-All Users", true}));
    EXPECT_EQ(FolderEntry(temp.File("tool.exe"), 2).Command, temp.File("tool.exe"));
}

TEST_F(StartupFolderTest, NonAsciiNamesSurviveTheRoundTrip) {
    const std::string target = temp.Write("程序\\工具.exe", "MZ");
    MakeShortcut(temp.File("启动项 é.lnk"), target, "--参数");
    const TStartupEntry e = FolderEntry(temp.File("启动项 é.lnk"), 2);
    EXPECT_EQ(e.Name, "启动项 é.lnk");
    EXPECT_EQ(e.Command, target + " --参数");
}

class StartupRegistryTest : public StartupFolderTest {
  protected:
    testing_support::RegistryRedirect registry;
    std::vector<std::string> reports;
    BadValueReport Report() {
        return [this](const std::string& m) { reports.push_back(m); };
    }
};

TEST_F(StartupRegistryTest, KeyAndTwinEntries) {
    PutString(HKEY_CURRENT_USER, kRun, "Both", "C:\\on.exe");
    PutString(HKEY_CURRENT_USER, kRunTwin, "Both", "C:\\off.exe");
    PutString(HKEY_CURRENT_USER, kRunTwin, "Parked", "%SystemRoot%\\p.exe", REG_EXPAND_SZ);
    auto entries = RegistryEntries(HKEY_CURRENT_USER, std::string("\\") + kRun, 11, Report());
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.Command < b.Command; });
    const std::string loc = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0], (TStartupEntry{"Parked", "%SystemRoot%\\p.exe", loc + "-",
                                         "Registry\\Current User\\Run-", false}));
    EXPECT_EQ(entries[1], (TStartupEntry{"Both", "C:\\off.exe", loc + "-",
                                         "Registry\\Current User\\Run-", false}));
    EXPECT_EQ(entries[2],
              (TStartupEntry{"Both", "C:\\on.exe", loc, "Registry\\Current User\\Run", true}));
    EXPECT_TRUE(reports.empty());
}

TEST_F(StartupRegistryTest, LocalMachineRootNamesItself) {
    PutString(HKEY_LOCAL_MACHINE, kRunServices, "Svc", "svc.exe");
    const auto entries =
        RegistryEntries(HKEY_LOCAL_MACHINE, std::string("\\") + kRunServices, 7, Report());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Location,
              "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServices");
    EXPECT_EQ(entries[0].TypeLabel, "Registry\\All Users\\RunServices");
}

TEST_F(StartupRegistryTest, AbsentKeysGiveNothing) {
    EXPECT_TRUE(RegistryEntries(HKEY_CURRENT_USER, std::string("\\") + kRun, 11, Report()).empty());
    EXPECT_TRUE(reports.empty());
}

TEST_F(StartupRegistryTest, NonStringValuesAreLeftOutAndReportedOnce) {
    PutString(HKEY_CURRENT_USER, kRun, "Before", "a.exe");
    const uint32_t one = 1;
    PutValue(HKEY_CURRENT_USER, kRun,
             {"Counter", REG_DWORD, std::string(reinterpret_cast<const char*>(&one), 4)});
    PutValue(HKEY_CURRENT_USER, kRun, {"Multi", REG_MULTI_SZ, std::string("a\0\0\0\0\0", 6)});
    PutString(HKEY_CURRENT_USER, kRun, "After", "b.exe");
    const auto entries = RegistryEntries(HKEY_CURRENT_USER, std::string("\\") + kRun, 11, Report());
    std::vector<std::string> names;
    for (const auto& e : entries)
        names.push_back(e.Name);
    EXPECT_EQ(Sorted(names), (std::vector<std::string>{"After", "Before"}));
    EXPECT_EQ(Sorted(reports), (std::vector<std::string>{"Invalid data type for 'Counter'",
                                                         "Invalid data type for 'Multi'"}));
}

TEST_F(StartupRegistryTest, OddValues) {
    const std::string huge(100000, 'x');
    PutString(HKEY_CURRENT_USER, kRun, "", "default.exe");  // the unnamed value
    PutString(HKEY_CURRENT_USER, kRun, "Huge", huge);
    PutString(HKEY_CURRENT_USER, kRun, "启动 ü", "C:\\程序\\a.exe");
    PutValue(HKEY_CURRENT_USER, kRun, {"Empty", REG_SZ, ""});
    PutValue(HKEY_CURRENT_USER, kRun, {"Nul", REG_SZ, std::string("a\0b\0\0\0c\0\0\0", 10)});
    auto entries = RegistryEntries(HKEY_CURRENT_USER, std::string("\\") + kRun, 11, Report());
    std::map<std::string, std::string> got;
    for (const auto& e : entries)
        got[e.Name] = e.Command;
    EXPECT_EQ(got, (std::map<std::string, std::string>{{"", "default.exe"},
                                                       {"Huge", huge},
                                                       {"启动 ü", "C:\\程序\\a.exe"},
                                                       {"Empty", ""},
                                                       {"Nul", "ab"}}));
}

TEST(ProgramIcon, ShellIconForFullPathsFirstIconOtherwise) {
    testing_support::InitHeadlessUi();
    // The shell's icon for a file type needs no file.
    HICON typeIcon = ProgramIcon("c:\\nowhere\\tool.exe", true);
    EXPECT_NE(typeIcon, nullptr);
    if (typeIcon) DestroyIcon(typeIcon);
    // Without a colon and backslash the named file itself is asked, and a missing one has none.
    EXPECT_EQ(ProgramIcon("missing-program.exe", false), nullptr);
    EXPECT_EQ(ProgramIcon("", true), nullptr);
}

}  // namespace
