#include <gtest/gtest.h>

#include "services/error_log.h"
#include "platform/files.h"
#include "platform/handles.h"
#include "platform/locale_format.h"
#include "platform/text.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "ui/controls.h"
#include "ui/dispatch.h"

namespace {

using testing_support::FakeClock;
using testing_support::TempFolder;

TEST(ErrorLogRecord, ControlAndPlainForms) {
    const std::string name = "BtnScanJunkNow";
    EXPECT_EQ(services::ErrorLogRecord("12/10/2026 2:05:09 PM", &name, "Access denied"),
              "12/10/2026 2:05:09 PM:   BtnScanJunkNow     Access denied\r\n  \r\n");
    EXPECT_EQ(services::ErrorLogRecord("12/10/2026 2:05:09 PM", nullptr, "Access denied"),
              "12/10/2026 2:05:09 PM:   Access denied\r\n  \r\n");
    const std::string empty;
    EXPECT_EQ(services::ErrorLogRecord("d t", &empty, "m"), "d t:        m\r\n  \r\n");
}

TEST(ErrorLogDateTime, MidnightShowsTheDateAlone) {
    EXPECT_EQ(
        services::ErrorLogDateTime("12/10/2026", "12:00:00 AM", {2026, 12, 10, 4, 0, 0, 0, 0}),
        "12/10/2026");
    EXPECT_EQ(
        services::ErrorLogDateTime("12/10/2026", "12:00:01 AM", {2026, 12, 10, 4, 0, 0, 1, 0}),
        "12/10/2026 12:00:01 AM");
    EXPECT_EQ(
        services::ErrorLogDateTime("12/10/2026", "12:00:00 AM", {2026, 12, 10, 4, 0, 0, 0, 5}),
        "12/10/2026 12:00:00 AM");
}

class ErrorLogTest : public ::testing::Test {
  protected:
    TempFolder folder;
    FakeClock clock;
    services::ErrorLog log{folder.Path(), clock};
    std::string DateTime() {
        return platform::ShortDateText(clock.now) + " " + platform::LongTimeText(clock.now);
    }
};

TEST_F(ErrorLogTest, FirstErrorCreatesTheFileAndLaterOnesAppend) {
    log.WriteErrorLog(nullptr, "one");
    EXPECT_EQ(folder.Read("Error.log"), DateTime() + ":   one\r\n  \r\n");
    ui::Component timer("Timer1");  // a component without a window is not a control
    log.WriteErrorLog(&timer, "two");
    EXPECT_EQ(folder.Read("Error.log"),
              DateTime() + ":   one\r\n  \r\n" + DateTime() + ":   two\r\n  \r\n");
}

TEST_F(ErrorLogTest, AControlSenderIsNamed) {
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    ui::Button button("BtnDeleteAllJunk");
    button.Create(parent, "Delete All", {0, 0, 10, 10});
    log.WriteErrorLog(&button, "Access denied");
    EXPECT_EQ(folder.Read("Error.log"),
              DateTime() + ":   BtnDeleteAllJunk     Access denied\r\n  \r\n");
    DestroyWindow(parent);
}

TEST_F(ErrorLogTest, ALockedLogFallsBackToTheTemporaryFolder) {
    DeleteFileW(platform::Widen(services::ErrorLog::FallbackPath()).c_str());
    {
        platform::UniqueHandle lock = platform::AdoptFile(
            CreateFileW(platform::Widen(log.Path()).c_str(), GENERIC_WRITE, 0, nullptr,
                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(lock);
        log.WriteErrorLog(nullptr, "while locked");
    }
    EXPECT_EQ(folder.Read("Error.log"), "");
    EXPECT_EQ(platform::ReadWholeFile(services::ErrorLog::FallbackPath()).value_or(""),
              DateTime() + ":   while locked\r\n  \r\n");
    DeleteFileW(platform::Widen(services::ErrorLog::FallbackPath()).c_str());
}

TEST(ErrorLogUnwritable, NeitherLocationWritableDropsTheRecordQuietly) {
    FakeClock clock;
    // A folder that is a path through a file, and so can never hold the log.
    TempFolder folder;
    folder.Write("file", "");
    services::ErrorLog log(folder.File("file\\sub"), clock);
    EXPECT_NO_THROW(log.WriteErrorLog(nullptr, "lost"));
}

TEST(Dispatch, AnEscapingErrorGoesToTheHandlerWithItsSender) {
    std::vector<std::pair<const ui::Component*, std::string>> seen;
    ui::SetExceptionHandler([&](const ui::Component* sender, const std::string& message) {
        seen.push_back({sender, message});
    });
    ui::Component sender("Sender");
    bool after = false;
    EXPECT_FALSE(ui::Dispatch(&sender, [&] {
        throw std::runtime_error("boom");
        after = true;
    }));
    EXPECT_FALSE(after);
    EXPECT_TRUE(ui::Dispatch(&sender, [] {}));
    EXPECT_FALSE(ui::Dispatch(nullptr, [] { throw ui::Abort{}; }));  // silent: not reported
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].first, &sender);
    EXPECT_EQ(seen[0].second, "boom");
    ui::SetExceptionHandler(nullptr);
}

TEST(Dispatch, AFailingHandlerOfTheLogDoesNotEscape) {
    ui::SetExceptionHandler(
        [](const ui::Component*, const std::string&) { throw std::runtime_error("log failed"); });
    EXPECT_NO_THROW(ui::Dispatch(nullptr, [] { throw std::runtime_error("x"); }));
    ui::SetExceptionHandler(nullptr);
}

}  // namespace
