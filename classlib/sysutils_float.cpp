// Floating-point numbers as text: FloatToStrF, FloatToStr, FormatFloat and
// the conversion back. Numbers are rounded on their shortest decimal form,
// half away from zero, so 0.125 and 1.005 round up as a user expects.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "classlib/sysutils.h"

namespace classlib {
namespace {

// value = 0.d1 d2 d3 ... x 10^exponent; no leading or trailing zero digits,
// no digits at all for zero.
struct Decimal {
    std::string digits;
    int exponent = 0;
    bool negative = false;
};

Decimal ToDecimal(double value) {
    Decimal d;
    d.negative = std::signbit(value);
    value = std::fabs(value);
    if (value == 0) return d;
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    std::size_t e = text.find('e');
    for (char c : text.substr(0, e)) {
        if (c != '.') d.digits += c;
    }
    d.exponent = std::atoi(std::string(text.substr(e + 1)).c_str()) + 1;
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

// Keeps the first `keep` digits, rounding half away from zero.
void RoundDigits(Decimal& d, int keep) {
    if (keep >= static_cast<int>(d.digits.size())) return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') d.digits[static_cast<std::size_t>(i--)] = '0';
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        } else {
            ++d.digits[static_cast<std::size_t>(i)];
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
}

void RoundToSignificant(Decimal& d, int precision) { RoundDigits(d, precision); }
void RoundToFraction(Decimal& d, int fraction) {
    if (d.digits.empty()) return;
    RoundDigits(d, d.exponent + fraction);
}

bool IsZero(const Decimal& d) { return d.digits.empty(); }

// The integer digits (no leading zeros; empty for zero) and `fraction`
// digits after the point (padded with zeros).
void SplitFixed(const Decimal& d, int fraction, std::string& integer, std::string& frac) {
    integer.clear();
    frac.clear();
    for (int i = 0; i < d.exponent; ++i) {
        integer += i < static_cast<int>(d.digits.size()) ? d.digits[static_cast<std::size_t>(i)] : '0';
    }
    for (int i = 0; i < fraction; ++i) {
        int index = d.exponent + i;
        frac += index >= 0 && index < static_cast<int>(d.digits.size()) ? d.digits[static_cast<std::size_t>(index)] : '0';
    }
}

std::string Group(const std::string& integer) {
    std::string out;
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0) out += ThousandSeparator;
        out += integer[i];
    }
    return out;
}

std::string ExponentText(int exponent, int minDigits, bool alwaysSign) {
    std::string digits = std::to_string(std::abs(exponent));
    while (static_cast<int>(digits.size()) < minDigits) digits.insert(digits.begin(), '0');
    std::string sign = exponent < 0 ? "-" : alwaysSign ? "+" : "";
    return "E" + sign + digits;
}

std::string Scientific(const Decimal& d, int mantissaDecimals, int expDigits, bool alwaysSign, bool trimZeros) {
    std::string mantissa = d.digits.empty() ? "0" : d.digits;
    std::string out(1, mantissa[0]);
    std::string rest = mantissa.substr(1);
    while (static_cast<int>(rest.size()) < mantissaDecimals) rest += '0';
    if (trimZeros) {
        while (!rest.empty() && rest.back() == '0') rest.pop_back();
    }
    if (!rest.empty()) out += DecimalSeparator + rest;
    return out + ExponentText(d.digits.empty() ? 0 : d.exponent - 1, expDigits, alwaysSign);
}

std::string Special(double value) {
    if (std::isnan(value)) return "NAN";
    return value < 0 ? "-INF" : "INF";
}

std::string WithCurrency(const std::string& number, bool negative) {
    const std::string& c = CurrencyString;
    if (!negative) {
        switch (CurrencyFormat) {
        case 1: return number + c;
        case 2: return c + " " + number;
        case 3: return number + " " + c;
        default: return c + number;
        }
    }
    switch (NegCurrFormat) {
    case 0: return "(" + c + number + ")";
    case 2: return c + "-" + number;
    case 3: return c + number + "-";
    case 4: return "(" + number + c + ")";
    case 5: return "-" + number + c;
    case 6: return number + "-" + c;
    case 7: return number + c + "-";
    case 8: return "-" + number + " " + c;
    case 9: return "-" + c + " " + number;
    case 10: return number + " " + c + "-";
    case 11: return c + " " + number + "-";
    case 12: return c + " -" + number;
    case 13: return number + "- " + c;
    case 14: return "(" + c + " " + number + ")";
    case 15: return "(" + number + " " + c + ")";
    default: return "-" + c + number;
    }
}

}  // namespace

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
    if (!std::isfinite(value)) return Special(value);
    precision = std::clamp(precision, 1, 18);
    Decimal d = ToDecimal(value);
    RoundToSignificant(d, precision);
    const bool negative = d.negative && !IsZero(d);
    const std::string sign = negative ? "-" : "";

    if (format == TFloatFormat::ffExponent) {
        return sign + Scientific(d, precision - 1, std::clamp(digits, 0, 4), true, false);
    }
    if (format == TFloatFormat::ffGeneral || d.exponent > precision) {
        if (IsZero(d)) return "0";
        if (d.exponent > precision || d.exponent < -4) {
            return sign + Scientific(d, 0, std::clamp(digits, 0, 4), false, true);
        }
        std::string integer, frac;
        int decimals = std::max(0, static_cast<int>(d.digits.size()) - d.exponent);
        SplitFixed(d, decimals, integer, frac);
        if (integer.empty()) integer = "0";
        return sign + integer + (frac.empty() ? "" : DecimalSeparator + frac);
    }
    digits = std::clamp(digits, 0, 18);
    RoundToFraction(d, digits);
    const bool negativeAfter = d.negative && !IsZero(d);
    std::string integer, frac;
    SplitFixed(d, digits, integer, frac);
    if (integer.empty()) integer = "0";
    if (format != TFloatFormat::ffFixed) integer = Group(integer);
    std::string number = integer + (frac.empty() ? "" : DecimalSeparator + frac);
    if (format == TFloatFormat::ffCurrency) return WithCurrency(number, negativeAfter);
    return (negativeAfter ? "-" : "") + number;
}

std::string FloatToStr(double value) { return FloatToStrF(value, TFloatFormat::ffGeneral, 15, 0); }

// ---------------------------------------------------------------------------
// FormatFloat

namespace {

struct Section {
    std::string_view text;
    int integerPlaces = 0;   // '0' and '#' before the decimal point
    int minInteger = 0;      // from the first '0' before the point
    int fractionPlaces = 0;  // '0' and '#' after it
    int minFraction = 0;     // up to the last '0' after it
    bool thousands = false;
    bool hasPoint = false;
    int exponentDigits = -1;  // digits of an "E+00" part, -1 when there is none
    bool exponentSign = false;
};

// Splits the format at ';' outside quotes.
std::vector<std::string_view> SplitSections(std::string_view format) {
    std::vector<std::string_view> sections;
    char quote = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';') {
            sections.push_back(format.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(format.substr(start));
    return sections;
}

Section Analyse(std::string_view text) {
    Section s;
    s.text = text;
    char quote = 0;
    int firstZero = -1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (quote) {
            if (c == quote) quote = 0;
            continue;
        }
        if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '0' || c == '#') {
            if (s.exponentDigits >= 0) {
                if (c == '0') ++s.exponentDigits;
            } else if (s.hasPoint) {
                ++s.fractionPlaces;
                if (c == '0') s.minFraction = s.fractionPlaces;
            } else {
                if (c == '0' && firstZero < 0) firstZero = s.integerPlaces;
                ++s.integerPlaces;
            }
        } else if (c == '.' && !s.hasPoint && s.exponentDigits < 0) {
            s.hasPoint = true;
        } else if (c == ',') {
            s.thousands = true;
        } else if ((c == 'E' || c == 'e') && i + 1 < text.size() && (text[i + 1] == '+' || text[i + 1] == '-') &&
                   s.exponentDigits < 0) {
            s.exponentDigits = 0;
            s.exponentSign = text[i + 1] == '+';
            ++i;
        }
    }
    if (firstZero >= 0) s.minInteger = s.integerPlaces - firstZero;
    return s;
}

std::string Render(const Section& s, double magnitude, bool withMinus) {
    Decimal d = ToDecimal(magnitude);
    d.negative = false;
    RoundToSignificant(d, 15);
    int exponent = 0;
    if (s.exponentDigits >= 0 && !IsZero(d)) {
        // The mantissa takes as many integer digits as there are places.
        int places = std::max(1, s.integerPlaces);
        exponent = d.exponent - places;
        d.exponent = places;
        RoundToFraction(d, s.fractionPlaces);
        if (d.exponent > places) {
            ++exponent;
            d.exponent = places;
        }
    } else {
        RoundToFraction(d, s.fractionPlaces);
    }
    std::string integer, frac;
    SplitFixed(d, s.fractionPlaces, integer, frac);
    while (static_cast<int>(frac.size()) > s.minFraction && frac.back() == '0') frac.pop_back();
    while (static_cast<int>(integer.size()) < s.minInteger) integer.insert(integer.begin(), '0');
    const bool allZero = integer.find_first_not_of('0') == std::string::npos && frac.find_first_not_of('0') == std::string::npos;

    std::string out;
    if (withMinus && !allZero) out += '-';
    const int digitsCount = static_cast<int>(integer.size());
    int placeSeen = 0;      // integer places passed so far
    int fracIndex = 0;
    bool afterPoint = false;
    bool exponentDone = false;
    char quote = 0;
    auto emitInteger = [&](int position) {  // position counted from the right, 0 = units
        out += integer[static_cast<std::size_t>(digitsCount - 1 - position)];
        if (s.thousands && position > 0 && position % 3 == 0) out += ThousandSeparator;
    };
    for (std::size_t i = 0; i < s.text.size(); ++i) {
        char c = s.text[i];
        if (quote) {
            if (c == quote) {
                quote = 0;
            } else {
                out += c;
            }
            continue;
        }
        if (c == '\'' || c == '"') {
            quote = c;
        } else if ((c == '0' || c == '#') && exponentDone) {
            continue;  // digits of the exponent, written with the 'E'
        } else if (c == '0' || c == '#') {
            if (!afterPoint) {
                int position = s.integerPlaces - 1 - placeSeen;
                if (placeSeen == 0) {
                    // Digits beyond the places come with the first place.
                    for (int p = digitsCount - 1; p > position; --p) emitInteger(p);
                }
                if (position < digitsCount) emitInteger(position);
                ++placeSeen;
            } else {
                if (fracIndex < static_cast<int>(frac.size())) out += frac[static_cast<std::size_t>(fracIndex)];
                ++fracIndex;
            }
        } else if (c == '.' && !afterPoint && !exponentDone) {
            afterPoint = true;
            if (s.integerPlaces == 0 && digitsCount > 0) {
                for (int p = digitsCount - 1; p >= 0; --p) emitInteger(p);
            }
            if (!frac.empty()) out += DecimalSeparator;
        } else if (c == ',') {
            continue;
        } else if ((c == 'E' || c == 'e') && i + 1 < s.text.size() && (s.text[i + 1] == '+' || s.text[i + 1] == '-') &&
                   !exponentDone) {
            std::string e = ExponentText(exponent, s.exponentDigits, s.exponentSign);
            e[0] = c;
            out += e;
            exponentDone = true;
            ++i;
        } else {
            out += c;
        }
    }
    // A format without any digit place still shows the number's digits
    // where the places would have been: at the end.
    if (s.integerPlaces == 0 && !s.hasPoint && digitsCount > 0 && s.exponentDigits < 0) {
        for (int p = digitsCount - 1; p >= 0; --p) emitInteger(p);
    }
    return out;
}

}  // namespace

std::string FormatFloat(std::string_view format, double value) {
    if (!std::isfinite(value)) return Special(value);
    if (format.empty()) return FloatToStr(value);
    std::vector<std::string_view> sections = SplitSections(format);
    // Choose the section from the value as it will be shown.
    Section first = Analyse(sections[0]);
    Decimal shown = ToDecimal(value);
    RoundToSignificant(shown, 15);
    if (first.exponentDigits < 0) RoundToFraction(shown, first.fractionPlaces);
    const bool zero = IsZero(shown);
    const bool negative = value < 0 && !zero;
    if (zero && sections.size() >= 3 && !sections[2].empty()) return Render(Analyse(sections[2]), 0.0, false);
    if (negative && sections.size() >= 2 && !sections[1].empty()) return Render(Analyse(sections[1]), -value, false);
    return Render(first, std::fabs(value), negative);
}

// ---------------------------------------------------------------------------
// Text to number

bool TryStrToFloat(std::string_view text, double& value) {
    std::string s = Trim(text);
    if (s.empty()) return false;
    // The locale's decimal separator is the point here; accept it as such.
    if (DecimalSeparator != ".") {
        std::size_t at = s.find(DecimalSeparator);
        if (at != std::string::npos) s.replace(at, DecimalSeparator.size(), ".");
    }
    const char* begin = s.data();
    const char* end = begin + s.size();
    if (*begin == '+') ++begin;
    auto result = std::from_chars(begin, end, value);
    return result.ec == std::errc() && result.ptr == end && std::isfinite(value);
}

double StrToFloat(std::string_view text) {
    double value = 0;
    if (!TryStrToFloat(text, value)) {
        std::string message(SInvalidFloat);
        message.replace(message.find("%s"), 2, std::string(text));
        throw EConvertError(message);
    }
    return value;
}

double StrToFloatDef(std::string_view text, double defaultValue) {
    double value = 0;
    return TryStrToFloat(text, value) ? value : defaultValue;
}

}  // namespace classlib
