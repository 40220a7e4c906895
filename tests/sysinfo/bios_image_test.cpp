// Texts at absolute addresses of a BIOS image the test builds: the bounds of the area, the
// terminator, and bytes taken as they are.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "sysinfo/bios_image.h"

namespace {

using sysinfo::BiosImage;

BiosImage ImageWith(const std::vector<std::pair<uint32_t, std::string>>& texts) {
    BiosImage image{};
    for (const auto& [address, text] : texts)
        std::memcpy(image.data() + (address - 0xF0000), text.data(), text.size());
    return image;
}

struct TextAtCase {
    uint32_t address;
    const char* expected;
    size_t expectedSize;
};

class BiosTextAt : public testing::TestWithParam<TextAtCase> {};

TEST_P(BiosTextAt, BoundsAndTerminator) {
    const BiosImage image = ImageWith(
        {{0xF0000, "First"}, {0xF8000, std::string("\x01\xFF\x7F\x20\0", 5)}, {0xFFFFC, "WXYZ"}});
    const auto& c = GetParam();
    EXPECT_EQ(std::string(c.expected, c.expectedSize), sysinfo::BiosTextAt(image, c.address))
        << std::hex << c.address;
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, BiosTextAt,
    testing::Values(TextAtCase{0xF0000, "First", 5}, TextAtCase{0xF0002, "rst", 3},
                    TextAtCase{0xF0005, "", 0},  // the NUL itself
                    // Taken as they are: control bytes, high bytes and blanks stay.
                    TextAtCase{0xF8000, "\x01\xFF\x7F\x20", 4},
                    // No NUL before the end: the bytes up to the end, nothing beyond.
                    TextAtCase{0xFFFFC, "WXYZ", 4}, TextAtCase{0xFFFFF, "Z", 1},
                    // Outside F0000h..FFFFFh: empty, not the failure text.
                    TextAtCase{0xEFFFF, "", 0}, TextAtCase{0x100000, "", 0}, TextAtCase{0, "", 0},
                    TextAtCase{0xFFFFFFFF, "", 0}));

TEST(BiosTextAtShortImage, NothingIsReadPastTheImage) {
    const std::byte bytes[4] = {std::byte{'A'}, std::byte{'B'}, std::byte{'C'}, std::byte{'D'}};
    EXPECT_EQ("CD", sysinfo::BiosTextAt(bytes, 0xF0002));
    EXPECT_EQ("", sysinfo::BiosTextAt(bytes, 0xF0004));
    EXPECT_EQ("", sysinfo::BiosTextAt({}, 0xF0000));
}

TEST(BiosTextsOf, TheFiveAddresses) {
    const BiosImage image = ImageWith({{0xFE0C1, "name"},
                                       {0xFE091, "copyright"},
                                       {0xFE061, "version"},
                                       {0xFFFF5, "date"},
                                       {0xFEC71, "id"}});
    const auto t = sysinfo::BiosTextsOf(image);
    EXPECT_EQ("name", t.name);
    EXPECT_EQ("copyright", t.copyright);
    EXPECT_EQ("version", t.version);
    EXPECT_EQ("date", t.date);
    EXPECT_EQ("id", t.id);
    const auto failed = sysinfo::FailedBiosTexts();
    for (const auto& text : {failed.name, failed.copyright, failed.version, failed.date, failed.id})
        EXPECT_EQ("sadgf00net", text);
}

}  // namespace
