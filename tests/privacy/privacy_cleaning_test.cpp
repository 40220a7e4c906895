// The privacy protector's steps: order, texts, yields, the keys they delete (on a redirected
// HKEY_CURRENT_USER), the clipboard, and the cache figures.
#include "privacy/privacy_cleaning.h"
#include "privacy/privacy_texts.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <set>

#include "platform/clipboard.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "support/fake_url_cache.h"
#include "support/registry_redirect.h"
#include "privacy_page_fixture.h"

namespace {

using privacy::PrivacyBox;
using privacy::TSearchPattern;

constexpr PrivacyBox kAllBoxes[] = {
    PrivacyBox::WinClipBoard,    PrivacyBox::RecentDocuments,     PrivacyBox::Run,
    PrivacyBox::SearchAssistant, PrivacyBox::OtherExplorerMRUs,   PrivacyBox::WinMedPlayer,
    PrivacyBox::RealPlayer,      PrivacyBox::AcroReader,          PrivacyBox::WinRAR,
    PrivacyBox::CleanCache,      PrivacyBox::CleanWebsiteHistory, PrivacyBox::CleanWebsiteAddress,
    PrivacyBox::CleanGoogle,     PrivacyBox::CleanIEAutoComplete,
};

// Records what the steps do as one trace: "Y" a yield, "S:text", "R:text", "K:path", "C" the
// clipboard, "P:n" a cache cleaning with pattern n.
struct Recorder {
    std::set<PrivacyBox> boxes;
    std::vector<std::string> trace;
    std::function<void()> onYield;

    privacy::PrivacyHooks Hooks() {
        privacy::PrivacyHooks h;
        h.checked = [this](PrivacyBox b) { return boxes.count(b) > 0; };
        h.status = [this](const std::string& t) { trace.push_back("S:" + t); };
        h.report = [this](const std::string& t) { trace.push_back("R:" + t); };
        h.yield = [this] {
            trace.push_back("Y");
            if (onYield) onYield();
        };
        h.deleteKey = [this](const std::string& k) { trace.push_back("K:" + k); };
        h.emptyClipboard = [this] { trace.push_back("C"); };
        h.cleanCache = [this](TSearchPattern p) {
            trace.push_back("P:" + std::to_string(static_cast<int>(p)));
        };
        return h;
    }
};

using Trace = std::vector<std::string>;

const std::string kExplorer = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";

struct StepCase {
    PrivacyBox box;
    Trace trace;
};

class PrivacyStep : public testing::TestWithParam<StepCase> {};

TEST_P(PrivacyStep, RunsAloneWithItsTextsYieldsAndAction) {
    Recorder r;
    r.boxes = {GetParam().box};
    privacy::RunPrivacyCleaning(r.Hooks());
    EXPECT_EQ(r.trace, GetParam().trace);
}

Trace StandardTrace(const std::string& opening, Trace action, const std::string& closingStatus,
                    const std::string& closingReport) {
    Trace t{"Y", "S:" + opening, "R:" + opening};
    t.insert(t.end(), action.begin(), action.end());
    t.insert(t.end(), {"Y", "S:" + closingStatus, "R:" + closingReport, "Y"});
    return t;
}

Trace RealPlayerTrace() {
    Trace t{"Y", "S:Cleaning Real Player records ...", "R:Cleaning Real Player records ..."};
    for (int n = 1; n <= 10; ++n) {
        t.push_back("K:\\Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\MostRecentClips" +
                    std::to_string(n));
        t.push_back("Y");
    }
    t.insert(t.end(), {"S:Real Player records Cleaned!", "R:Real Player records Cleaned!", "Y"});
    return t;
}

INSTANTIATE_TEST_SUITE_P(
    Table, PrivacyStep,
    testing::Values(
        StepCase{PrivacyBox::WinClipBoard,
                 StandardTrace("Cleaning Windows Clipboard memory ...", {"C"},
                               " Windows Clipboard memory Cleaned!",
                               " Cleaning Windows Clipboard memory  Cleaned!")},
        StepCase{
            PrivacyBox::RecentDocuments,
            StandardTrace("Cleaning Recent Document records ...", {"K:" + kExplorer + "RecentDocs"},
                          " Recent Document records Cleaned!", "Recent Document records Cleaned!")},
        StepCase{PrivacyBox::Run,
                 StandardTrace("Cleaning Run menu records ...", {"K:" + kExplorer + "RunMRU"},
                               " Run menu records Cleaned!", "Run menu records Cleaned!")},
        StepCase{PrivacyBox::SearchAssistant,
                 StandardTrace("Cleaning Search Assistant records ...",
                               {"K:\\Software\\Microsoft\\Search Assistant\\ACMru"},
                               " Search Assistant records Cleaned!",
                               "Search Assistant records Cleaned!")},
        StepCase{
            PrivacyBox::OtherExplorerMRUs,
            StandardTrace(
                "Cleaning Other Explorer MRUs records ...",
                {"K:" + kExplorer + "ComDlg32\\OpenSaveMRU",
                 "K:" + kExplorer + "ComDlg32\\OpenSavePidlMRU",
                 "K:" + kExplorer + "ComDlg32\\LastVisitedMRU",
                 "K:" + kExplorer + "ComDlg32\\LastVisitedPidlMRU",
                 "K:" + kExplorer + "ComDlg32\\LastVisitedPidlMRULegacy",
                 "K:" + kExplorer + "Doc Find Spec MRU", "K:" + kExplorer + "FindComputerMRU",
                 "K:" + kExplorer + "WordWheelQuery", "K:" + kExplorer + "TypedPaths",
                 "K:" + kExplorer + "Map Network Drive MRU"},
                " Other Explorer MRUs records Cleaned!", "Other Explorer MRUs records Cleaned!")},
        StepCase{PrivacyBox::WinMedPlayer,
                 StandardTrace("Cleaning Windows Media Player records ...",
                               {"K:\\Microsoft\\MediaPlayer\\Player\\RecentFileList"},
                               " Windows Media Player records Cleaned!",
                               "Windows Media Player records Cleaned!")},
        StepCase{PrivacyBox::RealPlayer, RealPlayerTrace()},
        StepCase{
            PrivacyBox::AcroReader,
            StandardTrace("Cleaning Adobe Acrobat Reader records ...",
                          {"K:\\Software\\Adobe\\Acrobat Reader\\6.0\\AVGeneral\\cRecentFiles"},
                          " Adobe Acrobat Reader records Cleaned!",
                          "Adobe Acrobat Reader records Cleaned!")},
        StepCase{PrivacyBox::WinRAR,
                 StandardTrace("Cleaning WinRAR records ...", {"K:\\Software\\WinRAR\\ArcHistory"},
                               " WinRAR records Cleaned!", "WinRAR records Cleaned!")},
        StepCase{PrivacyBox::CleanCache,
                 {"S:Cleaning IE Cache....", "R:Clean IE Cache...", "Y", "P:3", "Y",
                  "S:Internet Explorer Cache Cleaned!", "R:Internet Explorer Cache Cleaned!"}},
        StepCase{PrivacyBox::CleanWebsiteHistory,
                 {"Y", "S:Cleaning Website history ...", "R:Cleaning Website history ...", "P:2",
                  "Y", "S:Website history Cleaned!", "R:Website history Cleaned!"}},
        StepCase{PrivacyBox::CleanWebsiteAddress,
                 {"Y", "S:Cleaning Website Address...", "R:Cleaning Website Address...",
                  "K:\\Software\\Microsoft\\Internet Explorer\\TypedURLs", "Y",
                  "K:\\Software\\3721\\InputCns", "Y", "S:Website Address Cleaned!",
                  "R:Website Address Cleaned!"}},
        StepCase{
            PrivacyBox::CleanGoogle,
            StandardTrace("Cleaning Google ToolBar history ...",
                          {"K:\\Software\\Google\\NavClient\\1.1\\History"},
                          " Google ToolBar history Cleaned!", "Google ToolBar history Cleaned!")},
        StepCase{PrivacyBox::CleanIEAutoComplete,
                 StandardTrace("Cleaning Clean IE form auto complete  records ...",
                               {"K:\\Software\\Microsoft\\Internet Explorer\\IntelliForms\\SPW"},
                               " IE form auto complete  records Cleaned!",
                               "IE form auto complete  records Cleaned!")}));

TEST(PrivacyCleaning, AllBoxesRunEveryStepInOrderEachReportingOnce) {
    Recorder all;
    all.boxes.insert(std::begin(kAllBoxes), std::end(kAllBoxes));
    privacy::RunPrivacyCleaning(all.Hooks());
    Trace expected;
    for (PrivacyBox box : kAllBoxes) {
        Recorder one;
        one.boxes = {box};
        privacy::RunPrivacyCleaning(one.Hooks());
        expected.insert(expected.end(), one.trace.begin(), one.trace.end());
    }
    EXPECT_EQ(all.trace, expected);
    std::vector<std::string> reports;
    for (const auto& t : all.trace)
        if (t.rfind("R:", 0) == 0) reports.push_back(t);
    EXPECT_EQ(reports.size(), 28u);  // fourteen steps, an opening and a closing line each
    EXPECT_EQ(reports.front(), "R:Cleaning Windows Clipboard memory ...");
    EXPECT_EQ(reports[8], "R:Cleaning Other Explorer MRUs records ...");  // after step 4
    EXPECT_EQ(reports[10], "R:Cleaning Windows Media Player records ...");
    EXPECT_EQ(all.trace.back(), "Y");
    EXPECT_EQ(privacy::PrivacySteps().size(), 14u);
}

TEST(PrivacyCleaning, NoBoxCheckedDoesNothingAtAll) {
    Recorder none;
    privacy::RunPrivacyCleaning(none.Hooks());
    EXPECT_TRUE(none.trace.empty());
}

TEST(PrivacyCleaning, ABoxUncheckedDuringAYieldIsHonouredByTheStepsNotYetReached) {
    Recorder r;
    r.boxes = {PrivacyBox::Run, PrivacyBox::WinRAR, PrivacyBox::CleanGoogle};
    r.onYield = [&] { r.boxes.erase(PrivacyBox::CleanGoogle); };
    privacy::RunPrivacyCleaning(r.Hooks());
    const std::string trace = [&] {
        std::string all;
        for (const auto& t : r.trace)
            all += t + "\n";
        return all;
    }();
    EXPECT_NE(trace.find("R:Run menu records Cleaned!"), std::string::npos);
    EXPECT_NE(trace.find("R:WinRAR records Cleaned!"), std::string::npos);
    EXPECT_EQ(trace.find("Google"), std::string::npos);
}

TEST(PrivacyCleaning, ABoxCheckedDuringAYieldRunsWhenItsStepIsReached) {
    Recorder r;
    r.boxes = {PrivacyBox::WinClipBoard};
    r.onYield = [&] { r.boxes.insert(PrivacyBox::CleanIEAutoComplete); };
    privacy::RunPrivacyCleaning(r.Hooks());
    EXPECT_EQ(r.trace.back(), "Y");
    EXPECT_EQ(r.trace[r.trace.size() - 2], "R:IE form auto complete  records Cleaned!");
}

TEST(PrivacyCleaning, CheckBoxNamesAreTheComponentNames) {
    const std::map<PrivacyBox, std::string> names = {
        {PrivacyBox::WinClipBoard, "CBWinClipBoard"},
        {PrivacyBox::RecentDocuments, "CBRecentDocuments"},
        {PrivacyBox::Run, "CBRun"},
        {PrivacyBox::SearchAssistant, "CBSearchAssistant"},
        {PrivacyBox::OtherExplorerMRUs, "CBOtherExplorerMRUs"},
        {PrivacyBox::WinMedPlayer, "CBWinMedPlayer"},
        {PrivacyBox::RealPlayer, "CBRealPlayer"},
        {PrivacyBox::AcroReader, "CBAcroReader"},
        {PrivacyBox::WinRAR, "CBWinRAR"},
        {PrivacyBox::CleanCache, "CBCleanCache"},
        {PrivacyBox::CleanWebsiteHistory, "CBCleanWebsiteHistory"},
        {PrivacyBox::CleanWebsiteAddress, "CBCleanWebsiteAddress"},
        {PrivacyBox::CleanGoogle, "CBCleanGoogle"},
        {PrivacyBox::CleanIEAutoComplete, "CBCleanIEAutoComplete"},
    };
    for (const auto& [box, name] : names)
        EXPECT_EQ(privacy::CheckBoxName(box), name);
}

// ---- The keys, on a private HKEY_CURRENT_USER ----

class PrivacyKeys : public testing::Test {
  protected:
    void Make(const std::string& path) {
        auto key = platform::RegKey::Create(HKEY_CURRENT_USER, path, KEY_WRITE);
        ASSERT_TRUE(key) << path;
        key->WriteString("MRUList", "ba");
        key->WriteString("a", "C:\\secret.txt");
        key->WriteDword("b", 7);
    }
    // A key with values, two levels of subkeys with values, and a sibling that must stay.
    void MakeTree(const std::string& path) {
        Make(path);
        Make(path + "\\Sub1");
        Make(path + "\\Sub1\\Deeper");
        Make(path + "\\Sub2");
        Make(path + " Sibling");
    }
    static bool Exists(const std::string& path) {
        return platform::RegKey::Open(HKEY_CURRENT_USER, path, KEY_READ).has_value();
    }

    testing_support::RegistryRedirect redirect_;
};

TEST_F(PrivacyKeys, DeleteCurrentUserKeyRemovesTheWholeTreeAndNothingBeside) {
    const std::string path = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
    MakeTree(path);
    Make("\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU2");
    privacy::DeleteCurrentUserKey(path);
    EXPECT_FALSE(Exists(path));
    EXPECT_FALSE(Exists(path + "\\Sub1\\Deeper"));
    EXPECT_TRUE(Exists(path + " Sibling"));
    EXPECT_TRUE(Exists("\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU2"));
    EXPECT_TRUE(Exists("\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"));
    privacy::DeleteCurrentUserKey(path);  // already gone: passed over
    privacy::DeleteCurrentUserKey("\\");  // never the root itself
    EXPECT_TRUE(Exists("\\Software"));
}

TEST_F(PrivacyKeys, DeleteCurrentUserKeyOfAWideTreeTakesEverySubkey) {
    const std::string path = "\\Software\\WinRAR\\ArcHistory";
    Make(path);
    for (int i = 0; i < 40; ++i)
        Make(path + "\\" + std::string(static_cast<size_t>(i % 7 + 1), 'k') + std::to_string(i));
    privacy::DeleteCurrentUserKey(path);
    EXPECT_FALSE(Exists(path));
    EXPECT_TRUE(Exists("\\Software\\WinRAR"));
}

TEST_F(PrivacyKeys, AllStepsDeleteEveryTraceKeyAndLeaveTheirSiblings) {
    std::vector<std::string> keys;
    for (const auto& step : privacy::PrivacySteps())
        for (const auto& op : step.ops)
            if (op.kind == privacy::StepOp::DeleteKey) keys.push_back(op.text);
    EXPECT_EQ(keys.size(), 30u);  // 1+1+1+10+1+10+1+1+2+1+1 keys
    for (const auto& key : keys)
        MakeTree(key);
    // Settings that live beside the usage traces.
    Make(kExplorer + "ComDlg32\\CIDSizeMRU");
    Make(kExplorer + "ComDlg32\\FirstFolder");
    Make(kExplorer + "Advanced");
    Make("\\Software\\Microsoft\\Internet Explorer\\Main");
    Make("\\Software\\3721\\Settings");
    Make("\\Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\MostRecentClips11");

    privacy::PrivacyHooks hooks;
    hooks.checked = [](PrivacyBox) { return true; };
    hooks.status = hooks.report = [](const std::string&) {};
    hooks.yield = [] {};
    hooks.deleteKey = privacy::DeleteCurrentUserKey;
    hooks.emptyClipboard = [] {};
    hooks.cleanCache = [](TSearchPattern) {};
    privacy::RunPrivacyCleaning(hooks);

    for (const auto& key : keys) {
        EXPECT_FALSE(Exists(key)) << key;
        EXPECT_TRUE(Exists(key + " Sibling")) << key;
    }
    for (const char* stays : {"ComDlg32\\CIDSizeMRU", "ComDlg32\\FirstFolder", "Advanced"})
        EXPECT_TRUE(Exists(kExplorer + stays)) << stays;
    EXPECT_TRUE(Exists("\\Software\\Microsoft\\Internet Explorer\\Main"));
    EXPECT_TRUE(Exists("\\Software\\3721\\Settings"));
    EXPECT_TRUE(
        Exists("\\Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\MostRecentClips11"));
}

TEST_F(PrivacyKeys, AbsentKeysStillReportTheirStep) {
    Recorder r;
    r.boxes = {PrivacyBox::AcroReader};
    auto hooks = r.Hooks();
    hooks.deleteKey = privacy::DeleteCurrentUserKey;
    privacy::RunPrivacyCleaning(hooks);
    EXPECT_EQ(r.trace[r.trace.size() - 2], "R:Adobe Acrobat Reader records Cleaned!");
}

// ---- The clipboard ----

using privacy_testing::ClipboardLock;

bool PutText(const std::wstring& text) {
    return privacy_testing::PutClipboardText(text);
}

TEST(PrivacyClipboard, TheClipboardStepEmptiesTheClipboardWhateverItHolds) {
    ClipboardLock lock;
    for (const std::wstring& text : {std::wstring(L"my password"), std::wstring(L"  ")}) {
        ASSERT_TRUE(PutText(text));
        ASSERT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
        privacy::PrivacyHooks hooks;
        hooks.checked = [](PrivacyBox b) { return b == PrivacyBox::WinClipBoard; };
        hooks.status = hooks.report = [](const std::string&) {};
        hooks.yield = [] {};
        hooks.emptyClipboard = [] { EXPECT_TRUE(platform::EmptyClipboardNow()); };
        privacy::RunPrivacyCleaning(hooks);
        EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
        EXPECT_EQ(CountClipboardFormats(), 0);
    }
    EXPECT_TRUE(platform::EmptyClipboardNow());  // an empty clipboard empties too
}

// ---- The cache figures ----

TEST(CacheSizeCaption, CountThenMegabytesInAFieldOf15) {
    const struct {
        int64_t count, bytes;
        const char* separator;
        std::string caption;
    } table[] = {
        {0, 0, ".", "0 Files,           0.000 MB"},
        {1234, 56789012, ".", "1234 Files,          56.789 MB"},
        {1234, 56789012, ",", "1234 Files,          56,789 MB"},
        {1, 999, ".", "1 Files,           0.001 MB"},
        // Over 2 GiB and over 4 GiB in all: the real size.
        {3, 3000000000, ".", "3 Files,        3000.000 MB"},
        {70000, 5368709120, ".", "70000 Files,        5368.709 MB"},
        {5000000000, 123456789012345, ".", "5000000000 Files,   123456789.012 MB"},
    };
    for (const auto& c : table) {
        privacy::CacheCounters counters{c.count, c.bytes};
        EXPECT_EQ(privacy::CacheSizeCaption(counters, c.separator), c.caption);
    }
}

TEST(CacheCounters, CountEntriesAndTheirWholeSizesIn64Bits) {
    testing_support::FakeUrlCache layer;
    layer.Add(testing_support::CacheRecord("http://a/1", 1, 1500000000));
    layer.Add(testing_support::CacheRecord("http://a/2", 1, 1500000000));
    layer.Add(testing_support::CacheRecord("http://a/3", 1, 0x100000005ull));  // over 4 GiB
    layer.Add(testing_support::CacheRecord("Cookie:u@a/", 0x100000, 77));      // not counted
    privacy::TIECache IECMain(layer, "IECMain");
    privacy::CacheCounters counters{99, 99};
    IECMain.OnEntry = [&](privacy::TIECache& sender, bool&) { counters.Add(sender.EntryInfo()); };
    IECMain.SearchPattern = TSearchPattern::spCookies;
    privacy::CountCache(IECMain, counters);
    EXPECT_EQ(IECMain.SearchPattern, TSearchPattern::spUrl);
    EXPECT_EQ(counters.CacheFileCount, 3);
    EXPECT_EQ(counters.CacheByteTotal, 3000000000ll + 0x100000005ll);
    EXPECT_EQ(privacy::CacheSizeCaption(counters, "."), "3 Files,        7294.967 MB");
}

TEST(CacheCounters, WithoutTheLibraryTheFiguresAreZero) {
    testing_support::FakeUrlCache layer;
    layer.Add(testing_support::CacheRecord("http://a/1"));
    layer.libraryPresent = false;
    privacy::TIECache IECMain(layer, "IECMain");
    privacy::CacheCounters counters{5, 5};
    IECMain.OnEntry = [&](privacy::TIECache& sender, bool&) { counters.Add(sender.EntryInfo()); };
    privacy::CountCache(IECMain, counters);
    EXPECT_EQ(privacy::CacheSizeCaption(counters, "."), "0 Files,           0.000 MB");
}

}  // namespace

namespace {

TEST(PrivacyTexts, EveryStepHasOneCheckBoxWithADistinctSettingsKey) {
    std::set<int> keys;
    std::set<PrivacyBox> boxes;
    for (const auto& c : privacy::kPrivacyCheckBoxes) {
        keys.insert(c.settingsKey);
        boxes.insert(c.box);
    }
    EXPECT_EQ(keys, (std::set<int>{36, 37, 38, 39, 40, 42, 43, 44, 45, 46, 48, 49, 50, 51}));
    EXPECT_EQ(boxes.size(), privacy::PrivacySteps().size());
    for (const auto& step : privacy::PrivacySteps())
        EXPECT_EQ(boxes.count(step.box), 1u);
    EXPECT_STREQ(privacy::kGroupExplorer, "Clean  Windows Explorer  Recent Records ");
    EXPECT_STREQ(privacy::kClipboardEditText, "  ");
}

}  // namespace
