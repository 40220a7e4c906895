#pragma once
// The one-key cleaning page TSOneKeyCleaning: four check boxes, each running one tool's own
// handler in a fixed order when "Start" (or F8) is pressed. The handlers are handed in by the
// main window, which owns the tools.
#include <functional>

#include "services/page_context.h"
#include "ui/controls.h"
#include "ui/page.h"
#include "ui/tool_tip.h"

namespace onekey {

// The tools' handlers one-key cleaning runs, as their own buttons run them.
struct OneKeySteps {
    std::function<void()> deleteAllCookies;  // every cookie entry of the browser cache
    std::function<void()> protectPrivacy;    // the privacy page's "Clean Now!"
    std::function<void()> showMemoryPage;
    std::function<void()> optimizeMemory;  // the memory page's "Optimize"
    std::function<void()> showDiskPage;
    std::function<void()> scanJunk;       // the disk cleaner's "Scan Now"
    std::function<void()> deleteAllJunk;  // the disk cleaner's "Delete All"
};

inline constexpr char kOneKeyCaption[] = "One Key Cleaning";
inline constexpr char kOneKeyDescription[] =
    "One Key Cleanin: It predigests the daily cleaning work for  rudimental users. Just press "
    "F8, you can do all clean work and protect your privacy.";
inline constexpr char kOptionsGroup[] = "One Key Cleaning Options ";
inline constexpr char kStart[] = "Start";
inline constexpr char kCookieQuestion[] =
    "Clean all cookies could cause passwords on website will not work, continue? ";
inline constexpr char kCookiesDeleted[] = "All cookies deleted!";

struct OneKeyBox {
    const char* caption;
    const char* hint;
    int settingsKey;  // the key of the "CheckBox" section of the settings file
};
inline constexpr OneKeyBox kCleanAllCookies{
    "Clean All Cookies",
    "Delete all cookies will protect your privacy and password, but it could cause passwords "
    "on website will not work",
    95};
inline constexpr OneKeyBox kProtectUserPrivacy{
    "Protect Privacy",
    "Check this item to delete that: IE history, typed url, temporary files, windows recent "
    "history, mediaplayer history, etc.",
    96};
inline constexpr OneKeyBox kOptimizeMemory{
    "Optimize Memory", "Check this item  to optimize momory and speed up system.", 97};
inline constexpr OneKeyBox kCleanHardDisk{
    "Clean Hard disk", "Check item to scan hard drive, find out rubbish files automaticlly.", 98};

class OneKeyCleaningPage : public ui::Page {
  public:
    explicit OneKeyCleaningPage(const services::PageContext& context);

    void Create(HWND host) override;

    // Runs the checked steps in order; refused while a run is under way (the tools let
    // messages run, so "Start" or F8 can arrive from inside a run).
    void BtnStartOneKeyCleanClick();
    bool Running() const { return running_; }

    OneKeySteps steps;

    ui::Picture Image8{"Image8"};
    ui::Label Label28{"Label28"};
    ui::GroupBox GroupBox6{"GroupBox6"};
    ui::CheckBox CBCleanAllCookies{"CBCleanAllCookies"};
    ui::CheckBox CBProtectUserPrivacy{"CBProtectUserPrivacy"};
    ui::CheckBox CBOptimizeMemory{"CBOptimizeMemory"};
    ui::CheckBox CBCleanHardDisk{"CBCleanHardDisk"};
    ui::Button BtnStartOneKeyClean{"BtnStartOneKeyClean"};
    ui::ToolTip hints;

  private:
    const services::PageContext& context_;
    bool running_ = false;
};

}  // namespace onekey
