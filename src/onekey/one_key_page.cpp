#include "onekey/one_key_page.h"

#include "core/scope_exit.h"

namespace onekey {
namespace {

void Run(const std::function<void()>& step) {
    if (step) step();
}

}  // namespace

OneKeyCleaningPage::OneKeyCleaningPage(const services::PageContext& context)
    : Page("TSOneKeyCleaning", kOneKeyCaption), context_(context) {}

void OneKeyCleaningPage::Create(HWND host) {
    CreatePage(host);
    const int top = AddHeading(Label28, Image8, ui::NavIcon::OneKey, kOneKeyDescription);
    const RECT r = ClientUnits();
    constexpr int kRow = 28, kBoxWidth = 220;
    GroupBox6.Create(Handle(), kOptionsGroup, {8, top, r.right - 16, 24 + 4 * kRow + 8});
    AnchorChild(GroupBox6.Handle(), ui::kAnchorLeft | ui::kAnchorTop | ui::kAnchorRight);
    hints.Create(Handle());
    int y = top + 24;
    for (auto [box, option] : {std::pair{&CBCleanAllCookies, kCleanAllCookies},
                               std::pair{&CBProtectUserPrivacy, kProtectUserPrivacy},
                               std::pair{&CBOptimizeMemory, kOptimizeMemory},
                               std::pair{&CBCleanHardDisk, kCleanHardDisk}}) {
        // Checked as designed; the settings file replaces the state before the first showing.
        box->Create(Handle(), option.caption, {24, y, kBoxWidth, 20}, true);
        hints.Add(box->Handle(), option.hint);
        context_.settings.RegisterCheckBox(option.settingsKey, *box);
        y += kRow;
    }
    BtnStartOneKeyClean.Create(Handle(), kStart, {r.right - 16 - 8 - 100, y - kRow - 4, 100, 28},
                               BS_DEFPUSHBUTTON);
    AnchorChild(BtnStartOneKeyClean.Handle(), ui::kAnchorTop | ui::kAnchorRight);
    BtnStartOneKeyClean.onClick = [this] { BtnStartOneKeyCleanClick(); };
}

void OneKeyCleaningPage::BtnStartOneKeyCleanClick() {
    if (running_) return;
    running_ = true;
    const core::ScopeExit done([this] { running_ = false; });

    if (CBCleanAllCookies.IsChecked() &&
        context_.app.prompts->Message(kCookieQuestion, "Veltrin",
                                      platform::kYesNo | platform::kIconInformation) ==
            platform::kAnswerYes) {
        Run(steps.deleteAllCookies);
        context_.report.AddReportLine(kCookiesDeleted);
    }
    if (CBProtectUserPrivacy.IsChecked()) Run(steps.protectPrivacy);
    if (CBOptimizeMemory.IsChecked()) {
        Run(steps.showMemoryPage);
        Run(steps.optimizeMemory);
    }
    if (CBCleanHardDisk.IsChecked()) {
        Run(steps.showDiskPage);
        Run(steps.scanJunk);
        // Also after a scan that stopped at its own message: it deletes what the list holds.
        Run(steps.deleteAllJunk);
    }
}

}  // namespace onekey
