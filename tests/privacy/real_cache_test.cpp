// The cache layer and the enumerator over WinINet's real cache, in a cache of this process's
// own: under Wine the walks take the fallback over the plain find functions.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "core/cache_entry_block.h"
#include "privacy/ie_cache.h"
#include "support/private_url_cache.h"

namespace {

using privacy::TIECache;
using privacy::TSearchPattern;
using testing_support::PrivateUrlCache;

constexpr uint32_t kNormal = 1, kHistory = 0x00200000;

class RealCache : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(cache_.Isolated()) << "wininet.dll was loaded before the private cache";
        cache_.Clear();
        ASSERT_TRUE(cache_.AllUrls().empty());
        ASSERT_TRUE(cache_.AddEntry("http://example.com/a.html", kNormal, "<p>a</p>"));
        ASSERT_TRUE(cache_.AddEntry("http://example.com/b.html", kNormal, "0123456789"));
        ASSERT_TRUE(cache_.AddEntry("http://example.org/c.css", kNormal, "c"));
        ASSERT_TRUE(cache_.AddEntry("Visited: root@http://example.com/a.html", kHistory, "v"));
        ASSERT_TRUE(cache_.SetCookie("http://one.example/", "id", "1"));
        ASSERT_TRUE(cache_.SetCookie("http://two.example/", "id", "2"));
    }
    void TearDown() override { cache_.Clear(); }

    static std::vector<std::string> Sorted(std::vector<std::string> v) {
        std::sort(v.begin(), v.end());
        return v;
    }
    std::vector<std::string> Walk(TIECache& cache) {
        std::vector<std::string> seen;
        cache.OnEntry = [&](TIECache& s, bool&) { seen.push_back(s.EntryInfo().SourceUrlName); };
        cache.RetrieveEntries(0);
        return Sorted(seen);
    }
    std::vector<std::string> Cookies() const {
        std::vector<std::string> out;
        for (const auto& url : cache_.AllUrls())
            if (url.rfind("Cookie:", 0) == 0) out.push_back(url);
        return Sorted(out);
    }

    PrivateUrlCache& cache_ = PrivateUrlCache::Get();
    platform::Win32UrlCache layer_;
};

TEST_F(RealCache, TheCacheIsThisProcesssOwn) {
    const std::string file = cache_.LocalFile("http://example.com/a.html");
    EXPECT_EQ(file.rfind(cache_.Root() + "\\", 0), 0u) << file;
    const auto cookies = Cookies();
    ASSERT_EQ(cookies.size(), 2u);
    EXPECT_EQ(cache_.LocalFile(cookies[0]).rfind(cache_.Root() + "\\", 0), 0u);
}

TEST_F(RealCache, LibraryIsFound) {
    TIECache cache(layer_, "IECMain");
    EXPECT_TRUE(cache.LibraryFound());
}

TEST_F(RealCache, EachPatternWalksItsOwnEntries) {
    TIECache cache(layer_, "IECMain");
    cache.SearchPattern = TSearchPattern::spUrl;
    EXPECT_EQ(Walk(cache),
              (std::vector<std::string>{"http://example.com/a.html", "http://example.com/b.html",
                                        "http://example.org/c.css"}));
    cache.SearchPattern = TSearchPattern::spAll;
    EXPECT_EQ(Walk(cache).size(), 3u);
    cache.SearchPattern = TSearchPattern::spHistory;
    EXPECT_EQ(Walk(cache), (std::vector<std::string>{"Visited: root@http://example.com/a.html"}));
    cache.SearchPattern = TSearchPattern::spCookies;
    EXPECT_EQ(Walk(cache), Cookies());
    cache.SetFilterOptions({privacy::TFilterOption::NORMAL_ENTRY});
    EXPECT_TRUE(Walk(cache).empty());  // cookies are not normal entries
}

TEST_F(RealCache, EntriesCarryTheirFields) {
    TIECache cache(layer_, "IECMain");
    ASSERT_EQ(cache.GetEntryInfo("http://example.com/b.html"), 0u);
    const auto& e = cache.EntryInfo();
    EXPECT_EQ(e.SourceUrlName, "http://example.com/b.html");
    EXPECT_EQ(e.LocalFileName, cache_.LocalFile("http://example.com/b.html"));
    EXPECT_EQ(e.Size, 10);
    EXPECT_EQ(e.FullSize, 10u);
    EXPECT_TRUE(e.EntryType & kNormal);
    EXPECT_EQ(e.FileExtension, "htm");
    EXPECT_GT(e.LastAccessTime, 46000.0);  // a date of this century, local time

    // A walk's entry reads the same as the look-up.
    cache.SearchPattern = TSearchPattern::spUrl;
    std::optional<privacy::TEntryInfo> walked;
    cache.OnEntry = [&](TIECache& s, bool&) {
        if (s.EntryInfo().SourceUrlName == "http://example.com/b.html") walked = s.EntryInfo();
    };
    cache.RetrieveEntries(0);
    ASSERT_TRUE(walked);
    EXPECT_EQ(walked->LocalFileName, e.LocalFileName);
    EXPECT_EQ(walked->Size, 10);
}

TEST_F(RealCache, LookUpAndDeletionOfAMissingUrlGiveThePlatformsCode) {
    TIECache cache(layer_, "IECMain");
    EXPECT_EQ(cache.GetEntryInfo("http://nowhere.example/"),
              static_cast<uint32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(cache.DeleteEntry("http://nowhere.example/"),
              static_cast<uint32_t>(ERROR_FILE_NOT_FOUND));
}

TEST_F(RealCache, CancelStopsTheWalkOnTheRealCache) {
    TIECache cache(layer_, "IECMain");
    cache.SearchPattern = TSearchPattern::spUrl;
    int raised = 0;
    cache.OnEntry = [&](TIECache&, bool& Cancel) {
        ++raised;
        Cancel = true;
    };
    cache.RetrieveEntries(0);
    EXPECT_EQ(raised, 1);
}

TEST_F(RealCache, DeleteAllEntriesDeletesExactlyThePatternsEntries) {
    TIECache cache(layer_, "IECMain");
    cache.SearchPattern = TSearchPattern::spUrl;
    const auto cookies = Cookies();
    cache.DeleteAllEntries();
    std::vector<std::string> expected = cookies;
    expected.push_back("Visited: root@http://example.com/a.html");
    EXPECT_EQ(Sorted(cache_.AllUrls()), Sorted(expected));

    cache.SearchPattern = TSearchPattern::spHistory;
    cache.DeleteAllEntries();
    EXPECT_EQ(Sorted(cache_.AllUrls()), cookies);

    TIECache cookie(layer_, "CooKie");
    cookie.SearchPattern = TSearchPattern::spCookies;
    cookie.DeleteAllEntries();
    EXPECT_TRUE(cache_.AllUrls().empty());
    cookie.DeleteAllEntries();  // nothing left: nothing happens
    EXPECT_TRUE(cache_.AllUrls().empty());
}

TEST_F(RealCache, LayerFollowsTheSizingProtocol) {
    ASSERT_TRUE(layer_.LibraryFound());
    uint32_t size = 0;
    platform::UrlFindHandle handle = nullptr;
    EXPECT_EQ(layer_.FindFirst(std::string(), 1, 0, nullptr, size, handle),
              static_cast<uint32_t>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(handle, nullptr);
    EXPECT_GT(size, core::cache_block::kFixedSize);
    std::vector<std::byte> small(size - 1);
    uint32_t smallSize = size - 1;
    EXPECT_EQ(layer_.FindFirst(std::string(), 1, 0, small.data(), smallSize, handle),
              static_cast<uint32_t>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(smallSize, size);
    std::vector<std::byte> buffer(size);
    ASSERT_EQ(layer_.FindFirst(std::string(), 1, 0, buffer.data(), size, handle), 0u);
    ASSERT_NE(handle, nullptr);
    int entries = 1;
    for (;;) {
        uint32_t next = 0;
        const uint32_t sizing = layer_.FindNext(handle, nullptr, next);
        if (sizing == ERROR_NO_MORE_ITEMS) break;
        ASSERT_EQ(sizing, static_cast<uint32_t>(ERROR_INSUFFICIENT_BUFFER));
        std::vector<std::byte> b(next);
        ASSERT_EQ(layer_.FindNext(handle, b.data(), next), 0u);
        ++entries;
    }
    EXPECT_EQ(entries, 3);
    layer_.FindClose(handle);
    layer_.FindClose(nullptr);  // the platform answers a null handle itself
}

}  // namespace
