#include "app/report_log.h"

#include <stdexcept>

#include "platform/files.h"
#include "platform/locale_format.h"

namespace app {

std::string ReportAppendText(bool textEndsWithLineBreak, const std::string& timeText,
                             const std::string& message) {
    const std::string line = timeText + "    " + message;
    return textEndsWithLineBreak ? line + "\r\n" : "\r\n" + line;
}

void Report::AddReportLine(const std::string& message) {
    memo_.Append(
        ReportAppendText(memo_.EndsWithLineBreak(), platform::LongTimeText(clock_.Now()), message));
}

void Report::SaveTo(const std::string& path) const {
    if (!platform::WriteWholeFile(path, Text()))
        throw std::runtime_error("Cannot create file \"" + path + "\". " +
                                 platform::LastErrorText());
}

}  // namespace app
