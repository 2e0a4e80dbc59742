// The window tree: parents, owners, siblings, enumeration and search.
#include <algorithm>
#include <cstring>
#include <strings.h>

#include "platform/user/window_manager.h"

namespace win32 {

using namespace user;

HWND GetDesktopWindow() { return Wm().DesktopHandle(); }

HWND GetParent(HWND hwnd) {
    Window* w = Wm().Find(hwnd);
    if (!w) return nullptr;
    // Win32's quirk: a child's parent, a pop-up's owner, nothing otherwise.
    if (w->style & WS_CHILD) return w->parent == Wm().DesktopHandle() ? nullptr : w->parent;
    if (w->style & WS_POPUP) return w->owner;
    return nullptr;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    if (!w || hwnd == wm.DesktopHandle()) return nullptr;
    switch (flags) {
        case GA_PARENT: return w->parent;
        case GA_ROOT: return TopLevelOf(hwnd);
        case GA_ROOTOWNER: {
            HWND root = TopLevelOf(hwnd);
            for (Window* r = wm.Find(root); r && r->owner; r = wm.Find(r->owner)) root = r->owner;
            return root;
        }
        default: return nullptr;
    }
}

HWND SetParent(HWND child, HWND newParent) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(child);
    if (!w || child == wm.DesktopHandle()) return nullptr;
    if (!newParent) newParent = wm.DesktopHandle();
    Window* p = wm.Find(newParent);
    if (!p || newParent == child || IsDescendant(child, newParent)) return nullptr;
    HWND old = w->parent;
    if (old == newParent) return old;
    bool visible = (w->style & WS_VISIBLE) != 0;
    if (visible) ShowWindow(child, SW_HIDE);
    if (!(w = wm.Find(child)) || !(p = wm.Find(newParent))) return nullptr;
    RECT oldScreen = ScreenWindowRect(w);
    (void)oldScreen;
    UnlinkFromParent(w);
    bool wasTop = w->host != 0;
    w->parent = newParent;
    // The position stays the same relative to the new parent, as in Win32.
    LinkIntoParent(w, HWND_TOP);
    backend::Backend* b = wm.Backend();
    if (wasTop && !IsTopLevel(w)) {
        if (b) b->DestroyHost(w->host);
        wm.hosts.erase(w->host);
        w->host = 0;
    } else if (!wasTop && IsTopLevel(w) && b) {
        backend::HostParams params;
        params.kind = (w->exStyle & WS_EX_TOOLWINDOW) ? backend::HostKind::Tool : backend::HostKind::Popup;
        params.bounds = w->window;
        params.title = w->text;
        w->host = b->CreateHost(params);
        if (w->host) wm.hosts[w->host] = child;
    }
    if (IsTopLevel(w) && wm.focus && (wm.focus == child || IsDescendant(child, wm.focus))) {
        // The focus moves with the window; its top-level window changed.
    }
    if (visible) ShowWindow(child, SW_SHOWNA);
    return old == wm.DesktopHandle() ? wm.DesktopHandle() : old;
}

HWND GetWindow(HWND hwnd, UINT cmd) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    if (!w) return nullptr;
    if (cmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
    if (cmd == GW_OWNER) return w->owner;
    if (cmd == GW_ENABLEDPOPUP) {
        for (HWND h : wm.Desktop()->children) {
            Window* o = wm.Find(h);
            if (o && o->owner == hwnd && (o->style & WS_VISIBLE) && !(o->style & WS_DISABLED)) return h;
        }
        return nullptr;
    }
    Window* parent = wm.Find(w->parent);
    if (!parent) return nullptr;
    const auto& list = parent->children;
    auto it = std::find(list.begin(), list.end(), hwnd);
    if (it == list.end()) return nullptr;
    switch (cmd) {
        case GW_HWNDFIRST: return list.front();
        case GW_HWNDLAST: return list.back();
        case GW_HWNDNEXT: return it + 1 == list.end() ? nullptr : *(it + 1);
        case GW_HWNDPREV: return it == list.begin() ? nullptr : *(it - 1);
        default: return nullptr;
    }
}

HWND GetTopWindow(HWND hwnd) { return GetWindow(hwnd ? hwnd : Wm().DesktopHandle(), GW_CHILD); }

HWND GetNextWindow(HWND hwnd, UINT cmd) { return GetWindow(hwnd, cmd); }

HWND GetLastActivePopup(HWND hwnd) {
    Window* w = Wm().Find(hwnd);
    if (!w) return nullptr;
    Window* popup = Wm().Find(w->lastActivePopup);
    if (popup && (popup->style & WS_VISIBLE) && !(popup->style & WS_DISABLED)) return popup->hwnd;
    return hwnd;
}

BOOL IsChild(HWND parent, HWND hwnd) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    if (!w || !wm.Find(parent)) return FALSE;
    // Only the chain of WS_CHILD windows counts.
    while (w && (w->style & WS_CHILD)) {
        if (w->parent == parent) return TRUE;
        w = wm.Find(w->parent);
    }
    return FALSE;
}

namespace {

// Enumerates over a snapshot, skipping windows destroyed meanwhile.
bool EnumDescendants(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
    Window* p = Wm().Find(parent);
    if (!p) return true;
    std::vector<HWND> children = p->children;
    for (HWND h : children) {
        if (!Wm().Find(h)) continue;
        if (!proc(h, lParam)) return false;
        if (!EnumDescendants(h, proc, lParam)) return false;
    }
    return true;
}

bool Matches(Window* w, LPCSTR className, LPCSTR windowName) {
    if (className) {
        if (!w->cls) return false;
        if (IS_INTRESOURCE(className)) {
            if (w->cls->atom != static_cast<ATOM>(reinterpret_cast<UINT_PTR>(className))) return false;
        } else if (strcasecmp(w->cls->name.c_str(), className) != 0) {
            return false;
        }
    }
    return !windowName || w->text == windowName;
}

}  // namespace

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
    if (!proc) return FALSE;
    if (!parent) parent = Wm().DesktopHandle();
    if (!Wm().Find(parent)) return FALSE;
    EnumDescendants(parent, proc, lParam);
    return TRUE;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
    if (!proc) return FALSE;
    std::vector<HWND> top = Wm().Desktop()->children;
    for (HWND h : top) {
        if (Wm().Find(h) && !proc(h, lParam)) break;
    }
    return TRUE;
}

BOOL EnumThreadWindows(DWORD, WNDENUMPROC proc, LPARAM lParam) { return EnumWindows(proc, lParam); }

HWND FindWindowExA(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName) {
    WindowManager& wm = Wm();
    Window* p = wm.Find(parent ? parent : wm.DesktopHandle());
    if (!p) return nullptr;
    bool started = childAfter == nullptr;
    for (HWND h : p->children) {
        if (!started) {
            started = h == childAfter;
            continue;
        }
        Window* w = wm.Find(h);
        if (w && Matches(w, className, windowName)) return h;
    }
    return nullptr;
}

HWND FindWindowA(LPCSTR className, LPCSTR windowName) { return FindWindowExA(nullptr, nullptr, className, windowName); }

DWORD GetWindowThreadProcessId(HWND hwnd, LPDWORD processId) {
    if (!Wm().Find(hwnd)) return 0;
    if (processId) *processId = 1;
    return 1;
}

HWND GetDlgItem(HWND dialog, int id) {
    WindowManager& wm = Wm();
    Window* p = wm.Find(dialog);
    if (!p) return nullptr;
    for (HWND h : p->children) {
        Window* c = wm.Find(h);
        if (c && static_cast<int>(c->id) == id) return h;
    }
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
    Window* w = Wm().Find(hwnd);
    if (!w || !(w->style & WS_CHILD)) return 0;
    return static_cast<int>(w->id);
}

}  // namespace win32
