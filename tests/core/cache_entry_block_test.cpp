#include "core/cache_entry_block.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using core::CacheEntryRecord;

CacheEntryRecord FullRecord() {
    CacheEntryRecord r;
    r.sourceUrlName = u"http://example.com/\u00e9t\u00e9.html";
    r.localFileName = u"C:\\Cache\\ABCD1234\\page[1].htm";
    r.entryType = 0x00100001;
    r.useCount = 3;
    r.hitRate = 7;
    r.sizeLow = 0x89ABCDEF;
    r.sizeHigh = 0x01234567;
    r.lastModified = 0x01D0000012345678ull;
    r.expire = 0x01E0000087654321ull;
    r.lastAccess = 1;
    r.lastSync = 0xFFFFFFFF00000000ull;
    r.headerInfo = u"HTTP/1.1 200 OK\r\n";
    r.fileExtension = u"htm";
    r.exemptDelta = 42;
    return r;
}

uint64_t AddressOf(const std::vector<std::byte>& b) {
    return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(b.data()));
}

void PutU64(std::vector<std::byte>& b, size_t at, uint64_t v) {
    for (size_t i = 0; i < 8; ++i)
        b[at + i] = static_cast<std::byte>(v >> (8 * i));
}

TEST(CacheEntryBlock, EncodedRecordReadsBackFieldForField) {
    const CacheEntryRecord r = FullRecord();
    std::vector<std::byte> block(core::CacheEntryBlockSize(r));
    ASSERT_TRUE(core::EncodeCacheEntryBlock(r, block));
    EXPECT_EQ(block[0], std::byte{112});  // the fixed part's own size comes first
    const auto back = core::ParseCacheEntryBlock(block, AddressOf(block));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, r);
}

TEST(CacheEntryBlock, SizeCountsEachNonEmptyTextWithItsNul) {
    CacheEntryRecord r;
    EXPECT_EQ(core::CacheEntryBlockSize(r), 112u);
    r.sourceUrlName = u"ab";
    EXPECT_EQ(core::CacheEntryBlockSize(r), 112u + 6);
    r.fileExtension = u"h";
    EXPECT_EQ(core::CacheEntryBlockSize(r), 112u + 6 + 4);
    std::vector<std::byte> shortBlock(core::CacheEntryBlockSize(r) - 1, std::byte{0x55});
    EXPECT_FALSE(core::EncodeCacheEntryBlock(r, shortBlock));
    EXPECT_EQ(shortBlock[0], std::byte{0x55});  // nothing written
}

TEST(CacheEntryBlock, EmptyTextsHaveNullAddressesAndReadEmpty) {
    CacheEntryRecord r;
    r.sourceUrlName = u"Cookie:a@b/";
    std::vector<std::byte> block(core::CacheEntryBlockSize(r));
    ASSERT_TRUE(core::EncodeCacheEntryBlock(r, block));
    for (size_t field : {core::cache_block::kLocalFileName, core::cache_block::kHeaderInfo,
                         core::cache_block::kFileExtension})
        for (size_t i = 0; i < 8; ++i)
            EXPECT_EQ(block[field + i], std::byte{0}) << field;
    EXPECT_EQ(core::ParseCacheEntryBlock(block, AddressOf(block))->sourceUrlName, u"Cookie:a@b/");
}

TEST(CacheEntryBlock, BlockShorterThanTheFixedPartIsNotAnEntry) {
    std::vector<std::byte> block(111);
    EXPECT_FALSE(core::ParseCacheEntryBlock(block, AddressOf(block)));
    EXPECT_FALSE(core::ParseCacheEntryBlock({}, 0));
}

TEST(CacheEntryBlock, AddressesOutsideTheBlockReadAsEmptyTexts) {
    const CacheEntryRecord r = FullRecord();
    std::vector<std::byte> block(core::CacheEntryBlockSize(r));
    ASSERT_TRUE(core::EncodeCacheEntryBlock(r, block));
    const uint64_t base = AddressOf(block);
    PutU64(block, core::cache_block::kSourceUrlName, base - 2);             // before it
    PutU64(block, core::cache_block::kLocalFileName, base + block.size());  // just past it
    PutU64(block, core::cache_block::kHeaderInfo, ~0ull);                   // far away
    const auto back = core::ParseCacheEntryBlock(block, base);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->sourceUrlName, u"");
    EXPECT_EQ(back->localFileName, u"");
    EXPECT_EQ(back->headerInfo, u"");
    EXPECT_EQ(back->fileExtension, u"htm");
}

TEST(CacheEntryBlock, TextWithoutNulEndsAtTheBlockEnd) {
    CacheEntryRecord r;
    r.fileExtension = u"abc";
    std::vector<std::byte> block(core::CacheEntryBlockSize(r));
    ASSERT_TRUE(core::EncodeCacheEntryBlock(r, block));
    block.resize(block.size() - 2);  // drop the NUL
    EXPECT_EQ(core::ParseCacheEntryBlock(block, AddressOf(block))->fileExtension, u"abc");
    block.resize(block.size() - 1);  // and half a character
    EXPECT_EQ(core::ParseCacheEntryBlock(block, AddressOf(block))->fileExtension, u"ab");
}

struct PatternCase {
    std::optional<std::string> pattern;
    std::u16string url;
    bool selected;
};

class PatternSelects : public testing::TestWithParam<PatternCase> {};

TEST_P(PatternSelects, NamesAContainerByItsPrefix) {
    const auto& c = GetParam();
    EXPECT_EQ(core::PatternSelects(c.pattern, c.url), c.selected)
        << (c.pattern ? "'" + *c.pattern + "'" : "null") << " "
        << std::string(c.url.begin(), c.url.end());
}

INSTANTIATE_TEST_SUITE_P(Table, PatternSelects,
                         testing::Values(PatternCase{std::nullopt, u"http://a/", true},
                                         PatternCase{std::nullopt, u"Cookie:u@a/", false},
                                         PatternCase{std::nullopt, u"Visited: u@http://a/", false},
                                         PatternCase{"", u"http://a/", true},
                                         PatternCase{"", u"ftp://a/b", true},
                                         PatternCase{"", u"cookie:u@a/", false},
                                         PatternCase{"", u"VISITED: u@http://a/", false},
                                         PatternCase{"Cookie:", u"Cookie:u@a/", true},
                                         PatternCase{"Cookie:", u"cookie:u@a/", true},
                                         PatternCase{"Cookie:", u"http://a/Cookie:", false},
                                         PatternCase{"Cookie:", u"Cookie", false},
                                         PatternCase{"Visited:", u"Visited: u@http://a/", true},
                                         PatternCase{"Visited:", u"Cookie:u@a/", false}));

TEST(WalkSelects, NeedsTheFilterToShareABitWithTheEntryType) {
    CacheEntryRecord r;
    r.sourceUrlName = u"Cookie:u@a/";
    r.entryType = core::kCookieCacheEntry;
    EXPECT_TRUE(core::WalkSelects("Cookie:", 0x7D | core::kCookieCacheEntry, r));
    EXPECT_FALSE(core::WalkSelects("Cookie:", core::kNormalCacheEntry, r));
    EXPECT_FALSE(core::WalkSelects("Cookie:", 0, r));
    EXPECT_FALSE(core::WalkSelects(std::string(), core::kCookieCacheEntry, r));
}

}  // namespace
