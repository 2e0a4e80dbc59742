#include "platform/user/frame_glyphs.h"

#include <algorithm>

#include "platform/gdi/wingdi.h"
#include "platform/user/winuser.h"

namespace win32::user {
namespace {

void Dot(HDC dc, int x, int y, int w, int h, HBRUSH brush) {
    RECT r{x, y, x + w, y + h};
    FillRect(dc, &r, brush);
}

void Glyph(HDC dc, const RECT& r, FrameGlyph glyph, HBRUSH brush) {
    int w = r.right - r.left, h = r.bottom - r.top;
    int cx = r.left + w / 2, cy = r.top + h / 2;
    switch (glyph) {
        case FrameGlyph::Close: {
            // Two thick diagonals of a little cross.
            int s = std::min(w, h) / 2 - 2;
            if (s < 2) s = 2;
            for (int i = -s / 2; i <= s / 2; ++i) {
                Dot(dc, cx + i - 1, cy + i - 1, 2, 1, brush);
                Dot(dc, cx - i - 1, cy + i - 1, 2, 1, brush);
            }
            break;
        }
        case FrameGlyph::Minimize: Dot(dc, cx - 3, r.bottom - 5, 6, 2, brush); break;
        case FrameGlyph::Maximize: {
            RECT box{cx - 4, cy - 4, cx + 5, cy + 4};
            FrameRect(dc, &box, brush);
            Dot(dc, box.left, box.top + 1, box.right - box.left, 1, brush);
            break;
        }
        case FrameGlyph::Restore: {
            RECT back{cx - 2, cy - 4, cx + 4, cy + 1};
            RECT front{cx - 4, cy - 1, cx + 2, cy + 4};
            FrameRect(dc, &back, brush);
            FillRect(dc, &front, GetSysColorBrush(COLOR_BTNFACE));
            FrameRect(dc, &front, brush);
            break;
        }
        case FrameGlyph::ArrowUp:
        case FrameGlyph::ArrowDown:
            for (int i = 0; i < 4; ++i) {
                int y = glyph == FrameGlyph::ArrowUp ? cy - 2 + i : cy + 1 - i;
                Dot(dc, cx - i, y, 2 * i + 1, 1, brush);
            }
            break;
        case FrameGlyph::ArrowLeft:
        case FrameGlyph::ArrowRight:
            for (int i = 0; i < 4; ++i) {
                int x = glyph == FrameGlyph::ArrowLeft ? cx - 2 + i : cx + 1 - i;
                Dot(dc, x, cy - i, 1, 2 * i + 1, brush);
            }
            break;
    }
}

}  // namespace

void DrawFrameButton(HDC dc, const RECT& rect, FrameGlyph glyph, bool pushed, bool inactive) {
    RECT r = rect;
    if (r.right <= r.left || r.bottom <= r.top) return;
    DrawEdge(dc, &r, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | (pushed ? BF_FLAT : 0));
    RECT g = rect;
    if (pushed) {
        g.left += 1;
        g.top += 1;
        g.right += 1;
        g.bottom += 1;
    }
    if (inactive) {
        RECT shadow{g.left + 1, g.top + 1, g.right + 1, g.bottom + 1};
        Glyph(dc, shadow, glyph, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
        Glyph(dc, g, glyph, GetSysColorBrush(COLOR_GRAYTEXT));
    } else {
        Glyph(dc, g, glyph, GetSysColorBrush(COLOR_BTNTEXT));
    }
}

}  // namespace win32::user
