// Pieces of the editor's text without copying the whole document: what the
// search and the appending commands look at in a long text.
#pragma once

#include <string>

#include "classlib/richedit.h"

namespace app {

// The text between two of the editor's positions (a line break takes two).
std::string EditorTextRange(classlib::TRichEdit* editor, int from, int to);
// The selected text.
std::string EditorSelectedText(classlib::TRichEdit* editor);
// The number of the editor's positions the text takes.
int EditorLength(const std::string& utf8);

}  // namespace app
