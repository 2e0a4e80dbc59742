// Random editing of the text engine against a plain string: every byte pair
// of the input is an operation (insert, delete, replace, undo, redo, caret
// break), and after each one the text, the line index and the wrap layout
// must agree with what the string says.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/richedit/text_document.h"
#include "platform/richedit/text_search.h"
#include "platform/richedit/wrap_layout.h"

using namespace win32::richedit;

namespace {

class Measurer : public CharMeasurer {
public:
    int Advance(char32_t c) override { return c < 0x80 ? 7 : 14; }
    int AverageCharWidth() override { return 7; }
};

void Fail(int line) {
    std::fprintf(stderr, "text_edit_fuzz: check at line %d failed\n", line);
    std::abort();
}

#define Check(ok) ((ok) ? void() : Fail(__LINE__))

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const char16_t pool[] = {u'a', u' ', u'\r', u'\n', u'漢', u'ア', u'\t', 0, 0xD83D, 0xDE00, 0xDC81, u'B'};
    TextDocument doc;
    doc.SetLimit(200);
    Measurer m;
    WrapLayout layout(doc.Store(), m);
    layout.SetWrapWidth(50);
    std::vector<std::u16string> undo;
    std::vector<std::u16string> redo;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        std::uint8_t op = data[i];
        std::uint8_t arg = data[i + 1];
        std::u16string before = doc.Store().Range(0, doc.Length());
        Pos pos = static_cast<Pos>(arg % (doc.Length() + 1));
        switch (op % 6) {
            case 0:
            case 1: {
                std::u16string what;
                for (int k = 0; k < (op >> 4); ++k) what.push_back(pool[(arg + k * 7 + op) % std::size(pool)]);
                EditResult r = doc.Replace(pos, (op >> 1) % 4, what, op & 8 ? EditKind::Typing : EditKind::Other);
                Check(doc.Length() <= 200);
                Check(r.position >= 0 && r.position + r.inserted <= doc.Length());
                if (doc.Store().Range(0, doc.Length()) != before) {
                    undo.push_back(before);
                    redo.clear();
                }
                break;
            }
            case 2:
                doc.History().BreakCoalescing();
                break;
            case 3:
                if (doc.CanUndo()) {
                    doc.Undo();
                    redo.push_back(before);
                    // Coalesced typing undoes several string states at once.
                    std::u16string now = doc.Store().Range(0, doc.Length());
                    while (!undo.empty() && undo.back() != now) undo.pop_back();
                    Check(!undo.empty());
                    undo.pop_back();
                }
                break;
            case 4:
                if (doc.CanRedo()) {
                    doc.Redo();
                    Check(!redo.empty() && doc.Store().Range(0, doc.Length()) == redo.back());
                    redo.pop_back();
                    undo.push_back(before);
                }
                break;
            default:
                layout.SetWrapWidth(arg % 100);
                break;
        }
        // The invariants of the store against the string.
        std::u16string text = doc.Store().Range(0, doc.Length());
        Pos lines = 1;
        for (std::size_t k = 0; k < text.size(); ++k) {
            if (text[k] == u'\r') Check(k + 1 < text.size() && text[k + 1] == u'\n');
            if (text[k] == u'\n') {
                Check(k > 0 && text[k - 1] == u'\r');
                Check(doc.Store().LineStart(lines) == static_cast<Pos>(k) + 1);
                ++lines;
            }
        }
        Check(doc.Store().LineCount() == lines);
        Pos count = layout.DisplayLineCount();
        Check(count >= lines);
        DisplayLine last = layout.GetDisplayLine(count - 1);
        Check(last.line == lines - 1 && last.end == doc.Length());
        Check(layout.DisplayLineFromPosition(doc.Length()) == count - 1);
        if (!text.empty()) {
            std::u16string what = text.substr(arg % text.size(), 2);
            Pos found = FindText(doc.Store(), 0, -1, what, kSearchMatchCase);
            Check(found == static_cast<Pos>(text.find(what)));
        }
    }
    return 0;
}
