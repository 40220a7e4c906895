#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/main_window_fixture.h"
#include "ui/dispatch.h"
#include "ui/page.h"

namespace {

std::vector<std::string> g_events;

class RecordingPage : public ui::Page {
  public:
    explicit RecordingPage(std::string name) : Page(name, name) {}
    void OnShow() override {
        g_events.push_back("show " + Name());
        // A show handler sees its own page visible and the old one still visible.
        g_events.push_back(IsWindowVisible(Handle()) ? "visible" : "hidden");
    }
    void OnHide() override { g_events.push_back("hide " + Name()); }
};

class PageHostTest : public ::testing::Test {
  protected:
    PageHostTest() {
        testing_support::InitHeadlessUi();
        g_events.clear();
        parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                  nullptr, nullptr, nullptr);
        host.Create(parent_, {0, 0, 400, 300});
        for (RecordingPage* p : {&a, &b, &c}) {
            p->CreatePage(host.Handle());
            host.AddPage(*p);
        }
    }
    ~PageHostTest() override { DestroyWindow(parent_); }

    HWND parent_;
    ui::PageHost host{"PCMain"};
    RecordingPage a{"A"}, b{"B"}, c{"C"};
};

TEST_F(PageHostTest, BeforeGoingLiveShowingOnlyRecordsThePage) {
    host.ShowPage(a);
    host.ShowPage(b);
    EXPECT_TRUE(g_events.empty());
    host.GoLive();
    EXPECT_EQ(g_events, (std::vector<std::string>{"show B", "visible"}));
    EXPECT_FALSE(IsWindowVisible(a.Handle()));
}

TEST_F(PageHostTest, NewPageShowsBeforeTheOldOneHides) {
    host.ShowPage(a);
    host.GoLive();
    g_events.clear();
    host.ShowPage(b);
    EXPECT_EQ(g_events, (std::vector<std::string>{"show B", "visible", "hide A"}));
    EXPECT_TRUE(IsWindowVisible(b.Handle()));
    EXPECT_FALSE(IsWindowVisible(a.Handle()));
}

TEST_F(PageHostTest, ShowingTheVisiblePageRunsNothing) {
    host.ShowPage(a);
    host.GoLive();
    g_events.clear();
    host.ShowPage(a);
    EXPECT_TRUE(g_events.empty());
    host.ShowPage(c);
    host.ShowPage(a);
    EXPECT_EQ(g_events, (std::vector<std::string>{"show C", "visible", "hide A", "show A",
                                                  "visible", "hide C"}));
}

class ThrowingPage : public ui::Page {
  public:
    ThrowingPage() : Page("TSThrows", "Throws") {}
    void OnShow() override { throw std::runtime_error("show failed"); }
};

TEST_F(PageHostTest, AFailingShowHandlerIsReportedAndTheSwitchCompletes) {
    std::vector<std::string> reported;
    ui::SetExceptionHandler([&](const ui::Component* s, const std::string& m) {
        reported.push_back(s->Name() + ": " + m);
    });
    ThrowingPage t;
    t.CreatePage(host.Handle());
    host.AddPage(t);
    host.ShowPage(a);
    host.GoLive();
    g_events.clear();
    host.ShowPage(t);
    EXPECT_EQ(host.ActivePage(), &t);
    EXPECT_EQ(g_events, (std::vector<std::string>{"hide A"}));
    EXPECT_EQ(reported, (std::vector<std::string>{"TSThrows: show failed"}));
    ui::SetExceptionHandler(nullptr);
}

}  // namespace
