// Locale data of a Japanese (Japan) desktop, as its control panel leaves
// it: year-first dates with '/', a 24-hour clock with ':', the morning and
// afternoon marks 午前 and 午後, and month names that are the month's number
// ("6" for short, "6月" for long).
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/kernel/winbase.h"
#include "platform/kernel/winnls.h"

namespace win32 {
namespace {

const char* const kMonthNames[] = {"1月", "2月", "3月", "4月",  "5月",  "6月",
                                   "7月", "8月", "9月", "10月", "11月", "12月"};
const char* const kShortMonthNames[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};
// Windows counts days from Monday here: SDAYNAME1 is Monday, 7 is Sunday.
const char* const kDayNames[] = {"月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日", "日曜日"};
const char* const kShortDayNames[] = {"月", "火", "水", "木", "金", "土", "日"};

// Items whose names begin with I: numbers, which LOCALE_RETURN_NUMBER
// returns as such.
bool IsNumberItem(LCTYPE type) {
    switch (type) {
    case LOCALE_ILANGUAGE:  // hexadecimal text, so not offered as a number
        return false;
    case LOCALE_ICOUNTRY:
    case LOCALE_IDEFAULTCOUNTRY:
    case LOCALE_IDEFAULTCODEPAGE:
    case LOCALE_IDEFAULTANSICODEPAGE:
    case LOCALE_IMEASURE:
    case LOCALE_IDIGITS:
    case LOCALE_ILZERO:
    case LOCALE_INEGNUMBER:
    case LOCALE_ICURRDIGITS:
    case LOCALE_IINTLCURRDIGITS:
    case LOCALE_ICURRENCY:
    case LOCALE_INEGCURR:
    case LOCALE_IDATE:
    case LOCALE_ILDATE:
    case LOCALE_ITIME:
    case LOCALE_ITIMEMARKPOSN:
    case LOCALE_ICENTURY:
    case LOCALE_ITLZERO:
    case LOCALE_IDAYLZERO:
    case LOCALE_IMONLZERO:
    case LOCALE_ICALENDARTYPE:
    case LOCALE_IFIRSTDAYOFWEEK:
    case LOCALE_IFIRSTWEEKOFYEAR:
    case LOCALE_IPOSSIGNPOSN:
    case LOCALE_INEGSIGNPOSN:
    case LOCALE_IPOSSYMPRECEDES:
    case LOCALE_IPOSSEPBYSPACE:
    case LOCALE_INEGSYMPRECEDES:
    case LOCALE_INEGSEPBYSPACE:
        return true;
    default:
        return false;
    }
}

// The item's text, or nullptr when there is no such item.
const char* JapaneseItem(LCTYPE type) {
    if (type >= LOCALE_SMONTHNAME1 && type <= LOCALE_SMONTHNAME12) return kMonthNames[type - LOCALE_SMONTHNAME1];
    if (type >= LOCALE_SABBREVMONTHNAME1 && type <= LOCALE_SABBREVMONTHNAME12) {
        return kShortMonthNames[type - LOCALE_SABBREVMONTHNAME1];
    }
    if (type >= LOCALE_SDAYNAME1 && type <= LOCALE_SDAYNAME7) return kDayNames[type - LOCALE_SDAYNAME1];
    if (type >= LOCALE_SABBREVDAYNAME1 && type <= LOCALE_SABBREVDAYNAME7) {
        return kShortDayNames[type - LOCALE_SABBREVDAYNAME1];
    }
    switch (type) {
    case LOCALE_ILANGUAGE: return "0411";
    case LOCALE_SLANGUAGE: return "日本語";
    case LOCALE_SENGLANGUAGE: return "Japanese";
    case LOCALE_SABBREVLANGNAME: return "JPN";
    case LOCALE_SNATIVELANGNAME: return "日本語";
    case LOCALE_ICOUNTRY: return "81";
    case LOCALE_SCOUNTRY: return "日本";
    case LOCALE_SENGCOUNTRY: return "Japan";
    case LOCALE_SABBREVCTRYNAME: return "JPN";
    case LOCALE_SNATIVECTRYNAME: return "日本";
    case LOCALE_IDEFAULTLANGUAGE: return "0411";
    case LOCALE_IDEFAULTCOUNTRY: return "81";
    case LOCALE_IDEFAULTCODEPAGE: return "932";
    case LOCALE_IDEFAULTANSICODEPAGE: return "932";
    case LOCALE_SLIST: return ",";
    case LOCALE_IMEASURE: return "0";
    case LOCALE_SDECIMAL: return ".";
    case LOCALE_STHOUSAND: return ",";
    case LOCALE_SGROUPING: return "3;0";
    case LOCALE_IDIGITS: return "2";
    case LOCALE_ILZERO: return "1";
    case LOCALE_INEGNUMBER: return "1";
    case LOCALE_SNATIVEDIGITS: return "0123456789";
    case LOCALE_SCURRENCY: return "¥";
    case LOCALE_SINTLSYMBOL: return "JPY";
    case LOCALE_SMONDECIMALSEP: return ".";
    case LOCALE_SMONTHOUSANDSEP: return ",";
    case LOCALE_SMONGROUPING: return "3;0";
    case LOCALE_ICURRDIGITS: return "0";
    case LOCALE_IINTLCURRDIGITS: return "2";
    case LOCALE_ICURRENCY: return "0";
    case LOCALE_INEGCURR: return "1";
    case LOCALE_SDATE: return "/";
    case LOCALE_STIME: return ":";
    case LOCALE_SSHORTDATE: return "yyyy/MM/dd";
    case LOCALE_SLONGDATE: return "yyyy'年'M'月'd'日'";
    case LOCALE_SYEARMONTH: return "yyyy'年'M'月'";
    case LOCALE_STIMEFORMAT: return "H:mm:ss";
    case LOCALE_IDATE: return "2";
    case LOCALE_ILDATE: return "2";
    case LOCALE_ITIME: return "1";
    case LOCALE_ITIMEMARKPOSN: return "1";
    case LOCALE_ICENTURY: return "1";
    case LOCALE_ITLZERO: return "0";
    case LOCALE_IDAYLZERO: return "1";
    case LOCALE_IMONLZERO: return "1";
    case LOCALE_S1159: return "午前";
    case LOCALE_S2359: return "午後";
    case LOCALE_ICALENDARTYPE: return "1";
    case LOCALE_IFIRSTDAYOFWEEK: return "6";
    case LOCALE_IFIRSTWEEKOFYEAR: return "0";
    case LOCALE_SMONTHNAME13: return "";
    case LOCALE_SABBREVMONTHNAME13: return "";
    case LOCALE_SPOSITIVESIGN: return "";
    case LOCALE_SNEGATIVESIGN: return "-";
    case LOCALE_IPOSSIGNPOSN: return "3";
    case LOCALE_INEGSIGNPOSN: return "0";
    case LOCALE_IPOSSYMPRECEDES: return "1";
    case LOCALE_IPOSSEPBYSPACE: return "0";
    case LOCALE_INEGSYMPRECEDES: return "1";
    case LOCALE_INEGSEPBYSPACE: return "0";
    case LOCALE_SISO639LANGNAME: return "ja";
    case LOCALE_SISO3166CTRYNAME: return "JP";
    default: return nullptr;
    }
}

bool IsJapanese(LCID locale) {
    return locale == LOCALE_USER_DEFAULT || locale == LOCALE_SYSTEM_DEFAULT || locale == LOCALE_NEUTRAL ||
           LANGIDFROMLCID(locale) == LOCALE_JAPANESE;
}

}  // namespace

LCID GetUserDefaultLCID() { return LOCALE_JAPANESE; }
LCID GetSystemDefaultLCID() { return LOCALE_JAPANESE; }
LCID GetThreadLocale() { return LOCALE_JAPANESE; }
LANGID GetUserDefaultLangID() { return static_cast<LANGID>(LOCALE_JAPANESE); }
LANGID GetSystemDefaultLangID() { return static_cast<LANGID>(LOCALE_JAPANESE); }
LANGID GetUserDefaultUILanguage() { return static_cast<LANGID>(LOCALE_JAPANESE); }

BOOL IsValidLocale(LCID locale, DWORD /*flags*/) { return IsJapanese(locale) ? TRUE : FALSE; }

int GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int size) {
    const LCTYPE flags = type & (LOCALE_NOUSEROVERRIDE | LOCALE_USE_CP_ACP | LOCALE_RETURN_NUMBER);
    type &= ~flags;
    if (size < 0 || (size > 0 && !data)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const char* item = IsJapanese(locale) ? JapaneseItem(type) : nullptr;
    if (!item) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (flags & LOCALE_RETURN_NUMBER) {
        if (!IsNumberItem(type)) {
            SetLastError(ERROR_INVALID_FLAGS);
            return 0;
        }
        constexpr int kNeeded = static_cast<int>(sizeof(DWORD));
        if (size == 0) return kNeeded;
        if (size < kNeeded) {
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return 0;
        }
        DWORD value = static_cast<DWORD>(std::strtoul(item, nullptr, 10));
        std::memcpy(data, &value, sizeof value);
        return kNeeded;
    }
    const int needed = static_cast<int>(std::strlen(item)) + 1;
    if (size == 0) return needed;
    if (size < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(data, item, static_cast<std::size_t>(needed));
    return needed;
}

}  // namespace win32
