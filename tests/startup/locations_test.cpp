#include <gtest/gtest.h>

#include <string>

#include "startup/command_rules.h"
#include "startup/locations.h"

namespace {

using namespace startup;

std::string FakeFolder(int csidl) {
    return csidl == kCsidlCommonStartup ? "C:\\All\\Startup" : "C:\\Me\\Startup";
}

struct LocationCase {
    int code;
    const char* label;
    const char* path;
};

const LocationCase kLocations[] = {
    {1, "StartUP Folder-All Users", "C:\\All\\Startup"},
    {2, "StartUP Folder-Current User", "C:\\Me\\Startup"},
    {3, "Registry\\All Users\\Run",
     "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
    {4, "Registry\\All Users\\Run-",
     "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run-"},
    {5, "Registry\\All Users\\RunOnce",
     "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce"},
    {6, "Registry\\All Users\\RunOnce-",
     "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce-"},
    {7, "Registry\\All Users\\RunServices",
     "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServices"},
    {8, "Registry\\All Users\\RunServices-",
     "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServices-"},
    {9, "Registry\\All Users\\RunServicesOnce",
     "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce"},
    {10, "Registry\\All Users\\RunServicesOnce-",
     "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce-"},
    {11, "Registry\\Current User\\Run",
     "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
    {12, "Registry\\Current User\\Run-",
     "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run-"},
    {13, "Registry\\Current User\\RunOnce",
     "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce"},
    {14, "Registry\\Current User\\RunOnce-",
     "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce-"},
};

TEST(LocationTable, LabelsAndPathsOfEveryCode) {
    for (const auto& c : kLocations) {
        SCOPED_TRACE(c.code);
        std::string label = "untouched";
        LocationLabel(c.code, label);
        EXPECT_EQ(label, c.label);
        EXPECT_EQ(LocationPath(c.label, FakeFolder), c.path);
        EXPECT_EQ(LocationTable()[c.code - 1].code, c.code);
    }
}

TEST(LocationTable, CodesOutsideTheTableLeaveTheLabelAlone) {
    for (int code : {0, 15, -1, 1000}) {
        std::string label = "kept";
        LocationLabel(code, label);
        EXPECT_EQ(label, "kept") << code;
    }
}

TEST(LocationTable, EveryTwinIsItsKeyWithADash) {
    for (int code = 3; code <= 13; code += 2) {
        SCOPED_TRACE(code);
        EXPECT_TRUE(IsEnabledRegistryCode(code));
        EXPECT_FALSE(IsEnabledRegistryCode(code + 1));
        const Location& key = LocationTable()[code - 1];
        const Location& twin = LocationTable()[code];
        EXPECT_EQ(std::string(twin.label), std::string(key.label) + "-");
        EXPECT_EQ(std::string(twin.text), std::string(key.text) + "-");
    }
    EXPECT_TRUE(IsFolderCode(1));
    EXPECT_TRUE(IsFolderCode(2));
    EXPECT_FALSE(IsFolderCode(3));
}

TEST(LocationPath, TextsThatAreNoLabelGiveTheCurrentUsersRunKey) {
    for (const char* text : {"registry\\current user\\run", "", " Registry\\Current User\\Run",
                             "Registry\\Current User\\Run ", "StartUp Folder-All Users",
                             "HKEY_LOCAL_MACHINE\\Software"}) {
        EXPECT_EQ(LocationPath(text, FakeFolder),
                  "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run")
            << text;
    }
}

TEST(LocationPath, AFolderThatCannotBeResolvedGivesAnEmptyPath) {
    EXPECT_EQ(LocationPath("StartUP Folder-Current User", [](int) { return std::string(); }), "");
}

struct ParseCase {
    const char* text;
    RegistryRoot root;
    const char* keyPath;
};

TEST(ParseRegistryLocation, RootAndKeyPath) {
    const ParseCase cases[] = {
        {"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run-",
         RegistryRoot::LocalMachine, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run-"},
        {"hkey_local_machine\\Software\\Microsoft\\Windows\\CurrentVersion\\Run-",
         RegistryRoot::CurrentUser, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run-"},
        {"HKEY_CURRENT_USER\\Software\\X", RegistryRoot::CurrentUser, "\\Software\\X"},
        {"HKEY_CLASSES_ROOT\\Software\\X", RegistryRoot::CurrentUser, "\\Software\\X"},
        {"HKEY_USERS\\.DEFAULT\\Y", RegistryRoot::CurrentUser, "\\.DEFAULT\\Y"},
        {"\\Software\\X", RegistryRoot::CurrentUser, "\\Software\\X"},
        {"HKEY_LOCAL_MACHINE\\", RegistryRoot::LocalMachine, "\\"},
        {"HKEY_LOCAL_MACHINE", RegistryRoot::CurrentUser, "HKEY_LOCAL_MACHINE"},
        {"no backslash", RegistryRoot::CurrentUser, "no backslash"},
        {"", RegistryRoot::CurrentUser, ""},
        {"HKEY_LOCAL_MACHINE\\Software\\Ünïcødé\\键", RegistryRoot::LocalMachine,
         "\\Software\\Ünïcødé\\键"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const RegistryLocation l = ParseRegistryLocation(c.text);
        EXPECT_EQ(l.root, c.root);
        EXPECT_EQ(l.keyPath, c.keyPath);
    }
}

TEST(RegistryLocationText, RootNameThenKeyPath) {
    EXPECT_EQ(RegistryLocationText(RegistryRoot::LocalMachine, "\\Software\\A"),
              "HKEY_LOCAL_MACHINE\\Software\\A");
    EXPECT_EQ(RegistryLocationText(RegistryRoot::CurrentUser, "\\Software\\A-"),
              "HKEY_CURRENT_USER\\Software\\A-");
}

TEST(ProgramPathOfCommand, Table) {
    const std::pair<const char*, const char*> cases[] = {
        {"\"C:\\Program Files\\App\\App.EXE\" /background", "c:\\program files\\app\\app.exe"},
        {"C:\\Tools\\run.exe -s -x", "c:\\tools\\run.exe"},
        {"  C:\\Tools\\run.exe  ", "c:\\tools\\run.exe"},
        {"\t\"C:\\Tools\\run.exe\"\r\n", "c:\\tools\\run.exe"},
        {"C:\\Tools\\script.bat", "c:\\tools\\script.bat"},
        // The first dot lies in a folder name and no ".exe " follows: three characters.
        {"C:\\My.Folder\\prog.exe", "c:\\"},
        {"C:\\My.Folder\\prog.exe /x", "c:\\my.folder\\prog.exe"},
        {"rundll32.exe shell32.dll,Control_RunDLL", "rundll32.exe"},
        {"notepad", "not"},
        {"ab", "ab"},
        {"a.b", "a.b"},
        {"", ""},
        {"\"\"", ""},
        {"   ", ""},
        // A cut never splits a character.
        {"程序文件", "程序文"},
        {"D:\\软件\\工具.exe", "d:\\软件\\工具.exe"},
        {"x.程序文件名", "x.程"},
        {"x.程序", "x.程序"},
    };
    for (const auto& [command, path] : cases)
        EXPECT_EQ(ProgramPathOfCommand(command), path) << command;
}

TEST(ShortcutCommandText, ArgumentsUnquotedOrTargetQuoted) {
    EXPECT_EQ(ShortcutCommandText("C:\\a b\\p.exe", "-x \"y\""), "C:\\a b\\p.exe -x \"y\"");
    EXPECT_EQ(ShortcutCommandText("C:\\a b\\p.exe", ""), "\"C:\\a b\\p.exe\"");
    EXPECT_EQ(ShortcutCommandText("", ""), "\"\"");
}

TEST(FolderEntryFile, NewShortcutOrCopy) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"Tool.exe", "C:\\Tools\\Tool.exe", "F\\Tool.lnk"},
        {"Tool", "C:\\Tools\\Tool.exe", "F\\Tool.lnk"},
        {"Tool.lnk", "C:\\Tools\\Tool.exe /x", "F\\Tool.lnk"},
        {"a.b.c", "C:\\x.exe", "F\\a.b.lnk"},
        // A command that names a shortcut is copied; ".lnk" is appended whatever the name.
        {"Tool.lnk", "C:\\Links\\Tool.LNK", "F\\Tool.lnk.lnk"},
        {"Tool", "C:\\Links\\Tool.lnk", "F\\Tool.lnk"},
    };
    for (const auto& [name, command, file] : cases)
        EXPECT_EQ(FolderEntryFile(name, command, "F"), file) << name << " / " << command;
}

TEST(PathParts, NamesDirectoriesExtensionsAndWorkingFolders) {
    EXPECT_EQ(FileNamePart("C:\\a\\b.lnk"), "b.lnk");
    EXPECT_EQ(FileNamePart("b.lnk"), "b.lnk");
    EXPECT_EQ(DirectoryPart("C:\\a\\b.lnk"), "C:\\a");
    EXPECT_EQ(DirectoryPart("b"), "");
    EXPECT_EQ(ExtensionOf("b.tar.LNK"), ".LNK");
    EXPECT_EQ(ExtensionOf("noext"), "");
    EXPECT_EQ(WorkingDirectoryOf("C:\\a\\b.exe"), "C:\\a\\");
    EXPECT_EQ(WorkingDirectoryOf("C:b.exe"), "C:");
    EXPECT_EQ(WorkingDirectoryOf("b.exe"), "");
}

}  // namespace
