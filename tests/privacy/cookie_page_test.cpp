// The cookie manager page: its controls, the lists it shows, the moves, "OK" and "Cancel", over
// the fake cache and over cookies set through WinINet in a cache of this process's own.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "privacy/privacy_texts.h"
#include "privacy_page_fixture.h"

namespace {

using privacy_testing::PrivacyPagesTest;
using List = std::vector<std::string>;

class CookiePageTest : public PrivacyPagesTest {
  protected:
    void AddCookies(const List& urls) {
        for (const auto& url : urls)
            urlCache.Add(testing_support::CacheRecord(url, 0x100000));
    }
    // A user's click on a list item: the selection, then the list's click.
    void ClickItem(ui::ListBox& list, int index) {
        list.Select(index);
        SendMessageW(GetParent(list.Handle()), WM_COMMAND, MAKEWPARAM(list.Id(), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list.Handle()));
    }
    void DoubleClickItem(ui::ListBox& list, int index) {
        list.Select(index);
        SendMessageW(GetParent(list.Handle()), WM_COMMAND, MAKEWPARAM(list.Id(), LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(list.Handle()));
    }
};

TEST_F(CookiePageTest, ControlsCarryTheirCaptions) {
    auto& page = OpenCookies();
    EXPECT_EQ(page.Name(), "TSCookieManager");
    EXPECT_EQ(page.DesignCaption(), "Cookie Manager");
    EXPECT_EQ(page.Label4.Text(), privacy::kCookieDescription);
    EXPECT_EQ(page.Label5.Text(), "Cookies You want to delete:");
    EXPECT_EQ(page.Label6.Text(), "Cookies you want to keep:");
    EXPECT_EQ(page.BtnKeepCookie.Text(), "Keep >>");
    EXPECT_EQ(page.BtnKeepAllCookie.Text(), "Keep All >>");
    EXPECT_EQ(page.BtnDeleteCookie.Text(), "<< Delete");
    EXPECT_EQ(page.BtnDeleteAllCookie.Text(), "<< Delete All");
    EXPECT_EQ(page.BtnCookManagerOK.Text(), "OK");
    EXPECT_EQ(page.BtnCookManagerCancel.Text(), "Cancel");
    EXPECT_EQ(page.lblCookie.Text(), "");
}

TEST_F(CookiePageTest, ShowingListsEveryCookieOnTheDeleteSideInWalkOrderDuplicatesKept) {
    AddCookies({"Cookie:u@b/", "Cookie:u@a/"});
    urlCache.Add(testing_support::CacheRecord("http://a/page"));
    AddCookies({"Cookie:u@b/"});
    auto& page = OpenCookies();
    EXPECT_EQ(page.LBCookieDelete.Items(), (List{"Cookie:u@b/", "Cookie:u@a/", "Cookie:u@b/"}));
    EXPECT_TRUE(page.LBCookieKeep.Items().empty());
}

TEST_F(CookiePageTest, KeepAllReversesAndDeleteAllRestoresTheOrder) {
    AddCookies({"Cookie:A", "Cookie:B", "Cookie:C"});
    auto& page = OpenCookies();
    page.BtnKeepAllCookie.Click();
    EXPECT_TRUE(page.LBCookieDelete.Items().empty());
    EXPECT_EQ(page.LBCookieKeep.Items(), (List{"Cookie:C", "Cookie:B", "Cookie:A"}));
    page.BtnDeleteAllCookie.Click();
    EXPECT_EQ(page.LBCookieDelete.Items(), (List{"Cookie:A", "Cookie:B", "Cookie:C"}));
    EXPECT_TRUE(page.LBCookieKeep.Items().empty());
    EXPECT_EQ(urlCache.Urls().size(), 3u);  // moves never touch the cache
}

TEST_F(CookiePageTest, OneMoveNeedsASelectionAndLeavesNone) {
    AddCookies({"Cookie:A", "Cookie:B", "Cookie:C"});
    auto& page = OpenCookies();
    page.BtnKeepCookie.Click();  // nothing selected
    EXPECT_EQ(page.LBCookieDelete.Count(), 3);
    page.LBCookieDelete.Select(1);
    page.BtnKeepCookie.Click();
    EXPECT_EQ(page.LBCookieDelete.Items(), (List{"Cookie:A", "Cookie:C"}));
    EXPECT_EQ(page.LBCookieKeep.Items(), (List{"Cookie:B"}));
    EXPECT_EQ(page.LBCookieDelete.SelectedIndex(), -1);
    page.BtnKeepCookie.Click();  // again without selecting: nothing
    EXPECT_EQ(page.LBCookieKeep.Items(), (List{"Cookie:B"}));
    DoubleClickItem(page.LBCookieDelete, 1);  // a double click keeps
    EXPECT_EQ(page.LBCookieKeep.Items(), (List{"Cookie:B", "Cookie:C"}));
    DoubleClickItem(page.LBCookieKeep, 0);  // and on the other side deletes
    EXPECT_EQ(page.LBCookieDelete.Items(), (List{"Cookie:A", "Cookie:B"}));
    EXPECT_EQ(page.LBCookieKeep.Items(), (List{"Cookie:C"}));
}

TEST_F(CookiePageTest, AClickShowsTheCookiesFileAndAFailedLookUpThePreviousOne) {
    AddCookies({"Cookie:A", "Cookie:B"});
    auto& page = OpenCookies();
    ClickItem(page.LBCookieDelete, 1);
    const std::string fileB = page.lblCookie.Text();
    EXPECT_FALSE(fileB.empty());
    EXPECT_EQ(fileB, CooKie().EntryInfo().LocalFileName);
    page.LBCookieDelete.Select(0);
    page.BtnKeepCookie.Click();
    urlCache.DeleteEntry("Cookie:A");  // gone from the cache behind the page's back
    ClickItem(page.LBCookieKeep, 0);
    EXPECT_EQ(page.lblCookie.Text(), fileB);
}

TEST_F(CookiePageTest, OkDeletesFromTheLastItemAndKeepsWhatCouldNotBeDeleted) {
    AddCookies({"Cookie:A", "Cookie:Bank", "Cookie:C", "Cookie:D"});
    urlCache.undeletable = {"Cookie:C"};
    auto& page = OpenCookies();
    page.LBCookieDelete.Select(1);
    page.BtnKeepCookie.Click();
    page.BtnCookManagerOK.Click();
    EXPECT_EQ(ReportLines(),
              (List{"Cookie: Cookie:D Deleted!", "Cookie: Cookie:C could not be deleted!",
                    "Cookie: Cookie:A Deleted!"}));
    EXPECT_EQ(urlCache.Urls(), (List{"Cookie:Bank", "Cookie:C"}));
    EXPECT_EQ(page.LBCookieDelete.Items(), (List{"Cookie:C"}));
    EXPECT_TRUE(page.LBCookieKeep.Items().empty());
    ShowPageAgain();  // the kept cookie comes back on the delete side
    EXPECT_EQ(page.LBCookieDelete.Items(), (List{"Cookie:Bank", "Cookie:C"}));
}

TEST_F(CookiePageTest, OkWithNoCookiesWritesNothingAndCancelDeletesNothing) {
    auto& page = OpenCookies();
    page.BtnCookManagerOK.Click();
    EXPECT_TRUE(ReportLines().empty());
    AddCookies({"Cookie:A", "Cookie:B"});
    ShowPageAgain();
    page.LBCookieDelete.Select(0);
    page.BtnKeepCookie.Click();
    page.BtnCookManagerCancel.Click();
    EXPECT_TRUE(page.LBCookieDelete.Items().empty());
    EXPECT_TRUE(page.LBCookieKeep.Items().empty());
    EXPECT_TRUE(ReportLines().empty());
    EXPECT_EQ(urlCache.Urls().size(), 2u);
}

TEST_F(CookiePageTest, WithoutTheLibraryTheListsStayEmpty) {
    AddCookies({"Cookie:A"});
    urlCache.libraryPresent = false;
    auto& page = OpenCookies();
    EXPECT_TRUE(page.LBCookieDelete.Items().empty());
    page.BtnCookManagerOK.Click();
    EXPECT_TRUE(ReportLines().empty());
}

TEST_F(CookiePageTest, RealCookiesAreListedKeptAndDeleted) {
    UseRealCache();
    for (const char* site :
         {"http://alpha.example/", "http://bank.example/", "http://gamma.example/"})
        ASSERT_TRUE(real().SetCookie(site, "id", "7"));
    ASSERT_TRUE(real().AddEntry("http://alpha.example/index.html", 1, "page"));
    auto& page = OpenCookies();
    List listed = page.LBCookieDelete.Items();
    ASSERT_EQ(listed.size(), 3u);
    const auto bank = std::find_if(listed.begin(), listed.end(), [](const std::string& u) {
        return u.find("bank.example") != std::string::npos;
    });
    ASSERT_NE(bank, listed.end());
    const int bankIndex = static_cast<int>(bank - listed.begin());
    ClickItem(page.LBCookieDelete, bankIndex);
    EXPECT_EQ(page.lblCookie.Text(), real().LocalFile(*bank));
    page.BtnKeepCookie.Click();
    const List toDelete = page.LBCookieDelete.Items();
    page.BtnCookManagerOK.Click();
    EXPECT_EQ(ReportLines(), (List{"Cookie: " + toDelete[1] + " Deleted!",
                                   "Cookie: " + toDelete[0] + " Deleted!"}));
    EXPECT_FALSE(real().Exists(toDelete[0]));
    EXPECT_FALSE(real().Exists(toDelete[1]));
    EXPECT_TRUE(real().Exists(*bank));
    EXPECT_TRUE(real().Exists("http://alpha.example/index.html"));
    ShowPageAgain();
    EXPECT_EQ(page.LBCookieDelete.Items(), (List{*bank}));
}

}  // namespace
