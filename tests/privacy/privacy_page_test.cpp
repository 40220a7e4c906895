// The privacy protector page: its controls, the cache figures it shows, and "Clean Now!" over
// a real cache of its own, a redirected HKEY_CURRENT_USER and the clipboard.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "platform/registry.h"
#include "privacy/privacy_texts.h"
#include "privacy_page_fixture.h"

namespace {

using privacy::PrivacyBox;
using privacy_testing::PrivacyPagesTest;

const std::string kExplorer = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";

class PrivacyPageTest : public PrivacyPagesTest {
  protected:
    void CheckOnly(privacy::PrivacyProtectorPage& page, std::vector<PrivacyBox> boxes) {
        for (const auto& c : privacy::kPrivacyCheckBoxes)
            page.Box(c.box).SetChecked(std::find(boxes.begin(), boxes.end(), c.box) != boxes.end());
    }
    void MakeKey(const std::string& path) {
        auto key = platform::RegKey::Create(HKEY_CURRENT_USER, path, KEY_WRITE);
        ASSERT_TRUE(key) << path;
        key->WriteString("a", "C:\\private\\file.doc");
        ASSERT_TRUE(platform::RegKey::Create(HKEY_CURRENT_USER, path + "\\Sub", KEY_WRITE));
    }
    static bool KeyExists(const std::string& path) {
        return platform::RegKey::Open(HKEY_CURRENT_USER, path, KEY_READ).has_value();
    }
};

TEST_F(PrivacyPageTest, ControlsCarryTheirCaptionsAndTheHiddenEditItsTwoBlanks) {
    auto& page = OpenPrivacy();
    EXPECT_EQ(page.Name(), "TSInternetPrivacy");
    EXPECT_EQ(page.DesignCaption(), "Internet Privacy");
    EXPECT_EQ(page.Label3.Text(), privacy::kPrivacyDescription);
    EXPECT_EQ(page.GroupBox2.Text(), "Clean  Windows Explorer  Recent Records ");
    EXPECT_EQ(page.GroupBox3.Text(), "Clean  Applications Recent Files  Records");
    EXPECT_EQ(page.GroupBox1.Text(), " Internet Explorer Privacy");
    EXPECT_EQ(page.CBRecentDocuments.Text(), "Recent Documents  history");
    EXPECT_EQ(page.CBRun.Text(), "Run (In Start Menu)  history");
    EXPECT_EQ(page.CBSearchAssistant.Text(), "Search Assistant Autocomplete  history");
    EXPECT_EQ(page.CBOtherExplorerMRUs.Text(), "Other Explorer MRUs  history");
    EXPECT_EQ(page.CBWinClipBoard.Text(), "Windows Clipboard memory");
    EXPECT_EQ(page.CBWinMedPlayer.Text(), "WinMediaPlayer  history");
    EXPECT_EQ(page.CBRealPlayer.Text(), "Real Player  history");
    EXPECT_EQ(page.CBAcroReader.Text(), "AcroReader  history");
    EXPECT_EQ(page.CBWinRAR.Text(), "WinRAR  history");
    EXPECT_EQ(page.CBCleanCache.Text(), "Clean Cache(Internet temporary files)");
    EXPECT_EQ(page.CBCleanWebsiteHistory.Text(), "Clean Website History");
    EXPECT_EQ(page.CBCleanWebsiteAddress.Text(), "Clean Website address History( Need Close IE)");
    EXPECT_EQ(page.CBCleanGoogle.Text(), "Clean Google ToolBar History");
    EXPECT_EQ(page.CBCleanIEAutoComplete.Text(), "Clean IE form auto complete  records");
    EXPECT_EQ(page.BtnInternetPrivacyCleanNow.Text(), "Clean Now!");
    EXPECT_EQ(page.MMcln.Text(), "  ");
    EXPECT_FALSE(page.MMcln.IsVisible());
    // No settings file yet: every box starts clear, whatever the design says.
    for (const auto& c : privacy::kPrivacyCheckBoxes)
        EXPECT_FALSE(page.Box(c.box).IsChecked()) << c.caption;
}

TEST_F(PrivacyPageTest, CheckBoxesAreSavedUnderTheirKeysAndRestored) {
    auto& page = OpenPrivacy();
    CheckOnly(page, {PrivacyBox::CleanCache, PrivacyBox::WinRAR, PrivacyBox::OtherExplorerMRUs});
    CloseWindow();
    const std::string ini = folder.Read("Veltrin.INI");
    for (const auto& c : privacy::kPrivacyCheckBoxes) {
        const bool on = c.box == PrivacyBox::CleanCache || c.box == PrivacyBox::WinRAR ||
                        c.box == PrivacyBox::OtherExplorerMRUs;
        EXPECT_NE(ini.find(std::to_string(c.settingsKey) + "=" + (on ? "-1" : "0")),
                  std::string::npos)
            << c.settingsKey;
    }
}

TEST_F(PrivacyPageTest, CheckBoxesAreRestoredFromTheirKeys) {
    folder.Write("Veltrin.INI", "[CheckBox]\r\n36=-1\r\n42=-1\r\n51=True\r\n44=0\r\n");
    auto& page = OpenPrivacy();
    EXPECT_TRUE(page.CBCleanCache.IsChecked());
    EXPECT_TRUE(page.CBOtherExplorerMRUs.IsChecked());
    EXPECT_TRUE(page.CBWinRAR.IsChecked());
    EXPECT_FALSE(page.CBRun.IsChecked());
    EXPECT_FALSE(page.CBWinClipBoard.IsChecked());
}

TEST_F(PrivacyPageTest, ShowingCountsTheContentEntriesOfTheRealCache) {
    UseRealCache();
    ASSERT_TRUE(real().AddEntry("http://example.com/a.html", 1, std::string(1500000, 'a')));
    ASSERT_TRUE(real().AddEntry("http://example.com/b.html", 1, std::string(2600, 'b')));
    ASSERT_TRUE(real().AddEntry("Visited: root@http://example.com/a.html", 0x200000, "v"));
    ASSERT_TRUE(real().SetCookie("http://example.com/", "id", "1"));
    auto& page = OpenPrivacy();
    EXPECT_EQ(page.lblIECacheSize.Text(), "2 Files,           1.503 MB");
    EXPECT_EQ(IECMain().SearchPattern, privacy::TSearchPattern::spUrl);
}

TEST_F(PrivacyPageTest, AnEmptyCacheShowsZeroAndALargeOneItsRealSize) {
    auto& page = OpenPrivacy();
    EXPECT_EQ(page.lblIECacheSize.Text(), "0 Files,           0.000 MB");
    urlCache.Add(testing_support::CacheRecord("http://a/1", 1, 3000000000ull));
    urlCache.Add(testing_support::CacheRecord("http://a/2", 1, 0x100000005ull));
    ShowPageAgain();
    EXPECT_EQ(page.lblIECacheSize.Text(), "2 Files,        7294.967 MB");
}

TEST_F(PrivacyPageTest, WithoutTheLibraryTheFiguresAreZero) {
    urlCache.Add(testing_support::CacheRecord("http://a/1"));
    urlCache.libraryPresent = false;
    auto& page = OpenPrivacy();
    EXPECT_EQ(page.lblIECacheSize.Text(), "0 Files,           0.000 MB");
}

TEST_F(PrivacyPageTest, CleanNowWithEveryBoxCleansEveryTraceInOrder) {
    UseRealCache();
    ASSERT_TRUE(real().AddEntry("http://example.com/a.html", 1, "a"));
    ASSERT_TRUE(real().AddEntry("http://example.com/b.html", 1, "b"));
    ASSERT_TRUE(real().AddEntry("Visited: root@http://example.com/a.html", 0x200000, "v"));
    ASSERT_TRUE(real().SetCookie("http://keep.example/", "id", "1"));
    std::vector<std::string> keys;
    for (const auto& step : privacy::PrivacySteps())
        for (const auto& op : step.ops)
            if (op.kind == privacy::StepOp::DeleteKey) keys.push_back(op.text);
    for (const auto& key : keys) {
        MakeKey(key);
        MakeKey(key + "Twin");
    }
    MakeKey(kExplorer + "ComDlg32\\CIDSizeMRU");

    privacy_testing::ClipboardLock lock;
    ASSERT_TRUE(privacy_testing::PutClipboardText(L"card number"));

    auto& page = OpenPrivacy();
    const std::string labelBefore = page.lblIECacheSize.Text();
    EXPECT_EQ(labelBefore, "2 Files,           0.000 MB");
    CheckOnly(page, {PrivacyBox::WinClipBoard, PrivacyBox::RecentDocuments, PrivacyBox::Run,
                     PrivacyBox::SearchAssistant, PrivacyBox::OtherExplorerMRUs,
                     PrivacyBox::WinMedPlayer, PrivacyBox::RealPlayer, PrivacyBox::AcroReader,
                     PrivacyBox::WinRAR, PrivacyBox::CleanCache, PrivacyBox::CleanWebsiteHistory,
                     PrivacyBox::CleanWebsiteAddress, PrivacyBox::CleanGoogle,
                     PrivacyBox::CleanIEAutoComplete});
    page.BtnInternetPrivacyCleanNow.Click();

    EXPECT_EQ(ReportLines(), (std::vector<std::string>{
                                 "Cleaning Windows Clipboard memory ...",
                                 " Cleaning Windows Clipboard memory  Cleaned!",
                                 "Cleaning Recent Document records ...",
                                 "Recent Document records Cleaned!",
                                 "Cleaning Run menu records ...",
                                 "Run menu records Cleaned!",
                                 "Cleaning Search Assistant records ...",
                                 "Search Assistant records Cleaned!",
                                 "Cleaning Other Explorer MRUs records ...",
                                 "Other Explorer MRUs records Cleaned!",
                                 "Cleaning Windows Media Player records ...",
                                 "Windows Media Player records Cleaned!",
                                 "Cleaning Real Player records ...",
                                 "Real Player records Cleaned!",
                                 "Cleaning Adobe Acrobat Reader records ...",
                                 "Adobe Acrobat Reader records Cleaned!",
                                 "Cleaning WinRAR records ...",
                                 "WinRAR records Cleaned!",
                                 "Clean IE Cache...",
                                 "Internet Explorer Cache Cleaned!",
                                 "Cleaning Website history ...",
                                 "Website history Cleaned!",
                                 "Cleaning Website Address...",
                                 "Website Address Cleaned!",
                                 "Cleaning Google ToolBar history ...",
                                 "Google ToolBar history Cleaned!",
                                 "Cleaning Clean IE form auto complete  records ...",
                                 "IE form auto complete  records Cleaned!",
                             }));
    EXPECT_EQ(Panel(2), " IE form auto complete  records Cleaned!");
    for (const auto& key : keys) {
        EXPECT_FALSE(KeyExists(key)) << key;
        EXPECT_TRUE(KeyExists(key + "Twin")) << key;
    }
    EXPECT_TRUE(KeyExists(kExplorer + "ComDlg32\\CIDSizeMRU"));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    // The content and the history are gone; the cookie stays.
    const auto left = real().AllUrls();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].rfind("Cookie:", 0), 0u);
    // The label keeps the figures of the last showing until the page is shown again.
    EXPECT_EQ(page.lblIECacheSize.Text(), labelBefore);
    ShowPageAgain();
    EXPECT_EQ(page.lblIECacheSize.Text(), "0 Files,           0.000 MB");
}

TEST_F(PrivacyPageTest, WithNoBoxCheckedCleanNowDoesNothingAtAll) {
    urlCache.Add(testing_support::CacheRecord("http://a/1"));
    MakeKey(kExplorer + "RunMRU");
    auto& page = OpenPrivacy();
    status.SetPanelText(2, "before");
    page.BtnInternetPrivacyCleanNow.Click();
    EXPECT_TRUE(ReportLines().empty());
    EXPECT_EQ(Panel(2), "before");
    EXPECT_TRUE(KeyExists(kExplorer + "RunMRU"));
    EXPECT_EQ(urlCache.Urls().size(), 1u);
}

TEST_F(PrivacyPageTest, CleanNowOnlyCacheDeletesTheContentEntriesThroughIECMain) {
    urlCache.Add(testing_support::CacheRecord("http://a/1"));
    urlCache.Add(testing_support::CacheRecord("Cookie:u@a/", 0x100000));
    urlCache.Add(testing_support::CacheRecord("http://a/2"));
    auto& page = OpenPrivacy();
    CheckOnly(page, {PrivacyBox::CleanCache});
    page.BtnInternetPrivacyCleanNow.Click();
    EXPECT_EQ(urlCache.Urls(), (std::vector<std::string>{"Cookie:u@a/"}));
    EXPECT_EQ(ReportLines(),
              (std::vector<std::string>{"Clean IE Cache...", "Internet Explorer Cache Cleaned!"}));
    EXPECT_EQ(Panel(2), "Internet Explorer Cache Cleaned!");
    EXPECT_EQ(IECMain().SearchPattern, privacy::TSearchPattern::spUrl);
}

TEST_F(PrivacyPageTest, ABoxUncheckedDuringAYieldIsHonoured) {
    MakeKey("\\Software\\Google\\NavClient\\1.1\\History");
    auto& page = OpenPrivacy();
    CheckOnly(page, {PrivacyBox::Run, PrivacyBox::CleanGoogle});
    // Waits in the queue until the first yield lets it run.
    PostMessageW(page.CBCleanGoogle.Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
    page.BtnInternetPrivacyCleanNow.Click();
    EXPECT_EQ(ReportLines(), (std::vector<std::string>{"Cleaning Run menu records ...",
                                                       "Run menu records Cleaned!"}));
    EXPECT_TRUE(KeyExists("\\Software\\Google\\NavClient\\1.1\\History"));
}

TEST_F(PrivacyPageTest, APressDuringAYieldRunsTheWholeSequenceNested) {
    auto& page = OpenPrivacy();
    CheckOnly(page, {PrivacyBox::WinRAR});
    PostMessageW(page.BtnInternetPrivacyCleanNow.Handle(), BM_CLICK, 0, 0);
    page.BtnInternetPrivacyCleanNow.Click();
    EXPECT_EQ(ReportLines(),
              (std::vector<std::string>{"Cleaning WinRAR records ...", "WinRAR records Cleaned!",
                                        "Cleaning WinRAR records ...", "WinRAR records Cleaned!"}));
}

}  // namespace
