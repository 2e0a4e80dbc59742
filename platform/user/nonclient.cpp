// The non-client area's geometry: frame layout, WM_NCCALCSIZE, hit testing
// and the WM_GETMINMAXINFO defaults.
#include "platform/user/frame_layout.h"
#include "platform/user/menu_bridge.h"

namespace win32::user {

namespace {

bool In(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

BorderKind BorderOf(DWORD style, DWORD exStyle) {
    if (style & WS_THICKFRAME) return BorderKind::Sizing;
    if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) return BorderKind::Dialog;
    if (style & WS_BORDER) return BorderKind::Thin;
    return BorderKind::None;
}

}  // namespace

bool HasCaption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

int FrameWidth(DWORD style, DWORD exStyle) {
    switch (BorderOf(style, exStyle)) {
        case BorderKind::Sizing: return GetSystemMetrics(SM_CXFRAME);
        case BorderKind::Dialog: return GetSystemMetrics(SM_CXDLGFRAME);
        case BorderKind::Thin: return GetSystemMetrics(SM_CXBORDER);
        case BorderKind::None: return 0;
    }
    return 0;
}

FrameLayout ComputeFrameLayout(const Window* w, SIZE size) {
    FrameLayout f;
    RECT r{0, 0, size.cx, size.cy};
    if (w->style & WS_MINIMIZE) {
        f.client = RECT{0, 0, 0, 0};
        return f;
    }
    f.border = BorderOf(w->style, w->exStyle);
    f.borderWidth = FrameWidth(w->style, w->exStyle);
    r.left += f.borderWidth;
    r.top += f.borderWidth;
    r.right -= f.borderWidth;
    r.bottom -= f.borderWidth;
    if (HasCaption(w->style)) {
        f.hasCaption = true;
        f.smallCaption = (w->exStyle & WS_EX_TOOLWINDOW) != 0;
        int height = GetSystemMetrics(f.smallCaption ? SM_CYSMCAPTION : SM_CYCAPTION);
        f.caption = RECT{r.left, r.top, r.right, r.top + height - 1};
        r.top += height;
        int bw = GetSystemMetrics(f.smallCaption ? SM_CXSMSIZE : SM_CXSIZE) - 2;
        int bh = GetSystemMetrics(f.smallCaption ? SM_CYSMSIZE : SM_CYSIZE) - 4;
        int top = f.caption.top + (f.caption.bottom - f.caption.top - bh) / 2;
        int right = f.caption.right - 2;
        if (w->style & WS_SYSMENU) {
            f.closeButton = RECT{right - bw, top, right, top + bh};
            right -= bw + 2;
            if (!f.smallCaption && (w->style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX))) {
                f.maxButton = RECT{right - bw, top, right, top + bh};
                f.minButton = RECT{right - 2 * bw, top, right - bw, top + bh};
            }
            if (!f.smallCaption) {
                int icon = GetSystemMetrics(SM_CXSMICON);
                f.sysMenu = RECT{f.caption.left + 1, f.caption.top, f.caption.left + 1 + icon + 2, f.caption.bottom};
            }
        }
    }
    if (!(w->style & WS_CHILD) && w->id) {
        int height = menu::MenuBarHeight(w->hwnd, r.right - r.left);
        if (height > 0) {
            f.menuBar = RECT{r.left, r.top, r.right, r.top + height - 1};
            r.top += height;
        }
    }
    if (w->exStyle & WS_EX_CLIENTEDGE) f.edgeWidth = 2;
    else if (w->exStyle & WS_EX_STATICEDGE) f.edgeWidth = 1;
    r.left += f.edgeWidth;
    r.top += f.edgeWidth;
    r.right -= f.edgeWidth;
    r.bottom -= f.edgeWidth;
    int sbw = GetSystemMetrics(SM_CXVSCROLL), sbh = GetSystemMetrics(SM_CYHSCROLL);
    bool v = (w->style & WS_VSCROLL) && r.right - r.left >= sbw;
    bool h = (w->style & WS_HSCROLL) && r.bottom - r.top >= sbh;
    if (v) {
        f.vscroll = RECT{r.right - sbw, r.top, r.right, r.bottom - (h ? sbh : 0)};
        r.right -= sbw;
    }
    if (h) {
        f.hscroll = RECT{r.left, r.bottom - sbh, r.right, r.bottom};
        r.bottom -= sbh;
    }
    if (v && h) f.sizeBox = RECT{f.vscroll.left, f.hscroll.top, f.vscroll.right, f.hscroll.bottom};
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    f.client = r;
    return f;
}

LRESULT DefaultHitTest(const Window* w, POINT p) {
    SIZE size{w->window.right - w->window.left, w->window.bottom - w->window.top};
    if (!In(RECT{0, 0, size.cx, size.cy}, p)) return HTNOWHERE;
    if (w->style & WS_MINIMIZE) return HTCAPTION;
    RECT client = ClientInWindow(w);
    if (In(client, p)) return HTCLIENT;
    FrameLayout f = ComputeFrameLayout(w, size);
    int b = f.borderWidth;
    if (f.border == BorderKind::Sizing && !(w->style & WS_MAXIMIZE)) {
        int corner = GetSystemMetrics(SM_CYCAPTION) + b;
        bool left = p.x < b, right = p.x >= size.cx - b, top = p.y < b, bottom = p.y >= size.cy - b;
        if (left || right || top || bottom) {
            if (top) return p.x < corner ? HTTOPLEFT : p.x >= size.cx - corner ? HTTOPRIGHT : HTTOP;
            if (bottom) return p.x < corner ? HTBOTTOMLEFT : p.x >= size.cx - corner ? HTBOTTOMRIGHT : HTBOTTOM;
            if (left) return p.y < corner ? HTTOPLEFT : p.y >= size.cy - corner ? HTBOTTOMLEFT : HTLEFT;
            return p.y < corner ? HTTOPRIGHT : p.y >= size.cy - corner ? HTBOTTOMRIGHT : HTRIGHT;
        }
    } else if (b > 0 && (p.x < b || p.y < b || p.x >= size.cx - b || p.y >= size.cy - b)) {
        return HTBORDER;
    }
    if (f.hasCaption && p.y >= f.caption.top && p.y <= f.caption.bottom) {
        if (In(f.closeButton, p)) return HTCLOSE;
        if (In(f.maxButton, p)) return HTMAXBUTTON;
        if (In(f.minButton, p)) return HTMINBUTTON;
        if (In(f.sysMenu, p)) return HTSYSMENU;
        return HTCAPTION;
    }
    if (In(RECT{f.menuBar.left, f.menuBar.top, f.menuBar.right, f.menuBar.bottom + 1}, p)) return HTMENU;
    if (In(f.sizeBox, p)) return (w->style & WS_THICKFRAME) ? HTBOTTOMRIGHT : HTSIZE;
    if (In(f.vscroll, p)) return HTVSCROLL;
    if (In(f.hscroll, p)) return HTHSCROLL;
    return HTBORDER;
}

RECT ComputeClientRect(HWND hwnd, const RECT& window) {
    NCCALCSIZE_PARAMS params{};
    params.rgrc[0] = window;
    Send(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&params.rgrc[0]));
    RECT r = params.rgrc[0];
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

MINMAXINFO DefaultMinMaxInfo(HWND hwnd) {
    MINMAXINFO mmi{};
    Window* w = Wm().Find(hwnd);
    RECT work{0, 0, 0, 0};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int border = w ? FrameWidth(w->style, w->exStyle) : GetSystemMetrics(SM_CXFRAME);
    if (w && (w->style & WS_CHILD)) {
        Window* parent = Wm().Find(w->parent);
        if (parent) work = RECT{0, 0, parent->client.right - parent->client.left, parent->client.bottom - parent->client.top};
    }
    mmi.ptMaxSize = POINT{work.right - work.left + 2 * border, work.bottom - work.top + 2 * border};
    mmi.ptMaxPosition = POINT{work.left - border, work.top - border};
    mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    mmi.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    return mmi;
}

MINMAXINFO QueryMinMaxInfo(HWND hwnd) {
    MINMAXINFO mmi = DefaultMinMaxInfo(hwnd);
    Send(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    return mmi;
}

}  // namespace win32::user

namespace win32 {

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
    if (!rect) return FALSE;
    int b = user::FrameWidth(style, exStyle);
    int edge = (exStyle & WS_EX_CLIENTEDGE) ? 2 : (exStyle & WS_EX_STATICEDGE) ? 1 : 0;
    rect->left -= b + edge;
    rect->right += b + edge;
    rect->top -= b + edge;
    rect->bottom += b + edge;
    if (user::HasCaption(style))
        rect->top -= GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    if (menu) rect->top -= GetSystemMetrics(SM_CYMENU);
    return TRUE;
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) { return AdjustWindowRectEx(rect, style, menu, 0); }

}  // namespace win32
