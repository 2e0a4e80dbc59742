#include "classlib/sysutils.h"

#include <gtest/gtest.h>

#include "platform/kernel/fixed_time.h"
#include "platform/kernel/winbase.h"

namespace classlib {
namespace {

using win32::WORD;

TDateTime At(WORD y, WORD mo, WORD d, WORD h = 0, WORD mi = 0, WORD s = 0, WORD ms = 0) {
    return EncodeDate(y, mo, d) + EncodeTime(h, mi, s, ms);
}

TEST(SysUtilsDateTime, EncodingAndDecoding) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2001, 6, 25), 37067.0);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
    EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_THROW(EncodeDate(2001, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(2000, 13, 1), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_NO_THROW(EncodeDate(2000, 2, 29));

    WORD y, m, d, h, n, s, ms;
    DecodeDate(EncodeDate(2024, 12, 31), y, m, d);
    EXPECT_EQ((std::array<WORD, 3>{y, m, d}), (std::array<WORD, 3>{2024, 12, 31}));
    DecodeDate(EncodeDate(9999, 12, 31), y, m, d);
    EXPECT_EQ((std::array<WORD, 3>{y, m, d}), (std::array<WORD, 3>{9999, 12, 31}));
    DecodeDate(-1.25, y, m, d);
    DecodeTime(-1.25, h, n, s, ms);
    EXPECT_EQ((std::array<WORD, 4>{y, m, d, h}), (std::array<WORD, 4>{1899, 12, 29, 6}));
    DecodeTime(At(2001, 6, 25, 23, 59, 59, 999), h, n, s, ms);
    EXPECT_EQ((std::array<WORD, 4>{h, n, s, ms}), (std::array<WORD, 4>{23, 59, 59, 999}));

    EXPECT_EQ(DayOfWeek(EncodeDate(2001, 6, 25)), 2);  // a Monday
    EXPECT_EQ(DayOfWeek(0), 7);                        // a Saturday
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
}

TEST(SysUtilsDateTime, DateStampPatternAtTheTestedTimes) {
    const char* stamp = "yyyy/mmm/dd     AM/PMhh:nn";
    EXPECT_EQ(FormatDateTime(stamp, At(2001, 6, 25, 14, 5)), "2001/6/25     PM02:05");
    EXPECT_EQ(FormatDateTime(stamp, At(2001, 6, 25, 0, 30)), "2001/6/25     AM12:30");
    EXPECT_EQ(FormatDateTime(stamp, At(2001, 6, 25, 12, 0)), "2001/6/25     PM12:00");
    EXPECT_EQ(FormatDateTime(stamp, At(2001, 6, 25, 23, 59)), "2001/6/25     PM11:59");
    EXPECT_EQ(FormatDateTime(stamp, At(2001, 1, 5, 9, 7)), "2001/1/05     AM09:07");

    win32::kernel::ScopedFixedLocalTime fixed(2001, 12, 3, 0, 30);
    EXPECT_EQ(FormatDateTime(stamp, Now()), "2001/12/03     AM12:30");
}

TEST(SysUtilsDateTime, Specifiers) {
    TDateTime t = At(2001, 6, 5, 14, 5, 9, 45);
    EXPECT_EQ(FormatDateTime("yy/m/d", t), "01/6/5");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd", t), "2001-06-05");
    EXPECT_EQ(FormatDateTime("mmmm", t), "6月");
    EXPECT_EQ(FormatDateTime("ddd dddd", t), "火 火曜日");
    EXPECT_EQ(FormatDateTime("h:n:s z", t), "14:5:9 45");
    EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", t), "14:05:09.045");
    EXPECT_EQ(FormatDateTime("hh:mm", t), "14:05");  // m after an hour is the minute
    EXPECT_EQ(FormatDateTime("h am/pm", t), "2 pm");
    EXPECT_EQ(FormatDateTime("h a/p", t), "2 p");
    EXPECT_EQ(FormatDateTime("ampm h", t), "午後 2");
    EXPECT_EQ(FormatDateTime("'yyyy' \"hh\" yyyy", t), "yyyy hh 2001");
    EXPECT_EQ(FormatDateTime("ddddd", t), "2001/06/05");
    EXPECT_EQ(FormatDateTime("dddddd", t), "2001年6月5日");
    EXPECT_EQ(FormatDateTime("t", t), "14:05");
    EXPECT_EQ(FormatDateTime("tt", t), "14:05:09");
    EXPECT_EQ(FormatDateTime("c", t), "2001/06/05 14:05:09");
    EXPECT_EQ(FormatDateTime("c", EncodeDate(2001, 6, 5)), "2001/06/05");
    EXPECT_EQ(DateToStr(t), "2001/06/05");
    EXPECT_EQ(TimeToStr(t), "14:05:09");

    // The separators are the locale's, whatever the format writes.
    std::string savedDate = DateSeparator, savedTime = TimeSeparator;
    DateSeparator = "-";
    TimeSeparator = ".";
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn", t), "2001-06-05 14.05");
    DateSeparator = savedDate;
    TimeSeparator = savedTime;

    // Rounding to the millisecond carries into the next day.
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn:ss", EncodeDate(2001, 6, 5) + 0.9999999999), "2001/06/06 00:00:00");
    EXPECT_EQ(FormatDateTime("", t), "2001/06/05 14:05:09");
}

TEST(SysUtilsDateTime, SystemTimeRoundTrip) {
    win32::SYSTEMTIME st{2024, 2, 0, 29, 23, 58, 57, 456};
    TDateTime t = SystemTimeToDateTime(st);
    win32::SYSTEMTIME back{};
    DateTimeToSystemTime(t, back);
    EXPECT_EQ(back.wYear, 2024);
    EXPECT_EQ(back.wMonth, 2);
    EXPECT_EQ(back.wDay, 29);
    EXPECT_EQ(back.wDayOfWeek, 4);  // a Thursday
    EXPECT_EQ(back.wHour, 23);
    EXPECT_EQ(back.wMinute, 58);
    EXPECT_EQ(back.wSecond, 57);
    EXPECT_EQ(back.wMilliseconds, 456);
}

}  // namespace
}  // namespace classlib
