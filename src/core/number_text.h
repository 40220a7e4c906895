#pragma once
// Number and boolean texts in a given locale's decimal separator. No Windows header: pure logic.
#include <optional>
#include <string>
#include <string_view>

namespace core {

// snprintf with one double argument, the "." of the result replaced by `separator`.
std::string FormatWithSeparator(const char* pattern, double value, std::string_view separator);

// A number as the user may write it: optional blanks and sign, digits with at most one
// `separator`, an optional exponent. Anything else is not a number.
std::optional<double> ParseNumber(std::string_view text, std::string_view separator);

// A number means true when it is not zero; otherwise "True"/"False" in any letter case.
// Any other text, the empty one included, is not a boolean.
std::optional<bool> ParseBoolean(std::string_view text, std::string_view separator);

}  // namespace core
