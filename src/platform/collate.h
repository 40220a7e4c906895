#pragma once
// Text order as the user's locale sorts it.
#include <string>

namespace platform {

// Negative, zero or positive, as the locale-aware comparison of the platform (CompareString
// with the user's locale, letter case significant) orders a and b.
int LocaleCompare(const std::string& a, const std::string& b);

}  // namespace platform
