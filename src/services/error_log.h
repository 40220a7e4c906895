#pragma once
// "Error.log" beside the program: one record of two lines per error that escaped a handler.
#include <string>

#include "platform/clock.h"

namespace ui {
class Component;
}

namespace services {

// The date-time text of a record: short date, a blank and the long time; only the date at
// exactly midnight.
std::string ErrorLogDateTime(const std::string& shortDate, const std::string& longTime,
                             const platform::LocalTime& t);

// The record's two lines; `component` is null when the sender is not a control.
std::string ErrorLogRecord(const std::string& dateTime, const std::string* component,
                           const std::string& message);

class ErrorLog {
  public:
    ErrorLog(std::string programFolder, const platform::Clock& clock)
        : folder_(std::move(programFolder)), clock_(clock) {}

    // Appends one record. When "Error.log" beside the program cannot be written, the record
    // goes to "Veltrin Error.log" in the user's temporary folder; when that fails too it is
    // dropped: logging must never stop the program or loop.
    void WriteErrorLog(const ui::Component* sender, const std::string& message) const;

    std::string Path() const;
    static std::string FallbackPath();

  private:
    std::string folder_;
    const platform::Clock& clock_;
};

}  // namespace services
