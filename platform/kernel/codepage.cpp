#include "platform/kernel/codepage.h"

#include <emmintrin.h>

#include <algorithm>
#include <atomic>
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
    std::uint16_t starts[2][256]{};
    constexpr StartTable() {
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

constexpr StartTable kStarts;

// The decoder works on sixteen-byte blocks at fixed strides. What carries
// from one block to the next is one bit, `first`: whether the block's first
// byte starts a character or is the trail of the one before it.
struct BlockStarts {
    unsigned starts;     // bit i: byte i starts a character
    unsigned nextFirst;  // whether the next block's first byte starts one
};

inline unsigned LeadBytes(__m128i v) {
    const __m128i below81 = _mm_set1_epi8(static_cast<char>(0x80));
    const __m128i above9F = _mm_set1_epi8(static_cast<char>(0xA0));
    const __m128i belowE0 = _mm_set1_epi8(static_cast<char>(0xDF));
    const __m128i aboveFC = _mm_set1_epi8(static_cast<char>(0xFD));
    __m128i lead = _mm_or_si128(_mm_and_si128(_mm_cmpgt_epi8(v, below81), _mm_cmplt_epi8(v, above9F)),
                                _mm_and_si128(_mm_cmpgt_epi8(v, belowE0), _mm_cmplt_epi8(v, aboveFC)));
    return static_cast<unsigned>(_mm_movemask_epi8(lead));
}

// Both values of `first` are worked out from the lead bytes alone and then
// one is picked, so `first` is all a block waits for and the processor
// overlaps the blocks.
inline BlockStarts FindStarts(unsigned leads, unsigned first) {
    unsigned lo0 = kStarts.starts[0][leads & 0xFF];
    unsigned lo1 = kStarts.starts[1][leads & 0xFF];
    unsigned hiA = kStarts.starts[0][leads >> 8];
    unsigned hiB = kStarts.starts[1][leads >> 8];
    unsigned hi0 = (lo0 >> 8) ? hiB : hiA;
    unsigned hi1 = (lo1 >> 8) ? hiB : hiA;
    unsigned lo = first ? lo1 : lo0;
    unsigned hi = first ? hi1 : hi0;
    return {(lo & 0xFF) | ((hi & 0xFF) << 8), hi >> 8};
}

// A block of ASCII that starts with a character: each byte gives one unit.
inline bool TakeAscii(__m128i v, unsigned first, const std::uint8_t*& p, char16_t*& o) {
    if ((_mm_movemask_epi8(v) != 0) | (first == 0)) return false;
    const __m128i zero = _mm_setzero_si128();
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm_unpacklo_epi8(v, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 8), _mm_unpackhi_epi8(v, zero));
    p += 16;
    o += 16;
    return true;
}

// Eight double-byte characters, the common case in Japanese text. False,
// with nothing counted as written, when a trail byte is invalid.
inline bool DecodeEightPairs(const std::uint8_t* p, const std::uint32_t* step, char16_t* o) {
    std::uint32_t total = 0;
#pragma GCC unroll 8
    for (unsigned i = 0; i < 16; i += 2) {
        std::uint16_t pair;
        std::memcpy(&pair, p + i, 2);
        std::uint32_t e = step[pair];
        o[i / 2] = static_cast<char16_t>(e);
        total += e >> 16;
    }
    return total == 16;
}

// A block done one step after the other, for blocks with a lead byte whose
// trail is invalid (rare). Returns the next block's `first`.
inline unsigned StepThroughBlock(const std::uint8_t* p, unsigned first, const std::uint32_t* step, char16_t*& o) {
    const std::uint8_t* q = p + (first ^ 1);
    const std::uint8_t* stop = p + 16;
    while (q < stop) {
        std::uint16_t pair;
        std::memcpy(&pair, q, 2);
        std::uint32_t e = step[pair];
        *o++ = static_cast<char16_t>(e);
        q += e >> 16;
    }
    return q == stop ? 1 : 0;
}

// The bytes after the last whole block. With `final` false a lead byte in the
// last position is left unread (for the next block).
inline DecodeResult FinishTail(const std::uint8_t* in, std::size_t size, const std::uint8_t* p, unsigned first,
                               const std::uint32_t* step, char16_t* out, char16_t* o, bool final) {
    const std::uint8_t* end = in + size;
    p += first ^ 1;
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

// The block decoder. The lead bytes are found with vector compares, the
// character starts follow from them by table, and each of the sixteen
// positions is decoded by one table step, kept or dropped by its start bit,
// so that no branch depends on the text. The steps' byte counts add up to
// the bytes the block's characters take unless a lead byte had no valid
// trail.
DecodeResult DecodeLosslessBlocks(const std::uint8_t* in, std::size_t size, char16_t* out, bool final) {
    const std::uint32_t* step = GetTables().decodeStep;
    const std::uint8_t* p = in;
    const std::uint8_t* end = in + size;
    char16_t* o = out;
    unsigned first = 1;
    // Each byte gives at most one unit, so the output never runs ahead of
    // the input and a block's sixteen units always fit.
    while (end - p >= 17) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        if (TakeAscii(v, first, p, o)) continue;
        BlockStarts b = FindStarts(LeadBytes(v), first);
        if (b.starts == 0x5555 && DecodeEightPairs(p, step, o)) {
            p += 16;
            o += 8;
            continue;
        }
        char16_t* blockOut = o;
        std::uint32_t total = 0;
#pragma GCC unroll 16
        for (unsigned i = 0; i < 16; ++i) {
            std::uint16_t pair;
            std::memcpy(&pair, p + i, 2);
            std::uint32_t e = step[pair];
            unsigned keep = (b.starts >> i) & 1;
            *o = static_cast<char16_t>(e);
            o += keep;
            total += (e >> 16) & (0u - keep);
        }
        if (total != 15 + first + (b.nextFirst ^ 1)) {
            o = blockOut;
            b.nextFirst = StepThroughBlock(p, first, step, o);
        }
        first = b.nextFirst;
        p += 16;
    }
    return FinishTail(in, size, p, first, step, out, o, final);
}

// The byte after one that cannot be a lead byte starts a character, whether
// that byte was a character of its own or the trail of one. Returns such a
// position in [p + 1, limit], or null when there is none.
inline const std::uint8_t* FindCharacterStart(const std::uint8_t* p, const std::uint8_t* limit) {
    for (; limit - p >= 16; p += 16) {
        unsigned others = ~LeadBytes(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))) & 0xFFFF;
        if (others != 0) return p + __builtin_ctz(others) + 1;
    }
    return nullptr;
}

// The block decoder is quickest on blocks of ASCII and on runs of
// double-byte characters that line up with its blocks, the interleaved one
// on everything else. A sample of the stretch's blocks is weighed by how
// much quicker each kind of block is under one decoder than under the
// other. No branch depends on the sample, so that reading it does not stall
// on every miss in the cache.
inline bool BlocksAreQuicker(const std::uint8_t* p, std::size_t length) {
    int margin = 0;
    for (std::size_t i = 0; i + 16 <= length; i += 256) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        int ascii = _mm_movemask_epi8(v) == 0;
        int pairs = (LeadBytes(v) & 0x5555) == 0x5555;
        margin += ascii * 55 + pairs * 28 - 25;
    }
    return margin >= 0;
}

std::atomic<SjisDecoder> chosenDecoder{SjisDecoder::Auto};

constexpr int kStreams = 6;
constexpr std::size_t kRound = 32768;
constexpr std::size_t kStartWindow = 256;
constexpr std::size_t kShortestRound = kStreams * kStartWindow;

// Decoding one character after the other is slow because each step waits
// for the one before it: the next character's place is known only once the
// table says how many bytes this one took. The interleaved decoder cuts a
// stretch of text at character starts into six pieces and steps through all
// six at once, so the processor keeps six such chains going. Each piece
// writes its units where its bytes began (a character never gives more
// units than it has bytes); the pieces are then moved together. A stretch
// where blocks are quicker, or where no character start can be found near a
// cut, goes to the block decoder.
DecodeResult DecodeLossless(const std::uint8_t* in, std::size_t size, char16_t* out, bool final) {
    const SjisDecoder choice = chosenDecoder.load(std::memory_order_relaxed);
    const std::uint32_t* step = GetTables().decodeStep;
    const std::uint8_t* p = in;
    const std::uint8_t* end = in + size;
    char16_t* o = out;
    // The window after a round's end is kept inside the input, so that
    // every pair read below has both its bytes.
    while (choice != SjisDecoder::Blocks && static_cast<std::size_t>(end - p) >= kShortestRound + kStartWindow + 16) {
        std::size_t length = std::min(kRound, static_cast<std::size_t>(end - p) - kStartWindow - 16);
        const std::uint8_t* stop = nullptr;
        const std::uint8_t* begins[kStreams + 1];
        if (choice == SjisDecoder::Interleaved || !BlocksAreQuicker(p, length)) {
            stop = FindCharacterStart(p + length, p + length + kStartWindow);
            begins[0] = p;
            begins[kStreams] = stop;
            const std::size_t piece = length / kStreams;
            for (int j = 1; j < kStreams && stop; ++j) {
                begins[j] = FindCharacterStart(p + j * piece, p + j * piece + kStartWindow);
                if (!begins[j]) stop = nullptr;
            }
        }
        if (!stop) {
            DecodeResult r = DecodeLosslessBlocks(p, length, o, false);
            p += r.consumed;
            o += r.written;
            continue;
        }
        const std::uint8_t* at[kStreams];
        char16_t* home[kStreams];
        char16_t* written[kStreams];
        for (int j = 0; j < kStreams; ++j) {
            at[j] = begins[j];
            home[j] = written[j] = o + (begins[j] - p);
        }
        for (;;) {
            // Every step takes at most two bytes, so n steps stay inside
            // every piece.
            std::ptrdiff_t n = begins[1] - at[0];
            for (int j = 1; j < kStreams; ++j) n = std::min(n, begins[j + 1] - at[j]);
            n /= 2;
            if (n < 16) break;
            for (std::ptrdiff_t k = 0; k < n; ++k) {
#pragma GCC unroll 6
                for (int j = 0; j < kStreams; ++j) {
                    std::uint16_t pair;
                    std::memcpy(&pair, at[j], 2);
                    std::uint32_t e = step[pair];
                    written[j][k] = static_cast<char16_t>(e);
                    at[j] += e >> 16;
                }
            }
            for (int j = 0; j < kStreams; ++j) written[j] += n;
        }
        // What is left of each piece ends at a character start.
        for (int j = 0; j < kStreams; ++j) {
            if (at[j] < begins[j + 1]) {
                written[j] += DecodeLosslessBlocks(at[j], begins[j + 1] - at[j], written[j], true).written;
            }
        }
        o = written[0];
        for (int j = 1; j < kStreams; ++j) {
            std::size_t n = static_cast<std::size_t>(written[j] - home[j]);
            std::memmove(o, home[j], n * sizeof(char16_t));
            o += n;
        }
        p = stop;
    }
    DecodeResult r = DecodeLosslessBlocks(p, static_cast<std::size_t>(end - p), o, final);
    return {static_cast<std::size_t>(o - out) + r.written, static_cast<std::size_t>(p - in) + r.consumed, 0};
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

void SetSjisDecoder(SjisDecoder decoder) { chosenDecoder.store(decoder, std::memory_order_relaxed); }

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
