#include <gtest/gtest.h>

#include "support/main_window_fixture.h"

namespace {

using testing_support::MainWindowTest;

TEST_F(MainWindowTest, Smoke) {
    auto& f = MakeWindow();
    f.FirstShow();
    EXPECT_EQ(f.PCMain.ActivePage(), &f.TSSummary);
    f.ShowPage(f.TSReport);
    RECT r;
    GetWindowRect(f.TSReport.Handle(), &r);
    printf("page vis=%d rect=%ld,%ld,%ld,%ld\n", IsWindowVisible(f.TSReport.Handle()), r.left,
           r.top, r.right, r.bottom);
    GetWindowRect(f.TSReport.MMReport.Handle(), &r);
    printf("memo vis=%d rect=%ld,%ld,%ld,%ld parent=%p page=%p\n",
           IsWindowVisible(f.TSReport.MMReport.Handle()), r.left, r.top, r.right, r.bottom,
           (void*)GetParent(f.TSReport.MMReport.Handle()), (void*)f.TSReport.Handle());
    GetWindowRect(f.PCMain.Handle(), &r);
    printf("host rect=%ld,%ld,%ld,%ld\n", r.left, r.top, r.right, r.bottom);
}

}  // namespace
