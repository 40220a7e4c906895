#include "app/about_page.h"

namespace app {

void AboutPage::Create(HWND host) {
    CreatePage(host);
    GroupBox.Create(Handle(), "Veltrin 4.2", {16, 16, 420, 200});
    icon_.reset(ui::MakeNavIcon(ui::NavIcon::About, ui::Scale(48, Dpi())));
    Image.Create(Handle(), icon_.get(), {32, 44, 48, 48});
    LblMaker.Create(Handle(), "Copyright (C) Korvane Software. All rights reserved.",
                    {96, 48, 320, 20});
    LblHomePage.Create(Handle(), kHomePage, {96, 96, 320, 20});
    LblContact.Create(Handle(), kContactPage, {96, 124, 320, 20});
    LblHomePage.onClick = [this] { shell_.Execute("open", kHomePage, "", "", SW_SHOWNORMAL); };
    LblContact.onClick = [this] { shell_.Execute("open", kContactPage, "", "", SW_SHOWNORMAL); };
}

}  // namespace app
