#include "platform/kernel/winbase.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/kernel/fixed_time.h"

namespace win32 {
namespace {

TEST(Time, FixedLocalTimeIsReportedWithItsWeekday) {
    {
        kernel::ScopedFixedLocalTime fixed(2001, 6, 25, 14, 5);
        SYSTEMTIME st{};
        GetLocalTime(&st);
        EXPECT_EQ(st.wYear, 2001);
        EXPECT_EQ(st.wMonth, 6);
        EXPECT_EQ(st.wDay, 25);
        EXPECT_EQ(st.wHour, 14);
        EXPECT_EQ(st.wMinute, 5);
        EXPECT_EQ(st.wDayOfWeek, 1);  // a Monday
    }
    // Back on the host clock.
    SYSTEMTIME now{};
    GetLocalTime(&now);
    EXPECT_GE(now.wYear, 2024);
}

TEST(Time, FileTimeConversions) {
    SYSTEMTIME epoch{1970, 1, 0, 1, 0, 0, 0, 0};
    FILETIME ft{};
    ASSERT_TRUE(SystemTimeToFileTime(&epoch, &ft));
    EXPECT_EQ((static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime, 116444736000000000ULL);

    SYSTEMTIME leap{2000, 2, 0, 29, 23, 59, 58, 123};
    ASSERT_TRUE(SystemTimeToFileTime(&leap, &ft));
    SYSTEMTIME back{};
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &back));
    EXPECT_EQ(back.wYear, 2000);
    EXPECT_EQ(back.wMonth, 2);
    EXPECT_EQ(back.wDay, 29);
    EXPECT_EQ(back.wDayOfWeek, 2);  // a Tuesday
    EXPECT_EQ(back.wHour, 23);
    EXPECT_EQ(back.wMinute, 59);
    EXPECT_EQ(back.wSecond, 58);
    EXPECT_EQ(back.wMilliseconds, 123);

    SYSTEMTIME bad{2001, 2, 0, 29, 0, 0, 0, 0};
    EXPECT_FALSE(SystemTimeToFileTime(&bad, &ft));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(Time, TickCountMovesForward) {
    DWORD a = GetTickCount();
    Sleep(20);
    DWORD b = GetTickCount();
    EXPECT_GE(b - a, 15u);
}

TEST(Arithmetic, MulDivRoundsHalfAwayFromZero) {
    EXPECT_EQ(MulDiv(8, 96, 72), 11);   // 10.67
    EXPECT_EQ(MulDiv(10, 96, 72), 13);  // 13.33
    EXPECT_EQ(MulDiv(1, 1, 2), 1);
    EXPECT_EQ(MulDiv(-1, 1, 2), -1);
    EXPECT_EQ(MulDiv(3, 1, -2), -2);
    EXPECT_EQ(MulDiv(-9, -96, 72), 12);
    EXPECT_EQ(MulDiv(5, 3, 0), -1);
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, 1), -1);
    EXPECT_EQ(MulDiv(INT_MAX, 2, 2), INT_MAX);
}

TEST(Module, FileNameIsTheRealExecutablePath) {
    char buffer[4096];
    DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    ASSERT_GT(n, 0u);
    EXPECT_EQ(n, std::strlen(buffer));
    EXPECT_EQ(std::string(buffer), std::filesystem::canonical("/proc/self/exe").string());
    EXPECT_EQ(GetModuleFileNameA(GetModuleHandleA(nullptr), buffer, sizeof buffer), n);

    char small[5];
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), 5u);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::strlen(small), 4u);

    EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HMODULE>(0x1234), buffer, sizeof buffer), 0u);
}

TEST(GlobalMemory, LockCountsSizesAndStaleHandles) {
    HGLOBAL h = GlobalAlloc(GHND, 100);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), 100u);
    auto* p = static_cast<unsigned char*>(GlobalLock(h));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p[0], 0);
    EXPECT_EQ(p[99], 0);
    std::memcpy(p, "devmode", 8);
    EXPECT_EQ(GlobalLock(h), p);
    EXPECT_EQ(GlobalFlags(h), 2u);
    EXPECT_TRUE(GlobalUnlock(h));  // still locked once
    EXPECT_FALSE(GlobalUnlock(h));
    EXPECT_EQ(GetLastError(), NO_ERROR);
    EXPECT_FALSE(GlobalUnlock(h));
    EXPECT_EQ(GetLastError(), ERROR_NOT_LOCKED);

    ASSERT_EQ(GlobalReAlloc(h, 200, GMEM_MOVEABLE), h);
    EXPECT_EQ(GlobalSize(h), 200u);
    p = static_cast<unsigned char*>(GlobalLock(h));
    EXPECT_STREQ(reinterpret_cast<char*>(p), "devmode");
    EXPECT_EQ(p[199], 0);
    // A locked block cannot move, so it cannot grow.
    EXPECT_EQ(GlobalReAlloc(h, 5000, GMEM_MOVEABLE), nullptr);
    GlobalUnlock(h);

    EXPECT_EQ(GlobalFree(h), nullptr);
    EXPECT_EQ(GlobalSize(h), 0u);
    EXPECT_EQ(GlobalLock(h), nullptr);
    EXPECT_EQ(GlobalFree(h), h);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(GlobalLock(reinterpret_cast<HGLOBAL>(0x7777)), nullptr);
    EXPECT_EQ(GlobalAlloc(GHND, ~SIZE_T{0}), nullptr);
    EXPECT_EQ(GlobalFree(nullptr), nullptr);
}

}  // namespace
}  // namespace win32
