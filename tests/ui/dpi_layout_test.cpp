#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/main_window_fixture.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace {

// A window of ours that notes every message it is given.
class Recorder : public ui::Window {
  public:
    Recorder() : Window("Recorder") {}
    void Create(int w, int h) {
        CreateWindowOf(L"r", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, w, h, nullptr);
    }
    std::vector<UINT> seen;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        seen.push_back(msg);
        return Window::HandleMessage(msg, wp, lp);
    }
};

RECT RectIn(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class DpiLayoutTest : public ::testing::Test {
  protected:
    DpiLayoutTest() { testing_support::InitHeadlessUi(); }
};

TEST_F(DpiLayoutTest, TheWindowSeesItsCreationMessages) {
    Recorder w;
    w.Create(200, 100);
    EXPECT_NE(std::find(w.seen.begin(), w.seen.end(), WM_NCCREATE), w.seen.end());
    EXPECT_NE(std::find(w.seen.begin(), w.seen.end(), WM_CREATE), w.seen.end());
}

TEST_F(DpiLayoutTest, ADpiChangeScalesPositionsSizesFontsColumnsAndAnchors) {
    Recorder w;
    w.Create(400, 300);
    const RECT client = w.ClientRect();
    ui::Button button{"Button"};
    button.Create(w.Handle(), "OK", {10, 20, 100, 30});
    ui::ListView list{"List"};
    list.Create(w.Handle(), {10, 60, 200, 100});
    list.AddColumn("Name", 100);
    w.AnchorChild(button.Handle(), ui::kAnchorRight | ui::kAnchorBottom);
    const RECT before = RectIn(button.Handle());
    ASSERT_EQ(before.right - before.left, ui::Scale(100, w.Dpi()));

    const UINT from = w.Dpi(), to = from * 3 / 2;
    ui::RescaleDescendants(w.Handle(), from, to);
    const RECT after = RectIn(button.Handle());
    const auto scaled = [&](LONG v) {
        return MulDiv(v, static_cast<int>(to), static_cast<int>(from));
    };
    EXPECT_EQ(after.left, scaled(before.left));
    EXPECT_EQ(after.top, scaled(before.top));
    EXPECT_EQ(after.right - after.left, scaled(before.right - before.left));
    EXPECT_EQ(after.bottom - after.top, scaled(before.bottom - before.top));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(button.Handle(), WM_GETFONT, 0, 0)),
              ui::UiFont(to));
    EXPECT_EQ(ListView_GetColumnWidth(list.Handle(), 0), scaled(ui::Scale(100, from)));

    // The anchored button keeps its scaled distances to the right and bottom edges.
    const int rightGap = scaled(client.right - before.right);
    const int bottomGap = scaled(client.bottom - before.bottom);
    RECT frame{};
    GetWindowRect(w.Handle(), &frame);
    SetWindowPos(w.Handle(), nullptr, 0, 0, frame.right - frame.left + 200,
                 frame.bottom - frame.top + 100, SWP_NOZORDER | SWP_NOMOVE);
    const RECT grown = w.ClientRect();
    const RECT moved = RectIn(button.Handle());
    EXPECT_EQ(grown.right - moved.right, rightGap);
    EXPECT_EQ(grown.bottom - moved.bottom, bottomGap);
    EXPECT_EQ(moved.right - moved.left, after.right - after.left);
}

TEST(DpiUnits, ScaleAndUnscaleRoundTrip) {
    for (int units : {0, 1, 8, 96, 161, 780})
        for (UINT dpi : {96u, 120u, 144u, 192u})
            EXPECT_EQ(ui::Unscale(ui::Scale(units, dpi), dpi), units) << units << " @ " << dpi;
    EXPECT_EQ(ui::Scale(780, 144), 1170);
}

}  // namespace
