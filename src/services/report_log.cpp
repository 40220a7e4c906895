#include "services/report_log.h"

#include <stdexcept>

#include "platform/files.h"
#include "platform/locale_format.h"

namespace services {

std::string ReportAppendText(bool textEndsWithLineBreak, const std::string& timeText,
                             const std::string& message) {
    const std::string line = timeText + "    " + message;
    return textEndsWithLineBreak ? line + "\r\n" : "\r\n" + line;
}

void Report::AddReportLine(const std::string& message) {
    const bool endsWithBreak =
        pending_.empty() ? memo_.EndsWithLineBreak() : pending_.ends_with("\r\n");
    pending_ += ReportAppendText(endsWithBreak, platform::LongTimeText(clock_.Now()), message);
    if (!flushPosted_) {
        flushPosted_ = PostMessageW(GetParent(memo_.Handle()), kFlushMessage, 0, 0) != FALSE;
        if (!flushPosted_) Flush();
    }
}

void Report::Flush() {
    flushPosted_ = false;
    if (pending_.empty()) return;
    memo_.Append(pending_);
    pending_.clear();
}

std::string Report::Text() {
    Flush();
    return memo_.Text();
}

void Report::Clear() {
    pending_.clear();
    memo_.SetText("");
}

void Report::SaveTo(const std::string& path) {
    if (!platform::WriteWholeFile(path, Text()))
        throw std::runtime_error("Cannot create file \"" + path + "\". " +
                                 platform::LastErrorText());
}

}  // namespace services
