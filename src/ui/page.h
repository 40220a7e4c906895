#pragma once
// Tool pages and the tab-less page control that shows one of them at a time.
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/nav_icons.h"
#include "platform/handles.h"

namespace ui {

class Page : public Window {
  public:
    Page(std::string name, std::string designCaption)
        : Window(std::move(name)), designCaption_(std::move(designCaption)) {}

    // Creates the page with its controls, hidden, in the page host `host`.
    virtual void Create(HWND host) { CreatePage(host); }
    // Creates the bare page window, hidden, as a child of `parent`.
    void CreatePage(HWND parent);
    const std::string& DesignCaption() const { return designCaption_; }

    // The page's show and hide events; they run only when the page really changes visibility.
    virtual void OnShow() {}
    virtual void OnHide() {}

  protected:
    // The picture at the top left and the description label beside it; returns the y below them.
    int AddHeading(Label& label, Picture& picture, NavIcon icon, const std::string& text);

  private:
    std::string designCaption_;
    platform::UniqueIcon headingIcon_;
};

// Shows exactly one page; never draws a tab strip.
class PageHost : public Window {
  public:
    explicit PageHost(std::string name) : Window(std::move(name)) {}
    void Create(HWND parent, Bounds b);
    // Takes a created page; it stays hidden until shown.
    void AddPage(Page& page);
    const std::vector<Page*>& Pages() const { return pages_; }

    Page* ActivePage() const { return active_; }
    // Makes `page` the visible page: it is shown before the old page is hidden, so its show
    // event runs before the old page's hide event. Showing the visible page runs nothing.
    void ShowPage(Page& page);
    // Until the host goes live (its window is first displayed) showing a page only records it.
    void GoLive();

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    std::vector<Page*> pages_;
    Page* active_ = nullptr;
    bool live_ = false;
};

}  // namespace ui
