#include "ui/controls.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/text.h"

namespace ui {

using platform::Narrow;
using platform::Widen;

void Button::Create(HWND parent, const std::string& caption, Bounds b, DWORD style) {
    CreateControl(parent, WC_BUTTONW, caption, style | WS_TABSTOP, 0, b.x, b.y, b.w, b.h);
}

void Button::OnCommand(int code) {
    if (code == BN_CLICKED) Fire(onClick);
}

void CheckBox::Create(HWND parent, const std::string& caption, Bounds b, bool checked) {
    Button::Create(parent, caption, b, BS_AUTOCHECKBOX);
    SetChecked(checked);
}

void CheckBox::SetChecked(bool checked) {
    SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void RadioButton::Create(HWND parent, const std::string& caption, Bounds b, bool checked) {
    Button::Create(parent, caption, b, BS_AUTORADIOBUTTON);
    SetChecked(checked);
}

void RadioButton::SetChecked(bool checked) {
    if (checked) {
        const HWND parent = GetParent(Handle());
        for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
            if (h != Handle() && dynamic_cast<RadioButton*>(Control::FromHandle(h)))
                SendMessageW(h, BM_SETCHECK, BST_UNCHECKED, 0);
        }
    }
    CheckBox::SetChecked(checked);
}

void GroupBox::Create(HWND parent, const std::string& caption, Bounds b) {
    // Transparent, so that a parent clipping its children still paints the frame's inside.
    CreateControl(parent, WC_BUTTONW, caption, BS_GROUPBOX, WS_EX_TRANSPARENT, b.x, b.y, b.w, b.h);
}

void Label::Create(HWND parent, const std::string& caption, Bounds b, DWORD style) {
    CreateControl(parent, WC_STATICW, caption, style | SS_NOPREFIX, 0, b.x, b.y, b.w, b.h);
}

void LinkLabel::Create(HWND parent, const std::string& caption, Bounds b) {
    Label::Create(parent, caption, b, SS_LEFT | SS_NOTIFY);
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(UiLinkFont(DpiOf(parent))), FALSE);
}

void LinkLabel::OnColor(HDC dc) {
    SetTextColor(dc, RGB(0, 0, 204));
}

void LinkLabel::OnCommand(int code) {
    if (code == STN_CLICKED) Fire(onClick);
}

void Picture::Create(HWND parent, HICON icon, Bounds b) {
    CreateControl(parent, WC_STATICW, "", SS_ICON | SS_CENTERIMAGE, 0, b.x, b.y, b.w, b.h);
    SendMessageW(Handle(), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

void Edit::Create(HWND parent, const std::string& text, Bounds b, DWORD style) {
    CreateControl(parent, WC_EDITW, text, style | WS_TABSTOP, WS_EX_CLIENTEDGE, b.x, b.y, b.w, b.h);
}

void Edit::OnCommand(int code) {
    if (code == EN_CHANGE) Fire(onChange);
}

void Memo::Create(HWND parent, Bounds b) {
    Edit::Create(parent, "", b, ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL);
    // The default limit of a multi-line edit is far below what a long report holds.
    SendMessageW(Handle(), EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
}

bool Memo::EndsWithLineBreak() const {
    if (Length() == 0) return true;
    // Only a hard line break leaves an empty last line (a soft wrap always carries text over),
    // so the last line tells without reading the whole text.
    const auto lastLine = SendMessageW(Handle(), EM_GETLINECOUNT, 0, 0) - 1;
    const auto start = SendMessageW(Handle(), EM_LINEINDEX, lastLine, 0);
    return start >= 0 && SendMessageW(Handle(), EM_LINELENGTH, start, 0) == 0;
}

void Memo::Append(const std::string& text) {
    const auto n = static_cast<WPARAM>(Length());
    SendMessageW(Handle(), EM_SETSEL, n, static_cast<LPARAM>(n));
    SendMessageW(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

void ComboBox::Create(HWND parent, Bounds b, DWORD style) {
    CreateControl(parent, WC_COMBOBOXW, "", style | WS_TABSTOP | WS_VSCROLL, 0, b.x, b.y, b.w, b.h);
}

void ComboBox::AddItem(const std::string& text) {
    SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

std::string ComboBox::ItemText(int index) const {
    const auto len = SendMessageW(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (len < 0) return {};
    std::wstring buf(static_cast<size_t>(len) + 1, L'\0');
    SendMessageW(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(buf.data()));
    buf.resize(static_cast<size_t>(len));
    return Narrow(buf);
}

void ComboBox::OnCommand(int code) {
    // A pick from the list changes the box's own text only after this notification; set it
    // now, so that a handler reading the text sees the pick.
    if (code == CBN_SELCHANGE && SelectedIndex() >= 0) SetText(ItemText(SelectedIndex()));
    if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) Fire(onChange);
}

void ListBox::Create(HWND parent, Bounds b) {
    CreateControl(
        parent, WC_LISTBOXW, "",
        LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_BORDER | WS_TABSTOP, 0,
        b.x, b.y, b.w, b.h);
}

void ListBox::AddItem(const std::string& text) {
    SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

std::string ListBox::ItemText(int index) const {
    const auto len = SendMessageW(Handle(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (len < 0) return {};
    std::wstring buf(static_cast<size_t>(len) + 1, L'\0');
    SendMessageW(Handle(), LB_GETTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(buf.data()));
    buf.resize(static_cast<size_t>(len));
    return Narrow(buf);
}

std::vector<std::string> ListBox::Items() const {
    std::vector<std::string> items;
    for (int i = 0; i < Count(); ++i)
        items.push_back(ItemText(i));
    return items;
}

void ListBox::SetRedraw(bool on) {
    SendMessageW(Handle(), WM_SETREDRAW, on, 0);
    if (on) InvalidateRect(Handle(), nullptr, TRUE);
}

void ListBox::OnCommand(int code) {
    if (code == LBN_SELCHANGE) Fire(onClick);
    if (code == LBN_DBLCLK) Fire(onDblClick);
}

void StatusBar::Create(HWND parent, int height, const std::vector<int>& panelWidths) {
    CreateControl(parent, STATUSCLASSNAMEW, "", SBARS_SIZEGRIP, 0, 0, 0, 0, 0);
    height_ = height;
    widths_ = panelWidths;
    ApplyDpi();
}

void StatusBar::ApplyDpi() {
    const UINT dpi = DpiOf(GetParent(Handle()));
    const int height = Scale(height_, dpi);
    // The minimum height excludes the bar's borders, whose size differs between systems:
    // measure once and correct.
    SendMessageW(Handle(), SB_SETMINHEIGHT, static_cast<WPARAM>(height), 0);
    Resize();
    RECT r{};
    GetWindowRect(Handle(), &r);
    const int extra = (r.bottom - r.top) - height;
    SendMessageW(Handle(), SB_SETMINHEIGHT, static_cast<WPARAM>(height - extra), 0);
    // Panel edges are cumulative; -1 takes the rest of the width.
    std::vector<int> edges;
    int x = 0;
    for (int w : widths_)
        edges.push_back(w < 0 ? -1 : (x += Scale(w, dpi)));
    SendMessageW(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    Resize();
}

void StatusBar::SetPanelText(int panel, const std::string& text) {
    SendMessageW(Handle(), SB_SETTEXTW, static_cast<WPARAM>(panel),
                 reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

std::string StatusBar::PanelText(int panel) const {
    const auto len = LOWORD(SendMessageW(Handle(), SB_GETTEXTLENGTHW, panel, 0));
    std::wstring buf(static_cast<size_t>(len) + 1, L'\0');
    SendMessageW(Handle(), SB_GETTEXTW, static_cast<WPARAM>(panel),
                 reinterpret_cast<LPARAM>(buf.data()));
    buf.resize(len);
    return Narrow(buf);
}

namespace {

// Posted by the list to itself on a click; it arrives once the click has been handled.
constexpr UINT kClickHandled = WM_APP + 1;

// The list view class's own window procedure, the same for every list.
WNDPROC listViewProc = nullptr;

}  // namespace

void ListView::Create(HWND parent, Bounds b, DWORD style, DWORD extended) {
    holdsRows_ = (style & LVS_OWNERDATA) != 0;
    CreateControl(parent, WC_LISTVIEWW, "", style | WS_TABSTOP, WS_EX_CLIENTEDGE, b.x, b.y, b.w,
                  b.h);
    ListView_SetExtendedListViewStyle(Handle(), extended);
    // The check marks are the rows' too: the control asks for them with the texts.
    if (holdsRows_) ListView_SetCallbackMask(Handle(), LVIS_STATEIMAGEMASK);
    // A window procedure put before the list's own rather than a comctl32 subclass: under Wine
    // the subclass chain costs a wineserver round trip on every message, which made filling a
    // list of 1,000 rows twenty times slower.
    SetWindowLongPtrW(Handle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListView::Proc)));
    if (!listViewProc) listViewProc = previous;
}

LRESULT CALLBACK ListView::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<ListView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == kClickHandled) {
        if (self) self->Fire(self->onClick);
        return 0;
    }
    if (msg == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    if (!self || msg == WM_NCDESTROY) return CallWindowProcW(listViewProc, hwnd, msg, wp, lp);
    return self->WindowProc(msg, wp, lp);
}

LRESULT ListView::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    return DefaultProc(msg, wp, lp);
}

LRESULT ListView::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) {
    return CallWindowProcW(listViewProc, Handle(), msg, wp, lp);
}

void ListView::AddColumn(const std::string& caption, int width) {
    std::wstring text = Widen(caption);
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.pszText = text.data();
    col.cx = Scale(width, DpiOf(Handle()));
    col.iSubItem = ColumnCount();
    ListView_InsertColumn(Handle(), col.iSubItem, &col);
}

int ListView::ColumnCount() const {
    return Header_GetItemCount(ListView_GetHeader(Handle()));
}

int ListView::AddRow(const std::string& caption, const std::vector<std::string>& subItems,
                     bool checked) {
    return InsertRow(Count(), caption, subItems, checked);
}

int ListView::InsertRow(int index, const std::string& caption,
                        const std::vector<std::string>& subItems, bool checked) {
    if (HoldsRows()) {
        if (index < 0 || index > Count()) index = Count();
        Row row{{caption}, checked};
        row.cells.insert(row.cells.end(), subItems.begin(), subItems.end());
        rows_.insert(rows_.begin() + index, std::move(row));
        SyncCount();
        return index;
    }
    std::wstring text = Widen(caption);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = text.data();
    // Checked as it is inserted: a later state change would cost two more notifications.
    if (checked && (ListView_GetExtendedListViewStyle(Handle()) & LVS_EX_CHECKBOXES)) {
        item.mask |= LVIF_STATE;
        item.state = INDEXTOSTATEIMAGEMASK(2);
        item.stateMask = LVIS_STATEIMAGEMASK;
    }
    const int row = ListView_InsertItem(Handle(), &item);
    if (row < 0) return row;
    for (size_t i = 0; i < subItems.size(); ++i)
        SetCellText(row, static_cast<int>(i) + 1, subItems[i]);
    if (checked && !IsChecked(row)) SetChecked(row, true);
    return row;
}

void ListView::SetRows(std::vector<Row> rows) {
    if (!HoldsRows()) {
        ListViewBatch batch(*this);
        Clear();
        for (Row& r : rows) {
            if (r.cells.empty()) r.cells.emplace_back();
            AddRow(r.cells.front(), std::vector<std::string>(r.cells.begin() + 1, r.cells.end()),
                   r.checked);
        }
        return;
    }
    ListView_SetItemState(Handle(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    rows_ = std::move(rows);
    SyncCount();
}

void ListView::DeleteRow(int row) {
    if (!HoldsRows()) {
        ListView_DeleteItem(Handle(), row);
        return;
    }
    if (row < 0 || row >= Count()) return;
    // The control keeps the selection by index: the rows after this one move up.
    const int selected = SelectedIndex();
    rows_.erase(rows_.begin() + row);
    ListView_SetItemState(Handle(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    SyncCount();
    if (selected > row) Select(selected - 1);
}

void ListView::Clear() {
    rows_.clear();
    ListView_DeleteAllItems(Handle());
}

int ListView::Count() const {
    return HoldsRows() ? static_cast<int>(rows_.size()) : ListView_GetItemCount(Handle());
}

void ListView::SyncCount() {
    ListView_SetItemCountEx(Handle(), static_cast<int>(rows_.size()), LVSICF_NOSCROLL);
    InvalidateRect(Handle(), nullptr, FALSE);
}

ListView::Row* ListView::HeldRow(int row) {
    return row >= 0 && row < Count() ? &rows_[static_cast<size_t>(row)] : nullptr;
}

const ListView::Row* ListView::HeldRow(int row) const {
    return const_cast<ListView*>(this)->HeldRow(row);
}

bool ListView::IsChecked(int row) const {
    if (!HoldsRows()) return ListView_GetCheckState(Handle(), row) != FALSE;
    const Row* held = HeldRow(row);
    return held && held->checked;
}

void ListView::SetChecked(int row, bool checked) {
    if (!HoldsRows()) {
        ListView_SetCheckState(Handle(), row, checked);
        return;
    }
    const Row* held = HeldRow(row);
    if (held && held->checked != checked) ToggleHeldCheck(row);
}

void ListView::ToggleHeldCheck(int row) {
    auto& checked = rows_[static_cast<size_t>(row)].checked;
    checked = !checked;
    // With redraw held the whole list repaints when it comes back.
    if (!RedrawHeld()) ListView_RedrawItems(Handle(), row, row);
    if (onCheckChanged) Fire([&] { onCheckChanged(row); });
}

void ListView::FillDisplayInfo(LVITEMW& item) const {
    const Row* held = HeldRow(item.iItem);
    if (!held) return;
    const Row& row = *held;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const size_t column = static_cast<size_t>(std::max(item.iSubItem, 0));
        const std::wstring text = column < row.cells.size() ? Widen(row.cells[column]) : L"";
        const size_t n = std::min(text.size(), static_cast<size_t>(item.cchTextMax) - 1);
        std::copy_n(text.data(), n, item.pszText);
        item.pszText[n] = L'\0';
    }
    if ((item.mask & LVIF_STATE) && item.iSubItem == 0) {
        item.state =
            (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(row.checked ? 2 : 1);
        item.stateMask |= LVIS_STATEIMAGEMASK;
    }
}

int ListView::FindHeldRow(const NMLVFINDITEMW& find) const {
    // Typing in the list looks for the next caption that begins with what was typed.
    if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz) return -1;
    const std::wstring_view wanted(find.lvfi.psz);
    const bool partial = (find.lvfi.flags & LVFI_PARTIAL) != 0;
    const int count = Count();
    const int start = find.iStart >= 0 && find.iStart < count ? find.iStart : 0;
    for (int step = 0; step < count; ++step) {
        const int row = (start + step) % count;
        if (row < start && !(find.lvfi.flags & LVFI_WRAP)) break;
        const auto& cells = rows_[static_cast<size_t>(row)].cells;
        const std::wstring caption = cells.empty() ? std::wstring() : Widen(cells.front());
        if (partial ? caption.size() < wanted.size() : caption.size() != wanted.size()) continue;
        if (CompareStringOrdinal(caption.data(), static_cast<int>(wanted.size()), wanted.data(),
                                 static_cast<int>(wanted.size()), TRUE) == CSTR_EQUAL)
            return row;
    }
    return -1;
}

std::string ListView::CellText(int row, int column) const {
    if (HoldsRows()) {
        const Row* held = HeldRow(row);
        if (!held || column < 0 || static_cast<size_t>(column) >= held->cells.size()) return {};
        return held->cells[static_cast<size_t>(column)];
    }
    std::wstring buf(1024, L'\0');
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buf.data();
        item.cchTextMax = static_cast<int>(buf.size());
        const auto n = static_cast<size_t>(SendMessageW(
            Handle(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (n + 1 < buf.size()) return Narrow(std::wstring_view(buf.data(), n));
        buf.resize(buf.size() * 4);
    }
}

void ListView::SetCellText(int row, int column, const std::string& text) {
    if (HoldsRows()) {
        Row* held = HeldRow(row);
        if (!held || column < 0) return;
        auto& cells = held->cells;
        if (cells.size() <= static_cast<size_t>(column)) cells.resize(column + 1);
        cells[static_cast<size_t>(column)] = text;
        ListView_RedrawItems(Handle(), row, row);
        return;
    }
    std::wstring w = Widen(text);
    ListView_SetItemText(Handle(), row, column, w.data());
}

void ListView::Select(int row) {
    ListView_SetItemState(Handle(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (row >= 0) {
        ListView_SetItemState(Handle(), row, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
    }
}

void ListView::SetRowImage(int row, int image) {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = image;
    ListView_SetItem(Handle(), &item);
}

void ListView::SetRedraw(bool on) {
    SendMessageW(Handle(), WM_SETREDRAW, on, 0);
    if (on) InvalidateRect(Handle(), nullptr, TRUE);
}

void ListView::PushRedrawOff() {
    if (redrawOff_++ == 0) SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
}

void ListView::PopRedrawOff() {
    if (redrawOff_ > 0 && --redrawOff_ == 0) SetRedraw(true);
}

bool ListView::PeekRedraw() {
    if (redrawOff_ == 0) return false;
    SetRedraw(true);
    return true;
}

void ListView::EndPeekRedraw() {
    if (redrawOff_ > 0) SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
}

LRESULT ListView::OnNotify(const NMHDR& header) {
    if (HoldsRows()) {
        switch (header.code) {
            case LVN_GETDISPINFOW:
                FillDisplayInfo(
                    const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header))
                        .item);
                return 0;
            case NM_CLICK: {
                // The control has no check marks of its own to toggle: a click on the box
                // toggles the row's.
                LVHITTESTINFO hit{};
                hit.pt = reinterpret_cast<const NMITEMACTIVATE&>(header).ptAction;
                const int row = ListView_HitTest(Handle(), &hit);
                if (row >= 0 && row < Count() && (hit.flags & LVHT_ONITEMSTATEICON) &&
                    (ListView_GetExtendedListViewStyle(Handle()) & LVS_EX_CHECKBOXES))
                    ToggleHeldCheck(row);
                break;
            }
            case LVN_KEYDOWN:
                if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_SPACE &&
                    (ListView_GetExtendedListViewStyle(Handle()) & LVS_EX_CHECKBOXES)) {
                    const int row = SelectedIndex();
                    if (row >= 0 && row < Count()) ToggleHeldCheck(row);
                }
                break;
            case LVN_ODFINDITEMW:
                return FindHeldRow(reinterpret_cast<const NMLVFINDITEMW&>(header));
            case LVN_ITEMCHANGED:
                return 0;  // the control's idea of the check marks is not the rows'
        }
    }
    switch (header.code) {
        case NM_CLICK:
            if (onClick) PostMessageW(Handle(), kClickHandled, 0, 0);
            break;
        case NM_DBLCLK:
            Fire(onDblClick);
            break;
        case NM_RCLICK:
            if (onContextMenu) {
                POINT p;
                GetCursorPos(&p);
                Fire([&] { onContextMenu(p); });
            }
            break;
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            // The state image index (bits 12-15) holds the check state.
            if ((change.uChanged & LVIF_STATE) &&
                ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) && onCheckChanged &&
                (change.uOldState & LVIS_STATEIMAGEMASK) != 0)
                Fire([&] { onCheckChanged(change.iItem); });
            break;
        }
    }
    return 0;
}

void TreeView::Create(HWND parent, Bounds b, DWORD style) {
    CreateControl(parent, WC_TREEVIEWW, "", style | WS_TABSTOP, WS_EX_CLIENTEDGE, b.x, b.y, b.w,
                  b.h);
}

HTREEITEM TreeView::AddItem(HTREEITEM parent, const std::string& text, int image) {
    std::wstring w = Widen(text);
    TVINSERTSTRUCTW ins{};
    ins.hParent = parent ? parent : TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT;
    ins.item.pszText = w.data();
    if (image >= 0) {
        ins.item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        ins.item.iImage = ins.item.iSelectedImage = image;
    }
    return TreeView_InsertItem(Handle(), &ins);
}

std::string TreeView::ItemText(HTREEITEM item) const {
    std::wstring buf(1024, L'\0');
    TVITEMW tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = buf.data();
    tv.cchTextMax = static_cast<int>(buf.size());
    TreeView_GetItem(Handle(), &tv);
    return Narrow(buf.c_str());
}

HTREEITEM TreeView::InsertFirst(HTREEITEM parent, const std::string& text, int image) {
    std::wstring w = Widen(text);
    TVINSERTSTRUCTW ins{};
    ins.hParent = parent ? parent : TVI_ROOT;
    ins.hInsertAfter = TVI_FIRST;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    ins.item.pszText = w.data();
    ins.item.iImage = ins.item.iSelectedImage = image;
    return TreeView_InsertItem(Handle(), &ins);
}

std::pair<int, int> TreeView::ItemImages(HTREEITEM item) const {
    TVITEMW tv{};
    tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tv.hItem = item;
    TreeView_GetItem(Handle(), &tv);
    return {tv.iImage, tv.iSelectedImage};
}

void TreeView::ExpandAll() {
    // Depth first, without recursion: a sibling list per level.
    std::vector<HTREEITEM> pending;
    for (HTREEITEM i = Root(); i; i = NextSibling(i))
        pending.push_back(i);
    while (!pending.empty()) {
        const HTREEITEM item = pending.back();
        pending.pop_back();
        const HTREEITEM child = FirstChild(item);
        if (!child) continue;
        Expand(item);
        for (HTREEITEM c = child; c; c = NextSibling(c))
            pending.push_back(c);
    }
}

LRESULT TreeView::OnNotify(const NMHDR& header) {
    if (header.code == TVN_ENDLABELEDITW)
        return reinterpret_cast<const NMTVDISPINFOW&>(header).item.pszText != nullptr;
    return 0;
}

namespace {

LRESULT CALLBACK TabSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    const LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
    if (msg == WM_SIZE) reinterpret_cast<TabControl*>(ref)->LayoutPages();
    return r;
}

}  // namespace

void TabControl::Create(HWND parent, Bounds b, DWORD style) {
    CreateControl(parent, WC_TABCONTROLW, "", style | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, b.x,
                  b.y, b.w, b.h);
    SetWindowSubclass(Handle(), TabSubclass, 1, reinterpret_cast<DWORD_PTR>(this));
}

void TabControl::AddTab(const std::string& caption, HWND page) {
    std::wstring text = Widen(caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    TabCtrl_InsertItem(Handle(), Count(), &item);
    pages_.push_back(page);
    SetParent(page, Handle());
    LayoutPages();
    if (Count() == 1)
        Activate(0);
    else
        ShowWindow(page, SW_HIDE);
}

std::string TabControl::TabCaption(int index) const {
    wchar_t buf[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buf;
    item.cchTextMax = 256;
    TabCtrl_GetItem(Handle(), index, &item);
    return Narrow(buf);
}

void TabControl::Activate(int index) {
    TabCtrl_SetCurSel(Handle(), index);
    for (size_t i = 0; i < pages_.size(); ++i)
        ShowWindow(pages_[i], static_cast<int>(i) == index ? SW_SHOW : SW_HIDE);
}

RECT TabControl::PageArea() const {
    RECT r{};
    GetClientRect(Handle(), &r);
    TabCtrl_AdjustRect(Handle(), FALSE, &r);
    return r;
}

void TabControl::LayoutPages() {
    const RECT r = PageArea();
    for (HWND page : pages_)
        MoveWindow(page, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

LRESULT TabControl::OnNotify(const NMHDR& header) {
    if (header.code == TCN_SELCHANGE) Activate(ActiveIndex());
    return 0;
}

}  // namespace ui
