// A fixed local time for tests of anything that stamps the date: while set,
// GetLocalTime reports it instead of the host clock.
#pragma once

#include "platform/kernel/winbase.h"

namespace win32::kernel {

// wDayOfWeek is filled in from the date; wMilliseconds is kept.
void SetFixedLocalTime(const SYSTEMTIME& time);
void ClearFixedLocalTime();

// Fixes the local time for the life of the object.
class ScopedFixedLocalTime {
public:
    explicit ScopedFixedLocalTime(const SYSTEMTIME& time) { SetFixedLocalTime(time); }
    ScopedFixedLocalTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second = 0)
        : ScopedFixedLocalTime(SYSTEMTIME{year, month, 0, day, hour, minute, second, 0}) {}
    ~ScopedFixedLocalTime() { ClearFixedLocalTime(); }
    ScopedFixedLocalTime(const ScopedFixedLocalTime&) = delete;
    ScopedFixedLocalTime& operator=(const ScopedFixedLocalTime&) = delete;
};

}  // namespace win32::kernel
