#pragma once
// The About page: product name and version, maker, and links to the home and contact pages.
#include "platform/shell_launcher.h"
#include "ui/page.h"

namespace app {

inline constexpr char kHomePage[] = "https://www.example.com/veltrin/";
inline constexpr char kContactPage[] = "https://www.example.com/veltrin/contact";

class AboutPage : public ui::Page {
  public:
    explicit AboutPage(platform::ShellLauncher& shell)
        : Page("TSAbout", "About Korvane"), shell_(shell) {}
    void Create(HWND host) override;

    ui::GroupBox GroupBox{"GBAbout"};
    ui::Picture Image{"ImageAbout"};
    ui::Label LblMaker{"LblMaker"};
    ui::LinkLabel LblHomePage{"LblHomePage"};
    ui::LinkLabel LblContact{"LblContact"};

  private:
    platform::ShellLauncher& shell_;
    platform::UniqueIcon icon_;
};

}  // namespace app
