// Sent messages: a direct, re-entrant call of the window procedure on the
// one thread, seen first by the WH_CALLWNDPROC hooks.
#include "platform/user/hooks.h"
#include "platform/user/window_manager.h"

namespace win32 {
namespace user {

#define HWND_BROADCAST_VALUE (reinterpret_cast<HWND>(static_cast<LONG_PTR>(0xFFFF)))

LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    if (!w || !w->proc) return 0;
    if (HasHooks(WH_CALLWNDPROC)) {
        CWPSTRUCT cwp{lParam, wParam, msg, hwnd};
        CallHookChain(WH_CALLWNDPROC, HC_ACTION, 0, reinterpret_cast<LPARAM>(&cwp));
        if (!(w = wm.Find(hwnd))) return 0;
    }
    WNDPROC proc = w->proc;
    struct Depth {
        Depth() { ++Wm().sendDepth; }
        ~Depth() { --Wm().sendDepth; }
    } depth;
    LRESULT result = proc(hwnd, msg, wParam, lParam);
    if (HasHooks(WH_CALLWNDPROCRET) && wm.Find(hwnd)) {
        CWPRETSTRUCT ret{result, lParam, wParam, msg, hwnd};
        CallHookChain(WH_CALLWNDPROCRET, HC_ACTION, 0, reinterpret_cast<LPARAM>(&ret));
    }
    return result;
}

namespace {

void Broadcast(UINT msg, WPARAM wParam, LPARAM lParam, bool post) {
    std::vector<HWND> top = Wm().Desktop()->children;
    for (HWND h : top) {
        if (!Wm().Find(h)) continue;
        if (post) PostMessageA(h, msg, wParam, lParam);
        else Send(h, msg, wParam, lParam);
    }
}

}  // namespace

bool IsBroadcast(HWND hwnd) { return hwnd == HWND_BROADCAST_VALUE; }

void BroadcastMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool post) { Broadcast(msg, wParam, lParam, post); }

}  // namespace user

using namespace user;

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (IsBroadcast(hwnd)) {
        BroadcastMessage(msg, wParam, lParam, false);
        return 0;
    }
    return Send(hwnd, msg, wParam, lParam);
}

LRESULT SendMessageTimeoutA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT, UINT, DWORD_PTR* result) {
    if (!IsBroadcast(hwnd) && !Wm().Find(hwnd)) return 0;
    LRESULT r = SendMessageA(hwnd, msg, wParam, lParam);
    if (result) *result = static_cast<DWORD_PTR>(r);
    return 1;
}

BOOL SendNotifyMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!IsBroadcast(hwnd) && !Wm().Find(hwnd)) return FALSE;
    SendMessageA(hwnd, msg, wParam, lParam);
    return TRUE;
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!proc) return 0;
    return proc(hwnd, msg, wParam, lParam);
}

// Every message here comes from this thread, so no call is "sent" in the
// Win32 sense of a cross-thread send.
BOOL InSendMessage() { return FALSE; }

BOOL ReplyMessage(LRESULT) { return FALSE; }

}  // namespace win32
