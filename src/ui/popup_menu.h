#pragma once
// A pop-up menu whose items are components (so a handler can tell which item sent it), with
// fixed captions, shortcut keys shown beside the captions and optional pictures.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/handles.h"
#include "ui/component.h"

namespace ui {

enum ShortcutModifier : unsigned { kNoModifier = 0, kCtrl = 1, kAlt = 2, kShift = 4 };

struct Shortcut {
    UINT key = 0;  // virtual-key code; 0 for none
    unsigned modifiers = kNoModifier;
};

// The text a menu shows for a shortcut: "Ctrl+D", "Del", "F5", "Alt+Enter".
std::string ShortcutText(Shortcut s);

class MenuItem : public Component {
  public:
    // A caption of "-" makes a separator.
    MenuItem(std::string name, std::string caption, Shortcut shortcut = {}, bool enabled = true,
             int picture = -1)
        : Component(std::move(name)),
          caption_(std::move(caption)),
          shortcut_(shortcut),
          enabled_(enabled),
          picture_(picture) {}

    bool IsSeparator() const { return caption_ == "-"; }
    const std::string& Caption() const { return caption_; }
    Shortcut GetShortcut() const { return shortcut_; }
    bool IsEnabled() const { return enabled_; }
    int Picture() const { return picture_; }

    std::function<void()> onClick;

  private:
    friend class PopupMenu;
    std::string caption_;
    Shortcut shortcut_;
    bool enabled_;
    int picture_;
    UINT id_ = 0;
};

class PopupMenu : public Component {
  public:
    explicit PopupMenu(std::string name) : Component(std::move(name)) {}

    // Builds the menu from the items, in order. `picture` makes the 16 x 16 bitmap (32-bit,
    // premultiplied alpha) of a picture number; the menu owns the bitmaps it is given.
    void Create(const std::vector<MenuItem*>& items,
                const std::function<HBITMAP(int picture)>& picture = {});
    HMENU Menu() const { return menu_.get(); }

    void SetEnabled(MenuItem& item, bool enabled);
    void SetCaption(MenuItem& item, const std::string& caption);
    // The item's text in the menu itself: caption, a tab and the shortcut text.
    std::string MenuText(const MenuItem& item) const;
    bool IsEnabledInMenu(const MenuItem& item) const;

    // Shows the menu at a screen point and runs the chosen item's handler.
    void Popup(HWND owner, POINT screen);
    // Runs the handler of the enabled item with this shortcut; true when there was one.
    bool HandleShortcut(UINT key, unsigned modifiers);
    // Chooses an item as the user would: nothing happens when it is disabled.
    void Choose(MenuItem& item);

  private:
    std::vector<MenuItem*> items_;
    platform::UniqueMenu menu_;
    std::vector<std::unique_ptr<std::remove_pointer_t<HBITMAP>, platform::GdiDeleter>> bitmaps_;
};

// The modifier keys held down now, as the shortcut test needs them.
unsigned ModifiersDown();

}  // namespace ui
