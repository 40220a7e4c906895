#include "startup/startup_manager_page.h"

#include "core/ascii_text.h"
#include "core/scope_exit.h"
#include "platform/collate.h"
#include "startup/command_rules.h"
#include "startup/enumeration.h"
#include "startup/form_attribute.h"
#include "startup/locations.h"
#include "startup/pictures.h"
#include "startup/storage.h"
#include "ui/dispatch.h"

namespace startup {

LRESULT BootListView::OnNotify(const NMHDR& header) {
    if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) &&
            ((change.uNewState ^ change.uOldState) & LVIS_SELECTED))
            Fire(onSelectItem);
    }
    return ListView::OnNotify(header);
}

LRESULT BootListView::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (onKey && onKey(static_cast<UINT>(wp))) return 0;
            break;
        case WM_SIZE: {
            const LRESULT r = DefaultProc(msg, wp, lp);
            // The window's own size: a scroll bar coming or going as rows are added changes
            // only the client area, and must not count as a resize.
            RECT w{};
            GetWindowRect(Handle(), &w);
            if (onSized) onSized({w.right - w.left, w.bottom - w.top});
            return r;
        }
    }
    return DefaultProc(msg, wp, lp);
}

StartupManagerPage::StartupManagerPage(const services::PageContext& context)
    : Page("TSBootList", "TSBootList"),
      prompts_(*context.app.prompts),
      shell_(*context.app.shell),
      folders_(*context.app.specialFolders) {}

void StartupManagerPage::Create(HWND host) {
    CreatePage(host);
    const int top = AddHeading(Label30, Image10, ui::NavIcon::Startup, kBootListText);
    ImageListSetup2.reset(MakePictureList());

    LVBootList.Create(Handle(), {8, top, 565, 447},
                      LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                      LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    LVBootList.AddColumn("Name", 100);
    LVBootList.AddColumn("Command", 100);
    LVBootList.AddColumn("Location", 100);
    LVBootList.AddColumn("Type", 200);
    LVBootList.SetImageList(ImageListSetup2.get(), LVSIL_SMALL);
    AnchorChild(LVBootList.Handle(),
                ui::kAnchorLeft | ui::kAnchorTop | ui::kAnchorRight | ui::kAnchorBottom);

    const int y = top + 447 + 10;
    BtnBLAdd.Create(Handle(), "Add", {8, y, 75, 25});
    BtnBlDel.Create(Handle(), "Delete", {91, y, 75, 25});
    BtnBlProperty.Create(Handle(), "Property", {174, y, 75, 25});
    ImageProgram.Create(Handle(), nullptr, {557, y + 4, 16, 16});
    for (HWND h : {BtnBLAdd.Handle(), BtnBlDel.Handle(), BtnBlProperty.Handle()})
        AnchorChild(h, ui::kAnchorLeft | ui::kAnchorBottom);
    AnchorChild(ImageProgram.Handle(), ui::kAnchorRight | ui::kAnchorBottom);

    lvpopup.Create(
        {&Disablebtn, &N18, &Addbtn, &delbtn, &N19, &Refreshbtn, &Runbtn, &N20, &Propertiesbtn},
        [](int picture) { return MakePictureBitmap(picture); });
    Disablebtn.onClick = [this] { DisablebtnClick(&Disablebtn); };
    Addbtn.onClick = [this] { AddbtnClick(&Addbtn); };
    delbtn.onClick = [this] { delbtnClick(&delbtn); };
    Refreshbtn.onClick = [this] { RefreshbtnClick(); };
    Runbtn.onClick = [this] { RunbtnClick(); };
    Propertiesbtn.onClick = [this] { PropertiesbtnClick(&Propertiesbtn); };

    BtnBLAdd.onClick = [this] { BtnBLAddClick(); };
    BtnBlDel.onClick = [this] { delbtnClick(&BtnBlDel); };
    BtnBlProperty.onClick = [this] { PropertiesbtnClick(&BtnBlProperty); };
    LVBootList.onDblClick = [this] { AddbtnClick(&LVBootList); };
    LVBootList.onSelectItem = [this] { LVBootListSelectItem(); };
    LVBootList.onContextMenu = [this](POINT p) { lvpopup.Popup(Owner(), p); };
    // The menu's shortcuts work while the list has the focus.
    LVBootList.onKey = [this](UINT key) {
        return lvpopup.HandleShortcut(key, ui::ModifiersDown());
    };
    LVBootList.onSized = [this](SIZE now) {
        if (!listLive_ || (now.cx == listSize_.cx && now.cy == listSize_.cy)) return;
        listSize_ = now;
        ui::Dispatch(&LVBootList, [this] { LVBootListResize(); });
    };
}

void StartupManagerPage::OnShow() {
    if (listLive_) return;
    listLive_ = true;
    RECT r{};
    GetWindowRect(LVBootList.Handle(), &r);
    listSize_ = {r.right - r.left, r.bottom - r.top};
    LVBootListResize();
}

std::string StartupManagerPage::SpecialFolderPath(int csidl) const {
    return startup::SpecialFolderPath(folders_, csidl);
}

void StartupManagerPage::LVBootListResize() {
    // Handlers that run while the list is read (a resize, a delete, the dialog's refresh) ask
    // for another rebuild rather than start one inside it.
    if (rebuilding_) {
        rebuildAgain_ = true;
        return;
    }
    rebuilding_ = true;
    const core::ScopeExit idle([this] { rebuilding_ = false; });
    do {
        rebuildAgain_ = false;
        RebuildList();
    } while (rebuildAgain_);
}

void StartupManagerPage::RebuildList() {
    // Every location is read first, with messages running between entries (a shortcut can take
    // a millisecond to load); the rows then change at once, so a handler that runs meanwhile
    // sees the whole old list, never half of the new one.
    ui::PacedLoop loop(Handle(), nullptr);
    std::vector<TStartupEntry> entries;
    const auto add = [&](TStartupEntry e) {
        entries.push_back(std::move(e));
        loop.Tick();
    };
    AddFolderEntries(ListFolderFiles(SpecialFolderPath(kCsidlCommonStartup), "*.*"), 1, add);
    AddFolderEntries(ListFolderFiles(SpecialFolderPath(kCsidlStartup), "*.*"), 2, add);
    const char* const keys[] = {"\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                                "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
                                "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServices",
                                "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce"};
    int code = 3;
    for (const char* key : keys) {
        AddRegistryEntries(HKEY_LOCAL_MACHINE, key, code, add);
        code += 2;
    }
    AddRegistryEntries(HKEY_CURRENT_USER, keys[0], 11, add);
    AddRegistryEntries(HKEY_CURRENT_USER, keys[1], 13, add);
    if (rebuildAgain_) return;  // what was read is already out of date

    ui::ListViewBatch batch(LVBootList);
    LVBootList.Clear();
    for (const TStartupEntry& e : entries)
        AddEntry(e);
}

void StartupManagerPage::AddFolderEntries(const std::vector<std::string>& files, int code,
                                          const EntrySink& list) {
    for (const std::string& file : files)
        list(FolderEntry(file, code));
}

void StartupManagerPage::AddRegistryEntries(HKEY root, const std::string& keyPath, int code,
                                            const EntrySink& list) {
    // A value that cannot be listed is logged and skipped; the refresh goes on.
    const auto report = [this](const std::string& message) {
        ui::ReportError(&LVBootList, message);
    };
    for (TStartupEntry& e : RegistryEntries(root, keyPath, code, report))
        list(std::move(e));
}

int StartupManagerPage::AddEntry(const TStartupEntry& entry) {
    // Upper bound by the locale's order: the list stays sorted by name however it was read.
    int lo = 0, hi = LVBootList.Count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (platform::LocaleCompare(entry.Name, LVBootList.CellText(mid, 0)) < 0)
            hi = mid;
        else
            lo = mid + 1;
    }
    const int row =
        LVBootList.InsertRow(lo, entry.Name, {entry.Command, entry.Location, entry.TypeLabel});
    if (row < 0) return row;
    LVITEMW item{};
    item.mask = LVIF_IMAGE | LVIF_PARAM;
    item.iItem = row;
    item.iImage = kPictureAdd;
    item.lParam = entry.Enabled ? 1 : 0;
    ListView_SetItem(LVBootList.Handle(), &item);
    return row;
}

TStartupEntry StartupManagerPage::Entry(int row) const {
    TStartupEntry e;
    e.Name = LVBootList.CellText(row, 0);
    e.Command = LVBootList.CellText(row, 1);
    e.Location = LVBootList.CellText(row, 2);
    e.TypeLabel = LVBootList.CellText(row, 3);
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    ListView_GetItem(LVBootList.Handle(), &item);
    e.Enabled = item.lParam != 0;
    return e;
}

std::optional<TStartupEntry> StartupManagerPage::SelectedEntry() const {
    const int row = LVBootList.SelectedIndex();
    if (row < 0) return std::nullopt;
    return Entry(row);
}

void StartupManagerPage::LVBootListSelectItem() {
    const auto entry = SelectedEntry();
    lvpopup.SetEnabled(delbtn, entry.has_value());
    lvpopup.SetEnabled(Runbtn, entry.has_value());
    lvpopup.SetEnabled(Propertiesbtn, entry.has_value());
    if (!entry) {
        lvpopup.SetEnabled(Disablebtn, false);
        SendMessageW(ImageProgram.Handle(), STM_SETICON, 0, 0);
        programIcon_.reset();
        return;
    }
    HICON icon = ProgramIcon(ProgramPathOfCommand(entry->Command), true);
    SendMessageW(ImageProgram.Handle(), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    programIcon_.reset(icon);
    // Folder entries cannot be parked: only registry rows can be disabled.
    lvpopup.SetEnabled(Disablebtn, entry->TypeLabel.find("Registry") != std::string::npos);
    lvpopup.SetCaption(Disablebtn, entry->Enabled ? "Disable(&D)" : "Enable(&D)");
}

void StartupManagerPage::DisablebtnClick(const ui::Component*) {
    if (const auto entry = SelectedEntry()) {
        const RegistryLocation from = ParseRegistryLocation(entry->Location);
        const bool parked = !entry->Location.empty() && entry->Location.back() == '-';
        const std::string to =
            parked ? from.keyPath.substr(0, from.keyPath.size() - 1) : from.keyPath + "-";
        const HKEY root = RootKey(from.root == RegistryRoot::LocalMachine);
        const std::string toLocation =
            parked ? entry->Location.substr(0, entry->Location.size() - 1) : entry->Location + "-";
        // A value of the same name on the other side is another entry: it is not lost unasked.
        const bool go = !HoldsRegValue(root, to, entry->Name) ||
                        ConfirmReplace(prompts_, entry->Name, toLocation);
        if (go && !MoveRegValue(root, from.keyPath, to, entry->Name))
            prompts_.Message(kMoveFailedText, kMessageCaption, platform::kOk);
    }
    LVBootListResize();
}

void StartupManagerPage::delbtnClick(const ui::Component* sender) {
    if (const auto entry = SelectedEntry()) {
        // Only the menu item (or its Del key) asks; the button and the dialog do not.
        const bool confirmed =
            sender != &delbtn ||
            prompts_.Message(kDeleteQuestionText + entry->Name + "?", kDeleteQuestionCaption,
                             platform::kOkCancel | platform::kIconQuestion) == platform::kAnswerOk;
        if (confirmed) DeleteStartupEntry(prompts_, *entry);
    }
    LVBootListResize();
}

void StartupManagerPage::RunbtnClick() {
    const auto entry = SelectedEntry();
    if (!entry) return;
    // The whole command, arguments included, is the file to open.
    shell_.Execute("open", core::TrimControlAndBlanks(entry->Command), "", "", SW_SHOWNORMAL);
}

void StartupManagerPage::AddbtnClick(const ui::Component* sender) {
    const bool adding = sender == &Addbtn;
    if (adding) {
        attributes.Clear();
    } else {
        const auto entry = SelectedEntry();
        if (!entry) return;
        attributes = {entry->Name, entry->Command, entry->Location, entry->TypeLabel};
    }
    TFormAttribute dialog(attributes, !adding, prompts_, shell_, folders_);
    dialog.refresh = [this] { LVBootListResize(); };
    dialog.removeEdited = [this](const ui::Component* s) { delbtnClick(s); };
    dialog.onShown = onDialogShown;
    dialog.Create(Owner());
    dialog.ShowModal();
}

}  // namespace startup
