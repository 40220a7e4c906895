#pragma once
// The report page: the memo MMReport with "Save" and "Clear".
#include <memory>

#include "services/report_log.h"
#include "platform/prompts.h"
#include "ui/page.h"

namespace app {

class ReportPage : public ui::Page {
  public:
    ReportPage(platform::Prompts& prompts, platform::FileDialogState& saveDialog,
               const platform::Clock& clock)
        : Page("TSReport", "TSReport"),
          report(MMReport, clock),
          prompts_(prompts),
          saveDialog_(saveDialog) {}

    void Create(HWND host) override;

    void BtnTsReportSaveClick();
    void BtnTsReportClearClick();

    ui::Label Label27{"Label27"};
    ui::Picture Image7{"Image7"};
    ui::Memo MMReport{"MMReport"};
    ui::Button BtnTsReportSave{"BtnTsReportSave"};
    ui::Button BtnTsReportClear{"BtnTsReportClear"};
    services::Report report;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    platform::Prompts& prompts_;
    platform::FileDialogState& saveDialog_;
};

}  // namespace app
