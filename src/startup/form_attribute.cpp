#include "startup/form_attribute.h"

#include "startup/command_rules.h"
#include "startup/enumeration.h"
#include "startup/locations.h"
#include "startup/pictures.h"
#include "startup/storage.h"
#include "ui/dispatch.h"

namespace startup {
namespace {

constexpr int kClientWidth = 393;
constexpr int kClientHeight = 339;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

}  // namespace

void Panel::Create(HWND parent, ui::Bounds b) {
    CreateWindowOf(L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, b.x, b.y, b.w,
                   b.h, parent);
}

TFormAttribute::TFormAttribute(AttributeTexts& attributes, bool editMode,
                               platform::Prompts& prompts, platform::ShellLauncher& shell,
                               const platform::SpecialFolders& folders)
    : Window("FormAttribute"),
      attributes_(attributes),
      editMode_(editMode),
      opened_{attributes.AttrName, attributes.AttrCommand, attributes.AttrLocation,
              attributes.AttrType},
      prompts_(prompts),
      shell_(shell),
      folders_(folders) {
    openfile.filter = kOpenFileFilter;
    openfile.defaultExtension = kOpenFilePattern;
    openfile.fileName = kOpenFilePattern;
    openfile.allowMultiSelect = false;
}

TFormAttribute::~TFormAttribute() {
    if (open_) CloseDialog();
}

void TFormAttribute::Create(HWND owner) {
    // A top-level window is sized in pixels: its client area in units at the owner's DPI.
    const UINT dpi = ui::DpiOf(owner);
    RECT r{0, 0, ui::Scale(kClientWidth, dpi), ui::Scale(kClientHeight, dpi)};
    AdjustWindowRectExForDpi(&r, kStyle, FALSE, kExStyle, dpi);
    const int w = r.right - r.left, h = r.bottom - r.top;
    // Centred on the main window.
    RECT o{};
    if (owner) GetWindowRect(owner, &o);
    const int x = o.left + ((o.right - o.left) - w) / 2;
    const int y = o.top + ((o.bottom - o.top) - h) / 2;
    CreateWindowOf(L"Properties", kStyle, kExStyle, x, y, w, h, owner);

    font_.reset(CreateFontW(-ui::Scale(13, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体"));
    Panel2.Create(Handle(), {0, 0, kClientWidth, kClientHeight});
    const HWND p = Panel2.Handle();
    GroupBoxProperties.Create(p, "  Properties  ", {8, 6, 377, 268});
    LabelICO.Create(p, "ICON", {20, 38, 76, 16});
    Image1.Create(p, nullptr, {100, 26, 41, 41});
    LabelName.Create(p, "Name: ", {20, 84, 76, 16});
    FlatEditName.Create(p, "", {100, 80, 268, 22});
    LabelTypes.Create(p, "Type: ", {20, 118, 76, 16});
    FlatComboBoxType.Create(p, {100, 114, 268, 260}, CBS_DROPDOWN | CBS_AUTOHSCROLL);
    for (int code = kFirstCode; code <= kLastCode; ++code)
        FlatComboBoxType.AddItem(LocationTable()[code - 1].label);
    LabelPath.Create(p, "Location:", {20, 152, 76, 16});
    FlatEditPath.Create(p, "", {100, 148, 268, 22});
    LabelFile.Create(p, "Command:", {20, 186, 76, 16});
    FlatEditCmd.Create(p, "", {100, 182, 268, 22});
    FlatButtonOpen.Create(p, "...", {240, 214, 48, 24});
    FlatSpeedButtonFind.Create(p, "Search", {296, 214, 72, 24});
    Bevel3.Create(p, "", {8, 286, 377, 2}, SS_ETCHEDHORZ);
    FlatSpeedButtonEnter.Create(p, "OK(&O)", {192, 298, 92, 30});
    FlatSpeedButtonCancel.Create(p, "Cancel(&C)", {292, 298, 92, 30});
    okIcon_.reset(MakeButtonIcon(true, 16));
    cancelIcon_.reset(MakeButtonIcon(false, 16));
    SendMessageW(FlatSpeedButtonEnter.Handle(), BM_SETIMAGE, IMAGE_ICON,
                 reinterpret_cast<LPARAM>(okIcon_.get()));
    SendMessageW(FlatSpeedButtonCancel.Handle(), BM_SETIMAGE, IMAGE_ICON,
                 reinterpret_cast<LPARAM>(cancelIcon_.get()));
    for (HWND c = GetWindow(p, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);

    FlatComboBoxType.onChange = [this] { FlatComboBoxTypeChange(); };
    FlatEditCmd.onChange = [this] { FlatEditCmdChange(); };
    FlatButtonOpen.onClick = [this] { FlatButtonOpenClick(); };
    FlatSpeedButtonFind.onClick = [this] { FlatSpeedButtonFindClick(); };
    FlatSpeedButtonEnter.onClick = [this] { FlatSpeedButtonEnterClick(); };
    FlatSpeedButtonCancel.onClick = [this] { FlatSpeedButtonCancelClick(); };
}

void TFormAttribute::ShowModal() {
    const HWND owner = GetWindow(Handle(), GW_OWNER);
    ui::Dispatch(this, [this] { FormShow(); });
    open_ = true;
    ShowWindow(Handle(), SW_SHOW);
    if (owner) EnableWindow(owner, FALSE);
    SetFocus(FlatEditName.Handle());
    if (onShown) ui::Dispatch(this, [this] { onShown(*this); });
    MSG msg;
    while (open_) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The application is ending: leave the quit message for the outer loop.
            PostQuitMessage(got == 0 ? static_cast<int>(msg.wParam) : 0);
            break;
        }
        if (PreviewKey(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (open_) CloseDialog();
    if (owner) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
}

bool TFormAttribute::PreviewKey(const MSG& msg) {
    if (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd)) return false;
    switch (msg.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            keysDown_.insert(msg.wParam);
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            // Only a key pressed in the dialog counts: the release of the Enter that opened it
            // (Alt+Enter in the list) must not press OK.
            if (keysDown_.erase(msg.wParam)) {
                const WPARAM key = msg.wParam;
                ui::Dispatch(this, [this, key] { FormKeyUp(key); });
                if (!open_) return true;
            }
            break;
    }
    return IsDialogMessageW(Handle(), const_cast<MSG*>(&msg)) != FALSE;
}

LRESULT TFormAttribute::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE) {
        // The close box closes without storing or refreshing.
        CloseDialog();
        return 0;
    }
    return Window::HandleMessage(msg, wp, lp);
}

void TFormAttribute::CloseDialog() {
    open_ = false;
    ShowWindow(Handle(), SW_HIDE);
}

void TFormAttribute::CloseAndRefresh() {
    CloseDialog();
    if (refresh) refresh();
}

void TFormAttribute::FormShow() {
    FlatEditName.SetText(attributes_.AttrName);
    FlatEditCmd.SetText(attributes_.AttrCommand);
    FlatEditPath.SetText(attributes_.AttrLocation);
    // Setting the text is not a change by the user: the location typed by hand stays.
    FlatComboBoxType.SetText(attributes_.AttrType);
}

void TFormAttribute::FlatComboBoxTypeChange() {
    const std::string type = TrimBlanks(FlatComboBoxType.Text());
    if (type.empty()) return;
    FlatEditPath.SetText(
        LocationPath(type, [this](int csidl) { return SpecialFolderPath(folders_, csidl); }));
}

void TFormAttribute::FlatEditCmdChange() {
    HICON icon = ProgramIcon(ProgramPathOfCommand(FlatEditCmd.Text()), false);
    SendMessageW(Image1.Handle(), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    icon_.reset(icon);
}

void TFormAttribute::FlatButtonOpenClick() {
    openfile.fileName = ProgramPathOfCommand(FlatEditCmd.Text());
    if (prompts_.Open(openfile)) FlatEditCmd.SetText(openfile.fileName);
}

void TFormAttribute::FlatSpeedButtonFindClick() {
    shell_.RunCommandLine("explorer /select," + FlatEditCmd.Text(), SW_SHOW);
}

void TFormAttribute::FormKeyUp(WPARAM key) {
    if (key == VK_ESCAPE) FlatSpeedButtonCancelClick();
    if (key == VK_RETURN) FlatSpeedButtonEnterClick();
}

void TFormAttribute::FlatSpeedButtonCancelClick() {
    CloseAndRefresh();
}

void TFormAttribute::FlatSpeedButtonEnterClick() {
    const std::string name = FlatEditName.Text();
    const std::string type = FlatComboBoxType.Text();
    const std::string location = FlatEditPath.Text();
    const std::string command = FlatEditCmd.Text();
    const bool blank[] = {TrimBlanks(name).empty(), TrimBlanks(type).empty(),
                          TrimBlanks(location).empty(), TrimBlanks(command).empty()};
    if (blank[0] && blank[1] && blank[2] && blank[3]) return CloseAndRefresh();
    if (blank[0] || blank[1] || blank[2] || blank[3]) {
        prompts_.Message(kFillParametersText, kMessageCaption, platform::kOk);
        return;
    }
    if (name == attributes_.AttrName && command == attributes_.AttrCommand &&
        location == attributes_.AttrLocation && type == attributes_.AttrType)
        return CloseAndRefresh();

    const TStartupEntry stored{name, command, location, type};
    // Another entry already where this one would go is replaced only when the user says so;
    // otherwise nothing changes and the dialog stays open for another name or place. The entry
    // being edited is no other entry.
    const bool itself = editMode_ && StoresOver(opened_, stored);
    if (!itself && HoldsEntryAt(name, command, location) &&
        !ConfirmReplace(prompts_, name, location))
        return;
    attributes_ = {name, command, location, type};
    // The new entry is stored first and the old one removed only after that worked, and never
    // when it is the place just written or the file the new command still needs: an edit never
    // loses the entry.
    if (!WriteStartupEntry(prompts_, name, command, location)) {
        prompts_.Message(kExecuteErrorText, kMessageCaption, platform::kOk);
    } else if (editMode_ && !StoresOver(opened_, stored) && !NeedsOldFile(opened_, stored) &&
               removeEdited) {
        removeEdited(this);
    }
    CloseAndRefresh();
}

}  // namespace startup
