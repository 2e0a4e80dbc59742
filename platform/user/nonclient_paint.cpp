// Painting the classic frame: sizing or dialog border, caption band with
// its buttons, menu bar, client edge and scroll bars.
#include "platform/gdi/wingdi.h"
#include "platform/user/frame_glyphs.h"
#include "platform/user/frame_layout.h"
#include "platform/user/menu_bridge.h"
#include "platform/user/scroll_bar.h"

namespace win32::user {
namespace {

void FillRing(HDC dc, const RECT& outer, int width, HBRUSH brush) {
    if (width <= 0) return;
    RECT top{outer.left, outer.top, outer.right, outer.top + width};
    RECT bottom{outer.left, outer.bottom - width, outer.right, outer.bottom};
    RECT left{outer.left, outer.top + width, outer.left + width, outer.bottom - width};
    RECT right{outer.right - width, outer.top + width, outer.right, outer.bottom - width};
    FillRect(dc, &top, brush);
    FillRect(dc, &bottom, brush);
    FillRect(dc, &left, brush);
    FillRect(dc, &right, brush);
}

void PaintBorder(HDC dc, const Window* w, const FrameLayout& f) {
    RECT r{0, 0, w->window.right - w->window.left, w->window.bottom - w->window.top};
    switch (f.border) {
        case BorderKind::Sizing: {
            DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
            int fill = COLOR_INACTIVEBORDER;
            if (w->frameActive) fill = COLOR_ACTIVEBORDER;
            FillRing(dc, r, f.borderWidth - 2, GetSysColorBrush(fill));
            break;
        }
        case BorderKind::Dialog:
            DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
            FillRing(dc, r, f.borderWidth - 2, GetSysColorBrush(COLOR_3DFACE));
            break;
        case BorderKind::Thin: FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME)); break;
        case BorderKind::None: break;
    }
}

// The caption text in the caption font, left-aligned, ending before the
// buttons with an ellipsis when it does not fit.
void PaintCaptionText(HDC dc, const Window* w, const FrameLayout& f) {
    if (w->text.empty()) return;
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof(ncm);
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) return;
    HFONT font = CreateFontIndirectA(f.smallCaption ? &ncm.lfSmCaptionFont : &ncm.lfCaptionFont);
    if (!font) return;
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(w->frameActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    RECT text = f.caption;
    text.left = IsRectEmptyValue(f.sysMenu) ? text.left + 2 : f.sysMenu.right + 2;
    int right = text.right;
    for (const RECT* b : {&f.closeButton, &f.maxButton, &f.minButton}) {
        if (!IsRectEmptyValue(*b) && b->left < right) right = b->left;
    }
    text.right = right - 2;
    DrawTextA(dc, w->text.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteObject(font);
}

// The small icon in the window menu's place: the window's own, else its
// class's.
void PaintCaptionIcon(HDC dc, const Window* w, const FrameLayout& f) {
    if (IsRectEmptyValue(f.sysMenu)) return;
    HICON icon = w->iconSmall ? w->iconSmall : w->iconBig;
    if (!icon && w->cls) icon = w->cls->iconSmall ? w->cls->iconSmall : w->cls->icon;
    if (!icon) return;
    int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    int x = f.sysMenu.left + (f.sysMenu.right - f.sysMenu.left - cx) / 2;
    int y = f.sysMenu.top + (f.sysMenu.bottom - f.sysMenu.top - cy) / 2;
    DrawIconEx(dc, x, y, icon, cx, cy, 0, nullptr, DI_NORMAL);
}

void PaintCaptionBand(HDC dc, const Window* w, const FrameLayout& f) {
    if (!f.hasCaption) return;
    RECT band = f.caption;
    FillRect(dc, &band, GetSysColorBrush(w->frameActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    RECT line{band.left, band.bottom, band.right, band.bottom + 1};
    FillRect(dc, &line, GetSysColorBrush(COLOR_3DFACE));
    PaintCaptionIcon(dc, w, f);
    PaintCaptionText(dc, w, f);
    bool maximized = (w->style & WS_MAXIMIZE) != 0, minimized = (w->style & WS_MINIMIZE) != 0;
    DrawFrameButton(dc, f.closeButton, FrameGlyph::Close, false, w->cls && (w->cls->style & CS_NOCLOSE));
    DrawFrameButton(dc, f.maxButton, maximized ? FrameGlyph::Restore : FrameGlyph::Maximize, false,
                    !(w->style & WS_MAXIMIZEBOX));
    DrawFrameButton(dc, f.minButton, minimized ? FrameGlyph::Restore : FrameGlyph::Minimize, false,
                    !(w->style & WS_MINIMIZEBOX));
}

}  // namespace

void PaintFrame(HWND hwnd, HDC dc) {
    Window* w = Wm().Find(hwnd);
    if (!w) return;
    FrameLayout f = ComputeFrameLayout(w);
    PaintBorder(dc, w, f);
    PaintCaptionBand(dc, w, f);
    if (!IsRectEmptyValue(f.menuBar)) {
        RECT line{f.menuBar.left, f.menuBar.bottom, f.menuBar.right, f.menuBar.bottom + 1};
        FillRect(dc, &line, GetSysColorBrush(COLOR_3DFACE));
        menu::PaintMenuBar(hwnd, dc, f.menuBar);
        if (!(w = Wm().Find(hwnd))) return;
    }
    if (f.edgeWidth > 0) {
        RECT c = f.client;
        RECT edge{c.left - f.edgeWidth, c.top - f.edgeWidth, c.right + f.edgeWidth, c.bottom + f.edgeWidth};
        if (!IsRectEmptyValue(f.vscroll)) edge.right += f.vscroll.right - f.vscroll.left;
        if (!IsRectEmptyValue(f.hscroll)) edge.bottom += f.hscroll.bottom - f.hscroll.top;
        DrawEdge(dc, &edge, f.edgeWidth == 2 ? EDGE_SUNKEN : BDR_SUNKENOUTER, BF_RECT);
    }
    if (!IsRectEmptyValue(f.vscroll)) PaintScrollBar(hwnd, dc, SB_VERT, f.vscroll);
    if (!IsRectEmptyValue(f.hscroll)) PaintScrollBar(hwnd, dc, SB_HORZ, f.hscroll);
    if (!IsRectEmptyValue(f.sizeBox)) FillRect(dc, &f.sizeBox, GetSysColorBrush(COLOR_3DFACE));
}

void PaintCaption(HWND hwnd) {
    Window* w = Wm().Find(hwnd);
    if (!w || !IsReallyVisible(w)) return;
    HDC dc = GetWindowDC(hwnd);
    if (!dc) return;
    FrameLayout f = ComputeFrameLayout(w);
    PaintCaptionBand(dc, w, f);
    if (f.border == BorderKind::Sizing) PaintBorder(dc, w, f);
    ReleaseDC(hwnd, dc);
}

}  // namespace win32::user
