// The system utilities of the library: the general exception classes, the
// formatting of numbers, dates and times with the Japanese locale's data,
// conversions between text and numbers, string helpers and file-name
// helpers. Stream, list and graphics errors live beside their classes.
//
// Text is UTF-8. Where a width or a length counts bytes, it counts them in
// code page 932 (a full-width character is two), as the users of this
// desktop expect text to line up.
#pragma once

#include <array>
#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "platform/windef.h"

namespace win32 {
struct SYSTEMTIME;
}

namespace classlib {

// ---------------------------------------------------------------------------
// Exceptions

// Base of every exception the library raises; Message is what the
// application's error box shows.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const { return message_; }
    void SetMessage(std::string message) { message_ = std::move(message); }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// Ends an operation silently: the application reports it to nobody.
class EAbort : public Exception {
public:
    using Exception::Exception;
};

// A text that is not the number, date or time asked for, or a format that
// does not fit its arguments.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

class EOutOfMemory : public Exception {
public:
    using Exception::Exception;
};

// A failed file operation of the run-time library, with its error code.
class EInOutError : public Exception {
public:
    EInOutError(std::string message, int errorCode) : Exception(std::move(message)), errorCode_(errorCode) {}
    int ErrorCode() const { return errorCode_; }

private:
    int errorCode_;
};

// A failed call of the system, with its Win32 error code.
class EOSError : public Exception {
public:
    EOSError(std::string message, win32::DWORD errorCode) : Exception(std::move(message)), errorCode_(errorCode) {}
    win32::DWORD ErrorCode() const { return errorCode_; }

private:
    win32::DWORD errorCode_;
};

// Arithmetic faults.
class EIntError : public Exception {
public:
    using Exception::Exception;
};
class EDivByZero : public EIntError {
public:
    using EIntError::EIntError;
};
class ERangeError : public EIntError {
public:
    using EIntError::EIntError;
};
class EIntOverflow : public EIntError {
public:
    using EIntError::EIntError;
};
class EMathError : public Exception {
public:
    using Exception::Exception;
};
class EInvalidOp : public EMathError {
public:
    using EMathError::EMathError;
};
class EZeroDivide : public EMathError {
public:
    using EMathError::EMathError;
};
class EOverflow : public EMathError {
public:
    using EMathError::EMathError;
};
class EUnderflow : public EMathError {
public:
    using EMathError::EMathError;
};

// Programming faults.
class EInvalidPointer : public Exception {
public:
    using Exception::Exception;
};
class EInvalidCast : public Exception {
public:
    using Exception::Exception;
};
class EAssertionFailed : public Exception {
public:
    using Exception::Exception;
};
class EAbstractError : public Exception {
public:
    using Exception::Exception;
};

// Raises EAbort with the library's message.
[[noreturn]] void Abort();
// Raises EOSError for the system's last error.
[[noreturn]] void RaiseLastOSError();
// The system's text for a Win32 error code, in Japanese.
std::string SysErrorMessage(win32::DWORD errorCode);

// ---------------------------------------------------------------------------
// Messages of the system utilities

inline constexpr const char* SInvalidInteger = "'%s' は整数値ではありません";
inline constexpr const char* SInvalidFloat = "'%s' は浮動小数点数値ではありません";
inline constexpr const char* SInvalidDate = "'%s' は正しい日付ではありません";
inline constexpr const char* SInvalidTime = "'%s' は正しい時刻ではありません";
inline constexpr const char* SInvalidFormat = "書式 '%s' が無効または引数と互換性がありません";
inline constexpr const char* SArgumentMissing = "書式 '%s' に対する引数がありません";
inline constexpr const char* SDateEncodeError = "日付のｴﾝｺｰﾄﾞに無効な引数があります";
inline constexpr const char* STimeEncodeError = "時刻のｴﾝｺｰﾄﾞに無効な引数があります";
inline constexpr const char* SOperationAborted = "操作は中止されました";
inline constexpr const char* SOutOfMemory = "ﾒﾓﾘが不足しています";
inline constexpr const char* SInOutError = "I/O ｴﾗｰ %d";
inline constexpr const char* SDivByZero = "0 で除算しました";
inline constexpr const char* SRangeError = "範囲ﾁｪｯｸ ｴﾗｰ";
inline constexpr const char* SIntOverflow = "整数ｵｰﾊﾞｰﾌﾛｰ";
inline constexpr const char* SInvalidOp = "無効な浮動小数点数演算です";
inline constexpr const char* SZeroDivide = "浮動小数点数の 0 による除算";
inline constexpr const char* SOverflow = "浮動小数点数のｵｰﾊﾞｰﾌﾛｰ";
inline constexpr const char* SUnderflow = "浮動小数点数のｱﾝﾀﾞｰﾌﾛｰ";
inline constexpr const char* SInvalidPointer = "無効なﾎﾟｲﾝﾀ操作です";
inline constexpr const char* SInvalidCast = "無効なｸﾗｽ型ｷｬｽﾄです";
inline constexpr const char* SAssertionFailed = "ｱｻｰｼｮﾝ失敗";
inline constexpr const char* SAbstractError = "抽象ｴﾗｰ";
inline constexpr const char* SOSError = "ｼｽﾃﾑ ｴﾗｰ. ｺｰﾄﾞ: %d.\r\n%s";
inline constexpr const char* SUnkOSError = "OS 関数の呼び出しに失敗しました";

// ---------------------------------------------------------------------------
// Locale data, read from the system's locale when the program starts

// Names indexed from 1 as the library has always indexed them: month 1 is
// January, day 1 is Sunday. An index out of range gives an empty name.
template <int N>
class TNameArray {
public:
    const std::string& operator[](int index) const { return index >= 1 && index <= N ? names_[index - 1] : empty_; }
    void Set(int index, std::string name) {
        if (index >= 1 && index <= N) names_[index - 1] = std::move(name);
    }

private:
    std::array<std::string, N> names_;
    std::string empty_;
};

extern std::string DateSeparator;     // "/"
extern std::string TimeSeparator;     // ":"
extern std::string DecimalSeparator;  // "."
extern std::string ThousandSeparator; // ","
extern std::string ShortDateFormat;   // "yyyy/mm/dd"
extern std::string LongDateFormat;    // "yyyy'年'm'月'd'日'"
extern std::string ShortTimeFormat;   // "h:mm"
extern std::string LongTimeFormat;    // "h:mm:ss"
extern std::string TimeAMString;      // "午前"
extern std::string TimePMString;      // "午後"
extern std::string CurrencyString;    // "¥"
extern int CurrencyFormat;            // 0: "¥1"
extern int NegCurrFormat;             // 1: "-¥1"
extern int CurrencyDecimals;          // 0
extern TNameArray<12> ShortMonthNames;  // "1" .. "12"
extern TNameArray<12> LongMonthNames;   // "1月" .. "12月"
extern TNameArray<7> ShortDayNames;     // "日", "月", ...
extern TNameArray<7> LongDayNames;      // "日曜日", ...

// Reads all of the above from the locale again.
void GetFormatSettings();

// ---------------------------------------------------------------------------
// Formatting

// One argument of Format: an integer, a floating-point number, a string or
// a pointer.
class TVarRec {
public:
    enum class Kind { Integer, Unsigned, Float, String, Pointer };

    template <class T>
        requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, char>)
    TVarRec(T value) {
        if constexpr (std::is_signed_v<T>) {
            kind_ = Kind::Integer;
            integer_ = static_cast<std::int64_t>(value);
        } else {
            kind_ = Kind::Unsigned;
            integer_ = static_cast<std::int64_t>(static_cast<std::uint64_t>(value));
        }
    }
    TVarRec(double value) : kind_(Kind::Float), float_(value) {}
    TVarRec(float value) : kind_(Kind::Float), float_(value) {}
    TVarRec(long double value) : kind_(Kind::Float), float_(static_cast<double>(value)) {}
    TVarRec(char value) : kind_(Kind::String), string_(1, value) {}
    TVarRec(const char* value) : kind_(Kind::String), string_(value ? value : "") {}
    TVarRec(std::string value) : kind_(Kind::String), string_(std::move(value)) {}
    TVarRec(std::string_view value) : kind_(Kind::String), string_(value) {}
    TVarRec(const void* value) : kind_(Kind::Pointer), integer_(static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(value))) {}

    Kind kind() const { return kind_; }
    std::int64_t integer() const { return integer_; }
    double floating() const { return float_; }
    const std::string& string() const { return string_; }

private:
    Kind kind_;
    std::int64_t integer_ = 0;
    double float_ = 0;
    std::string string_;
};

// "%" [index ":"] ["-"] [width] ["." precision] type, with the types
// d (decimal; the precision is the least number of digits), u (unsigned),
// x (hexadecimal, capitals), e, f, g, n (fixed with thousands separators),
// m (currency), p (pointer) and s (string; the precision cuts it), and "%%".
// Width and precision may be '*', taken from the arguments. A format that
// does not fit its arguments raises EConvertError.
std::string Format(std::string_view format, std::initializer_list<TVarRec> args);

// "0" and "#" digit places, "." for the decimal point, "," anywhere for
// thousands separators, "E+00"/"E-00" for an exponent, quoted literals, and
// up to three sections "positive;negative;zero". Rounds half away from zero.
std::string FormatFloat(std::string_view format, double value);

enum class TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits);
// The shortest form with up to 15 significant digits ("1.5", "1E20").
std::string FloatToStr(double value);

std::string IntToStr(std::int64_t value);
// Capitals, at least `digits` digits; a negative value in two's complement.
std::string IntToHex(std::int64_t value, int digits);

// Decimal with an optional sign, or hexadecimal after "$", "0x" or "0X";
// blanks before the number are allowed. Hexadecimal takes the whole 32-bit
// (64-bit) range, so "$FFFFFFFF" is -1. StrToInt raises EConvertError with
// SInvalidInteger; StrToIntDef gives the default instead.
int StrToInt(std::string_view text);
std::int64_t StrToInt64(std::string_view text);
int StrToIntDef(std::string_view text, int defaultValue);
std::int64_t StrToInt64Def(std::string_view text, std::int64_t defaultValue);
bool TryStrToInt(std::string_view text, int& value);
bool TryStrToInt64(std::string_view text, std::int64_t& value);

double StrToFloat(std::string_view text);
double StrToFloatDef(std::string_view text, double defaultValue);
bool TryStrToFloat(std::string_view text, double& value);

// ---------------------------------------------------------------------------
// Dates and times

// Days since 30 December 1899; the fraction is the time of day.
using TDateTime = double;

constexpr int HoursPerDay = 24;
constexpr int MinsPerDay = 24 * 60;
constexpr int SecsPerDay = MinsPerDay * 60;
constexpr int MSecsPerDay = SecsPerDay * 1000;

// Raise EConvertError for a date or time that does not exist.
TDateTime EncodeDate(win32::WORD year, win32::WORD month, win32::WORD day);
TDateTime EncodeTime(win32::WORD hour, win32::WORD minute, win32::WORD second, win32::WORD millisecond);
bool TryEncodeDate(win32::WORD year, win32::WORD month, win32::WORD day, TDateTime& date);
bool TryEncodeTime(win32::WORD hour, win32::WORD minute, win32::WORD second, win32::WORD millisecond, TDateTime& time);
void DecodeDate(TDateTime date, win32::WORD& year, win32::WORD& month, win32::WORD& day);
void DecodeTime(TDateTime time, win32::WORD& hour, win32::WORD& minute, win32::WORD& second, win32::WORD& millisecond);
int DayOfWeek(TDateTime date);  // 1 = Sunday
bool IsLeapYear(win32::WORD year);

TDateTime Now();   // the local date and time
TDateTime Date();  // today, midnight
TDateTime Time();  // the time of day
TDateTime SystemTimeToDateTime(const win32::SYSTEMTIME& time);
void DateTimeToSystemTime(TDateTime dateTime, win32::SYSTEMTIME& time);

// y, yy, yyyy; m, mm, mmm (ShortMonthNames), mmmm (LongMonthNames); d, dd,
// ddd, dddd (day names), ddddd, dddddd (short and long date); h, hh; n, nn;
// s, ss; z, zzz; t, tt (short and long time); c; "AM/PM", "am/pm", "A/P"
// and "ampm" (TimeAMString/TimePMString), any of which makes every hour of
// the format one of the 12-hour clock (12 for 0 and 12); "/" and ":" the
// locale's separators; 'quoted' and "quoted" text as it stands. An m right
// after an hour is the minute.
std::string FormatDateTime(std::string_view format, TDateTime dateTime);
std::string DateToStr(TDateTime date);
std::string TimeToStr(TDateTime time);
std::string DateTimeToStr(TDateTime dateTime);

// ---------------------------------------------------------------------------
// Strings

// Trim removes blanks and control characters (bytes up to ' ') at both ends.
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);
// ASCII letters only.
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
int CompareStr(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
// Every letter with a case: ASCII, full-width (Ａ/ａ), Latin-1, Greek and
// Cyrillic.
std::string AnsiUpperCase(std::string_view text);
std::string AnsiLowerCase(std::string_view text);
// Compare as the desktop sorts: letters of either case together, and for
// AnsiCompareStr a lower-case letter before its capital. Negative, zero or
// positive.
int AnsiCompareStr(std::string_view a, std::string_view b);
int AnsiCompareText(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);
// 1-based byte position of the first whole-character occurrence, 0 when
// there is none.
int AnsiPos(std::string_view sub, std::string_view text);

enum class TReplaceFlag { rfReplaceAll, rfIgnoreCase };
using TReplaceFlags = std::initializer_list<TReplaceFlag>;
std::string StringReplace(std::string_view text, std::string_view oldPattern, std::string_view newPattern,
                          TReplaceFlags flags);
std::string QuotedStr(std::string_view text);

// ---------------------------------------------------------------------------
// File names ('/' is the separator)

inline constexpr char PathDelim = '/';

std::string ExtractFileName(std::string_view path);
std::string ExtractFilePath(std::string_view path);  // with the final '/'
std::string ExtractFileDir(std::string_view path);   // without it (except for "/")
std::string ExtractFileExt(std::string_view path);   // from the last '.', dot included
std::string ChangeFileExt(std::string_view path, std::string_view extension);
std::string IncludeTrailingPathDelimiter(std::string_view path);
std::string ExcludeTrailingPathDelimiter(std::string_view path);
std::string ExpandFileName(std::string_view path);
// A file (following links) that is not a folder.
bool FileExists(std::string_view path);
bool DirectoryExists(std::string_view path);

}  // namespace classlib
