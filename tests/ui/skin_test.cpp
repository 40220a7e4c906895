#include <gtest/gtest.h>

#include "support/main_window_fixture.h"
#include "support/temp_folder.h"
#include "ui/skin_engine.h"

namespace {

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
