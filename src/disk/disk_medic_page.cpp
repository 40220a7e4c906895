#include "disk/disk_medic_page.h"

#include <stdexcept>
#include <utility>

#include "app/frm_main.h"
#include "core/ascii_text.h"
#include "disk/disk_texts.h"
#include "disk/junk_match.h"
#include "disk/junk_types.h"
#include "disk/walk_rules.h"
#include "platform/file_walk.h"
#include "platform/files.h"
#include "platform/locale_format.h"
#include "platform/recycle_bin.h"
#include "platform/reg_integer.h"
#include "platform/text.h"
#include "ui/dispatch.h"
#include "ui/message_pump.h"

namespace disk {
namespace {

using platform::Narrow;
using platform::Widen;

constexpr char kCaption[] = "Veltrin";
constexpr char kSeparatorLine[] = "==========================================================\r\n";
static_assert(sizeof kSeparatorLine - 1 == 58 + 2);
// A PeekMessage costs a server round trip under Wine, a status panel write up to a millisecond
// and a repaint of the result list some more: pending messages run on a short time slice, the
// panels and the list catch up on a longer one.
constexpr uint64_t kPumpSliceUs = 10'000;
constexpr uint64_t kShowSliceUs = 200'000;

// Microseconds from a steady clock; the tick count moves in steps of about 16 ms under Wine.
uint64_t NowUs() {
    static const uint64_t frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return static_cast<uint64_t>(f.QuadPart);
    }();
    LARGE_INTEGER c{};
    QueryPerformanceCounter(&c);
    return static_cast<uint64_t>(c.QuadPart) / frequency * 1'000'000 +
           static_cast<uint64_t>(c.QuadPart) % frequency * 1'000'000 / frequency;
}

constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 25;

// Runs a clean-up when the scope ends, also when a handler ends with an error.
template <class F>
class ScopeExit {
  public:
    explicit ScopeExit(F f) : f_(std::move(f)) {}
    ~ScopeExit() { f_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

  private:
    F f_;
};

// The text in the ANSI code page, cut to at most `maxBytes` bytes without splitting a character.
std::string AnsiField(const std::string& utf8, size_t maxBytes) {
    std::string text = utf8;
    for (;;) {
        std::string ansi = platform::ToAnsi(text);
        if (ansi.size() <= maxBytes) return ansi;
        size_t end = text.size() - 1;
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            --end;
        text.resize(end);
    }
}

}  // namespace

void SubPage::Create(HWND parent) {
    // Not clipping its children: a group box paints only its frame, and the page's background
    // must fill the inside.
    CreateWindowOf(L"", WS_CHILD, WS_EX_CONTROLPARENT, 0, 0, 100, 100, parent);
}

DiskMedicPage::DiskMedicPage(const app::PageContext& context)
    : Page("TSDiskMedic", "Disk Medic"), context_(context) {}

const platform::DriveQueries& DiskMedicPage::Drives() const {
    return *context_.app.drives;
}

std::string DiskMedicPage::ProgramFile(const std::string& name) const {
    return context_.app.ProgramFile(name);
}

void DiskMedicPage::Create(HWND host) {
    using namespace ui;
    CreatePage(host);
    const int top = AddHeading(
        Label2, Image2, NavIcon::DiskCleaner,
        "Disk Cleaner: There are many temporary files in your system when you run some programs. "
        "These garbage file waste your hard drive space, slow your system.  You  can use Disk "
        "Cleaner to find all junk files and delete them to free disk space");
    const RECT r = ClientRect();
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
    const RECT t = TSJunkFileType.ClientRect();
    const int frameX = t.right - 8 - 120;
    LVJunkFileType.Create(TSJunkFileType.Handle(), {8, 8, frameX - 16, t.bottom - 16},
                          LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
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
    const RECT s = TSScanJunkResult.ClientRect();
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
}

void DiskMedicPage::TSDiskMedicShow() {
    FillDriveList();
    continue_ = true;
    try {
        LoadJunkTypeList(kJunkTypeFile);
    } catch (const std::exception&) {
        LoadJunkTypeList(kDefaultJunkFile);
    }
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PCDiskMedic.Activate(0);
}

// ---- Junk file types ----

void DiskMedicPage::LoadJunkTypeList(const std::string& fileName) {
    LVJunkFileType.Clear();
    typesStale_ = true;
    const std::string path = ProgramFile(fileName);
    const auto bytes = platform::ReadWholeFile(path);
    if (!bytes)
        throw std::runtime_error("Cannot open file \"" + path + "\". " + platform::LastErrorText());
    ui::ListViewBatch batch(LVJunkFileType);
    for (const JunkRecord& r : DecodeJunkTypeList(*bytes))
        LVJunkFileType.AddRow(platform::FromAnsi(r.type), {platform::FromAnsi(r.description)},
                              r.checked);
}

void DiskMedicPage::SaveJunkTypeList() {
    std::vector<JunkRecord> records;
    for (int i = 0; i < LVJunkFileType.Count(); ++i)
        records.push_back({AnsiField(LVJunkFileType.CellText(i, 0), kJunkTypeMax),
                           AnsiField(LVJunkFileType.CellText(i, 1), kJunkDescriptionMax),
                           LVJunkFileType.IsChecked(i)});
    const std::string path = ProgramFile(kJunkTypeFile);
    if (!platform::WriteWholeFile(path, EncodeJunkTypeList(records)))
        throw std::runtime_error("Cannot create file \"" + path + "\". " +
                                 platform::LastErrorText());
}

void DiskMedicPage::BtnAddJunkFileTypeClick() {
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

void DiskMedicPage::BtnDelJunkFileTypeClick() {
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

void DiskMedicPage::BtnCheckAllJunkFileTypeClick() {
    for (int i = 0; i < LVJunkFileType.Count(); ++i)
        LVJunkFileType.SetChecked(i, true);
    typesStale_ = true;
}

void DiskMedicPage::BtnClearAllJunkFileTypeClick() {
    for (int i = 0; i < LVJunkFileType.Count(); ++i)
        LVJunkFileType.SetChecked(i, false);
    typesStale_ = true;
}

void DiskMedicPage::BtnLoadDefaultJunkFileTypeClick() {
    LoadJunkTypeList(kDefaultJunkFile);
    SaveJunkTypeList();
}

void DiskMedicPage::BtnSaveJunkFileTypeClick() {
    platform::FileDialogState& dialog = context_.saveDialog;
    dialog.defaultExtension = "lst";
    dialog.filter = kJunkListFilter;
    if (!context_.app.prompts->Save(dialog)) return;
    platform::CopyFileOver(ProgramFile(kJunkTypeFile), dialog.fileName);
}

void DiskMedicPage::BtnLoadJunkFileTypeClick() {
    platform::FileDialogState& dialog = context_.openDialog;
    dialog.defaultExtension = "lst";
    dialog.filter = kJunkListFilter;
    if (!context_.app.prompts->Open(dialog)) return;
    const std::string chosen = dialog.files.empty() ? dialog.fileName : dialog.files.front();
    platform::CopyFileOver(chosen, ProgramFile(kJunkTypeFile));
    // The rows show what the working file now holds, so that the next write cannot put the old
    // rows back over the list just loaded.
    LoadJunkTypeList(kJunkTypeFile);
}

// ---- Drives ----

void DiskMedicPage::AddDriveRow(const std::string& root) {
    const auto space = Drives().Space(root);
    const int64_t total = space ? static_cast<int64_t>(space->totalBytes) : -1;
    const int64_t free = space ? static_cast<int64_t>(space->freeBytes) : -1;
    const DriveFigures f = DriveFiguresOf(total, free, platform::DecimalSeparator());
    const int row = LVDriveInfo.AddRow(root, {f.capacity, f.used, f.free, f.usedPercent}, true);
    if (root == "C:\\") return;  // drive C is always offered, and always checked
    if (platform::ReadRegInteger(kDiskInfoKey, root) == 0) LVDriveInfo.SetChecked(row, false);
    if (free == 0) LVDriveInfo.DeleteRow(row);
}

void DiskMedicPage::FillDriveList() {
    ui::ListViewBatch batch(LVDriveInfo);
    LVDriveInfo.Clear();
    AddDriveRow("C:\\");
    for (char letter = 'D'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        if (Drives().DriveType(root) == DRIVE_FIXED) AddDriveRow(root);
    }
}

void DiskMedicPage::LVDriveInfoClick() {
    for (int i = 0; i < LVDriveInfo.Count(); ++i)
        platform::WriteRegInteger(kDiskInfoKey, LVDriveInfo.CellText(i, 0),
                                  LVDriveInfo.IsChecked(i) ? 1 : 0);
}

// ---- The scan ----

void DiskMedicPage::BtnScanJunkNowClick() {
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
    const ScopeExit idle([this] {
        scanning_ = false;
        continue_ = true;
        ResultRedrawOn();
        BtnStopScan.SetEnabled(false);
        BtnScanJunkNow.SetEnabled(true);
    });
    PCDiskMedic.Activate(2);
    ResultRedrawOff();
    LVScanJunkResult.Clear();
    resultChanged_ = true;
    nextPump_ = nextShow_ = 0;

    for (int i = 0; i < LVDriveInfo.Count(); ++i) {
        if (!LVDriveInfo.IsChecked(i)) continue;
        FkFileListGet("*.*", LVDriveInfo.CellText(i, 0), true);
        PumpOnSlice();
    }
    continue_ = true;
    FlushPanels();
    SetPanel(2, kScanFinished);
    SetPanel(1, JunkMegabytesText(junkBytes_, platform::DecimalSeparator()));
    FlushPanels();
}

void DiskMedicPage::BtnStopScanClick() {
    continue_ = false;
    BtnStopScan.SetEnabled(false);
    // "Scan Now" comes back when the scan has wound down and returned.
    if (!scanning_) BtnScanJunkNow.SetEnabled(true);
}

bool DiskMedicPage::FkFileListGet(const std::string& mask, const std::string& folder,
                                  bool recurse) {
    typesStale_ = true;  // the user may have changed them since the last walk
    std::string start = core::TrimControlAndBlanks(folder);
    if (start.empty() || start.back() != '\\') start += '\\';
    const bool finished = Walk(Widen(mask), Widen(start), recurse);
    if (!scanning_) FlushPanels();
    return finished;
}

bool DiskMedicPage::Walk(const std::wstring& mask, const std::wstring& folder, bool recurse) {
    // One listing gives both the files and the subfolders when the mask takes every name.
    const bool everyName = mask == L"*.*" || mask == L"*";
    std::vector<std::wstring> subfolders;
    {
        platform::DirectoryListing listing(folder + L"*");
        WIN32_FIND_DATAW entry;
        while (listing.Next(entry)) {
            switch (KindOfEntry(entry.dwFileAttributes)) {
                case EntryKind::Folder:
                    subfolders.emplace_back(entry.cFileName);
                    break;
                case EntryKind::File:
                    if (everyName && !LookAtFile(folder, entry)) return false;
                    break;
                case EntryKind::Passed:
                    break;
            }
        }
    }
    if (!everyName) {
        platform::DirectoryListing listing(folder + mask);
        WIN32_FIND_DATAW entry;
        while (listing.Next(entry))
            if (KindOfEntry(entry.dwFileAttributes) == EntryKind::File &&
                !LookAtFile(folder, entry))
                return false;
    }
    if (!recurse) return true;
    for (const std::wstring& name : subfolders) {
        bool finished = false;
        try {
            finished = Walk(mask, folder + name + L'\\', recurse);
        } catch (const std::exception&) {
            // A subfolder that fails ends this folder's walk, not the scan.
            break;
        }
        PumpOnSlice();
        if (!finished) break;
    }
    return true;
}

void DiskMedicPage::ReadCheckedTypes() {
    checkedTypeExtensions_.clear();
    for (int i = 0; i < LVJunkFileType.Count(); ++i) {
        if (!LVJunkFileType.IsChecked(i)) continue;
        const std::wstring type = Widen(LVJunkFileType.CellText(i, 0));
        checkedTypeExtensions_.emplace_back(ExtensionOf(std::wstring_view(type)));
    }
    typesStale_ = false;
}

bool DiskMedicPage::LookAtFile(const std::wstring& folder, const WIN32_FIND_DATAW& entry) {
    // The checked types change only while messages run, so they are read again after a pump.
    if (typesStale_) ReadCheckedTypes();
    currentFile_.assign(folder).append(entry.cFileName);
    currentFileShown_ = false;
    const auto extension = ExtensionOf(std::wstring_view(entry.cFileName));
    // Once per checked type: a file that two types select is listed twice.
    for (size_t i = 0; i < checkedTypeExtensions_.size(); ++i) {
        if (!SameExtension(extension, std::wstring_view(checkedTypeExtensions_[i]))) continue;
        AddFind(folder, entry);
    }
    PumpOnSlice();
    return continue_;
}

void DiskMedicPage::AddFind(const std::wstring& folder, const WIN32_FIND_DATAW& entry) {
    const uint64_t size = (static_cast<uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
    const std::wstring full = folder + entry.cFileName;
    LVScanJunkResult.AddRow(Narrow(entry.cFileName), {std::to_string(size), Narrow(full)}, true);
    resultChanged_ = true;
    ++junkCount_;
    PumpOnSlice();
    SetPanel(0, JunkCountText(junkCount_));
    junkBytes_ += static_cast<double>(size);
    SetPanel(1, JunkBytesText(junkBytes_, platform::DecimalSeparator()));
}

// ---- Pacing ----

void DiskMedicPage::SetPanel(int panel, std::string text) {
    panelText_[panel] = std::move(text);
    panelDirty_[panel] = true;
    if (panel == 2) currentFileShown_ = true;
}

void DiskMedicPage::FlushPanels() {
    if (!currentFileShown_) {
        SetPanel(2, Narrow(currentFile_));
    }
    for (int i = 0; i < 3; ++i) {
        if (!panelDirty_[i]) continue;
        context_.status.SetPanelText(i, panelText_[i]);
        panelDirty_[i] = false;
    }
}

void DiskMedicPage::ResultRedrawOff() {
    if (resultRedrawOff_++ == 0) SendMessageW(LVScanJunkResult.Handle(), WM_SETREDRAW, FALSE, 0);
}

void DiskMedicPage::ResultRedrawOn() {
    if (resultRedrawOff_ == 0) return;
    if (--resultRedrawOff_ == 0) LVScanJunkResult.SetRedraw(true);
}

void DiskMedicPage::PumpOnSlice() {
    if (NowUs() < nextPump_) return;
    ui::PumpMessages();
    CheckWindow();
    // The checked types change only while messages run.
    typesStale_ = true;
    if (NowUs() >= nextShow_) {
        ShowProgress();
        nextShow_ = NowUs() + kShowSliceUs;
    }
    nextPump_ = NowUs() + kPumpSliceUs;
}

void DiskMedicPage::ShowProgress() {
    FlushPanels();
    // Rows added or removed with redraw off appear now; the pump paints them before redraw
    // goes off again.
    if (resultRedrawOff_ == 0 || !resultChanged_) return;
    resultChanged_ = false;
    LVScanJunkResult.SetRedraw(true);
    ui::PumpMessages();
    CheckWindow();
    if (resultRedrawOff_ > 0) SendMessageW(LVScanJunkResult.Handle(), WM_SETREDRAW, FALSE, 0);
}

void DiskMedicPage::CheckWindow() const {
    // The window closed while its messages ran: nothing is left to scan for or delete into.
    if (!IsWindow(Handle())) throw ui::Abort{};
}

// ---- Deletion ----

DiskMedicPage::Outcome DiskMedicPage::RemoveJunkFile(const std::string& path, bool recycle,
                                                     bool clearAttributes) {
    const DWORD attributes = platform::FileAttributes(path);
    // Only a file is removed: a folder that took the name since the scan was never listed.
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return Outcome::Failed;
    if (clearAttributes) platform::SetFileAttributesOf(path, FILE_ATTRIBUTE_NORMAL);
    const bool removed =
        recycle ? platform::SendToRecycleBin(path, false) : platform::RemoveFile(path);
    // A file that stays keeps the attributes it had.
    if (!removed && clearAttributes && platform::FileAttributes(path) != INVALID_FILE_ATTRIBUTES)
        platform::SetFileAttributesOf(path, attributes);
    return removed ? Outcome::Removed : Outcome::Failed;
}

void DiskMedicPage::ReportRemoval(const std::string& path, bool recycle, Outcome outcome) {
    const char* suffix = outcome == Outcome::Removed
                             ? (recycle ? kRecycledSuffix : kDeletedSuffix)
                             : (recycle ? kNotRecycledSuffix : kNotDeletedSuffix);
    context_.report.AddReportLine(path + suffix);
}

void DiskMedicPage::BtnDeleteJunkClick() {
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

void DiskMedicPage::BtnDeleteAllJunkClick() {
    SetPanel(2, kDeletingJunk);
    FlushPanels();
    ResultRedrawOff();
    nextPump_ = nextShow_ = 0;  // messages run before the first file too
    {
        const ScopeExit redraw([this] { ResultRedrawOn(); });
        // From the last row to the first, so removing a row leaves the ones still to visit
        // where they were.
        for (int i = LVScanJunkResult.Count() - 1; i >= 0; --i) {
            PumpOnSlice();
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
            resultChanged_ = true;
        }
    }
    SetPanel(2, kAllJunkDeleted);
    FlushPanels();
    context_.report.AddReportLine(kAllJunkDeleted);
    context_.report.AddReportLine(kSeparatorLine);
}

}  // namespace disk
