// The program's entry: the real platform services, the main window, the message loop.
#include <windows.h>

#include "app/desktop_services.h"
#include "app/frm_main.h"
#include "ui/message_pump.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    app::DesktopServices services;
    app::TFrmMain main(services.context, /*endsApplication=*/true);
    services.prompts.SetOwner(main.Handle());
    main.FirstShow();
    return ui::RunMessageLoop();
}
