// Keyboard input: key messages to the focus window (system key messages
// while Alt is held or when nothing has the focus), lParam bits, the key
// state, the WH_KEYBOARD hook and the characters TranslateMessage makes.
#include "platform/user/hooks.h"
#include "platform/user/input.h"
#include "platform/user/keyboard_layout.h"

namespace win32 {
namespace user {
namespace {

bool Down(const BYTE* state, UINT vk) { return (state[vk] & 0x80) != 0; }

// The generic and the left/right codes move together.
void SetKey(BYTE* state, UINT vk, bool down) {
    auto set = [&](UINT v) {
        if (down) {
            if (!(state[v] & 0x80)) state[v] ^= 0x01;  // toggle on each press
            state[v] |= 0x80;
        } else {
            state[v] &= static_cast<BYTE>(~0x80);
        }
    };
    if (vk >= 256) return;
    set(vk);
    switch (vk) {
        case VK_SHIFT: set(VK_LSHIFT); break;
        case VK_CONTROL: set(VK_LCONTROL); break;
        case VK_MENU: set(VK_LMENU); break;
        case VK_LSHIFT:
        case VK_RSHIFT: set(VK_SHIFT); break;
        case VK_LCONTROL:
        case VK_RCONTROL: set(VK_CONTROL); break;
        case VK_LMENU:
        case VK_RMENU: set(VK_MENU); break;
        default: break;
    }
}

LPARAM KeyLParam(const InputEvent& e, bool up, bool wasDown, bool alt) {
    DWORD lp = 1;
    lp |= (e.scan & 0xFF) << 16;
    if (e.extended) lp |= 1u << 24;
    if (alt) lp |= 1u << 29;
    if (wasDown || up) lp |= 1u << 30;
    if (up) lp |= 1u << 31;
    return static_cast<LPARAM>(lp);
}

}  // namespace

Conversion ConvertKey(const InputEvent& e, bool) {
    WindowManager& wm = Wm();
    Conversion c;
    c.msg.time = e.time;
    c.msg.pt = wm.cursorPos;
    HWND target = wm.focus && wm.Find(wm.focus) ? wm.focus : wm.active;
    if (!target || !wm.Find(target)) {
        c.drop = true;
        return c;
    }
    c.msg.hwnd = target;
    if (e.kind == InputKind::Char) {
        c.msg.message = WM_CHAR;
        c.msg.wParam = e.ch;
        c.msg.lParam = 1;
        return c;
    }
    bool up = e.kind == InputKind::KeyUp;
    const BYTE* state = wm.keyState;
    bool alt = Down(state, VK_MENU) || (!up && (e.vk == VK_MENU || e.vk == VK_LMENU || e.vk == VK_RMENU));
    bool ctrl = Down(state, VK_CONTROL);
    bool noFocus = !wm.focus || !wm.Find(wm.focus);
    bool sys = (alt && !ctrl) || e.vk == VK_F10 || noFocus;
    c.msg.message = up ? (sys ? WM_SYSKEYUP : WM_KEYUP) : (sys ? WM_SYSKEYDOWN : WM_KEYDOWN);
    c.msg.wParam = e.vk;
    c.msg.lParam = KeyLParam(e, up, e.vk < 256 && Down(state, e.vk), alt);
    return c;
}

bool CommitKey(const InputEvent& e, Conversion& c) {
    WindowManager& wm = Wm();
    if (e.kind == InputKind::Char) return true;
    bool down = e.kind == InputKind::KeyDown;
    bool isAlt = e.vk == VK_MENU || e.vk == VK_LMENU || e.vk == VK_RMENU;
    if (down) {
        bool repeat = e.vk < 256 && Down(wm.keyState, e.vk);
        if (isAlt && !repeat) wm.altAlone = true;
        else if (!isAlt) wm.altAlone = false;
        wm.lastKeyVk = e.vk;
        wm.lastKeyTime = e.time;
        wm.lastKeyText = e.text;
    }
    SetKey(wm.keyState, e.vk, down);
    if (!c.msg.hwnd) return false;
    if (HasHooks(WH_KEYBOARD)) {
        if (CallHookChain(WH_KEYBOARD, HC_ACTION, e.vk, c.msg.lParam)) return false;
        if (!wm.Find(c.msg.hwnd)) return false;
    }
    return true;
}

// Characters of a key-down message: the text the device reported for that
// key when there was one, otherwise the keyboard layout's.
std::u32string CharactersFor(const MSG& msg) {
    WindowManager& wm = Wm();
    if (msg.wParam == wm.lastKeyVk && static_cast<DWORD>(msg.time) == wm.lastKeyTime && !wm.lastKeyText.empty()) {
        bool ctrl = (wm.keyState[VK_CONTROL] & 0x80) != 0;
        bool alt = (wm.keyState[VK_MENU] & 0x80) != 0;
        // Ctrl combinations produce control characters from the layout even
        // when the device reported a printable character.
        if (!ctrl || alt) return DecodeUtf8(wm.lastKeyText);
    }
    char32_t ch = LayoutCharacter(static_cast<UINT>(msg.wParam), wm.keyState);
    if (!ch) return {};
    return std::u32string(1, ch);
}

}  // namespace user

using namespace user;

BOOL TranslateMessage(const MSG* msg) {
    if (!msg) return FALSE;
    if (msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP) return TRUE;
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) return FALSE;
    UINT charMsg = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    for (char32_t ch : CharactersFor(*msg)) PostMessageA(msg->hwnd, charMsg, ch, msg->lParam);
    return TRUE;
}

SHORT GetKeyState(int vk) {
    if (vk < 0 || vk > 255) return 0;
    BYTE s = Wm().keyState[vk];
    return static_cast<SHORT>(((s & 0x80) ? 0xFF80 : 0) | (s & 0x01));
}

SHORT GetAsyncKeyState(int vk) {
    if (vk < 0 || vk > 255) return 0;
    return static_cast<SHORT>((Wm().asyncKeyState[vk] & 0x80) ? 0x8000 : 0);
}

BOOL GetKeyboardState(BYTE* keyState) {
    if (!keyState) return FALSE;
    for (int i = 0; i < 256; ++i) keyState[i] = Wm().keyState[i];
    return TRUE;
}

BOOL SetKeyboardState(BYTE* keyState) {
    if (!keyState) return FALSE;
    for (int i = 0; i < 256; ++i) Wm().keyState[i] = keyState[i];
    return TRUE;
}

void keybd_event(BYTE vk, BYTE scan, DWORD flags, ULONG_PTR) {
    InputEvent e;
    e.kind = (flags & KEYEVENTF_KEYUP) ? InputKind::KeyUp : InputKind::KeyDown;
    e.vk = vk;
    e.scan = scan ? scan : MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    e.extended = (flags & KEYEVENTF_EXTENDEDKEY) != 0;
    QueueInput(std::move(e));
}

void mouse_event(DWORD flags, DWORD dx, DWORD dy, DWORD data, ULONG_PTR extra) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi = MOUSEINPUT{static_cast<LONG>(dx), static_cast<LONG>(dy), data, flags, 0, extra};
    SendInput(1, &in, sizeof(INPUT));
}

UINT SendInput(UINT count, LPINPUT inputs, int size) {
    if (!inputs || size != static_cast<int>(sizeof(INPUT))) return 0;
    WindowManager& wm = Wm();
    static char16_t pendingHigh = 0;
    for (UINT i = 0; i < count; ++i) {
        const INPUT& in = inputs[i];
        if (in.type == INPUT_KEYBOARD) {
            const KEYBDINPUT& k = in.ki;
            if (k.dwFlags & KEYEVENTF_UNICODE) {
                if (k.dwFlags & KEYEVENTF_KEYUP) continue;
                char16_t u = static_cast<char16_t>(k.wScan);
                InputEvent e;
                e.kind = InputKind::Char;
                if (u >= 0xD800 && u < 0xDC00) {
                    pendingHigh = u;
                    continue;
                }
                if (u >= 0xDC00 && u < 0xE000 && pendingHigh) {
                    e.ch = 0x10000 + ((static_cast<char32_t>(pendingHigh) - 0xD800) << 10) + (u - 0xDC00);
                    pendingHigh = 0;
                } else {
                    e.ch = u;
                }
                QueueInput(std::move(e));
            } else {
                keybd_event(static_cast<BYTE>(k.wVk), static_cast<BYTE>(k.wScan), k.dwFlags, k.dwExtraInfo);
            }
        } else if (in.type == INPUT_MOUSE) {
            const MOUSEINPUT& m = in.mi;
            POINT pt = wm.cursorPos;
            if (m.dwFlags & MOUSEEVENTF_MOVE) {
                if (m.dwFlags & MOUSEEVENTF_ABSOLUTE) {
                    SIZE s = wm.ScreenSize();
                    pt.x = static_cast<LONG>((static_cast<long long>(m.dx) * s.cx) / 65536);
                    pt.y = static_cast<LONG>((static_cast<long long>(m.dy) * s.cy) / 65536);
                } else {
                    pt.x += m.dx;
                    pt.y += m.dy;
                }
                InputEvent e;
                e.kind = InputKind::MouseMove;
                e.pt = pt;
                QueueInput(e);
            }
            struct Edge {
                DWORD flag;
                InputKind kind;
                int button;
            };
            static const Edge edges[] = {{MOUSEEVENTF_LEFTDOWN, InputKind::ButtonDown, 0},
                                         {MOUSEEVENTF_LEFTUP, InputKind::ButtonUp, 0},
                                         {MOUSEEVENTF_RIGHTDOWN, InputKind::ButtonDown, 1},
                                         {MOUSEEVENTF_RIGHTUP, InputKind::ButtonUp, 1},
                                         {MOUSEEVENTF_MIDDLEDOWN, InputKind::ButtonDown, 2},
                                         {MOUSEEVENTF_MIDDLEUP, InputKind::ButtonUp, 2}};
            for (const Edge& edge : edges) {
                if (!(m.dwFlags & edge.flag)) continue;
                InputEvent e;
                e.kind = edge.kind;
                e.pt = pt;
                e.button = edge.button;
                QueueInput(e);
            }
            if (m.dwFlags & MOUSEEVENTF_WHEEL) {
                InputEvent e;
                e.kind = InputKind::Wheel;
                e.pt = pt;
                e.wheelDelta = static_cast<int>(static_cast<std::int32_t>(m.mouseData));
                QueueInput(e);
            }
        }
    }
    return count;
}

}  // namespace win32
