#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/text.h"
#include "startup/command_rules.h"
#include "startup/enumeration.h"
#include "startup/storage.h"
#include "startup_test_support.h"
#include "support/fakes.h"
#include "support/file_link.h"
#include "support/main_window_fixture.h"
#include "support/registry_redirect.h"
#include "support/temp_folder.h"

namespace {

using namespace startup;
using namespace startup_tests;

class StorageTest : public ::testing::Test {
  protected:
    StorageTest() { testing_support::InitHeadlessUi(); }
    testing_support::TempFolder temp;
    testing_support::RegistryRedirect registry;
    testing_support::FakePrompts prompts;
    const std::string run = std::string("\\") + kRun;
};

TEST_F(StorageTest, WriteRegValueCreatesTheKeyAndWritesAString) {
    ASSERT_TRUE(WriteRegValue(HKEY_CURRENT_USER, run, "Tool", "C:\\t.exe /x"));
    const auto v = GetValue(HKEY_CURRENT_USER, kRun, "Tool");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(platform::RegistryString(*v), "C:\\t.exe /x");
    // Length plus the terminating NUL, in UTF-16.
    EXPECT_EQ(v->bytes.size(), (11u + 1) * 2);
}

TEST_F(StorageTest, DeleteRegValueLeavesAnEmptyKeyBehindWhenTheKeyWasMissing) {
    EXPECT_FALSE(DeleteRegValue(HKEY_CURRENT_USER, run + "-", "Nothing"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kRunTwin));
    PutString(HKEY_CURRENT_USER, kRun, "Gone", "x");
    EXPECT_TRUE(DeleteRegValue(HKEY_CURRENT_USER, run, "Gone"));
    EXPECT_FALSE(GetValue(HKEY_CURRENT_USER, kRun, "Gone"));
}

TEST_F(StorageTest, MoveKeepsTypeAndBytesBothWays) {
    const platform::RegistryValue values[] = {
        {"Expand", REG_EXPAND_SZ, std::string("%\0A\0%\0\\\0b\0\0\0", 12)},
        {"Plain", REG_SZ, std::string("p\0\0\0", 4)},
        {"", REG_SZ, std::string("d\0\0\0", 4)},
    };
    for (const auto& v : values) {
        SCOPED_TRACE(v.name);
        PutValue(HKEY_LOCAL_MACHINE, kRun, v);
        ASSERT_TRUE(MoveRegValue(HKEY_LOCAL_MACHINE, run, run + "-", v.name));
        EXPECT_FALSE(GetValue(HKEY_LOCAL_MACHINE, kRun, v.name));
        auto parked = GetValue(HKEY_LOCAL_MACHINE, kRunTwin, v.name);
        ASSERT_TRUE(parked);
        EXPECT_EQ(parked->type, v.type);
        EXPECT_EQ(parked->bytes, v.bytes);
        ASSERT_TRUE(MoveRegValue(HKEY_LOCAL_MACHINE, run + "-", run, v.name));
        auto back = GetValue(HKEY_LOCAL_MACHINE, kRun, v.name);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->type, v.type);
        EXPECT_EQ(back->bytes, v.bytes);
        EXPECT_FALSE(GetValue(HKEY_LOCAL_MACHINE, kRunTwin, v.name));
    }
}

TEST_F(StorageTest, MovingAMissingValueWritesNothing) {
    EXPECT_FALSE(MoveRegValue(HKEY_CURRENT_USER, run, run + "-", "Ghost"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kRunTwin));
}

TEST_F(StorageTest, DeleteFileForcedRemovesReadOnlyHiddenSystemFiles) {
    const std::string f = temp.Write("locked.lnk", "x");
    SetFileAttributesW(platform::Widen(f).c_str(),
                       FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_TRUE(DeleteFileForced(f));
    EXPECT_FALSE(platform::FileExists(f));
    EXPECT_FALSE(DeleteFileForced(temp.File("missing.lnk")));
}

TEST_F(StorageTest, AnEntryThatIsALinkToAnotherFileIsNotDeletedNorItsTarget) {
    const std::string unique =
        std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64());
    const std::string target = temp.Write("elsewhere\\precious-" + unique + ".exe", "MZ");
    SetFileAttributesW(platform::Widen(target).c_str(), FILE_ATTRIBUTE_HIDDEN);
    const DWORD targetAttributes = GetFileAttributesW(platform::Widen(target).c_str());
    const std::string link = temp.File("linked-" + unique + ".exe");
    ASSERT_TRUE(testing_support::MakeFileLink(link, target));
    struct Unlink {
        std::string link;
        ~Unlink() { testing_support::RemoveFileLink(link); }
    } unlink{link};
    DeleteStartupEntry(
        prompts, {FileNamePart(link), link, temp.Path(), "StartUP Folder-Current User", true});
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, kDeleteFileFailedText);
    EXPECT_EQ(platform::ReadWholeFile(target), "MZ");
    EXPECT_EQ(GetFileAttributesW(platform::Widen(target).c_str()), targetAttributes);
}

TEST_F(StorageTest, CreateShortcutSavesTargetArgumentsAndWorkingFolder) {
    const std::string link = temp.File("new.lnk");
    ASSERT_TRUE(CreateShortcut("C:\\Apps\\app.exe", "-a", link, "desc"));
    EXPECT_EQ(ReadShortcutCommand(link), "C:\\Apps\\app.exe -a");
    EXPECT_FALSE(CreateShortcut("C:\\Apps\\app.exe", "", temp.File("no\\such\\folder\\x.lnk"), ""));
}

TEST_F(StorageTest, FolderEntryOfAProgramIsAShortcutOfTheSameBaseName) {
    ASSERT_TRUE(WriteFolderEntry("Tool.exe", "C:\\Apps\\tool.exe", temp.Path()));
    EXPECT_TRUE(platform::FileExists(temp.File("Tool.lnk")));
    EXPECT_EQ(ReadShortcutCommand(temp.File("Tool.lnk")), "\"C:\\Apps\\tool.exe\"");
}

TEST_F(StorageTest, FolderEntryOfAShortcutIsACopyWithLnkAppended) {
    const std::string source = temp.File("source.LNK");
    MakeShortcut(source, "C:\\Apps\\b.exe", "-z");
    const std::string folder = temp.MakeFolder("Startup");
    ASSERT_TRUE(WriteFolderEntry("Copy.lnk", source, folder));
    EXPECT_TRUE(platform::FileExists(folder + "\\Copy.lnk.lnk"));
    EXPECT_EQ(ReadShortcutCommand(folder + "\\Copy.lnk.lnk"), "C:\\Apps\\b.exe -z");
    EXPECT_FALSE(WriteFolderEntry("x", temp.File("missing.lnk"), folder));
}

TEST_F(StorageTest, WriteStartupEntryRoutesByTheLocationText) {
    EXPECT_TRUE(
        WriteStartupEntry(prompts, "A", "a.exe",
                          "hkey_local_machine\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"));
    // A lower-case root name is a registry location, under the current user.
    EXPECT_TRUE(GetValue(HKEY_CURRENT_USER, kRun, "A"));
    EXPECT_FALSE(GetValue(HKEY_LOCAL_MACHINE, kRun, "A"));
    EXPECT_TRUE(
        WriteStartupEntry(prompts, "B", "b.exe",
                          "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"));
    EXPECT_TRUE(GetValue(HKEY_LOCAL_MACHINE, kRun, "B"));
    EXPECT_TRUE(WriteStartupEntry(prompts, "C.exe", "C:\\c.exe", temp.Path()));
    EXPECT_TRUE(platform::FileExists(temp.File("C.lnk")));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(StorageTest, OddRootsTypedByHandGoUnderTheCurrentUser) {
    EXPECT_TRUE(
        WriteStartupEntry(prompts, "X", "x.exe", "HKEY_CLASSES_ROOT\\Software\\Typed\\Key"));
    EXPECT_TRUE(GetValue(HKEY_CURRENT_USER, "Software\\Typed\\Key", "X"));
    EXPECT_TRUE(WriteStartupEntry(prompts, "Y", "y.exe", "HKEY_CURRENT_USER\\\\Software\\Two"));
    EXPECT_TRUE(GetValue(HKEY_CURRENT_USER, "Software\\Two", "Y"));
}

TEST_F(StorageTest, FailedStoresShowTheirMessages) {
    const std::string longName(300, 'k');
    EXPECT_FALSE(
        WriteStartupEntry(prompts, "A", "a.exe", "HKEY_CURRENT_USER\\Software\\" + longName));
    EXPECT_FALSE(WriteStartupEntry(prompts, "A.exe", "a.exe", temp.File("no such folder")));
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[0].text,
              "Registry write key failed\xEF\xBC\x8C"
              "Please check registry path and access rights to retry");
    EXPECT_EQ(
        prompts.messages[1].text,
        "Create shortcut failed\xEF\xBC\x8Cplease check disk path and access rights to retry.");
    EXPECT_EQ(prompts.messages[0].style, static_cast<unsigned>(platform::kOk));
}

TEST_F(StorageTest, DeleteStartupEntryByLocationPrefix) {
    PutString(HKEY_LOCAL_MACHINE, kRun, "R", "r.exe");
    DeleteStartupEntry(prompts,
                       {"R", "r.exe", "hkey_LOCAL_MACHINE\\" + std::string(kRun), "", true});
    // "hkey_LOCAL_MACHINE" is not the exact root name: the current user's key is meant.
    EXPECT_TRUE(GetValue(HKEY_LOCAL_MACHINE, kRun, "R"));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text,
              "Delete key failed,Please check the registry path and your rights");
    const std::string f = temp.Write("e.exe", "MZ");
    DeleteStartupEntry(prompts, {"e.exe", f, temp.Path(), "StartUP Folder-Current User", true});
    EXPECT_FALSE(platform::FileExists(f));
    DeleteStartupEntry(prompts, {"e.exe", f, temp.Path(), "StartUP Folder-Current User", true});
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[1].text,
              "Delete Failed, Please check the path and whether you have the right to delete.");
}

TEST(StoresOver, SamePlaceOrStillNeededFile) {
    const std::string run = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const TStartupEntry reg{"Tool", "t.exe", run, "Registry\\Current User\\Run", true};
    EXPECT_TRUE(StoresOver(reg, {"TOOL", "other.exe", run, "", true}));
    EXPECT_TRUE(StoresOver(
        reg, {"Tool", "t.exe",
              "HKEY_CURRENT_USER\\software\\microsoft\\windows\\currentversion\\run", "", true}));
    EXPECT_FALSE(StoresOver(reg, {"Tool2", "t.exe", run, "", true}));
    EXPECT_FALSE(StoresOver(reg, {"Tool", "t.exe", run + "-", "", true}));
    EXPECT_FALSE(StoresOver(
        reg, {"Tool", "t.exe",
              "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", "", true}));

    const TStartupEntry file{"Tool.lnk", "\"C:\\t.exe\"", "C:\\Startup", "", true};
    EXPECT_TRUE(StoresOver(file, {"Tool.exe", "C:\\other.exe", "C:\\Startup", "", true}));
    EXPECT_TRUE(StoresOver(file, {"tool", "C:\\other.exe", "c:\\startup", "", true}));
    // A new command under the same name is saved over the same shortcut file.
    EXPECT_TRUE(StoresOver(file, {"Tool.lnk", "C:\\t2.exe", "C:\\Startup", "", true}));
    // A shortcut command is copied to "Tool" + ".lnk": the same file again.
    EXPECT_TRUE(StoresOver(file, {"Tool", "C:\\a.lnk", "C:\\Startup", "", true}));
    EXPECT_FALSE(StoresOver(file, {"Other.exe", "C:\\t.exe", "C:\\Startup", "", true}));
    EXPECT_FALSE(StoresOver(file, {"Tool.lnk", "C:\\a.lnk", "C:\\Startup", "", true}));
    EXPECT_FALSE(StoresOver(file, {"Tool", "t.exe", "HKEY_CURRENT_USER\\Software\\Run", "", true}));

    const TStartupEntry program{"prog.exe", "C:\\Startup\\prog.exe", "C:\\Startup", "", true};
    EXPECT_TRUE(
        NeedsOldFile(program, {"prog2.exe", "C:\\Startup\\prog.exe", "C:\\Startup", "", true}));
    EXPECT_TRUE(NeedsOldFile(program, {"P", "\"C:\\STARTUP\\prog.exe\" -x", run, "", true}));
    EXPECT_FALSE(NeedsOldFile(program, {"P", "C:\\elsewhere.exe", "C:\\Startup", "", true}));
    EXPECT_FALSE(NeedsOldFile(reg, {"P", "t.exe", run, "", true}));
}

}  // namespace
