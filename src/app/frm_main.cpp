#include "app/frm_main.h"

#include "core/number_text.h"
#include "platform/locale_format.h"
#include "platform/text.h"
#include "ui/dispatch.h"
#include "ui/message_pump.h"

namespace app {
namespace {

constexpr int kWidth = 780;
constexpr int kHeight = 700;
constexpr int kNavWidth = 161;
constexpr int kStatusHeight = 27;

}  // namespace

TFrmMain::TFrmMain(const AppContext& context, bool endsApplication)
    : Window("FrmMain"),
      errorLog(context.ProgramFolder(), *context.clock),
      settings(platform::ReplaceExtension(context.programPath, ".INI")),
      TSReport(*context.prompts, SaveDialog, *context.clock),
      context_(context),
      endsApplication_(endsApplication),
      pageContext_{context, SBMain, TSReport.report, settings, OpenDialog, SaveDialog},
      IECMain(*context.urlCache, "IECMain"),
      CooKie(*context.urlCache, "CooKie"),
      TSSummary(pageContext_),
      TSDiskMedic(pageContext_),
      TSInternetPrivacy(pageContext_, IECMain),
      TSCookieManager(pageContext_, CooKie),
      TSFileShredder(pageContext_),
      TSProcessList(pageContext_),
      TSOneKeyCleaning(pageContext_),
      TSMemoryMedic(pageContext_),
      TSAbout(*context.shell),
      TSBootList(pageContext_) {
    OpenDialog.allowMultiSelect = true;
    IECMain.SetFilterOptions(privacy::DefaultFilterOptions());
    IECMain.SearchPattern = privacy::TSearchPattern::spAll;
    IECMain.OnEntry = [this](privacy::TIECache& sender, bool& cancel) {
        TSInternetPrivacy.IECMainEntry(sender, cancel);
    };
    CooKie.SetFilterOptions(privacy::DefaultFilterOptions());
    CooKie.SearchPattern = privacy::TSearchPattern::spCookies;
    CooKie.OnEntry = [this](privacy::TIECache& sender, bool& cancel) {
        TSCookieManager.CooKieEntry(sender, cancel);
    };
    TSOneKeyCleaning.steps = {[this] { CooKie.DeleteAllEntries(); },
                              [this] { TSInternetPrivacy.BtnInternetPrivacyCleanNowClick(); },
                              [this] { ShowPage(TSMemoryMedic); },
                              [this] { TSMemoryMedic.BtnMemoryMedicOptimizeClick(); },
                              [this] { ShowPage(TSDiskMedic); },
                              [this] { TSDiskMedic.BtnScanJunkNowClick(); },
                              [this] { TSDiskMedic.BtnDeleteAllJunkClick(); }};
    ui::SetExceptionHandler([this](const ui::Component* sender, const std::string& message) {
        AEException(sender, message);
    });

    // Centred on the work area when first shown.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    dpi_ = ui::DpiOf(nullptr);
    const int width = ui::Scale(kWidth, dpi_), height = ui::Scale(kHeight, dpi_);
    const int x = work.left + ((work.right - work.left) - width) / 2;
    const int y = work.top + ((work.bottom - work.top) - height) / 2;
    CreateWindowOf(L"Veltrin", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
                   x > 0 ? x : 0, y > 0 ? y : 0, width, height, nullptr);
    dpi_ = Dpi();
    bigIcon_.reset(ui::MakeNavIcon(ui::NavIcon::OneKey, 32));
    smallIcon_.reset(ui::MakeNavIcon(ui::NavIcon::OneKey, 16));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));

    const RECT client = ClientUnits();
    SBMain.Create(Handle(), kStatusHeight, {150, 150, -1});
    RECT bar{};
    GetWindowRect(SBMain.Handle(), &bar);
    const int pageHeight = client.bottom - ui::Unscale(bar.bottom - bar.top, dpi_);
    mxOBP.Create(Handle(), {0, 0, kNavWidth, pageHeight});
    PCMain.Create(Handle(), {kNavWidth, 0, client.right - kNavWidth, pageHeight});
    BuildNavigationBar();

    ui::SetMessageFilter([this](MSG& msg) {
        // Key preview: the window sees every key release before the focused control does.
        if (msg.message == WM_KEYUP && (msg.hwnd == Handle() || IsChild(Handle(), msg.hwnd)))
            ui::Dispatch(this, [&] { FormKeyUp(msg.wParam); });
        return IsDialogMessageW(Handle(), &msg) != FALSE;
    });

    ui::Dispatch(this, [this] { FormCreate(); });
}

TFrmMain::~TFrmMain() {
    ui::SetMessageFilter(nullptr);
    ui::SetExceptionHandler(nullptr);
}

std::vector<TFrmMain::NavEntry> TFrmMain::Navigation() {
    using ui::NavIcon;
    using F = TFrmMain;
    return {
        {0, "mBtnHelp", "User Manual", true, NavIcon::Manual, &F::mxOBPHeaders0Buttons1Click,
         nullptr},
        {0, "mBtnSummary", "System Information", false, NavIcon::Summary,
         &F::mxOBPHeaders0Buttons0Click, &TSSummary},
        {0, "mBtnOneKeyClean", "OneKey CleanUp", true, NavIcon::OneKey,
         &F::mxOBPHeaders0Buttons3Click, &TSOneKeyCleaning},
        {0, "mBtnUpgrad", "Live Update", true, NavIcon::Update, &F::mxOBPHeaders0Buttons2Click,
         nullptr},
        {1, "mBtnDiskMedic", "Disk Cleaner", true, NavIcon::DiskCleaner,
         &F::mxOBPHeaders1Buttons2Click, &TSDiskMedic},
        {1, "mBtnMemeryMedic", "Optimize Memory", true, NavIcon::Memory,
         &F::mxOBPHeaders1Buttons1Click, &TSMemoryMedic},
        {1, "mBtnProcessList", "Process Manager", true, NavIcon::Processes,
         &F::mxOBPHeaders1Buttons0Click, &TSProcessList},
        {1, "mBtnStartUp", "StartUp Manager", true, NavIcon::Startup,
         &F::mxOBPHeaders1Buttons3Click, &TSBootList},
        {2, "mBtnInternetPrivacy", "Privacy Protector", true, NavIcon::Privacy,
         &F::mxOBPHeaders2Buttons0Click, &TSInternetPrivacy},
        {2, "mBtnCookieManager", "Cookie Manager", true, NavIcon::Cookies,
         &F::mxOBPHeaders2Buttons1Click, &TSCookieManager},
        {2, "mBtnFileShreder", "File Shredder", true, NavIcon::Shredder,
         &F::mxOBPHeaders2Buttons2Click, &TSFileShredder},
        {3, "mBtnReport", "Report", true, NavIcon::Report, &F::mxOBPHeaders3Buttons1Click,
         &TSReport},
        {3, "mBtnAbout", "About ...", true, NavIcon::About, &F::mxOBPHeaders3Buttons2Click,
         &TSAbout},
    };
}

void TFrmMain::BuildNavigationBar() {
    const std::pair<const char*, const char*> headers[] = {{"hdrSystemInformation", "Information"},
                                                           {"hdrSysTools", "System Tools"},
                                                           {"hdrPrivacy", "Privacy Tools"},
                                                           {"mOther", "Report"}};
    for (auto [name, caption] : headers)
        mxOBP.AddHeader(name, caption);
    for (const NavEntry& e : Navigation()) {
        mxOBP.AddButton(e.header, e.name, e.caption, e.large, e.icon,
                        [this, click = e.click] { (this->*click)(); });
        if (e.page) {
            e.page->Create(PCMain.Handle());
            PCMain.AddPage(*e.page);
        }
    }
    mxOBP.SetHeaderOpen(0, true);
}

void TFrmMain::FormCreate() {
    // Pages never show a tab strip: the page host has none, so step one of the design is moot.
    ShowPage(TSSummary);
    sKE.SetSkinFile(context_.ProgramFile(kSkinFile));
    sKE.SetActive(true);
    InvalidateRect(Handle(), nullptr, TRUE);
    settings.LoadCheckBoxes();
    settings.LoadRadioButtons();
}

void TFrmMain::FirstShow() {
    PCMain.GoLive();
    ui::Dispatch(this, [this] { FormShow(); });
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
}

void TFrmMain::FormShow() {
    ShowTips();
    if (context_.clock->Now().dayOfWeek == 0) {
        const std::string update = context_.ProgramFile(kUpdateProgram);
        if (platform::FileExists(update))
            context_.shell->Execute("open", update, kUpdateParameters, "", SW_SHOWNORMAL);
    }
}

void TFrmMain::ShowTips() {
    const std::wstring ini = platform::Widen(context_.ProgramFile(kTipsIni));
    wchar_t buf[2048];
    const DWORD n = GetPrivateProfileStringW(L"Show", L"IsShow", L"-1", buf, 2048, ini.c_str());
    const std::string text = platform::Narrow(std::wstring_view(buf, n));
    const auto show = core::ParseBoolean(text, platform::DecimalSeparator());
    if (!show) throw std::runtime_error("'" + text + "' is not a valid boolean value");
    if (*show)
        context_.shell->Execute("open", context_.ProgramFile(kTipsProgram), "", "", SW_SHOWNORMAL);
}

void TFrmMain::OpenUserManual() {
    context_.shell->Execute("open", context_.ProgramFile(kUserManual), "", "", SW_SHOWNORMAL);
}

void TFrmMain::FormKeyUp(WPARAM key) {
    if (key == VK_F1) OpenUserManual();
    // A run in progress lets messages run; F8 then starts nothing inside it.
    if (key == VK_F8 && !TSOneKeyCleaning.Running()) {
        ShowPage(TSOneKeyCleaning);
        context_.clock->Sleep(1000);
        BtnStartOneKeyCleanClick();
    }
}

void TFrmMain::BtnStartOneKeyCleanClick() {
    TSOneKeyCleaning.BtnStartOneKeyCleanClick();
}

void TFrmMain::mxOBPHeaders0Buttons1Click() {
    OpenUserManual();
}

void TFrmMain::mxOBPHeaders0Buttons2Click() {
    const std::string update = context_.ProgramFile(kUpdateProgram);
    if (platform::FileExists(update)) {
        context_.shell->Execute("open", update, "", "", SW_SHOWNORMAL);
        Close();
        return;
    }
    context_.prompts->Message(kNoUpdateMessage, "Veltrin",
                              platform::kOk | platform::kIconInformation);
}

void TFrmMain::FormClose() {
    // Each save runs on its own: a settings file that cannot be written must not cost the
    // report, and neither keeps the program from ending.
    ui::Dispatch(this, [this] {
        settings.SaveCheckBoxes();
        settings.SaveRadioButtons();
    });
    ui::Dispatch(this, [this] { report().SaveTo(context_.ProgramFile(kLastReport)); });
}

void TFrmMain::AEException(const ui::Component* sender, const std::string& message) {
    errorLog.WriteErrorLog(sender, message);
}

void TFrmMain::Layout() {
    SBMain.Resize();
    const RECT client = ClientRect();
    RECT bar{};
    GetWindowRect(SBMain.Handle(), &bar);
    const int pageHeight = client.bottom - (bar.bottom - bar.top);
    const int navWidth = ui::Scale(kNavWidth, dpi_);
    MoveWindow(mxOBP.Handle(), 0, 0, navWidth, pageHeight, TRUE);
    MoveWindow(PCMain.Handle(), navWidth, 0, client.right - navWidth, pageHeight, TRUE);
}

LRESULT TFrmMain::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lp);
            const POINT most{ui::Scale(kWidth, dpi_), ui::Scale(kHeight, dpi_)};
            info->ptMaxTrackSize = most;
            info->ptMaxSize = most;
            return 0;
        }
        case WM_DPICHANGED: {
            // Everything was laid out in 96-DPI units: scale it by the change, then take the
            // size the system suggests.
            const UINT old = dpi_;
            dpi_ = HIWORD(wp);
            ui::RescaleDescendants(Handle(), old, dpi_);
            if (SBMain.Handle()) SBMain.ApplyDpi();
            const auto* r = reinterpret_cast<const RECT*>(lp);
            SetWindowPos(Handle(), nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_SIZE:
            if (mxOBP.Handle()) Layout();
            return 0;
        case WM_CLOSE:
            ui::Dispatch(this, [this] { FormClose(); });
            DestroyWindow(Handle());
            return 0;
        case WM_DESTROY:
            if (endsApplication_) PostQuitMessage(0);
            return 0;
        case WM_SETTINGCHANGE:
            // The report's time format is read afresh for every line.
            break;
    }
    return Window::HandleMessage(msg, wp, lp);
}

}  // namespace app
