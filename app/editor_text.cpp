#include "app/editor_text.h"

#include <algorithm>
#include <vector>

#include "platform/kernel/codepage.h"
#include "platform/richedit/richedit.h"

namespace app {

using namespace win32;

std::string EditorTextRange(classlib::TRichEdit* editor, int from, int to) {
    if (to <= from) return {};
    // Each position is one UTF-16 unit, at most three bytes of UTF-8.
    std::vector<char> buffer(static_cast<std::size_t>(to - from) * 3 + 1, '\0');
    TEXTRANGEA range{{from, to}, buffer.data()};
    LRESULT n = SendMessageA(editor->Handle(), EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    return std::string(buffer.data(), static_cast<std::size_t>(std::max<LRESULT>(0, n)));
}

std::string EditorSelectedText(classlib::TRichEdit* editor) {
    int start = editor->SelStart();
    return EditorTextRange(editor, start, start + editor->SelLength());
}

int EditorLength(const std::string& utf8) { return static_cast<int>(text::Utf8ToUtf16(utf8).size()); }

}  // namespace app
