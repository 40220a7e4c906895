// Starts the real main window with the real services and shows one page by its name, for
// screenshots: showcase.exe [PAGE] [SCENARIO]. A scenario fills the page with something to
// look at; pages register theirs in Scenarios() below.
#include <windows.h>
#include <wininet.h>

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "app/desktop_services.h"
#include "app/frm_main.h"
#include "platform/files.h"
#include "platform/handles.h"
#include "platform/registry.h"
#include "platform/shell_link.h"
#include "platform/text.h"
#include "ui/message_pump.h"

namespace {

using Scenario = std::function<void(app::TFrmMain&)>;

// The shell's special folders, with some pointed elsewhere by a scenario.
class ShowcaseFolders final : public platform::SpecialFolders {
  public:
    std::optional<std::string> Path(int csidl) const override {
        if (auto it = overrides.find(csidl); it != overrides.end()) return it->second;
        return system.Path(csidl);
    }
    std::map<int, std::string> overrides;
    platform::Win32SpecialFolders system;
};
ShowcaseFolders* g_folders = nullptr;

// Real memory, committed and released slowly enough that a screenshot catches an optimization
// half way.
class SlowMemory final : public platform::VirtualMemory {
  public:
    void* Commit(size_t bytes) override {
        Sleep(6);
        return real.Commit(bytes);
    }
    void Release(void* region) override {
        Sleep(6);
        real.Release(region);
    }
    platform::Win32VirtualMemory real;
};
app::DesktopServices* g_services = nullptr;

// A few startup entries in private registry roots and temporary Startup folders, so that the
// machine's own startup locations are neither shown nor changed.
void StartupEntries(app::TFrmMain& f) {
    const std::wstring root = L"Software\\VeltrinShowcase";
    RegDeleteTreeW(HKEY_CURRENT_USER, root.c_str());
    HKEY user = nullptr, machine = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, (root + L"\\HKCU").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                    nullptr, &user, nullptr);
    RegCreateKeyExW(HKEY_CURRENT_USER, (root + L"\\HKLM").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                    nullptr, &machine, nullptr);
    RegOverridePredefKey(HKEY_CURRENT_USER, user);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine);
    const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    auto put = [](HKEY r, const std::string& key, const std::string& name,
                  const std::string& data) {
        if (auto k = platform::RegKey::Create(r, key, KEY_WRITE)) k->WriteString(name, data);
    };
    put(HKEY_LOCAL_MACHINE, run, "GuardTray", "\"C:\\Program Files\\Guard\\guard.exe\" /tray");
    put(HKEY_LOCAL_MACHINE, run + "Once", "CleanupOnce", "C:\\Windows\\cleanup.exe -once");
    put(HKEY_CURRENT_USER, run, "Updater", "C:\\Program Files\\Updater\\upd.exe -silent");
    put(HKEY_CURRENT_USER, run + "-", "OldTool", "C:\\Tools\\oldtool.exe");
    const std::string temp = platform::TempFolder() + "VeltrinShowcase";
    CreateDirectoryW(platform::Widen(temp).c_str(), nullptr);
    CreateDirectoryW(platform::Widen(temp + "\\User").c_str(), nullptr);
    CreateDirectoryW(platform::Widen(temp + "\\All").c_str(), nullptr);
    g_folders->overrides[7] = temp + "\\User";
    g_folders->overrides[24] = temp + "\\All";
    platform::SaveShellLink(temp + "\\User\\Notes.lnk", "C:\\Windows\\notepad.exe", "", "", "");
    platform::SaveShellLink(temp + "\\All\\Mail.lnk", "C:\\Program Files\\Mail\\mail.exe",
                            "-minimized", "", "");
    f.TSBootList.RefreshbtnClick();
    for (int i = 0; i < f.TSBootList.LVBootList.Count(); ++i)
        if (f.TSBootList.LVBootList.CellText(i, 0) == "Updater") f.TSBootList.LVBootList.Select(i);
}

// Entries of the browser's cache on the showcase's machine: pages, history and cookies.
void CacheEntries() {
    const std::pair<const char*, size_t> pages[] = {{"http://www.example.com/index.html", 18432},
                                                    {"http://www.example.com/logo.png", 52311},
                                                    {"http://news.example.org/today.html", 96120},
                                                    {"http://cdn.example.net/app.js", 240512},
                                                    {"http://cdn.example.net/style.css", 12044}};
    for (const auto& [url, size] : pages) {
        const std::wstring wurl = platform::Widen(url);
        wchar_t file[MAX_PATH] = {};
        if (!CreateUrlCacheEntryW(wurl.c_str(), 0, L"htm", file, 0)) continue;
        platform::WriteWholeFile(platform::Narrow(file), std::string(size, 'c'));
        CommitUrlCacheEntryW(wurl.c_str(), file, {}, {}, NORMAL_CACHE_ENTRY, nullptr, 0, L"htm",
                             nullptr);
    }
    for (const char* site : {"http://www.example.com/", "http://bank.example.com/",
                             "http://shop.example.net/", "http://news.example.org/"})
        InternetSetCookieW(platform::Widen(site).c_str(), L"session",
                           L"42; expires=Sat, 01-Jan-2050 00:00:00 GMT");
}

std::map<std::string, Scenario> Scenarios() {
    return {
        {"report",
         [](app::TFrmMain& f) {
             f.report().AddReportLine("C:\\Temp\\setup.tmp deleted!");
             f.report().AddReportLine("All Junk files deleted! ");
             f.report().AddReportLine(std::string(58, '=') + "\r\n");
         }},
        {"entries", StartupEntries},
        {"properties",
         [](app::TFrmMain& f) {
             StartupEntries(f);
             f.TSBootList.PropertiesbtnClick(&f.TSBootList.BtnBlProperty);
         }},
        {"modules",
         [](app::TFrmMain& f) {
             // The showcase's own row, selected, with its modules listed below.
             auto& page = f.TSProcessList;
             const auto& rows = page.Rows();
             for (size_t i = 0; i < rows.size(); ++i)
                 if (rows[i].processId == GetCurrentProcessId())
                     page.lvw_prc.Select(static_cast<int>(i));
             page.lvw_prcClick();
             SetFocus(page.lvw_prc.Handle());
         }},
        {"options", [](app::TFrmMain& f) { f.TSDiskMedic.PCDiskMedic.Activate(1); }},
        {"crushlist",
         [](app::TFrmMain& f) {
             for (const char* file :
                  {"C:\\Documents\\salary 2026.xls", "C:\\Documents\\letters\\to the bank.doc",
                   "D:\\Backup\\passwords.txt"})
                 f.TSFileShredder.LBFileShredder.AddItem(file);
             f.TSFileShredder.LBFileShredder.Select(1);
         }},
        {"optimizing",
         [](app::TFrmMain& f) {
             // Two ticks put the processor usage in the status bar, then a slow optimization.
             static SlowMemory slow;
             g_services->context.virtualMemory = &slow;
             f.TSMemoryMedic.Timer1Timer();
             ui::PumpMessages();
             Sleep(1000);
             f.TSMemoryMedic.Timer1Timer();
             f.TSMemoryMedic.TrackBar1.SetPosition(80);
             f.TSMemoryMedic.CheckBox1.SetChecked(true);
             f.TSMemoryMedic.BtnMemoryMedicOptimizeClick();
         }},
        {"cache",
         [](app::TFrmMain& f) {
             CacheEntries();
             for (auto* box :
                  {&f.TSInternetPrivacy.CBRecentDocuments, &f.TSInternetPrivacy.CBRun,
                   &f.TSInternetPrivacy.CBCleanCache, &f.TSInternetPrivacy.CBCleanWebsiteHistory})
                 box->SetChecked(true);
             f.TSInternetPrivacy.TSInternetPrivacyShow();
         }},
        {"cookies",
         [](app::TFrmMain& f) {
             CacheEntries();
             auto& page = f.TSCookieManager;
             page.TSCookieManagerShow();
             for (int i = 0; i < page.LBCookieDelete.Count(); ++i)
                 if (page.LBCookieDelete.ItemText(i).find("bank") != std::string::npos) {
                     page.LBCookieDelete.Select(i);
                     page.BtnKeepCookieClick();
                     break;
                 }
             page.LBCookieDelete.Select(0);
             page.LBCookieDeleteClick();
         }},
        {"scanned",
         [](app::TFrmMain& f) {
             // A few junk files in a folder of their own, then a real scan of drive C.
             const std::string root = platform::TempFolder() + "Veltrin showcase";
             for (const char* folder : {"", "\\cache", "\\help", "\\setup~1"})
                 CreateDirectoryW(platform::Widen(root + folder).c_str(), nullptr);
             const std::pair<const char*, size_t> files[] = {{"\\~WRL0001.tmp", 24576},
                                                             {"\\cache\\index.$$$", 131072},
                                                             {"\\cache\\page.tmp", 8192},
                                                             {"\\help\\windows.gid", 40960},
                                                             {"\\setup~1\\_ISTMP1.tmp", 1536000},
                                                             {"\\setup~1\\data.temp", 65536},
                                                             {"\\report.log", 512}};
             for (const auto& [name, size] : files)
                 platform::WriteWholeFile(root + name, std::string(size, 'j'));
             f.TSDiskMedic.BtnScanJunkNowClick();
         }},
    };
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    app::DesktopServices services;
    g_services = &services;
    ShowcaseFolders specialFolders;
    g_folders = &specialFolders;
    services.context.specialFolders = &specialFolders;
    app::TFrmMain main(services.context, true);
    services.prompts.SetOwner(main.Handle());
    main.FirstShow();
    const std::string page = argc > 1 ? platform::Narrow(argv[1]) : "TSSummary";
    for (ui::Page* p : main.PCMain.Pages())
        if (p->Name() == page) main.ShowPage(*p);
    if (argc > 2) {
        const auto scenarios = Scenarios();
        if (auto it = scenarios.find(platform::Narrow(argv[2])); it != scenarios.end())
            it->second(main);
    }
    return ui::RunMessageLoop();
}
