#pragma once
// Dates, times and numbers in the user's locale.
#include <string>

#include "platform/clock.h"

namespace platform {

// The time of day in the user's long time format ("14:05:09", "2:05:09 PM").
std::string LongTimeText(const LocalTime& t);
// The date in the user's short date format.
std::string ShortDateText(const LocalTime& t);
// The user's decimal separator ("." or ",").
std::string DecimalSeparator();

// printf-style formatting of one double, with "." replaced by the user's decimal separator.
std::string FormatNumber(const char* pattern, double value);

}  // namespace platform
