// The summary page in the main window: its tree is built before the window first appears, and
// again each time the navigation bar shows the page.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/main_window_fixture.h"

namespace {

using testing_support::MainWindowTest;

TEST_F(MainWindowTest, SummaryTreeIsBuiltBeforeTheWindowAppears) {
    system.texts[platform::SystemText::ComputerName] = "FIRSTPC";
    auto& f = MakeWindow();
    EXPECT_EQ(0, f.TSSummary.TVSysInfo.Count()) << "nothing is built before the first showing";
    f.FirstShow();
    EXPECT_EQ(37, f.TSSummary.TVSysInfo.Count());
    const HTREEITEM root = f.TSSummary.TVSysInfo.Root();
    EXPECT_EQ("My Computer", f.TSSummary.TVSysInfo.ItemText(root));
    const HTREEITEM info = f.TSSummary.TVSysInfo.FirstChild(root);
    EXPECT_TRUE(f.TSSummary.TVSysInfo.IsExpanded(info));
    EXPECT_EQ("Computer Name:          FIRSTPC",
              f.TSSummary.TVSysInfo.ItemText(f.TSSummary.TVSysInfo.FirstChild(info)));
}

TEST_F(MainWindowTest, TheSummaryButtonBuildsTheTreeAgain) {
    auto& f = MakeWindow();
    f.FirstShow();
    EXPECT_EQ(1u, bios.sectionReads);
    f.mxOBPHeaders3Buttons1Click();  // the report page
    system.texts[platform::SystemText::ComputerName] = "RENAMED";
    f.mxOBPHeaders0Buttons0Click();
    EXPECT_EQ(2u, bios.sectionReads);
    const HTREEITEM info = f.TSSummary.TVSysInfo.FirstChild(f.TSSummary.TVSysInfo.Root());
    EXPECT_EQ("Computer Name:          RENAMED",
              f.TSSummary.TVSysInfo.ItemText(f.TSSummary.TVSysInfo.FirstChild(info)));
}

}  // namespace
