#pragma once
// The process manager page TSProcessList: the running processes with a verdict on each, the
// modules of the clicked one, and ending a process or opening its file's property sheet.
#include <windows.h>

#include <vector>

#include "platform/process_queries.h"
#include "platform/prompts.h"
#include "platform/shell_launcher.h"
#include "process/process_list.h"
#include "process/process_texts.h"
#include "services/page_context.h"
#include "ui/controls.h"
#include "ui/page.h"
#include "ui/popup_menu.h"

namespace process {

class ProcessManagerPage : public ui::Page {
  public:
    explicit ProcessManagerPage(const services::PageContext& context);

    void Create(HWND host) override;
    void OnShow() override { TSProcessListShow(); }

    // Empties both lists, asks for the debug privilege and lists the processes.
    void TSProcessListShow();
    // Rebuilds the process list from a fresh snapshot; the module list stays as it is.
    void PsList();
    // Lists the modules of the selected process.
    void lvw_prcClick();
    void BtnRefreshClick() { PsList(); }
    void BtnCloseClick();
    void BtnFilePropertyClick();

    // The rows the process list shows, in its order; the selected one, or nullptr.
    const std::vector<ProcessRow>& Rows() const { return rows_; }
    const ProcessRow* SelectedRow() const;

    ui::Picture Image6{"Image6"};
    ui::Label Label26{"Label26"};
    ui::ListView lvw_prc{"lvw_prc"};
    ui::Button BtnRefresh{"BtnRefresh"};
    ui::Button BtnClose{"BtnClose"};
    ui::Button BtnFileProperty{"BtnFileProperty"};
    ui::ListView lvw_mod{"lvw_mod"};

    ui::PopupMenu PMProcess{"PMProcess"};
    ui::MenuItem Refresh1{"Refresh1", kRefreshCaption};
    ui::MenuItem EndProcess1{"EndProcess1", kEndProcessCaption, {}, true, kEndProcessIcon};
    ui::MenuItem FilePro1{"FilePro1", kFilePropertyCaption, {}, true, kFilePropertyIcon};

  private:
    HWND Owner() const { return GetAncestor(Handle(), GA_ROOT); }

    platform::ProcessQueries& queries_;
    platform::Prompts& prompts_;
    platform::ShellLauncher& shell_;
    std::vector<ProcessRow> rows_;  // one per row of lvw_prc, the row's data with it
};

}  // namespace process
