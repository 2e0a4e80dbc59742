// Decoding of the UTF-8 text that the "A" text functions take. Bytes that do
// not form a valid sequence (stray continuation bytes, truncated or overlong
// sequences, surrogates, values beyond U+10FFFF) each become one U+FFFD, so
// any byte string measures and draws without surprises.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace win32::gdi {

constexpr char32_t kReplacementChar = 0xFFFD;

// One decoded character and the bytes it came from.
struct DecodedChar {
    char32_t code;
    std::size_t offset;  // first byte in the string
    std::size_t length;  // number of bytes, at least 1
};

// Decodes the character that starts at `offset` (which must be inside the
// text).
DecodedChar DecodeUtf8At(std::string_view text, std::size_t offset);

std::vector<DecodedChar> DecodeUtf8(std::string_view text);

// Appends the UTF-8 form of a code point (U+FFFD for values that are not
// scalar values).
void AppendUtf8(std::string& out, char32_t code);

// True for characters that line breaking treats as full-width (CJK
// ideographs, kana, full-width forms, CJK symbols): a line may break between
// any two of them.
bool IsFullWidthBreakable(char32_t c);

}  // namespace win32::gdi
