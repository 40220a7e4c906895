// Starts the real main window with the real services and shows one page by its name, for
// screenshots: showcase.exe [PAGE] [SCENARIO]. A scenario fills the page with something to
// look at; pages register theirs in Scenarios() below.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <string>

#include "app/frm_main.h"
#include "platform/files.h"
#include "platform/handles.h"
#include "platform/text.h"
#include "ui/message_pump.h"
#include "ui/win32_prompts.h"

namespace {

using Scenario = std::function<void(app::TFrmMain&)>;

std::map<std::string, Scenario> Scenarios() {
    return {
        {"report",
         [](app::TFrmMain& f) {
             f.report().AddReportLine("C:\\Temp\\setup.tmp deleted!");
             f.report().AddReportLine("All Junk files deleted! ");
             f.report().AddReportLine(std::string(58, '=') + "\r\n");
         }},
        {"options", [](app::TFrmMain& f) { f.TSDiskMedic.PCDiskMedic.Activate(1); }},
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
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    platform::ComScope com;
    ui::Win32Prompts prompts;
    platform::Win32ShellLauncher shell;
    platform::SystemClock clock;
    app::AppContext context;
    context.programPath = platform::ModulePath();
    context.prompts = &prompts;
    context.shell = &shell;
    context.clock = &clock;

    app::TFrmMain main(context, true);
    prompts.SetOwner(main.Handle());
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
