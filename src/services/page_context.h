#pragma once
// What every tool page is given: the program's services and the main window's shared parts,
// never the main window itself, so a tool folder needs nothing from app/.
#include "platform/prompts.h"
#include "services/app_context.h"
#include "services/report_log.h"
#include "services/settings_file.h"
#include "ui/controls.h"

namespace services {

struct PageContext {
    const AppContext& app;
    ui::StatusBar& status;
    Report& report;
    SettingsFile& settings;
    platform::FileDialogState& openDialog;
    platform::FileDialogState& saveDialog;

    std::string ProgramFile(std::string_view relative) const { return app.ProgramFile(relative); }
};

}  // namespace services
