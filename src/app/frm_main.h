#pragma once
// TFrmMain: the main window. Navigation bar on the left, the page control on the right, the
// status bar below; it owns every page and the components the pages share.
#include <memory>
#include <string>

#include "app/about_page.h"
#include "app/app_context.h"
#include "app/description_page.h"
#include "app/error_log.h"
#include "app/report_page.h"
#include "app/settings_file.h"
#include "startup/boot_list_page.h"
#include "disk/disk_medic_page.h"
#include "ui/nav_bar.h"
#include "ui/page.h"
#include "ui/skin_engine.h"

namespace app {

// What a page gets from the main window instead of a pointer to all of it.
struct PageContext {
    const AppContext& app;
    ui::StatusBar& status;
    Report& report;
    SettingsFile& settings;
    platform::FileDialogState& openDialog;
    platform::FileDialogState& saveDialog;
};

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

class TFrmMain : public ui::Window {
  public:
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
    Report& report() { return TSReport.report; }

    ui::NavBar mxOBP{"mxOBP"};
    ui::PageHost PCMain{"PCMain"};
    ui::StatusBar SBMain{"SBMain"};
    ui::SkinEngine sKE;
    platform::FileDialogState OpenDialog;
    platform::FileDialogState SaveDialog;
    ErrorLog errorLog;
    SettingsFile settings;

    DescriptionPage TSSummary;
    disk::DiskMedicPage TSDiskMedic;
    DescriptionPage TSInternetPrivacy;
    DescriptionPage TSCookieManager;
    DescriptionPage TSFileShredder;
    DescriptionPage TSProcessList;
    ReportPage TSReport;
    DescriptionPage TSOneKeyCleaning;
    DescriptionPage TSMemoryMedic;
    AboutPage TSAbout;
    startup::TSBootList TSBootList;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    void BuildNavigationBar();
    void OpenUserManual();
    void Layout();

    const AppContext& context_;
    bool endsApplication_;
    PageContext pageContext_;
    platform::UniqueIcon bigIcon_, smallIcon_;
};

}  // namespace app
