#include "app/report_page.h"

namespace app {

void ReportPage::Create(HWND host) {
    CreatePage(host);
    const int top = AddHeading(
        Label27, Image7, ui::NavIcon::Report,
        "Report: It record all optimizing and cleaning operation. If there is any problems, you "
        "can send this report file to use. We will help you to find the answer.");
    const RECT r = ClientUnits();
    MMReport.Create(Handle(), {8, top, r.right - 16, r.bottom - top - 44});
    AnchorChild(MMReport.Handle(),
                ui::kAnchorLeft | ui::kAnchorTop | ui::kAnchorRight | ui::kAnchorBottom);
    BtnTsReportSave.Create(Handle(), "Save", {r.right - 176, r.bottom - 34, 80, 25});
    BtnTsReportClear.Create(Handle(), "Clear", {r.right - 88, r.bottom - 34, 80, 25});
    AnchorChild(BtnTsReportSave.Handle(), ui::kAnchorRight | ui::kAnchorBottom);
    AnchorChild(BtnTsReportClear.Handle(), ui::kAnchorRight | ui::kAnchorBottom);
    BtnTsReportSave.onClick = [this] { BtnTsReportSaveClick(); };
    BtnTsReportClear.onClick = [this] { BtnTsReportClearClick(); };
}

void ReportPage::BtnTsReportSaveClick() {
    saveDialog_.defaultExtension = "txt";
    saveDialog_.filter = "Text file(*.txt)|*.txt";
    if (!prompts_.Save(saveDialog_)) return;
    report.SaveTo(saveDialog_.fileName);
}

LRESULT ReportPage::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == services::Report::kFlushMessage || (msg == WM_SHOWWINDOW && wp)) report.Flush();
    return Page::HandleMessage(msg, wp, lp);
}

void ReportPage::BtnTsReportClearClick() {
    report.Clear();
}

}  // namespace app
