#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "disk/disk_texts.h"
#include "disk/junk_match.h"
#include "disk/junk_types.h"
#include "disk/walk_rules.h"
#include "support/shipped_data.h"

namespace {

using disk::JunkRecord;

// One record as the file holds it, built byte by byte.
std::string Record(int32_t flag, unsigned typeLength, const std::string& type,
                   unsigned descriptionLength, const std::string& description) {
    std::string r(66, '\0');
    for (int i = 0; i < 4; ++i)
        r[i] = static_cast<char>((static_cast<uint32_t>(flag) >> (8 * i)) & 0xFF);
    r[4] = static_cast<char>(typeLength);
    r.replace(5, type.size(), type);
    r[25] = static_cast<char>(descriptionLength);
    r.replace(26, description.size(), description);
    return r;
}

TEST(JunkTypeList, RecordLayout) {
    const std::string bytes =
        disk::EncodeJunkTypeList({{"*.tmp", "Temporary files", true}, {"*.log", "Logs", false}});
    EXPECT_EQ(bytes,
              Record(-1, 5, "*.tmp", 15, "Temporary files") + Record(0, 5, "*.log", 4, "Logs"));
}

TEST(JunkTypeList, RoundTripKeepsEveryField) {
    const std::vector<JunkRecord> rows = {{"*.tmp", "Temporary files", true},
                                          {"", "", false},
                                          {"*.tmp", "duplicate", true},
                                          {std::string(20, 't'), std::string(40, 'd'), false},
                                          {"caf\xE9", "\xE9t\xE9", true}};
    EXPECT_EQ(disk::DecodeJunkTypeList(disk::EncodeJunkTypeList(rows)), rows);
}

TEST(JunkTypeList, LongTextsAreCutToTheirFields) {
    const auto back = disk::DecodeJunkTypeList(
        disk::EncodeJunkTypeList({{std::string(25, 'a'), std::string(45, 'b'), true}}));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].type, std::string(20, 'a'));
    EXPECT_EQ(back[0].description, std::string(40, 'b'));
}

TEST(JunkTypeList, AnEmptyListIsAnEmptyFile) {
    EXPECT_EQ(disk::EncodeJunkTypeList({}), "");
    EXPECT_TRUE(disk::DecodeJunkTypeList("").empty());
}

struct SizeCase {
    size_t bytes;
    size_t rows;
};

class JunkTypeListSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(JunkTypeListSize, OnlyWholeRecordsCount) {
    std::string bytes = Record(-1, 5, "*.tmp", 4, "temp") + Record(0, 5, "*.bak", 4, "back");
    bytes.resize(GetParam().bytes, '\x7F');
    EXPECT_EQ(disk::DecodeJunkTypeList(bytes).size(), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(Sizes, JunkTypeListSize,
                         ::testing::Values(SizeCase{0, 0}, SizeCase{1, 0}, SizeCase{65, 0},
                                           SizeCase{66, 1}, SizeCase{67, 1}, SizeCase{131, 1},
                                           SizeCase{132, 2}, SizeCase{140, 2}));

TEST(JunkTypeList, OddFlagsAndLengthBytes) {
    const std::string bytes = Record(1, 5, "*.tmp", 4, "flag") +     // flag 1: unchecked
                              Record(0xFF, 5, "*.tmp", 4, "byte") +  // only one FF: unchecked
                              Record(-1, 21, std::string(20, 'x'), 41, std::string(40, 'y')) +
                              Record(-1, 255, "short", 200, "desc");  // the rest are zeros
    const auto rows = disk::DecodeJunkTypeList(bytes);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_FALSE(rows[0].checked);
    EXPECT_FALSE(rows[1].checked);
    EXPECT_TRUE(rows[2].checked);
    EXPECT_EQ(rows[2].type, std::string(20, 'x'));
    EXPECT_EQ(rows[2].description, std::string(40, 'y'));
    EXPECT_EQ(rows[3].type, std::string("short") + std::string(15, '\0'));
    EXPECT_EQ(rows[3].description.size(), 40u);
}

TEST(JunkTypeList, TheFieldBytesPastTheLengthAreIgnored) {
    std::string bytes = Record(-1, 3, "*.tmpGARBAGE", 2, "abXYZ");
    EXPECT_EQ(disk::DecodeJunkTypeList(bytes), (std::vector<JunkRecord>{{"*.t", "ab", true}}));
}

struct ExtensionCase {
    const char* text;
    const char* extension;
};

class ExtensionOfText : public ::testing::TestWithParam<ExtensionCase> {};

TEST_P(ExtensionOfText, FromTheLastDot) {
    const std::string text = GetParam().text;
    EXPECT_EQ(disk::ExtensionOf(std::string_view(text)), GetParam().extension);
    // The wide form the walk uses agrees for ASCII.
    const std::wstring wide(text.begin(), text.end());
    const std::string back(std::string(GetParam().extension));
    EXPECT_EQ(disk::ExtensionOf(std::wstring_view(wide)), std::wstring(back.begin(), back.end()));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ExtensionOfText,
    ::testing::Values(ExtensionCase{"*.tmp", ".tmp"}, ExtensionCase{"~*.tmp", ".tmp"},
                      ExtensionCase{"x.TMP", ".TMP"}, ExtensionCase{"*.*", ".*"},
                      ExtensionCase{"Thumbs", ""}, ExtensionCase{".tmp", ".tmp"},
                      ExtensionCase{"a.b.c", ".c"}, ExtensionCase{"name.", "."},
                      ExtensionCase{"C:\\dir.x\\file", ""}, ExtensionCase{"C:\\dir\\f.tmp", ".tmp"},
                      ExtensionCase{"a.b:c", ""}, ExtensionCase{"", ""}));

TEST(SameExtension, FoldsOnlyTheLettersAToZ) {
    using SV = std::string_view;
    using WV = std::wstring_view;
    EXPECT_TRUE(disk::SameExtension(SV(".tmp"), SV(".TMP")));
    EXPECT_TRUE(disk::SameExtension(WV(L".Tmp"), WV(L".tMP")));
    EXPECT_TRUE(disk::SameExtension(WV(L""), WV(L"")));
    EXPECT_FALSE(disk::SameExtension(SV(".tmp"), SV(".tmpx")));
    EXPECT_FALSE(disk::SameExtension(SV(".*"), SV(".tmp")));
    // E with acute, U+00C9 / U+00E9: not folded.
    EXPECT_TRUE(disk::SameExtension(WV(L".\u00C9x"), WV(L".\u00C9X")));
    EXPECT_FALSE(disk::SameExtension(WV(L".\u00C9x"), WV(L".\u00E9x")));
    // '@' and '`' sit beside the letters and must not fold into them.
    EXPECT_FALSE(disk::SameExtension(SV(".@"), SV(".`")));
}

TEST(KindOfEntry, ReparsePointsAreNeverEntered) {
    using disk::EntryKind;
    EXPECT_EQ(disk::KindOfEntry(0x20), EntryKind::File);                // archive
    EXPECT_EQ(disk::KindOfEntry(0x01 | 0x02 | 0x04), EntryKind::File);  // r/o hidden system
    EXPECT_EQ(disk::KindOfEntry(0x400 | 0x20), EntryKind::File);        // file symlink
    EXPECT_EQ(disk::KindOfEntry(0x10), EntryKind::Folder);
    EXPECT_EQ(disk::KindOfEntry(0x10 | 0x02 | 0x04), EntryKind::Folder);  // hidden system
    EXPECT_EQ(disk::KindOfEntry(0x10 | 0x400), EntryKind::Passed);        // junction, link
    EXPECT_EQ(disk::KindOfEntry(0x10 | 0x400 | 0x02 | 0x04), EntryKind::Passed);
}

struct DriveCase {
    int64_t total, free;
    const char* separator;
    disk::DriveFigures figures;
};

class DriveFiguresOf : public ::testing::TestWithParam<DriveCase> {};

TEST_P(DriveFiguresOf, FourColumns) {
    const auto& c = GetParam();
    const disk::DriveFigures f = disk::DriveFiguresOf(c.total, c.free, c.separator);
    EXPECT_EQ(f.capacity, c.figures.capacity);
    EXPECT_EQ(f.used, c.figures.used);
    EXPECT_EQ(f.free, c.figures.free);
    EXPECT_EQ(f.usedPercent, c.figures.usedPercent);
}

constexpr int64_t kGiB = 1073741824;

INSTANTIATE_TEST_SUITE_P(
    Drives, DriveFiguresOf,
    ::testing::Values(
        DriveCase{kGiB, kGiB / 2, ".", {" 1.00 GB", " 0.50 GB", " 0.50 GB", "50 %"}},
        DriveCase{kGiB, kGiB / 2, ",", {" 1,00 GB", " 0,50 GB", " 0,50 GB", "50 %"}},
        // 99.9 per cent full shows 99.
        DriveCase{1000 * kGiB, kGiB, ".", {"1000.00 GB", "999.00 GB", " 1.00 GB", "99 %"}},
        DriveCase{80026361856, 59999999999, ".", {"74.53 GB", "18.65 GB", "55.88 GB", "25 %"}},
        DriveCase{10485760000, 10485760000, ".", {" 9.77 GB", " 0.00 GB", " 9.77 GB", "0 %"}},
        // A drive that did not answer: -1 for both.
        DriveCase{-1, -1, ".", {"-0.00 GB", " 0.00 GB", "-0.00 GB", "0 %"}},
        DriveCase{0, 0, ".", {" 0.00 GB", " 0.00 GB", " 0.00 GB", "0 %"}}));

TEST(ScanTexts, CountsBytesAndMegabytes) {
    EXPECT_EQ(disk::JunkCountText(1), "1  Junk Files");
    EXPECT_EQ(disk::JunkCountText(12345), "12345  Junk Files");
    EXPECT_EQ(disk::JunkBytesText(4096, "."), "      4096 Bytes");
    EXPECT_EQ(disk::JunkBytesText(3000000000.0, "."), "3000000000 Bytes");
    EXPECT_EQ(disk::JunkMegabytesText(0, "."), "   0.000 MB");
    EXPECT_EQ(disk::JunkMegabytesText(1500000, ","), "   1,500 MB");
    EXPECT_EQ(disk::JunkMegabytesText(3000004096.0, "."), "3000.004 MB");
}

// The list shipped beside the program: types that only ever hold throw-away data are checked;
// types that may hold something the user wants are offered unchecked.
TEST(DefaultJunkList, ShipsSafeTypesCheckedAndDoubtfulOnesUnchecked) {
    const auto& shipped = testing_support::ShippedData();
    const auto file = shipped.find("DefaultJunk.lst");
    ASSERT_NE(file, shipped.end());
    ASSERT_EQ(file->second.size() % disk::kJunkRecordSize, 0u);
    const auto rows = disk::DecodeJunkTypeList(file->second);
    std::map<std::string, bool> checked;
    for (const auto& r : rows) {
        EXPECT_FALSE(r.description.empty()) << r.type;
        EXPECT_TRUE(checked.emplace(r.type, r.checked).second) << "twice: " << r.type;
        // No type may select files by a bare name: "Thumbs.db" would select every .db file.
        EXPECT_EQ(r.type.substr(0, 2), "*.") << r.type;
    }
    for (const char* safe : {"*.tmp", "*.temp", "*._mp", "*.$$$", "*.gid", "*.fts", "*.ftg"})
        EXPECT_TRUE(checked.count(safe) && checked[safe]) << safe;
    for (const char* doubtful : {"*.chk", "*.dmp", "*.log", "*.bak", "*.old", "*.wbk"})
        EXPECT_TRUE(checked.count(doubtful) && !checked[doubtful]) << doubtful;
    EXPECT_EQ(checked.size(), 13u);
}

}  // namespace

namespace {

TEST(JunkExtensionTable, CountsEveryCheckedTypeThatGivesTheExtension) {
    disk::JunkExtensionTable table;
    EXPECT_TRUE(table.Empty());
    EXPECT_EQ(table.Matches(L"a.tmp"), 0);
    for (const wchar_t* type : {L"*.tmp", L"~*.TMP", L"*.log", L"noext", L"*.*"})
        table.Add(type);
    const std::pair<const wchar_t*, int> cases[] = {
        {L"a.tmp", 2},  // two types give ".tmp": the file is listed twice
        {L"B.TmP", 2},  // A to Z fold
        {L"x.log", 1},       {L"x.log.bak", 0}, {L"Thumbs", 1},  // no extension, like "noext"
        {L"x.*", 1},  // "*.*" selects only a name that ends in ".*"
        {L"x.t\u00e9mp", 0}, {L"x.tmpx", 0},    {L"dir.tmp\\file", 1},
    };
    for (auto [name, count] : cases)
        EXPECT_EQ(table.Matches(name), count) << name;
    table.Clear();
    EXPECT_TRUE(table.Empty());
    EXPECT_EQ(table.Matches(L"a.tmp"), 0);
}

TEST(JunkExtensionTable, FoldsOnlyTheLettersAToZ) {
    disk::JunkExtensionTable table;
    table.Add(L"*.\u00e9");
    EXPECT_EQ(table.Matches(L"x.\u00e9"), 1);
    EXPECT_EQ(table.Matches(L"x.\u00c9"), 0);  // other letters must match exactly
}

}  // namespace
