// Character classes for word selection, moving by word and whole-word
// search: runs of kanji, of hiragana, of katakana (full or half width) and of
// Latin letters and digits (full or half width) are words; blanks, line
// breaks and punctuation separate them.
#pragma once

#include "platform/richedit/text_store.h"

namespace win32::richedit {

enum class CharClass { Blank, LineBreak, Latin, Kanji, Hiragana, Katakana, Punctuation, Other };

CharClass ClassOf(char32_t c);
inline bool IsWordClass(CharClass c) {
    return c == CharClass::Latin || c == CharClass::Kanji || c == CharClass::Hiragana || c == CharClass::Katakana;
}

// The class of the character at a position (a surrogate pair as one).
CharClass ClassAt(const TextStore& text, Pos pos);

// The run of one class around the character at `pos`, for a double click:
// [WordStart, WordEnd). At the end of the text the run before it.
Pos WordStart(const TextStore& text, Pos pos);
Pos WordEnd(const TextStore& text, Pos pos);

// Ctrl+Right and Ctrl+Left: the start of the next word (past the run at
// `pos` and the blanks after it) and of the previous one.
Pos NextWordStart(const TextStore& text, Pos pos);
Pos PreviousWordStart(const TextStore& text, Pos pos);

// Whether [start, end) stands alone as a word: the characters on either side
// do not continue the run at its edges.
bool IsWholeWord(const TextStore& text, Pos start, Pos end);

}  // namespace win32::richedit
