// The classic look's edges: DrawEdge with its two-colour rings, the dotted
// focus rectangle, and the system colour brushes they paint with.
#include <array>

#include "platform/gdi/dc.h"
#include "platform/gdi/system_colors.h"

namespace win32 {

using namespace gdi;

HBRUSH GetSysColorBrush(int index) {
    static std::array<HGDIOBJ, 31> brushes{};
    if (index < 0 || index > 30) return nullptr;
    if (!brushes[static_cast<std::size_t>(index)] || !FindObject(brushes[static_cast<std::size_t>(index)])) {
        auto b = BrushObject::SysColor(index);
        b->MarkStock();
        brushes[static_cast<std::size_t>(index)] = AddObject(std::move(b));
    }
    return static_cast<HBRUSH>(brushes[static_cast<std::size_t>(index)]);
}

namespace {

// The colours of one ring: top-left and bottom-right, or none.
struct Ring {
    int topLeft = -1;
    int bottomRight = -1;
};

Ring OuterRing(UINT edge, UINT flags) {
    Ring r;
    bool raised = edge & BDR_RAISEDOUTER, sunken = edge & BDR_SUNKENOUTER;
    if (!raised && !sunken) return r;
    if (flags & BF_MONO) return Ring{kColorWindowFrame, kColorWindowFrame};
    if (flags & BF_FLAT) return Ring{kColorBtnShadow, kColorBtnShadow};
    bool soft = flags & BF_SOFT;
    if (raised) return Ring{soft ? kColorBtnHighlight : kColor3dLight, kColor3dDkShadow};
    return Ring{soft ? kColor3dDkShadow : kColorBtnShadow, kColorBtnHighlight};
}

Ring InnerRing(UINT edge, UINT flags) {
    Ring r;
    bool raised = edge & BDR_RAISEDINNER, sunken = edge & BDR_SUNKENINNER;
    if (!raised && !sunken) return r;
    if (flags & BF_MONO) return Ring{kColorWindow, kColorWindow};
    if (flags & BF_FLAT) return Ring{kColorBtnFace, kColorBtnFace};
    bool soft = flags & BF_SOFT;
    if (raised) return Ring{soft ? kColor3dLight : kColorBtnHighlight, kColorBtnShadow};
    return Ring{soft ? kColorBtnShadow : kColor3dDkShadow, kColor3dLight};
}

void Fill(DeviceContext* d, const RECT& r, int color) {
    if (r.right > r.left && r.bottom > r.top) d->PatBlt(r, GetSysColorBrush(color), PATCOPY);
}

// One ring along the chosen sides of r. The bottom and right lines run the
// full length; the top and left lines stop short of a drawn bottom or right
// line, so the lower-right colour owns the two far corners.
void DrawRing(DeviceContext* d, const RECT& r, const Ring& ring, UINT flags) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    LONG rightEnd = (flags & BF_RIGHT) ? r.right - 1 : r.right;
    LONG bottomEnd = (flags & BF_BOTTOM) ? r.bottom - 1 : r.bottom;
    if (flags & BF_TOP) Fill(d, RECT{r.left, r.top, rightEnd, r.top + 1}, ring.topLeft);
    if (flags & BF_LEFT) Fill(d, RECT{r.left, r.top, r.left + 1, bottomEnd}, ring.topLeft);
    if (flags & BF_BOTTOM) Fill(d, RECT{r.left, r.bottom - 1, r.right, r.bottom}, ring.bottomRight);
    if (flags & BF_RIGHT) Fill(d, RECT{r.right - 1, r.top, r.right, r.bottom}, ring.bottomRight);
}

RECT Shrink(const RECT& r, UINT flags) {
    RECT s = r;
    if (flags & BF_LEFT) ++s.left;
    if (flags & BF_TOP) ++s.top;
    if (flags & BF_RIGHT) --s.right;
    if (flags & BF_BOTTOM) --s.bottom;
    return s;
}

// Diagonal edges: a line of the outer colour from one corner to the other
// (the end named by the flags), inner ring one pixel inside.
void DrawDiagonal(DeviceContext* d, RECT& rect, UINT edge, UINT flags) {
    Ring outer = OuterRing(edge, flags), inner = InnerRing(edge, flags);
    int w = rect.right - rect.left, h = rect.bottom - rect.top;
    int n = w < h ? w : h;
    bool endTop = flags & BF_TOP, endRight = flags & BF_RIGHT;
    // Lines ending top-right or bottom-left are lit (top-left colour).
    bool lit = (endTop && endRight) || (!endTop && !endRight);
    auto line = [&](const Ring& ring, int inset) {
        if (ring.topLeft < 0) return;
        int color = lit ? ring.topLeft : ring.bottomRight;
        for (int i = inset; i < n; ++i) {
            int x = endRight ? rect.left + i : rect.right - 1 - i;
            int y = endTop ? rect.bottom - 1 - i + inset : rect.top + i - inset;
            Fill(d, RECT{x, y, x + 1, y + 1}, color);
        }
    };
    line(outer, 0);
    line(inner, 1);
    if (flags & BF_MIDDLE) {
        // The triangle on the inner side of the diagonal.
        for (int i = 0; i < n; ++i) {
            int y = endTop ? rect.bottom - 1 - i : rect.top + i;
            int x0 = endRight ? rect.left + i + 1 : rect.left;
            int x1 = endRight ? rect.right : rect.right - 1 - i;
            if ((flags & BF_LEFT) == 0 && !endRight) {
                x0 = rect.right - 1 - i + 1;
                x1 = rect.right;
            }
            Fill(d, RECT{x0, y, x1, y + 1}, (flags & BF_MONO) ? kColorWindow : kColorBtnFace);
        }
    }
}

}  // namespace

BOOL DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags) {
    DeviceContext* d = FindDC(dc);
    if (!d || !rect) return FALSE;
    RECT r = *rect;
    if (flags & BF_DIAGONAL) {
        DrawDiagonal(d, r, edge, flags);
        return TRUE;
    }
    Ring outer = OuterRing(edge, flags);
    Ring inner = InnerRing(edge, flags);
    // A single ring, outer or inner, lies on the rectangle's border.
    if (outer.topLeft >= 0) {
        DrawRing(d, r, outer, flags);
        r = Shrink(r, flags);
    }
    if (inner.topLeft >= 0) {
        DrawRing(d, r, inner, flags);
        r = Shrink(r, flags);
    }
    if (flags & BF_MIDDLE) Fill(d, r, (flags & BF_MONO) ? kColorWindow : kColorBtnFace);
    if (flags & BF_ADJUST) *rect = r;
    return TRUE;
}

BOOL DrawFocusRect(HDC dc, const RECT* rect) {
    DeviceContext* d = FindDC(dc);
    if (!d || !rect) return FALSE;
    RECT r = *rect;
    if (r.right <= r.left || r.bottom <= r.top) return TRUE;
    // Every other pixel of the border, starting at the top-left corner,
    // inverted: drawing the same rectangle twice removes it.
    static HGDIOBJ dots = [] {
        const WORD rows[8] = {0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555};
        HBITMAP bmp = CreateBitmap(8, 8, 1, 1, rows);
        HBRUSH b = CreatePatternBrush(bmp);
        DeleteObject(bmp);
        if (GdiObject* o = FindObject(b)) o->MarkStock();
        return static_cast<HGDIOBJ>(b);
    }();
    DcStateSaver saver(dc);
    // The pattern's 1 bits take the background colour: white, so PATINVERT
    // flips them; its 0 bits take black and leave the pixels alone.
    d->SetTextColor(0x000000);
    d->SetBkColor(0xFFFFFF);
    POINT org = d->ToDevice(POINT{r.left, r.top});
    d->SetBrushOrg(org);
    HBRUSH brush = static_cast<HBRUSH>(dots);
    d->PatBlt(RECT{r.left, r.top, r.right, r.top + 1}, brush, PATINVERT);
    if (r.bottom - r.top > 1) d->PatBlt(RECT{r.left, r.bottom - 1, r.right, r.bottom}, brush, PATINVERT);
    if (r.bottom - r.top > 2) {
        d->PatBlt(RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1}, brush, PATINVERT);
        if (r.right - r.left > 1) d->PatBlt(RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1}, brush, PATINVERT);
    }
    return TRUE;
}

}  // namespace win32
