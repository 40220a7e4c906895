#include "services/error_log.h"

#include "platform/files.h"
#include "platform/locale_format.h"
#include "ui/component.h"

namespace services {

std::string ErrorLogDateTime(const std::string& shortDate, const std::string& longTime,
                             const platform::LocalTime& t) {
    const bool midnight = t.hour == 0 && t.minute == 0 && t.second == 0 && t.millisecond == 0;
    return midnight ? shortDate : shortDate + " " + longTime;
}

std::string ErrorLogRecord(const std::string& dateTime, const std::string* component,
                           const std::string& message) {
    std::string line = dateTime + ":   ";
    if (component) line += *component + "     ";
    return line + message + "\r\n  \r\n";
}

std::string ErrorLog::Path() const {
    return platform::JoinPath(folder_, "Error.log");
}

std::string ErrorLog::FallbackPath() {
    return platform::JoinPath(platform::TempFolder(), "Veltrin Error.log");
}

void ErrorLog::WriteErrorLog(const ui::Component* sender, const std::string& message) const {
    const platform::LocalTime now = clock_.Now();
    const std::string dateTime =
        ErrorLogDateTime(platform::ShortDateText(now), platform::LongTimeText(now), now);
    const bool control = sender && sender->IsControl();
    const std::string record =
        ErrorLogRecord(dateTime, control ? &sender->Name() : nullptr, message);
    if (!platform::AppendToFile(Path(), record)) platform::AppendToFile(FallbackPath(), record);
}

}  // namespace services
