#include "platform/user/window_manager.h"

#include <algorithm>

namespace win32::user {

WindowManager::WindowManager() { CreateDesktop(); }

WindowManager::~WindowManager() = default;

WindowManager& Wm() {
    static WindowManager manager;
    return manager;
}

DWORD WindowManager::Now() const {
    backend::Backend* b = Backend();
    return b ? b->Now() : 0;
}

SIZE WindowManager::ScreenSize() const {
    backend::Backend* b = Backend();
    return b ? b->ScreenSize() : SIZE{1024, 768};
}

void WindowManager::CreateDesktop() {
    auto desktop = std::make_unique<Window>();
    desktop->style = WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_POPUP;
    desktop->created = true;
    Window* raw = desktop.get();
    desktop_ = ToHwnd(windows_.Add(std::move(desktop)));
    raw->hwnd = desktop_;
    SIZE s = ScreenSize();
    raw->window = raw->client = RECT{0, 0, s.cx, s.cy};
}

void WindowManager::Reset() {
    ResetDCs();
    backend::Backend* b = Backend();
    windows_.ForEach([&](std::uintptr_t, Window* w) {
        if (w->host && b) b->DestroyHost(w->host);
    });
    windows_.Clear();
    classes.clear();
    nextAtom = 0xC000;
    registeredMessages.clear();
    posted.clear();
    quitPending = false;
    quitCode = 0;
    input.clear();
    messageTime = 0;
    messagePos = POINT{0, 0};
    sendDepth = 0;
    timers.clear();
    hooks.Clear();
    hookChains.clear();
    hookCallDepth = 0;
    std::fill(std::begin(keyState), std::end(keyState), BYTE{0});
    std::fill(std::begin(asyncKeyState), std::end(asyncKeyState), BYTE{0});
    altAlone = false;
    lastKeyTime = 0;
    lastKeyVk = 0;
    lastKeyText.clear();
    cursorPos = b ? b->CursorPos() : POINT{0, 0};
    capture = nullptr;
    cursor = nullptr;
    cursorShowCount = 0;
    doubleClickTime = 500;
    lastClick = ClickRecord{};
    tracked = TrackedMouse{};
    focus = nullptr;
    active = nullptr;
    appActive = false;
    lockedWindow = nullptr;
    hosts.clear();
    CreateDesktop();
}

// ---- Tree and geometry helpers ------------------------------------------

bool IsTopLevel(const Window* w) { return w && w->parent == Wm().DesktopHandle(); }

bool IsChildWindow(const Window* w) { return w && (w->style & WS_CHILD) && !IsTopLevel(w) && w->parent; }

bool IsReallyVisible(const Window* w) {
    HWND desktop = Wm().DesktopHandle();
    while (w && w->hwnd != desktop) {
        if (!(w->style & WS_VISIBLE)) return false;
        w = Wm().Find(w->parent);
    }
    return w != nullptr;
}

bool IsReallyEnabled(const Window* w) {
    HWND desktop = Wm().DesktopHandle();
    while (w && w->hwnd != desktop) {
        if (w->style & WS_DISABLED) return false;
        if (IsTopLevel(w)) return true;
        w = Wm().Find(w->parent);
    }
    return w != nullptr;
}

HWND TopLevelOf(HWND hwnd) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    if (!w || hwnd == wm.DesktopHandle()) return nullptr;
    while (w && !IsTopLevel(w)) w = wm.Find(w->parent);
    return w ? w->hwnd : nullptr;
}

bool IsDescendant(HWND ancestor, HWND hwnd) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    if (!w || !ancestor) return false;
    for (Window* p = wm.Find(w->parent); p; p = wm.Find(p->parent)) {
        if (p->hwnd == ancestor) return true;
    }
    return false;
}

POINT ClientOrigin(const Window* w) {
    WindowManager& wm = Wm();
    POINT origin{0, 0};
    for (; w && w->hwnd != wm.DesktopHandle(); w = wm.Find(w->parent)) {
        origin.x += w->client.left;
        origin.y += w->client.top;
    }
    return origin;
}

POINT WindowOrigin(const Window* w) {
    if (!w) return POINT{0, 0};
    POINT parentOrigin = ClientOrigin(Wm().Find(w->parent));
    return POINT{parentOrigin.x + w->window.left, parentOrigin.y + w->window.top};
}

RECT ScreenWindowRect(const Window* w) {
    POINT o = WindowOrigin(w);
    return RECT{o.x, o.y, o.x + (w->window.right - w->window.left), o.y + (w->window.bottom - w->window.top)};
}

RECT ScreenClientRect(const Window* w) {
    POINT o = ClientOrigin(w);
    return RECT{o.x, o.y, o.x + (w->client.right - w->client.left), o.y + (w->client.bottom - w->client.top)};
}

RECT ClientInWindow(const Window* w) {
    return RECT{w->client.left - w->window.left, w->client.top - w->window.top, w->client.right - w->window.left,
                w->client.bottom - w->window.top};
}

void UnlinkFromParent(Window* w) {
    Window* parent = Wm().Find(w->parent);
    if (!parent) return;
    auto& list = parent->children;
    list.erase(std::remove(list.begin(), list.end(), w->hwnd), list.end());
}

// Inserts `w` into its parent's child list. Top-level windows keep the
// topmost ones in a band above the others.
void LinkIntoParent(Window* w, HWND insertAfter) {
    WindowManager& wm = Wm();
    Window* parent = wm.Find(w->parent);
    if (!parent) return;
    auto& list = parent->children;
    list.erase(std::remove(list.begin(), list.end(), w->hwnd), list.end());
    bool topLevel = IsTopLevel(w);
    bool topmost = topLevel && (w->exStyle & WS_EX_TOPMOST);
    // The band of positions this window may take: [first, last].
    std::size_t first = 0, last = list.size();
    if (topLevel) {
        std::size_t topmostCount = 0;
        while (topmostCount < list.size()) {
            Window* s = wm.Find(list[topmostCount]);
            if (!s || !(s->exStyle & WS_EX_TOPMOST)) break;
            ++topmostCount;
        }
        if (topmost) last = topmostCount;
        else first = topmostCount;
    }
    std::size_t pos = first;
    if (insertAfter == HWND_BOTTOM) {
        pos = last;
    } else if (insertAfter != HWND_TOP && insertAfter != HWND_TOPMOST && insertAfter != HWND_NOTOPMOST) {
        auto it = std::find(list.begin(), list.end(), insertAfter);
        if (it != list.end()) pos = static_cast<std::size_t>(it - list.begin()) + 1;
    }
    if (pos < first) pos = first;
    if (pos > last) pos = last;
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(pos), w->hwnd);
}

void SyncHostStacking() {
    WindowManager& wm = Wm();
    backend::Backend* b = wm.Backend();
    Window* desktop = wm.Desktop();
    if (!b || !desktop) return;
    std::vector<backend::HostId> order;
    for (HWND h : desktop->children) {
        Window* w = wm.Find(h);
        if (w && w->host && (w->style & WS_VISIBLE)) order.push_back(w->host);
    }
    b->SetHostStacking(order);
}

}  // namespace win32::user
