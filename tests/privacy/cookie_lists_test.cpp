// The cookie manager's lists: moves between them, and deleting the delete list, on lists of
// plain texts and on cookies set through WinINet in this process's own cache.
#include "privacy/cookie_lists.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <stdexcept>

#include "privacy/ie_cache.h"
#include "support/fake_url_cache.h"
#include "support/private_url_cache.h"

namespace {

using privacy::CookieList;

TEST(CookieMoves, KeepAllReversesAndDeleteAllRestoresTheOrder) {
    CookieList del{"A", "B", "C"}, keep;
    privacy::MoveAllCookies(del, keep);
    EXPECT_TRUE(del.empty());
    EXPECT_EQ(keep, (CookieList{"C", "B", "A"}));
    privacy::MoveAllCookies(keep, del);
    EXPECT_TRUE(keep.empty());
    EXPECT_EQ(del, (CookieList{"A", "B", "C"}));
}

TEST(CookieMoves, MovedItemsArriveBelowWhatTheListHeld) {
    CookieList del{"A", "B"}, keep{"K"};
    privacy::MoveAllCookies(del, keep);
    EXPECT_EQ(keep, (CookieList{"K", "B", "A"}));
    privacy::MoveAllCookies(del, keep);  // nothing to move
    EXPECT_EQ(keep, (CookieList{"K", "B", "A"}));
}

TEST(CookieMoves, OneMoveTakesTheSelectedItemToTheEnd) {
    CookieList del{"A", "B", "C"}, keep{"K"};
    EXPECT_TRUE(privacy::MoveCookie(del, 1, keep));
    EXPECT_EQ(del, (CookieList{"A", "C"}));
    EXPECT_EQ(keep, (CookieList{"K", "B"}));
    EXPECT_TRUE(privacy::MoveCookie(keep, 0, del));
    EXPECT_EQ(del, (CookieList{"A", "C", "K"}));
    EXPECT_EQ(keep, (CookieList{"B"}));
}

TEST(CookieMoves, WithoutASelectionNothingMoves) {
    CookieList del{"A"}, keep;
    EXPECT_FALSE(privacy::MoveCookie(del, std::nullopt, keep));
    EXPECT_FALSE(privacy::MoveCookie(del, 1, keep));
    EXPECT_FALSE(privacy::MoveCookie(keep, 0, del));
    EXPECT_EQ(del, (CookieList{"A"}));
    EXPECT_TRUE(keep.empty());
}

TEST(CookieMoves, DuplicatesStayDuplicates) {
    CookieList del{"A", "A"}, keep;
    EXPECT_TRUE(privacy::MoveCookie(del, 0, keep));
    EXPECT_EQ(del, (CookieList{"A"}));
    EXPECT_EQ(keep, (CookieList{"A"}));
}

struct DeletionRecorder {
    std::vector<std::string> deleted, lines;
    std::set<std::string> failing, throwing;
    std::vector<size_t> removed;
    int itemsDone = 0;

    privacy::CookieDeletionHooks Hooks() {
        privacy::CookieDeletionHooks h;
        h.deleteEntry = [this](const std::string& item) -> uint32_t {
            if (throwing.count(item)) throw std::runtime_error("navigation failed");
            if (failing.count(item)) return ERROR_ACCESS_DENIED;
            deleted.push_back(item);
            return 0;
        };
        h.report = [this](const std::string& line) { lines.push_back(line); };
        h.removed = [this](size_t i) { removed.push_back(i); };
        h.itemDone = [this] { ++itemsDone; };
        return h;
    }
};

TEST(CookieDeletion, DeletesFromTheLastItemAndReportsEach) {
    CookieList del{"Cookie:u@a/", "Cookie:u@b/", "Cookie:u@c/"};
    DeletionRecorder r;
    privacy::DeleteCookies(del, r.Hooks());
    EXPECT_EQ(r.deleted, (std::vector<std::string>{"Cookie:u@c/", "Cookie:u@b/", "Cookie:u@a/"}));
    EXPECT_EQ(r.lines, (std::vector<std::string>{"Cookie: Cookie:u@c/ Deleted!",
                                                 "Cookie: Cookie:u@b/ Deleted!",
                                                 "Cookie: Cookie:u@a/ Deleted!"}));
    EXPECT_TRUE(del.empty());
    EXPECT_EQ(r.itemsDone, 3);
}

TEST(CookieDeletion, ACookieThatCannotBeDeletedIsSaidSoAndStaysOnTheList) {
    CookieList del{"Cookie:u@a/", "Cookie:u@b/", "Cookie:u@c/", "Cookie:u@d/"};
    DeletionRecorder r;
    r.failing = {"Cookie:u@b/"};
    r.throwing = {"Cookie:u@c/"};
    privacy::DeleteCookies(del, r.Hooks());
    EXPECT_EQ(r.lines, (std::vector<std::string>{"Cookie: Cookie:u@d/ Deleted!",
                                                 "Cookie: Cookie:u@b/ could not be deleted!",
                                                 "Cookie: Cookie:u@a/ Deleted!"}));
    EXPECT_EQ(del, (CookieList{"Cookie:u@b/", "Cookie:u@c/"}));
    EXPECT_EQ(r.removed, (std::vector<size_t>{3, 0}));
    EXPECT_EQ(r.itemsDone, 4);
}

TEST(CookieDeletion, AnEmptyListWritesNothing) {
    CookieList del;
    DeletionRecorder r;
    privacy::DeleteCookies(del, r.Hooks());
    EXPECT_TRUE(r.lines.empty());
    EXPECT_EQ(r.itemsDone, 0);
}

TEST(CookieDeletion, ThroughTheEnumeratorAFailedDeletionIsNotReportedAsDone) {
    testing_support::FakeUrlCache layer;
    layer.Add(testing_support::CacheRecord("Cookie:u@a/", 0x100000));
    layer.Add(testing_support::CacheRecord("Cookie:u@bank/", 0x100000));
    layer.undeletable = {"Cookie:u@bank/"};
    privacy::TIECache CooKie(layer, "CooKie");
    CooKie.SearchPattern = privacy::TSearchPattern::spCookies;
    CookieList del;
    CooKie.OnEntry = [&](privacy::TIECache& s, bool&) {
        del.push_back(s.EntryInfo().SourceUrlName);
    };
    CooKie.RetrieveEntries(0);
    ASSERT_EQ(del, (CookieList{"Cookie:u@a/", "Cookie:u@bank/"}));
    DeletionRecorder r;
    auto hooks = r.Hooks();
    hooks.deleteEntry = [&](const std::string& item) { return CooKie.DeleteEntry(item); };
    privacy::DeleteCookies(del, hooks);
    EXPECT_EQ(r.lines, (std::vector<std::string>{"Cookie: Cookie:u@bank/ could not be deleted!",
                                                 "Cookie: Cookie:u@a/ Deleted!"}));
    EXPECT_EQ(del, (CookieList{"Cookie:u@bank/"}));
    EXPECT_EQ(layer.Urls(), (std::vector<std::string>{"Cookie:u@bank/"}));
}

// ---- Real cookies ----

class RealCookies : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(cache_.Isolated());
        cache_.Clear();
        for (const char* site :
             {"http://alpha.example/", "http://bank.example/", "http://gamma.example/"})
            ASSERT_TRUE(cache_.SetCookie(site, "id", "42"));
        ASSERT_TRUE(cache_.AddEntry("http://alpha.example/index.html", 1, "page"));
    }
    void TearDown() override { cache_.Clear(); }

    std::vector<std::string> CookieUrls() const {
        std::vector<std::string> out;
        for (const auto& url : cache_.AllUrls())
            if (url.rfind("Cookie:", 0) == 0) out.push_back(url);
        std::sort(out.begin(), out.end());
        return out;
    }

    testing_support::PrivateUrlCache& cache_ = testing_support::PrivateUrlCache::Get();
    platform::Win32UrlCache layer_;
};

TEST_F(RealCookies, ListedKeptAndDeletedExactlyAsChosen) {
    privacy::TIECache CooKie(layer_, "CooKie");
    CooKie.SearchPattern = privacy::TSearchPattern::spCookies;
    CookieList del, keep;
    CooKie.OnEntry = [&](privacy::TIECache& s, bool&) {
        del.push_back(s.EntryInfo().SourceUrlName);
    };
    CooKie.RetrieveEntries(0);
    std::vector<std::string> listed = del;
    std::sort(listed.begin(), listed.end());
    ASSERT_EQ(listed, CookieUrls());
    ASSERT_EQ(listed.size(), 3u);

    // Keep the bank's cookie; its file is what a click shows.
    const auto bank = std::find_if(del.begin(), del.end(), [](const std::string& u) {
        return u.find("bank.example") != std::string::npos;
    });
    ASSERT_NE(bank, del.end());
    const std::string bankUrl = *bank;
    ASSERT_EQ(CooKie.GetEntryInfo(bankUrl), 0u);
    EXPECT_EQ(CooKie.EntryInfo().LocalFileName, cache_.LocalFile(bankUrl));
    ASSERT_TRUE(privacy::MoveCookie(del, static_cast<size_t>(bank - del.begin()), keep));

    DeletionRecorder r;
    auto hooks = r.Hooks();
    hooks.deleteEntry = [&](const std::string& item) { return CooKie.DeleteEntry(item); };
    const CookieList toDelete = del;
    privacy::DeleteCookies(del, hooks);
    EXPECT_TRUE(del.empty());
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[0], "Cookie: " + toDelete[1] + " Deleted!");
    EXPECT_EQ(r.lines[1], "Cookie: " + toDelete[0] + " Deleted!");

    EXPECT_EQ(CookieUrls(), (std::vector<std::string>{bankUrl}));
    EXPECT_TRUE(cache_.Exists("http://alpha.example/index.html"));

    // Shown again, the kept cookie is listed again.
    CookieList again;
    CooKie.OnEntry = [&](privacy::TIECache& s, bool&) {
        again.push_back(s.EntryInfo().SourceUrlName);
    };
    CooKie.RetrieveEntries(0);
    EXPECT_EQ(again, (CookieList{bankUrl}));
}

TEST_F(RealCookies, DeleteAllEntriesOfTheCookieEnumeratorLeavesOtherEntries) {
    privacy::TIECache CooKie(layer_, "CooKie");
    CooKie.SearchPattern = privacy::TSearchPattern::spCookies;
    CooKie.DeleteAllEntries();
    EXPECT_TRUE(CookieUrls().empty());
    EXPECT_EQ(cache_.AllUrls(), (std::vector<std::string>{"http://alpha.example/index.html"}));
}

}  // namespace
