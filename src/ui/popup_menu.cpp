#include "ui/popup_menu.h"

#include "platform/text.h"
#include "ui/dispatch.h"

namespace ui {
namespace {

using platform::Widen;

constexpr UINT kFirstId = 100;

std::string KeyName(UINT key) {
    if (key >= 'A' && key <= 'Z') return std::string(1, static_cast<char>(key));
    if (key >= '0' && key <= '9') return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
    switch (key) {
        case VK_DELETE:
            return "Del";
        case VK_INSERT:
            return "Ins";
        case VK_RETURN:
            return "Enter";
        case VK_ESCAPE:
            return "Esc";
        case VK_SPACE:
            return "Space";
    }
    return {};
}

}  // namespace

std::string ShortcutText(Shortcut s) {
    if (!s.key) return {};
    std::string out;
    if (s.modifiers & kShift) out += "Shift+";
    if (s.modifiers & kCtrl) out += "Ctrl+";
    if (s.modifiers & kAlt) out += "Alt+";
    return out + KeyName(s.key);
}

unsigned ModifiersDown() {
    unsigned m = kNoModifier;
    if (GetKeyState(VK_CONTROL) < 0) m |= kCtrl;
    if (GetKeyState(VK_MENU) < 0) m |= kAlt;
    if (GetKeyState(VK_SHIFT) < 0) m |= kShift;
    return m;
}

void PopupMenu::Create(const std::vector<MenuItem*>& items,
                       const std::function<HBITMAP(int picture)>& picture) {
    items_ = items;
    menu_.reset(CreatePopupMenu());
    UINT id = kFirstId;
    for (MenuItem* item : items_) {
        item->id_ = id++;
        if (item->IsSeparator()) {
            AppendMenuW(menu_.get(), MF_SEPARATOR, item->id_, nullptr);
            continue;
        }
        const std::wstring text = Widen(MenuText(*item));
        AppendMenuW(menu_.get(), MF_STRING | (item->enabled_ ? MF_ENABLED : MF_GRAYED), item->id_,
                    text.c_str());
        if (picture && item->picture_ >= 0) {
            if (HBITMAP bmp = picture(item->picture_)) {
                bitmaps_.emplace_back(bmp);
                MENUITEMINFOW mii{};
                mii.cbSize = sizeof mii;
                mii.fMask = MIIM_BITMAP;
                mii.hbmpItem = bmp;
                SetMenuItemInfoW(menu_.get(), item->id_, FALSE, &mii);
            }
        }
    }
}

std::string PopupMenu::MenuText(const MenuItem& item) const {
    const std::string keys = ShortcutText(item.shortcut_);
    return keys.empty() ? item.caption_ : item.caption_ + "\t" + keys;
}

void PopupMenu::SetEnabled(MenuItem& item, bool enabled) {
    item.enabled_ = enabled;
    if (menu_)
        EnableMenuItem(menu_.get(), item.id_, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool PopupMenu::IsEnabledInMenu(const MenuItem& item) const {
    const UINT state = GetMenuState(menu_.get(), item.id_, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

void PopupMenu::SetCaption(MenuItem& item, const std::string& caption) {
    item.caption_ = caption;
    if (!menu_) return;
    std::wstring text = Widen(MenuText(item));
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_STRING;
    mii.dwTypeData = text.data();
    SetMenuItemInfoW(menu_.get(), item.id_, FALSE, &mii);
}

void PopupMenu::Popup(HWND owner, POINT screen) {
    // The owner must be the foreground window, or the menu does not close when clicked away.
    SetForegroundWindow(owner);
    const UINT id = static_cast<UINT>(TrackPopupMenu(menu_.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                                     screen.x, screen.y, 0, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    for (MenuItem* item : items_)
        if (item->id_ == id && id != 0) Choose(*item);
}

bool PopupMenu::HandleShortcut(UINT key, unsigned modifiers) {
    for (MenuItem* item : items_) {
        if (item->IsSeparator() || item->shortcut_.key != key ||
            item->shortcut_.modifiers != modifiers)
            continue;
        if (!item->enabled_) return false;
        Choose(*item);
        return true;
    }
    return false;
}

void PopupMenu::Choose(MenuItem& item) {
    if (item.IsSeparator() || !item.enabled_ || !item.onClick) return;
    Dispatch(&item, item.onClick);
}

}  // namespace ui
