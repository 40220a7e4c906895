#include "privacy/cookie_manager_page.h"

#include "core/scope_exit.h"
#include "privacy/privacy_texts.h"
#include "ui/paced_loop.h"

namespace privacy {

CookieManagerPage::CookieManagerPage(const services::PageContext& context, TIECache& CooKie)
    : Page("TSCookieManager", kCookieCaption), context_(context), CooKie_(CooKie) {}

void CookieManagerPage::Create(HWND host) {
    CreatePage(host);
    const int top = AddHeading(Label4, Image4, ui::NavIcon::Cookies, kCookieDescription);
    const RECT r = ClientUnits();
    constexpr int kButtonWidth = 96, kGap = 8;
    const int listWidth = (r.right - 16 - kButtonWidth - 2 * kGap) / 2;
    const int listHeight = r.bottom - top - 20 - 8 - 40 - 8 - 25 - 8;
    const int keepX = 8 + listWidth + kButtonWidth + 2 * kGap;
    const int buttonsX = 8 + listWidth + kGap;

    Label5.Create(Handle(), kCookiesToDelete, {8, top, listWidth, 18});
    LBCookieDelete.Create(Handle(), {8, top + 20, listWidth, listHeight});
    Label6.Create(Handle(), kCookiesToKeep, {keepX, top, listWidth, 18});
    LBCookieKeep.Create(Handle(), {keepX, top + 20, listWidth, listHeight});

    int y = top + 20 + 24;
    for (auto [button, caption] :
         {std::pair{&BtnKeepCookie, kKeepCookie}, std::pair{&BtnKeepAllCookie, kKeepAllCookie},
          std::pair{&BtnDeleteCookie, kDeleteCookie},
          std::pair{&BtnDeleteAllCookie, kDeleteAllCookie}}) {
        button->Create(Handle(), caption, {buttonsX, y, kButtonWidth, 25});
        y += 33;
    }
    const int below = top + 20 + listHeight + 8;
    lblCookie.Create(Handle(), "", {8, below, r.right - 16, 40});
    BtnCookManagerOK.Create(Handle(), kCookieOK, {r.right - 8 - 75 - 8 - 75, below + 48, 75, 25},
                            BS_DEFPUSHBUTTON);
    BtnCookManagerCancel.Create(Handle(), kCookieCancel, {r.right - 8 - 75, below + 48, 75, 25});

    for (HWND list : {LBCookieDelete.Handle(), LBCookieKeep.Handle()})
        AnchorChild(list, ui::kAnchorLeft | ui::kAnchorTop | ui::kAnchorBottom);
    AnchorChild(lblCookie.Handle(), ui::kAnchorLeft | ui::kAnchorRight | ui::kAnchorBottom);
    for (HWND button : {BtnCookManagerOK.Handle(), BtnCookManagerCancel.Handle()})
        AnchorChild(button, ui::kAnchorRight | ui::kAnchorBottom);

    LBCookieDelete.onClick = [this] { LBCookieDeleteClick(); };
    LBCookieDelete.onDblClick = [this] { BtnKeepCookieClick(); };
    LBCookieKeep.onClick = [this] { LBCookieKeepClick(); };
    LBCookieKeep.onDblClick = [this] { BtnDeleteCookieClick(); };
    BtnKeepCookie.onClick = [this] { BtnKeepCookieClick(); };
    BtnKeepAllCookie.onClick = [this] { BtnKeepAllCookieClick(); };
    BtnDeleteCookie.onClick = [this] { BtnDeleteCookieClick(); };
    BtnDeleteAllCookie.onClick = [this] { BtnDeleteAllCookieClick(); };
    BtnCookManagerOK.onClick = [this] { BtnCookManagerOKClick(); };
    BtnCookManagerCancel.onClick = [this] { BtnCookManagerCancelClick(); };
}

void CookieManagerPage::Fill(ui::ListBox& list, const CookieList& items) {
    list.SetRedraw(false);
    list.Clear();
    for (const auto& item : items)
        list.AddItem(item);
    list.SetRedraw(true);
}

void CookieManagerPage::TSCookieManagerShow() {
    if (deleting_) return;
    LBCookieKeep.Clear();
    LBCookieDelete.Clear();
    LBCookieDelete.SetRedraw(false);
    CooKie_.RetrieveEntries(0);
    LBCookieDelete.SetRedraw(true);
}

void CookieManagerPage::CooKieEntry(TIECache& Sender, bool&) {
    LBCookieDelete.AddItem(Sender.EntryInfo().SourceUrlName);
}

void CookieManagerPage::ShowLocalFile(const ui::ListBox& list) {
    if (list.Count() > 0 && list.SelectedIndex() >= 0)
        CooKie_.GetEntryInfo(list.ItemText(list.SelectedIndex()));
    // After a failed look-up this is still the entry the enumerator held before.
    lblCookie.SetText(CooKie_.EntryInfo().LocalFileName);
}

void CookieManagerPage::LBCookieDeleteClick() {
    ShowLocalFile(LBCookieDelete);
}

void CookieManagerPage::LBCookieKeepClick() {
    ShowLocalFile(LBCookieKeep);
}

void CookieManagerPage::Move(ui::ListBox& from, ui::ListBox& to) {
    if (deleting_) return;
    const int selected = from.SelectedIndex();
    CookieList source = from.Items(), target;
    if (!MoveCookie(source, selected >= 0 ? std::optional<size_t>(selected) : std::nullopt, target))
        return;
    to.AddItem(target.front());
    from.DeleteItem(selected);  // the list is left with no selection
}

void CookieManagerPage::MoveAll(ui::ListBox& from, ui::ListBox& to) {
    if (deleting_) return;
    CookieList source = from.Items(), target = to.Items();
    MoveAllCookies(source, target);
    Fill(from, source);
    Fill(to, target);
}

void CookieManagerPage::BtnKeepCookieClick() {
    Move(LBCookieDelete, LBCookieKeep);
}

void CookieManagerPage::BtnDeleteCookieClick() {
    Move(LBCookieKeep, LBCookieDelete);
}

void CookieManagerPage::BtnKeepAllCookieClick() {
    MoveAll(LBCookieDelete, LBCookieKeep);
}

void CookieManagerPage::BtnDeleteAllCookieClick() {
    MoveAll(LBCookieKeep, LBCookieDelete);
}

void CookieManagerPage::BtnCookManagerOKClick() {
    if (deleting_) return;
    deleting_ = true;
    const core::ScopeExit done([this] { deleting_ = false; });
    CookieList toDelete = LBCookieDelete.Items();
    ui::PacedLoop loop(Handle(), &context_.status);
    CookieDeletionHooks hooks;
    hooks.deleteEntry = [this](const std::string& item) { return CooKie_.DeleteEntry(item); };
    hooks.report = [this](const std::string& line) { context_.report.AddReportLine(line); };
    hooks.removed = [this](size_t index) { LBCookieDelete.DeleteItem(static_cast<int>(index)); };
    hooks.itemDone = [&] { loop.Tick(); };
    DeleteCookies(toDelete, hooks);
    // What could not be deleted stays on the delete side, so the user sees it.
    Fill(LBCookieDelete, toDelete);
    LBCookieKeep.Clear();
}

void CookieManagerPage::BtnCookManagerCancelClick() {
    if (deleting_) return;
    LBCookieDelete.Clear();
    LBCookieKeep.Clear();
}

}  // namespace privacy
