#include "platform/kernel/codepage.h"

#include <emmintrin.h>

#include <cstring>

#include "platform/kernel/cp932_table.h"
#include "platform/kernel/winbase.h"

namespace win32::text {
namespace {

using cp932::GetTables;
using cp932::Tables;

constexpr bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Decodes as much as it can. With `final` false a lead byte in the last
// position is left unread (for the next block). `exact` selects whether pairs
// that encoding would write differently decode as escapes (lossless) or as
// their characters. `invalid` (Windows' API behaviour) replaces each bad unit
// by U+30FB instead of an escape and counts it.
struct DecodeResult {
    std::size_t written;
    std::size_t consumed;
    std::size_t invalid;
};

enum class DecodeMode { Lossless, Windows };

// Character starts within eight bytes, given whether the first of them starts
// a character and which of them are lead bytes: starts[first][leads] holds the
// start mask in bits 0-7 and, in bit 8, whether the byte after them starts
// one. A start that is a lead byte makes the next byte its trail.
struct StartTable {
    std::uint16_t starts[2][256];
    StartTable() {
        for (int first = 0; first < 2; ++first) {
            for (int leads = 0; leads < 256; ++leads) {
                int start = first;
                int mask = 0;
                for (int j = 0; j < 8; ++j) {
                    mask |= start << j;
                    start = (start && ((leads >> j) & 1)) ? 0 : 1;
                }
                starts[first][leads] = static_cast<std::uint16_t>(mask | (start << 8));
            }
        }
    }
};

const StartTable kStarts;

// The lossless decoder. Sixteen bytes at a time: the lead bytes are found
// with vector compares, the character starts follow from them by table, and
// each start is decoded by one table step. The steps do not depend on one
// another, so the processor overlaps them; a lead byte whose trail turns out
// invalid (rare) restarts the block after it.
DecodeResult DecodeLossless(const std::uint8_t* in, std::size_t size, char16_t* out, bool final) {
    const std::uint32_t* step = GetTables().decodeStep;
    const std::uint8_t* p = in;
    const std::uint8_t* end = in + size;
    char16_t* o = out;
    const __m128i zero = _mm_setzero_si128();
    const __m128i below81 = _mm_set1_epi8(static_cast<char>(0x80));
    const __m128i above9F = _mm_set1_epi8(static_cast<char>(0xA0));
    const __m128i belowE0 = _mm_set1_epi8(static_cast<char>(0xDF));
    const __m128i aboveFC = _mm_set1_epi8(static_cast<char>(0xFD));
    while (end - p >= 17) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        if (_mm_movemask_epi8(v) == 0) {
            // Each byte gives at most one unit, so the output never runs ahead
            // of the input and sixteen units always fit.
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm_unpacklo_epi8(v, zero));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 8), _mm_unpackhi_epi8(v, zero));
            p += 16;
            o += 16;
            continue;
        }
        __m128i lead = _mm_or_si128(_mm_and_si128(_mm_cmpgt_epi8(v, below81), _mm_cmplt_epi8(v, above9F)),
                                    _mm_and_si128(_mm_cmpgt_epi8(v, belowE0), _mm_cmplt_epi8(v, aboveFC)));
        unsigned leads = static_cast<unsigned>(_mm_movemask_epi8(lead));
        unsigned lo = kStarts.starts[1][leads & 0xFF];
        unsigned hi = kStarts.starts[lo >> 8][leads >> 8];
        unsigned starts = (lo & 0xFF) | ((hi & 0xFF) << 8);
        const std::uint8_t* next = p + 16 + ((hi >> 8) ? 0 : 1);
        // The byte counts of the steps add up to the block's length unless a
        // lead byte had no valid trail; then the block is done again one step
        // after the other.
        char16_t* blockOut = o;
        std::uint32_t total = 0;
        if (starts == 0x5555) {
            // Eight double-byte characters, the common case in Japanese text.
#pragma GCC unroll 8
            for (unsigned i = 0; i < 16; i += 2) {
                std::uint16_t pair;
                std::memcpy(&pair, p + i, 2);
                std::uint32_t e = step[pair];
                *o++ = static_cast<char16_t>(e);
                total += e >> 16;
            }
        } else {
            // Otherwise a fixed count of steps, each kept or dropped by its
            // start bit, so that no branch depends on the text.
#pragma GCC unroll 16
            for (unsigned i = 0; i < 16; ++i) {
                std::uint16_t pair;
                std::memcpy(&pair, p + i, 2);
                std::uint32_t e = step[pair];
                unsigned keep = (starts >> i) & 1;
                *o = static_cast<char16_t>(e);
                o += keep;
                total += (e >> 16) & (0u - keep);
            }
        }
        if (total != static_cast<std::uint32_t>(next - p)) {
            o = blockOut;
            const std::uint8_t* stop = p + 16;
            while (p < stop) {
                std::uint16_t pair;
                std::memcpy(&pair, p, 2);
                std::uint32_t e = step[pair];
                *o++ = static_cast<char16_t>(e);
                p += e >> 16;
            }
            continue;
        }
        p = next;
    }
    while (end - p >= 2) {
        std::uint16_t pair;
        std::memcpy(&pair, p, 2);
        std::uint32_t e = step[pair];
        *o++ = static_cast<char16_t>(e);
        p += e >> 16;
    }
    if (p < end) {
        std::uint8_t b = *p;
        if (IsSjisLeadByte(b) && !final) return {static_cast<std::size_t>(o - out), size - 1, 0};
        *o++ = static_cast<char16_t>(step[b]);
    }
    return {static_cast<std::size_t>(o - out), size, 0};
}

// Windows' API decoding: pairs that name no character and lead bytes without
// a trail become U+30FB and are counted.
DecodeResult DecodeWindows(const std::uint8_t* in, std::size_t size, char16_t* out) {
    const Tables& t = GetTables();
    const std::uint8_t* p = in;
    const std::uint8_t* end = in + size;
    char16_t* o = out;
    std::size_t invalid = 0;
    while (p < end) {
        std::uint8_t b = *p;
        int row = t.leadRow[b];
        if (row < 0) {
            *o++ = t.single[b];
            ++p;
            continue;
        }
        char16_t c = p + 1 < end ? t.pairAny[row * 256 + p[1]] : 0;
        if (c != 0) {
            *o++ = c;
            p += 2;
            continue;
        }
        *o++ = 0x30FB;
        ++invalid;
        bool trailInRange = p + 1 < end && ((p[1] >= 0x40 && p[1] <= 0x7E) || (p[1] >= 0x80 && p[1] <= 0xFC));
        p += trailInRange ? 2 : 1;
    }
    return {static_cast<std::size_t>(o - out), size, invalid};
}

DecodeResult DecodeBlock(const std::uint8_t* in, std::size_t size, char16_t* out, bool final, DecodeMode mode) {
    return mode == DecodeMode::Lossless ? DecodeLossless(in, size, out, final) : DecodeWindows(in, size, out);
}

// Encodes UTF-16 to code page 932. Unmappable characters are written as
// `fallback` (one or two bytes) and counted.
std::size_t EncodeBlock(const char16_t* s, std::size_t n, char* out, const char* fallback, std::size_t fallbackLen,
                        std::size_t* replaced) {
    const std::uint32_t* step = GetTables().encodeStep;
    char* o = out;
    std::size_t i = 0;
    std::size_t bad = 0;
    const __m128i high = _mm_set1_epi16(static_cast<short>(0xFF80));
    const __m128i zero = _mm_setzero_si128();
    while (i < n) {
        if (n - i >= 8) {
            __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
            if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(v, high), zero)) == 0xFFFF) {
                _mm_storel_epi64(reinterpret_cast<__m128i*>(o), _mm_packus_epi16(v, v));
                o += 8;
                i += 8;
                continue;
            }
        }
        // Two bytes are always stored and the pointer moves by the count, so
        // one- and two-byte characters take the same path. The output has
        // room for two bytes per unit.
        std::size_t stop = n - i > 8 ? i + 8 : n;
        while (i < stop) {
            std::uint32_t e = step[s[i]];
            if (e == 0) break;
            std::uint16_t bytes = static_cast<std::uint16_t>(e);
            std::memcpy(o, &bytes, 2);
            o += e >> 16;
            ++i;
        }
        if (i < stop) {
            // A surrogate pair is one character and one replacement.
            char16_t c = s[i];
            i += (IsHighSurrogate(c) && i + 1 < n && IsLowSurrogate(s[i + 1])) ? 2 : 1;
            std::memcpy(o, fallback, fallbackLen);
            o += fallbackLen;
            ++bad;
        }
    }
    if (replaced) *replaced += bad;
    return static_cast<std::size_t>(o - out);
}

}  // namespace

char16_t SjisPairChar(std::uint8_t lead, std::uint8_t trail) {
    const Tables& t = GetTables();
    int row = t.leadRow[lead];
    return row < 0 ? 0 : t.pairAny[row * 256 + trail];
}

int SjisCharBytes(char32_t c) {
    if (c < 0x80 || c > 0xFFFF) return 1;
    std::uint16_t code = GetTables().encode[c];
    return code >= 0x100 ? 2 : 1;
}

bool SjisCanEncode(char32_t c) {
    if (c < 0x80 || IsByteEscape(c)) return true;
    return c <= 0xFFFF && GetTables().encode[c] != 0;
}

std::size_t DecodeSjis(const char* bytes, std::size_t size, char16_t* out) {
    return DecodeBlock(reinterpret_cast<const std::uint8_t*>(bytes), size, out, true, DecodeMode::Lossless).written;
}

std::size_t EncodeSjis(const char16_t* text, std::size_t size, char* out, std::size_t* replaced) {
    return EncodeBlock(text, size, out, "?", 1, replaced);
}

std::size_t SjisStreamDecoder::Decode(const char* bytes, std::size_t size, char16_t* out) {
    std::size_t written = 0;
    const auto* in = reinterpret_cast<const std::uint8_t*>(bytes);
    if (size == 0) return 0;
    if (pending_ >= 0) {
        char16_t joined[2];
        std::uint8_t pair[2] = {static_cast<std::uint8_t>(pending_), in[0]};
        DecodeResult r = DecodeBlock(pair, 2, joined, true, DecodeMode::Lossless);
        pending_ = -1;
        if (r.written == 1) {
            // The two bytes made one character.
            out[written++] = joined[0];
            ++in;
            --size;
        } else {
            // The kept byte stands alone; its follower starts afresh.
            out[written++] = joined[0];
        }
    }
    DecodeResult r = DecodeBlock(in, size, out + written, false, DecodeMode::Lossless);
    if (r.consumed < size) pending_ = in[size - 1];
    return written + r.written;
}

std::size_t SjisStreamDecoder::Finish(char16_t* out) {
    if (pending_ < 0) return 0;
    out[0] = ByteEscape(static_cast<std::uint8_t>(pending_));
    pending_ = -1;
    return 1;
}

std::u16string SjisToUtf16(std::string_view sjis) {
    std::u16string out(sjis.size(), u'\0');
    out.resize(DecodeSjis(sjis.data(), sjis.size(), out.data()));
    return out;
}

std::string Utf16ToSjis(std::u16string_view text, std::size_t* replaced) {
    std::string out(text.size() * 2 + 8, '\0');
    out.resize(EncodeSjis(text.data(), text.size(), out.data(), replaced));
    return out;
}

std::string SjisToUtf8(std::string_view sjis) { return Utf16ToUtf8(SjisToUtf16(sjis)); }

std::string Utf8ToSjis(std::string_view utf8, std::size_t* replaced) { return Utf16ToSjis(Utf8ToUtf16(utf8), replaced); }

std::size_t SjisLength(std::u16string_view text) {
    const Tables& t = GetTables();
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c >= 0x80 && t.encode[c] >= 0x100) {
            bytes += 2;
            continue;
        }
        ++bytes;
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
    }
    return bytes;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
        return;
    }
    if ((c >= 0xD800 && c <= 0xDFFF && !IsByteEscape(c)) || c > 0x10FFFF) c = kReplacementChar;
    if (c < 0x800) {
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

char32_t NextCodePoint(std::string_view s, std::size_t& pos) {
    auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(s[i]); };
    auto cont = [&](std::size_t i) { return i < s.size() && (byte(i) & 0xC0) == 0x80; };
    std::uint8_t b = byte(pos);
    if (b < 0x80) {
        ++pos;
        return b;
    }
    if (b >= 0xC2 && b <= 0xDF && cont(pos + 1)) {
        char32_t c = ((b & 0x1Fu) << 6) | (byte(pos + 1) & 0x3Fu);
        pos += 2;
        return c;
    }
    if (b >= 0xE0 && b <= 0xEF && cont(pos + 1) && cont(pos + 2)) {
        char32_t c = ((b & 0x0Fu) << 12) | ((byte(pos + 1) & 0x3Fu) << 6) | (byte(pos + 2) & 0x3Fu);
        // Overlong forms and surrogates are invalid, except the escapes.
        if (c >= 0x800 && (c < 0xD800 || c > 0xDFFF || IsByteEscape(c))) {
            pos += 3;
            return c;
        }
    } else if (b >= 0xF0 && b <= 0xF4 && cont(pos + 1) && cont(pos + 2) && cont(pos + 3)) {
        char32_t c = ((b & 0x07u) << 18) | ((byte(pos + 1) & 0x3Fu) << 12) | ((byte(pos + 2) & 0x3Fu) << 6) |
                     (byte(pos + 3) & 0x3Fu);
        if (c >= 0x10000 && c <= 0x10FFFF) {
            pos += 4;
            return c;
        }
    }
    ++pos;
    return kReplacementChar;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        // ASCII runs are copied eight bytes at a time.
        while (utf8.size() - i >= 8) {
            std::uint64_t w;
            std::memcpy(&w, utf8.data() + i, 8);
            if (w & 0x8080808080808080ull) break;
            for (int k = 0; k < 8; ++k) out.push_back(static_cast<char16_t>(utf8[i + k]));
            i += 8;
        }
        if (i == utf8.size()) break;
        char32_t c = NextCodePoint(utf8, i);
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3 / 2 + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        AppendUtf8(out, c);
    }
    return out;
}

}  // namespace win32::text

namespace win32 {
namespace {

using text::IsByteEscape;

int Fail(DWORD error) {
    SetLastError(error);
    return 0;
}

bool IsAnsi(UINT cp) { return cp == CP_ACP || cp == CP_OEMCP || cp == CP_THREAD_ACP || cp == 932; }

// UTF-8 -> UTF-16 counting the bad bytes, for the API's error flag.
std::u16string DecodeUtf8Checked(std::string_view s, std::size_t* invalid) {
    std::u16string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        std::size_t before = i;
        char32_t c = text::NextCodePoint(s, i);
        if (c == text::kReplacementChar && !(i - before == 3 && static_cast<std::uint8_t>(s[before]) == 0xEF)) {
            ++*invalid;
        }
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return out;
}

// Copies a converted result to the caller's buffer with the API's rules: a
// zero-sized buffer asks for the size; a short buffer fails.
template <typename T>
int Deliver(const T* data, std::size_t size, T* buffer, int capacity) {
    if (size > 0x7FFFFFFF) return Fail(ERROR_INVALID_PARAMETER);
    if (capacity == 0) return static_cast<int>(size);
    if (static_cast<std::size_t>(capacity) < size) return Fail(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(buffer, data, size * sizeof(T));
    return static_cast<int>(size);
}

}  // namespace

UINT GetACP() { return 932; }
UINT GetOEMCP() { return 932; }

BOOL IsValidCodePage(UINT CodePage) { return CodePage == 932 || CodePage == CP_UTF8 ? TRUE : FALSE; }

BOOL IsDBCSLeadByteEx(UINT CodePage, BYTE TestChar) {
    return IsAnsi(CodePage) && text::IsSjisLeadByte(TestChar) ? TRUE : FALSE;
}

BOOL IsDBCSLeadByte(BYTE TestChar) { return IsDBCSLeadByteEx(CP_ACP, TestChar); }

BOOL GetCPInfo(UINT CodePage, LPCPINFO info) {
    if (!info) return FALSE;
    std::memset(info, 0, sizeof(*info));
    if (IsAnsi(CodePage)) {
        info->MaxCharSize = 2;
        info->DefaultChar[0] = '?';
        const BYTE ranges[] = {0x81, 0x9F, 0xE0, 0xFC};
        std::memcpy(info->LeadByte, ranges, sizeof(ranges));
        return TRUE;
    }
    if (CodePage == CP_UTF8) {
        info->MaxCharSize = 4;
        info->DefaultChar[0] = '?';
        return TRUE;
    }
    return FALSE;
}

int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte, LPWSTR lpWideCharStr,
                        int cchWideChar) {
    if (!lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0) return Fail(ERROR_INVALID_PARAMETER);
    if (cchWideChar > 0 && !lpWideCharStr) return Fail(ERROR_INVALID_PARAMETER);
    std::size_t size = cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : static_cast<std::size_t>(cbMultiByte);
    std::string_view in(lpMultiByteStr, size);
    bool strict = (dwFlags & MB_ERR_INVALID_CHARS) != 0;
    if (CodePage == CP_UTF8) {
        if (dwFlags & ~MB_ERR_INVALID_CHARS) return Fail(ERROR_INVALID_FLAGS);
        std::size_t invalid = 0;
        std::u16string out = DecodeUtf8Checked(in, &invalid);
        if (strict && invalid) return Fail(ERROR_NO_UNICODE_TRANSLATION);
        return Deliver(out.data(), out.size(), lpWideCharStr, cchWideChar);
    }
    if (!IsAnsi(CodePage)) return Fail(ERROR_INVALID_PARAMETER);
    if (dwFlags & ~(MB_PRECOMPOSED | MB_COMPOSITE | MB_USEGLYPHCHARS | MB_ERR_INVALID_CHARS)) {
        return Fail(ERROR_INVALID_FLAGS);
    }
    if ((dwFlags & MB_PRECOMPOSED) && (dwFlags & MB_COMPOSITE)) return Fail(ERROR_INVALID_FLAGS);
    std::u16string out(size, u'\0');
    text::DecodeResult r = text::DecodeBlock(reinterpret_cast<const std::uint8_t*>(in.data()), size, out.data(),
                                             true, text::DecodeMode::Windows);
    if (strict && r.invalid) return Fail(ERROR_NO_UNICODE_TRANSLATION);
    return Deliver(out.data(), r.written, lpWideCharStr, cchWideChar);
}

int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar, LPSTR lpMultiByteStr,
                        int cbMultiByte, LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar) {
    if (!lpWideCharStr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0) return Fail(ERROR_INVALID_PARAMETER);
    if (cbMultiByte > 0 && !lpMultiByteStr) return Fail(ERROR_INVALID_PARAMETER);
    std::size_t size = 0;
    if (cchWideChar == -1) {
        while (lpWideCharStr[size] != 0) ++size;
        ++size;
    } else {
        size = static_cast<std::size_t>(cchWideChar);
    }
    std::u16string_view in(lpWideCharStr, size);
    if (CodePage == CP_UTF8) {
        if (lpDefaultChar || lpUsedDefaultChar) return Fail(ERROR_INVALID_PARAMETER);
        if (dwFlags & ~WC_ERR_INVALID_CHARS) return Fail(ERROR_INVALID_FLAGS);
        if (dwFlags & WC_ERR_INVALID_CHARS) {
            for (std::size_t i = 0; i < size; ++i) {
                char16_t c = in[i];
                if (c >= 0xD800 && c <= 0xDBFF && i + 1 < size && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF) {
                    ++i;
                } else if (c >= 0xD800 && c <= 0xDFFF && !IsByteEscape(c)) {
                    return Fail(ERROR_NO_UNICODE_TRANSLATION);
                }
            }
        }
        std::string out = text::Utf16ToUtf8(in);
        return Deliver(out.data(), out.size(), lpMultiByteStr, cbMultiByte);
    }
    if (!IsAnsi(CodePage)) return Fail(ERROR_INVALID_PARAMETER);
    if (dwFlags & ~(WC_COMPOSITECHECK | WC_DISCARDNS | WC_SEPCHARS | WC_DEFAULTCHAR | WC_NO_BEST_FIT_CHARS)) {
        return Fail(ERROR_INVALID_FLAGS);
    }
    // The default character is the first character of lpDefaultChar, one or
    // two bytes as Shift-JIS counts them.
    char fallback[2] = {'?', 0};
    std::size_t fallbackLen = 1;
    if (lpDefaultChar && lpDefaultChar[0] != 0) {
        fallback[0] = lpDefaultChar[0];
        if (text::IsSjisLeadByte(static_cast<std::uint8_t>(lpDefaultChar[0])) && lpDefaultChar[1] != 0) {
            fallback[1] = lpDefaultChar[1];
            fallbackLen = 2;
        }
    }
    std::string out(size * 2 + 2, '\0');
    std::size_t replaced = 0;
    out.resize(text::EncodeBlock(in.data(), size, out.data(), fallback, fallbackLen, &replaced));
    if (lpUsedDefaultChar) *lpUsedDefaultChar = replaced ? TRUE : FALSE;
    return Deliver(out.data(), out.size(), lpMultiByteStr, cbMultiByte);
}

}  // namespace win32
