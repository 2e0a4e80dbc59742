#include "platform/richedit/word_break.h"

#include <algorithm>

namespace win32::richedit {

CharClass ClassOf(char32_t c) {
    if (c == u' ' || c == u'\t' || c == 0x3000) return CharClass::Blank;
    if (c == u'\r' || c == u'\n') return CharClass::LineBreak;
    if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_') {
        return CharClass::Latin;
    }
    if (c < 0x80) return CharClass::Punctuation;
    if ((c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) || (c >= 0x370 && c <= 0x3FF) ||
        (c >= 0x400 && c <= 0x4FF)) {
        return CharClass::Latin;  // accented Latin, Greek and Cyrillic letters
    }
    if ((c >= 0xFF10 && c <= 0xFF19) || (c >= 0xFF21 && c <= 0xFF3A) || (c >= 0xFF41 && c <= 0xFF5A)) {
        return CharClass::Latin;
    }
    if ((c >= 0x3041 && c <= 0x309F)) return CharClass::Hiragana;
    if ((c >= 0x30A0 && c <= 0x30FF) || (c >= 0xFF66 && c <= 0xFF9F) || (c >= 0x31F0 && c <= 0x31FF)) {
        return CharClass::Katakana;
    }
    if ((c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0xF900 && c <= 0xFAFF) ||
        (c >= 0x20000 && c <= 0x3FFFF) || c == 0x3005 || c == 0x3006 || c == 0x3007 || c == 0x30F6) {
        return CharClass::Kanji;
    }
    if ((c >= 0x2000 && c <= 0x2BFF) || (c >= 0x3000 && c <= 0x303F) || (c >= 0xFF00 && c <= 0xFF65) ||
        (c >= 0xFFE0 && c <= 0xFFEF) || (c >= 0xA0 && c <= 0xBF)) {
        return CharClass::Punctuation;
    }
    return CharClass::Other;
}

namespace {

// Start of the character that ends at `pos` (a surrogate pair is one).
Pos CharBefore(const TextStore& t, Pos pos) {
    if (pos >= 2) {
        char16_t lo = t.CharAt(pos - 1);
        char16_t hi = t.CharAt(pos - 2);
        if (lo >= 0xDC00 && lo <= 0xDFFF && hi >= 0xD800 && hi <= 0xDBFF) return pos - 2;
    }
    return pos - 1;
}

Pos CharAfter(const TextStore& t, Pos pos) {
    char16_t c = t.CharAt(pos);
    if (c >= 0xD800 && c <= 0xDBFF && pos + 1 < t.Length()) return pos + 2;
    return pos + 1;
}

// The prolonged sound mark belongs to whichever kana run it follows.
bool SameRun(CharClass run, const TextStore& t, Pos pos) {
    CharClass c = ClassAt(t, pos);
    if (c == run) return true;
    char16_t ch = t.CharAt(pos);
    return (ch == 0x30FC || ch == 0xFF70) && (run == CharClass::Hiragana || run == CharClass::Katakana);
}

}  // namespace

CharClass ClassAt(const TextStore& t, Pos pos) {
    char32_t c = t.CharAt(pos);
    if (c >= 0xD800 && c <= 0xDBFF && pos + 1 < t.Length()) {
        char32_t lo = t.CharAt(pos + 1);
        if (lo >= 0xDC00 && lo <= 0xDFFF) c = 0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00);
    }
    if (c >= 0xDC00 && c <= 0xDCFF) return CharClass::Other;
    return ClassOf(c);
}

Pos WordStart(const TextStore& t, Pos pos) {
    pos = t.Snap(pos);
    if (pos >= t.Length()) {
        if (pos == 0) return 0;
        pos = CharBefore(t, pos);
    }
    CharClass run = ClassAt(t, pos);
    if (run == CharClass::LineBreak) return t.Snap(pos);
    while (pos > 0) {
        Pos prev = CharBefore(t, pos);
        if (!SameRun(run, t, prev)) break;
        pos = prev;
    }
    return pos;
}

Pos WordEnd(const TextStore& t, Pos pos) {
    pos = t.Snap(pos);
    if (pos >= t.Length()) return t.Length();
    CharClass run = ClassAt(t, pos);
    if (run == CharClass::LineBreak) return std::min(pos + 2, t.Length());
    // A run that starts with a prolonged sound mark takes the class of what precedes it.
    while (pos < t.Length() && SameRun(run, t, pos)) pos = CharAfter(t, pos);
    return pos;
}

Pos NextWordStart(const TextStore& t, Pos pos) {
    pos = t.Snap(pos);
    if (pos >= t.Length()) return t.Length();
    pos = WordEnd(t, pos);
    while (pos < t.Length() && ClassAt(t, pos) == CharClass::Blank) pos = CharAfter(t, pos);
    return pos;
}

Pos PreviousWordStart(const TextStore& t, Pos pos) {
    pos = t.Snap(pos);
    while (pos > 0 && ClassAt(t, CharBefore(t, pos)) == CharClass::Blank) pos = CharBefore(t, pos);
    if (pos == 0) return 0;
    return WordStart(t, CharBefore(t, pos));
}

bool IsWholeWord(const TextStore& t, Pos start, Pos end) {
    if (start >= end) return false;
    if (start > 0) {
        CharClass first = ClassAt(t, start);
        if (IsWordClass(first) && SameRun(first, t, CharBefore(t, start))) return false;
    }
    if (end < t.Length()) {
        CharClass last = ClassAt(t, CharBefore(t, end));
        if (IsWordClass(last) && SameRun(last, t, end)) return false;
    }
    return true;
}

}  // namespace win32::richedit
