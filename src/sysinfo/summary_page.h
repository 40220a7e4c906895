#pragma once
// The summary page TSSummary: one tree that describes the machine, rebuilt from live values
// every time the page shows.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <type_traits>

#include "services/page_context.h"
#include "ui/controls.h"
#include "ui/page.h"

namespace sysinfo {

inline constexpr char kSummaryText[] =
    "System Information: This page shows your software and hardware information.";
// The tree's indent per level, in 96-DPI units.
constexpr int kTreeIndent = 19;

struct ImageListDestroyer {
    void operator()(HIMAGELIST list) const {
        if (list) ImageList_Destroy(list);
    }
};
using UniqueImageList = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDestroyer>;

class SummaryPage : public ui::Page {
  public:
    explicit SummaryPage(const services::PageContext& context);
    void Create(HWND host) override;
    void OnShow() override { TSSummaryShow(); }

    // Builds the tree and opens every node.
    void TSSummaryShow();
    // Rebuilds the whole tree in `tree` from the machine's values of this moment, with the
    // pictures of `imageList`.
    void FillSysInfoTree(ui::TreeView& tree, HIMAGELIST imageList);

    ui::Label Label1{"Label1"};
    ui::Picture Image1{"Image1"};
    ui::TreeView TVSysInfo{"TVSysInfo"};
    // The small pictures of the groups, at the page's DPI.
    UniqueImageList ILSmallIcon;

  private:
    HIMAGELIST SmallIcons();

    const services::PageContext& context_;
    int iconSize_ = 0;
};

}  // namespace sysinfo
