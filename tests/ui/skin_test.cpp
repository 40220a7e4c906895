#include <gtest/gtest.h>

#include "support/main_window_fixture.h"
#include "support/shipped_data.h"
#include "support/temp_folder.h"
#include "ui/skin_engine.h"

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

class SkinEngineTest : public ::testing::Test {
  protected:
    SkinEngineTest() {
        testing_support::InitHeadlessUi();
        parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                  nullptr, nullptr);
        plain.Create(parent_, "plain", {0, 0, 50, 20});
        unskinned.Create(parent_, "unskinned", {0, 20, 50, 20});
        unskinned.SetTag(ui::kUnskinnedTag);
        dc_ = GetDC(parent_);
    }
    ~SkinEngineTest() override {
        ReleaseDC(parent_, dc_);
        DestroyWindow(parent_);
    }
    testing_support::TempFolder folder;
    HWND parent_;
    HDC dc_;
    ui::Label plain{"plain"}, unskinned{"unskinned"};
};

TEST_F(SkinEngineTest, ActiveSkinColoursControlsButTag9999) {
    ui::SkinEngine skin;
    skin.SetSkinFile(folder.Write("skin\\mywave.ssk", "[Colors]\r\nText=10,20,30\r\n"));
    ASSERT_TRUE(skin.SetActive(true));
    EXPECT_EQ(ui::ActiveSkin(), &skin);
    EXPECT_NE(skin.ControlColor(WM_CTLCOLORSTATIC, dc_, plain.Handle()), nullptr);
    EXPECT_EQ(GetTextColor(dc_), RGB(10, 20, 30));
    EXPECT_EQ(skin.ControlColor(WM_CTLCOLORSTATIC, dc_, unskinned.Handle()), nullptr);
    skin.SetActive(false);
    EXPECT_EQ(ui::ActiveSkin(), nullptr);
}

TEST_F(SkinEngineTest, AMissingSkinFileLeavesTheStandardLook) {
    ui::SkinEngine skin;
    skin.SetSkinFile(folder.File("skin\\mywave.ssk"));
    EXPECT_FALSE(skin.SetActive(true));
    EXPECT_FALSE(skin.IsActive());
    EXPECT_EQ(ui::ActiveSkin(), nullptr);
    EXPECT_EQ(ui::SkinColor(&ui::SkinColors::window, COLOR_BTNFACE), GetSysColor(COLOR_BTNFACE));
}

TEST(ShippedSkin, TheSkinBesideTheProgramParses) {
    const auto& shipped = testing_support::ShippedData();
    const auto it = shipped.find("skin\\mywave.ssk");
    ASSERT_NE(it, shipped.end());
    const auto skin = ui::ParseSkin(it->second);
    ASSERT_TRUE(skin);
    EXPECT_NE(skin->window, ui::SkinColors{}.window);
}

using testing_support::MainWindowTest;

TEST_F(MainWindowTest, TheMainWindowLoadsTheSkinBesideTheProgram) {
    folder.Write("skin\\mywave.ssk", "[Colors]\r\nWindow=1,2,3\r\n");
    auto& f = MakeWindow();
    EXPECT_EQ(f.sKE.SkinFile(), folder.File("skin\\mywave.ssk"));
    EXPECT_TRUE(f.sKE.IsActive());
    EXPECT_EQ(ui::ActiveSkin(), &f.sKE);
}

TEST_F(MainWindowTest, WithoutASkinFileTheWindowStillOpens) {
    auto& f = MakeWindow();
    f.FirstShow();
    EXPECT_FALSE(f.sKE.IsActive());
    EXPECT_TRUE(IsWindowVisible(f.Handle()));
}

}  // namespace
