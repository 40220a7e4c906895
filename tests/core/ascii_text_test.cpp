#include "core/ascii_text.h"

#include <gtest/gtest.h>

namespace {

TEST(AsciiText, FoldsOnlyTheLettersAToZ) {
    EXPECT_EQ(core::AsciiLower("C:\\Program Files\\APP.EXE"), "c:\\program files\\app.exe");
    // UTF-8 of "É" and of a full-width comma pass through untouched.
    EXPECT_EQ(core::AsciiLower("\xC3\x89T\xEF\xBC\x8C"), "\xC3\x89t\xEF\xBC\x8C");
    EXPECT_TRUE(core::EqualsIgnoreAsciiCase("Desktop.INI", "desktop.ini"));
    EXPECT_FALSE(core::EqualsIgnoreAsciiCase("\xC3\x89", "\xC3\xA9"));  // É and é differ
    EXPECT_FALSE(core::EqualsIgnoreAsciiCase("run", "run-"));
    EXPECT_TRUE(core::ContainsIgnoreAsciiCase("Registry\\Current User\\Run", "REGISTRY"));
    EXPECT_TRUE(core::ContainsIgnoreAsciiCase("hkey_local_machine\\x", "HKEY_"));
    EXPECT_FALSE(core::ContainsIgnoreAsciiCase("StartUP Folder", "HKEY_"));
    EXPECT_TRUE(core::ContainsIgnoreAsciiCase("anything", ""));
}

TEST(AsciiText, TrimsBlanksAndControlCharactersOnly) {
    EXPECT_EQ(core::TrimControlAndBlanks(" \t C:\\Temp \r\n"), "C:\\Temp");
    EXPECT_EQ(core::TrimControlAndBlanks(" \x01 "), "");
    EXPECT_EQ(core::TrimControlAndBlanks("\xC3\x89 x \xC3\x89"), "\xC3\x89 x \xC3\x89");
}

}  // namespace
