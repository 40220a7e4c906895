#pragma once
// Thin wrappers over the standard controls. Each is a real child window of a standard class
// whose window text is its caption, so screen readers and automation tools find it.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/window.h"

namespace ui {

struct Bounds {
    int x = 0, y = 0, w = 0, h = 0;
};

class Button : public Control {
  public:
    using Control::Control;
    void Create(HWND parent, const std::string& caption, Bounds b, DWORD style = BS_PUSHBUTTON);
    // Presses the button as a user would: BN_CLICKED reaches the handler.
    void Click() { SendMessageW(Handle(), BM_CLICK, 0, 0); }
    void OnCommand(int code) override;

    std::function<void()> onClick;
};

class CheckBox : public Button {
  public:
    using Button::Button;
    void Create(HWND parent, const std::string& caption, Bounds b, bool checked = false);
    bool IsChecked() const { return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void SetChecked(bool checked);
};

// Radio buttons group with the radio buttons of the same parent window.
class RadioButton : public CheckBox {
  public:
    using CheckBox::CheckBox;
    void Create(HWND parent, const std::string& caption, Bounds b, bool checked = false);
    // Selecting clears the other radio buttons of the same parent.
    void SetChecked(bool checked);
};

class GroupBox : public Control {
  public:
    using Control::Control;
    void Create(HWND parent, const std::string& caption, Bounds b);
};

class Label : public Control {
  public:
    using Control::Control;
    // Word-wrapped static text.
    void Create(HWND parent, const std::string& caption, Bounds b, DWORD style = SS_LEFT);
};

// A label that opens an address when clicked.
class LinkLabel : public Label {
  public:
    using Label::Label;
    void Create(HWND parent, const std::string& caption, Bounds b);
    void OnCommand(int code) override;
    void OnColor(HDC dc) override;
    HCURSOR Cursor() const override { return LoadCursorW(nullptr, IDC_HAND); }
    std::function<void()> onClick;
};

// A picture: an icon drawn by a static control.
class Picture : public Control {
  public:
    using Control::Control;
    void Create(HWND parent, HICON icon, Bounds b);
};

class Edit : public Control {
  public:
    using Control::Control;
    void Create(HWND parent, const std::string& text, Bounds b, DWORD style = ES_AUTOHSCROLL);
    void OnCommand(int code) override;
    std::function<void()> onChange;
};

// Multi-line, word-wrapped text. Appending does not rebuild the whole text.
class Memo : public Edit {
  public:
    using Edit::Edit;
    void Create(HWND parent, Bounds b);
    size_t Length() const { return static_cast<size_t>(GetWindowTextLengthW(Handle())); }
    // True when the text is empty or its last character is a line break.
    bool EndsWithLineBreak() const;
    void Append(const std::string& text);
};

class ComboBox : public Control {
  public:
    using Control::Control;
    // CBS_DROPDOWN lets the user type; CBS_DROPDOWNLIST does not.
    void Create(HWND parent, Bounds b, DWORD style = CBS_DROPDOWN);
    void AddItem(const std::string& text);
    int Count() const { return static_cast<int>(SendMessageW(Handle(), CB_GETCOUNT, 0, 0)); }
    int SelectedIndex() const {
        return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
    }
    void Select(int index) { SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }
    std::string ItemText(int index) const;
    void OnCommand(int code) override;
    std::function<void()> onChange;  // the user picked an item or typed
};

// A single-selection list box; items keep the order they were added in.
class ListBox : public Control {
  public:
    using Control::Control;
    void Create(HWND parent, Bounds b);
    void AddItem(const std::string& text);
    void DeleteItem(int index) {
        SendMessageW(Handle(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    }
    void Clear() { SendMessageW(Handle(), LB_RESETCONTENT, 0, 0); }
    int Count() const { return static_cast<int>(SendMessageW(Handle(), LB_GETCOUNT, 0, 0)); }
    std::string ItemText(int index) const;
    std::vector<std::string> Items() const;
    // -1 when nothing is selected.
    int SelectedIndex() const {
        return static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0));
    }
    void Select(int index) { SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0); }
    void SetRedraw(bool on);
    void OnCommand(int code) override;
    std::function<void()> onClick;  // the selection changed by mouse or keyboard
    std::function<void()> onDblClick;
};

class StatusBar : public Control {
  public:
    using Control::Control;
    void Create(HWND parent, int height, const std::vector<int>& panelWidths);
    void SetPanelText(int panel, const std::string& text);
    std::string PanelText(int panel) const;
    // Re-lays the bar after its parent changed size.
    void Resize() { SendMessageW(Handle(), WM_SIZE, 0, 0); }
    // Height and panel widths for the parent's DPI (they are kept in 96-DPI units).
    void ApplyDpi();

  private:
    int height_ = 0;
    std::vector<int> widths_;
};

// A report-style list view.
//
// Created with LVS_OWNERDATA, the list holds its rows itself (texts and check marks) and the
// control only draws what it is asked for: a list of a hundred thousand rows then fills at
// once and costs a hundred-odd bytes a row, where the control's own items cost over 1.5 KB each
// under Wine. Its check boxes toggle on a click and on the space bar as usual. Every method
// below works the same in both kinds.
class ListView : public Control {
  public:
    using Control::Control;
    void Create(HWND parent, Bounds b, DWORD style = LVS_REPORT | LVS_SHOWSELALWAYS,
                DWORD extended = LVS_EX_FULLROWSELECT);
    void AddColumn(const std::string& caption, int width);
    int ColumnCount() const;
    // Appends a row; returns its index.
    int AddRow(const std::string& caption, const std::vector<std::string>& subItems = {},
               bool checked = false);
    int InsertRow(int index, const std::string& caption,
                  const std::vector<std::string>& subItems = {}, bool checked = false);
    struct Row {
        std::vector<std::string> cells;  // the caption, then the sub-items
        bool checked = false;
    };
    // Replaces every row.
    void SetRows(std::vector<Row> rows);
    void DeleteRow(int row);
    void Clear();
    int Count() const;
    std::string CellText(int row, int column) const;
    void SetCellText(int row, int column, const std::string& text);
    bool IsChecked(int row) const;
    void SetChecked(int row, bool checked);
    int SelectedIndex() const { return ListView_GetNextItem(Handle(), -1, LVNI_SELECTED); }
    void Select(int row);
    void SetRowImage(int row, int image);
    void SetImageList(HIMAGELIST list, int which = LVSIL_SMALL) {
        ListView_SetImageList(Handle(), list, which);
    }
    // Turns repainting off while many rows change; the list repaints when redraw comes back on.
    void SetRedraw(bool on);
    // Nested: redraw stays off until every Push has had its Pop.
    void PushRedrawOff();
    void PopRedrawOff();
    bool RedrawHeld() const { return redrawOff_ > 0; }
    // While redraw is held off: lets the list repaint at the next pump (true), until
    // EndPeekRedraw turns it off again.
    bool PeekRedraw();
    void EndPeekRedraw();

    LRESULT OnNotify(const NMHDR& header) override;
    // Any mouse click, once the list has handled it: a clicked check box has toggled by then
    // (the click notice itself may come first, as under Wine).
    std::function<void()> onClick;
    std::function<void()> onDblClick;
    std::function<void(POINT)> onContextMenu;  // right click, screen coordinates
    std::function<void(int row)> onCheckChanged;

  protected:
    // Every message of the list passes here first: a list that needs more of its messages
    // overrides this rather than subclassing the window (see Create).
    virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
    // The list's own handling of a message.
    LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp);

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    bool HoldsRows() const { return holdsRows_; }
    // Tells the control how many rows there are now.
    void SyncCount();
    // The held row, or null when there is no such row.
    Row* HeldRow(int row);
    const Row* HeldRow(int row) const;
    void ToggleHeldCheck(int row);
    void FillDisplayInfo(LVITEMW& item) const;
    int FindHeldRow(const NMLVFINDITEMW& find) const;
    int redrawOff_ = 0;
    bool holdsRows_ = false;
    std::vector<Row> rows_;
};

// RAII: list redraw off for a scope (nested scopes and paced loops may hold the same list).
class ListViewBatch {
  public:
    explicit ListViewBatch(ListView& list) : list_(list) { list_.PushRedrawOff(); }
    ~ListViewBatch() { list_.PopRedrawOff(); }
    ListViewBatch(const ListViewBatch&) = delete;
    ListViewBatch& operator=(const ListViewBatch&) = delete;

  private:
    ListView& list_;
};

class TreeView : public Control {
  public:
    using Control::Control;
    void Create(HWND parent, Bounds b,
                DWORD style = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS);
    HTREEITEM AddItem(HTREEITEM parent, const std::string& text, int image = -1);
    // Inserts the item as the first child of `parent` (a root item when null), with `image` as
    // both its image and its selected image.
    HTREEITEM InsertFirst(HTREEITEM parent, const std::string& text, int image);
    void Clear() { TreeView_DeleteAllItems(Handle()); }
    int Count() const { return static_cast<int>(TreeView_GetCount(Handle())); }
    std::string ItemText(HTREEITEM item) const;
    // The item's image and selected image.
    std::pair<int, int> ItemImages(HTREEITEM item) const;
    HTREEITEM Root() const { return TreeView_GetRoot(Handle()); }
    HTREEITEM FirstChild(HTREEITEM item) const { return TreeView_GetChild(Handle(), item); }
    HTREEITEM NextSibling(HTREEITEM item) const { return TreeView_GetNextSibling(Handle(), item); }
    bool IsExpanded(HTREEITEM item) const {
        return (TreeView_GetItemState(Handle(), item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    }
    void Expand(HTREEITEM item) { TreeView_Expand(Handle(), item, TVE_EXPAND); }
    // Opens every item that has children.
    void ExpandAll();
    void SetImageList(HIMAGELIST list) { TreeView_SetImageList(Handle(), list, TVSIL_NORMAL); }
    HIMAGELIST ImageList() const { return TreeView_GetImageList(Handle(), TVSIL_NORMAL); }
    // Pixels each level is indented by.
    void SetIndent(int pixels) { TreeView_SetIndent(Handle(), pixels); }
    int Indent() const { return static_cast<int>(TreeView_GetIndent(Handle())); }

  protected:
    // With TVS_EDITLABELS, the user's edit of a caption is kept.
    LRESULT OnNotify(const NMHDR& header) override;
};

// A tab strip whose tabs show and hide one child window each.
class TabControl : public Control {
  public:
    using Control::Control;
    void Create(HWND parent, Bounds b, DWORD style = TCS_MULTILINE | TCS_HOTTRACK);
    // Adds a tab whose page is `page`; the page is laid over the tab's display area.
    void AddTab(const std::string& caption, HWND page);
    int Count() const { return TabCtrl_GetItemCount(Handle()); }
    std::string TabCaption(int index) const;
    int ActiveIndex() const { return TabCtrl_GetCurSel(Handle()); }
    void Activate(int index);
    // The rectangle, in the parent's coordinates, that a tab's page covers.
    RECT PageArea() const;
    void LayoutPages();
    LRESULT OnNotify(const NMHDR& header) override;

  private:
    std::vector<HWND> pages_;
};

}  // namespace ui
