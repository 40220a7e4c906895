#include "platform/clock.h"

#include <windows.h>

namespace platform {

LocalTime SystemClock::Now() const {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return LocalTime{st.wYear, st.wMonth,  st.wDay,    st.wDayOfWeek,
                     st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

void SystemClock::Sleep(uint32_t milliseconds) const {
    ::Sleep(milliseconds);
}

}  // namespace platform
