// Raw input waiting in the queue, turned into messages when taken.
#include "platform/user/input.h"

namespace win32 {
namespace user {
namespace {

bool IsMouse(InputKind k) {
    return k == InputKind::MouseMove || k == InputKind::ButtonDown || k == InputKind::ButtonUp ||
           k == InputKind::Wheel;
}

}  // namespace

void QueueInput(InputEvent e) {
    WindowManager& wm = Wm();
    if (!e.time) e.time = wm.Now();
    if (IsMouse(e.kind)) {
        wm.cursorPos = e.pt;
        static const UINT buttons[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
        if (e.kind == InputKind::ButtonDown && e.button >= 0 && e.button < 3) wm.asyncKeyState[buttons[e.button]] |= 0x80;
        if (e.kind == InputKind::ButtonUp && e.button >= 0 && e.button < 3)
            wm.asyncKeyState[buttons[e.button]] &= static_cast<BYTE>(~0x80);
        // Consecutive moves merge, as they do in Win32's queue.
        if (e.kind == InputKind::MouseMove && !wm.input.empty() && wm.input.back().kind == InputKind::MouseMove) {
            wm.input.back() = e;
            return;
        }
    } else if (e.kind == InputKind::KeyDown || e.kind == InputKind::KeyUp) {
        if (e.vk < 256) {
            if (e.kind == InputKind::KeyDown) wm.asyncKeyState[e.vk] |= 0x80;
            else wm.asyncKeyState[e.vk] &= static_cast<BYTE>(~0x80);
        }
    }
    wm.input.push_back(std::move(e));
}

bool TakeInputMessage(MSG& msg, const MessageFilter& filter, bool remove) {
    WindowManager& wm = Wm();
    for (std::size_t i = 0; i < wm.input.size();) {
        InputEvent e = wm.input[i];
        bool mouse = IsMouse(e.kind);
        Conversion c = mouse ? ConvertMouse(e, remove) : ConvertKey(e, remove);
        if (c.drop) {
            if (remove) {
                wm.input.erase(wm.input.begin() + static_cast<std::ptrdiff_t>(i));
                // A click on nothing still ends Alt-alone and moves state on.
                Conversion ignored;
                if (!mouse) CommitKey(e, ignored);
                continue;
            }
            ++i;
            continue;
        }
        if (!filter.Accepts(c.msg.hwnd, c.msg.message)) {
            ++i;
            continue;
        }
        if (!remove) {
            msg = c.msg;
            return true;
        }
        wm.input.erase(wm.input.begin() + static_cast<std::ptrdiff_t>(i));
        bool keep = mouse ? CommitMouse(e, c) : CommitKey(e, c);
        if (!keep) continue;
        msg = c.msg;
        return true;
    }
    return false;
}

}  // namespace user
}  // namespace win32
