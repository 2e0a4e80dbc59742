// DefWindowProcA: the default answer to every message. Each case unpacks
// the message and calls a handler; the frame, system commands and the
// modal move/size loop live in their own files.
#include "platform/gdi/wingdi.h"
#include "platform/user/def_window_proc.h"
#include "platform/user/frame_layout.h"
#include "platform/user/window_text.h"

namespace win32 {
namespace user {
namespace {

LRESULT OnNcCalcSize(HWND hwnd, BOOL calcValid, LPARAM lParam) {
    Window* w = Wm().Find(hwnd);
    if (!w || !lParam) return 0;
    RECT* r = calcValid ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
    FrameLayout f = ComputeFrameLayout(w, SIZE{r->right - r->left, r->bottom - r->top});
    RECT client{r->left + f.client.left, r->top + f.client.top, r->left + f.client.right, r->top + f.client.bottom};
    *r = client;
    return 0;
}

LRESULT OnNcHitTest(HWND hwnd, LPARAM lParam) {
    Window* w = Wm().Find(hwnd);
    if (!w) return HTNOWHERE;
    POINT o = WindowOrigin(w);
    return DefaultHitTest(w, POINT{GET_X_LPARAM(lParam) - o.x, GET_Y_LPARAM(lParam) - o.y});
}

LRESULT OnSetText(HWND hwnd, LPARAM lParam) {
    Window* w = Wm().Find(hwnd);
    if (!w) return FALSE;
    const char* text = reinterpret_cast<const char*>(lParam);
    w->text = text ? text : "";
    if (w->host) {
        if (backend::Backend* b = Wm().Backend()) b->SetHostTitle(w->host, w->text);
    }
    if (HasCaption(w->style) && IsReallyVisible(w)) PaintCaption(hwnd);
    return TRUE;
}

LRESULT OnGetText(HWND hwnd, WPARAM size, LPARAM lParam) {
    Window* w = Wm().Find(hwnd);
    if (!w || !lParam || size == 0) return 0;
    return CopyTextOut(w->text, reinterpret_cast<char*>(lParam), size);
}

LRESULT OnGetTextLength(HWND hwnd) {
    Window* w = Wm().Find(hwnd);
    return w ? static_cast<LRESULT>(w->text.size()) : 0;
}

LRESULT OnEraseBackground(HWND hwnd, HDC dc) {
    Window* w = Wm().Find(hwnd);
    if (!w || !w->cls || !w->cls->background || !dc) return 0;
    HBRUSH brush = w->cls->background;
    UINT_PTR value = reinterpret_cast<UINT_PTR>(brush);
    // (HBRUSH)(COLOR_x + 1) names a system colour, as in Win32.
    if (value > 0 && value <= static_cast<UINT_PTR>(COLOR_MAX_INDEX)) brush = GetSysColorBrush(static_cast<int>(value - 1));
    RECT r{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    FillRect(dc, &r, brush);
    return 1;
}

LRESULT OnPaint(HWND hwnd) {
    PAINTSTRUCT ps;
    if (BeginPaint(hwnd, &ps)) EndPaint(hwnd, &ps);
    return 0;
}

LRESULT OnNcPaint(HWND hwnd) {
    Window* w = Wm().Find(hwnd);
    if (!w || !IsReallyVisible(w)) return 0;
    HDC dc = GetWindowDC(hwnd);
    if (!dc) return 0;
    PaintFrame(hwnd, dc);
    ReleaseDC(hwnd, dc);
    return 0;
}

LRESULT OnNcActivate(HWND hwnd, WPARAM active) {
    Window* w = Wm().Find(hwnd);
    if (!w) return TRUE;
    w->frameActive = active != 0;
    if (HasCaption(w->style) && IsReallyVisible(w)) PaintCaption(hwnd);
    return TRUE;
}

LRESULT OnActivate(HWND hwnd, WPARAM wParam) {
    Window* w = Wm().Find(hwnd);
    if (w && LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam) && !(w->style & WS_MINIMIZE)) SetFocus(hwnd);
    return 0;
}

LRESULT OnMouseActivate(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    Window* w = Wm().Find(hwnd);
    if (w && IsChildWindow(w)) {
        LRESULT r = Send(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
        if (r) return r;
    }
    return MA_ACTIVATE;
}

HCURSOR CursorForHit(LRESULT hit) {
    switch (hit) {
        case HTLEFT:
        case HTRIGHT: return LoadCursorA(nullptr, IDC_SIZEWE);
        case HTTOP:
        case HTBOTTOM: return LoadCursorA(nullptr, IDC_SIZENS);
        case HTTOPLEFT:
        case HTBOTTOMRIGHT: return LoadCursorA(nullptr, IDC_SIZENWSE);
        case HTTOPRIGHT:
        case HTBOTTOMLEFT: return LoadCursorA(nullptr, IDC_SIZENESW);
        default: return LoadCursorA(nullptr, IDC_ARROW);
    }
}

LRESULT OnSetCursor(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    Window* w = Wm().Find(hwnd);
    if (!w) return FALSE;
    if (IsChildWindow(w) && Send(w->parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
    if (!(w = Wm().Find(hwnd))) return FALSE;
    LRESULT hit = static_cast<SHORT>(LOWORD(lParam));
    UINT msg = HIWORD(lParam);
    if (hit == HTERROR) {
        bool press = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN;
        if (press) {
            MessageBeep(0);
            // A click on a window disabled by its modal pop-up brings the pop-up up.
            HWND popup = GetLastActivePopup(hwnd);
            if (popup && popup != hwnd) SetActiveWindow(popup);
        }
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        return TRUE;
    }
    if (hit == HTCLIENT) {
        if (w->cls && w->cls->cursor) {
            SetCursor(w->cls->cursor);
            return TRUE;
        }
        return FALSE;
    }
    SetCursor(CursorForHit(hit));
    return TRUE;
}

LRESULT OnWindowPosChanging(HWND hwnd, LPARAM lParam) {
    Window* w = Wm().Find(hwnd);
    WINDOWPOS* pos = reinterpret_cast<WINDOWPOS*>(lParam);
    if (!w || !pos || (pos->flags & SWP_NOSIZE)) return 0;
    bool limited = (w->style & WS_THICKFRAME) || !(w->style & (WS_POPUP | WS_CHILD));
    if (!limited || (w->style & (WS_MINIMIZE | WS_MAXIMIZE))) return 0;
    MINMAXINFO mmi = QueryMinMaxInfo(hwnd);
    if (pos->cx > mmi.ptMaxTrackSize.x) pos->cx = mmi.ptMaxTrackSize.x;
    if (pos->cy > mmi.ptMaxTrackSize.y) pos->cy = mmi.ptMaxTrackSize.y;
    if (pos->cx < mmi.ptMinTrackSize.x) pos->cx = mmi.ptMinTrackSize.x;
    if (pos->cy < mmi.ptMinTrackSize.y) pos->cy = mmi.ptMinTrackSize.y;
    return 0;
}

LRESULT OnWindowPosChanged(HWND hwnd, LPARAM lParam) {
    Window* w = Wm().Find(hwnd);
    const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
    if (!w || !pos) return 0;
    if (!(pos->flags & SWP_NOCLIENTSIZE)) {
        WPARAM kind = (w->style & WS_MINIMIZE) ? SIZE_MINIMIZED : (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
        Send(hwnd, WM_SIZE, kind,
             MAKELPARAM(static_cast<WORD>(w->client.right - w->client.left),
                        static_cast<WORD>(w->client.bottom - w->client.top)));
        if (!(w = Wm().Find(hwnd))) return 0;
    }
    if (!(pos->flags & SWP_NOCLIENTMOVE)) {
        Send(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(w->client.left), static_cast<WORD>(w->client.top)));
    }
    return 0;
}

LRESULT OnControlColor(UINT msg, HDC dc) {
    bool windowColoured = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
    int background = windowColoured ? COLOR_WINDOW : msg == WM_CTLCOLORSCROLLBAR ? COLOR_SCROLLBAR : COLOR_3DFACE;
    if (dc) {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(windowColoured ? COLOR_WINDOW : COLOR_3DFACE));
    }
    return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

LRESULT PassToParent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = Wm().Find(hwnd);
    if (w && IsChildWindow(w)) return Send(w->parent, msg, wParam, lParam);
    return 0;
}

LRESULT OnCancelMode(HWND hwnd) {
    if (Wm().capture == hwnd) ReleaseCapture();
    return 0;
}

LRESULT OnSetIcon(HWND hwnd, WPARAM which, LPARAM icon) {
    Window* w = Wm().Find(hwnd);
    if (!w) return 0;
    HICON& slot = which == ICON_BIG ? w->iconBig : w->iconSmall;
    HICON old = slot;
    slot = reinterpret_cast<HICON>(icon);
    if (old != slot) PaintCaption(hwnd);  // the caption shows the new icon at once
    return reinterpret_cast<LRESULT>(old);
}

LRESULT OnGetIcon(HWND hwnd, WPARAM which) {
    Window* w = Wm().Find(hwnd);
    if (!w) return 0;
    return reinterpret_cast<LRESULT>(which == ICON_BIG ? w->iconBig : w->iconSmall);
}

LRESULT OnSetRedraw(HWND hwnd, WPARAM on) {
    Window* w = Wm().Find(hwnd);
    if (w) w->redrawOff = !on;
    return 0;
}

}  // namespace
}  // namespace user

using namespace user;

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!Wm().Find(hwnd)) return 0;
    switch (msg) {
        case WM_NCCREATE: return TRUE;
        case WM_NCCALCSIZE: return OnNcCalcSize(hwnd, static_cast<BOOL>(wParam), lParam);
        case WM_NCHITTEST: return OnNcHitTest(hwnd, lParam);
        case WM_NCPAINT: return OnNcPaint(hwnd);
        case WM_NCACTIVATE: return OnNcActivate(hwnd, wParam);
        case WM_ACTIVATE: return OnActivate(hwnd, wParam);
        case WM_MOUSEACTIVATE: return OnMouseActivate(hwnd, wParam, lParam);
        case WM_SETCURSOR: return OnSetCursor(hwnd, wParam, lParam);
        case WM_SETTEXT: return OnSetText(hwnd, lParam);
        case WM_GETTEXT: return OnGetText(hwnd, wParam, lParam);
        case WM_GETTEXTLENGTH: return OnGetTextLength(hwnd);
        case WM_ERASEBKGND: return OnEraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
        case WM_PAINT: return OnPaint(hwnd);
        case WM_WINDOWPOSCHANGING: return OnWindowPosChanging(hwnd, lParam);
        case WM_WINDOWPOSCHANGED: return OnWindowPosChanged(hwnd, lParam);
        case WM_CLOSE: DestroyWindow(hwnd); return 0;
        case WM_SYSCOMMAND: return OnSysCommand(hwnd, wParam, lParam);
        case WM_NCLBUTTONDOWN: return OnNcLButtonDown(hwnd, wParam, lParam);
        case WM_NCLBUTTONDBLCLK: return OnNcLButtonDblClk(hwnd, wParam, lParam);
        case WM_NCRBUTTONUP: return OnNcRButtonUp(hwnd, wParam, lParam);
        case WM_RBUTTONUP: return OnRButtonUp(hwnd, lParam);
        case WM_CONTEXTMENU: return PassToParent(hwnd, msg, wParam, lParam);
        case WM_MOUSEWHEEL: return PassToParent(hwnd, msg, wParam, lParam);
        case WM_SYSKEYDOWN: return OnSysKeyDown(hwnd, wParam, lParam);
        case WM_SYSKEYUP: return OnSysKeyUp(hwnd, wParam, lParam);
        case WM_KEYUP: return OnKeyUp(hwnd, wParam, lParam);
        case WM_SYSCHAR: return OnSysChar(hwnd, wParam, lParam);
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC: return OnControlColor(msg, reinterpret_cast<HDC>(wParam));
        case WM_CANCELMODE: return OnCancelMode(hwnd);
        case WM_SETICON: return OnSetIcon(hwnd, wParam, lParam);
        case WM_GETICON: return OnGetIcon(hwnd, wParam);
        case WM_SETREDRAW: return OnSetRedraw(hwnd, wParam);
        case WM_QUERYENDSESSION: return TRUE;
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM: return -1;
        default: return 0;
    }
}

}  // namespace win32
