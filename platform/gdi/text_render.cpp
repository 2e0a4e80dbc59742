#include "platform/gdi/text_render.h"

#include <algorithm>

namespace win32::gdi {
namespace {

inline Pixel Blend(Pixel dst, Pixel src, unsigned a) {
    if (a == 255) return src;
    const unsigned na = 255 - a;
    unsigned r = (((src >> 16) & 0xFF) * a + ((dst >> 16) & 0xFF) * na + 127) / 255;
    unsigned g = (((src >> 8) & 0xFF) * a + ((dst >> 8) & 0xFF) * na + 127) / 255;
    unsigned b = ((src & 0xFF) * a + (dst & 0xFF) * na + 127) / 255;
    return (r << 16) | (g << 8) | b;
}

// Composes one glyph image with its top-left at (gx, gy), inside `box`.
void ComposeGlyph(Surface& s, const GlyphImage& g, int gx, int gy, const RECT& box, Pixel color, bool twoColour) {
    const int x0 = std::max<int>(gx, box.left);
    const int y0 = std::max<int>(gy, box.top);
    const int x1 = std::min<int>(gx + g.width, box.right);
    const int y1 = std::min<int>(gy + g.height, box.bottom);
    for (int y = y0; y < y1; ++y) {
        const std::uint8_t* src = g.coverage.data() + static_cast<std::size_t>(y - gy) * g.width + (x0 - gx);
        Pixel* dst = s.Row(y) + x0;
        for (int x = x0; x < x1; ++x, ++src, ++dst) {
            if (twoColour) {
                if (*src >= 128) *dst = color;
            } else if (*src) {
                *dst = Blend(*dst, color, *src);
            }
        }
    }
}

RECT Intersect(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

void FillClipped(Surface& surface, const Region& clip, const RECT& r, COLORREF color) {
    const Pixel p = PixelFromColor(color);
    const RECT bounds{0, 0, surface.Width(), surface.Height()};
    for (const RECT& c : clip.Rects()) {
        RECT part = Intersect(Intersect(c, r), bounds);
        if (Empty(part)) continue;
        surface.Fill(part, p);
        surface.MarkDirty(part);
    }
}

void RenderRun(Surface& surface, const Region& clip, Font& font, const PlacedRun& run, COLORREF color,
               Coverage coverage) {
    if (surface.Empty() || clip.IsEmpty()) return;
    const Pixel p = PixelFromColor(color);
    const RECT surfaceBounds{0, 0, surface.Width(), surface.Height()};
    const RECT clipBounds = Intersect(clip.Bounds(), surfaceBounds);
    if (Empty(clipBounds)) return;
    const std::vector<RECT>& rects = clip.Rects();
    RECT touched{0, 0, 0, 0};
    // Characters whose cell lies wholly outside the clip are not rendered
    // at all; a generous margin covers glyphs that overhang their cell.
    const TEXTMETRICA& tm = font.Metrics();
    const int margin = tm.tmMaxCharWidth + tm.tmHeight;
    if (run.baselineY + tm.tmDescent + margin < clipBounds.top ||
        run.baselineY - tm.tmAscent - margin > clipBounds.bottom) {
        return;
    }
    for (std::size_t i = 0; i < run.chars.size(); ++i) {
        const char32_t c = run.chars[i];
        if (run.penX[i] + margin < clipBounds.left || run.penX[i] - margin > clipBounds.right) continue;
        // Blanks and control characters (a tab, a line break shown on one
        // line) leave no ink.
        if (c <= ' ' || c == 0x3000 || c == 0x7F) continue;
        const GlyphImage* g = font.Glyph(c);
        if (!g || g->width == 0 || g->height == 0) continue;
        const int gx = run.penX[i] + g->left;
        const int gy = run.baselineY - g->top;
        const RECT glyphBox{gx, gy, gx + g->width, gy + g->height};
        const RECT visible = Intersect(glyphBox, clipBounds);
        if (Empty(visible)) continue;
        for (const RECT& c2 : rects) {
            if (c2.top >= glyphBox.bottom) break;  // bands are sorted by top
            RECT part = Intersect(Intersect(c2, glyphBox), surfaceBounds);
            if (Empty(part)) continue;
            ComposeGlyph(surface, *g, gx, gy, part, p, coverage == Coverage::TwoColour);
        }
        if (Empty(touched)) {
            touched = visible;
        } else {
            touched = RECT{std::min(touched.left, visible.left), std::min(touched.top, visible.top),
                           std::max(touched.right, visible.right), std::max(touched.bottom, visible.bottom)};
        }
    }
    if (!Empty(touched)) surface.MarkDirty(touched);
    const LOGFONTA& lf = font.LogFont();
    if (lf.lfUnderline && run.endX > run.startX) {
        const int top = run.baselineY + font.UnderlineOffset();
        FillClipped(surface, clip, RECT{run.startX, top, run.endX, top + font.UnderlineThickness()}, color);
    }
    if (lf.lfStrikeOut && run.endX > run.startX) {
        const int top = run.baselineY - font.StrikeoutOffset();
        FillClipped(surface, clip, RECT{run.startX, top, run.endX, top + font.StrikeoutThickness()}, color);
    }
}

}  // namespace win32::gdi
