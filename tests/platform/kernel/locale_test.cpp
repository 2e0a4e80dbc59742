#include "platform/kernel/winnls.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/kernel/winbase.h"

namespace win32 {
namespace {

std::string Info(LCTYPE type, LCID locale = LOCALE_USER_DEFAULT) {
    char buffer[64];
    int n = GetLocaleInfoA(locale, type, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n - 1)) : std::string("<fail>");
}

TEST(Locale, JapaneseDesktopData) {
    EXPECT_EQ(GetUserDefaultLCID(), 0x0411u);
    EXPECT_EQ(GetUserDefaultLangID(), MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
    EXPECT_EQ(Info(LOCALE_SDATE), "/");
    EXPECT_EQ(Info(LOCALE_STIME), ":");
    EXPECT_EQ(Info(LOCALE_STHOUSAND), ",");
    EXPECT_EQ(Info(LOCALE_SDECIMAL), ".");
    EXPECT_EQ(Info(LOCALE_STIMEFORMAT), "H:mm:ss");
    EXPECT_EQ(Info(LOCALE_SSHORTDATE), "yyyy/MM/dd");
    EXPECT_EQ(Info(LOCALE_S1159), "午前");
    EXPECT_EQ(Info(LOCALE_S2359), "午後");
    EXPECT_EQ(Info(LOCALE_SABBREVMONTHNAME1), "1");
    EXPECT_EQ(Info(LOCALE_SABBREVMONTHNAME1 + 5), "6");
    EXPECT_EQ(Info(LOCALE_SABBREVMONTHNAME12), "12");
    EXPECT_EQ(Info(LOCALE_SMONTHNAME1), "1月");
    EXPECT_EQ(Info(LOCALE_SMONTHNAME12), "12月");
    EXPECT_EQ(Info(LOCALE_SDAYNAME7), "日曜日");
    EXPECT_EQ(Info(LOCALE_SABBREVDAYNAME1), "月");
    EXPECT_EQ(Info(LOCALE_SDATE | LOCALE_NOUSEROVERRIDE, 0x0411), "/");
}

TEST(Locale, BufferRulesAndFailures) {
    EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME1, nullptr, 0), 5);  // "1月" and terminator
    char small[3];
    EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME1, small, sizeof small), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(Info(0x7777), "<fail>");
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(Info(LOCALE_SDATE, 0x0409), "<fail>");

    DWORD number = 0;
    EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ICOUNTRY | LOCALE_RETURN_NUMBER,
                             reinterpret_cast<LPSTR>(&number), sizeof number),
              4);
    EXPECT_EQ(number, 81u);
    EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDATE | LOCALE_RETURN_NUMBER,
                             reinterpret_cast<LPSTR>(&number), sizeof number),
              0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
}

}  // namespace
}  // namespace win32
