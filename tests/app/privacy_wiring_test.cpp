// The main window owns the two cache enumerators and hands each to its page, configured as the
// pages and one-key cleaning need them.
#include <gtest/gtest.h>

#include "support/main_window_fixture.h"

namespace {

using testing_support::MainWindowTest;

TEST_F(MainWindowTest, CacheEnumeratorsAreConfiguredAndFeedTheirPages) {
    urlCache.Add(testing_support::CacheRecord("http://a/1", 1, 2000000));
    urlCache.Add(testing_support::CacheRecord("Cookie:u@a/", 0x100000));
    urlCache.Add(testing_support::CacheRecord("Cookie:u@b/", 0x100000));
    auto& f = MakeWindow();
    EXPECT_EQ(f.IECMain.Name(), "IECMain");
    EXPECT_EQ(f.CooKie.Name(), "CooKie");
    EXPECT_EQ(f.IECMain.FilterOptions().Bits(), 0x7D);
    EXPECT_EQ(f.CooKie.FilterOptions().Bits(), 0x7D);
    EXPECT_EQ(f.IECMain.EntryTypeMask(), 0x300035u);
    EXPECT_EQ(f.IECMain.SearchPattern, privacy::TSearchPattern::spAll);
    EXPECT_EQ(f.CooKie.SearchPattern, privacy::TSearchPattern::spCookies);

    f.FirstShow();
    f.mxOBPHeaders2Buttons0Click();
    EXPECT_EQ(f.PCMain.ActivePage(), &f.TSInternetPrivacy);
    EXPECT_EQ(f.TSInternetPrivacy.lblIECacheSize.Text(), "1 Files,           2.000 MB");
    f.mxOBPHeaders2Buttons1Click();
    EXPECT_EQ(f.PCMain.ActivePage(), &f.TSCookieManager);
    EXPECT_EQ(f.TSCookieManager.LBCookieDelete.Items(),
              (std::vector<std::string>{"Cookie:u@a/", "Cookie:u@b/"}));

    // One-key cleaning deletes every cookie with CooKie, without the cookie page.
    f.CooKie.DeleteAllEntries();
    EXPECT_EQ(urlCache.Urls(), (std::vector<std::string>{"http://a/1"}));
}

}  // namespace
