// Dates and times: TDateTime arithmetic and FormatDateTime.
#include <cmath>
#include <string>

#include "classlib/sysutils.h"
#include "platform/kernel/winbase.h"

namespace classlib {
namespace {

using win32::WORD;

// Days from 0001-01-01 (day 1) to 1899-12-30, the library's day 0.
constexpr int kDateDelta = 693594;

const int kDaysInMonth[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                 {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

// A TDateTime split into whole days and milliseconds of the day, rounded
// to the millisecond with the carry going into the day. Before day 0 the
// fraction still counts forward from midnight, as the library defines it.
struct DayAndTime {
    long long day;
    long long ms;
};

DayAndTime Split(TDateTime value) {
    double day = std::trunc(value);
    long long ms = std::llround(std::fabs(value - day) * MSecsPerDay);
    long long d = static_cast<long long>(day);
    if (ms >= MSecsPerDay) {
        ms -= MSecsPerDay;
        d += value < 0 ? -1 : 1;
    }
    return {d, ms};
}

struct Civil {
    int year, month, day;
};

Civil CivilFromDay(long long day) {
    // Day number counted from 0001-01-01 = 1.
    long long t = day + kDateDelta;
    if (t <= 0) return {0, 0, 0};
    --t;
    long long y = 1;
    long long n400 = t / 146097;
    t %= 146097;
    long long n100 = t / 36524;
    t %= 36524;
    if (n100 == 4) {
        n100 = 3;
        t += 36524;
    }
    long long n4 = t / 1461;
    t %= 1461;
    long long n1 = t / 365;
    t %= 365;
    if (n1 == 4) {
        n1 = 3;
        t += 365;
    }
    y += n400 * 400 + n100 * 100 + n4 * 4 + n1;
    int leap = IsLeapYear(static_cast<WORD>(y)) ? 1 : 0;
    int m = 0;
    while (t >= kDaysInMonth[leap][m]) {
        t -= kDaysInMonth[leap][m];
        ++m;
    }
    return {static_cast<int>(y), m + 1, static_cast<int>(t) + 1};
}

std::string Digits(long long value, int width) {
    std::string s = std::to_string(value);
    while (static_cast<int>(s.size()) < width) s.insert(s.begin(), '0');
    return s;
}

bool StartsWithNoCase(std::string_view text, std::size_t at, std::string_view word) {
    if (text.size() - at < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        char c = text[at + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != word[i]) return false;
    }
    return true;
}

// Whether the format shows a morning/afternoon mark anywhere (outside
// quotes), which puts every hour of it on the 12-hour clock.
bool UsesTwelveHourClock(std::string_view format) {
    char quote = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if ((c == 'a' || c == 'A') &&
                   (StartsWithNoCase(format, i, "am/pm") || StartsWithNoCase(format, i, "a/p") ||
                    StartsWithNoCase(format, i, "ampm"))) {
            return true;
        }
    }
    return false;
}

class DateTimeFormatter {
public:
    DateTimeFormatter(TDateTime value, int depth) : depth_(depth) {
        DayAndTime split = Split(value);
        civil_ = CivilFromDay(split.day);
        dayOfWeek_ = static_cast<int>(((split.day - 1) % 7 + 7) % 7) + 1;  // day 0 was a Saturday
        hour_ = static_cast<int>(split.ms / 3600000);
        minute_ = static_cast<int>(split.ms / 60000 % 60);
        second_ = static_cast<int>(split.ms / 1000 % 60);
        millisecond_ = static_cast<int>(split.ms % 1000);
        hasTime_ = split.ms != 0;
    }

    void Append(std::string_view format, std::string& out) {
        // Nested formats (c, t, ddddd) cannot nest without end.
        if (depth_ > 2) return;
        const bool twelveHour = UsesTwelveHourClock(format);
        char lastToken = 0;
        std::size_t i = 0;
        while (i < format.size()) {
            char c = format[i];
            char token = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
            if (token >= 'A' && token <= 'Z') {
                if (token == 'M' && lastToken == 'H') token = 'N';
                lastToken = token;
            }
            std::size_t count = 1;
            auto takeRun = [&](char letter) {
                while (i + count < format.size() &&
                       (format[i + count] == letter || format[i + count] == static_cast<char>(letter + 'a' - 'A'))) {
                    ++count;
                }
            };
            switch (token) {
            case 'Y':
                takeRun('Y');
                out += count <= 2 ? Digits(civil_.year % 100, 2) : Digits(civil_.year, 4);
                break;
            case 'M':
                takeRun('M');
                if (count == 1) out += std::to_string(civil_.month);
                else if (count == 2) out += Digits(civil_.month, 2);
                else if (count == 3) out += ShortMonthNames[civil_.month];
                else out += LongMonthNames[civil_.month];
                break;
            case 'D':
                takeRun('D');
                if (count == 1) out += std::to_string(civil_.day);
                else if (count == 2) out += Digits(civil_.day, 2);
                else if (count == 3) out += ShortDayNames[dayOfWeek_];
                else if (count == 4) out += LongDayNames[dayOfWeek_];
                else if (count == 5) Nested(ShortDateFormat, out);
                else Nested(LongDateFormat, out);
                break;
            case 'H': {
                takeRun('H');
                int h = hour_;
                if (twelveHour) {
                    h %= 12;
                    if (h == 0) h = 12;
                }
                out += count == 1 ? std::to_string(h) : Digits(h, 2);
                break;
            }
            case 'N': {
                // An 'm' run that follows an hour, or an 'n' run.
                char letter = (c == 'm' || c == 'M') ? 'M' : 'N';
                takeRun(letter);
                out += count == 1 ? std::to_string(minute_) : Digits(minute_, 2);
                break;
            }
            case 'S':
                takeRun('S');
                out += count == 1 ? std::to_string(second_) : Digits(second_, 2);
                break;
            case 'Z':
                takeRun('Z');
                out += count == 1 ? std::to_string(millisecond_) : Digits(millisecond_, 3);
                break;
            case 'T':
                takeRun('T');
                Nested(count == 1 ? ShortTimeFormat : LongTimeFormat, out);
                break;
            case 'C':
                Nested(ShortDateFormat, out);
                if (hasTime_) {
                    out += ' ';
                    Nested(LongTimeFormat, out);
                }
                break;
            case 'A':
                count = AmPm(format, i, out);
                break;
            case '/':
                out += DateSeparator;
                break;
            case ':':
                out += TimeSeparator;
                break;
            case '\'':
            case '"': {
                std::size_t close = format.find(c, i + 1);
                if (close == std::string_view::npos) close = format.size();
                out.append(format.substr(i + 1, close - i - 1));
                count = close - i + (close < format.size() ? 1 : 0);
                break;
            }
            default:
                out += c;
                break;
            }
            i += count;
        }
    }

private:
    void Nested(const std::string& format, std::string& out) {
        DateTimeFormatter inner = *this;
        ++inner.depth_;
        inner.Append(format, out);
    }

    // The morning/afternoon marks; returns how many characters they took.
    std::size_t AmPm(std::string_view format, std::size_t i, std::string& out) {
        const bool afternoon = hour_ >= 12;
        if (StartsWithNoCase(format, i, "am/pm")) {
            // Written in the case the format spells them in.
            out.append(format.substr(afternoon ? i + 3 : i, 2));
            return 5;
        }
        if (StartsWithNoCase(format, i, "a/p")) {
            out += format[afternoon ? i + 2 : i];
            return 3;
        }
        if (StartsWithNoCase(format, i, "ampm")) {
            out += afternoon ? TimePMString : TimeAMString;
            return 4;
        }
        out += format[i];
        return 1;
    }

    Civil civil_{};
    int dayOfWeek_ = 1;
    int hour_ = 0, minute_ = 0, second_ = 0, millisecond_ = 0;
    bool hasTime_ = false;
    int depth_ = 0;
};

[[noreturn]] void EncodeError(const char* message) { throw EConvertError(message); }

}  // namespace

bool IsLeapYear(WORD year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

bool TryEncodeDate(WORD year, WORD month, WORD day, TDateTime& date) {
    if (year < 1 || year > 9999 || month < 1 || month > 12) return false;
    int leap = IsLeapYear(year) ? 1 : 0;
    if (day < 1 || day > kDaysInMonth[leap][month - 1]) return false;
    long long days = day;
    for (int m = 0; m < month - 1; ++m) days += kDaysInMonth[leap][m];
    long long y = year - 1;
    days += y * 365 + y / 4 - y / 100 + y / 400;
    date = static_cast<double>(days - kDateDelta);
    return true;
}

bool TryEncodeTime(WORD hour, WORD minute, WORD second, WORD millisecond, TDateTime& time) {
    if (hour >= 24 || minute >= 60 || second >= 60 || millisecond >= 1000) return false;
    time = (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + millisecond) / MSecsPerDay;
    return true;
}

TDateTime EncodeDate(WORD year, WORD month, WORD day) {
    TDateTime date = 0;
    if (!TryEncodeDate(year, month, day, date)) EncodeError(SDateEncodeError);
    return date;
}

TDateTime EncodeTime(WORD hour, WORD minute, WORD second, WORD millisecond) {
    TDateTime time = 0;
    if (!TryEncodeTime(hour, minute, second, millisecond, time)) EncodeError(STimeEncodeError);
    return time;
}

void DecodeDate(TDateTime date, WORD& year, WORD& month, WORD& day) {
    Civil c = CivilFromDay(Split(date).day);
    year = static_cast<WORD>(c.year);
    month = static_cast<WORD>(c.month);
    day = static_cast<WORD>(c.day);
}

void DecodeTime(TDateTime time, WORD& hour, WORD& minute, WORD& second, WORD& millisecond) {
    long long ms = Split(time).ms;
    hour = static_cast<WORD>(ms / 3600000);
    minute = static_cast<WORD>(ms / 60000 % 60);
    second = static_cast<WORD>(ms / 1000 % 60);
    millisecond = static_cast<WORD>(ms % 1000);
}

int DayOfWeek(TDateTime date) {
    long long day = Split(date).day;
    return static_cast<int>(((day - 1) % 7 + 7) % 7) + 1;
}

TDateTime SystemTimeToDateTime(const win32::SYSTEMTIME& t) {
    TDateTime date = EncodeDate(t.wYear, t.wMonth, t.wDay);
    TDateTime time = EncodeTime(t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
    return date >= 0 ? date + time : date - time;
}

void DateTimeToSystemTime(TDateTime dateTime, win32::SYSTEMTIME& t) {
    DecodeDate(dateTime, t.wYear, t.wMonth, t.wDay);
    DecodeTime(dateTime, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
    t.wDayOfWeek = static_cast<WORD>(DayOfWeek(dateTime) - 1);
}

TDateTime Now() {
    win32::SYSTEMTIME t{};
    win32::GetLocalTime(&t);
    return SystemTimeToDateTime(t);
}

TDateTime Date() { return std::trunc(Now()); }

TDateTime Time() {
    win32::SYSTEMTIME t{};
    win32::GetLocalTime(&t);
    return EncodeTime(t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
}

std::string FormatDateTime(std::string_view format, TDateTime dateTime) {
    std::string out;
    DateTimeFormatter formatter(dateTime, 0);
    formatter.Append(format.empty() ? std::string_view("c") : format, out);
    return out;
}

std::string DateToStr(TDateTime date) { return FormatDateTime(ShortDateFormat, date); }
std::string TimeToStr(TDateTime time) { return FormatDateTime(LongTimeFormat, time); }
std::string DateTimeToStr(TDateTime dateTime) { return FormatDateTime("c", dateTime); }

}  // namespace classlib
