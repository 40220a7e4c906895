#pragma once
// The local date and time, and waiting, behind a seam so tests can fix the day and skip the wait.
#include <cstdint>

namespace platform {

struct LocalTime {
    int year = 2000, month = 1, day = 1;
    int dayOfWeek = 6;  // 0 = Sunday, as SYSTEMTIME counts
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalTime Now() const = 0;
    virtual void Sleep(uint32_t milliseconds) const = 0;
};

class SystemClock final : public Clock {
  public:
    LocalTime Now() const override;
    void Sleep(uint32_t milliseconds) const override;
};

}  // namespace platform
