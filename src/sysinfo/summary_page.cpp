#include "sysinfo/summary_page.h"

#include <vector>

#include "platform/locale_format.h"
#include "sysinfo/sysinfo_gather.h"
#include "ui/message_pump.h"
#include "ui/small_icons.h"

namespace sysinfo {

SummaryPage::SummaryPage(const services::PageContext& context)
    : Page("TSSummary", "SysInfo Summary"), context_(context) {}

void SummaryPage::Create(HWND host) {
    using namespace ui;
    CreatePage(host);
    const int top = AddHeading(Label1, Image1, NavIcon::Summary, kSummaryText);
    const RECT r = ClientUnits();
    // Captions can be edited in place; a rebuild forgets the edits.
    TVSysInfo.Create(
        Handle(), {8, top, r.right - 16, r.bottom - top - 8},
        TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_EDITLABELS);
    AnchorChild(TVSysInfo.Handle(), kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom);
}

HIMAGELIST SummaryPage::SmallIcons() {
    const int size = ui::Scale(16, Dpi());
    if (!ILSmallIcon || iconSize_ != size) {
        ILSmallIcon.reset(ui::MakeSmallIconList(size));
        iconSize_ = size;
    }
    return ILSmallIcon.get();
}

void SummaryPage::TSSummaryShow() {
    FillSysInfoTree(TVSysInfo, SmallIcons());
    TVSysInfo.ExpandAll();
}

void SummaryPage::FillSysInfoTree(ui::TreeView& tree, HIMAGELIST imageList) {
    // One turn of the message loop, so the page is painted before the slow probes run.
    ui::PumpMessages();
    tree.Clear();
    tree.SetImageList(imageList);
    tree.SetIndent(ui::Scale(kTreeIndent, Dpi()));

    const services::AppContext& app = context_.app;
    const SysInfoValues values = GatherSysInfo({*app.system, *app.bios, *app.disk});
    const std::vector<SysInfoNode> nodes = SysInfoTreeNodes(values, platform::DecimalSeparator());

    SendMessageW(tree.Handle(), WM_SETREDRAW, FALSE, 0);
    std::vector<HTREEITEM> items;
    items.reserve(nodes.size());
    for (const SysInfoNode& node : nodes)
        items.push_back(tree.InsertFirst(node.parent < 0 ? nullptr : items[node.parent], node.text,
                                         node.image));
    SendMessageW(tree.Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tree.Handle(), nullptr, TRUE);
}

}  // namespace sysinfo
