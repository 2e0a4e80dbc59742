// Per-window data: window longs (procedure, styles, identifier, user data,
// extra bytes), window text and properties.
#include <algorithm>
#include <cstring>

#include "platform/user/window_manager.h"
#include "platform/user/window_text.h"

namespace win32 {
namespace user {
namespace {

bool ExtraFits(const Window* w, int index, std::size_t size) {
    return index >= 0 && static_cast<std::size_t>(index) + size <= w->extra.size();
}

template <class T>
T ReadExtra(const Window* w, int index) {
    T v{};
    std::memcpy(&v, w->extra.data() + index, sizeof v);
    return v;
}

template <class T>
void WriteExtra(Window* w, int index, T v) {
    std::memcpy(w->extra.data() + index, &v, sizeof v);
}

LONG_PTR SetStyle(HWND hwnd, int index, DWORD value) {
    Window* w = Wm().Find(hwnd);
    DWORD old = index == GWL_STYLE ? w->style : w->exStyle;
    STYLESTRUCT ss{old, value};
    Send(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
    if (!(w = Wm().Find(hwnd))) return 0;
    if (index == GWL_STYLE) w->style = ss.styleNew;
    else w->exStyle = ss.styleNew;
    Send(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
    return static_cast<LONG_PTR>(old);
}

}  // namespace

int CopyTextOut(const std::string& text, char* buffer, std::size_t size) {
    if (!buffer || size == 0) return 0;
    std::size_t n = std::min(text.size(), size - 1);
    while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

}  // namespace user

using namespace user;

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) {
    Window* w = Wm().Find(hwnd);
    if (!w) return 0;
    if (index >= 0) return ExtraFits(w, index, sizeof(LONG_PTR)) ? ReadExtra<LONG_PTR>(w, index) : 0;
    switch (index) {
        case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
        case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
        case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(GetParent(hwnd));
        case GWL_STYLE: return static_cast<LONG_PTR>(w->style);
        case GWL_EXSTYLE: return static_cast<LONG_PTR>(w->exStyle);
        case GWLP_USERDATA: return w->userData;
        case GWLP_ID: return static_cast<LONG_PTR>(w->id);
        default: return 0;
    }
}

LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    if (!w || hwnd == wm.DesktopHandle()) return 0;
    if (index >= 0) {
        if (!ExtraFits(w, index, sizeof(LONG_PTR))) return 0;
        LONG_PTR old = ReadExtra<LONG_PTR>(w, index);
        WriteExtra(w, index, value);
        return old;
    }
    LONG_PTR old = GetWindowLongPtrA(hwnd, index);
    switch (index) {
        case GWLP_WNDPROC:
            if (!value) return 0;
            w->proc = reinterpret_cast<WNDPROC>(value);
            return old;
        case GWLP_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(value); return old;
        case GWLP_HWNDPARENT: {
            if (w->style & WS_CHILD) return reinterpret_cast<LONG_PTR>(SetParent(hwnd, reinterpret_cast<HWND>(value)));
            HWND owner = reinterpret_cast<HWND>(value);
            if (owner && !wm.Find(owner)) return 0;
            LONG_PTR previous = reinterpret_cast<LONG_PTR>(w->owner);
            w->owner = owner ? TopLevelOf(owner) : nullptr;
            return previous;
        }
        case GWL_STYLE:
        case GWL_EXSTYLE: return SetStyle(hwnd, index, static_cast<DWORD>(value));
        case GWLP_USERDATA: w->userData = value; return old;
        case GWLP_ID: w->id = static_cast<UINT_PTR>(value); return old;
        default: return 0;
    }
}

LONG GetWindowLongA(HWND hwnd, int index) {
    Window* w = Wm().Find(hwnd);
    if (!w) return 0;
    if (index >= 0) return ExtraFits(w, index, sizeof(LONG)) ? ReadExtra<LONG>(w, index) : 0;
    if (index == GWLP_WNDPROC || index == GWLP_HINSTANCE || index == GWLP_HWNDPARENT) return 0;
    return static_cast<LONG>(GetWindowLongPtrA(hwnd, index));
}

LONG SetWindowLongA(HWND hwnd, int index, LONG value) {
    Window* w = Wm().Find(hwnd);
    if (!w) return 0;
    if (index >= 0) {
        if (!ExtraFits(w, index, sizeof(LONG))) return 0;
        LONG old = ReadExtra<LONG>(w, index);
        WriteExtra(w, index, value);
        return old;
    }
    if (index == GWLP_WNDPROC || index == GWLP_HINSTANCE || index == GWLP_HWNDPARENT) return 0;
    return static_cast<LONG>(SetWindowLongPtrA(hwnd, index, value));
}

WORD GetWindowWord(HWND hwnd, int index) {
    Window* w = Wm().Find(hwnd);
    if (!w || !ExtraFits(w, index, sizeof(WORD))) return 0;
    return ReadExtra<WORD>(w, index);
}

WORD SetWindowWord(HWND hwnd, int index, WORD value) {
    Window* w = Wm().Find(hwnd);
    if (!w || !ExtraFits(w, index, sizeof(WORD))) return 0;
    WORD old = ReadExtra<WORD>(w, index);
    WriteExtra(w, index, value);
    return old;
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
    if (!Wm().Find(hwnd)) return FALSE;
    return Send(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE : FALSE;
}

int GetWindowTextA(HWND hwnd, LPSTR buffer, int size) {
    if (!buffer || size <= 0) return 0;
    buffer[0] = '\0';
    if (!Wm().Find(hwnd)) return 0;
    return static_cast<int>(Send(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthA(HWND hwnd) {
    if (!Wm().Find(hwnd)) return 0;
    return static_cast<int>(Send(hwnd, WM_GETTEXTLENGTH));
}

BOOL SetPropA(HWND hwnd, LPCSTR name, HANDLE data) {
    Window* w = Wm().Find(hwnd);
    if (!w || !name) return FALSE;
    std::string key = IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<UINT_PTR>(name)) : name;
    for (auto& p : w->props) {
        if (p.first == key) {
            p.second = data;
            return TRUE;
        }
    }
    w->props.emplace_back(key, data);
    return TRUE;
}

HANDLE GetPropA(HWND hwnd, LPCSTR name) {
    Window* w = Wm().Find(hwnd);
    if (!w || !name) return nullptr;
    std::string key = IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<UINT_PTR>(name)) : name;
    for (auto& p : w->props) {
        if (p.first == key) return p.second;
    }
    return nullptr;
}

HANDLE RemovePropA(HWND hwnd, LPCSTR name) {
    Window* w = Wm().Find(hwnd);
    if (!w || !name) return nullptr;
    std::string key = IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<UINT_PTR>(name)) : name;
    for (auto it = w->props.begin(); it != w->props.end(); ++it) {
        if (it->first == key) {
            HANDLE data = it->second;
            w->props.erase(it);
            return data;
        }
    }
    return nullptr;
}

}  // namespace win32
