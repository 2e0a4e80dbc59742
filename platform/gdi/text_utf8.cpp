#include "platform/gdi/text_utf8.h"

#include <string>

namespace win32::gdi {

DecodedChar DecodeUtf8At(std::string_view text, std::size_t offset) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char b0 = byte(offset);
    if (b0 < 0x80) return {b0, offset, 1};
    std::size_t need;
    char32_t code;
    char32_t minimum;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        need = 1, code = b0 & 0x1F, minimum = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        need = 2, code = b0 & 0x0F, minimum = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        need = 3, code = b0 & 0x07, minimum = 0x10000;
    } else {
        return {kReplacementChar, offset, 1};
    }
    for (std::size_t i = 1; i <= need; ++i) {
        if (offset + i >= text.size() || (byte(offset + i) & 0xC0) != 0x80) return {kReplacementChar, offset, 1};
        code = (code << 6) | (byte(offset + i) & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return {kReplacementChar, offset, 1};
    }
    return {code, offset, need + 1};
}

std::vector<DecodedChar> DecodeUtf8(std::string_view text) {
    std::vector<DecodedChar> out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        DecodedChar c = DecodeUtf8At(text, i);
        out.push_back(c);
        i += c.length;
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacementChar;
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

bool IsFullWidthBreakable(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) ||    // Hangul Jamo
           (c >= 0x2E80 && c <= 0x303E) ||    // CJK radicals, symbols and punctuation
           (c >= 0x3041 && c <= 0x33FF) ||    // kana, CJK compatibility
           (c >= 0x3400 && c <= 0x4DBF) ||    // CJK extension A
           (c >= 0x4E00 && c <= 0x9FFF) ||    // CJK unified ideographs
           (c >= 0xA960 && c <= 0xA97F) ||    // Hangul Jamo extended
           (c >= 0xAC00 && c <= 0xD7A3) ||    // Hangul syllables
           (c >= 0xF900 && c <= 0xFAFF) ||    // CJK compatibility ideographs
           (c >= 0xFE30 && c <= 0xFE4F) ||    // CJK compatibility forms
           (c >= 0xFF01 && c <= 0xFF60) ||    // full-width forms
           (c >= 0xFFE0 && c <= 0xFFE6) ||    // full-width signs
           (c >= 0x20000 && c <= 0x3FFFD);    // supplementary ideographs
}

}  // namespace win32::gdi
