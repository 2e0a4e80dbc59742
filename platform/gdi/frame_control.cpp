// DrawFrameControl: caption buttons, check boxes and radio buttons, scroll
// arrows and menu glyphs in the classic look. The glyphs are drawn as
// pixel runs in logical units, centred in the control.
#include <algorithm>
#include <cmath>

#include "platform/gdi/dc.h"
#include "platform/gdi/system_colors.h"

namespace win32 {

using namespace gdi;

namespace {

class Painter {
public:
    explicit Painter(DeviceContext* dc) : dc_(dc) {}
    void Fill(const RECT& r, int color) {
        if (r.right > r.left && r.bottom > r.top) dc_->PatBlt(r, GetSysColorBrush(color), PATCOPY);
    }
    void Pixel(int x, int y, int color) { Fill(RECT{x, y, x + 1, y + 1}, color); }
    void Run(int x0, int x1, int y, int color) { Fill(RECT{x0, y, x1, y + 1}, color); }

private:
    DeviceContext* dc_;
};

// The classic check mark, 7 x 7.
const char* const kCheckMark[7] = {
    "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#....",
};

void DrawBitmapGlyph(Painter& p, const char* const* rows, int h, int x, int y, int color) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; rows[j][i]; ++i)
            if (rows[j][i] == '#') p.Pixel(x + i, y + j, color);
}

RECT Centre(const RECT& r, int w, int h) {
    int x = r.left + ((r.right - r.left) - w) / 2;
    int y = r.top + ((r.bottom - r.top) - h) / 2;
    return RECT{x, y, x + w, y + h};
}

// The face of a push-style button; returns the area inside its edges.
RECT ButtonFace(HDC dc, const RECT& rect, UINT state) {
    RECT r = rect;
    UINT flags = BF_RECT | BF_MIDDLE | BF_SOFT | BF_ADJUST;
    if (state & DFCS_MONO) flags |= BF_MONO;
    else if (state & DFCS_FLAT) flags |= BF_FLAT;
    UINT edge = (state & (DFCS_PUSHED | DFCS_CHECKED)) ? EDGE_SUNKEN : EDGE_RAISED;
    if ((state & DFCS_FLAT) && !(state & DFCS_PUSHED)) edge = BDR_SUNKENOUTER;
    DrawEdge(dc, &r, edge, flags);
    return r;
}

// Draws a glyph twice when the control is inactive: highlight one pixel
// down-right, then grey; otherwise once in the text colour.
template <class F>
void Glyph(UINT state, F&& draw) {
    if (state & DFCS_INACTIVE) {
        draw(1, kColorBtnHighlight);
        draw(0, kColorBtnShadow);
    } else {
        draw(0, kColorBtnText);
    }
}

void CaptionGlyph(Painter& p, const RECT& face, UINT kind, UINT state) {
    int w = face.right - face.left, h = face.bottom - face.top;
    // A 16 x 14 button has a 12 x 10 face and a cross 8 wide, 7 high.
    int n = std::max(1, std::min(w, h) - 3);
    int shift = (state & DFCS_PUSHED) ? 1 : 0;
    switch (kind) {
    case DFCS_CAPTIONCLOSE: {
        // A cross of two-pixel strokes, n rows high and n + 1 wide.
        RECT g = Centre(face, n + 1, n);
        Glyph(state, [&](int o, int c) {
            for (int i = 0; i < n; ++i) {
                int y = g.top + i + shift + o;
                p.Run(g.left + i + shift + o, g.left + i + 2 + shift + o, y, c);
                p.Run(g.right - i - 2 + shift + o, g.right - i + shift + o, y, c);
            }
        });
        break;
    }
    case DFCS_CAPTIONMIN: {
        int bw = std::max(2, n - 1);
        RECT g = Centre(face, bw, n);
        Glyph(state, [&](int o, int c) {
            p.Fill(RECT{g.left + shift + o, g.bottom - 2 + shift + o, g.right + shift + o, g.bottom + shift + o}, c);
        });
        break;
    }
    case DFCS_CAPTIONMAX: {
        RECT g = Centre(face, n + 2, n);
        Glyph(state, [&](int o, int c) {
            RECT q{g.left + shift + o, g.top + shift + o, g.right + shift + o, g.bottom + shift + o};
            p.Fill(RECT{q.left, q.top, q.right, q.top + 2}, c);
            p.Fill(RECT{q.left, q.bottom - 1, q.right, q.bottom}, c);
            p.Fill(RECT{q.left, q.top, q.left + 1, q.bottom}, c);
            p.Fill(RECT{q.right - 1, q.top, q.right, q.bottom}, c);
        });
        break;
    }
    case DFCS_CAPTIONRESTORE: {
        RECT g = Centre(face, n + 2, n);
        int s = std::max(3, (n * 2) / 3);
        Glyph(state, [&](int o, int c) {
            auto frame = [&](int x, int y) {
                RECT q{x + shift + o, y + shift + o, x + s + 1 + shift + o, y + s + shift + o};
                p.Fill(RECT{q.left, q.top, q.right, q.top + 2}, c);
                p.Fill(RECT{q.left, q.bottom - 1, q.right, q.bottom}, c);
                p.Fill(RECT{q.left, q.top, q.left + 1, q.bottom}, c);
                p.Fill(RECT{q.right - 1, q.top, q.right, q.bottom}, c);
            };
            frame(g.right - s - 1, g.top);
            // The front window covers the back one.
            p.Fill(RECT{g.left + shift + o, g.bottom - s + shift + o, g.left + s + 1 + shift + o, g.bottom + shift + o},
                   kColorBtnFace);
            frame(g.left, g.bottom - s);
        });
        break;
    }
    case DFCS_CAPTIONHELP: {
        static const char* const q[7] = {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."};
        RECT g = Centre(face, 5, 7);
        Glyph(state, [&](int o, int c) { DrawBitmapGlyph(p, q, 7, g.left + shift + o, g.top + shift + o, c); });
        break;
    }
    default: break;
    }
}

void Triangle(Painter& p, const RECT& face, UINT dir, UINT state, int shift) {
    int w = face.right - face.left, h = face.bottom - face.top;
    // A 16 x 16 button (12 x 12 face) has an arrow 7 wide and 4 deep.
    int base = std::max(3, (std::min(w, h) / 2) | 1);
    int height = (base + 1) / 2;
    bool vertical = dir == DFCS_SCROLLUP || dir == DFCS_SCROLLDOWN || dir == DFCS_SCROLLCOMBOBOX;
    RECT g = vertical ? Centre(face, base, height) : Centre(face, height, base);
    Glyph(state, [&](int o, int c) {
        for (int i = 0; i < height; ++i) {
            int len = base - 2 * i;
            switch (dir) {
            case DFCS_SCROLLUP: p.Run(g.left + i + shift + o, g.left + i + len + shift + o, g.bottom - 1 - i + shift + o, c); break;
            case DFCS_SCROLLDOWN:
            case DFCS_SCROLLCOMBOBOX:
                p.Run(g.left + i + shift + o, g.left + i + len + shift + o, g.top + i + shift + o, c);
                break;
            case DFCS_SCROLLLEFT:
                p.Fill(RECT{g.right - 1 - i + shift + o, g.top + i + shift + o, g.right - i + shift + o,
                            g.top + i + len + shift + o},
                       c);
                break;
            case DFCS_SCROLLRIGHT:
                p.Fill(RECT{g.left + i + shift + o, g.top + i + shift + o, g.left + i + 1 + shift + o,
                            g.top + i + len + shift + o},
                       c);
                break;
            }
        }
    });
}

BOOL DrawScroll(HDC dc, Painter& p, RECT& rect, UINT state) {
    UINT kind = state & 0xFF;
    if (kind == DFCS_SCROLLSIZEGRIP || kind == DFCS_SCROLLSIZEGRIPRIGHT) {
        p.Fill(rect, kColorBtnFace);
        // Three diagonal ridges toward the lower-right corner: counted by
        // the distance s from the corner, a highlight line then two shadow
        // lines, then a gap.
        int n = std::min(rect.right - rect.left, rect.bottom - rect.top);
        for (int j = 0; j < n; ++j) {
            for (int i = 0; i < n; ++i) {
                int dist = i + j;
                if (dist < 1 || dist > 12) continue;
                int phase = (dist - 1) % 4;
                if (phase == 3) continue;
                p.Pixel(rect.right - 1 - i, rect.bottom - 1 - j, phase == 0 ? kColorBtnHighlight : kColorBtnShadow);
            }
        }
        return TRUE;
    }
    RECT face;
    int shift = 0;
    if (state & DFCS_PUSHED) {
        // A pressed scroll arrow is flat with its glyph moved down-right.
        RECT r = rect;
        DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_FLAT | BF_ADJUST);
        face = r;
        shift = 1;
    } else {
        face = ButtonFace(dc, rect, state & ~DFCS_CHECKED);
    }
    Triangle(p, face, kind, state, shift);
    if (state & DFCS_ADJUSTRECT) rect = face;
    return TRUE;
}

BOOL DrawButton(HDC dc, Painter& p, RECT& rect, UINT state) {
    UINT kind = state & 0xFF;
    if (kind & DFCS_BUTTONPUSH) {
        RECT face = ButtonFace(dc, rect, state);
        if (state & DFCS_ADJUSTRECT) rect = face;
        return TRUE;
    }
    int side = std::min(rect.right - rect.left, rect.bottom - rect.top);
    if (side <= 0) return TRUE;
    RECT box = Centre(rect, side, side);
    bool dim = state & (DFCS_PUSHED | DFCS_INACTIVE);
    if (kind == DFCS_BUTTONRADIO || kind == DFCS_BUTTONRADIOIMAGE || kind == DFCS_BUTTONRADIOMASK) {
        double c = (side - 1) / 2.0, outer = side / 2.0;
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                double d = std::hypot(x - c, y - c);
                if (d > outer) continue;
                int color;
                if (kind == DFCS_BUTTONRADIOMASK) {
                    color = kColorWindowText;
                } else if (d > outer - 1) {
                    color = (x + y < side - 1) ? kColorBtnShadow : kColorBtnHighlight;
                } else if (d > outer - 2) {
                    color = (x + y < side - 1) ? kColor3dDkShadow : kColor3dLight;
                } else {
                    color = dim ? kColorBtnFace : kColorWindow;
                }
                p.Pixel(box.left + x, box.top + y, color);
            }
        }
        if ((state & DFCS_CHECKED) && kind != DFCS_BUTTONRADIOMASK) {
            double r = std::max(1.0, side / 6.0);
            for (int y = 0; y < side; ++y)
                for (int x = 0; x < side; ++x)
                    if (std::hypot(x - c, y - c) <= r + 0.25)
                        p.Pixel(box.left + x, box.top + y, (state & DFCS_INACTIVE) ? kColorBtnShadow : kColorWindowText);
        }
        return TRUE;
    }
    // Check box (two-state or three-state).
    RECT r = box;
    UINT flags = BF_RECT | BF_ADJUST;
    if (state & DFCS_MONO) flags |= BF_MONO;
    else if (state & DFCS_FLAT) flags |= BF_FLAT;
    DrawEdge(dc, &r, EDGE_SUNKEN, flags);
    bool indeterminate = kind == DFCS_BUTTON3STATE && (state & DFCS_CHECKED);
    p.Fill(r, (dim || indeterminate) ? kColorBtnFace : kColorWindow);
    if (state & DFCS_CHECKED) {
        RECT g = Centre(r, 7, 7);
        int color = (state & DFCS_INACTIVE) || indeterminate ? kColorBtnShadow : kColorWindowText;
        DrawBitmapGlyph(p, kCheckMark, 7, g.left, g.top, color);
    }
    return TRUE;
}

BOOL DrawMenuGlyph(Painter& p, const RECT& rect, UINT state) {
    // Menu glyphs are masks: black on white, for the caller to blit.
    p.Fill(rect, kColorWindow);
    int color = kColorWindowText;
    switch (state & 0xFF) {
    case DFCS_MENUCHECK: {
        RECT g = Centre(rect, 7, 7);
        DrawBitmapGlyph(p, kCheckMark, 7, g.left, g.top, color);
        break;
    }
    case DFCS_MENUBULLET: {
        static const char* const dot[6] = {".##.", "####", "####", ".##.", nullptr, nullptr};
        RECT g = Centre(rect, 4, 4);
        DrawBitmapGlyph(p, dot, 4, g.left, g.top, color);
        break;
    }
    case DFCS_MENUARROW:
    case DFCS_MENUARROWRIGHT: {
        RECT g = Centre(rect, 4, 7);
        bool left = (state & 0xFF) == DFCS_MENUARROWRIGHT;
        for (int i = 0; i < 4; ++i) {
            int x = left ? g.right - 1 - i : g.left + i;
            p.Fill(RECT{x, g.top + i, x + 1, g.bottom - i}, color);
        }
        break;
    }
    default: break;
    }
    return TRUE;
}

}  // namespace

BOOL DrawFrameControl(HDC dc, LPRECT rect, UINT type, UINT state) {
    DeviceContext* d = FindDC(dc);
    if (!d || !rect) return FALSE;
    if (rect->right <= rect->left || rect->bottom <= rect->top) return FALSE;
    Painter p(d);
    switch (type) {
    case DFC_CAPTION: {
        RECT face = ButtonFace(dc, *rect, state & ~DFCS_CHECKED);
        CaptionGlyph(p, face, state & 0xFF, state);
        if (state & DFCS_ADJUSTRECT) *rect = face;
        return TRUE;
    }
    case DFC_BUTTON: return DrawButton(dc, p, *rect, state);
    case DFC_SCROLL: return DrawScroll(dc, p, *rect, state);
    case DFC_MENU:
    case DFC_POPUPMENU: return DrawMenuGlyph(p, *rect, state);
    default: return FALSE;
    }
}

}  // namespace win32
