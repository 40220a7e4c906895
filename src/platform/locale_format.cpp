#include "platform/locale_format.h"

#include <windows.h>

#include <cstdio>

#include "platform/text.h"
#include "core/number_text.h"

namespace platform {
namespace {

SYSTEMTIME ToSystemTime(const LocalTime& t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wDayOfWeek = static_cast<WORD>(t.dayOfWeek);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    st.wMilliseconds = static_cast<WORD>(t.millisecond);
    return st;
}

}  // namespace

std::string LongTimeText(const LocalTime& t) {
    const SYSTEMTIME st = ToSystemTime(t);
    wchar_t buf[128];
    const int n = GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &st, nullptr, buf, 128);
    return n > 0 ? Narrow(std::wstring_view(buf, static_cast<size_t>(n - 1))) : std::string();
}

std::string ShortDateText(const LocalTime& t) {
    const SYSTEMTIME st = ToSystemTime(t);
    wchar_t buf[128];
    const int n =
        GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buf, 128, nullptr);
    return n > 0 ? Narrow(std::wstring_view(buf, static_cast<size_t>(n - 1))) : std::string();
}

std::string DecimalSeparator() {
    wchar_t buf[8];
    const int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, buf, 8);
    return n > 1 ? Narrow(std::wstring_view(buf, static_cast<size_t>(n - 1))) : std::string(".");
}

std::string FormatNumber(const char* pattern, double value) {
    return core::FormatWithSeparator(pattern, value, DecimalSeparator());
}

}  // namespace platform
