#include "privacy/file_shredder_page.h"

#include <optional>

#include "platform/files.h"
#include "platform/text.h"
#include "privacy/file_shredder.h"

namespace privacy {
namespace {

constexpr int kButtonWidth = 96, kButtonHeight = 25, kGap = 8;

// "Crush!" is a push button drawn by us, as the system's own push button has no text colour.
void DrawRedCaption(const DRAWITEMSTRUCT& item) {
    RECT r = item.rcItem;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    wchar_t caption[64] = {};
    GetWindowTextW(item.hwndItem, caption, 64);
    const int saved = SaveDC(item.hDC);
    SelectObject(item.hDC, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC,
                 (item.itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT) : RGB(255, 0, 0));
    if (pushed) OffsetRect(&r, 1, 1);
    DrawTextW(item.hDC, caption, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    RestoreDC(item.hDC, saved);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(item.hDC, &focus);
    }
}

}  // namespace

FileShredderPage::FileShredderPage(const services::PageContext& context)
    : Page("TSFileShredder", kShredderCaption), context_(context) {}

void FileShredderPage::Create(HWND host) {
    CreatePage(host);
    const int top = AddHeading(Label7, Image10, ui::NavIcon::Shredder, kShredderDescription);
    const RECT r = ClientUnits();
    const int listWidth = r.right - 16 - kButtonWidth - kGap;
    const int listHeight = r.bottom - top - 20 - 8;
    Label8.Create(Handle(), kFilesToCrush, {8, top, listWidth, 18});
    LBFileShredder.Create(Handle(), {8, top + 20, listWidth, listHeight});
    AnchorChild(LBFileShredder.Handle(),
                ui::kAnchorLeft | ui::kAnchorTop | ui::kAnchorRight | ui::kAnchorBottom);

    const int x = r.right - 8 - kButtonWidth;
    int y = top + 20;
    BtnFileShredderAddFiles.Create(Handle(), kAddFiles, {x, y, kButtonWidth, kButtonHeight});
    y += kButtonHeight + kGap;
    BtnFileShredderDelFiles.Create(Handle(), kDeleteEntry, {x, y, kButtonWidth, kButtonHeight});
    y += kButtonHeight + kGap;
    BtnFileShreddeCrushFiles.Create(Handle(), kCrush, {x, y, kButtonWidth, kButtonHeight},
                                    BS_OWNERDRAW);
    BtnFileShredderOK.Create(
        Handle(), kShredderOK,
        {x, top + 20 + listHeight - kButtonHeight, kButtonWidth, kButtonHeight}, BS_DEFPUSHBUTTON);
    for (HWND button : {BtnFileShredderAddFiles.Handle(), BtnFileShredderDelFiles.Handle(),
                        BtnFileShreddeCrushFiles.Handle()})
        AnchorChild(button, ui::kAnchorTop | ui::kAnchorRight);
    AnchorChild(BtnFileShredderOK.Handle(), ui::kAnchorRight | ui::kAnchorBottom);

    BtnFileShredderAddFiles.onClick = [this] { BtnFileShredderAddFilesClick(); };
    BtnFileShredderDelFiles.onClick = [this] { BtnFileShredderDelFilesClick(); };
    BtnFileShreddeCrushFiles.onClick = [this] { BtnFileShreddeCrushFilesClick(); };
    BtnFileShredderOK.onClick = [this] { BtnFileShredderOKClick(); };
}

LRESULT FileShredderPage::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (item.hwndItem == BtnFileShreddeCrushFiles.Handle()) {
            DrawRedCaption(item);
            return TRUE;
        }
    }
    return Page::HandleMessage(msg, wp, lp);
}

void FileShredderPage::BtnFileShredderAddFilesClick() {
    // The shared dialog keeps whatever filter its last user set; it is not changed here.
    if (!context_.app.prompts->Open(context_.openDialog)) return;
    for (const auto& file : context_.openDialog.files)
        LBFileShredder.AddItem(file);
}

void FileShredderPage::BtnFileShredderDelFilesClick() {
    if (LBFileShredder.Count() > 0 && LBFileShredder.SelectedIndex() >= 0)
        LBFileShredder.DeleteItem(LBFileShredder.SelectedIndex());
    InvalidateRect(LBFileShredder.Handle(), nullptr, TRUE);
}

void FileShredderPage::BtnFileShreddeCrushFilesClick() {
    auto& prompts = *context_.app.prompts;
    if (prompts.Message(kCrushQuestion, kCrushCaption, platform::kOkCancel) != platform::kAnswerOk)
        return;
    // Read once for the whole list: without it nothing can be made unreadable, so nothing is
    // touched.
    const auto overwrite = platform::ReadWholeFile(context_.ProgramFile(kOverwriteFile));
    if (!overwrite || overwrite->empty()) {
        prompts.Message(kNoOverwriteFile, kShredderErrorCaption,
                        platform::kOk | platform::kIconError);
        return;
    }
    // From the end, so removing an entry never moves the ones still to come.
    for (int i = LBFileShredder.Count() - 1; i >= 0; --i) {
        const std::string entry = LBFileShredder.ItemText(i);
        const ShredOutcome outcome = ShredFile(entry, *overwrite);
        context_.report.AddReportLine(ShredReportLine(entry, outcome));
        if (LeavesList(outcome)) LBFileShredder.DeleteItem(i);
    }
}

void FileShredderPage::BtnFileShredderOKClick() {
    LBFileShredder.Clear();
}

}  // namespace privacy
