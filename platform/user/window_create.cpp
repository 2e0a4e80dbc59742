// Creating and destroying windows, with Win32's message order:
// WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, then showing;
// on destruction WM_DESTROY top-down and WM_NCDESTROY bottom-up.
#include <algorithm>

#include "platform/user/menu_bridge.h"
#include "platform/user/window_class.h"
#include "platform/user/window_manager.h"

namespace win32 {
namespace user {
namespace {

int defaultPositionCount = 0;

bool WantsMinMaxInfo(DWORD style) { return (style & WS_THICKFRAME) || !(style & (WS_POPUP | WS_CHILD)); }

void ApplyDefaultPlacement(DWORD style, HWND parent, int& x, int& y, int& cx, int& cy) {
    bool overlapped = !(style & (WS_POPUP | WS_CHILD));
    SIZE screen = Wm().ScreenSize();
    if (x == CW_USEDEFAULT) {
        if (overlapped && !parent) {
            int step = 22 * (defaultPositionCount++ % 8);
            x = 22 + step;
            y = 22 + step;
        } else {
            x = 0;
            y = 0;
        }
    }
    if (cx == CW_USEDEFAULT) {
        if (overlapped && !parent) {
            cx = screen.cx * 3 / 4;
            cy = screen.cy * 3 / 4;
        } else {
            cx = 0;
            cy = 0;
        }
    }
}

backend::HostKind HostKindFor(const Window& w) {
    if (w.exStyle & WS_EX_TOOLWINDOW) return (w.style & WS_CAPTION) == WS_CAPTION ? backend::HostKind::Tool
                                                                                  : backend::HostKind::Popup;
    if ((w.style & WS_POPUP) && (w.style & WS_CAPTION) != WS_CAPTION) return backend::HostKind::Popup;
    return backend::HostKind::Overlapped;
}

void CreateHost(Window& w) {
    backend::Backend* b = Wm().Backend();
    if (!b) return;
    backend::HostParams params;
    params.kind = HostKindFor(w);
    params.bounds = w.window;
    Window* owner = Wm().Find(w.owner);
    params.owner = owner ? owner->host : 0;
    params.title = w.text;
    params.topmost = (w.exStyle & WS_EX_TOPMOST) != 0;
    w.host = b->CreateHost(params);
    if (w.host) Wm().hosts[w.host] = w.hwnd;
}

// Removes the window object; its children must be gone already.
void FreeWindowObject(HWND hwnd) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    if (!w) return;
    UnlinkFromParent(w);
    if (w->cls) --w->cls->windowCount;
    if (w->host) {
        if (backend::Backend* b = wm.Backend()) b->DestroyHost(w->host);
        wm.hosts.erase(w->host);
    }
    if (wm.focus == hwnd) wm.focus = nullptr;
    if (wm.active == hwnd) wm.active = nullptr;
    if (wm.capture == hwnd) wm.capture = nullptr;
    if (wm.lockedWindow == hwnd) wm.lockedWindow = nullptr;
    if (wm.lastClick.hwnd == hwnd) wm.lastClick = ClickRecord{};
    wm.RemoveWindow(hwnd);
}

void SendDestroyMessages(HWND hwnd) {
    Send(hwnd, WM_DESTROY);
    Window* w = Wm().Find(hwnd);
    if (!w) return;
    std::vector<HWND> children = w->children;
    for (HWND child : children) {
        Window* c = Wm().Find(child);
        if (!c) continue;
        c->destroying = true;
        SendDestroyMessages(child);
    }
}

void FreeWindowTree(HWND hwnd) {
    Window* w = Wm().Find(hwnd);
    if (!w) return;
    std::vector<HWND> children = w->children;
    for (HWND child : children) FreeWindowTree(child);
    KillWindowTimers(hwnd);
    RemovePostedMessages(hwnd);
    ReleaseWindowDCs(hwnd);
    CancelTrackingOf(hwnd);
    menu::WindowDestroyed(hwnd);
    Send(hwnd, WM_NCDESTROY);
    // Children created from inside WM_NCDESTROY go too.
    if (Window* again = Wm().Find(hwnd)) {
        std::vector<HWND> late = again->children;
        for (HWND child : late) FreeWindowTree(child);
    }
    FreeWindowObject(hwnd);
}

void NotifyParent(Window* w, UINT event) {
    if (!IsChildWindow(w) || (w->exStyle & WS_EX_NOPARENTNOTIFY)) return;
    WPARAM wp = MAKEWPARAM(static_cast<WORD>(event), static_cast<WORD>(w->id));
    HWND child = w->hwnd;
    // Each ancestor up to the top-level window hears of it, nearest first.
    HWND parent = w->parent;
    while (Window* p = Wm().Find(parent)) {
        if (IsTopLevel(p) || p->hwnd == Wm().DesktopHandle()) {
            if (p->hwnd != Wm().DesktopHandle()) Send(parent, WM_PARENTNOTIFY, wp, reinterpret_cast<LPARAM>(child));
            break;
        }
        Send(parent, WM_PARENTNOTIFY, wp, reinterpret_cast<LPARAM>(child));
        if (p->exStyle & WS_EX_NOPARENTNOTIFY) break;
        Window* again = Wm().Find(parent);
        if (!again) break;
        parent = again->parent;
    }
}

}  // namespace

}  // namespace user

using namespace user;

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parentArg, HMENU menu, HINSTANCE instance, LPVOID param) {
    WindowManager& wm = Wm();
    WindowClass* cls = FindClass(className);
    if (!cls) return nullptr;
    HWND parent = wm.DesktopHandle();
    HWND owner = nullptr;
    if (parentArg == HWND_MESSAGE) parentArg = nullptr;
    if (style & WS_CHILD) {
        Window* p = wm.Find(parentArg);
        if (!p) return nullptr;  // a child needs a parent
        parent = parentArg;
    } else if (parentArg) {
        if (!wm.Find(parentArg)) return nullptr;
        owner = TopLevelOf(parentArg);
    }
    ApplyDefaultPlacement(style, (style & WS_CHILD) ? parent : owner, x, y, width, height);

    auto object = std::make_unique<Window>();
    Window* w = object.get();
    HWND hwnd = ToHwnd(wm.Windows().Add(std::move(object)));
    if (!hwnd) return nullptr;
    w->hwnd = hwnd;
    w->cls = cls;
    ++cls->windowCount;
    w->proc = cls->proc;
    // Overlapped windows always have a caption and clip their siblings.
    if (!(style & (WS_CHILD | WS_POPUP))) style |= WS_CAPTION | WS_CLIPSIBLINGS;
    bool visible = (style & WS_VISIBLE) != 0;
    DWORD minMax = style & (WS_MINIMIZE | WS_MAXIMIZE);
    w->style = style & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
    if ((exStyle & WS_EX_DLGMODALFRAME) || (style & (WS_DLGFRAME | WS_THICKFRAME))) exStyle |= WS_EX_WINDOWEDGE;
    w->exStyle = exStyle;
    w->parent = parent;
    w->owner = owner;
    w->instance = instance;
    w->id = reinterpret_cast<UINT_PTR>(menu);
    w->extra.assign(static_cast<std::size_t>(cls->wndExtra), 0);
    w->text = windowName && !IS_INTRESOURCE(windowName) ? windowName : "";
    w->lastActivePopup = hwnd;
    if (!(style & WS_CHILD) && !menu && cls->menuName) w->id = reinterpret_cast<UINT_PTR>(menu::LoadClassMenu(cls));
    LinkIntoParent(w, (style & WS_CHILD) ? HWND_BOTTOM : HWND_TOP);

    CREATESTRUCTA cs{};
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = parentArg;
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.style = static_cast<LONG>(style);
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;

    if (WantsMinMaxInfo(style)) {
        MINMAXINFO mmi = DefaultMinMaxInfo(hwnd);
        Send(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        if (!wm.Find(hwnd)) return nullptr;
        if (cs.cx > mmi.ptMaxTrackSize.x) cs.cx = mmi.ptMaxTrackSize.x;
        if (cs.cy > mmi.ptMaxTrackSize.y) cs.cy = mmi.ptMaxTrackSize.y;
        if (cs.cx < mmi.ptMinTrackSize.x && (style & WS_THICKFRAME)) cs.cx = mmi.ptMinTrackSize.x;
        if (cs.cy < mmi.ptMinTrackSize.y && (style & WS_THICKFRAME)) cs.cy = mmi.ptMinTrackSize.y;
    }
    if (cs.cx < 0) cs.cx = 0;
    if (cs.cy < 0) cs.cy = 0;
    w = wm.Find(hwnd);
    w->window = RECT{cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy};
    w->client = w->window;
    w->normalRect = w->window;
    if (IsTopLevel(w)) CreateHost(*w);

    if (!Send(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        if (wm.Find(hwnd)) DestroyWindow(hwnd);
        return nullptr;
    }
    w = wm.Find(hwnd);
    if (!w) return nullptr;
    w->created = true;
    RECT client = ComputeClientRect(hwnd, w->window);
    w = wm.Find(hwnd);
    if (!w) return nullptr;
    w->client = client;

    if (Send(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        if (wm.Find(hwnd)) DestroyWindow(hwnd);
        return nullptr;
    }
    w = wm.Find(hwnd);
    if (!w) return nullptr;
    if (!visible && !w->sentPosChanged) {
        w->sentPosChanged = true;
        Send(hwnd, WM_SIZE, SIZE_RESTORED,
             MAKELPARAM(static_cast<WORD>(w->client.right - w->client.left),
                        static_cast<WORD>(w->client.bottom - w->client.top)));
        if (!(w = wm.Find(hwnd))) return nullptr;
        Send(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(w->client.left), static_cast<WORD>(w->client.top)));
        if (!(w = wm.Find(hwnd))) return nullptr;
    }
    NotifyParent(w, WM_CREATE);
    if (!wm.Find(hwnd)) return nullptr;
    if (minMax & WS_MAXIMIZE) {
        ShowWindow(hwnd, visible ? SW_SHOWMAXIMIZED : SW_MAXIMIZE);
        if (!visible) ShowWindow(hwnd, SW_HIDE);
    } else if (minMax & WS_MINIMIZE) {
        ShowWindow(hwnd, visible ? SW_SHOWMINIMIZED : SW_MINIMIZE);
        if (!visible) ShowWindow(hwnd, SW_HIDE);
    } else if (visible) {
        ShowWindow(hwnd, SW_SHOW);
    }
    return wm.Find(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    if (!w || hwnd == wm.DesktopHandle() || w->destroying) return FALSE;
    w->destroying = true;
    NotifyParent(w, WM_DESTROY);
    if (!(w = wm.Find(hwnd))) return TRUE;

    if (w->style & WS_VISIBLE) {
        UINT flags = SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER;
        if (wm.active != hwnd) flags |= SWP_NOACTIVATE;
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, flags);
        if (!(w = wm.Find(hwnd))) return TRUE;
    }
    // Owned windows go before their owner.
    if (IsTopLevel(w)) {
        std::vector<HWND> owned;
        for (HWND h : wm.Desktop()->children) {
            Window* o = wm.Find(h);
            if (o && o->owner == hwnd) owned.push_back(h);
        }
        for (HWND h : owned) {
            if (Window* o = wm.Find(h)) {
                if (!o->destroying) DestroyWindow(h);
                else o->owner = nullptr;
            }
        }
    }
    OnWindowHiddenOrDestroyed(hwnd);
    ReleaseCaptureOf(hwnd);
    if (!wm.Find(hwnd)) return TRUE;
    SendDestroyMessages(hwnd);
    FreeWindowTree(hwnd);
    return TRUE;
}

BOOL IsWindow(HWND hwnd) { return Wm().Find(hwnd) != nullptr; }

}  // namespace win32
