#include "platform/shell/uri.h"

#include "platform/kernel/codepage.h"

namespace win32::shell {
namespace {

bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHex(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

bool IsKeptAsIs(char c) {
    if (IsAlpha(c) || IsDigit(c)) return true;
    switch (c) {
    case '-': case '.': case '_': case '~':                                // unreserved
    case ':': case '/': case '?': case '@':                                // delimiters
    case '!': case '$': case '&': case '\'': case '(': case ')':
    case '*': case '+': case ',': case ';': case '=':
        return true;
    default:
        return false;
    }
}

void AppendEscaped(std::string& out, unsigned char byte) {
    static const char digits[] = "0123456789ABCDEF";
    out += '%';
    out += digits[byte >> 4];
    out += digits[byte & 0xF];
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

}  // namespace

std::optional<std::string> UriScheme(std::string_view text) {
    if (text.empty() || !IsAlpha(text[0])) return std::nullopt;
    std::size_t i = 1;
    while (i < text.size() && (IsAlpha(text[i]) || IsDigit(text[i]) || text[i] == '+' || text[i] == '-' || text[i] == '.')) {
        ++i;
    }
    if (i >= text.size() || text[i] != ':' || i < 2) return std::nullopt;
    std::string scheme(text.substr(0, i));
    for (char& c : scheme) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return scheme;
}

std::string ToUri(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    std::optional<std::string> scheme = UriScheme(text);
    if (!scheme && StartsWithNoCase(text, "www.")) {
        out = "http://";
        scheme = "http";
    }
    const bool mailto = scheme == "mailto";

    // Where the host part lies: after "scheme://" up to the next '/', '?'
    // or '#'.
    std::size_t hostStart = std::string_view::npos, hostEnd = std::string_view::npos;
    std::size_t afterScheme = (scheme && out.empty()) ? scheme->size() + 1 : 0;
    if (scheme && text.substr(afterScheme, 2) == "//") {
        hostStart = afterScheme + 2;
        hostEnd = text.find_first_of("/?#", hostStart);
        if (hostEnd == std::string_view::npos) hostEnd = text.size();
    }

    bool inFragment = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        const unsigned char u = static_cast<unsigned char>(c);
        if (u >= 0x80) {
            // One whole character: valid UTF-8 stays as its bytes, anything
            // else is replaced.
            std::size_t next = pos;
            char32_t cp = text::NextCodePoint(text, next);
            if (cp == text::kReplacementChar || text::IsByteEscape(cp)) {
                for (unsigned char b : std::string_view("\xEF\xBF\xBD")) AppendEscaped(out, b);
            } else {
                for (std::size_t i = pos; i < next; ++i) AppendEscaped(out, static_cast<unsigned char>(text[i]));
            }
            pos = next;
            continue;
        }
        const bool inHost = pos >= hostStart && pos < hostEnd;
        if (IsKeptAsIs(c)) {
            out += c;
        } else if (c == '%' && pos + 2 < text.size() && IsHex(text[pos + 1]) && IsHex(text[pos + 2])) {
            out += c;
        } else if (c == '#' && !mailto && !inFragment) {
            inFragment = true;
            out += c;
        } else if ((c == '[' || c == ']') && inHost) {
            out += c;
        } else {
            AppendEscaped(out, u);
        }
        ++pos;
    }
    return out;
}

}  // namespace win32::shell
