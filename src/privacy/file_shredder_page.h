#pragma once
// The file shredder page TSFileShredder: the list of files to crush, and "Crush!", which
// overwrites each with the overwrite file's zeros and deletes it.
#include <string>

#include "services/page_context.h"
#include "ui/controls.h"
#include "ui/page.h"

namespace privacy {

class FileShredderPage : public ui::Page {
  public:
    explicit FileShredderPage(const services::PageContext& context);

    void Create(HWND host) override;

    void BtnFileShredderAddFilesClick();
    void BtnFileShredderDelFilesClick();
    void BtnFileShreddeCrushFilesClick();
    void BtnFileShredderOKClick();

    ui::Picture Image10{"Image10"};
    ui::Label Label7{"Label7"};
    ui::Label Label8{"Label8"};
    ui::ListBox LBFileShredder{"LBFileShredder"};
    ui::Button BtnFileShredderAddFiles{"BtnFileShredderAddFiles"};
    ui::Button BtnFileShredderDelFiles{"BtnFileShredderDelFiles"};
    ui::Button BtnFileShreddeCrushFiles{"BtnFileShreddeCrushFiles"};
    ui::Button BtnFileShredderOK{"BtnFileShredderOK"};

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    const services::PageContext& context_;
};

}  // namespace privacy
