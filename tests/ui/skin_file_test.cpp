#include <gtest/gtest.h>

#include "support/shipped_data.h"
#include "ui/skin_file.h"

namespace {

TEST(ParseSkin, ReadsColoursAndFontAndKeepsDefaultsForTheRest) {
    const auto skin = ui::ParseSkin(
        "; comment\r\n[Colors]\r\nWindow = 1, 2, 3\r\nText=255,0,0\r\nEdit=300,0,0\r\n"
        "Unknown=1,1,1\r\n[Font]\r\nName=Tahoma\r\nSize=9\r\n");
    ASSERT_TRUE(skin);
    EXPECT_EQ(skin->window, ui::MakeRgb(1, 2, 3));
    EXPECT_EQ(skin->text, ui::MakeRgb(255, 0, 0));
    EXPECT_EQ(skin->edit, ui::SkinColors{}.edit);  // out of range: ignored
    EXPECT_EQ(skin->fontName, "Tahoma");
    EXPECT_EQ(skin->fontSize, 9);
}

TEST(ParseSkin, TextWithoutColoursIsNoSkin) {
    EXPECT_FALSE(ui::ParseSkin(""));
    EXPECT_FALSE(ui::ParseSkin("\x00\x01garbage\xff"));
    EXPECT_FALSE(ui::ParseSkin("[Font]\nName=x\n"));
}

TEST(ParseRgb, Forms) {
    EXPECT_EQ(ui::ParseRgb("0,0,0"), ui::MakeRgb(0, 0, 0));
    EXPECT_EQ(ui::ParseRgb(" 10 ,20, 30 "), ui::MakeRgb(10, 20, 30));
    for (const char* bad : {"", "1,2", "1,2,3,4", "a,b,c", "1,,3", "-1,0,0", "256,0,0"})
        EXPECT_FALSE(ui::ParseRgb(bad)) << bad;
}

TEST(ShippedSkin, TheSkinBesideTheProgramParses) {
    const auto& shipped = testing_support::ShippedData();
    const auto it = shipped.find("skin\\mywave.ssk");
    ASSERT_NE(it, shipped.end());
    const auto skin = ui::ParseSkin(it->second);
    ASSERT_TRUE(skin);
    EXPECT_NE(skin->window, ui::SkinColors{}.window);
}

}  // namespace
