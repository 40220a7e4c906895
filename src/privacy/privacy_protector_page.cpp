#include "privacy/privacy_protector_page.h"

#include "core/scope_exit.h"
#include "platform/clipboard.h"
#include "platform/locale_format.h"
#include "privacy/privacy_texts.h"
#include "ui/paced_loop.h"

namespace privacy {

PrivacyProtectorPage::PrivacyProtectorPage(const services::PageContext& context, TIECache& IECMain)
    : Page("TSInternetPrivacy", kPrivacyCaption), context_(context), IECMain_(IECMain) {}

ui::CheckBox& PrivacyProtectorPage::Box(PrivacyBox box) {
    switch (box) {
        case PrivacyBox::WinClipBoard:
            return CBWinClipBoard;
        case PrivacyBox::RecentDocuments:
            return CBRecentDocuments;
        case PrivacyBox::Run:
            return CBRun;
        case PrivacyBox::SearchAssistant:
            return CBSearchAssistant;
        case PrivacyBox::OtherExplorerMRUs:
            return CBOtherExplorerMRUs;
        case PrivacyBox::WinMedPlayer:
            return CBWinMedPlayer;
        case PrivacyBox::RealPlayer:
            return CBRealPlayer;
        case PrivacyBox::AcroReader:
            return CBAcroReader;
        case PrivacyBox::WinRAR:
            return CBWinRAR;
        case PrivacyBox::CleanCache:
            return CBCleanCache;
        case PrivacyBox::CleanWebsiteHistory:
            return CBCleanWebsiteHistory;
        case PrivacyBox::CleanWebsiteAddress:
            return CBCleanWebsiteAddress;
        case PrivacyBox::CleanGoogle:
            return CBCleanGoogle;
        case PrivacyBox::CleanIEAutoComplete:
            break;
    }
    return CBCleanIEAutoComplete;
}

void PrivacyProtectorPage::Create(HWND host) {
    CreatePage(host);
    const int top = AddHeading(Label3, Image3, ui::NavIcon::Privacy, kPrivacyDescription);
    const RECT r = ClientUnits();
    const int width = r.right - 16;
    constexpr int kRow = 22, kBoxTop = 22, kBoxBottom = 10;

    struct Group {
        ui::GroupBox& box;
        PrivacyGroup group;
        const char* caption;
    };
    const Group groups[] = {{GroupBox2, PrivacyGroup::Explorer, kGroupExplorer},
                            {GroupBox3, PrivacyGroup::Applications, kGroupApplications},
                            {GroupBox1, PrivacyGroup::Internet, kGroupInternet}};
    int y = top;
    for (const Group& g : groups) {
        int rows = 0;
        for (const auto& c : kPrivacyCheckBoxes)
            rows += c.group == g.group;
        const int height = kBoxTop + rows * kRow + kBoxBottom;
        g.box.Create(Handle(), g.caption, {8, y, width, height});
        AnchorChild(g.box.Handle(), ui::kAnchorLeft | ui::kAnchorTop | ui::kAnchorRight);
        int row = 0;
        for (const auto& c : kPrivacyCheckBoxes) {
            if (c.group != g.group) continue;
            // Check boxes are children of the page, laid over their group box.
            ui::CheckBox& box = Box(c.box);
            box.Create(Handle(), c.caption, {24, y + kBoxTop + row * kRow, 300, 20}, true);
            context_.settings.RegisterCheckBox(c.settingsKey, box);
            if (c.box == PrivacyBox::CleanCache)
                lblIECacheSize.Create(Handle(), "",
                                      {330, y + kBoxTop + row * kRow + 2, width - 330, 18});
            ++row;
        }
        y += height + 8;
    }
    BtnInternetPrivacyCleanNow.Create(Handle(), kCleanNow, {8 + width - 100, y, 100, 25});
    AnchorChild(BtnInternetPrivacyCleanNow.Handle(), ui::kAnchorRight | ui::kAnchorTop);
    BtnInternetPrivacyCleanNow.onClick = [this] { BtnInternetPrivacyCleanNowClick(); };

    MMcln.Create(Handle(), {8, y, 100, 25});
    MMcln.SetText(kClipboardEditText);
    MMcln.Show(false);
}

void PrivacyProtectorPage::TSInternetPrivacyShow() {
    CountCache(IECMain_, counters_);
    lblIECacheSize.SetText(CacheSizeCaption(counters_, platform::DecimalSeparator()));
}

void PrivacyProtectorPage::IECMainEntry(TIECache& Sender, bool&) {
    counters_.Add(Sender.EntryInfo());
}

void PrivacyProtectorPage::BtnInternetPrivacyCleanNowClick() {
    ui::PacedLoop loop(Handle(), &context_.status);
    PrivacyHooks hooks;
    hooks.checked = [this](PrivacyBox box) { return Box(box).IsChecked(); };
    hooks.status = [&](const std::string& text) { loop.SetPanel(2, text); };
    hooks.report = [this](const std::string& text) { context_.report.AddReportLine(text); };
    hooks.yield = [&] {
        loop.Due();
        loop.Tick();
    };
    hooks.deleteKey = DeleteCurrentUserKey;
    hooks.emptyClipboard = [] { platform::EmptyClipboardNow(); };
    hooks.cleanCache = [&](TSearchPattern pattern) {
        IECMain_.SearchPattern = pattern;
        // A cache of thousands of entries takes a while to delete: keep the window alive.
        IECMain_.OnDeleted = [&] { loop.Tick(); };
        const core::ScopeExit forget([this] { IECMain_.OnDeleted = nullptr; });
        IECMain_.DeleteAllEntries();
    };
    RunPrivacyCleaning(hooks);
    loop.Flush();
}

}  // namespace privacy
