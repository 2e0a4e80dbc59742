// Events of the backend's hosts become raw input or window-manager
// actions (close requests, moves by the display, activation, exposure).
#include "platform/user/caret.h"
#include "platform/user/input.h"
#include "platform/user/keyboard_layout.h"

namespace win32::user {

namespace {

HWND WindowOfHost(backend::HostId host) {
    WindowManager& wm = Wm();
    auto it = wm.hosts.find(host);
    if (it == wm.hosts.end()) return nullptr;
    return wm.Find(it->second) ? it->second : nullptr;
}

}  // namespace

void HandleHostEvent(const backend::HostEvent& ev) {
    WindowManager& wm = Wm();
    InputEvent e;
    e.pt = ev.pt;
    e.time = ev.time ? ev.time : wm.Now();
    switch (ev.type) {
        case backend::HostEventType::MouseMove:
            e.kind = InputKind::MouseMove;
            QueueInput(std::move(e));
            return;
        case backend::HostEventType::ButtonDown:
        case backend::HostEventType::ButtonUp:
            e.kind = ev.type == backend::HostEventType::ButtonDown ? InputKind::ButtonDown : InputKind::ButtonUp;
            e.button = static_cast<int>(ev.button);
            QueueInput(std::move(e));
            return;
        case backend::HostEventType::Wheel:
            e.kind = InputKind::Wheel;
            e.wheelDelta = ev.wheelDelta;
            QueueInput(std::move(e));
            return;
        case backend::HostEventType::KeyDown:
        case backend::HostEventType::KeyUp:
            e.kind = ev.type == backend::HostEventType::KeyDown ? InputKind::KeyDown : InputKind::KeyUp;
            e.vk = ev.virtualKey;
            e.scan = ev.scanCode ? ev.scanCode : MapVirtualKeyA(ev.virtualKey, MAPVK_VK_TO_VSC);
            e.extended = ev.extended;
            e.text = ev.text;
            e.pt = wm.cursorPos;
            QueueInput(std::move(e));
            return;
        case backend::HostEventType::Text:
            for (char32_t ch : DecodeUtf8(ev.text)) {
                InputEvent c;
                c.kind = InputKind::Char;
                c.ch = ch;
                c.pt = wm.cursorPos;
                c.time = e.time;
                QueueInput(std::move(c));
            }
            return;
        case backend::HostEventType::Composition:
            DeliverComposition(ev.text);
            return;
        case backend::HostEventType::CloseRequest:
            if (HWND h = WindowOfHost(ev.host)) PostMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0);
            return;
        case backend::HostEventType::Moved:
            if (HWND h = WindowOfHost(ev.host)) {
                const RECT& r = ev.bounds;
                SetWindowPos(h, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                             SWP_NOZORDER | SWP_NOACTIVATE);
            }
            return;
        case backend::HostEventType::Activated:
            if (HWND h = WindowOfHost(ev.host)) {
                // A disabled window hands activation to its enabled pop-up.
                HWND target = GetLastActivePopup(h);
                if (wm.active != target) ActivateWindow(target, WA_ACTIVE);
            }
            return;
        case backend::HostEventType::Deactivated:
            if (HWND h = WindowOfHost(ev.host); h && h == wm.active) ActivateWindow(nullptr, WA_INACTIVE);
            return;
        case backend::HostEventType::Exposed:
            if (WindowOfHost(ev.host)) {
                if (backend::Backend* b = wm.Backend()) b->Present(ev.host, ev.bounds);
            }
            return;
        case backend::HostEventType::ClipboardChanged:
            return;
        case backend::HostEventType::Minimized:
            if (HWND h = WindowOfHost(ev.host); h && !IsIconic(h)) PostMessageA(h, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            return;
        case backend::HostEventType::Restored:
            if (HWND h = WindowOfHost(ev.host); h && IsIconic(h)) PostMessageA(h, WM_SYSCOMMAND, SC_RESTORE, 0);
            return;
    }
}

}  // namespace win32::user
