#pragma once
// The cookie manager page TSCookieManager: every cookie of the cache on the delete side, moves
// between the delete list and the keep list, and "OK", which deletes the delete list.
#include <string>

#include "privacy/cookie_lists.h"
#include "privacy/ie_cache.h"
#include "services/page_context.h"
#include "ui/controls.h"
#include "ui/page.h"

namespace privacy {

class CookieManagerPage : public ui::Page {
  public:
    // `CooKie` is the main window's cookie enumerator; its OnEntry is CooKieEntry.
    CookieManagerPage(const services::PageContext& context, TIECache& CooKie);

    void Create(HWND host) override;
    void OnShow() override { TSCookieManagerShow(); }

    void TSCookieManagerShow();
    void CooKieEntry(TIECache& Sender, bool& Cancel);
    void LBCookieDeleteClick();
    void LBCookieKeepClick();
    void BtnKeepCookieClick();
    void BtnDeleteCookieClick();
    void BtnKeepAllCookieClick();
    void BtnDeleteAllCookieClick();
    void BtnCookManagerOKClick();
    void BtnCookManagerCancelClick();

    ui::Picture Image4{"Image4"};
    ui::Label Label4{"Label4"};
    ui::Label Label5{"Label5"};
    ui::ListBox LBCookieDelete{"LBCookieDelete"};
    ui::Label Label6{"Label6"};
    ui::ListBox LBCookieKeep{"LBCookieKeep"};
    ui::Button BtnKeepCookie{"BtnKeepCookie"};
    ui::Button BtnKeepAllCookie{"BtnKeepAllCookie"};
    ui::Button BtnDeleteCookie{"BtnDeleteCookie"};
    ui::Button BtnDeleteAllCookie{"BtnDeleteAllCookie"};
    ui::Label lblCookie{"lblCookie"};
    ui::Button BtnCookManagerOK{"BtnCookManagerOK"};
    ui::Button BtnCookManagerCancel{"BtnCookManagerCancel"};

  private:
    void ShowLocalFile(const ui::ListBox& list);
    void Move(ui::ListBox& from, ui::ListBox& to);
    void MoveAll(ui::ListBox& from, ui::ListBox& to);
    static void Fill(ui::ListBox& list, const CookieList& items);

    const services::PageContext& context_;
    TIECache& CooKie_;
    // "OK" keeps the window alive while it deletes; the lists stay as they are until it ends.
    bool deleting_ = false;
};

}  // namespace privacy
