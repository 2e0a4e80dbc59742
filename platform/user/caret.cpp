// The caret: one per thread, owned by a window, drawn by inverting its
// rectangle on the window's client area and blinking on a timer of that
// window. Code that paints over the caret's place hides it first and shows
// it again afterwards, as Win32 asks of window procedures.
#include "platform/user/caret.h"

#include "platform/kernel/winbase.h"
#include "platform/user/window_manager.h"

namespace win32 {
namespace user {
namespace {

// A timer identifier applications do not use.
constexpr UINT_PTR kBlinkTimer = 0xCA7EB11Cu;

struct Caret {
    HWND hwnd = nullptr;
    int width = 1;
    int height = 1;
    HBITMAP bitmap = nullptr;  // a pattern to invert with, or null for solid
    POINT pos{0, 0};
    int hideLevel = 1;  // created hidden
    bool drawn = false;
    UINT blinkTime = 530;
};

Caret& State() {
    static Caret caret;
    return caret;
}

// The caret of a window that is gone (destroyed, or a reset window system)
// is forgotten.
bool Valid(Caret& c) {
    if (c.hwnd && !Wm().Find(c.hwnd)) {
        UINT blink = c.blinkTime;
        c = Caret{};
        c.blinkTime = blink;
    }
    return c.hwnd != nullptr;
}

void Invert(Caret& c) {
    HDC dc = GetDC(c.hwnd);
    if (!dc) return;
    if (c.bitmap) {
        HBRUSH brush = CreatePatternBrush(c.bitmap);
        HGDIOBJ old = SelectObject(dc, brush);
        PatBlt(dc, c.pos.x, c.pos.y, c.width, c.height, PATINVERT);
        SelectObject(dc, old);
        DeleteObject(brush);
    } else {
        PatBlt(dc, c.pos.x, c.pos.y, c.width, c.height, DSTINVERT);
    }
    ReleaseDC(c.hwnd, dc);
    c.drawn = !c.drawn;
}

void Erase(Caret& c) {
    if (c.drawn) Invert(c);
}

void CALLBACK Blink(HWND, UINT, UINT_PTR, DWORD) {
    Caret& c = State();
    if (!Valid(c) || c.hideLevel > 0) return;
    Invert(c);
}

// Draws the caret now and starts the blink over, so that a caret that just
// moved or appeared is seen at once.
void Restart(Caret& c) {
    if (c.hideLevel > 0) return;
    if (!c.drawn) Invert(c);
    if (c.blinkTime != 0 && c.blinkTime != INFINITE) SetTimer(c.hwnd, kBlinkTimer, c.blinkTime, Blink);
}

}  // namespace

void PlaceImeWindow(HWND hwnd, POINT pt, int height) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    backend::Backend* b = wm.Backend();
    if (!w || !b) return;
    Window* top = wm.Find(TopLevelOf(hwnd));
    if (!top || !top->host) return;
    POINT client = ClientOrigin(w);
    POINT origin = WindowOrigin(top);
    b->SetImePosition(top->host, POINT{client.x + pt.x - origin.x, client.y + pt.y - origin.y}, height);
}

}  // namespace user

using namespace user;

BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height) {
    if (!Wm().Find(hwnd)) return FALSE;
    DestroyCaret();
    Caret& c = State();
    c.hwnd = hwnd;
    // A bitmap handle of 1 asks for a grey caret; a solid one serves.
    c.bitmap = reinterpret_cast<UINT_PTR>(bitmap) > 1 ? bitmap : nullptr;
    c.width = width > 0 ? width : GetSystemMetrics(SM_CXBORDER);
    c.height = height > 0 ? height : GetSystemMetrics(SM_CYBORDER);
    if (c.bitmap) {
        BITMAP info{};
        if (GetObjectA(c.bitmap, sizeof info, &info)) {
            c.width = info.bmWidth;
            c.height = info.bmHeight;
        }
    }
    c.pos = POINT{0, 0};
    c.hideLevel = 1;
    c.drawn = false;
    return TRUE;
}

BOOL DestroyCaret() {
    Caret& c = State();
    if (!Valid(c)) return FALSE;
    Erase(c);
    KillTimer(c.hwnd, kBlinkTimer);
    UINT blink = c.blinkTime;
    c = Caret{};
    c.blinkTime = blink;
    return TRUE;
}

BOOL ShowCaret(HWND hwnd) {
    Caret& c = State();
    if (!Valid(c) || (hwnd && hwnd != c.hwnd) || c.hideLevel == 0) return FALSE;
    if (--c.hideLevel == 0) {
        Restart(c);
        PlaceImeWindow(c.hwnd, c.pos, c.height);
    }
    return TRUE;
}

BOOL HideCaret(HWND hwnd) {
    Caret& c = State();
    if (!Valid(c) || (hwnd && hwnd != c.hwnd)) return FALSE;
    if (c.hideLevel++ == 0) {
        Erase(c);
        KillTimer(c.hwnd, kBlinkTimer);
    }
    return TRUE;
}

BOOL SetCaretPos(int x, int y) {
    Caret& c = State();
    if (!Valid(c)) return FALSE;
    if (c.pos.x == x && c.pos.y == y) return TRUE;
    Erase(c);
    c.pos = POINT{x, y};
    Restart(c);
    PlaceImeWindow(c.hwnd, c.pos, c.height);
    return TRUE;
}

BOOL GetCaretPos(LPPOINT pt) {
    Caret& c = State();
    if (!pt) return FALSE;
    *pt = Valid(c) ? c.pos : POINT{0, 0};
    return TRUE;
}

UINT GetCaretBlinkTime() { return State().blinkTime; }

BOOL SetCaretBlinkTime(UINT ms) {
    Caret& c = State();
    c.blinkTime = ms;
    if (Valid(c) && c.hideLevel == 0) {
        KillTimer(c.hwnd, kBlinkTimer);
        Restart(c);
    }
    return TRUE;
}

}  // namespace win32
