#pragma once
// An outlook-style navigation bar: headers, each with an ordered list of large or small buttons.
// Headers and buttons are owner-drawn BUTTON windows whose text is their caption, so a click,
// a BM_CLICK or an automation tool's Invoke reaches them like any push button.
#include <memory>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/nav_icons.h"

namespace ui {

class NavBar : public Window {
  public:
    explicit NavBar(std::string name) : Window(std::move(name)) {}
    void Create(HWND parent, Bounds b);

    // Returns the header's index.
    int AddHeader(const std::string& name, const std::string& caption);
    Button& AddButton(int header, const std::string& name, const std::string& caption, bool large,
                      NavIcon icon, std::function<void()> onClick);

    int HeaderCount() const { return static_cast<int>(headers_.size()); }
    Button& HeaderButton(int header) { return *headers_[header].button; }
    int ButtonCount(int header) const { return static_cast<int>(headers_[header].items.size()); }
    Button& ButtonAt(int header, int index) { return *headers_[header].items[index].button; }
    bool IsLarge(int header, int index) const { return headers_[header].items[index].large; }

    bool IsHeaderOpen(int header) const { return headers_[header].open; }
    // Opening a header closes the others; the bar shows one list of buttons at a time.
    void SetHeaderOpen(int header, bool open);

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    struct Item {
        std::unique_ptr<Button> button;
        bool large;
        NavIcon icon;
    };
    struct Header {
        std::unique_ptr<Button> button;
        bool open = false;
        std::vector<Item> items;
    };
    void Layout();
    void Draw(const DRAWITEMSTRUCT& d);

    std::vector<Header> headers_;
};

}  // namespace ui
