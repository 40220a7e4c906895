// The BIOS reader: texts at fixed addresses, the three read methods and the DOS program's
// working folder, on images the tests build, on a real BIOS image and against Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/handles.h"
#include "platform/text.h"
#include "support/bios_fakes.h"
#include "support/temp_folder.h"
#include "sysinfo/bios_help.h"
#include "sysinfo/bios_image.h"

namespace {

using platform::SectionRead;
using sysinfo::BiosImage;
using testing_support::FakeBiosSource;
using testing_support::TempFolder;

BiosImage ImageWith(const std::vector<std::pair<uint32_t, std::string>>& texts) {
    BiosImage image{};
    for (const auto& [address, text] : texts)
        std::memcpy(image.data() + (address - 0xF0000), text.data(), text.size());
    return image;
}

std::string Bytes(const BiosImage& image) {
    return std::string(reinterpret_cast<const char*>(image.data()), image.size());
}

// Distinct texts at the five addresses the getters read.
const BiosImage& FiveTextImage() {
    static const BiosImage image = ImageWith({{0xFE0C1, std::string("Award Modular BIOS\0x", 20)},
                                              {0xFE091, "Copyright (C) 1984-99"},
                                              {0xFE061, "v4.51PG"},
                                              {0xFFFF5, "06/23/99"},
                                              {0xFEC71, "2A69KG0C"}});
    return image;
}

TEST(BiosGetters, EachReadsItsAddress) {
    FakeBiosSource source;
    source.sectionResult = SectionRead::Copied;
    source.sectionArea = Bytes(FiveTextImage());
    EXPECT_EQ("Award Modular BIOS", sysinfo::BiosNameText(source));
    EXPECT_EQ("Copyright (C) 1984-99", sysinfo::BiosCopyrightText(source));
    EXPECT_EQ("v4.51PG", sysinfo::BiosVersionText(source));
    EXPECT_EQ("06/23/99", sysinfo::BiosDateText(source));
    EXPECT_EQ("2A69KG0C", sysinfo::BiosIDText(source));
    EXPECT_EQ(5u, source.sectionReads) << "each getter reads the area anew";
}

TEST(BiosGetters, OneReadGivesTheSameFiveTexts) {
    FakeBiosSource source;
    source.sectionResult = SectionRead::Copied;
    source.sectionArea = Bytes(FiveTextImage());
    const sysinfo::BiosTexts t = sysinfo::ReadBiosTexts(source);
    EXPECT_EQ(1u, source.sectionReads);
    EXPECT_EQ(sysinfo::BiosNameText(source), t.name);
    EXPECT_EQ(sysinfo::BiosCopyrightText(source), t.copyright);
    EXPECT_EQ(sysinfo::BiosVersionText(source), t.version);
    EXPECT_EQ(sysinfo::BiosDateText(source), t.date);
    EXPECT_EQ(sysinfo::BiosIDText(source), t.id);
}

TEST(BiosGetters, FailureTextWhenTheAreaCannotBeRead) {
    FakeBiosSource source;
    source.sectionResult = SectionRead::Refused;
    for (const auto& text : {sysinfo::BiosNameText(source), sysinfo::BiosCopyrightText(source),
                             sysinfo::BiosVersionText(source), sysinfo::BiosDateText(source),
                             sysinfo::BiosIDText(source)})
        EXPECT_EQ("sadgf00net", text);
    const auto t = sysinfo::ReadBiosTexts(source);
    for (const auto& text : {t.name, t.copyright, t.version, t.date, t.id})
        EXPECT_EQ("sadgf00net", text);
}

// The last 64 KiB of a real BIOS image are its F0000h segment.
std::optional<std::string> SeabiosSegment() {
    // The host's file, reached through Wine's path for host files (no drive maps the host).
    const auto bios = platform::ReadWholeFile("\\\\?\\unix\\usr\\share\\seabios\\bios.bin");
    if (!bios || bios->size() < sysinfo::kBiosImageSize) return std::nullopt;
    return bios->substr(bios->size() - sysinfo::kBiosImageSize);
}

TEST(BiosRealImage, TextsOfSeabiosAtTheFiveAddresses) {
    const auto segment = SeabiosSegment();
    if (!segment)
        GTEST_SKIP() << "/usr/share/seabios/bios.bin is not installed (Debian package seabios; "
                        "tools/bootstrap installs it)";
    FakeBiosSource source;
    source.sectionResult = SectionRead::Copied;
    source.sectionArea = *segment;
    // SeaBIOS keeps the compatible date, eight characters and a NUL, at FFFF5h.
    EXPECT_EQ("06/23/99", sysinfo::BiosDateText(source));
    const std::pair<uint32_t, std::string> texts[] = {{0xFE0C1, sysinfo::BiosNameText(source)},
                                                      {0xFE091, sysinfo::BiosCopyrightText(source)},
                                                      {0xFE061, sysinfo::BiosVersionText(source)},
                                                      {0xFFFF5, sysinfo::BiosDateText(source)},
                                                      {0xFEC71, sysinfo::BiosIDText(source)}};
    for (const auto& [address, text] : texts) {
        const size_t offset = address - 0xF0000;
        EXPECT_EQ(0, segment->compare(offset, text.size(), text)) << std::hex << address;
        EXPECT_EQ(std::string::npos, text.find('\0'));
        ASSERT_LT(offset + text.size(), segment->size());
        EXPECT_EQ('\0', (*segment)[offset + text.size()]) << "the text ends at the first NUL";
    }
}

TEST(BiosRealImage, SameTextsThroughTheDosDump) {
    const auto segment = SeabiosSegment();
    if (!segment) GTEST_SKIP() << "/usr/share/seabios/bios.bin is not installed";
    TempFolder temp;
    FakeBiosSource viaDos;
    viaDos.sectionResult = SectionRead::AccessDenied;
    viaDos.tempFolder = temp.Path();
    viaDos.dumpOutput = *segment;
    FakeBiosSource viaSection;
    viaSection.sectionResult = SectionRead::Copied;
    viaSection.sectionArea = *segment;
    const auto a = sysinfo::ReadBiosTexts(viaDos), b = sysinfo::ReadBiosTexts(viaSection);
    EXPECT_EQ(b.name, a.name);
    EXPECT_EQ(b.copyright, a.copyright);
    EXPECT_EQ(b.version, a.version);
    EXPECT_EQ("06/23/99", a.date);
    EXPECT_EQ(b.id, a.id);
}

// ---- the read methods ----

TEST(LoadBiosImage, AutomaticUsesTheDirectCopyOnThe95Family) {
    FakeBiosSource source;
    source.is95Family = true;
    source.linearArea = Bytes(FiveTextImage());
    BiosImage image;
    image.fill(std::byte{0xCC});
    ASSERT_TRUE(sysinfo::LoadBiosImage(source, image, 0, platform::kNoTimeLimit));
    EXPECT_EQ(FiveTextImage(), image);
    EXPECT_EQ(1u, source.linearReads);
    EXPECT_EQ(0u, source.sectionReads);
}

TEST(LoadBiosImage, AFaultingDirectCopyDoesNotFallBack) {
    FakeBiosSource source;
    source.is95Family = true;
    source.linearArea = std::nullopt;
    BiosImage image;
    EXPECT_FALSE(sysinfo::LoadBiosImage(source, image, 0, platform::kNoTimeLimit));
    EXPECT_TRUE(source.runs.empty());
    EXPECT_EQ(0u, source.sectionReads);
}

TEST(LoadBiosImage, AutomaticUsesTheSectionOnTheNtFamily) {
    FakeBiosSource source;
    source.sectionResult = SectionRead::Copied;
    source.sectionArea = Bytes(FiveTextImage());
    BiosImage image;
    ASSERT_TRUE(sysinfo::LoadBiosImage(source, image, 0, platform::kNoTimeLimit));
    EXPECT_EQ(FiveTextImage(), image);
    EXPECT_EQ(0u, source.linearReads);
}

TEST(LoadBiosImage, AccessDeniedLeadsToTheDosMethodWithTheSameTimeOut) {
    TempFolder temp;
    FakeBiosSource source;
    source.sectionResult = SectionRead::AccessDenied;
    source.tempFolder = temp.Path();
    source.dumpOutput = Bytes(FiveTextImage());
    BiosImage image;
    ASSERT_TRUE(sysinfo::LoadBiosImage(source, image, 0, 1234));
    EXPECT_EQ(FiveTextImage(), image);
    ASSERT_EQ(1u, source.runs.size());
    EXPECT_EQ(1234u, source.runs[0].timeoutMs);
}

TEST(LoadBiosImage, AnyOtherRefusalFailsWithoutTheDosMethod) {
    for (const auto result :
         {SectionRead::Refused, SectionRead::NotAvailable, SectionRead::MapFailed}) {
        TempFolder temp;
        FakeBiosSource source;
        source.sectionResult = result;
        source.tempFolder = temp.Path();
        source.dumpOutput = Bytes(FiveTextImage());
        BiosImage image;
        EXPECT_FALSE(sysinfo::LoadBiosImage(source, image, 0, platform::kNoTimeLimit));
        EXPECT_TRUE(source.runs.empty()) << static_cast<int>(result);
        EXPECT_EQ("sadgf00net", sysinfo::BiosNameText(source));
    }
}

TEST(LoadBiosImage, MethodNumbersChooseTheMethod) {
    TempFolder temp;
    FakeBiosSource source;
    source.is95Family = true;  // the automatic choice would be the direct copy
    source.linearArea = std::string(0x10000, 'L');
    source.sectionResult = SectionRead::Copied;
    source.sectionArea = std::string(0x10000, 'S');
    source.tempFolder = temp.Path();
    source.dumpOutput = std::string(0x10000, 'D');
    const std::pair<int, char> methods[] = {{1, 'D'}, {2, 'L'}, {3, 'S'}, {0, 'L'}};
    for (const auto& [method, fill] : methods) {
        BiosImage image;
        ASSERT_TRUE(sysinfo::LoadBiosImage(source, image, method, 100)) << method;
        EXPECT_EQ(std::string(0x10000, fill), Bytes(image)) << method;
    }
    EXPECT_TRUE(source.lastErrors.empty());
}

TEST(LoadBiosImage, UnknownMethodSetsInvalidParameter) {
    for (const int method : {4, -1, 100}) {
        FakeBiosSource source;
        source.linearArea = std::string(0x10000, 'L');
        BiosImage image;
        EXPECT_FALSE(sysinfo::LoadBiosImage(source, image, method, 100));
        EXPECT_EQ(std::vector<uint32_t>{87}, source.lastErrors) << method;
        EXPECT_EQ(0u, source.linearReads + source.sectionReads);
        EXPECT_TRUE(source.runs.empty());
    }
}

// ---- the DOS method's working folder ----

std::string ProgramBytes() {
    const auto p = sysinfo::BiosDumpProgram();
    return std::string(reinterpret_cast<const char*>(p.data()), p.size());
}

TEST(DumpBiosImageViaDos, TakesTheFirstFreeNumberAndRemovesOnlyItsOwnFolder) {
    TempFolder temp;
    temp.Write("~RomDmp1\\keep.txt", "one");
    temp.MakeFolder("~RomDmp2");
    FakeBiosSource source;
    source.tempFolder = temp.Path() + "\\";
    source.dumpOutput = Bytes(FiveTextImage());
    BiosImage image;
    ASSERT_TRUE(sysinfo::DumpBiosImageViaDos(source, image, 5000));
    EXPECT_EQ(FiveTextImage(), image);
    ASSERT_EQ(1u, source.runs.size());
    const auto& run = source.runs[0];
    EXPECT_EQ(temp.File("~RomDmp3\\RomDump.com"), run.program);
    EXPECT_EQ(temp.File("~RomDmp3\\Rom.dmp"), run.output);
    EXPECT_EQ(ProgramBytes(), run.programBytes.value_or("(missing)"));
    EXPECT_EQ(5000u, run.timeoutMs);

    EXPECT_FALSE(platform::DirectoryExists(temp.File("~RomDmp3")));
    EXPECT_EQ("one", temp.Read("~RomDmp1\\keep.txt"));
    EXPECT_TRUE(platform::DirectoryExists(temp.File("~RomDmp2")));
}

TEST(DumpBiosImageViaDos, AddsTheSeparatorTheTemporaryFolderLacks) {
    TempFolder temp;
    FakeBiosSource source;
    source.tempFolder = temp.Path();  // no trailing backslash
    source.dumpOutput = Bytes(FiveTextImage());
    BiosImage image;
    ASSERT_TRUE(sysinfo::DumpBiosImageViaDos(source, image, 5000));
    ASSERT_EQ(1u, source.runs.size());
    EXPECT_EQ(temp.File("~RomDmp1\\RomDump.com"), source.runs[0].program);
    EXPECT_FALSE(platform::DirectoryExists(temp.File("~RomDmp1")));
}

struct DumpOutcomeCase {
    const char* what;
    std::optional<size_t> outputSize;  // nullopt: no output file
    bool endsInTime;
    bool expected;
};

class DumpOutcome : public testing::TestWithParam<DumpOutcomeCase> {};

TEST_P(DumpOutcome, OnlyAFull64KiBCountsAndTheFolderGoesEitherWay) {
    const auto& c = GetParam();
    TempFolder temp;
    FakeBiosSource source;
    source.tempFolder = temp.Path();
    if (c.outputSize) source.dumpOutput = std::string(*c.outputSize, 'x');
    source.dumpEndsInTime = c.endsInTime;
    BiosImage image;
    image.fill(std::byte{0xCC});
    EXPECT_EQ(c.expected, sysinfo::DumpBiosImageViaDos(source, image, 300)) << c.what;
    EXPECT_FALSE(platform::DirectoryExists(temp.File("~RomDmp1"))) << c.what;
    if (c.expected) {
        EXPECT_EQ(std::byte{'x'}, image[0]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, DumpOutcome,
    testing::Values(DumpOutcomeCase{"exactly 64 KiB", 0x10000, true, true},
                    DumpOutcomeCase{"one byte short", 0xFFFF, true, false},
                    DumpOutcomeCase{"empty", 0, true, false},
                    DumpOutcomeCase{"longer: its first 64 KiB", 0x10001, true, true},
                    DumpOutcomeCase{"no output file", std::nullopt, true, false},
                    DumpOutcomeCase{"the wait ran out", 0x10000, false, false}));

TEST(DumpBiosImageViaDos, AShortDumpGivesTheFailureTextInEveryGetter) {
    TempFolder temp;
    FakeBiosSource source;
    source.sectionResult = SectionRead::AccessDenied;
    source.tempFolder = temp.Path();
    source.dumpOutput = Bytes(FiveTextImage()).substr(0, 0xFFFF);
    for (const auto& text : {sysinfo::BiosNameText(source), sysinfo::BiosCopyrightText(source),
                             sysinfo::BiosVersionText(source), sysinfo::BiosDateText(source),
                             sysinfo::BiosIDText(source)})
        EXPECT_EQ("sadgf00net", text);
    ASSERT_EQ(5u, source.runs.size()) << "each getter runs the program";
    for (const auto& run : source.runs) {
        EXPECT_EQ(temp.File("~RomDmp1\\RomDump.com"), run.program) << "the folder was removed";
        EXPECT_EQ(sysinfo::kBiosDumpTimeoutMs, run.timeoutMs) << "the getters bound the wait";
    }
    EXPECT_FALSE(platform::DirectoryExists(temp.File("~RomDmp1")));
}

TEST(DumpBiosImageViaDos, FailsBeforeRunningWithoutAUsableTemporaryFolder) {
    TempFolder temp;
    for (const std::string& folder : {std::string(), temp.File("missing\\deeper")}) {
        FakeBiosSource source;
        source.tempFolder = folder;
        source.dumpOutput = Bytes(FiveTextImage());
        BiosImage image;
        EXPECT_FALSE(sysinfo::DumpBiosImageViaDos(source, image, 300)) << folder;
        EXPECT_TRUE(source.runs.empty()) << folder;
    }
}

TEST(WriteBiosDumpProgram, WritesThe46BytesOrNothing) {
    TempFolder temp;
    const std::string path = temp.File("RomDump.com");
    temp.Write("RomDump.com", std::string(100, 'o'));  // replaced, not appended to
    ASSERT_TRUE(sysinfo::WriteBiosDumpProgram(path));
    EXPECT_EQ(46u, ProgramBytes().size());
    EXPECT_EQ(ProgramBytes(), temp.Read("RomDump.com"));

    EXPECT_FALSE(sysinfo::WriteBiosDumpProgram(temp.File("missing\\RomDump.com")));
    // A file held open without sharing cannot be replaced.
    const std::string held = temp.Write("held.com", "held");
    {
        const platform::UniqueHandle lock =
            platform::AdoptFile(CreateFileW(platform::Widen(held).c_str(), GENERIC_READ, 0, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(lock);
        EXPECT_FALSE(sysinfo::WriteBiosDumpProgram(held));
    }
    EXPECT_EQ("held", temp.Read("held.com"));
}

TEST(IsExistingFolder, FoldersOnly) {
    TempFolder temp;
    EXPECT_TRUE(sysinfo::IsExistingFolder(temp.Path()));
    EXPECT_TRUE(sysinfo::IsExistingFolder(temp.MakeFolder("sub")));
    EXPECT_FALSE(sysinfo::IsExistingFolder(temp.Write("file", "x")));
    EXPECT_FALSE(sysinfo::IsExistingFolder(temp.File("missing")));
    EXPECT_FALSE(sysinfo::IsExistingFolder(""));
}

}  // namespace
