// Format and the integer conversions.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "classlib/sysutils.h"
#include "platform/kernel/codepage.h"

namespace classlib {
namespace {

std::string Substitute(const char* format, std::string_view value) {
    std::string message(format);
    std::size_t at = message.find("%s");
    if (at != std::string::npos) message.replace(at, 2, std::string(value));
    return message;
}

[[noreturn]] void InvalidFormat(std::string_view format) { throw EConvertError(Substitute(SInvalidFormat, format)); }
[[noreturn]] void MissingArgument(std::string_view format) {
    throw EConvertError(Substitute(SArgumentMissing, format));
}

// Widths and lengths of strings count code page 932 bytes.
std::size_t CodePageWidth(std::string_view text) {
    std::size_t width = 0, pos = 0;
    while (pos < text.size()) width += static_cast<std::size_t>(win32::text::SjisCharBytes(win32::text::NextCodePoint(text, pos)));
    return width;
}

std::string CutToWidth(std::string_view text, std::size_t limit) {
    std::size_t width = 0, pos = 0;
    while (pos < text.size()) {
        std::size_t next = pos;
        std::size_t w = static_cast<std::size_t>(win32::text::SjisCharBytes(win32::text::NextCodePoint(text, next)));
        if (width + w > limit) break;
        width += w;
        pos = next;
    }
    return std::string(text.substr(0, pos));
}

std::string Hex(std::uint64_t value, int minDigits) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    do {
        out.insert(out.begin(), digits[value & 0xF]);
        value >>= 4;
    } while (value);
    while (static_cast<int>(out.size()) < minDigits) out.insert(out.begin(), '0');
    return out;
}

std::string PadDigits(std::string digits, int minDigits) {
    while (static_cast<int>(digits.size()) < minDigits) digits.insert(digits.begin(), '0');
    return digits;
}

class Formatter {
public:
    Formatter(std::string_view format, std::initializer_list<TVarRec> args) : format_(format), args_(args) {}

    std::string Run() {
        std::string out;
        std::size_t i = 0;
        while (i < format_.size()) {
            char c = format_[i++];
            if (c != '%') {
                out += c;
                continue;
            }
            if (i < format_.size() && format_[i] == '%') {
                out += '%';
                ++i;
                continue;
            }
            out += Spec(i);
        }
        return out;
    }

private:
    const TVarRec& Next() {
        if (next_ >= args_.size()) MissingArgument(format_);
        return args_.begin()[next_++];
    }

    // A number written in the format, or '*' from the arguments; -1 when absent.
    int Number(std::size_t& i) {
        if (i < format_.size() && format_[i] == '*') {
            ++i;
            const TVarRec& arg = Next();
            if (arg.kind() != TVarRec::Kind::Integer && arg.kind() != TVarRec::Kind::Unsigned) InvalidFormat(format_);
            return static_cast<int>(std::clamp<std::int64_t>(arg.integer(), 0, 100000));
        }
        if (i >= format_.size() || format_[i] < '0' || format_[i] > '9') return -1;
        int value = 0;
        while (i < format_.size() && format_[i] >= '0' && format_[i] <= '9') {
            value = std::min(value * 10 + (format_[i] - '0'), 100000);
            ++i;
        }
        return value;
    }

    std::string Spec(std::size_t& i) {
        // "%" [index ":"] ["-"] [width] ["." precision] type
        std::size_t digitsEnd = i;
        while (digitsEnd < format_.size() && format_[digitsEnd] >= '0' && format_[digitsEnd] <= '9') ++digitsEnd;
        if (digitsEnd > i && digitsEnd < format_.size() && format_[digitsEnd] == ':') {
            next_ = static_cast<std::size_t>(Number(i));
            ++i;
        }
        bool left = false;
        if (i < format_.size() && format_[i] == '-') {
            left = true;
            ++i;
        }
        int width = Number(i);
        int precision = -1;
        if (i < format_.size() && format_[i] == '.') {
            ++i;
            precision = std::max(0, Number(i));
        }
        if (i >= format_.size()) InvalidFormat(format_);
        char type = format_[i++];
        if (type >= 'A' && type <= 'Z') type = static_cast<char>(type - 'A' + 'a');
        std::string text = Convert(type, precision, Next());
        std::size_t w = CodePageWidth(text);
        if (width > 0 && w < static_cast<std::size_t>(width)) {
            std::string pad(static_cast<std::size_t>(width) - w, ' ');
            text = left ? text + pad : pad + text;
        }
        return text;
    }

    std::string Convert(char type, int precision, const TVarRec& arg) {
        using Kind = TVarRec::Kind;
        const bool isInteger = arg.kind() == Kind::Integer || arg.kind() == Kind::Unsigned;
        switch (type) {
        case 'd': {
            if (!isInteger) InvalidFormat(format_);
            std::int64_t v = arg.integer();
            std::uint64_t magnitude = v < 0 && arg.kind() == Kind::Integer ? 0 - static_cast<std::uint64_t>(v)
                                                                              : static_cast<std::uint64_t>(v);
            std::string digits = PadDigits(std::to_string(magnitude), precision);
            return (v < 0 && arg.kind() == Kind::Integer ? "-" : "") + digits;
        }
        case 'u': {
            if (!isInteger) InvalidFormat(format_);
            // An integer is taken as the unsigned number of its bits: a
            // negative 32-bit value as 32 bits, as it always was.
            std::uint64_t v = static_cast<std::uint64_t>(arg.integer());
            if (arg.kind() == Kind::Integer && arg.integer() < 0 && arg.integer() >= std::numeric_limits<std::int32_t>::min()) {
                v &= 0xFFFFFFFFu;
            }
            return PadDigits(std::to_string(v), precision);
        }
        case 'x': {
            if (!isInteger) InvalidFormat(format_);
            std::uint64_t v = static_cast<std::uint64_t>(arg.integer());
            if (arg.kind() == Kind::Integer && arg.integer() < 0 && arg.integer() >= std::numeric_limits<std::int32_t>::min()) {
                v &= 0xFFFFFFFFu;
            }
            return Hex(v, precision);
        }
        case 'p':
            if (arg.kind() != Kind::Pointer) InvalidFormat(format_);
            return Hex(static_cast<std::uint64_t>(arg.integer()), 2 * static_cast<int>(sizeof(void*)));
        case 's':
            if (arg.kind() != Kind::String) InvalidFormat(format_);
            return precision >= 0 ? CutToWidth(arg.string(), static_cast<std::size_t>(precision)) : arg.string();
        case 'e': case 'f': case 'g': case 'n': case 'm': {
            if (arg.kind() != Kind::Float) InvalidFormat(format_);
            double v = arg.floating();
            switch (type) {
            case 'e': return FloatToStrF(v, TFloatFormat::ffExponent, precision < 0 ? 15 : precision, 3);
            case 'f': return FloatToStrF(v, TFloatFormat::ffFixed, 18, precision < 0 ? 2 : precision);
            case 'g': return FloatToStrF(v, TFloatFormat::ffGeneral, precision < 0 ? 15 : precision, 3);
            case 'n': return FloatToStrF(v, TFloatFormat::ffNumber, 18, precision < 0 ? 2 : precision);
            default: return FloatToStrF(v, TFloatFormat::ffCurrency, 18, precision < 0 ? CurrencyDecimals : precision);
            }
        }
        default:
            InvalidFormat(format_);
        }
    }

    std::string_view format_;
    std::initializer_list<TVarRec> args_;
    std::size_t next_ = 0;
};

// Parses the whole text as an integer; false when it is not one or does not
// fit in `bits` bits (hexadecimal may use the whole unsigned range).
bool ParseInteger(std::string_view text, int bits, std::int64_t& value) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    bool hex = false;
    if (i < text.size() && text[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= text.size()) return false;
    const std::uint64_t signedLimit = bits == 64 ? 0x8000000000000000ULL : 0x80000000ULL;
    const std::uint64_t unsignedLimit = bits == 64 ? ~0ULL : 0xFFFFFFFFULL;
    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        unsigned digit;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (hex && c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else if (hex && c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else {
            return false;
        }
        const unsigned base = hex ? 16 : 10;
        if (magnitude > (unsignedLimit - digit) / base) return false;
        magnitude = magnitude * base + digit;
    }
    if (hex) {
        // The bits as written: $FFFFFFFF is -1 for a 32-bit integer.
        std::int64_t v = bits == 64 ? static_cast<std::int64_t>(magnitude)
                                    : static_cast<std::int64_t>(static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude)));
        value = negative ? static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(v)) : v;
        return true;
    }
    if (magnitude > (negative ? signedLimit : signedLimit - 1)) return false;
    value = negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    return true;
}

}  // namespace

std::string Format(std::string_view format, std::initializer_list<TVarRec> args) {
    return Formatter(format, args).Run();
}

std::string IntToStr(std::int64_t value) { return std::to_string(value); }

std::string IntToHex(std::int64_t value, int digits) { return Hex(static_cast<std::uint64_t>(value), digits); }

bool TryStrToInt(std::string_view text, int& value) {
    std::int64_t v = 0;
    if (!ParseInteger(text, 32, v)) return false;
    value = static_cast<int>(v);
    return true;
}

bool TryStrToInt64(std::string_view text, std::int64_t& value) { return ParseInteger(text, 64, value); }

int StrToInt(std::string_view text) {
    int value = 0;
    if (!TryStrToInt(text, value)) throw EConvertError(Substitute(SInvalidInteger, text));
    return value;
}

std::int64_t StrToInt64(std::string_view text) {
    std::int64_t value = 0;
    if (!TryStrToInt64(text, value)) throw EConvertError(Substitute(SInvalidInteger, text));
    return value;
}

int StrToIntDef(std::string_view text, int defaultValue) {
    int value = 0;
    return TryStrToInt(text, value) ? value : defaultValue;
}

std::int64_t StrToInt64Def(std::string_view text, std::int64_t defaultValue) {
    std::int64_t value = 0;
    return TryStrToInt64(text, value) ? value : defaultValue;
}

}  // namespace classlib
