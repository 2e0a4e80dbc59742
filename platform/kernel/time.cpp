// Clocks and calendar conversions.
#include <ctime>
#include <optional>

#include <sched.h>
#include <time.h>
#include <unistd.h>

#include "platform/backend/backend.h"
#include "platform/kernel/fixed_time.h"
#include "platform/kernel/kernel_object.h"
#include "platform/kernel/winbase.h"

namespace win32 {
namespace {

constexpr long long kTicksPerSecond = 10'000'000;
// Seconds from 1601-01-01 to 1970-01-01.
constexpr long long kEpochDifference = 11'644'473'600LL;

std::optional<SYSTEMTIME>& FixedLocalTime() {
    static std::optional<SYSTEMTIME> fixed;
    return fixed;
}

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's
// days_from_civil).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, long long& y, unsigned& m, unsigned& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2;
}

WORD DayOfWeek(long long daysSince1970) {
    // 1970-01-01 was a Thursday.
    long long w = (daysSince1970 + 4) % 7;
    return static_cast<WORD>(w < 0 ? w + 7 : w);
}

unsigned DaysInMonth(long long y, unsigned m) {
    static const unsigned days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) return 29;
    return days[m - 1];
}

SYSTEMTIME FromTm(const std::tm& tm, long nanoseconds) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(tm.tm_year + 1900);
    st.wMonth = static_cast<WORD>(tm.tm_mon + 1);
    st.wDayOfWeek = static_cast<WORD>(tm.tm_wday);
    st.wDay = static_cast<WORD>(tm.tm_mday);
    st.wHour = static_cast<WORD>(tm.tm_hour);
    st.wMinute = static_cast<WORD>(tm.tm_min);
    st.wSecond = static_cast<WORD>(tm.tm_sec > 59 ? 59 : tm.tm_sec);
    st.wMilliseconds = static_cast<WORD>(nanoseconds / 1'000'000);
    return st;
}

}  // namespace

namespace kernel {

void SetFixedLocalTime(const SYSTEMTIME& time) {
    SYSTEMTIME t = time;
    t.wDayOfWeek = DayOfWeek(DaysFromCivil(t.wYear, t.wMonth, t.wDay));
    FixedLocalTime() = t;
}

void ClearFixedLocalTime() { FixedLocalTime().reset(); }

FILETIME FileTimeFromUnix(long long seconds, long nanoseconds) {
    long long ticks = (seconds + kEpochDifference) * kTicksPerSecond + nanoseconds / 100;
    if (ticks < 0) ticks = 0;
    auto u = static_cast<unsigned long long>(ticks);
    return FILETIME{static_cast<DWORD>(u & 0xFFFFFFFF), static_cast<DWORD>(u >> 32)};
}

}  // namespace kernel

DWORD GetTickCount() { return static_cast<DWORD>(GetTickCount64()); }

ULONGLONG GetTickCount64() {
    if (backend::Backend* b = backend::Current()) return b->Now();
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<ULONGLONG>(ts.tv_sec) * 1000 + static_cast<ULONGLONG>(ts.tv_nsec / 1'000'000);
}

void Sleep(DWORD milliseconds) {
    if (milliseconds == 0) {
        sched_yield();
        return;
    }
    if (milliseconds == INFINITE) {
        for (;;) pause();
    }
    timespec ts{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1'000'000};
    while (nanosleep(&ts, &ts) != 0) {
    }
}

void GetLocalTime(LPSYSTEMTIME time) {
    if (!time) return;
    if (FixedLocalTime()) {
        *time = *FixedLocalTime();
        return;
    }
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm{};
    localtime_r(&ts.tv_sec, &tm);
    *time = FromTm(tm, ts.tv_nsec);
}

void GetSystemTime(LPSYSTEMTIME time) {
    if (!time) return;
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm{};
    gmtime_r(&ts.tv_sec, &tm);
    *time = FromTm(tm, ts.tv_nsec);
}

void GetSystemTimeAsFileTime(LPFILETIME time) {
    if (!time) return;
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    *time = kernel::FileTimeFromUnix(ts.tv_sec, ts.tv_nsec);
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* st, LPFILETIME ft) {
    if (!st || !ft || st->wYear < 1601 || st->wYear > 30827 || st->wMonth < 1 || st->wMonth > 12 || st->wDay < 1 ||
        st->wDay > DaysInMonth(st->wYear, st->wMonth) || st->wHour > 23 || st->wMinute > 59 || st->wSecond > 59 ||
        st->wMilliseconds > 999) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    long long days = DaysFromCivil(st->wYear, st->wMonth, st->wDay);
    long long seconds = days * 86400 + st->wHour * 3600 + st->wMinute * 60 + st->wSecond;
    *ft = kernel::FileTimeFromUnix(seconds, static_cast<long>(st->wMilliseconds) * 1'000'000);
    return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* ft, LPSYSTEMTIME st) {
    if (!ft || !st) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    unsigned long long ticks = (static_cast<unsigned long long>(ft->dwHighDateTime) << 32) | ft->dwLowDateTime;
    if (ticks >= 0x8000000000000000ULL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    long long seconds = static_cast<long long>(ticks / kTicksPerSecond) - kEpochDifference;
    long long days = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
    long long rest = seconds - days * 86400;
    long long y;
    unsigned m, d;
    CivilFromDays(days, y, m, d);
    st->wYear = static_cast<WORD>(y);
    st->wMonth = static_cast<WORD>(m);
    st->wDay = static_cast<WORD>(d);
    st->wDayOfWeek = DayOfWeek(days);
    st->wHour = static_cast<WORD>(rest / 3600);
    st->wMinute = static_cast<WORD>(rest / 60 % 60);
    st->wSecond = static_cast<WORD>(rest % 60);
    st->wMilliseconds = static_cast<WORD>(ticks % kTicksPerSecond / 10'000);
    return TRUE;
}

BOOL FileTimeToLocalFileTime(const FILETIME* ft, LPFILETIME local) {
    if (!ft || !local) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    unsigned long long ticks = (static_cast<unsigned long long>(ft->dwHighDateTime) << 32) | ft->dwLowDateTime;
    time_t seconds = static_cast<time_t>(static_cast<long long>(ticks / kTicksPerSecond) - kEpochDifference);
    std::tm tm{};
    localtime_r(&seconds, &tm);
    long long shifted = static_cast<long long>(ticks) + static_cast<long long>(tm.tm_gmtoff) * kTicksPerSecond;
    if (shifted < 0) shifted = 0;
    auto u = static_cast<unsigned long long>(shifted);
    *local = FILETIME{static_cast<DWORD>(u & 0xFFFFFFFF), static_cast<DWORD>(u >> 32)};
    return TRUE;
}

}  // namespace win32
