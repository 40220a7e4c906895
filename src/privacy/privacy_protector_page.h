#pragma once
// The privacy protector page TSInternetPrivacy: the check boxes of the traces it erases, the
// cache figures, and "Clean Now!", which runs the step of every checked box.
#include <string>

#include "privacy/ie_cache.h"
#include "privacy/privacy_cleaning.h"
#include "services/page_context.h"
#include "ui/controls.h"
#include "ui/page.h"

namespace privacy {

class PrivacyProtectorPage : public ui::Page {
  public:
    // `IECMain` is the main window's enumerator; its OnEntry is IECMainEntry.
    PrivacyProtectorPage(const services::PageContext& context, TIECache& IECMain);

    void Create(HWND host) override;
    void OnShow() override { TSInternetPrivacyShow(); }

    void TSInternetPrivacyShow();
    void IECMainEntry(TIECache& Sender, bool& Cancel);
    // Runs the steps of the checked boxes; also run by one-key cleaning, as when pressed.
    void BtnInternetPrivacyCleanNowClick();
    static void DeleteCurrentUserKey(const std::string& path) {
        privacy::DeleteCurrentUserKey(path);
    }

    ui::CheckBox& Box(PrivacyBox box);
    const CacheCounters& Counters() const { return counters_; }

    ui::Picture Image3{"Image3"};
    ui::Label Label3{"Label3"};
    ui::GroupBox GroupBox2{"GroupBox2"};
    ui::CheckBox CBRecentDocuments{"CBRecentDocuments"};
    ui::CheckBox CBRun{"CBRun"};
    ui::CheckBox CBSearchAssistant{"CBSearchAssistant"};
    ui::CheckBox CBOtherExplorerMRUs{"CBOtherExplorerMRUs"};
    ui::CheckBox CBWinClipBoard{"CBWinClipBoard"};
    ui::GroupBox GroupBox3{"GroupBox3"};
    ui::CheckBox CBWinMedPlayer{"CBWinMedPlayer"};
    ui::CheckBox CBRealPlayer{"CBRealPlayer"};
    ui::CheckBox CBAcroReader{"CBAcroReader"};
    ui::CheckBox CBWinRAR{"CBWinRAR"};
    ui::GroupBox GroupBox1{"GroupBox1"};
    ui::CheckBox CBCleanCache{"CBCleanCache"};
    ui::Label lblIECacheSize{"lblIECacheSize"};
    ui::CheckBox CBCleanWebsiteHistory{"CBCleanWebsiteHistory"};
    ui::CheckBox CBCleanWebsiteAddress{"CBCleanWebsiteAddress"};
    ui::CheckBox CBCleanGoogle{"CBCleanGoogle"};
    ui::CheckBox CBCleanIEAutoComplete{"CBCleanIEAutoComplete"};
    ui::Button BtnInternetPrivacyCleanNow{"BtnInternetPrivacyCleanNow"};
    ui::Memo MMcln{"MMcln"};

  private:
    const services::PageContext& context_;
    TIECache& IECMain_;
    // CacheFileCount and CacheByteTotal: reset only when the page is shown.
    CacheCounters counters_;
};

}  // namespace privacy
