#pragma once
// The report: time-stamped lines in the memo MMReport, saved to "Last.VELLog" on close.
#include <string>

#include "platform/clock.h"
#include "ui/controls.h"

namespace app {

// What one report line appends to a text that does or does not end with a line break:
// the line then CR LF, or CR LF then the line, so the line always stands on its own.
std::string ReportAppendText(bool textEndsWithLineBreak, const std::string& timeText,
                             const std::string& message);

class Report {
  public:
    Report(ui::Memo& memo, const platform::Clock& clock) : memo_(memo), clock_(clock) {}

    void AddReportLine(const std::string& message);
    std::string Text() const { return memo_.Text(); }
    void Clear() { memo_.SetText(""); }
    // Writes the whole text, replacing the file; throws when the file cannot be written.
    void SaveTo(const std::string& path) const;

  private:
    ui::Memo& memo_;
    const platform::Clock& clock_;
};

}  // namespace app
