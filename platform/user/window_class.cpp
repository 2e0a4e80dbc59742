// Window classes: registration, lookup by name or atom, class data.
#include <cstring>
#include <strings.h>

#include "platform/user/window_class.h"
#include "platform/user/window_manager.h"

namespace win32 {
namespace user {

WindowClass* FindClass(LPCSTR name) {
    if (!name) return nullptr;
    WindowManager& wm = Wm();
    if (IS_INTRESOURCE(name)) {
        ATOM atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(name));
        for (auto& c : wm.classes) {
            if (c->atom == atom) return c.get();
        }
        return nullptr;
    }
    // Class names compare without regard to case, as in Win32.
    for (auto& c : wm.classes) {
        if (strcasecmp(c->name.c_str(), name) == 0) return c.get();
    }
    // The system's own control classes are registered when first asked for.
    static bool registering = false;
    if (registering) return nullptr;
    registering = true;
    bool made = RegisterSystemClass(name);
    registering = false;
    return made ? FindClass(name) : nullptr;
}

namespace {

ATOM Register(const WNDCLASSEXA& wc) {
    if (!wc.lpszClassName || IS_INTRESOURCE(wc.lpszClassName) || !*wc.lpszClassName || !wc.lpfnWndProc) return 0;
    if (wc.cbClsExtra < 0 || wc.cbWndExtra < 0 || wc.cbClsExtra > 40000 || wc.cbWndExtra > 40000) return 0;
    if (FindClass(wc.lpszClassName)) return 0;  // ERROR_CLASS_ALREADY_EXISTS
    WindowManager& wm = Wm();
    auto c = std::make_unique<WindowClass>();
    c->name = wc.lpszClassName;
    c->atom = wm.nextAtom++;
    c->style = wc.style;
    c->proc = wc.lpfnWndProc;
    c->clsExtra = wc.cbClsExtra;
    c->wndExtra = wc.cbWndExtra;
    c->instance = wc.hInstance;
    c->icon = wc.hIcon;
    c->iconSmall = wc.hIconSm;
    c->cursor = wc.hCursor;
    c->background = wc.hbrBackground;
    if (wc.lpszMenuName && !IS_INTRESOURCE(wc.lpszMenuName)) {
        c->menuNameText = wc.lpszMenuName;
        c->menuName = c->menuNameText.c_str();
    } else {
        c->menuName = wc.lpszMenuName;
    }
    c->extra.assign(static_cast<std::size_t>(wc.cbClsExtra), 0);
    ATOM atom = c->atom;
    wm.classes.push_back(std::move(c));
    return atom;
}

void FillClassInfo(const WindowClass& c, WNDCLASSEXA& wc) {
    wc.style = c.style;
    wc.lpfnWndProc = c.proc;
    wc.cbClsExtra = c.clsExtra;
    wc.cbWndExtra = c.wndExtra;
    wc.hInstance = c.instance;
    wc.hIcon = c.icon;
    wc.hCursor = c.cursor;
    wc.hbrBackground = c.background;
    wc.lpszMenuName = c.menuName;
    wc.lpszClassName = c.name.c_str();
    wc.hIconSm = c.iconSmall;
}

}  // namespace
}  // namespace user

using namespace user;

ATOM RegisterClassA(const WNDCLASSA* wc) {
    if (!wc) return 0;
    WNDCLASSEXA ex{};
    ex.cbSize = sizeof(ex);
    ex.style = wc->style;
    ex.lpfnWndProc = wc->lpfnWndProc;
    ex.cbClsExtra = wc->cbClsExtra;
    ex.cbWndExtra = wc->cbWndExtra;
    ex.hInstance = wc->hInstance;
    ex.hIcon = wc->hIcon;
    ex.hCursor = wc->hCursor;
    ex.hbrBackground = wc->hbrBackground;
    ex.lpszMenuName = wc->lpszMenuName;
    ex.lpszClassName = wc->lpszClassName;
    return Register(ex);
}

ATOM RegisterClassExA(const WNDCLASSEXA* wc) {
    if (!wc || wc->cbSize != sizeof(WNDCLASSEXA)) return 0;
    return Register(*wc);
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE) {
    WindowClass* c = FindClass(className);
    if (!c || c->windowCount > 0) return FALSE;  // a class in use stays
    auto& list = Wm().classes;
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->get() == c) {
            list.erase(it);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL GetClassInfoExA(HINSTANCE, LPCSTR className, WNDCLASSEXA* wc) {
    WindowClass* c = FindClass(className);
    if (!c || !wc) return FALSE;
    FillClassInfo(*c, *wc);
    wc->cbSize = sizeof(WNDCLASSEXA);
    return c->atom;
}

BOOL GetClassInfoA(HINSTANCE instance, LPCSTR className, WNDCLASSA* wc) {
    WNDCLASSEXA ex{};
    if (!wc || !GetClassInfoExA(instance, className, &ex)) return FALSE;
    wc->style = ex.style;
    wc->lpfnWndProc = ex.lpfnWndProc;
    wc->cbClsExtra = ex.cbClsExtra;
    wc->cbWndExtra = ex.cbWndExtra;
    wc->hInstance = ex.hInstance;
    wc->hIcon = ex.hIcon;
    wc->hCursor = ex.hCursor;
    wc->hbrBackground = ex.hbrBackground;
    wc->lpszMenuName = ex.lpszMenuName;
    wc->lpszClassName = ex.lpszClassName;
    return TRUE;
}

int GetClassNameA(HWND hwnd, LPSTR buffer, int size) {
    Window* w = Wm().Find(hwnd);
    if (!w || !buffer || size <= 0) return 0;
    const std::string& name = w->cls ? w->cls->name : std::string("#32769");
    int n = static_cast<int>(name.size());
    if (n > size - 1) n = size - 1;
    std::memcpy(buffer, name.data(), static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return n;
}

ULONG_PTR GetClassLongPtrA(HWND hwnd, int index) {
    Window* w = Wm().Find(hwnd);
    if (!w || !w->cls) return 0;
    WindowClass& c = *w->cls;
    if (index >= 0) {
        if (static_cast<std::size_t>(index) + sizeof(ULONG_PTR) > c.extra.size()) return 0;
        ULONG_PTR v;
        std::memcpy(&v, c.extra.data() + index, sizeof v);
        return v;
    }
    switch (index) {
        case GCLP_MENUNAME: return reinterpret_cast<ULONG_PTR>(c.menuName);
        case GCLP_HBRBACKGROUND: return reinterpret_cast<ULONG_PTR>(c.background);
        case GCLP_HCURSOR: return reinterpret_cast<ULONG_PTR>(c.cursor);
        case GCLP_HICON: return reinterpret_cast<ULONG_PTR>(c.icon);
        case GCLP_HICONSM: return reinterpret_cast<ULONG_PTR>(c.iconSmall);
        case GCLP_HMODULE: return reinterpret_cast<ULONG_PTR>(c.instance);
        case GCLP_WNDPROC: return reinterpret_cast<ULONG_PTR>(c.proc);
        case GCL_CBWNDEXTRA: return static_cast<ULONG_PTR>(c.wndExtra);
        case GCL_CBCLSEXTRA: return static_cast<ULONG_PTR>(c.clsExtra);
        case GCL_STYLE: return c.style;
        case GCW_ATOM: return c.atom;
        default: return 0;
    }
}

ULONG_PTR SetClassLongPtrA(HWND hwnd, int index, LONG_PTR value) {
    Window* w = Wm().Find(hwnd);
    if (!w || !w->cls) return 0;
    WindowClass& c = *w->cls;
    ULONG_PTR old = GetClassLongPtrA(hwnd, index);
    if (index >= 0) {
        if (static_cast<std::size_t>(index) + sizeof(LONG_PTR) > c.extra.size()) return 0;
        std::memcpy(c.extra.data() + index, &value, sizeof value);
        return old;
    }
    switch (index) {
        case GCLP_HBRBACKGROUND: c.background = reinterpret_cast<HBRUSH>(value); break;
        case GCLP_HCURSOR: c.cursor = reinterpret_cast<HCURSOR>(value); break;
        case GCLP_HICON: c.icon = reinterpret_cast<HICON>(value); break;
        case GCLP_HICONSM: c.iconSmall = reinterpret_cast<HICON>(value); break;
        case GCLP_HMODULE: c.instance = reinterpret_cast<HINSTANCE>(value); break;
        case GCLP_WNDPROC: c.proc = reinterpret_cast<WNDPROC>(value); break;
        case GCL_STYLE: c.style = static_cast<UINT>(value); break;
        default: return 0;
    }
    return old;
}

DWORD GetClassLongA(HWND hwnd, int index) { return static_cast<DWORD>(GetClassLongPtrA(hwnd, index)); }

DWORD SetClassLongA(HWND hwnd, int index, LONG value) {
    if (index == GCLP_WNDPROC || index == GCLP_HBRBACKGROUND || index == GCLP_HCURSOR || index == GCLP_HICON ||
        index == GCLP_HICONSM || index == GCLP_HMODULE)
        return 0;  // pointer-sized values do not fit
    return static_cast<DWORD>(SetClassLongPtrA(hwnd, index, value));
}

}  // namespace win32
