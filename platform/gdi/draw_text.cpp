// DrawTextA: the layout of draw_text_layout.h measured with the selected
// font, then drawn line by line through ExtTextOut with explicit character
// positions, so that a metafile records exactly where each character went.
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/dc.h"
#include "platform/gdi/draw_text_layout.h"
#include "platform/gdi/font_object.h"
#include "platform/gdi/text_utf8.h"

namespace win32 {
namespace {

class FontAdvances : public gdi::AdvanceSource {
public:
    explicit FontAdvances(gdi::Font& font) : font_(font) {}
    int Advance(char32_t c) override { return font_.Advance(c); }

private:
    gdi::Font& font_;
};

// Draws one laid-out line at (x, y), the top of its cell.
void DrawLine(gdi::DeviceContext& dc, const gdi::TextLayout& layout, const gdi::LayoutLine& line, int x, int y,
              UINT options, const RECT* clip, std::string& text, std::vector<INT>& dx) {
    text.clear();
    dx.clear();
    for (std::size_t i = line.begin; i < line.end; ++i) {
        const std::size_t before = text.size();
        gdi::AppendUtf8(text, layout.chars[i]);
        // The whole advance sits on the first byte of the character.
        dx.push_back(layout.advance[i]);
        dx.resize(dx.size() + (text.size() - before - 1), 0);
    }
    if (!text.empty()) dc.ExtTextOut(x, y, options, clip, text, dx.data());
}

void DrawPrefixUnderline(gdi::DeviceContext& dc, gdi::Font& font, const gdi::TextLayout& layout,
                         const gdi::LayoutLine& line, int x, int y, const RECT* clip) {
    if (line.prefix < 0) return;
    const TEXTMETRICA& tm = font.Metrics();
    const int top = y + tm.tmAscent + font.UnderlineOffset();
    RECT bar{x + layout.x[line.prefix], top, x + layout.x[line.prefix] + layout.advance[line.prefix],
             top + font.UnderlineThickness()};
    if (clip) {
        bar = IntersectRectValue(bar, *clip);
        if (IsRectEmptyValue(bar)) return;
    }
    HBRUSH brush = CreateSolidBrush(dc.State().textColor);
    if (!brush) return;
    dc.PatBlt(bar, brush, PATCOPY);
    DeleteObject(brush);
}

int DrawTextImpl(HDC hdc, LPCSTR str, int count, LPRECT rect, UINT format, DRAWTEXTPARAMS* params) {
    gdi::DeviceContext* dc = gdi::FindDC(hdc);
    if (!dc || !rect) return 0;
    if (count == -1) {
        if (!str) return 0;
        count = static_cast<int>(std::strlen(str));
    }
    if (count < 0 || (count > 0 && !str)) return 0;
    if (params && params->cbSize != sizeof(DRAWTEXTPARAMS)) return 0;
    const std::string_view text(str ? str : "", static_cast<std::size_t>(count));

    gdi::EffectiveFormat ef = gdi::SplitFormat(format, params && params->iTabLength > 0 ? params->iTabLength : 8);
    UINT f = ef.format;
    const bool calc = (f & DT_CALCRECT) != 0;
    if (calc) f &= ~(DT_VCENTER | DT_BOTTOM);

    std::shared_ptr<gdi::Font> font = gdi::LogicalFont(*dc);
    const TEXTMETRICA& tm = font->Metrics();
    const int leftMargin = params ? params->iLeftMargin : 0;
    const int rightMargin = params ? params->iRightMargin : 0;
    RECT area = *rect;
    area.left += leftMargin;
    area.right -= rightMargin;

    gdi::LayoutParams lp;
    lp.format = f;
    lp.width = area.right - area.left;
    lp.height = area.bottom - area.top;
    lp.lineHeight = tm.tmHeight + ((f & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
    lp.aveCharWidth = tm.tmAveCharWidth;
    lp.tabLength = ef.tabLength;
    lp.charExtra = dc->State().textCharacterExtra;

    // One layout buffer reused call after call: measuring is the hot path
    // of menus and page composition.
    static gdi::TextLayout layout;
    FontAdvances advances(*font);
    gdi::LayoutText(text, lp, advances, layout);
    if (params) params->uiLengthDrawn = static_cast<UINT>(count);

    if (calc) {
        rect->right = area.left + layout.maxWidth + rightMargin;
        rect->bottom = area.top + layout.height;
        return layout.height;
    }

    const RECT* clip = (f & DT_NOCLIP) ? nullptr : &area;
    const UINT options = clip ? ETO_CLIPPED : 0;
    const UINT savedAlign = dc->State().textAlign;
    dc->SetTextAlign(TA_LEFT | TA_TOP);
    std::string lineText;
    std::vector<INT> dx;
    for (const gdi::LayoutLine& line : layout.lines) {
        if (!line.visible) continue;
        const int x = area.left + line.xOffset;
        const int y = area.top + line.yOffset;
        if (!(f & DT_PREFIXONLY)) DrawLine(*dc, layout, line, x, y, options, clip, lineText, dx);
        if (!(f & DT_HIDEPREFIX)) DrawPrefixUnderline(*dc, *font, layout, line, x, y, clip);
    }
    dc->SetTextAlign(savedAlign);
    return layout.height;
}

}  // namespace

int DrawTextA(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format) {
    return DrawTextImpl(dc, text, count, rect, format, nullptr);
}

int DrawTextExA(HDC dc, LPSTR text, int count, LPRECT rect, UINT format, DRAWTEXTPARAMS* params) {
    return DrawTextImpl(dc, text, count, rect, format, params);
}

}  // namespace win32
