#pragma once
// TFrmMain: the main window. Navigation bar on the left, the page control on the right, the
// status bar below; it owns every page and the components the pages share.
#include <memory>
#include <string>

#include "app/about_page.h"
#include "app/description_page.h"
#include "app/report_page.h"
#include "disk/disk_cleaner_page.h"
#include "memory/memory_page.h"
#include "onekey/one_key_page.h"
#include "privacy/cookie_manager_page.h"
#include "privacy/file_shredder_page.h"
#include "privacy/ie_cache.h"
#include "privacy/privacy_protector_page.h"
#include "process/process_manager_page.h"
#include "services/app_context.h"
#include "services/error_log.h"
#include "services/page_context.h"
#include "services/settings_file.h"
#include "startup/startup_manager_page.h"
#include "sysinfo/summary_page.h"
#include "ui/nav_bar.h"
#include "ui/page.h"
#include "ui/skin_engine.h"

namespace app {

inline constexpr char kUpdateProgram[] = "update\\update.exe";
inline constexpr char kUpdateParameters[] = "/Silent /NoIcon /NoReport /NoList";
inline constexpr char kTipsIni[] = "Tips\\KorTips.ini";
inline constexpr char kTipsProgram[] = "Tips\\KorTips.exe";
inline constexpr char kUserManual[] = "help.chm";
inline constexpr char kSkinFile[] = "skin\\mywave.ssk";
inline constexpr char kLastReport[] = "Last.VELLog";
inline constexpr char kNoUpdateMessage[] =
    "  You have not installed the update packdge\r Please download the newest version from "
    "https://www.example.com/veltrin/";

using services::AppContext;

class TFrmMain : public ui::Window {
  public:
    // One button of the navigation bar: the header it sits under, its name, caption, size and
    // picture, and its handler; `page` is the page the handler shows, if any.
    struct NavEntry {
        int header;
        const char* name;
        const char* caption;
        bool large;
        ui::NavIcon icon;
        void (TFrmMain::*click)();
        ui::Page* page;
    };

    // Creates the window (hidden) and runs FormCreate.
    explicit TFrmMain(const AppContext& context, bool endsApplication = false);
    ~TFrmMain() override;

    // The message loop's first showing: the visible page's show event, then FormShow, then the
    // window appears.
    void FirstShow();
    // Asks the window to close, as the user's close button does.
    void Close() { PostMessageW(Handle(), WM_CLOSE, 0, 0); }

    void FormCreate();
    void FormShow();
    void ShowTips();
    void FormKeyUp(WPARAM key);
    void FormClose();
    void AEException(const ui::Component* sender, const std::string& message);
    void BtnStartOneKeyCleanClick();

    void mxOBPHeaders0Buttons0Click() { ShowPage(TSSummary); }
    void mxOBPHeaders0Buttons1Click();
    void mxOBPHeaders0Buttons2Click();
    void mxOBPHeaders0Buttons3Click() { ShowPage(TSOneKeyCleaning); }
    void mxOBPHeaders1Buttons0Click() { ShowPage(TSProcessList); }
    void mxOBPHeaders1Buttons1Click() { ShowPage(TSMemoryMedic); }
    void mxOBPHeaders1Buttons2Click() { ShowPage(TSDiskMedic); }
    void mxOBPHeaders1Buttons3Click() { ShowPage(TSBootList); }
    void mxOBPHeaders2Buttons0Click() { ShowPage(TSInternetPrivacy); }
    void mxOBPHeaders2Buttons1Click() { ShowPage(TSCookieManager); }
    void mxOBPHeaders2Buttons2Click() { ShowPage(TSFileShredder); }
    void mxOBPHeaders3Buttons1Click() { ShowPage(TSReport); }
    void mxOBPHeaders3Buttons2Click() { ShowPage(TSAbout); }

    void ShowPage(ui::Page& page) { PCMain.ShowPage(page); }
    const AppContext& Context() const { return context_; }
    services::Report& report() { return TSReport.report; }

    // The navigation bar's buttons in the order they appear, header by header.
    std::vector<NavEntry> Navigation();

    ui::NavBar mxOBP{"mxOBP"};
    ui::PageHost PCMain{"PCMain"};
    ui::StatusBar SBMain{"SBMain"};
    ui::SkinEngine sKE;
    platform::FileDialogState OpenDialog;
    platform::FileDialogState SaveDialog;
    services::ErrorLog errorLog;
    services::SettingsFile settings;
    ReportPage TSReport;

  private:
    const AppContext& context_;
    bool endsApplication_;
    // Built before the pages that keep a reference to it.
    services::PageContext pageContext_;

  public:
    // The two browser cache enumerators, configured as the pages that use them need.
    privacy::TIECache IECMain;
    privacy::TIECache CooKie;

    sysinfo::SummaryPage TSSummary;
    disk::DiskCleanerPage TSDiskMedic;
    privacy::PrivacyProtectorPage TSInternetPrivacy;
    privacy::CookieManagerPage TSCookieManager;
    privacy::FileShredderPage TSFileShredder;
    process::ProcessManagerPage TSProcessList;
    onekey::OneKeyCleaningPage TSOneKeyCleaning;
    memory::MemoryPage TSMemoryMedic;
    AboutPage TSAbout;
    startup::StartupManagerPage TSBootList;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    void BuildNavigationBar();
    void OpenUserManual();
    void Layout();

    platform::UniqueIcon bigIcon_, smallIcon_;
    UINT dpi_ = 96;
};

}  // namespace app
