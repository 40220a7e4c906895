#pragma once
// Calendar fields as a date-time number: days since 30 December 1899 00:00, the fraction being
// the time of day. Before that day the number is negative and the fraction still counts forward
// through the day (-1.25 is 29 December 1899, 06:00). No Windows header.
#include <optional>

namespace core {

// nullopt unless the fields make a real date (years 1 to 9999, proleptic Gregorian calendar)
// and time (hour < 24, minute and second < 60, millisecond < 1000).
std::optional<double> DateTimeFromFields(int year, int month, int day, int hour, int minute,
                                         int second, int millisecond);

}  // namespace core
