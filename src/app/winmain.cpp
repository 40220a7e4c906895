// The program's entry: the real platform services, the main window, the message loop.
#include <windows.h>
#include <commctrl.h>

#include "app/frm_main.h"
#include "platform/handles.h"
#include "ui/message_pump.h"
#include "ui/win32_prompts.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    platform::ComScope com;

    ui::Win32Prompts prompts;
    platform::Win32ShellLauncher shell;
    platform::SystemClock clock;
    platform::Win32SpecialFolders specialFolders;
    app::AppContext context;
    context.programPath = platform::ModulePath();
    context.prompts = &prompts;
    context.shell = &shell;
    context.clock = &clock;
    context.specialFolders = &specialFolders;

    app::TFrmMain main(context, /*endsApplication=*/true);
    prompts.SetOwner(main.Handle());
    main.FirstShow();
    return ui::RunMessageLoop();
}
