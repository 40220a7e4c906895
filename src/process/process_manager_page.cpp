#include "process/process_manager_page.h"

#include <exception>

#include "platform/locale_format.h"
#include "process/process_actions.h"
#include "process/process_pictures.h"

namespace process {
namespace {

constexpr int kButtonHeight = 25;
constexpr int kGap = 8;

template <size_t N>
void AddRow(ui::ListView& list, const std::array<std::string, N>& columns) {
    list.AddRow(columns[0], std::vector<std::string>(columns.begin() + 1, columns.end()));
}

}  // namespace

ProcessManagerPage::ProcessManagerPage(const services::PageContext& context)
    : Page("TSProcessList", kPageCaption),
      queries_(*context.app.processes),
      prompts_(*context.app.prompts),
      shell_(*context.app.shell) {}

void ProcessManagerPage::Create(HWND host) {
    using namespace ui;
    CreatePage(host);
    const int top = AddHeading(Label26, Image6, NavIcon::Processes, kDescription);
    const RECT r = ClientUnits();
    const int width = r.right - 2 * kGap;
    const int listsHeight = r.bottom - top - kButtonHeight - 3 * kGap;
    const int processHeight = listsHeight / 2;

    lvw_prc.Create(Handle(), {kGap, top, width, processHeight},
                   LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER,
                   LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (const ColumnSpec& c : kProcessColumns)
        lvw_prc.AddColumn(std::string(c.header), c.width);
    AnchorChild(lvw_prc.Handle(), kAnchorLeft | kAnchorTop | kAnchorRight);

    const int buttonsY = top + processHeight + kGap;
    BtnRefresh.Create(Handle(), kRefreshCaption, {kGap, buttonsY, 75, kButtonHeight});
    BtnClose.Create(Handle(), kEndProcessCaption, {kGap + 83, buttonsY, 85, kButtonHeight});
    BtnFileProperty.Create(Handle(), kFilePropertyCaption,
                           {kGap + 176, buttonsY, 85, kButtonHeight});
    for (HWND h : {BtnRefresh.Handle(), BtnClose.Handle(), BtnFileProperty.Handle()})
        AnchorChild(h, kAnchorLeft | kAnchorTop);

    const int modulesY = buttonsY + kButtonHeight + kGap;
    lvw_mod.Create(Handle(), {kGap, modulesY, width, r.bottom - modulesY - kGap},
                   LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                   LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (const ColumnSpec& c : kModuleColumns)
        lvw_mod.AddColumn(std::string(c.header), c.width);
    AnchorChild(lvw_mod.Handle(), kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom);

    PMProcess.Create({&Refresh1, &EndProcess1, &FilePro1}, MakeMenuPicture);
    Refresh1.onClick = [this] { BtnRefreshClick(); };
    EndProcess1.onClick = [this] { BtnCloseClick(); };
    FilePro1.onClick = [this] { BtnFilePropertyClick(); };

    BtnRefresh.onClick = [this] { BtnRefreshClick(); };
    BtnClose.onClick = [this] { BtnCloseClick(); };
    BtnFileProperty.onClick = [this] { BtnFilePropertyClick(); };
    lvw_prc.onClick = [this] { lvw_prcClick(); };
    lvw_prc.onContextMenu = [this](POINT p) { PMProcess.Popup(Owner(), p); };
}

void ProcessManagerPage::TSProcessListShow() {
    lvw_prc.Clear();
    rows_.clear();
    lvw_mod.Clear();
    EnableDebugPrivilege(queries_);  // without it, other accounts' processes just show less
    PsList();
}

void ProcessManagerPage::PsList() {
    ui::ListViewBatch batch(lvw_prc);
    lvw_prc.Clear();
    rows_.clear();
    rows_ = BuildProcessRows(queries_, platform::DecimalSeparator());
    for (const ProcessRow& row : rows_)
        AddRow(lvw_prc, row.Columns());
}

const ProcessRow* ProcessManagerPage::SelectedRow() const {
    const int selected = lvw_prc.SelectedIndex();
    if (selected < 0 || static_cast<size_t>(selected) >= rows_.size()) return nullptr;
    return &rows_[static_cast<size_t>(selected)];
}

void ProcessManagerPage::lvw_prcClick() {
    ui::ListViewBatch batch(lvw_mod);
    lvw_mod.Clear();
    const ProcessRow* selected = SelectedRow();
    if (!selected) return;
    for (const ModuleRow& row : BuildModuleRows(queries_, selected->processId))
        AddRow(lvw_mod, row.Columns());
}

void ProcessManagerPage::BtnCloseClick() {
    try {
        if (EndSelectedProcess(SelectedRow(), queries_, prompts_) == EndProcessOutcome::kAttempted)
            PsList();
    } catch (const std::exception&) {
        prompts_.Message(kFailedText, kMessageCaption, platform::kOk);
    }
}

void ProcessManagerPage::BtnFilePropertyClick() {
    ShowSelectedFileProperties(SelectedRow(), shell_, Owner());
}

}  // namespace process
