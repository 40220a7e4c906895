#include "platform/file_time.h"

#include <windows.h>

namespace platform {

std::optional<LocalTime> LocalTimeFromFileTime(uint64_t ticks) {
    FILETIME utc{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)}, local{};
    SYSTEMTIME st{};
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st))
        return std::nullopt;
    return LocalTime{st.wYear, st.wMonth,  st.wDay,    st.wDayOfWeek,
                     st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

}  // namespace platform
