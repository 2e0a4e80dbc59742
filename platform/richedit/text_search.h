// Forward search over a range of the text, as EM_FINDTEXT does it.
#pragma once

#include <string_view>

#include "platform/richedit/text_store.h"

namespace win32::richedit {

enum SearchFlags : unsigned {
    kSearchMatchCase = 1,
    kSearchWholeWord = 2,
};

// The first occurrence of `what` lying wholly inside [min, max) (max < 0:
// the end of the text), or -1. Without kSearchMatchCase, Latin, full-width
// Latin, Greek and Cyrillic letters match either case. An empty `what` is
// never found.
Pos FindText(const TextStore& text, Pos min, Pos max, std::u16string_view what, unsigned flags);

// The case folding the search uses.
char16_t FoldCase(char16_t c);

}  // namespace win32::richedit
