// Measuring and drawing display lines, for the screen and for printing.
//
// Characters that have no glyph of their own are drawn as a narrow box with
// two hexadecimal digits: a byte escape (a byte of the file that is not
// valid Shift-JIS) as its byte on grey, a control character (NUL, the C1
// controls, ...) as its code framed on the text's background. Tabs advance
// to the next stop of eight average character widths, counted from the
// display line's start.
#pragma once

#include <memory>

#include "platform/gdi/font.h"
#include "platform/gdi/wingdi.h"
#include "platform/richedit/text_store.h"
#include "platform/richedit/wrap_layout.h"

namespace win32::richedit {

enum class CharShape { Text, Tab, Escape, Control };

CharShape ShapeOf(char32_t c);

// Widths from a realised font (device units of the DC it will draw on).
class FontMeasurer : public CharMeasurer {
public:
    void SetFonts(std::shared_ptr<gdi::Font> text, std::shared_ptr<gdi::Font> box);
    // Every character is shown as `c` (password edits); 0 shows the text.
    void SetPasswordChar(char32_t c) { password_ = c; }
    char32_t PasswordChar() const { return password_; }

    int Advance(char32_t c) override;
    int AverageCharWidth() override;
    int BoxWidth() const { return boxWidth_; }
    gdi::Font* TextFont() const { return text_.get(); }
    gdi::Font* BoxFont() const { return box_.get(); }

private:
    std::shared_ptr<gdi::Font> text_;
    std::shared_ptr<gdi::Font> box_;
    int boxWidth_ = 8;
    char32_t password_ = 0;
};

// Where the characters of a piece of one line go: `step` is called with
// each character's position, code point, units it takes, x and advance,
// tabs included; it returns false to stop early.
template <typename Step>
void WalkLine(const TextStore& text, Pos start, Pos end, CharMeasurer& m, int tabWidth, Step step) {
    int x = 0;
    Pos p = start;
    while (p < end) {
        char32_t c = text.CharAt(p);
        Pos len = 1;
        if (c >= 0xD800 && c <= 0xDBFF && p + 1 < end) {
            char32_t lo = text.CharAt(p + 1);
            if (lo >= 0xDC00 && lo <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00);
                len = 2;
            }
        }
        int w = c == u'\t' ? tabWidth - x % tabWidth : m.Advance(c);
        if (!step(p, c, len, x, w)) return;
        x += w;
        p += len;
    }
}

struct LineStyle {
    HFONT font = nullptr;     // selected for text
    HFONT boxFont = nullptr;  // for the digits in boxes
    COLORREF text = 0x000000;
    COLORREF back = 0xFFFFFF;
    COLORREF selectedText = 0xFFFFFF;
    COLORREF selectedBack = 0x800000;
    COLORREF escapeBack = 0xC0C0C0;
    COLORREF escapeText = 0x404040;
    int lineHeight = 16;
    bool fillBack = true;  // paint the background (off for printing on paper)
    char32_t password = 0; // shown for every character when set
};

// One display line's pixels: background, selection, text and boxes.
struct LineRun {
    Pos start;
    Pos end;
    // Selected part, clipped to the line by the painter; selMin == selMax for none.
    Pos selMin = 0;
    Pos selMax = 0;
    bool breakSelected = false;  // the line break after it is selected
};

// Draws `line` with its left edge at x (already scrolled) and its top at y,
// touching only [clipLeft, clipRight) horizontally. `right` is where the
// line's background ends.
void DrawLine(HDC dc, const TextStore& text, const LineRun& line, int x, int y, int clipLeft, int clipRight,
              CharMeasurer& measurer, int tabWidth, const LineStyle& style);

}  // namespace win32::richedit
