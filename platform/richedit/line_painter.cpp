#include "platform/richedit/line_painter.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/kernel/codepage.h"

namespace win32::richedit {

CharShape ShapeOf(char32_t c) {
    if (c == u'\t') return CharShape::Tab;
    if (text::IsByteEscape(c)) return CharShape::Escape;
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return CharShape::Control;
    return CharShape::Text;
}

void FontMeasurer::SetFonts(std::shared_ptr<gdi::Font> text, std::shared_ptr<gdi::Font> box) {
    text_ = std::move(text);
    box_ = std::move(box);
    int digit = 0;
    for (char32_t c : U"0123456789ABCDEF") {
        if (c) digit = std::max(digit, box_->Advance(c));
    }
    boxWidth_ = 2 * digit + 4;
}

int FontMeasurer::Advance(char32_t c) {
    if (password_) return text_->Advance(password_);
    CharShape shape = ShapeOf(c);
    if (shape == CharShape::Escape || shape == CharShape::Control) return boxWidth_;
    return text_->Advance(c);
}

int FontMeasurer::AverageCharWidth() { return std::max(1, static_cast<int>(text_->Metrics().tmAveCharWidth)); }

namespace {

void Fill(HDC dc, const RECT& r, COLORREF color) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    COLORREF old = SetBkColor(dc, color);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, "", 0, nullptr);
    SetBkColor(dc, old);
}

void Frame(HDC dc, const RECT& r, COLORREF color) {
    Fill(dc, RECT{r.left, r.top, r.right, r.top + 1}, color);
    Fill(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, color);
    Fill(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, color);
    Fill(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, color);
}

void DrawBox(HDC dc, char32_t c, int x, int y, int w, const LineStyle& style, bool selected) {
    bool escape = ShapeOf(c) == CharShape::Escape;
    unsigned value = escape ? text::EscapedByte(c) : static_cast<unsigned>(c);
    int inset = std::max(1, style.lineHeight / 12);
    RECT box{x + 1, y + inset, x + w - 1, y + style.lineHeight - inset};
    COLORREF ink = selected ? style.selectedText : escape ? style.escapeText : style.text;
    if (escape) {
        Fill(dc, box, selected ? style.selectedBack : style.escapeBack);
        if (selected) Frame(dc, box, style.selectedText);
    } else {
        Frame(dc, box, ink);
    }
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", value & 0xFF);
    HGDIOBJ old = SelectObject(dc, style.boxFont);
    SIZE extent{0, 0};
    GetTextExtentPoint32A(dc, digits, 2, &extent);
    SetTextColor(dc, ink);
    TextOutA(dc, x + (w - extent.cx) / 2, y + (style.lineHeight - extent.cy) / 2, digits, 2);
    SelectObject(dc, old);
}

}  // namespace

void DrawLine(HDC dc, const TextStore& text, const LineRun& line, int x, int y, int clipLeft, int clipRight,
              CharMeasurer& measurer, int tabWidth, const LineStyle& style) {
    const int bottom = y + style.lineHeight;
    if (style.fillBack) Fill(dc, RECT{clipLeft, y, clipRight, bottom}, style.back);
    Pos selMin = std::max(line.selMin, line.start);
    Pos selMax = std::min(line.selMax, line.end);
    bool anySelected = selMin < selMax || line.breakSelected;

    // The selection's background first, then the text over it.
    if (anySelected) {
        int from = -1;
        int to = -1;
        int endX = 0;
        WalkLine(text, line.start, line.end, measurer, tabWidth, [&](Pos p, char32_t, Pos, int cx, int w) {
            if (p >= selMin && p < selMax) {
                if (from < 0) from = cx;
                to = cx + w;
            }
            endX = cx + w;
            return x + cx <= clipRight;
        });
        if (line.breakSelected) {
            if (from < 0) from = endX;
            to = endX + std::max(4, measurer.AverageCharWidth());
        }
        if (from >= 0) {
            Fill(dc, RECT{std::max(clipLeft, x + from), y, std::min(clipRight, x + to), bottom}, style.selectedBack);
        }
    }

    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, style.font);
    std::string run;
    int runX = 0;
    bool runSelected = false;
    auto flush = [&]() {
        if (run.empty()) return;
        SetTextColor(dc, runSelected ? style.selectedText : style.text);
        TextOutA(dc, x + runX, y, run.data(), static_cast<int>(run.size()));
        run.clear();
    };
    WalkLine(text, line.start, line.end, measurer, tabWidth, [&](Pos p, char32_t c, Pos, int cx, int w) {
        if (x + cx > clipRight) return false;
        if (x + cx + w < clipLeft) return true;
        bool selected = p >= selMin && p < selMax;
        CharShape shape = ShapeOf(c);
        if (style.password) {
            shape = CharShape::Text;
            c = style.password;
        }
        if (shape != CharShape::Text || selected != runSelected) flush();
        runSelected = selected;
        switch (shape) {
            case CharShape::Text:
                if (run.empty()) runX = cx;
                text::AppendUtf8(run, c);
                break;
            case CharShape::Tab:
                break;
            case CharShape::Escape:
            case CharShape::Control:
                DrawBox(dc, c, x + cx, y, w, style, selected);
                SelectObject(dc, style.font);
                break;
        }
        return true;
    });
    flush();
    SelectObject(dc, oldFont);
}

}  // namespace win32::richedit
