#include <gtest/gtest.h>

#include "platform/locale_format.h"
#include "support/main_window_fixture.h"
#include "ui/message_pump.h"

namespace {

using testing_support::MainWindowTest;

TEST(ReportAppendText, PutsTheLineBreakWhereTheLineStandsOnItsOwn) {
    EXPECT_EQ(services::ReportAppendText(true, "14:05:09", "x deleted!"),
              "14:05:09    x deleted!\r\n");
    EXPECT_EQ(services::ReportAppendText(false, "14:05:09", "x deleted!"),
              "\r\n14:05:09    x deleted!");
}

TEST(LongTimeText, UsesTheLocalesLongTimeFormat) {
    // Wine's default locale is English (United States) unless LC_ALL says otherwise.
    const std::string text = platform::LongTimeText({2026, 12, 10, 4, 14, 5, 9, 0});
    EXPECT_TRUE(text == "2:05:09 PM" || text == "14:05:09") << text;
    const std::string morning = platform::LongTimeText({2026, 12, 10, 4, 9, 7, 3, 0});
    EXPECT_TRUE(morning == "9:07:03 AM" || morning == "09:07:03" || morning == "9:07:03")
        << morning;
}

class ReportTest : public MainWindowTest {
  protected:
    void SetUp() override { MakeWindow(); }
    app::ReportPage& Page() { return Frame().TSReport; }
    std::string Stamp() { return platform::LongTimeText(clock.now); }
};

TEST_F(ReportTest, LinesAreStampedAndEachEndsWithALineBreak) {
    auto& r = Frame().report();
    r.AddReportLine("first");
    clock.now.second = 10;
    const std::string second = Stamp();
    r.AddReportLine("second");
    clock.now.second = 9;
    EXPECT_EQ(r.Text(), Stamp() + "    first\r\n" + second + "    second\r\n");
}

TEST_F(ReportTest, ALineAfterTypedTextStartsOnItsOwnLine) {
    Page().MMReport.SetText("typed by the user");
    Frame().report().AddReportLine("after");
    EXPECT_EQ(Frame().report().Text(), "typed by the user\r\n" + Stamp() + "    after");
    Frame().report().AddReportLine("next");
    EXPECT_EQ(Frame().report().Text(),
              "typed by the user\r\n" + Stamp() + "    after\r\n" + Stamp() + "    next");
}

TEST_F(ReportTest, AMessageEndingInALineBreakLeavesAnEmptyLine) {
    const std::string separator = std::string(58, '=') + "\r\n";
    Frame().report().AddReportLine(separator);
    Frame().report().AddReportLine("then");
    EXPECT_EQ(Frame().report().Text(),
              Stamp() + "    " + separator + "\r\n" + Stamp() + "    then\r\n");
}

TEST_F(ReportTest, ALongWrappedLineStillCountsAsUnbroken) {
    // Word wrap splits this over several screen lines; the next report line must still get
    // its own line break in front of it.
    Page().MMReport.SetText(std::string(2000, 'w'));
    Frame().report().AddReportLine("x");
    EXPECT_EQ(Frame().report().Text(), std::string(2000, 'w') + "\r\n" + Stamp() + "    x");
}

TEST_F(ReportTest, ClearEmptiesAtOnceAndTheNextLineStartsAgain) {
    Frame().report().AddReportLine("gone");
    Page().BtnTsReportClear.Click();
    EXPECT_EQ(Frame().report().Text(), "");
    Frame().report().AddReportLine("new");
    EXPECT_EQ(Frame().report().Text(), Stamp() + "    new\r\n");
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ReportTest, TheMemoShowsEveryLineOnceItsPageIsShownAndMessagesArePumped) {
    Frame().FirstShow();
    Frame().report().AddReportLine("while hidden");
    Frame().ShowPage(Page());
    EXPECT_EQ(Page().MMReport.Text(), Stamp() + "    while hidden\r\n");
    Frame().report().AddReportLine("while shown");
    Frame().report().AddReportLine("and after it");
    ui::PumpMessages();
    EXPECT_EQ(Page().MMReport.Text(), Stamp() + "    while hidden\r\n" + Stamp() +
                                          "    while shown\r\n" + Stamp() + "    and after it\r\n");
}

TEST_F(ReportTest, SaveAsksForATextFileAndReplacesIt) {
    Frame().report().AddReportLine("saved");
    const std::string target = folder.Write("report.txt", "old contents that are longer");
    prompts.fileAnswers.push_back(std::vector<std::string>{target});
    Page().BtnTsReportSave.Click();
    ASSERT_EQ(prompts.fileDialogs.size(), 1u);
    EXPECT_EQ(prompts.fileDialogs[0].defaultExtension, "txt");
    EXPECT_EQ(prompts.fileDialogs[0].filter, "Text file(*.txt)|*.txt");
    EXPECT_EQ(folder.Read("report.txt"), Frame().report().Text());
    // The dialog keeps the name for its next use.
    EXPECT_EQ(Frame().SaveDialog.fileName, target);
    Page().BtnTsReportSave.Click();
    EXPECT_EQ(prompts.fileDialogs[1].fileName, target);
}

TEST_F(ReportTest, SaveCancelledWritesNothing) {
    Frame().report().AddReportLine("kept");
    Page().BtnTsReportSave.Click();  // no answer queued: cancelled
    EXPECT_EQ(prompts.fileDialogs.size(), 1u);
    EXPECT_EQ(ErrorLogText(), "<missing>");
}

TEST_F(ReportTest, SaveToAnUnwritableFileIsLoggedAndTheReportStays) {
    Frame().report().AddReportLine("kept");
    const std::string before = Frame().report().Text();
    folder.Write("blocker", "");
    prompts.fileAnswers.push_back(std::vector<std::string>{folder.File("blocker\\r.txt")});
    Page().BtnTsReportSave.Click();
    EXPECT_EQ(Frame().report().Text(), before);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_NE(ErrorLogText().find(":   BtnTsReportSave     Cannot create file"), std::string::npos)
        << ErrorLogText();
}

TEST_F(ReportTest, ClosingRightAfterClearWritesAnEmptyFile) {
    Frame().report().AddReportLine("gone");
    Page().BtnTsReportClear.Click();
    CloseWindow();
    EXPECT_EQ(folder.Read("Last.VELLog"), "");
}

TEST_F(ReportTest, NonAsciiTextIsSavedAsUtf8) {
    Frame().report().AddReportLine("C:\\Temp\\\xC3\xA9t\xC3\xA9.tmp deleted!");
    CloseWindow();
    EXPECT_NE(folder.Read("Last.VELLog").find("\xC3\xA9t\xC3\xA9.tmp deleted!"), std::string::npos);
}

}  // namespace
