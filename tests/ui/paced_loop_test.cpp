#include <gtest/gtest.h>

#include <memory>

#include "support/main_window_fixture.h"
#include "ui/dispatch.h"
#include "ui/message_pump.h"
#include "ui/paced_loop.h"

namespace {

constexpr uint64_t kNever = 3'600'000'000ull;  // an hour: the slice never passes in a test
constexpr UINT kNote = WM_APP + 9;

// The window the loop works for; it counts the kNote messages that reached it.
class Host : public ui::Window {
  public:
    Host() : Window("Host") {
        CreateWindowOf(L"", WS_POPUP | WS_VISIBLE, 0, 0, 0, 400, 300, nullptr);
    }
    int notes = 0;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == kNote) ++notes;
        return Window::HandleMessage(msg, wp, lp);
    }
};

class PacedLoopTest : public ::testing::Test {
  protected:
    PacedLoopTest() {
        testing_support::InitHeadlessUi();
        host_ = std::make_unique<Host>();
        window_ = host_->Handle();
        status.Create(window_, 27, {150, 150, -1});
        list.Create(window_, {0, 0, 300, 200});
        list.AddColumn("Name", 100);
    }
    bool Redrawing() const { return !list.RedrawHeld(); }

    std::unique_ptr<Host> host_;
    HWND window_ = nullptr;
    ui::StatusBar status{"SBMain"};
    ui::ListView list{"List"};
};

TEST_F(PacedLoopTest, PanelTextsWaitForTheShowSliceOrTheFlush) {
    ui::PacedLoop loop(window_, &status, 0, kNever);
    loop.Tick();  // the first tick pumps and shows at once
    loop.SetPanel(0, "12  Junk Files");
    loop.SetPanel(2, "C:\\a.tmp");
    loop.Tick();
    EXPECT_EQ(status.PanelText(0), "");
    EXPECT_EQ(status.PanelText(2), "");
    loop.SetPanel(2, "Scan Finished");
    loop.Flush();
    EXPECT_EQ(status.PanelText(0), "12  Junk Files");
    EXPECT_EQ(status.PanelText(2), "Scan Finished");
    // A panel written by someone else since is not overwritten by a later flush.
    status.SetPanelText(0, "other");
    loop.Flush();
    EXPECT_EQ(status.PanelText(0), "other");
}

TEST_F(PacedLoopTest, MessagesRunOnlyOncePerPumpSlice) {
    ui::PacedLoop loop(window_, nullptr, kNever, kNever);
    int pumps = 0;
    loop.afterPump = [&] { ++pumps; };
    EXPECT_TRUE(loop.Tick());
    EXPECT_FALSE(loop.Tick());
    EXPECT_EQ(pumps, 1);
    // A posted message waits for the next slice, or for Due().
    PostMessageW(window_, kNote, 0, 0);
    loop.Tick();
    EXPECT_EQ(host_->notes, 0);
    loop.Due();
    EXPECT_TRUE(loop.Tick());
    EXPECT_EQ(host_->notes, 1);
    EXPECT_EQ(pumps, 2);
}

TEST_F(PacedLoopTest, NestedLoopsKeepTheListsRedrawOffUntilTheOuterOneEnds) {
    ASSERT_TRUE(Redrawing());
    {
        ui::PacedLoop outer(window_, nullptr);
        outer.Hold(list);
        EXPECT_FALSE(Redrawing());
        {
            ui::PacedLoop inner(window_, nullptr);
            inner.Hold(list);
            ui::ListViewBatch batch(list);
            EXPECT_FALSE(Redrawing());
        }
        EXPECT_FALSE(Redrawing());  // the inner loop's end gives the list back only to the outer
        // A show lets the changed list repaint and then holds it again.
        outer.Changed();
        outer.Due();
        outer.Tick();
        EXPECT_FALSE(Redrawing());
    }
    EXPECT_TRUE(Redrawing());
}

TEST_F(PacedLoopTest, AWindowClosedWhileMessagesRanEndsTheLoop) {
    ui::PacedLoop loop(window_, &status, 0, kNever);
    loop.Tick();
    PostMessageW(window_, WM_CLOSE, 0, 0);  // DefWindowProc destroys it
    EXPECT_THROW(loop.Tick(), ui::Abort);
    EXPECT_FALSE(IsWindow(window_));
}

}  // namespace
