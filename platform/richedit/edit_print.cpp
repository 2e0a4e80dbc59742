// EM_FORMATRANGE and EM_DISPLAYBAND: the text laid out on any device
// context (a printer page, a metafile, a bitmap) with the control's font
// scaled to the device, wrapped at the width of the given rectangle, one
// page at a time; the answer is where the next page starts.
#include <algorithm>
#include <cmath>

#include "platform/richedit/edit_control.h"

namespace win32::richedit {
namespace {

// Logical units per inch of a DC along x and y, whatever its mapping mode.
void UnitsPerInch(HDC dc, double& x, double& y) {
    POINT p[2] = {{0, 0}, {GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY)}};
    DPtoLP(dc, p, 2);
    x = std::max(1.0, std::fabs(static_cast<double>(p[1].x - p[0].x)));
    y = std::max(1.0, std::fabs(static_cast<double>(p[1].y - p[0].y)));
}

LOGFONTA Scaled(const LOGFONTA& lf, double factor) {
    LOGFONTA out = lf;
    out.lfHeight = static_cast<LONG>(std::lround(lf.lfHeight * factor));
    if (out.lfHeight == 0) out.lfHeight = lf.lfHeight < 0 ? -1 : 1;
    out.lfWidth = static_cast<LONG>(std::lround(lf.lfWidth * factor));
    return out;
}

}  // namespace

LRESULT EditControl::FormatRange(bool render, const FORMATRANGE* range) {
    if (!range) {
        lastFormatEnd_ = -1;
        return 0;
    }
    HDC dc = range->hdc;
    if (!dc || GetDeviceCaps(dc, LOGPIXELSY) <= 0) return 0;
    double unitsX = 96;
    double unitsY = 96;
    UnitsPerInch(dc, unitsX, unitsY);
    auto toX = [&](LONG twips) { return static_cast<int>(std::lround(twips * unitsX / 1440.0)); };
    auto toY = [&](LONG twips) { return static_cast<int>(std::lround(twips * unitsY / 1440.0)); };
    RECT area{toX(range->rc.left), toY(range->rc.top), toX(range->rc.right), toY(range->rc.bottom)};

    // The screen font is made for 96 pixels an inch.
    LOGFONTA lf = Scaled(logFont_, unitsY / 96.0);
    LOGFONTA boxLf = lf;
    boxLf.lfHeight = lf.lfHeight * 2 / 3;
    if (boxLf.lfHeight == 0) boxLf.lfHeight = -1;
    boxLf.lfWeight = FW_NORMAL;
    boxLf.lfItalic = boxLf.lfUnderline = boxLf.lfStrikeOut = 0;
    FontMeasurer measurer;
    measurer.SetFonts(gdi::RealizeFont(lf), gdi::RealizeFont(boxLf));
    WrapLayout wrap(doc_.Store(), measurer);
    wrap.SetWrapWidth(std::max(1, static_cast<int>(area.right - area.left)));

    const TextStore& t = doc_.Store();
    Pos end = range->chrg.cpMax < 0 || range->chrg.cpMax > t.Length() ? t.Length() : range->chrg.cpMax;
    Pos pos = Snap(std::clamp<Pos>(range->chrg.cpMin, 0, t.Length()));
    int lineHeight = std::max(1, static_cast<int>(measurer.TextFont()->Metrics().tmHeight));

    HFONT font = render ? CreateFontIndirectA(&lf) : nullptr;
    HFONT boxFont = render ? CreateFontIndirectA(&boxLf) : nullptr;
    LineStyle style;
    style.font = font;
    style.boxFont = boxFont;
    style.lineHeight = lineHeight;
    style.fillBack = false;
    style.text = autoColor_ ? GetSysColor(COLOR_WINDOWTEXT) : textColor_;
    style.password = passwordChar_;
    int saved = render ? SaveDC(dc) : 0;

    int y = area.top;
    bool first = true;
    while (pos < end) {
        if (!first && y + lineHeight > area.bottom) break;
        Pos line = t.LineFromPosition(pos);
        Pos lineStart = t.LineStart(line);
        Pos lineEnd = t.LineEnd(line);
        Pos next = lineStart + wrap.NextDisplayStart(line, pos - lineStart);
        if (render) {
            LineRun run{pos, std::min(next, end)};
            DrawLine(dc, t, run, area.left, y, area.left, area.right, measurer, wrap.TabWidth(), style);
        }
        y += lineHeight;
        first = false;
        pos = next;
        if (pos >= lineEnd && line + 1 < t.LineCount()) pos = t.LineStart(line + 1);
    }
    pos = std::min(pos, end);

    if (render) {
        RestoreDC(dc, saved);
        DeleteObject(font);
        DeleteObject(boxFont);
    } else {
        lastFormat_ = *range;
        lastFormatEnd_ = pos;
    }
    return pos;
}

LRESULT EditControl::DisplayBand(const RECT* band) {
    if (!band || lastFormatEnd_ < 0 || !lastFormat_.hdc) return FALSE;
    FORMATRANGE range = lastFormat_;
    double unitsX = 96;
    double unitsY = 96;
    UnitsPerInch(range.hdc, unitsX, unitsY);
    range.rc = RECT{static_cast<LONG>(std::lround(band->left * 1440.0 / unitsX)),
                    static_cast<LONG>(std::lround(band->top * 1440.0 / unitsY)),
                    static_cast<LONG>(std::lround(band->right * 1440.0 / unitsX)),
                    static_cast<LONG>(std::lround(band->bottom * 1440.0 / unitsY))};
    FormatRange(true, &range);
    return TRUE;
}

}  // namespace win32::richedit
