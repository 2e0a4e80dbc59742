#include "dialogs/form_text.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "classlib/consts.h"
#include "classlib/streams.h"
#include "classlib/sysutils.h"
#include "platform/kernel/codepage.h"

namespace dialogs {
namespace {

// Value kinds of the component stream.
enum ValueKind : std::uint8_t {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
    vaSingle = 15,
    vaCurrency = 16,
    vaDate = 17,
    vaWString = 18,
    vaInt64 = 19,
    vaUTF8String = 20,
    vaDouble = 21,
};

// Flags that may stand before a component's class name.
constexpr std::uint8_t ffInherited = 0x01;
constexpr std::uint8_t ffChildPos = 0x02;
constexpr std::uint8_t ffInline = 0x04;

constexpr std::size_t kLineLength = 64;  // of strings, before they are continued
constexpr std::size_t kBytesPerLine = 32;  // of binary data

struct Malformed {};

// Bounds-checked little-endian reading; any read past the end throws
// Malformed.
class Reader {
public:
    explicit Reader(std::string_view data) : data_(data) {}

    bool AtEnd() const { return pos_ >= data_.size(); }
    std::uint8_t Peek() const {
        if (AtEnd()) throw Malformed{};
        return static_cast<std::uint8_t>(data_[pos_]);
    }
    std::uint8_t Byte() {
        std::uint8_t b = Peek();
        ++pos_;
        return b;
    }
    std::string_view Bytes(std::uint64_t count) {
        if (count > data_.size() - pos_) throw Malformed{};
        std::string_view s = data_.substr(pos_, static_cast<std::size_t>(count));
        pos_ += static_cast<std::size_t>(count);
        return s;
    }
    std::uint64_t Unsigned(int size) {
        std::string_view b = Bytes(static_cast<std::uint64_t>(size));
        std::uint64_t v = 0;
        for (int i = size - 1; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(b[static_cast<std::size_t>(i)]);
        return v;
    }
    std::string_view ShortString() { return Bytes(Byte()); }
    std::string_view LongString() { return Bytes(Unsigned(4)); }

private:
    std::string_view data_;
    std::size_t pos_ = 0;
};

// Collects the text, keeping only the first `limit` bytes.
class Output {
public:
    explicit Output(std::size_t limit) : limit_(limit) {}
    void Write(std::string_view s) {
        if (text_.size() >= limit_) return;
        text_.append(s.substr(0, limit_ - text_.size()));
    }
    std::string& text() { return text_; }

private:
    std::string text_;
    std::size_t limit_;
};

double ExtendedToDouble(std::string_view b) {
    std::uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | static_cast<std::uint8_t>(b[static_cast<std::size_t>(i)]);
    unsigned se = static_cast<std::uint8_t>(b[8]) | (static_cast<unsigned>(static_cast<std::uint8_t>(b[9])) << 8);
    bool negative = (se & 0x8000) != 0;
    int exponent = static_cast<int>(se & 0x7FFF);
    double value;
    if (exponent == 0x7FFF) {
        value = (mantissa << 1) == 0 ? INFINITY : NAN;
    } else {
        value = std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
    }
    return negative ? -value : value;
}

class Converter {
public:
    Converter(std::string_view data, std::size_t limit) : in_(data), out_(limit) {}

    std::string Run() {
        if (in_.Bytes(4) != "TPF0") throw Malformed{};
        Component(0);
        return std::move(out_.text());
    }

private:
    void Indent(int level) { out_.Write(std::string(static_cast<std::size_t>(level) * 2, ' ')); }
    void NewLine(int level) {
        out_.Write("\r\n");
        Indent(level);
    }
    void Enter(int& depth) {
        if (++depth > kMaxFormNesting) throw Malformed{};
    }

    bool EndOfList() { return in_.Peek() == vaNull; }
    void ListEnd() {
        if (in_.Byte() != vaNull) throw Malformed{};
    }

    void Component(int level) {
        int depth = depth_;
        Enter(depth_);
        std::uint8_t flags = 0;
        std::string position;
        if ((in_.Peek() & 0xF0) == 0xF0) {
            flags = in_.Byte() & 0x0F;
            if (flags & ffChildPos) position = IntegerValue();
        }
        std::string_view className = in_.ShortString();
        std::string_view name = in_.ShortString();
        Indent(level);
        out_.Write(flags & ffInherited ? "inherited " : flags & ffInline ? "inline " : "object ");
        if (!name.empty()) {
            out_.Write(name);
            out_.Write(": ");
        }
        out_.Write(className);
        if (!position.empty()) out_.Write(" [" + position + "]");
        out_.Write("\r\n");
        while (!EndOfList()) Property(level + 1);
        ListEnd();
        while (!EndOfList()) Component(level + 1);
        ListEnd();
        Indent(level);
        out_.Write("end\r\n");
        depth_ = depth;
    }

    void Property(int level) {
        std::string_view name = in_.ShortString();
        Indent(level);
        out_.Write(name);
        out_.Write(" = ");
        Value(level);
        out_.Write("\r\n");
    }

    std::string IntegerValue() {
        switch (in_.Byte()) {
        case vaInt8: return std::to_string(static_cast<std::int8_t>(in_.Unsigned(1)));
        case vaInt16: return std::to_string(static_cast<std::int16_t>(in_.Unsigned(2)));
        case vaInt32: return std::to_string(static_cast<std::int32_t>(in_.Unsigned(4)));
        default: throw Malformed{};
        }
    }

    // `level` is the nesting of the line the value starts on.
    void Value(int level) {
        std::uint8_t kind = in_.Peek();
        switch (kind) {
        case vaList: {
            in_.Byte();
            int depth = depth_;
            Enter(depth_);
            out_.Write("(");
            while (!EndOfList()) {
                NewLine(level + 1);
                Value(level + 1);
            }
            ListEnd();
            out_.Write(")");
            depth_ = depth;
            break;
        }
        case vaInt8:
        case vaInt16:
        case vaInt32: out_.Write(IntegerValue()); break;
        case vaInt64:
            in_.Byte();
            out_.Write(std::to_string(static_cast<std::int64_t>(in_.Unsigned(8))));
            break;
        case vaExtended:
            in_.Byte();
            out_.Write(classlib::FloatToStr(ExtendedToDouble(in_.Bytes(10))));
            break;
        case vaDouble:
        case vaDate: {
            in_.Byte();
            std::uint64_t bits = in_.Unsigned(8);
            double d;
            std::memcpy(&d, &bits, sizeof d);
            out_.Write(classlib::FloatToStr(d) + (kind == vaDate ? "d" : ""));
            break;
        }
        case vaSingle: {
            in_.Byte();
            std::uint32_t bits = static_cast<std::uint32_t>(in_.Unsigned(4));
            float f;
            std::memcpy(&f, &bits, sizeof f);
            out_.Write(classlib::FloatToStr(f) + "s");
            break;
        }
        case vaCurrency: {
            // A 64-bit count of ten-thousandths.
            in_.Byte();
            auto units = static_cast<std::int64_t>(in_.Unsigned(8));
            out_.Write(classlib::FloatToStr(static_cast<double>(units) / 10000.0) + "c");
            break;
        }
        case vaString:
            in_.Byte();
            String(in_.ShortString(), level);
            break;
        case vaLString:
            in_.Byte();
            String(in_.LongString(), level);
            break;
        case vaUTF8String:
            in_.Byte();
            String(win32::text::Utf8ToSjis(in_.LongString()), level);
            break;
        case vaWString: {
            in_.Byte();
            std::uint64_t count = in_.Unsigned(4);
            if (count > (std::uint64_t{1} << 31)) throw Malformed{};
            std::string_view raw = in_.Bytes(count * 2);
            std::u16string wide(static_cast<std::size_t>(count), u'\0');
            for (std::size_t i = 0; i < wide.size(); ++i) {
                wide[i] = static_cast<char16_t>(static_cast<std::uint8_t>(raw[2 * i]) |
                                                (static_cast<std::uint8_t>(raw[2 * i + 1]) << 8));
            }
            String(win32::text::Utf16ToSjis(wide), level);
            break;
        }
        case vaIdent:
            in_.Byte();
            out_.Write(in_.ShortString());
            break;
        case vaFalse: in_.Byte(); out_.Write("False"); break;
        case vaTrue: in_.Byte(); out_.Write("True"); break;
        case vaNil: in_.Byte(); out_.Write("nil"); break;
        case vaBinary: Binary(level); break;
        case vaSet: {
            in_.Byte();
            out_.Write("[");
            bool first = true;
            for (;;) {
                std::string_view element = in_.ShortString();
                if (element.empty()) break;
                if (!first) out_.Write(", ");
                out_.Write(element);
                first = false;
            }
            out_.Write("]");
            break;
        }
        case vaCollection: Collection(level); break;
        default: throw Malformed{};
        }
    }

    // Printable runs in quotes, other bytes and the quote itself as #n,
    // continued with " +" on a new line every 64 bytes without splitting a
    // double-byte character.
    void String(std::string_view s, int level) {
        if (s.empty()) {
            out_.Write("''");
            return;
        }
        const int inner = level + 1;
        if (s.size() > kLineLength) NewLine(inner);
        auto printable = [&](std::size_t at) {
            unsigned char b = static_cast<unsigned char>(s[at]);
            return b >= ' ' && b != '\'';
        };
        // Bytes the item at `at` takes: a Shift-JIS pair counts two.
        auto width = [&](std::size_t at) -> std::size_t {
            unsigned char b = static_cast<unsigned char>(s[at]);
            if (!win32::text::IsSjisLeadByte(b) || at + 1 >= s.size()) return 1;
            unsigned char t = static_cast<unsigned char>(s[at + 1]);
            return (t >= 0x40 && t <= 0xFC && t != 0x7F) ? 2 : 1;
        };
        std::size_t i = 0, lineStart = 0;
        while (i < s.size()) {
            if (printable(i)) {
                std::size_t j = i;
                while (i < s.size() && printable(i) && i - lineStart + width(i) <= kLineLength) i += width(i);
                out_.Write("'");
                out_.Write(s.substr(j, i - j));
                out_.Write("'");
            } else {
                out_.Write("#" + std::to_string(static_cast<unsigned char>(s[i])));
                ++i;
            }
            if (i < s.size() && i - lineStart + (printable(i) ? width(i) : 1) > kLineLength) {
                out_.Write(" +");
                NewLine(inner);
                lineStart = i;
            }
        }
    }

    void Binary(int level) {
        in_.Byte();
        std::string_view data = in_.LongString();
        static const char digits[] = "0123456789ABCDEF";
        out_.Write("{");
        for (std::size_t offset = 0; offset < data.size(); offset += kBytesPerLine) {
            NewLine(level + 1);
            std::string line;
            for (std::size_t k = offset; k < data.size() && k < offset + kBytesPerLine; ++k) {
                unsigned char b = static_cast<unsigned char>(data[k]);
                line += digits[b >> 4];
                line += digits[b & 0xF];
            }
            out_.Write(line);
        }
        out_.Write("}");
    }

    void Collection(int level) {
        in_.Byte();
        int depth = depth_;
        Enter(depth_);
        out_.Write("<");
        while (!EndOfList()) {
            NewLine(level + 1);
            out_.Write("item");
            std::uint8_t next = in_.Peek();
            if (next == vaInt8 || next == vaInt16 || next == vaInt32) out_.Write(" [" + IntegerValue() + "]");
            if (in_.Byte() != vaList) throw Malformed{};
            out_.Write("\r\n");
            while (!EndOfList()) Property(level + 2);
            ListEnd();
            Indent(level + 1);
            out_.Write("end");
        }
        ListEnd();
        out_.Write(">");
        depth_ = depth;
    }

    Reader in_;
    Output out_;
    int depth_ = 0;
};

// The object data after the resource header, or nothing when the header is
// not that of a form resource.
bool ObjectData(std::string_view file, std::string_view& data) {
    if (file.size() < 3 || static_cast<unsigned char>(file[0]) != 0xFF || file[1] != 0x0A || file[2] != 0x00) {
        return false;
    }
    std::size_t nameEnd = file.find('\0', 3);
    if (nameEnd == std::string_view::npos || file.size() - nameEnd - 1 < 6) return false;
    std::size_t sizeAt = nameEnd + 1 + 2;
    std::uint32_t size = 0;
    for (int i = 3; i >= 0; --i) size = (size << 8) | static_cast<std::uint8_t>(file[sizeAt + static_cast<std::size_t>(i)]);
    std::size_t start = nameEnd + 1 + 6;
    if (size > file.size() - start) return false;
    data = file.substr(start, size);
    return true;
}

}  // namespace

bool FormFileToText(std::string_view file, std::string& text, std::size_t limit) {
    text.clear();
    std::string_view data;
    if (!ObjectData(file, data)) return false;
    try {
        text = Converter(data, limit).Run();
        return true;
    } catch (const Malformed&) {
        text.clear();
        return false;
    }
}

std::string ConvertFormFile(std::string_view file, std::size_t limit) {
    std::string text;
    if (!FormFileToText(file, text, limit)) throw classlib::EInvalidImage(classlib::SInvalidImage);
    return text;
}

}  // namespace dialogs
