// One-key cleaning in the main window: the four steps run the tools' own handlers in order,
// each under its box, with the one question and the one report line of its own.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/text.h"

#include "support/main_window_fixture.h"
#include "ui/message_pump.h"

namespace {

class OneKeyTest : public testing_support::MainWindowTest {
  protected:
    app::TFrmMain& Open(bool cookies, bool privacy, bool memory, bool disk) {
        // No junk type is chosen: the scan stops at its message and walks no drive.
        folder.Write("JunkFileType.lst", "");
        auto& f = MakeWindow();
        f.FirstShow();
        auto& page = f.TSOneKeyCleaning;
        page.CBCleanAllCookies.SetChecked(cookies);
        page.CBProtectUserPrivacy.SetChecked(privacy);
        page.CBOptimizeMemory.SetChecked(memory);
        page.CBCleanHardDisk.SetChecked(disk);
        urlCache.Add(testing_support::CacheRecord("http://a/1", 1, 2000));
        urlCache.Add(testing_support::CacheRecord("Cookie:u@a/", 0x100000));
        return f;
    }
    std::vector<std::string> ReportLines() {
        std::vector<std::string> lines;
        const std::string text = Frame().report().Text();
        for (size_t start = 0; start < text.size();) {
            size_t end = text.find("\r\n", start);
            if (end == std::string::npos) end = text.size();
            std::string line = text.substr(start, end - start);
            if (const auto gap = line.find("    "); gap != std::string::npos)
                line = line.substr(gap + 4);
            if (!line.empty()) lines.push_back(line);
            start = end + 2;
        }
        return lines;
    }
    std::string Active() { return Frame().PCMain.ActivePage()->Name(); }
    bool CookieLeft() {
        for (const auto& url : urlCache.Urls())
            if (url.rfind("Cookie:", 0) == 0) return true;
        return false;
    }
};

TEST_F(OneKeyTest, PageHasItsTextsHintsAndSettingsKeys) {
    auto& f = Open(true, false, true, false);
    auto& page = f.TSOneKeyCleaning;
    EXPECT_EQ(page.Name(), "TSOneKeyCleaning");
    EXPECT_EQ(page.DesignCaption(), "One Key Cleaning");
    EXPECT_EQ(page.Label28.Text(),
              "One Key Cleanin: It predigests the daily cleaning work for  rudimental users. Just "
              "press F8, you can do all clean work and protect your privacy.");
    EXPECT_EQ(page.GroupBox6.Text(), "One Key Cleaning Options ");
    EXPECT_EQ(page.BtnStartOneKeyClean.Text(), "Start");
    const struct {
        ui::CheckBox* box;
        const char* caption;
        const char* hint;
    } boxes[] = {
        {&page.CBCleanAllCookies, "Clean All Cookies",
         "Delete all cookies will protect your privacy and password, but it could cause "
         "passwords on website will not work"},
        {&page.CBProtectUserPrivacy, "Protect Privacy",
         "Check this item to delete that: IE history, typed url, temporary files, windows recent "
         "history, mediaplayer history, etc."},
        {&page.CBOptimizeMemory, "Optimize Memory",
         "Check this item  to optimize momory and speed up system."},
        {&page.CBCleanHardDisk, "Clean Hard disk",
         "Check item to scan hard drive, find out rubbish files automaticlly."},
    };
    for (const auto& b : boxes) {
        SCOPED_TRACE(b.caption);
        EXPECT_EQ(b.box->Text(), b.caption);
        EXPECT_EQ(page.hints.TextOf(b.box->Handle()), b.hint);
    }
    EXPECT_EQ(page.hints.TextOf(page.BtnStartOneKeyClean.Handle()), "");

    // Saved under 95..98 when the window closes.
    CloseWindow();
    const std::wstring ini =
        platform::Widen(platform::ReplaceExtension(context.programPath, ".INI"));
    std::string saved;
    for (const wchar_t* key : {L"95", L"96", L"97", L"98"}) {
        wchar_t value[16] = {};
        GetPrivateProfileStringW(L"CheckBox", key, L"?", value, 16, ini.c_str());
        saved += platform::Narrow(value) + ";";
    }
    EXPECT_EQ(saved, "-1;0;-1;0;");
}

TEST_F(OneKeyTest, FirstRunStartsWithAllBoxesClear) {
    auto& page = MakeWindow().TSOneKeyCleaning;
    for (const ui::CheckBox* box : {&page.CBCleanAllCookies, &page.CBProtectUserPrivacy,
                                    &page.CBOptimizeMemory, &page.CBCleanHardDisk})
        EXPECT_FALSE(box->IsChecked()) << box->Name();
}

TEST_F(OneKeyTest, AllBoxesOffDoesNothing) {
    auto& f = Open(false, false, false, false);
    f.ShowPage(f.TSReport);
    f.TSOneKeyCleaning.BtnStartOneKeyClean.Click();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(ReportLines().empty());
    EXPECT_TRUE(CookieLeft());
    EXPECT_EQ(Active(), "TSReport");
}

TEST_F(OneKeyTest, CookiesAnsweredNoDeletesNothing) {
    auto& f = Open(true, false, false, false);
    prompts.messageAnswers = {platform::kAnswerNo};
    f.TSOneKeyCleaning.BtnStartOneKeyClean.Click();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text,
              "Clean all cookies could cause passwords on website will not work, continue? ");
    EXPECT_EQ(prompts.messages[0].style, unsigned{MB_YESNO | MB_ICONINFORMATION});
    EXPECT_TRUE(CookieLeft());
    EXPECT_TRUE(ReportLines().empty());
}

TEST_F(OneKeyTest, CookiesAnsweredYesReportsBeforeTheLaterSteps) {
    auto& f = Open(true, false, true, false);
    prompts.messageAnswers = {platform::kAnswerYes};
    f.TSOneKeyCleaning.BtnStartOneKeyClean.Click();
    EXPECT_FALSE(CookieLeft());
    EXPECT_EQ(urlCache.Urls(), std::vector<std::string>{"http://a/1"});
    const auto lines = ReportLines();
    ASSERT_GE(lines.size(), 2u);  // the memory optimizer writes its own lines after it
    EXPECT_EQ(lines[0], "All cookies deleted!");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "All cookies deleted!"), 1);
    EXPECT_EQ(Active(), "TSMemoryMedic");
}

TEST_F(OneKeyTest, DiskWithNoTypeShowsTheScanMessageAndStillDeletesAll) {
    auto& f = Open(false, false, false, true);
    f.TSOneKeyCleaning.BtnStartOneKeyClean.Click();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, disk::kSelectFiltersMessage);
    const auto lines = ReportLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), disk::kAllJunkDeleted), lines.end());
    EXPECT_EQ(Active(), "TSDiskMedic");
}

TEST_F(OneKeyTest, F8FromTheReportPageEndsOnTheDiskCleaner) {
    auto& f = Open(false, false, true, true);
    f.ShowPage(f.TSReport);
    PostMessageW(f.TSReport.BtnTsReportSave.Handle(), WM_KEYUP, VK_F8, 0);
    ui::PumpMessages();
    EXPECT_EQ(clock.sleeps, std::vector<uint32_t>{1000});
    EXPECT_EQ(Active(), "TSDiskMedic");
    const auto lines = ReportLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), disk::kAllJunkDeleted), lines.end());
}

TEST_F(OneKeyTest, NoStartInsideARun) {
    auto& f = Open(true, true, false, false);
    auto& page = f.TSOneKeyCleaning;
    int privacyRuns = 0;
    const auto privacy = page.steps.protectPrivacy;
    // The step lets messages run, as the tools do: "Start" and F8 arrive inside the run.
    page.steps.protectPrivacy = [&] {
        ++privacyRuns;
        EXPECT_TRUE(page.Running());
        PostMessageW(page.BtnStartOneKeyClean.Handle(), BM_CLICK, 0, 0);
        PostMessageW(page.BtnStartOneKeyClean.Handle(), WM_KEYUP, VK_F8, 0);
        ui::PumpMessages();
        f.BtnStartOneKeyCleanClick();
        privacy();
    };
    page.BtnStartOneKeyClean.Click();
    EXPECT_EQ(privacyRuns, 1);
    EXPECT_EQ(prompts.messages.size(), 1u);  // the cookie question, once
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_FALSE(page.Running());
    const auto lines = ReportLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "All cookies deleted!"), 1);

    // Once the run is over, "Start" runs again.
    page.BtnStartOneKeyClean.Click();
    EXPECT_EQ(privacyRuns, 2);
}

}  // namespace
