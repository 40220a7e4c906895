#include "disk/disk_cleaner_page.h"

#include <optional>
#include <stdexcept>
#include <utility>

#include "core/ascii_text.h"
#include "core/scope_exit.h"
#include "disk/disk_texts.h"
#include "disk/junk_list_texts.h"
#include "disk/junk_types.h"
#include "disk/junk_walk.h"
#include "platform/file_identity.h"
#include "platform/file_walk.h"
#include "platform/files.h"
#include "platform/locale_format.h"
#include "platform/recycle_bin.h"
#include "platform/reg_integer.h"
#include "platform/text.h"
#include "ui/dispatch.h"
#include "ui/paced_loop.h"

namespace disk {
namespace {

using platform::Narrow;
using platform::Widen;

constexpr char kCaption[] = "Veltrin";
constexpr char kSeparatorLine[] = "==========================================================\r\n";
static_assert(sizeof kSeparatorLine - 1 == 58 + 2);

constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 25;

}  // namespace

void SubPage::Create(HWND parent) {
    // Not clipping its children: a group box paints only its frame, and the page's background
    // must fill the inside.
    CreateWindowOf(L"", WS_CHILD, WS_EX_CONTROLPARENT, 0, 0, 100, 100, parent);
}

DiskCleanerPage::DiskCleanerPage(const services::PageContext& context)
    : Page("TSDiskMedic", "Disk Medic"), context_(context) {}

const platform::DriveQueries& DiskCleanerPage::Drives() const {
    return *context_.app.drives;
}

std::string DiskCleanerPage::ProgramFile(const std::string& name) const {
    return context_.app.ProgramFile(name);
}

void DiskCleanerPage::Create(HWND host) {
    using namespace ui;
    CreatePage(host);
    const int top = AddHeading(
        Label2, Image2, NavIcon::DiskCleaner,
        "Disk Cleaner: There are many temporary files in your system when you run some programs. "
        "These garbage file waste your hard drive space, slow your system.  You  can use Disk "
        "Cleaner to find all junk files and delete them to free disk space");
    const RECT r = ClientUnits();
    const int buttonsX = r.right - 8 - kButtonWidth;

    LVDriveInfo.Create(Handle(), {8, top, buttonsX - 16, 122},
                       LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                       LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
    LVDriveInfo.AddColumn("Drive", 60);
    LVDriveInfo.AddColumn("Capacity", 80);
    LVDriveInfo.AddColumn("Used", 80);
    LVDriveInfo.AddColumn("Free", 80);
    LVDriveInfo.AddColumn("Used/Total (%)", 100);
    AnchorChild(LVDriveInfo.Handle(), kAnchorLeft | kAnchorTop | kAnchorRight);
    const std::pair<Button*, const char*> driveButtons[] = {{&BtnScanJunkNow, "Scan Now"},
                                                            {&BtnStopScan, "Stop"},
                                                            {&BtnDeleteJunk, "Delete"},
                                                            {&BtnDeleteAllJunk, "Delete All"}};
    int y = top;
    for (auto [button, caption] : driveButtons) {
        button->Create(Handle(), caption, {buttonsX, y, kButtonWidth, kButtonHeight});
        AnchorChild(button->Handle(), kAnchorTop | kAnchorRight);
        y += kButtonHeight + 7;
    }
    BtnStopScan.SetEnabled(false);

    const int tabsTop = top + 122 + 10;
    PCDiskMedic.Create(Handle(), {8, tabsTop, r.right - 16, r.bottom - tabsTop - 8},
                       TCS_MULTILINE | TCS_HOTTRACK);
    AnchorChild(PCDiskMedic.Handle(), kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom);
    const std::pair<SubPage*, const char*> tabs[] = {{&TSJunkFileType, "Junk File Type   "},
                                                     {&TSDMOptions, "Options      "},
                                                     {&TSScanJunkResult, "Scan Result      "}};
    for (auto [page, caption] : tabs) {
        page->Create(Handle());
        PCDiskMedic.AddTab(caption, page->Handle());
    }

    // Junk file types: the list, a frame of four buttons beside it, three buttons below that.
    const RECT t = TSJunkFileType.ClientUnits();
    const int frameX = t.right - 8 - 120;
    // The list holds its rows itself: a list file can hold a hundred thousand types.
    LVJunkFileType.Create(TSJunkFileType.Handle(), {8, 8, frameX - 16, t.bottom - 16},
                          LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_OWNERDATA,
                          LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES);
    LVJunkFileType.AddColumn("Type", 100);
    LVJunkFileType.AddColumn("Description", 200);
    TSJunkFileType.AnchorChild(LVJunkFileType.Handle(),
                               kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom);
    GBJunkFileType.Create(TSJunkFileType.Handle(), "", {frameX, 2, 120, 140});
    TSJunkFileType.AnchorChild(GBJunkFileType.Handle(), kAnchorTop | kAnchorRight);
    const std::pair<Button*, const char*> typeButtons[] = {
        {&BtnAddJunkFileType, "Add"},
        {&BtnDelJunkFileType, "Delete"},
        {&BtnCheckAllJunkFileType, "Check All"},
        {&BtnClearAllJunkFileType, "Clear All"},
        {&BtnSaveJunkFileType, "Save as File"},
        {&BtnLoadJunkFileType, "Load from File"},
        {&BtnLoadDefaultJunkFileType, "Load Default"}};
    y = 18;
    for (size_t i = 0; i < std::size(typeButtons); ++i) {
        if (i == 4) y = 154;  // below the frame
        const int x = i < 4 ? frameX + 10 : frameX;
        const int w = i < 4 ? 100 : 120;
        typeButtons[i].first->Create(TSJunkFileType.Handle(), typeButtons[i].second,
                                     {x, y, w, kButtonHeight});
        TSJunkFileType.AnchorChild(typeButtons[i].first->Handle(), kAnchorTop | kAnchorRight);
        y += kButtonHeight + 5;
    }

    // The delete option.
    GBDeleteOption.Create(TSDMOptions.Handle(), "Delete Option    ", {8, 8, 260, 84});
    RBDirectDel.Create(TSDMOptions.Handle(), "Delete Permanently", {24, 32, 220, 20}, true);
    RBMoveToRecycle.Create(TSDMOptions.Handle(), "Move To Recycle", {24, 58, 220, 20}, false);
    context_.settings.RegisterRadioButton(22, RBDirectDel);
    context_.settings.RegisterRadioButton(23, RBMoveToRecycle);

    // The scan result.
    const RECT s = TSScanJunkResult.ClientUnits();
    // Double buffered: the list repaints while a scan grows it, and a buffered paint costs half.
    LVScanJunkResult.Create(TSScanJunkResult.Handle(), {4, 4, s.right - 8, s.bottom - 8},
                            LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                            LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES | LVS_EX_DOUBLEBUFFER);
    LVScanJunkResult.AddColumn("File Name", 120);
    LVScanJunkResult.AddColumn("Size", 100);
    LVScanJunkResult.AddColumn("Path", 250);
    TSScanJunkResult.AnchorChild(LVScanJunkResult.Handle(),
                                 kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom);

    // The list toggles a check box only after it has told of the click, so the choices are
    // stored once the click has been handled whole.
    LVDriveInfo.onClick = [this] { LVDriveInfoClick(); };
    BtnScanJunkNow.onClick = [this] { BtnScanJunkNowClick(); };
    BtnStopScan.onClick = [this] { BtnStopScanClick(); };
    BtnDeleteJunk.onClick = [this] { BtnDeleteJunkClick(); };
    BtnDeleteAllJunk.onClick = [this] { BtnDeleteAllJunkClick(); };
    BtnAddJunkFileType.onClick = [this] { BtnAddJunkFileTypeClick(); };
    BtnDelJunkFileType.onClick = [this] { BtnDelJunkFileTypeClick(); };
    BtnCheckAllJunkFileType.onClick = [this] { BtnCheckAllJunkFileTypeClick(); };
    BtnClearAllJunkFileType.onClick = [this] { BtnClearAllJunkFileTypeClick(); };
    BtnSaveJunkFileType.onClick = [this] { BtnSaveJunkFileTypeClick(); };
    BtnLoadJunkFileType.onClick = [this] { BtnLoadJunkFileTypeClick(); };
    BtnLoadDefaultJunkFileType.onClick = [this] { BtnLoadDefaultJunkFileTypeClick(); };
    // The walk reads the checked types again only after they changed.
    LVJunkFileType.onCheckChanged = [this](int) { typesStale_ = true; };
}

void DiskCleanerPage::TSDiskMedicShow() {
    FillDriveList();
    continue_ = true;
    try {
        LoadJunkTypeList(kJunkTypeFile);
    } catch (const std::exception& e) {
        // A missing working list is the first run; one that is there but cannot be read (held
        // by another program) is worth a record, and is kept when the defaults are saved.
        if (platform::FileAttributes(ProgramFile(kJunkTypeFile)) != INVALID_FILE_ATTRIBUTES)
            ui::ReportError(this, e.what());
        LoadJunkTypeList(kDefaultJunkFile);
    }
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PCDiskMedic.Activate(0);
}

// ---- Junk file types ----

void DiskCleanerPage::LoadJunkTypeList(const std::string& fileName) {
    LVJunkFileType.Clear();
    typesStale_ = true;
    const std::string path = ProgramFile(fileName);
    const bool working = fileName == kJunkTypeFile;
    if (working) workingListShown_ = false;
    const auto bytes = platform::ReadWholeFile(path);
    if (!bytes)
        throw std::runtime_error("Cannot open file \"" + path + "\". " + platform::LastErrorText());
    if (working) workingListShown_ = true;
    std::vector<ui::ListView::Row> rows;
    for (const JunkRecord& r : DecodeJunkTypeList(*bytes))
        rows.push_back(
            {{platform::FromAnsi(r.type), platform::FromAnsi(r.description)}, r.checked});
    LVJunkFileType.SetRows(std::move(rows));
}

void DiskCleanerPage::SaveJunkTypeList() {
    std::vector<JunkRecord> records;
    for (int i = 0; i < LVJunkFileType.Count(); ++i)
        records.push_back(JunkRecordOf(LVJunkFileType.CellText(i, 0), LVJunkFileType.CellText(i, 1),
                                       LVJunkFileType.IsChecked(i)));
    const std::string path = ProgramFile(kJunkTypeFile);
    KeepUnshownWorkingList();
    if (!platform::WriteWholeFile(path, EncodeJunkTypeList(records)))
        throw std::runtime_error("Cannot create file \"" + path + "\". " +
                                 platform::LastErrorText());
    workingListShown_ = true;
}

void DiskCleanerPage::KeepUnshownWorkingList() {
    if (workingListShown_) return;
    const std::string path = ProgramFile(kJunkTypeFile);
    if (platform::FileAttributes(path) == INVALID_FILE_ATTRIBUTES) return;
    // The user's list was never read, so the rows on screen are not it: it is kept aside
    // before anything replaces it, and nothing replaces it while it cannot be.
    const std::string backup = path + kBackupSuffix;
    if (!platform::CopyFileOver(path, backup))
        throw std::runtime_error("Cannot create file \"" + backup + "\". " +
                                 platform::LastErrorText());
    workingListShown_ = true;
}

void DiskCleanerPage::BtnAddJunkFileTypeClick() {
    auto& prompts = *context_.app.prompts;
    const auto type =
        prompts.Input("Input Filter", "Please input filter type(like *.tmp )", "*.tmp");
    if (!type) return;  // cancelled: nothing to add
    const std::string defaultDescription = "System tem files";
    const auto description = prompts.Input(
        "Input Description", "Please input this filter`s description", defaultDescription);
    LVJunkFileType.AddRow(*type, {description.value_or(defaultDescription)}, true);
    typesStale_ = true;
    SaveJunkTypeList();
}

void DiskCleanerPage::BtnDelJunkFileTypeClick() {
    try {
        const int row = LVJunkFileType.SelectedIndex();
        if (row < 0) return;
        LVJunkFileType.DeleteRow(row);
        typesStale_ = true;
        SaveJunkTypeList();
    } catch (const std::exception&) {
        // The row is gone from the screen; a file that cannot be written stays as it was.
    }
}

void DiskCleanerPage::BtnCheckAllJunkFileTypeClick() {
    ui::ListViewBatch batch(LVJunkFileType);
    for (int i = 0; i < LVJunkFileType.Count(); ++i)
        LVJunkFileType.SetChecked(i, true);
    typesStale_ = true;
}

void DiskCleanerPage::BtnClearAllJunkFileTypeClick() {
    ui::ListViewBatch batch(LVJunkFileType);
    for (int i = 0; i < LVJunkFileType.Count(); ++i)
        LVJunkFileType.SetChecked(i, false);
    typesStale_ = true;
}

void DiskCleanerPage::BtnLoadDefaultJunkFileTypeClick() {
    LoadJunkTypeList(kDefaultJunkFile);
    SaveJunkTypeList();
}

void DiskCleanerPage::BtnSaveJunkFileTypeClick() {
    platform::FileDialogState& dialog = context_.saveDialog;
    dialog.defaultExtension = "lst";
    dialog.filter = kJunkListFilter;
    if (!context_.app.prompts->Save(dialog)) return;
    platform::CopyFileOver(ProgramFile(kJunkTypeFile), dialog.fileName);
}

void DiskCleanerPage::BtnLoadJunkFileTypeClick() {
    platform::FileDialogState& dialog = context_.openDialog;
    dialog.defaultExtension = "lst";
    dialog.filter = kJunkListFilter;
    if (!context_.app.prompts->Open(dialog)) return;
    const std::string chosen = dialog.files.empty() ? dialog.fileName : dialog.files.front();
    KeepUnshownWorkingList();
    platform::CopyFileOver(chosen, ProgramFile(kJunkTypeFile));
    // The rows show what the working file now holds, so that the next write cannot put the old
    // rows back over the list just loaded.
    LoadJunkTypeList(kJunkTypeFile);
}

// ---- Drives ----

void DiskCleanerPage::AddDriveRow(const std::string& root) {
    const auto space = Drives().Space(root);
    const int64_t total = space ? static_cast<int64_t>(space->totalBytes) : -1;
    const int64_t free = space ? static_cast<int64_t>(space->freeBytes) : -1;
    const DriveFigures f = DriveFiguresOf(total, free, platform::DecimalSeparator());
    const int row = LVDriveInfo.AddRow(root, {f.capacity, f.used, f.free, f.usedPercent}, true);
    if (root == "C:\\") return;  // drive C is always offered, and always checked
    if (platform::ReadRegInteger(kDiskInfoKey, root) == 0) LVDriveInfo.SetChecked(row, false);
    if (free == 0) LVDriveInfo.DeleteRow(row);
}

void DiskCleanerPage::FillDriveList() {
    ui::ListViewBatch batch(LVDriveInfo);
    LVDriveInfo.Clear();
    AddDriveRow("C:\\");
    for (char letter = 'D'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        if (Drives().DriveType(root) == DRIVE_FIXED) AddDriveRow(root);
    }
}

void DiskCleanerPage::LVDriveInfoClick() {
    for (int i = 0; i < LVDriveInfo.Count(); ++i)
        platform::WriteRegInteger(kDiskInfoKey, LVDriveInfo.CellText(i, 0),
                                  LVDriveInfo.IsChecked(i) ? 1 : 0);
}

// ---- The scan ----

void DiskCleanerPage::BtnScanJunkNowClick() {
    // A scan never runs inside another: the running one keeps its counters and rows.
    if (scanning_) return;
    junkCount_ = 0;
    junkBytes_ = 0;
    bool anyType = false;
    for (int i = 0; i < LVJunkFileType.Count() && !anyType; ++i)
        anyType = LVJunkFileType.IsChecked(i);
    if (!anyType) {
        context_.app.prompts->Message(kSelectFiltersMessage, kCaption, platform::kOk);
        PCDiskMedic.Activate(0);
        return;
    }

    scanning_ = true;
    BtnStopScan.SetEnabled(true);
    BtnScanJunkNow.SetEnabled(false);
    ui::PacedLoop loop = MakeLoop();
    scanLoop_ = &loop;
    const core::ScopeExit idle([this] {
        scanLoop_ = nullptr;
        scanning_ = false;
        continue_ = true;
        BtnStopScan.SetEnabled(false);
        BtnScanJunkNow.SetEnabled(true);
    });
    PCDiskMedic.Activate(2);
    loop.Hold(LVScanJunkResult);
    LVScanJunkResult.Clear();
    loop.Changed();

    std::vector<std::string> roots;
    for (int i = 0; i < LVDriveInfo.Count(); ++i)
        if (LVDriveInfo.IsChecked(i)) roots.push_back(LVDriveInfo.CellText(i, 0));
    for (const std::string& root : roots) {
        FkFileListGet("*.*", root, true);
        loop.Tick();
    }
    continue_ = true;
    loop.Flush();
    loop.SetPanel(2, kScanFinished);
    loop.SetPanel(1, JunkMegabytesText(junkBytes_, platform::DecimalSeparator()));
    loop.Flush();
}

void DiskCleanerPage::BtnStopScanClick() {
    continue_ = false;
    BtnStopScan.SetEnabled(false);
    // "Scan Now" comes back when the scan has wound down and returned.
    if (!scanning_) BtnScanJunkNow.SetEnabled(true);
}

ui::PacedLoop DiskCleanerPage::MakeLoop() {
    return ui::PacedLoop(Handle(), &context_.status);
}

void DiskCleanerPage::ReadCheckedTypes() {
    checkedTypes_.Clear();
    for (int i = 0; i < LVJunkFileType.Count(); ++i)
        if (LVJunkFileType.IsChecked(i)) checkedTypes_.Add(Widen(LVJunkFileType.CellText(i, 0)));
    typesStale_ = false;
}

bool DiskCleanerPage::FkFileListGet(const std::string& mask, const std::string& folder,
                                    bool recurse) {
    std::string start = core::TrimControlAndBlanks(folder);
    if (start.empty() || start.back() != '\\') start += '\\';

    // A walk outside a scan paces itself and writes its panels when it ends.
    std::optional<ui::PacedLoop> own;
    if (!scanLoop_) own.emplace(Handle(), &context_.status);
    ui::PacedLoop& loop = scanLoop_ ? *scanLoop_ : *own;

    std::wstring currentFile;
    bool currentFileShown = true;
    loop.beforeShow = [&] {
        if (!currentFileShown) loop.SetPanel(2, Narrow(currentFile));
        currentFileShown = true;
    };
    const core::ScopeExit forget([&] { loop.beforeShow = nullptr; });

    JunkWalkEvents events;
    events.onFile = [&](std::wstring_view in, const WIN32_FIND_DATAW& entry) {
        // The checked types change only through the list, which marks them stale.
        if (typesStale_) ReadCheckedTypes();
        currentFile.assign(in).append(entry.cFileName);
        currentFileShown = false;
    };
    events.onFind = [&](std::wstring_view in, const WIN32_FIND_DATAW& entry) {
        const uint64_t size =
            (static_cast<uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
        const std::wstring full = std::wstring(in) + entry.cFileName;
        LVScanJunkResult.AddRow(Narrow(entry.cFileName), {std::to_string(size), Narrow(full)},
                                true);
        loop.Changed();
        ++junkCount_;
        loop.Tick();
        loop.SetPanel(0, JunkCountText(junkCount_));
        junkBytes_ += static_cast<double>(size);
        loop.SetPanel(1, JunkBytesText(junkBytes_, platform::DecimalSeparator()));
    };
    events.onTick = [&] {
        loop.Tick();
        return continue_;
    };
    if (typesStale_) ReadCheckedTypes();
    const bool finished = WalkJunkFiles(Widen(mask), Widen(start), recurse, checkedTypes_, events);
    if (own) own->Flush();
    return finished;
}

// ---- Deletion ----

DiskCleanerPage::Outcome DiskCleanerPage::RemoveJunkFile(const std::string& path, bool recycle,
                                                         bool clearAttributes) {
    // Only the listed file itself is touched: a folder that took the name since the scan was
    // never listed, and through a link the attributes, the delete and the recycle bin would all
    // reach the file it points to, which may lie anywhere.
    if (!recycle)  // checked and deleted through one handle: nothing swapped in is reached
        return platform::DeleteFileReachedByItsOwnName(path, clearAttributes) ? Outcome::Removed
                                                                              : Outcome::Failed;
    if (!platform::IsFileReachedByItsOwnName(path)) return Outcome::Failed;
    const DWORD attributes = platform::FileAttributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return Outcome::Failed;
    if (clearAttributes) platform::SetFileAttributesOf(path, FILE_ATTRIBUTE_NORMAL);
    const bool removed = platform::SendToRecycleBin(path, false);
    // A file that stays keeps the attributes it had.
    if (!removed && clearAttributes && platform::FileAttributes(path) != INVALID_FILE_ATTRIBUTES)
        platform::SetFileAttributesOf(path, attributes);
    return removed ? Outcome::Removed : Outcome::Failed;
}

void DiskCleanerPage::ReportRemoval(const std::string& path, bool recycle, Outcome outcome) {
    const char* suffix = outcome == Outcome::Removed
                             ? (recycle ? kRecycledSuffix : kDeletedSuffix)
                             : (recycle ? kNotRecycledSuffix : kNotDeletedSuffix);
    context_.report.AddReportLine(path + suffix);
}

void DiskCleanerPage::BtnDeleteJunkClick() {
    const int row = LVScanJunkResult.SelectedIndex();
    if (row < 0) return;
    const std::string path = LVScanJunkResult.CellText(row, kResultPath);
    const bool recycle = !RBDirectDel.IsChecked();
    const Outcome outcome = RemoveJunkFile(path, recycle, false);
    ReportRemoval(path, recycle, outcome);
    try {
        context_.app.prompts->Message(path, kCaption, platform::kOk);
        // The message box let other handlers run: the row may have moved.
        int at =
            row < LVScanJunkResult.Count() && LVScanJunkResult.CellText(row, kResultPath) == path
                ? row
                : -1;
        for (int i = 0; at < 0 && i < LVScanJunkResult.Count(); ++i)
            if (LVScanJunkResult.CellText(i, kResultPath) == path) at = i;
        if (at < 0) return;
        // A file still there keeps its row, unchecked, so the user sees what is left.
        if (outcome == Outcome::Removed)
            LVScanJunkResult.DeleteRow(at);
        else
            LVScanJunkResult.SetChecked(at, false);
    } catch (const std::exception&) {
    }
}

void DiskCleanerPage::BtnDeleteAllJunkClick() {
    ui::PacedLoop loop = MakeLoop();
    loop.SetPanel(2, kDeletingJunk);
    loop.Flush();
    {
        loop.Hold(LVScanJunkResult);
        loop.Due();  // messages run before the first file too
        // From the last row to the first, so removing a row leaves the ones still to visit
        // where they were.
        for (int i = LVScanJunkResult.Count() - 1; i >= 0; --i) {
            loop.Tick();
            if (const int count = LVScanJunkResult.Count(); i >= count) {
                i = count;  // rows went while messages ran: go on from the new last row
                continue;
            }
            if (!LVScanJunkResult.IsChecked(i)) continue;
            const std::string path = LVScanJunkResult.CellText(i, kResultPath);
            const bool recycle = !RBDirectDel.IsChecked();
            const Outcome outcome = RemoveJunkFile(path, recycle, true);
            ReportRemoval(path, recycle, outcome);
            if (outcome == Outcome::Removed)
                LVScanJunkResult.DeleteRow(i);
            else
                LVScanJunkResult.SetChecked(i, false);
            loop.Changed();
        }
    }
    loop.SetPanel(2, kAllJunkDeleted);
    loop.Flush();
    context_.report.AddReportLine(kAllJunkDeleted);
    context_.report.AddReportLine(kSeparatorLine);
}

}  // namespace disk
