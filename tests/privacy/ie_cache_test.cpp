// The cache enumerator over the fake cache layer: masks, patterns, walks, the two-call fetch,
// deletion, the library check and the entry record.
#include "privacy/ie_cache.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/file_time.h"
#include "core/date_time.h"
#include "support/fake_url_cache.h"

namespace {

using privacy::TFilterOption;
using privacy::TFilterOptions;
using privacy::TIECache;
using privacy::TSearchPattern;
using testing_support::CacheRecord;
using testing_support::FakeUrlCache;

constexpr uint32_t kCookie = 0x00100000, kHistory = 0x00200000, kNormal = 1;

// A cache of two pages, two cookies and one history entry, in that walk order mixed.
void Fill(FakeUrlCache& cache) {
    cache.Add(CacheRecord("http://a/1", kNormal));
    cache.Add(CacheRecord("Cookie:u@a/", kCookie));
    cache.Add(CacheRecord("Visited: u@http://a/1", kHistory));
    cache.Add(CacheRecord("http://b/2", kNormal));
    cache.Add(CacheRecord("Cookie:u@b/", kCookie));
}

std::vector<std::string> Walk(TIECache& cache) {
    std::vector<std::string> seen;
    cache.OnEntry = [&](TIECache& sender, bool&) {
        EXPECT_EQ(&sender, &cache);
        seen.push_back(sender.EntryInfo().SourceUrlName);
    };
    cache.RetrieveEntries(0);
    return seen;
}

struct MaskCase {
    TFilterOptions options;
    uint32_t mask;
};

class EntryTypeMask : public testing::TestWithParam<MaskCase> {};

TEST_P(EntryTypeMask, IsTheSumOfTheMembersFlagsAndFollowsEveryAssignment) {
    FakeUrlCache layer;
    TIECache cache(layer, "IECMain");
    cache.SetFilterOptions(GetParam().options);
    EXPECT_EQ(cache.EntryTypeMask(), GetParam().mask);
    EXPECT_EQ(cache.FilterOptions(), GetParam().options);
    cache.RetrieveEntries(0);
    ASSERT_EQ(layer.findFirsts.size(), 2u);  // the sizing call and the fetch
    EXPECT_EQ(layer.findFirsts[1].filter, GetParam().mask);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EntryTypeMask,
    testing::Values(MaskCase{{}, 0}, MaskCase{{TFilterOption::NORMAL_ENTRY}, 0x1},
                    MaskCase{{TFilterOption::STABLE_ENTRY}, 0x2},
                    MaskCase{{TFilterOption::STICKY_ENTRY}, 0x4},
                    MaskCase{{TFilterOption::COOKIE_ENTRY}, 0x100000},
                    MaskCase{{TFilterOption::URLHISTORY_ENTRY}, 0x200000},
                    MaskCase{{TFilterOption::TRACK_OFFLINE_ENTRY}, 0x10},
                    MaskCase{{TFilterOption::TRACK_ONLINE_ENTRY}, 0x20},
                    MaskCase{{TFilterOption::SPARSE_ENTRY}, 0x10000},
                    MaskCase{{TFilterOption::OCX_ENTRY}, 0x20000},
                    MaskCase{privacy::DefaultFilterOptions(), 0x300035},
                    MaskCase{{TFilterOption::NORMAL_ENTRY, TFilterOption::STABLE_ENTRY,
                              TFilterOption::STICKY_ENTRY, TFilterOption::COOKIE_ENTRY,
                              TFilterOption::URLHISTORY_ENTRY, TFilterOption::TRACK_OFFLINE_ENTRY,
                              TFilterOption::TRACK_ONLINE_ENTRY, TFilterOption::SPARSE_ENTRY,
                              TFilterOption::OCX_ENTRY},
                             0x330037}));

TEST(TIECache, StartsWithSpAllAndTheDefaultSetWhoseBitsAre0x7D) {
    FakeUrlCache layer;
    TIECache cache(layer, "CooKie");
    EXPECT_EQ(cache.Name(), "CooKie");
    EXPECT_EQ(cache.SearchPattern, TSearchPattern::spAll);
    EXPECT_EQ(cache.FilterOptions().Bits(), 0x7D);
    EXPECT_EQ(cache.EntryTypeMask(), 0x300035u);
    EXPECT_EQ(cache.EntryInfo(), privacy::TEntryInfo{});
}

TEST(TIECache, EachPatternReachesTheLayerAsItsText_NullForSpAllEmptyForSpUrl) {
    const std::pair<TSearchPattern, std::optional<std::string>> table[] = {
        {TSearchPattern::spAll, std::nullopt},
        {TSearchPattern::spCookies, "Cookie:"},
        {TSearchPattern::spHistory, "Visited:"},
        {TSearchPattern::spUrl, std::string()},
    };
    for (const auto& [pattern, text] : table) {
        FakeUrlCache layer;
        TIECache cache(layer, "IECMain");
        cache.SearchPattern = pattern;
        cache.RetrieveEntries(0);
        cache.DeleteAllEntries();
        ASSERT_EQ(layer.findFirsts.size(), 4u);
        for (const auto& call : layer.findFirsts) {
            EXPECT_EQ(call.pattern.has_value(), text.has_value()) << static_cast<int>(pattern);
            EXPECT_EQ(call.pattern, text);
            EXPECT_EQ(call.group, 0u);
        }
    }
}

TEST(TIECache, WalksHandEveryEntryOfThePatternInOrder) {
    FakeUrlCache layer;
    Fill(layer);
    TIECache cache(layer, "IECMain");
    cache.SearchPattern = TSearchPattern::spUrl;
    EXPECT_EQ(Walk(cache), (std::vector<std::string>{"http://a/1", "http://b/2"}));
    cache.SearchPattern = TSearchPattern::spCookies;
    EXPECT_EQ(Walk(cache), (std::vector<std::string>{"Cookie:u@a/", "Cookie:u@b/"}));
    cache.SearchPattern = TSearchPattern::spHistory;
    EXPECT_EQ(Walk(cache), (std::vector<std::string>{"Visited: u@http://a/1"}));
    cache.SetFilterOptions({TFilterOption::COOKIE_ENTRY});
    EXPECT_TRUE(Walk(cache).empty());  // history entries are not cookies
    EXPECT_EQ(layer.openWalks(), 0);
}

TEST(TIECache, EmptyCacheRaisesNothingAndStillClosesTheNullHandle) {
    FakeUrlCache layer;
    TIECache cache(layer, "IECMain");
    EXPECT_TRUE(Walk(cache).empty());
    // The sizing call asks for no bytes, so the fetch has no buffer either.
    EXPECT_EQ(layer.log, (std::vector<std::string>{"FindFirst no buffer", "FindFirst no buffer",
                                                   "Close null"}));
}

TEST(TIECache, HandlerThatCancelsOnTheFirstEntryStopsTheWalkAndTheHandleIsClosed) {
    FakeUrlCache layer;
    Fill(layer);
    TIECache cache(layer, "IECMain");
    cache.SearchPattern = TSearchPattern::spUrl;
    int raised = 0;
    cache.OnEntry = [&](TIECache&, bool& Cancel) {
        ++raised;
        EXPECT_FALSE(Cancel);
        Cancel = true;
    };
    cache.RetrieveEntries(0);
    EXPECT_EQ(raised, 1);
    EXPECT_EQ(layer.log,
              (std::vector<std::string>{"FindFirst no buffer", "FindFirst", "Close #1"}));
    // The flag is cleared at the start of each walk.
    cache.RetrieveEntries(0);
    EXPECT_EQ(raised, 2);
}

TEST(TIECache, HandlerThatCancelsLaterStopsAfterItReturns) {
    FakeUrlCache layer;
    for (int i = 0; i < 5; ++i)
        layer.Add(CacheRecord("http://a/" + std::to_string(i)));
    TIECache cache(layer, "IECMain");
    std::vector<std::string> seen;
    cache.OnEntry = [&](TIECache& s, bool& Cancel) {
        seen.push_back(s.EntryInfo().SourceUrlName);
        Cancel = seen.size() == 3;
    };
    cache.RetrieveEntries(0);
    EXPECT_EQ(seen, (std::vector<std::string>{"http://a/0", "http://a/1", "http://a/2"}));
    EXPECT_EQ(layer.openWalks(), 0);
}

TEST(TIECache, HandlerThatThrowsStillClosesTheWalk) {
    FakeUrlCache layer;
    Fill(layer);
    TIECache cache(layer, "IECMain");
    cache.OnEntry = [](TIECache&, bool&) { throw std::runtime_error("handler failed"); };
    EXPECT_THROW(cache.RetrieveEntries(0), std::runtime_error);
    EXPECT_EQ(layer.openWalks(), 0);
}

TEST(TIECache, DeleteAllEntriesDeletesEachEntryOnTheSameFindHandle) {
    FakeUrlCache layer;
    Fill(layer);
    TIECache cache(layer, "CooKie");
    cache.SearchPattern = TSearchPattern::spCookies;
    bool raised = false;
    cache.OnEntry = [&](TIECache&, bool&) { raised = true; };
    cache.DeleteAllEntries();
    EXPECT_FALSE(raised);
    EXPECT_EQ(layer.log,
              (std::vector<std::string>{"FindFirst no buffer", "FindFirst", "Delete Cookie:u@a/",
                                        "FindNext #1", "FindNext #1", "Delete Cookie:u@b/",
                                        "FindNext #1", "FindNext #1", "Close #1"}));
    EXPECT_EQ(layer.Urls(),
              (std::vector<std::string>{"http://a/1", "Visited: u@http://a/1", "http://b/2"}));
}

TEST(TIECache, DeleteAllEntriesWithNothingToDeleteDeletesNothing) {
    FakeUrlCache layer;
    layer.Add(CacheRecord("http://a/1"));
    TIECache cache(layer, "CooKie");
    cache.SearchPattern = TSearchPattern::spCookies;
    cache.DeleteAllEntries();
    EXPECT_EQ(layer.log, (std::vector<std::string>{"FindFirst no buffer", "FindFirst no buffer",
                                                   "Close null"}));
    EXPECT_EQ(layer.Urls(), (std::vector<std::string>{"http://a/1"}));
}

TEST(TIECache, DeleteAllEntriesGoesOnPastAnEntryThatCannotBeDeleted) {
    FakeUrlCache layer;
    Fill(layer);
    layer.undeletable = {"http://a/1"};
    TIECache cache(layer, "IECMain");
    cache.SearchPattern = TSearchPattern::spUrl;
    cache.DeleteAllEntries();
    EXPECT_EQ(layer.Urls(), (std::vector<std::string>{"http://a/1", "Cookie:u@a/",
                                                      "Visited: u@http://a/1", "Cookie:u@b/"}));
}

TEST(TIECache, EntryThatGrowsBetweenTheTwoCallsFailsTheFetchWithTheSecondCallsError) {
    FakeUrlCache layer;
    layer.Add(CacheRecord("http://a/1"));
    layer.Add(CacheRecord("http://a/2"));
    layer.Add(CacheRecord("http://a/3"));
    layer.growsAfterSizing = "http://a/2";
    TIECache cache(layer, "IECMain");
    EXPECT_EQ(Walk(cache), (std::vector<std::string>{"http://a/1"}));  // the walk ends there
    EXPECT_EQ(cache.EntryInfo().SourceUrlName, "http://a/1");          // and keeps the last
    EXPECT_EQ(layer.openWalks(), 0);

    FakeUrlCache lookups;
    lookups.Add(CacheRecord("http://a/1"));
    lookups.Add(CacheRecord("http://a/2"));
    lookups.growsAfterSizing = "http://a/2";
    TIECache one(lookups, "IECMain");
    EXPECT_EQ(one.GetEntryInfo("http://a/1"), 0u);
    EXPECT_EQ(one.GetEntryInfo("http://a/2"), static_cast<uint32_t>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(one.EntryInfo().SourceUrlName, "http://a/1");
    EXPECT_EQ(one.GetEntryInfo("http://a/2"), 0u);  // asked again, it fits
    EXPECT_EQ(one.EntryInfo().SourceUrlName, "http://a/2");
}

TEST(TIECache, SizeIsTheLow32BitsAndFullSizeTheWholeSize) {
    const std::pair<uint64_t, int32_t> table[] = {
        {0, 0},
        {100, 100},
        {0x7FFFFFFFull, 0x7FFFFFFF},
        {0x80000000ull, INT32_MIN},
        {0x100000000ull, 0},
        {0x100000005ull, 5},
        {0x5FFFFFFFFull, -1},
    };
    for (const auto& [size, low] : table) {
        FakeUrlCache layer;
        layer.Add(CacheRecord("http://big/", kNormal, size));
        TIECache cache(layer, "IECMain");
        ASSERT_EQ(cache.GetEntryInfo("http://big/"), 0u);
        EXPECT_EQ(cache.EntryInfo().Size, low) << size;
        EXPECT_EQ(cache.EntryInfo().FullSize, size);
    }
}

TEST(TIECache, EntryInfoCopiesEveryField) {
    FakeUrlCache layer;
    core::CacheEntryRecord r = CacheRecord("http://a/\xc3\xa9", kNormal, 1234);
    r.sourceUrlName = u"http://a/\u00e9";
    r.localFileName = u"C:\\Cache\\X\\\u00e9[1].htm";
    r.useCount = 4;
    r.hitRate = 9;
    r.headerInfo = u"HTTP/1.1 200 OK";
    r.fileExtension = u"htm";
    r.exemptDelta = 77;
    r.entryType = 0x00000005;
    // 2026-12-11 06:30:15.250 UTC and its neighbours.
    SYSTEMTIME st{2026, 12, 5, 11, 6, 30, 15, 250};
    FILETIME ft;
    ASSERT_TRUE(SystemTimeToFileTime(&st, &ft));
    const uint64_t t = static_cast<uint64_t>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime;
    r.lastModified = t;
    r.expire = t + 10000000ull * 86400;  // a day later
    r.lastAccess = t + 10000000ull * 3600;
    r.lastSync = 0;  // 1601
    layer.Add(r);
    TIECache cache(layer, "IECMain");
    ASSERT_EQ(cache.GetEntryInfo("http://a/\xc3\xa9"), 0u);
    const auto& e = cache.EntryInfo();
    EXPECT_EQ(e.SourceUrlName, "http://a/\xc3\xa9");
    EXPECT_EQ(e.LocalFileName, "C:\\Cache\\X\\\xc3\xa9[1].htm");
    EXPECT_EQ(e.EntryType, 5u);
    EXPECT_EQ(e.UseCount, 4u);
    EXPECT_EQ(e.HitRate, 9u);
    EXPECT_EQ(e.Size, 1234);
    EXPECT_EQ(e.HeaderInfo, "HTTP/1.1 200 OK");
    EXPECT_EQ(e.FileExtension, "htm");
    EXPECT_EQ(e.ExemptDelta, 77u);
    // Times are local: the same instant through the platform's own local conversion.
    const auto local = platform::LocalTimeFromFileTime(t);
    ASSERT_TRUE(local);
    const double expected =
        *core::DateTimeFromFields(local->year, local->month, local->day, local->hour, local->minute,
                                  local->second, local->millisecond);
    EXPECT_DOUBLE_EQ(e.LastModifiedTime, expected);
    EXPECT_NEAR(e.ExpireTime - e.LastModifiedTime, 1.0, 1e-6);
    EXPECT_NEAR(e.LastAccessTime - e.LastModifiedTime, 1.0 / 24, 1e-6);
    EXPECT_NEAR(e.LastModifiedTime, 46367.27, 0.6);  // within the local offset of UTC
    // 1 January 1601, or 0 where the local offset takes it out of range.
    EXPECT_TRUE(e.LastSyncTime == 0 || e.LastSyncTime < -109204.0) << e.LastSyncTime;
}

TEST(TIECache, TimeThatCannotBeConvertedIsZero) {
    EXPECT_EQ(privacy::LocalDateTime(0xFFFFFFFFFFFFFFFFull), 0.0);
    EXPECT_EQ(privacy::LocalDateTime(0x8000000000000000ull), 0.0);
}

TEST(TIECache, FailedLookUpKeepsThePreviousEntryAndDeleteClearsItOnSuccessOnly) {
    FakeUrlCache layer;
    Fill(layer);
    TIECache cache(layer, "CooKie");
    ASSERT_EQ(cache.GetEntryInfo("Cookie:u@a/"), 0u);
    const privacy::TEntryInfo before = cache.EntryInfo();
    EXPECT_EQ(cache.GetEntryInfo("Cookie:nobody@nowhere/"),
              static_cast<uint32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(cache.EntryInfo(), before);
    EXPECT_EQ(cache.DeleteEntry("Cookie:nobody@nowhere/"),
              static_cast<uint32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(cache.EntryInfo(), before);
    layer.undeletable = {"Cookie:u@b/"};
    EXPECT_EQ(cache.DeleteEntry("Cookie:u@b/"), static_cast<uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(cache.EntryInfo(), before);
    EXPECT_EQ(cache.DeleteEntry("Cookie:u@a/"), 0u);
    EXPECT_EQ(cache.EntryInfo(), privacy::TEntryInfo{});
    EXPECT_EQ(layer.Urls(), (std::vector<std::string>{"http://a/1", "Visited: u@http://a/1",
                                                      "http://b/2", "Cookie:u@b/"}));
}

TEST(TIECache, WithoutTheLibraryEveryOperationDoesNothing) {
    FakeUrlCache layer;
    Fill(layer);
    layer.libraryPresent = false;
    TIECache cache(layer, "IECMain");
    bool raised = false;
    cache.OnEntry = [&](TIECache&, bool&) { raised = true; };
    EXPECT_FALSE(cache.LibraryFound());
    cache.RetrieveEntries(0);
    cache.DeleteAllEntries();
    EXPECT_EQ(cache.GetEntryInfo("http://a/1"), 2u);
    EXPECT_EQ(cache.DeleteEntry("http://a/1"), 0u);
    EXPECT_FALSE(raised);
    EXPECT_TRUE(layer.log.empty());
    EXPECT_EQ(layer.Urls().size(), 5u);
    EXPECT_EQ(layer.probes, 5);  // asked again at every operation while the answer is no
}

TEST(TIECache, APositiveLibraryAnswerIsKeptAndAThrowingLookUpIsANo) {
    FakeUrlCache layer;
    layer.probeThrows = true;
    TIECache cache(layer, "IECMain");
    EXPECT_FALSE(cache.LibraryFound());
    layer.probeThrows = false;
    EXPECT_TRUE(cache.LibraryFound());
    layer.libraryPresent = false;  // once found, never asked again
    EXPECT_TRUE(cache.LibraryFound());
    cache.RetrieveEntries(0);
    EXPECT_EQ(layer.probes, 2);
    TIECache second(layer, "CooKie");  // the answer belongs to the layer both share
    EXPECT_TRUE(second.LibraryFound());
}

}  // namespace

namespace {

TEST(TIECacheNesting, AWalkStartedInsideAHandlerLeavesTheOuterWalkGoing) {
    FakeUrlCache layer;
    for (int i = 0; i < 3; ++i)
        layer.Add(CacheRecord("http://a/" + std::to_string(i)));
    TIECache cache(layer, "IECMain");
    std::vector<std::string> outer;
    int depth = 0, inner = 0;
    cache.OnEntry = [&](TIECache& s, bool& Cancel) {
        if (depth > 0) {
            ++inner;
            Cancel = true;  // ends the inner walk only
            return;
        }
        outer.push_back(s.EntryInfo().SourceUrlName);
        ++depth;
        s.RetrieveEntries(0);
        --depth;
    };
    cache.RetrieveEntries(0);
    EXPECT_EQ(outer, (std::vector<std::string>{"http://a/0", "http://a/1", "http://a/2"}));
    EXPECT_EQ(inner, 3);
    EXPECT_EQ(layer.openWalks(), 0);
}

TEST(TIECacheNesting, OnDeletedFollowsEachDeletionAndANestedDeletionIsSafe) {
    FakeUrlCache layer;
    for (int i = 0; i < 4; ++i)
        layer.Add(CacheRecord("http://a/" + std::to_string(i)));
    layer.Add(CacheRecord("Cookie:u@a/", 0x100000));
    TIECache cache(layer, "IECMain");
    cache.SearchPattern = TSearchPattern::spUrl;
    int deletions = 0;
    cache.OnDeleted = [&] {
        ++deletions;
        if (deletions == 1) cache.DeleteAllEntries();  // a nested "Clean Now!" during a yield
    };
    cache.DeleteAllEntries();
    EXPECT_EQ(layer.Urls(), (std::vector<std::string>{"Cookie:u@a/"}));
    EXPECT_EQ(deletions, 4);
    EXPECT_EQ(layer.openWalks(), 0);
}

}  // namespace
