// Hooks on the one user-interface thread: each kind keeps a chain, newest
// first; a hook passes an event on with CallNextHookEx. A hook removed while
// a chain runs stays in the table until no hook is running, so a procedure
// that unhooks itself can still call the next one.
#include <algorithm>

#include "platform/user/hooks.h"

namespace win32 {
namespace user {
namespace {

bool SupportedKind(int kind) {
    return kind == WH_KEYBOARD || kind == WH_MOUSE || kind == WH_GETMESSAGE || kind == WH_CALLWNDPROC ||
           kind == WH_CALLWNDPROCRET || kind == WH_MSGFILTER || kind == WH_CBT;
}

void PurgeRemoved() {
    WindowManager& wm = Wm();
    if (wm.hookCallDepth > 0) return;
    for (auto& [kind, chain] : wm.hookChains) {
        for (auto it = chain.begin(); it != chain.end();) {
            Hook* h = wm.hooks.Get(*it);
            if (!h || h->removed) {
                wm.hooks.Remove(*it);
                it = chain.erase(it);
            } else {
                ++it;
            }
        }
    }
}

// Calls the first live hook of `chain` at or after position `start`.
LRESULT CallFrom(int kind, std::size_t start, int code, WPARAM wParam, LPARAM lParam) {
    WindowManager& wm = Wm();
    auto it = wm.hookChains.find(kind);
    if (it == wm.hookChains.end()) return 0;
    for (std::size_t i = start; i < it->second.size(); ++i) {
        HHOOK handle = it->second[i];
        Hook* h = wm.hooks.Get(handle);
        if (!h || h->removed || !h->proc) continue;
        HOOKPROC proc = h->proc;
        ++wm.hookCallDepth;
        struct Guard {
            ~Guard() {
                --Wm().hookCallDepth;
                PurgeRemoved();
            }
        } guard;
        return proc(code, wParam, lParam);
    }
    return 0;
}

}  // namespace

bool HasHooks(int kind) {
    WindowManager& wm = Wm();
    auto it = wm.hookChains.find(kind);
    if (it == wm.hookChains.end()) return false;
    for (HHOOK handle : it->second) {
        Hook* h = wm.hooks.Get(handle);
        if (h && !h->removed) return true;
    }
    return false;
}

LRESULT CallHookChain(int kind, int code, WPARAM wParam, LPARAM lParam) {
    return CallFrom(kind, 0, code, wParam, lParam);
}

}  // namespace user

using namespace user;

HHOOK SetWindowsHookExA(int idHook, HOOKPROC proc, HINSTANCE, DWORD) {
    if (!proc || !SupportedKind(idHook)) return nullptr;
    WindowManager& wm = Wm();
    auto hook = std::make_unique<Hook>();
    hook->kind = idHook;
    hook->proc = proc;
    HHOOK handle = ToHandle<HHOOK>(wm.hooks.Add(std::move(hook)));
    if (!handle) return nullptr;
    auto& chain = wm.hookChains[idHook];
    chain.insert(chain.begin(), handle);
    return handle;
}

BOOL UnhookWindowsHookEx(HHOOK handle) {
    WindowManager& wm = Wm();
    Hook* h = wm.hooks.Get(handle);
    if (!h || h->removed) return FALSE;
    h->removed = true;
    PurgeRemoved();
    return TRUE;
}

LRESULT CallNextHookEx(HHOOK handle, int code, WPARAM wParam, LPARAM lParam) {
    WindowManager& wm = Wm();
    Hook* h = wm.hooks.Get(handle);
    if (!h) return 0;
    auto& chain = wm.hookChains[h->kind];
    auto it = std::find(chain.begin(), chain.end(), handle);
    if (it == chain.end()) return 0;
    return CallFrom(h->kind, static_cast<std::size_t>(it - chain.begin()) + 1, code, wParam, lParam);
}

}  // namespace win32
