// The thread's message queue. Messages come out in Win32's order: posted
// messages, then WM_QUIT once the quit flag is set, then input, then
// WM_PAINT for a window with an update region, then WM_TIMER; paint and
// timer messages are generated only when nothing else is waiting.
#include <cstdio>
#include <cstdlib>

#include "platform/user/hooks.h"
#include "platform/user/message_queue.h"

namespace win32 {
namespace user {

bool MessageFilter::Accepts(HWND target, UINT msg) const {
    if (!AcceptsMessage(msg)) return false;
    if (!hwnd) return true;
    if (hwnd == reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1))) return target == nullptr;
    return target == hwnd || IsDescendant(hwnd, target);
}

void PumpBackend() {
    backend::Backend* b = Wm().Backend();
    if (!b) return;
    backend::HostEvent ev;
    // A bounded number per call keeps a flood of events from starving the
    // messages they produce.
    for (int i = 0; i < 256 && b->WaitEvent(ev, 0); ++i) HandleHostEvent(ev);
}

void RemovePostedMessages(HWND hwnd) {
    auto& posted = Wm().posted;
    for (auto it = posted.begin(); it != posted.end();) {
        if (it->hwnd == hwnd) it = posted.erase(it);
        else ++it;
    }
}

namespace {

bool TakePosted(MSG& msg, const MessageFilter& filter, bool remove) {
    auto& posted = Wm().posted;
    for (auto it = posted.begin(); it != posted.end(); ++it) {
        if (!filter.Accepts(it->hwnd, it->message)) continue;
        msg = *it;
        if (remove) posted.erase(it);
        return true;
    }
    return false;
}

bool TakeQuit(MSG& msg, bool remove) {
    WindowManager& wm = Wm();
    if (!wm.quitPending) return false;
    msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(wm.quitCode), 0, wm.Now(), wm.cursorPos};
    if (remove) wm.quitPending = false;
    return true;
}

bool TakePaint(MSG& msg, const MessageFilter& filter) {
    if (!filter.AcceptsMessage(WM_PAINT)) return false;
    HWND found = nullptr;
    if (!FindWindowToPaint(filter.hwnd == reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)) ? nullptr : filter.hwnd,
                           found))
        return false;
    if (filter.hwnd == reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1))) return false;
    WindowManager& wm = Wm();
    msg = MSG{found, WM_PAINT, 0, 0, wm.Now(), wm.cursorPos};
    return true;
}

bool PeekInternal(MSG& msg, const MessageFilter& filter, bool remove) {
    PumpBackend();
    bool found = TakePosted(msg, filter, remove) || TakeInputMessage(msg, filter, remove) || TakeQuit(msg, remove) ||
                 TakePaint(msg, filter) || TakeTimerMessage(msg, filter, remove);
    if (!found) return false;
    WindowManager& wm = Wm();
    if (remove) {
        wm.messageTime = msg.time;
        wm.messagePos = msg.pt;
    }
    if (HasHooks(WH_GETMESSAGE)) {
        CallHookChain(WH_GETMESSAGE, HC_ACTION, remove ? PM_REMOVE : PM_NOREMOVE, reinterpret_cast<LPARAM>(&msg));
    }
    return true;
}

[[noreturn]] void NothingCanArrive() {
    std::fprintf(stderr, "window system: waiting for a message, but no backend is installed\n");
    std::abort();
}

// Blocks until the backend delivers an event or the next timer the filter
// accepts is due.
void WaitForInput(const MessageFilter& filter) {
    PresentAll();
    backend::Backend* b = Wm().Backend();
    if (!b) NothingCanArrive();
    int timeout = MsUntilNextTimer(filter);
    backend::HostEvent ev;
    if (b->WaitEvent(ev, timeout)) HandleHostEvent(ev);
}

}  // namespace
}  // namespace user

using namespace user;

BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowManager& wm = Wm();
    if (IsBroadcast(hwnd)) {
        BroadcastMessage(msg, wParam, lParam, true);
        return TRUE;
    }
    if (hwnd && !wm.Find(hwnd)) return FALSE;
    wm.posted.push_back(MSG{hwnd, msg, wParam, lParam, wm.Now(), wm.cursorPos});
    return TRUE;
}

BOOL PostThreadMessageA(DWORD, UINT msg, WPARAM wParam, LPARAM lParam) {
    return PostMessageA(nullptr, msg, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
    WindowManager& wm = Wm();
    wm.quitPending = true;
    wm.quitCode = exitCode;
}

BOOL PeekMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
    if (!msg) return FALSE;
    MessageFilter filter{hwnd, filterMin, filterMax};
    if (hwnd && hwnd != reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)) && !Wm().Find(hwnd)) return FALSE;
    if (PeekInternal(*msg, filter, (removeFlags & PM_REMOVE) != 0)) return TRUE;
    PresentAll();
    return FALSE;
}

BOOL GetMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    if (!msg) return -1;
    MessageFilter filter{hwnd, filterMin, filterMax};
    for (;;) {
        if (hwnd && hwnd != reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)) && !Wm().Find(hwnd)) return -1;
        if (PeekInternal(*msg, filter, true)) return msg->message == WM_QUIT ? FALSE : TRUE;
        WaitForInput(filter);
    }
}

BOOL WaitMessage() {
    MSG msg;
    MessageFilter all;
    if (PeekInternal(msg, all, false)) return TRUE;
    WaitForInput(all);
    return TRUE;
}

DWORD GetQueueStatus(UINT flags) {
    PumpBackend();
    WindowManager& wm = Wm();
    UINT status = 0;
    if (!wm.posted.empty() || wm.quitPending) status |= QS_POSTMESSAGE;
    for (const InputEvent& e : wm.input) {
        if (e.kind == InputKind::MouseMove) status |= QS_MOUSEMOVE;
        else if (e.kind == InputKind::ButtonDown || e.kind == InputKind::ButtonUp || e.kind == InputKind::Wheel)
            status |= QS_MOUSEBUTTON;
        else status |= QS_KEY;
    }
    HWND paint = nullptr;
    if (FindWindowToPaint(nullptr, paint)) status |= QS_PAINT;
    if (MsUntilNextTimer(MessageFilter{}) == 0) status |= QS_TIMER;
    status &= flags;
    return (static_cast<DWORD>(status) << 16) | status;
}

BOOL GetInputState() { return (GetQueueStatus(QS_INPUT) & QS_INPUT) ? TRUE : FALSE; }

LRESULT DispatchMessageA(const MSG* msg) {
    if (!msg) return 0;
    WindowManager& wm = Wm();
    if (msg->message == WM_TIMER && msg->lParam) {
        TIMERPROC proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        // Only a procedure that belongs to a live timer is called.
        if (!IsTimerProc(msg->hwnd, msg->wParam, proc)) return 0;
        proc(msg->hwnd, WM_TIMER, msg->wParam, wm.Now());
        return 0;
    }
    Window* w = wm.Find(msg->hwnd);
    if (!w || !w->proc) return 0;
    return w->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

UINT RegisterWindowMessageA(LPCSTR name) {
    if (!name || !*name) return 0;
    WindowManager& wm = Wm();
    auto it = wm.registeredMessages.find(name);
    if (it != wm.registeredMessages.end()) return it->second;
    UINT id = 0xC000 + static_cast<UINT>(wm.registeredMessages.size());
    if (id > 0xFFFF) return 0;
    wm.registeredMessages.emplace(name, id);
    return id;
}

DWORD GetMessagePos() {
    POINT p = Wm().messagePos;
    return static_cast<DWORD>(MAKELONG(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
}

LONG GetMessageTime() { return static_cast<LONG>(Wm().messageTime); }

LPARAM GetMessageExtraInfo() { return 0; }

}  // namespace win32
