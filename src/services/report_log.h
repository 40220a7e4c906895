#pragma once
// The report: time-stamped lines in the memo MMReport, saved to "Last.VELLog" on close.
#include <windows.h>

#include <string>

#include "platform/clock.h"
#include "ui/controls.h"

namespace services {

// What one report line appends to a text that does or does not end with a line break:
// the line then CR LF, or CR LF then the line, so the line always stands on its own.
std::string ReportAppendText(bool textEndsWithLineBreak, const std::string& timeText,
                             const std::string& message);

// Lines are gathered and handed to the memo in one piece at the next pump of messages (the
// memo's parent passes kFlushMessage on to Flush): an edit control's append costs milliseconds
// under Wine, so a tool reporting thousands of files would otherwise spend its time in the memo.
class Report {
  public:
    static constexpr UINT kFlushMessage = WM_APP + 1;

    Report(ui::Memo& memo, const platform::Clock& clock) : memo_(memo), clock_(clock) {}

    void AddReportLine(const std::string& message);
    // Hands the gathered lines to the memo.
    void Flush();
    // The whole text, gathered lines included.
    std::string Text();
    void Clear();
    // Writes the whole text, replacing the file; throws when the file cannot be written.
    void SaveTo(const std::string& path);

  private:
    ui::Memo& memo_;
    const platform::Clock& clock_;
    std::string pending_;
    bool flushPosted_ = false;
};

}  // namespace services
