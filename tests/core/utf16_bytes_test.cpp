#include "core/utf16_bytes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Utf16Case {
    std::string bytes;
    std::u16string text;
};

class Utf16TextOfBytes : public ::testing::TestWithParam<Utf16Case> {};

TEST_P(Utf16TextOfBytes, ReadsLittleEndianUpToTheFirstNul) {
    EXPECT_EQ(core::Utf16TextOfBytes(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, Utf16TextOfBytes,
    ::testing::Values(Utf16Case{std::string("a\0b\0\0\0", 6), u"ab"},  // terminated
                      Utf16Case{std::string("a\0b\0", 4), u"ab"},      // unterminated
                      Utf16Case{std::string("a\0\0\0c\0", 6), u"a"},   // text after NUL
                      Utf16Case{std::string("a\0b", 3), u"a"},         // odd last byte
                      Utf16Case{std::string("", 0), u""},              //
                      Utf16Case{std::string("\x01", 1), u""},          //
                      Utf16Case{std::string("\xE9\x00\x87\x65", 4), u"\u00E9\u6587"},    // é文
                      Utf16Case{std::string("\x3D\xD8\x00\xDE", 4), u"\xD83D\xDE00"}));  // pair

}  // namespace
