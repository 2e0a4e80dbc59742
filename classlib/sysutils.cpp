// Exceptions, locale settings, string and file-name helpers of the system
// utilities. Formatting lives in sysutils_format.cpp and
// sysutils_float.cpp, dates and times in sysutils_datetime.cpp.
#include "classlib/sysutils.h"

#include <sys/stat.h>

#include "platform/kernel/codepage.h"
#include "platform/kernel/path.h"
#include "platform/kernel/winbase.h"
#include "platform/kernel/winnls.h"

namespace classlib {

// ---------------------------------------------------------------------------
// Exceptions

namespace {

std::string Substitute(std::string_view format, std::initializer_list<std::string> args) {
    std::string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && (format[i + 1] == 's' || format[i + 1] == 'd')) {
            if (next != args.end()) out += *next++;
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

}  // namespace

void Abort() { throw EAbort(SOperationAborted); }

std::string SysErrorMessage(win32::DWORD errorCode) {
    using namespace win32;
    switch (errorCode) {
    case ERROR_SUCCESS: return "この操作を正しく終了しました。";
    case ERROR_FILE_NOT_FOUND: return "指定されたファイルが見つかりません。";
    case ERROR_PATH_NOT_FOUND: return "指定されたパスが見つかりません。";
    case ERROR_TOO_MANY_OPEN_FILES: return "ファイルを開くことができません。";
    case ERROR_ACCESS_DENIED: return "アクセスが拒否されました。";
    case ERROR_INVALID_HANDLE: return "ハンドルが無効です。";
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return "この操作を完了するのに十分な記憶域がありません。";
    case ERROR_WRITE_PROTECT: return "メディアは書き込み禁止になっています。";
    case ERROR_SHARING_VIOLATION: return "プロセスはファイルにアクセスできません。別のプロセスが使用中です。";
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return "既に存在するファイルを作成することはできません。";
    case ERROR_INVALID_PARAMETER: return "パラメータが間違っています。";
    case ERROR_DISK_FULL: return "ディスクに十分な空き領域がありません。";
    case ERROR_INSUFFICIENT_BUFFER: return "システム コールに渡されるデータ領域が小さすぎます。";
    case ERROR_INVALID_NAME: return "ファイル名、ディレクトリ名、またはボリューム ラベルの構文が間違っています。";
    case ERROR_FILENAME_EXCED_RANGE: return "ファイル名または拡張子が長すぎます。";
    default: return Substitute(SUnkOSError, {});
    }
}

void RaiseLastOSError() {
    win32::DWORD code = win32::GetLastError();
    if (code == win32::ERROR_SUCCESS) throw EOSError(SUnkOSError, code);
    throw EOSError(Substitute(SOSError, {std::to_string(code), SysErrorMessage(code)}), code);
}

// ---------------------------------------------------------------------------
// Locale settings

std::string DateSeparator;
std::string TimeSeparator;
std::string DecimalSeparator;
std::string ThousandSeparator;
std::string ShortDateFormat;
std::string LongDateFormat;
std::string ShortTimeFormat;
std::string LongTimeFormat;
std::string TimeAMString;
std::string TimePMString;
std::string CurrencyString;
int CurrencyFormat = 0;
int NegCurrFormat = 1;
int CurrencyDecimals = 0;
TNameArray<12> ShortMonthNames;
TNameArray<12> LongMonthNames;
TNameArray<7> ShortDayNames;
TNameArray<7> LongDayNames;

namespace {

std::string LocaleText(win32::LCTYPE type, const char* fallback) {
    char buffer[128];
    int n = win32::GetLocaleInfoA(win32::GetUserDefaultLCID(), type, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n - 1)) : std::string(fallback);
}

int LocaleNumber(win32::LCTYPE type, int fallback) {
    std::string text = LocaleText(type, "");
    return text.empty() ? fallback : StrToIntDef(text, fallback);
}

// The system writes months as 'M'; the library's date formats use 'm'
// (and read an 'm' after an hour as the minute).
std::string TranslateDateFormat(std::string format) {
    char quote = 0;
    for (char& c : format) {
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == 'M') {
            c = 'm';
        }
    }
    return format;
}

// Runs once when the program starts, after the globals above exist.
struct FormatSettingsLoader {
    FormatSettingsLoader() { GetFormatSettings(); }
} loader;

}  // namespace

void GetFormatSettings() {
    using namespace win32;
    DateSeparator = LocaleText(LOCALE_SDATE, "/");
    TimeSeparator = LocaleText(LOCALE_STIME, ":");
    DecimalSeparator = LocaleText(LOCALE_SDECIMAL, ".");
    ThousandSeparator = LocaleText(LOCALE_STHOUSAND, ",");
    ShortDateFormat = TranslateDateFormat(LocaleText(LOCALE_SSHORTDATE, "yyyy/MM/dd"));
    LongDateFormat = TranslateDateFormat(LocaleText(LOCALE_SLONGDATE, "yyyy/MM/dd"));
    TimeAMString = LocaleText(LOCALE_S1159, "AM");
    TimePMString = LocaleText(LOCALE_S2359, "PM");
    CurrencyString = LocaleText(LOCALE_SCURRENCY, "");
    CurrencyFormat = LocaleNumber(LOCALE_ICURRENCY, 0);
    NegCurrFormat = LocaleNumber(LOCALE_INEGCURR, 1);
    CurrencyDecimals = LocaleNumber(LOCALE_ICURRDIGITS, 0);
    for (int m = 1; m <= 12; ++m) {
        ShortMonthNames.Set(m, LocaleText(LOCALE_SABBREVMONTHNAME1 + static_cast<LCTYPE>(m - 1), ""));
        LongMonthNames.Set(m, LocaleText(LOCALE_SMONTHNAME1 + static_cast<LCTYPE>(m - 1), ""));
    }
    // The library's day 1 is Sunday; the system's is Monday.
    for (int d = 1; d <= 7; ++d) {
        LCTYPE index = static_cast<LCTYPE>((d + 5) % 7);
        ShortDayNames.Set(d, LocaleText(LOCALE_SABBREVDAYNAME1 + index, ""));
        LongDayNames.Set(d, LocaleText(LOCALE_SDAYNAME1 + index, ""));
    }
    // Time formats are built from the clock settings, as the library
    // always has: the hour with or without a leading zero, then minutes and
    // seconds, and the morning/afternoon mark on a 12-hour clock.
    std::string hour = LocaleNumber(LOCALE_ITLZERO, 0) ? "hh" : "h";
    std::string prefix, suffix;
    if (LocaleNumber(LOCALE_ITIME, 1) == 0) {
        if (LocaleNumber(LOCALE_ITIMEMARKPOSN, 0)) {
            prefix = "AMPM ";
        } else {
            suffix = " AMPM";
        }
    }
    ShortTimeFormat = prefix + hour + ":mm" + suffix;
    LongTimeFormat = prefix + hour + ":mm:ss" + suffix;
}

// ---------------------------------------------------------------------------
// Strings

namespace {

bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

char32_t ToUpper(char32_t c) {
    if (c >= U'a' && c <= U'z') return c - 0x20;
    if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;                     // full-width Latin
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;          // Latin-1
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 0x20;         // Greek
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;                       // Cyrillic
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    return c;
}

char32_t ToLower(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c + 0x20;
    if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 0x20;
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    return c;
}

template <class F>
std::string MapCodePoints(std::string_view text, F map) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t start = pos;
        char32_t c = win32::text::NextCodePoint(text, pos);
        char32_t mapped = map(c);
        if (mapped == c) {
            out.append(text.substr(start, pos - start));  // invalid bytes stay as they were
        } else {
            win32::text::AppendUtf8(out, mapped);
        }
    }
    return out;
}

int Sign(long long v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

// Compares two texts character by character after `fold`; on a tie, the
// first difference in case decides (lower case first) when `caseMatters`.
int CompareFolded(std::string_view a, std::string_view b, bool caseMatters) {
    std::size_t i = 0, j = 0;
    int caseOrder = 0;
    while (i < a.size() && j < b.size()) {
        char32_t x = win32::text::NextCodePoint(a, i);
        char32_t y = win32::text::NextCodePoint(b, j);
        char32_t fx = ToLower(x), fy = ToLower(y);
        if (fx != fy) return fx < fy ? -1 : 1;
        if (caseMatters && caseOrder == 0 && x != y) caseOrder = (x == fx) ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return caseOrder;
}

}  // namespace

std::string Trim(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && IsTrimmed(text[b])) ++b;
    while (e > b && IsTrimmed(text[e - 1])) --e;
    return std::string(text.substr(b, e - b));
}

std::string TrimLeft(std::string_view text) {
    std::size_t b = 0;
    while (b < text.size() && IsTrimmed(text[b])) ++b;
    return std::string(text.substr(b));
}

std::string TrimRight(std::string_view text) {
    std::size_t e = text.size();
    while (e > 0 && IsTrimmed(text[e - 1])) --e;
    return std::string(text.substr(0, e));
}

std::string UpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = AsciiUpper(c);
    return out;
}

std::string LowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = AsciiLower(c);
    return out;
}

int CompareStr(std::string_view a, std::string_view b) { return Sign(a.compare(b)); }

int CompareText(std::string_view a, std::string_view b) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(AsciiUpper(a[i]));
        unsigned char y = static_cast<unsigned char>(AsciiUpper(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return Sign(static_cast<long long>(a.size()) - static_cast<long long>(b.size()));
}

bool SameText(std::string_view a, std::string_view b) { return CompareText(a, b) == 0; }

std::string AnsiUpperCase(std::string_view text) { return MapCodePoints(text, ToUpper); }
std::string AnsiLowerCase(std::string_view text) { return MapCodePoints(text, ToLower); }

int AnsiCompareStr(std::string_view a, std::string_view b) { return CompareFolded(a, b, true); }
int AnsiCompareText(std::string_view a, std::string_view b) { return CompareFolded(a, b, false); }
bool AnsiSameText(std::string_view a, std::string_view b) { return AnsiCompareText(a, b) == 0; }

int AnsiPos(std::string_view sub, std::string_view text) {
    if (sub.empty()) return 0;
    std::size_t at = text.find(sub);
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

std::string StringReplace(std::string_view text, std::string_view oldPattern, std::string_view newPattern,
                          TReplaceFlags flags) {
    bool all = false, ignoreCase = false;
    for (TReplaceFlag f : flags) {
        all = all || f == TReplaceFlag::rfReplaceAll;
        ignoreCase = ignoreCase || f == TReplaceFlag::rfIgnoreCase;
    }
    if (oldPattern.empty()) return std::string(text);
    std::string haystack = ignoreCase ? AnsiUpperCase(text) : std::string(text);
    std::string needle = ignoreCase ? AnsiUpperCase(oldPattern) : std::string(oldPattern);
    // Upper-casing keeps byte lengths only for ASCII and same-width letters;
    // when it does not, the search falls back to the text as written.
    if (haystack.size() != text.size() || needle.size() != oldPattern.size()) {
        haystack = text;
        needle = oldPattern;
    }
    std::string out;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t at = haystack.find(needle, pos);
        if (at == std::string::npos) break;
        out.append(text.substr(pos, at - pos));
        out.append(newPattern);
        pos = at + needle.size();
        if (!all) break;
    }
    out.append(text.substr(std::min(pos, text.size())));
    return out;
}

std::string QuotedStr(std::string_view text) {
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'') out += '\'';
    }
    out += '\'';
    return out;
}

// ---------------------------------------------------------------------------
// File names

namespace {

std::size_t NameStart(std::string_view path) {
    std::size_t slash = path.find_last_of(PathDelim);
    return slash == std::string_view::npos ? 0 : slash + 1;
}

bool StatPath(std::string_view path, struct stat& st) {
    if (path.empty()) return false;
    std::string p(path);
    return ::stat(p.c_str(), &st) == 0;
}

}  // namespace

std::string ExtractFileName(std::string_view path) { return std::string(path.substr(NameStart(path))); }
std::string ExtractFilePath(std::string_view path) { return std::string(path.substr(0, NameStart(path))); }

std::string ExtractFileDir(std::string_view path) {
    std::size_t start = NameStart(path);
    if (start > 1) --start;  // drop the separator, but keep a lone root
    return std::string(path.substr(0, start));
}

std::string ExtractFileExt(std::string_view path) {
    std::size_t dot = path.find_last_of('.');
    if (dot == std::string_view::npos || dot < NameStart(path)) return {};
    return std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view extension) {
    std::size_t dot = path.find_last_of('.');
    if (dot == std::string_view::npos || dot < NameStart(path)) dot = path.size();
    return std::string(path.substr(0, dot)) + std::string(extension);
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
    std::string out(path);
    if (out.empty() || out.back() != PathDelim) out += PathDelim;
    return out;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path) {
    std::string out(path);
    if (out.size() > 1 && out.back() == PathDelim) out.pop_back();
    return out;
}

std::string ExpandFileName(std::string_view path) { return win32::kernel::FullPath(path); }

bool FileExists(std::string_view path) {
    struct stat st{};
    return StatPath(path, st) && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(std::string_view path) {
    struct stat st{};
    return StatPath(path, st) && S_ISDIR(st.st_mode);
}

}  // namespace classlib
