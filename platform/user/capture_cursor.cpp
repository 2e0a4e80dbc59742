// Mouse capture, the cursor position and the cursor shape.
#include "platform/user/input.h"

namespace win32 {
namespace user {
namespace {

// Standard cursors are fixed values outside every handle table.
constexpr UINT_PTR kStandardCursorTag = 0xF0000000u;

HCURSOR StandardCursor(UINT id) { return reinterpret_cast<HCURSOR>(kStandardCursorTag | id); }

backend::CursorShape ShapeOf(HCURSOR cursor) {
    UINT_PTR v = reinterpret_cast<UINT_PTR>(cursor);
    if ((v & 0xFFFF0000u) != kStandardCursorTag) return backend::CursorShape::Arrow;
    switch (v & 0xFFFF) {
        case 32513: return backend::CursorShape::IBeam;
        case 32514: return backend::CursorShape::Wait;
        case 32515: return backend::CursorShape::Cross;
        case 32516: return backend::CursorShape::UpArrow;
        case 32642: return backend::CursorShape::SizeNWSE;
        case 32643: return backend::CursorShape::SizeNESW;
        case 32644: return backend::CursorShape::SizeWE;
        case 32645: return backend::CursorShape::SizeNS;
        case 32640:
        case 32646: return backend::CursorShape::SizeAll;
        case 32648: return backend::CursorShape::No;
        case 32649: return backend::CursorShape::Hand;
        case 32650: return backend::CursorShape::AppStarting;
        case 32651: return backend::CursorShape::Help;
        default: return backend::CursorShape::Arrow;
    }
}

void ApplyCursorShape() {
    WindowManager& wm = Wm();
    backend::Backend* b = wm.Backend();
    if (!b) return;
    if (wm.cursorShowCount < 0 || !wm.cursor) b->SetCursorShape(backend::CursorShape::Hidden);
    else b->SetCursorShape(ShapeOf(wm.cursor));
}

}  // namespace

bool IsStandardCursor(HCURSOR cursor) {
    return (reinterpret_cast<UINT_PTR>(cursor) & 0xFFFF0000u) == kStandardCursorTag;
}

void ReleaseCaptureOf(HWND hwnd) {
    WindowManager& wm = Wm();
    if (wm.capture && (wm.capture == hwnd || IsDescendant(hwnd, wm.capture))) ReleaseCapture();
}

void CancelTrackingOf(HWND hwnd) {
    WindowManager& wm = Wm();
    if (wm.tracked.hwnd == hwnd) wm.tracked = TrackedMouse{};
}

}  // namespace user

using namespace user;

HWND SetCapture(HWND hwnd) {
    WindowManager& wm = Wm();
    HWND previous = wm.capture;
    Window* w = wm.Find(hwnd);
    if (!w) return previous;
    if (previous == hwnd) return previous;
    wm.capture = hwnd;
    if (backend::Backend* b = wm.Backend()) {
        Window* top = wm.Find(TopLevelOf(hwnd));
        b->GrabPointer(top ? top->host : 0);
    }
    if (previous && wm.Find(previous)) Send(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return previous;
}

BOOL ReleaseCapture() {
    WindowManager& wm = Wm();
    HWND previous = wm.capture;
    wm.capture = nullptr;
    if (previous) {
        if (backend::Backend* b = wm.Backend()) b->GrabPointer(0);
        if (wm.Find(previous)) Send(previous, WM_CAPTURECHANGED, 0, 0);
    }
    return TRUE;
}

HWND GetCapture() {
    WindowManager& wm = Wm();
    return wm.Find(wm.capture) ? wm.capture : nullptr;
}

BOOL GetCursorPos(LPPOINT pt) {
    if (!pt) return FALSE;
    *pt = Wm().cursorPos;
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    WindowManager& wm = Wm();
    SIZE s = wm.ScreenSize();
    POINT pt{x < 0 ? 0 : (x >= s.cx ? s.cx - 1 : x), y < 0 ? 0 : (y >= s.cy ? s.cy - 1 : y)};
    if (backend::Backend* b = wm.Backend()) b->SetCursorPos(pt);
    InputEvent e;
    e.kind = InputKind::MouseMove;
    e.pt = pt;
    QueueInput(e);
    return TRUE;
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
    if (instance || !IS_INTRESOURCE(name)) return nullptr;
    UINT id = static_cast<UINT>(reinterpret_cast<UINT_PTR>(name));
    switch (id) {
        case 32512: case 32513: case 32514: case 32515: case 32516: case 32640: case 32641: case 32642:
        case 32643: case 32644: case 32645: case 32646: case 32648: case 32649: case 32650: case 32651:
            return StandardCursor(id);
        default: return nullptr;
    }
}

HCURSOR SetCursor(HCURSOR cursor) {
    WindowManager& wm = Wm();
    HCURSOR previous = wm.cursor;
    wm.cursor = cursor;
    if (previous != cursor) ApplyCursorShape();
    return previous;
}

HCURSOR GetCursor() { return Wm().cursor; }

int ShowCursor(BOOL show) {
    WindowManager& wm = Wm();
    wm.cursorShowCount += show ? 1 : -1;
    ApplyCursorShape();
    return wm.cursorShowCount;
}

BOOL ClipCursor(const RECT*) { return TRUE; }

UINT GetDoubleClickTime() { return Wm().doubleClickTime; }

BOOL SetDoubleClickTime(UINT ms) {
    Wm().doubleClickTime = ms ? ms : 500;
    return TRUE;
}

BOOL SwapMouseButton(BOOL) { return FALSE; }

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT track) {
    WindowManager& wm = Wm();
    if (!track || track->cbSize != sizeof(TRACKMOUSEEVENT)) return FALSE;
    if (track->dwFlags & TME_QUERY) {
        track->dwFlags = wm.tracked.flags;
        track->hwndTrack = wm.tracked.hwnd;
        track->dwHoverTime = wm.tracked.hoverTime;
        return TRUE;
    }
    if (!wm.Find(track->hwndTrack)) return FALSE;
    if (track->dwFlags & TME_CANCEL) {
        if (wm.tracked.hwnd == track->hwndTrack) wm.tracked = TrackedMouse{};
        return TRUE;
    }
    wm.tracked = TrackedMouse{track->hwndTrack, track->dwFlags, track->dwHoverTime, wm.Now(), wm.cursorPos};
    // Tracking a window the pointer is not over reports the leave at once.
    LRESULT hit = HTNOWHERE;
    HWND under = WindowAtPoint(wm.cursorPos, &hit);
    bool nonClient = (track->dwFlags & TME_NONCLIENT) != 0;
    if ((track->dwFlags & TME_LEAVE) && (under != track->hwndTrack || (hit == HTCLIENT) == nonClient)) {
        wm.tracked = TrackedMouse{};
        PostMessageA(track->hwndTrack, nonClient ? 0x02A2 : WM_MOUSELEAVE, 0, 0);
    }
    return TRUE;
}

}  // namespace win32
