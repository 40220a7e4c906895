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
      TSSummary("TSSummary", "SysInfo Summary", "Label1",
                "System Information: This page shows your software and hardware information.",
                ui::NavIcon::Summary),
      TSDiskMedic(pageContext_),
      TSInternetPrivacy("TSInternetPrivacy", "Internet Privacy", "Label3",
                        "Privacy Protector: When otherone use your computer, they can know what "
                        "you have visited, read, player, etc. Privacy protector will clean all "
                        "these trace for keeping your privacy.",
                        ui::NavIcon::Privacy),
      TSCookieManager("TSCookieManager", "Cookie Manager", "Label4",
                      "Cookie Manager: While you are visiting some websites, some of them will "
                      "leave a small file on your hard disk which contains your personal "
                      "information. Hackers can even use the Cookies to steal your confidential "
                      "information such as those of your credit cards. Please delete your bank "
                      "site's cookie for keeping your secret.",
                      ui::NavIcon::Cookies),
      TSFileShredder("TSFileShredder", "File Shreder", "Label7",
                     "File Shredder: If you want to earse some secret files, please use File "
                     "Shredder. It can cover the files you want to delete with the binary zero, "
                     "and then delete them. In this way even somebody can recover what you have "
                     "deleted, he will only get useless characters. ",
                     ui::NavIcon::Shredder),
      TSProcessList("TSProcessList", "Process List", "Label26",
                    "Process Manager: It lists all processes runing in your system. You can end "
                    "any item, or make sure what it is. ",
                    ui::NavIcon::Processes),
      TSReport(*context.prompts, SaveDialog, *context.clock),
      TSOneKeyCleaning("TSOneKeyCleaning", "One Key Cleaning", "Label28",
                       "One Key Cleanin: It predigests the daily cleaning work for  rudimental "
                       "users. Just press F8, you can do all clean work and protect your privacy.",
                       ui::NavIcon::OneKey),
      TSMemoryMedic("TSMemoryMedic", "Memory Medic", "Label9",
                    "Optimize Memory: This page shows the information about your memory usage. "
                    "You can optimize  it to improve system speed.",
                    ui::NavIcon::Memory),
      TSAbout(*context.shell),
      TSBootList(*context.prompts, *context.shell, context.specialFolders),
      context_(context),
      endsApplication_(endsApplication),
      pageContext_{context, SBMain, TSReport.report, settings, OpenDialog, SaveDialog} {
    OpenDialog.allowMultiSelect = true;
    ui::SetExceptionHandler([this](const ui::Component* sender, const std::string& message) {
        AEException(sender, message);
    });

    // Centred on the work area when first shown.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + ((work.right - work.left) - kWidth) / 2;
    const int y = work.top + ((work.bottom - work.top) - kHeight) / 2;
    CreateWindowOf(L"Veltrin", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
                   x > 0 ? x : 0, y > 0 ? y : 0, kWidth, kHeight, nullptr);
    bigIcon_.reset(ui::MakeNavIcon(ui::NavIcon::OneKey, 32));
    smallIcon_.reset(ui::MakeNavIcon(ui::NavIcon::OneKey, 16));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));

    const RECT client = ClientRect();
    SBMain.Create(Handle(), kStatusHeight, {150, 150, -1});
    RECT bar{};
    GetWindowRect(SBMain.Handle(), &bar);
    const int pageHeight = client.bottom - (bar.bottom - bar.top);
    mxOBP.Create(Handle(), {0, 0, kNavWidth, pageHeight});
    PCMain.Create(Handle(), {kNavWidth, 0, client.right - kNavWidth, pageHeight});
    BuildNavigationBar();

    TSSummary.Create(PCMain.Handle());
    TSDiskMedic.Create(PCMain.Handle());
    TSInternetPrivacy.Create(PCMain.Handle());
    TSCookieManager.Create(PCMain.Handle());
    TSFileShredder.Create(PCMain.Handle());
    TSProcessList.Create(PCMain.Handle());
    TSReport.Create(PCMain.Handle());
    TSOneKeyCleaning.Create(PCMain.Handle());
    TSMemoryMedic.Create(PCMain.Handle());
    TSAbout.Create(PCMain.Handle());
    TSBootList.Create(PCMain.Handle());
    for (ui::Page* p :
         {static_cast<ui::Page*>(&TSSummary), static_cast<ui::Page*>(&TSDiskMedic),
          static_cast<ui::Page*>(&TSInternetPrivacy), static_cast<ui::Page*>(&TSCookieManager),
          static_cast<ui::Page*>(&TSFileShredder), static_cast<ui::Page*>(&TSProcessList),
          static_cast<ui::Page*>(&TSReport), static_cast<ui::Page*>(&TSOneKeyCleaning),
          static_cast<ui::Page*>(&TSMemoryMedic), static_cast<ui::Page*>(&TSAbout),
          static_cast<ui::Page*>(&TSBootList)})
        PCMain.AddPage(*p);

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

void TFrmMain::BuildNavigationBar() {
    using ui::NavIcon;
    const int info = mxOBP.AddHeader("hdrSystemInformation", "Information");
    mxOBP.AddButton(info, "mBtnHelp", "User Manual", true, NavIcon::Manual,
                    [this] { mxOBPHeaders0Buttons1Click(); });
    mxOBP.AddButton(info, "mBtnSummary", "System Information", false, NavIcon::Summary,
                    [this] { mxOBPHeaders0Buttons0Click(); });
    mxOBP.AddButton(info, "mBtnOneKeyClean", "OneKey CleanUp", true, NavIcon::OneKey,
                    [this] { mxOBPHeaders0Buttons3Click(); });
    mxOBP.AddButton(info, "mBtnUpgrad", "Live Update", true, NavIcon::Update,
                    [this] { mxOBPHeaders0Buttons2Click(); });
    const int tools = mxOBP.AddHeader("hdrSysTools", "System Tools");
    mxOBP.AddButton(tools, "mBtnDiskMedic", "Disk Cleaner", true, NavIcon::DiskCleaner,
                    [this] { mxOBPHeaders1Buttons2Click(); });
    mxOBP.AddButton(tools, "mBtnMemeryMedic", "Optimize Memory", true, NavIcon::Memory,
                    [this] { mxOBPHeaders1Buttons1Click(); });
    mxOBP.AddButton(tools, "mBtnProcessList", "Process Manager", true, NavIcon::Processes,
                    [this] { mxOBPHeaders1Buttons0Click(); });
    mxOBP.AddButton(tools, "mBtnStartUp", "StartUp Manager", true, NavIcon::Startup,
                    [this] { mxOBPHeaders1Buttons3Click(); });
    const int privacy = mxOBP.AddHeader("hdrPrivacy", "Privacy Tools");
    mxOBP.AddButton(privacy, "mBtnInternetPrivacy", "Privacy Protector", true, NavIcon::Privacy,
                    [this] { mxOBPHeaders2Buttons0Click(); });
    mxOBP.AddButton(privacy, "mBtnCookieManager", "Cookie Manager", true, NavIcon::Cookies,
                    [this] { mxOBPHeaders2Buttons1Click(); });
    mxOBP.AddButton(privacy, "mBtnFileShreder", "File Shredder", true, NavIcon::Shredder,
                    [this] { mxOBPHeaders2Buttons2Click(); });
    const int other = mxOBP.AddHeader("mOther", "Report");
    mxOBP.AddButton(other, "mBtnReport", "Report", true, NavIcon::Report,
                    [this] { mxOBPHeaders3Buttons1Click(); });
    mxOBP.AddButton(other, "mBtnAbout", "About ...", true, NavIcon::About,
                    [this] { mxOBPHeaders3Buttons2Click(); });
    mxOBP.SetHeaderOpen(info, true);
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
    if (key == VK_F8) {
        ShowPage(TSOneKeyCleaning);
        context_.clock->Sleep(1000);
        BtnStartOneKeyCleanClick();
    }
}

void TFrmMain::BtnStartOneKeyCleanClick() {
    // One-key cleaning runs the tools' own handlers; it has none to run until they exist.
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
    MoveWindow(mxOBP.Handle(), 0, 0, kNavWidth, pageHeight, TRUE);
    MoveWindow(PCMain.Handle(), kNavWidth, 0, client.right - kNavWidth, pageHeight, TRUE);
}

LRESULT TFrmMain::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lp);
            info->ptMaxTrackSize = {kWidth, kHeight};
            info->ptMaxSize = {kWidth, kHeight};
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
