#include "platform/richedit/text_search.h"

#include <emmintrin.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/richedit/word_break.h"

namespace win32::richedit {

char16_t FoldCase(char16_t c) {
    if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 0x20) : c;
    if (c >= 0xFF21 && c <= 0xFF3A) return static_cast<char16_t>(c + 0x20);
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<char16_t>(c + 0x20);
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return static_cast<char16_t>(c + 0x20);
    if (c >= 0x410 && c <= 0x42F) return static_cast<char16_t>(c + 0x20);
    if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 0x50);
    return c;
}

namespace {

// The other case of a character, or the character itself.
char16_t OtherCase(char16_t c) {
    char16_t f = FoldCase(c);
    if (f != c) return f;
    for (char16_t d : {static_cast<char16_t>(c - 0x20), static_cast<char16_t>(c - 0x50)}) {
        if (FoldCase(d) == c && d != c) return d;
    }
    return c;
}

struct Pattern {
    std::u16string text;  // folded unless matching case
    bool matchCase;
    char16_t first[2];
    char16_t last[2];
};

bool Equal(const Pattern& p, const char16_t* s) {
    std::size_t n = p.text.size();
    if (p.matchCase) return std::memcmp(s, p.text.data(), n * 2) == 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (FoldCase(s[i]) != p.text[i]) return false;
    }
    return true;
}

// Offsets in s[0, n) where the pattern starts, in order, passed to `found`
// until it returns true. Candidates are picked eight at a time by comparing
// the first and the last unit of the pattern at once, then checked whole.
template <typename Found>
Pos Scan(const Pattern& p, const char16_t* s, Pos n, Found found) {
    Pos m = static_cast<Pos>(p.text.size());
    if (n < m) return -1;
    Pos lastStart = n - m;
    const __m128i f0 = _mm_set1_epi16(static_cast<short>(p.first[0]));
    const __m128i f1 = _mm_set1_epi16(static_cast<short>(p.first[1]));
    const __m128i l0 = _mm_set1_epi16(static_cast<short>(p.last[0]));
    const __m128i l1 = _mm_set1_epi16(static_cast<short>(p.last[1]));
    Pos i = 0;
    for (; i + 8 <= lastStart + 1; i += 8) {
        __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + m - 1));
        __m128i hit = _mm_and_si128(_mm_or_si128(_mm_cmpeq_epi16(a, f0), _mm_cmpeq_epi16(a, f1)),
                                    _mm_or_si128(_mm_cmpeq_epi16(b, l0), _mm_cmpeq_epi16(b, l1)));
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hit));
        while (mask) {
            Pos k = static_cast<Pos>(__builtin_ctz(mask)) / 2;
            mask &= ~(3u << (2 * k));
            if (Equal(p, s + i + k) && found(i + k)) return i + k;
        }
    }
    for (; i <= lastStart; ++i) {
        char16_t c = s[i];
        if ((c == p.first[0] || c == p.first[1]) && Equal(p, s + i) && found(i)) return i;
    }
    return -1;
}

}  // namespace

Pos FindText(const TextStore& text, Pos min, Pos max, std::u16string_view what, unsigned flags) {
    Pos length = text.Length();
    if (max < 0 || max > length) max = length;
    min = std::clamp<Pos>(min, 0, length);
    Pos m = static_cast<Pos>(what.size());
    if (m == 0 || max - min < m) return -1;

    Pattern p;
    p.matchCase = (flags & kSearchMatchCase) != 0;
    p.text = std::u16string(what);
    if (!p.matchCase) {
        for (char16_t& c : p.text) c = FoldCase(c);
    }
    char16_t first = p.text.front();
    char16_t last = p.text.back();
    p.first[0] = first;
    p.first[1] = p.matchCase ? first : OtherCase(first);
    p.last[0] = last;
    p.last[1] = p.matchCase ? last : OtherCase(last);

    bool wholeWord = (flags & kSearchWholeWord) != 0;
    auto accept = [&](Pos start) { return !wholeWord || IsWholeWord(text, start, start + m); };

    // The text lies in two runs around the gap: search the first, then the
    // matches that cross the gap, then the second.
    const GapBuffer<char16_t>& buf = text.Buffer();
    Pos gap = buf.BeforeLength();
    if (min < gap) {
        Pos end = std::min(max, gap);
        Pos r = Scan(p, buf.Before() + min, end - min, [&](Pos k) { return accept(min + k); });
        if (r >= 0) return min + r;
    }
    if (min < gap && max > gap && m > 1) {
        Pos from = std::max(min, gap - m + 1);
        Pos to = std::min(max, gap + m - 1);
        std::u16string around = text.Range(from, to - from);
        Pos r = Scan(p, around.data(), static_cast<Pos>(around.size()), [&](Pos k) {
            return from + k < gap && from + k + m > gap && accept(from + k);
        });
        if (r >= 0) return from + r;
    }
    if (max > gap) {
        Pos start = std::max(min, gap);
        Pos r = Scan(p, buf.After() + (start - gap), max - start, [&](Pos k) { return accept(start + k); });
        if (r >= 0) return start + r;
    }
    return -1;
}

}  // namespace win32::richedit
