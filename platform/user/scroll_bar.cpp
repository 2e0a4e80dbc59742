// Standard scroll bars: range, page and position; painting in the classic
// look; the mouse loop with arrows, page areas and thumb tracking that
// sends WM_VSCROLL/WM_HSCROLL.
#include "platform/user/scroll_bar.h"

#include <algorithm>

#include "platform/gdi/wingdi.h"
#include "platform/user/def_window_proc.h"
#include "platform/user/frame_glyphs.h"
#include "platform/user/frame_layout.h"

namespace win32 {
namespace user {
namespace {

ScrollBarState* StateOf(Window* w, int bar) {
    if (!w) return nullptr;
    if (bar == SB_VERT) return &w->vscroll;
    if (bar == SB_HORZ) return &w->hscroll;
    return nullptr;
}

int MaxPos(const ScrollBarState& s) {
    int span = s.page > 0 ? static_cast<int>(s.page) - 1 : 0;
    return std::max(s.min, s.max - span);
}

void RedrawBar(HWND hwnd, int bar) {
    Window* w = Wm().Find(hwnd);
    if (!w || !IsReallyVisible(w)) return;
    FrameLayout f = ComputeFrameLayout(w);
    RECT r = bar == SB_VERT ? f.vscroll : f.hscroll;
    if (IsRectEmptyValue(r)) return;
    HDC dc = GetWindowDC(hwnd);
    if (!dc) return;
    PaintScrollBar(hwnd, dc, bar, r);
    ReleaseDC(hwnd, dc);
}

bool In(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

}  // namespace

ScrollBarParts ScrollBarGeometry(const Window* w, int bar, const RECT& barRect) {
    ScrollBarParts p;
    p.bar = barRect;
    bool vertical = bar == SB_VERT;
    const ScrollBarState& s = vertical ? w->vscroll : w->hscroll;
    int length = vertical ? barRect.bottom - barRect.top : barRect.right - barRect.left;
    int arrow = std::min(GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL), length / 2);
    int start = vertical ? barRect.top : barRect.left;
    if (vertical) {
        p.arrowStart = RECT{barRect.left, barRect.top, barRect.right, barRect.top + arrow};
        p.arrowEnd = RECT{barRect.left, barRect.bottom - arrow, barRect.right, barRect.bottom};
    } else {
        p.arrowStart = RECT{barRect.left, barRect.top, barRect.left + arrow, barRect.bottom};
        p.arrowEnd = RECT{barRect.right - arrow, barRect.top, barRect.right, barRect.bottom};
    }
    p.trackStart = start + arrow;
    p.trackLength = length - 2 * arrow;
    int range = s.max - s.min + 1;
    int minThumb = GetSystemMetrics(vertical ? SM_CYVTHUMB : SM_CXHTHUMB) / 2;
    if (range <= 1 || p.trackLength < minThumb || MaxPos(s) <= s.min || (s.disabledArrows & ESB_DISABLE_BOTH) == ESB_DISABLE_BOTH)
        return p;
    int thumb = s.page > 0 ? static_cast<int>(static_cast<long long>(s.page) * p.trackLength / range)
                           : GetSystemMetrics(vertical ? SM_CYVTHUMB : SM_CXHTHUMB);
    thumb = std::clamp(thumb, minThumb, p.trackLength);
    int pos = s.tracking ? s.trackPos : s.pos;
    int offset = static_cast<int>(static_cast<long long>(pos - s.min) * (p.trackLength - thumb) / (MaxPos(s) - s.min));
    offset = std::clamp(offset, 0, p.trackLength - thumb);
    p.thumbLength = thumb;
    if (vertical) p.thumb = RECT{barRect.left, p.trackStart + offset, barRect.right, p.trackStart + offset + thumb};
    else p.thumb = RECT{p.trackStart + offset, barRect.top, p.trackStart + offset + thumb, barRect.bottom};
    return p;
}

void PaintScrollBar(HWND hwnd, HDC dc, int bar, const RECT& barRect) {
    Window* w = Wm().Find(hwnd);
    if (!w) return;
    ScrollBarParts p = ScrollBarGeometry(w, bar, barRect);
    bool vertical = bar == SB_VERT;
    const ScrollBarState& s = vertical ? w->vscroll : w->hscroll;
    bool inactive = IsRectEmptyValue(p.thumb);
    DrawFrameButton(dc, p.arrowStart, vertical ? FrameGlyph::ArrowUp : FrameGlyph::ArrowLeft, false,
                    inactive || (s.disabledArrows & ESB_DISABLE_LEFT));
    DrawFrameButton(dc, p.arrowEnd, vertical ? FrameGlyph::ArrowDown : FrameGlyph::ArrowRight, false,
                    inactive || (s.disabledArrows & ESB_DISABLE_RIGHT));
    RECT track = vertical ? RECT{barRect.left, p.trackStart, barRect.right, p.trackStart + p.trackLength}
                          : RECT{p.trackStart, barRect.top, p.trackStart + p.trackLength, barRect.bottom};
    if (!IsRectEmptyValue(track)) FillRect(dc, &track, GetSysColorBrush(COLOR_SCROLLBAR));
    if (!inactive) {
        RECT thumb = p.thumb;
        DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    }
}

namespace {

enum class Part { None, ArrowStart, ArrowEnd, PageStart, PageEnd, Thumb };

Part PartAt(const ScrollBarParts& p, bool vertical, POINT pt) {
    if (In(p.arrowStart, pt)) return Part::ArrowStart;
    if (In(p.arrowEnd, pt)) return Part::ArrowEnd;
    if (IsRectEmptyValue(p.thumb)) return Part::None;
    if (In(p.thumb, pt)) return Part::Thumb;
    if (!In(p.bar, pt)) return Part::None;
    int along = vertical ? pt.y : pt.x;
    int thumbStart = vertical ? p.thumb.top : p.thumb.left;
    return along < thumbStart ? Part::PageStart : Part::PageEnd;
}

WORD CodeOf(Part part) {
    switch (part) {
        case Part::ArrowStart: return SB_LINEUP;
        case Part::ArrowEnd: return SB_LINEDOWN;
        case Part::PageStart: return SB_PAGEUP;
        case Part::PageEnd: return SB_PAGEDOWN;
        default: return SB_ENDSCROLL;
    }
}

constexpr UINT_PTR kRepeatTimer = 0xFFFB;

}  // namespace

void TrackScrollBar(HWND hwnd, int bar, POINT screenPt) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    if (!w) return;
    bool vertical = bar == SB_VERT;
    UINT scrollMsg = vertical ? WM_VSCROLL : WM_HSCROLL;
    FrameLayout f = ComputeFrameLayout(w);
    RECT barRect = vertical ? f.vscroll : f.hscroll;
    POINT o = WindowOrigin(w);
    POINT pt{screenPt.x - o.x, screenPt.y - o.y};
    ScrollBarParts parts = ScrollBarGeometry(w, bar, barRect);
    Part part = PartAt(parts, vertical, pt);
    if (part == Part::None) return;
    int grab = vertical ? pt.y - parts.thumb.top : pt.x - parts.thumb.left;
    SetCapture(hwnd);
    if (part == Part::Thumb) {
        ScrollBarState* s = StateOf(w, bar);
        s->tracking = true;
        s->trackPos = s->pos;
    } else {
        Send(hwnd, scrollMsg, CodeOf(part), 0);
        SetTimer(hwnd, kRepeatTimer, 400, nullptr);
    }
    MSG msg;
    POINT last = pt;
    for (;;) {
        if (GetCapture() != hwnd) break;
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!(w = wm.Find(hwnd))) return;
        o = WindowOrigin(w);
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) last = POINT{msg.pt.x - o.x, msg.pt.y - o.y};
        if (msg.message == WM_TIMER && msg.hwnd == hwnd && msg.wParam == kRepeatTimer) {
            SetTimer(hwnd, kRepeatTimer, 50, nullptr);
            parts = ScrollBarGeometry(w, bar, barRect);
            if (PartAt(parts, vertical, last) == part) Send(hwnd, scrollMsg, CodeOf(part), 0);
            continue;
        }
        if (msg.message == WM_MOUSEMOVE && part == Part::Thumb) {
            ScrollBarState* s = StateOf(w, bar);
            int along = (vertical ? last.y : last.x) - grab - parts.trackStart;
            int room = parts.trackLength - parts.thumbLength;
            int pos = room > 0 ? s->min + static_cast<int>(static_cast<long long>(along) * (MaxPos(*s) - s->min) / room) : s->min;
            pos = std::clamp(pos, s->min, MaxPos(*s));
            if (pos != s->trackPos) {
                s->trackPos = pos;
                RedrawBar(hwnd, bar);
                Send(hwnd, scrollMsg, MAKEWPARAM(SB_THUMBTRACK, static_cast<WORD>(pos)), 0);
            }
            continue;
        }
        if (msg.message == WM_LBUTTONUP) break;
        if (msg.message == WM_MOUSEMOVE || (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST)) {
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) break;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (!wm.Find(hwnd)) return;
    KillTimer(hwnd, kRepeatTimer);
    if (GetCapture() == hwnd) ReleaseCapture();
    if (!(w = wm.Find(hwnd))) return;
    if (part == Part::Thumb) {
        ScrollBarState* s = StateOf(w, bar);
        int pos = s->trackPos;
        s->tracking = false;
        Send(hwnd, scrollMsg, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(pos)), 0);
    }
    if (wm.Find(hwnd)) Send(hwnd, scrollMsg, SB_ENDSCROLL, 0);
    RedrawBar(hwnd, bar);
}

}  // namespace user

using namespace user;

int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw) {
    Window* w = Wm().Find(hwnd);
    ScrollBarState* s = StateOf(w, bar);
    if (!s || !info) return 0;
    if (info->fMask & SIF_RANGE) {
        s->min = info->nMin;
        s->max = std::max(info->nMin, info->nMax);
    }
    if (info->fMask & SIF_PAGE) s->page = std::min<UINT>(info->nPage, static_cast<UINT>(s->max - s->min + 1));
    if (info->fMask & SIF_POS) s->pos = info->nPos;
    s->pos = std::clamp(s->pos, s->min, MaxPos(*s));
    if (redraw) RedrawBar(hwnd, bar);
    return s->pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info) {
    Window* w = Wm().Find(hwnd);
    ScrollBarState* s = StateOf(w, bar);
    if (!s || !info) return FALSE;
    if (info->fMask & SIF_RANGE) {
        info->nMin = s->min;
        info->nMax = s->max;
    }
    if (info->fMask & SIF_PAGE) info->nPage = s->page;
    if (info->fMask & SIF_POS) info->nPos = s->pos;
    if (info->fMask & SIF_TRACKPOS) info->nTrackPos = s->tracking ? s->trackPos : s->pos;
    return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
    Window* w = Wm().Find(hwnd);
    ScrollBarState* s = StateOf(w, bar);
    if (!s) return 0;
    int old = s->pos;
    SCROLLINFO si{sizeof(si), SIF_POS, 0, 0, 0, pos, 0};
    SetScrollInfo(hwnd, bar, &si, redraw);
    return old;
}

int GetScrollPos(HWND hwnd, int bar) {
    ScrollBarState* s = StateOf(Wm().Find(hwnd), bar);
    return s ? s->pos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw) {
    if (!StateOf(Wm().Find(hwnd), bar)) return FALSE;
    SCROLLINFO si{sizeof(si), SIF_RANGE, minPos, maxPos, 0, 0, 0};
    SetScrollInfo(hwnd, bar, &si, redraw);
    return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, LPINT minPos, LPINT maxPos) {
    ScrollBarState* s = StateOf(Wm().Find(hwnd), bar);
    if (!s) return FALSE;
    if (minPos) *minPos = s->min;
    if (maxPos) *maxPos = s->max;
    return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
    Window* w = Wm().Find(hwnd);
    if (!w || bar == SB_CTL) return FALSE;
    DWORD bits = bar == SB_VERT ? WS_VSCROLL : bar == SB_HORZ ? WS_HSCROLL : (WS_VSCROLL | WS_HSCROLL);
    DWORD style = show ? (w->style | bits) : (w->style & ~bits);
    if (style == w->style) return TRUE;
    w->style = style;
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
    Window* w = Wm().Find(hwnd);
    if (!w) return FALSE;
    if (bar == SB_VERT || bar == SB_BOTH) w->vscroll.disabledArrows = arrows;
    if (bar == SB_HORZ || bar == SB_BOTH) w->hscroll.disabledArrows = arrows;
    if (bar == SB_VERT || bar == SB_BOTH) RedrawBar(hwnd, SB_VERT);
    if (bar == SB_HORZ || bar == SB_BOTH) RedrawBar(hwnd, SB_HORZ);
    return TRUE;
}

}  // namespace win32
