// Mouse input: routing to the capture window or the window under the
// pointer, client and non-client forms, double clicks by time and
// distance, WM_MOUSEACTIVATE, WM_SETCURSOR and the WH_MOUSE hook.
#include <cstdlib>

#include "platform/user/hooks.h"
#include "platform/user/input.h"

namespace win32 {
namespace user {
namespace {

// Message numbers by button: down, up, double click (client form).
constexpr UINT kDown[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
constexpr UINT kUp[3] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
constexpr UINT kDouble[3] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
// The non-client form is the client form minus this offset.
constexpr UINT kNonClientOffset = WM_LBUTTONDOWN - WM_NCLBUTTONDOWN;

LPARAM PackPoint(POINT p) { return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)); }

bool IsDoubleClick(const ClickRecord& last, HWND hwnd, UINT downMsg, POINT pt, DWORD time) {
    WindowManager& wm = Wm();
    if (!last.valid || last.hwnd != hwnd || last.msg != downMsg) return false;
    if (time - last.time > wm.doubleClickTime) return false;
    int cx = GetSystemMetrics(SM_CXDOUBLECLK) / 2, cy = GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    return std::abs(pt.x - last.pt.x) <= cx && std::abs(pt.y - last.pt.y) <= cy;
}

}  // namespace

WPARAM MouseKeyFlags() {
    const BYTE* k = Wm().keyState;
    WPARAM f = 0;
    if (k[VK_LBUTTON] & 0x80) f |= MK_LBUTTON;
    if (k[VK_RBUTTON] & 0x80) f |= MK_RBUTTON;
    if (k[VK_MBUTTON] & 0x80) f |= MK_MBUTTON;
    if (k[VK_SHIFT] & 0x80) f |= MK_SHIFT;
    if (k[VK_CONTROL] & 0x80) f |= MK_CONTROL;
    return f;
}

Conversion ConvertMouse(const InputEvent& e, bool remove) {
    (void)remove;
    WindowManager& wm = Wm();
    Conversion c;
    c.msg.time = e.time;
    c.msg.pt = e.pt;
    if (e.kind == InputKind::Wheel) {
        HWND target = wm.focus ? wm.focus : wm.active;
        if (!target) {
            c.drop = true;
            return c;
        }
        c.msg.hwnd = target;
        c.msg.message = WM_MOUSEWHEEL;
        c.msg.wParam = MAKEWPARAM(static_cast<WORD>(MouseKeyFlags()), static_cast<WORD>(e.wheelDelta));
        c.msg.lParam = PackPoint(e.pt);
        c.hit = HTCLIENT;
        return c;
    }
    HWND target;
    LRESULT hit;
    if (wm.capture && wm.Find(wm.capture)) {
        target = wm.capture;
        hit = HTCLIENT;
    } else {
        target = WindowAtPoint(e.pt, &hit);
    }
    if (!target || hit == HTNOWHERE) {
        c.drop = true;
        return c;
    }
    c.msg.hwnd = target;
    c.hit = hit;
    int b = e.button < 0 || e.button > 2 ? 0 : e.button;
    bool client = hit == HTCLIENT;
    UINT msg;
    switch (e.kind) {
        case InputKind::MouseMove: msg = WM_MOUSEMOVE; break;
        case InputKind::ButtonDown: {
            msg = kDown[b];
            UINT formDown = client ? msg : msg - kNonClientOffset;
            Window* w = wm.Find(target);
            bool classWants = !client || (w && w->cls && (w->cls->style & CS_DBLCLKS));
            if (classWants && IsDoubleClick(wm.lastClick, target, formDown, e.pt, e.time)) msg = kDouble[b];
            break;
        }
        default: msg = kUp[b]; break;
    }
    if (hit == HTERROR) {
        // A disabled window takes no mouse messages; the press still sets the
        // cursor (and beeps) through WM_SETCURSOR when committed.
        c.msg.message = msg;
        c.drop = e.kind != InputKind::ButtonDown;
        return c;
    }
    if (client) {
        c.msg.message = msg;
        POINT pt = e.pt;
        ScreenToClient(target, &pt);
        c.msg.lParam = PackPoint(pt);
        WPARAM keys = MouseKeyFlags();
        static const WPARAM bits[3] = {MK_LBUTTON, MK_RBUTTON, MK_MBUTTON};
        if (e.kind == InputKind::ButtonDown) keys |= bits[b];
        if (e.kind == InputKind::ButtonUp) keys &= ~bits[b];
        c.msg.wParam = keys;
    } else {
        c.msg.message = msg == WM_MOUSEMOVE ? WM_NCMOUSEMOVE : msg - kNonClientOffset;
        c.msg.wParam = static_cast<WPARAM>(hit);
        c.msg.lParam = PackPoint(e.pt);
    }
    return c;
}

namespace {

void UpdateButtonState(const InputEvent& e) {
    WindowManager& wm = Wm();
    static const UINT vks[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
    if (e.button < 0 || e.button > 2) return;
    if (e.kind == InputKind::ButtonDown) wm.keyState[vks[e.button]] |= 0x80;
    if (e.kind == InputKind::ButtonUp) wm.keyState[vks[e.button]] &= static_cast<BYTE>(~0x80);
}

void RecordClick(const InputEvent& e, const Conversion& c) {
    WindowManager& wm = Wm();
    bool isDouble = c.msg.message == WM_LBUTTONDBLCLK || c.msg.message == WM_RBUTTONDBLCLK ||
                    c.msg.message == WM_MBUTTONDBLCLK || c.msg.message == WM_NCLBUTTONDBLCLK ||
                    c.msg.message == WM_NCRBUTTONDBLCLK || c.msg.message == WM_NCMBUTTONDBLCLK;
    if (isDouble) {
        wm.lastClick.valid = false;
        return;
    }
    int b = e.button < 0 || e.button > 2 ? 0 : e.button;
    wm.lastClick = ClickRecord{c.msg.hwnd, c.hit == HTCLIENT ? kDown[b] : kDown[b] - kNonClientOffset, c.hit, e.pt,
                               e.time, true};
}

// WM_MOUSEACTIVATE and the activation it asks for; false when the click is
// to be eaten.
bool ActivateByClick(HWND target, LRESULT hit, UINT msg) {
    WindowManager& wm = Wm();
    HWND top = TopLevelOf(target);
    if (!top || top == wm.active) return true;
    LRESULT r = Send(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top),
                     MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(msg)));
    if (r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT || r == 0) {
        if (wm.Find(top)) ActivateWindow(top, WA_CLICKACTIVE);
    }
    return r != MA_ACTIVATEANDEAT && r != MA_NOACTIVATEANDEAT;
}

void TrackLeave(HWND target, LRESULT hit) {
    WindowManager& wm = Wm();
    TrackedMouse& t = wm.tracked;
    if (!t.hwnd || !(t.flags & TME_LEAVE)) return;
    bool nonClient = (t.flags & TME_NONCLIENT) != 0;
    bool stillThere = target == t.hwnd && ((hit == HTCLIENT) != nonClient);
    if (stillThere) return;
    HWND h = t.hwnd;
    t = TrackedMouse{};
    PostMessageA(h, nonClient ? 0x02A2 /* WM_NCMOUSELEAVE */ : WM_MOUSELEAVE, 0, 0);
}

}  // namespace

bool CommitMouse(const InputEvent& e, Conversion& c) {
    WindowManager& wm = Wm();
    UpdateButtonState(e);
    if (e.kind == InputKind::ButtonDown) {
        wm.altAlone = false;
        RecordClick(e, c);
    }
    if (e.kind == InputKind::MouseMove) TrackLeave(c.msg.hwnd, c.hit);
    if (HasHooks(WH_MOUSE)) {
        MOUSEHOOKSTRUCT mh{e.pt, c.msg.hwnd, static_cast<UINT>(c.hit), 0};
        if (CallHookChain(WH_MOUSE, HC_ACTION, c.msg.message, reinterpret_cast<LPARAM>(&mh))) return false;
    }
    if (!wm.Find(c.msg.hwnd)) return false;
    bool captured = wm.capture == c.msg.hwnd;
    UINT msg = c.msg.message;
    bool isDown = e.kind == InputKind::ButtonDown;
    if (isDown && !captured) {
        UINT clientMsg = msg;
        if (c.hit != HTCLIENT && c.hit != HTERROR) clientMsg = msg + kNonClientOffset;
        if (c.hit != HTERROR && !ActivateByClick(c.msg.hwnd, c.hit, clientMsg)) return false;
        if (!wm.Find(c.msg.hwnd)) return false;
    }
    if (!captured && e.kind != InputKind::ButtonUp && e.kind != InputKind::Wheel) {
        UINT cursorMsg = msg;
        if (c.hit != HTCLIENT && c.hit != HTERROR) cursorMsg = msg == WM_NCMOUSEMOVE ? WM_MOUSEMOVE : msg + kNonClientOffset;
        Send(c.msg.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(c.msg.hwnd),
             MAKELPARAM(static_cast<WORD>(c.hit), static_cast<WORD>(cursorMsg)));
        if (!wm.Find(c.msg.hwnd)) return false;
    }
    if (c.hit == HTERROR) return false;
    return true;
}

}  // namespace user
}  // namespace win32
