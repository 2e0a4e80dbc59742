// The object table behind the standard controls' window procedures and
// their shared helpers.
#include "platform/user/control_base.h"

#include <map>

namespace win32::user::controls {

namespace {

std::map<HWND, std::unique_ptr<Control>>& Table() {
    static std::map<HWND, std::unique_ptr<Control>> table;
    return table;
}

// Objects of windows that vanished without WM_NCDESTROY (a reset of the
// window system) or whose handle is being given out again.
void DropStale(HWND reused) {
    auto& table = Table();
    for (auto it = table.begin(); it != table.end();) {
        if (it->first == reused || !IsWindow(it->first)) it = table.erase(it);
        else ++it;
    }
}

}  // namespace

Control* Control::FromWindow(HWND hwnd) {
    auto& table = Table();
    auto it = table.find(hwnd);
    if (it == table.end() || it->second->destroyed_) return nullptr;
    return it->second.get();
}

LRESULT Control::Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, Factory make) {
    auto& table = Table();
    auto it = table.find(hwnd);
    Control* c = it == table.end() ? nullptr : it->second.get();
    if (msg == WM_NCCREATE && lParam && (!c || c->depth_ == 0)) {
        DropStale(hwnd);
        table[hwnd] = make(hwnd, *reinterpret_cast<const CREATESTRUCTA*>(lParam));
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    if (!c || c->destroyed_) return DefWindowProcA(hwnd, msg, wParam, lParam);
    ++c->depth_;
    LRESULT result = c->Message(msg, wParam, lParam);
    --c->depth_;
    if (msg == WM_NCDESTROY) c->destroyed_ = true;
    if (c->destroyed_ && c->depth_ == 0) {
        auto again = table.find(hwnd);
        if (again != table.end() && again->second.get() == c) table.erase(again);
    }
    return result;
}

std::string Control::Text() const {
    int n = GetWindowTextLengthA(hwnd_);
    if (n <= 0) return {};
    std::string s(static_cast<std::size_t>(n) + 1, '\0');
    int got = GetWindowTextA(hwnd_, s.data(), n + 1);
    s.resize(static_cast<std::size_t>(got < 0 ? 0 : got));
    return s;
}

void Control::Notify(int code) {
    HWND parent = Parent();
    if (!parent) return;
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(Id()), static_cast<WORD>(code)),
                 reinterpret_cast<LPARAM>(hwnd_));
}

HBRUSH Control::ControlColor(HDC dc, UINT ctlColorMsg) {
    HWND parent = Parent();
    WPARAM w = reinterpret_cast<WPARAM>(dc);
    LPARAM l = reinterpret_cast<LPARAM>(hwnd_);
    HBRUSH brush = parent ? reinterpret_cast<HBRUSH>(SendMessageA(parent, ctlColorMsg, w, l)) : nullptr;
    if (!brush) brush = reinterpret_cast<HBRUSH>(DefWindowProcA(parent ? parent : hwnd_, ctlColorMsg, w, l));
    return brush;
}

RECT MeasureControlText(HDC dc, const std::string& text, const RECT& bounds, UINT format) {
    RECT r = bounds;
    UINT calc = (format & ~(DT_VCENTER | DT_BOTTOM | DT_CENTER | DT_RIGHT)) | DT_CALCRECT;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, calc);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int bw = bounds.right - bounds.left, bh = bounds.bottom - bounds.top;
    RECT placed = bounds;
    if (format & DT_CENTER) placed.left = bounds.left + (bw - w) / 2;
    else if (format & DT_RIGHT) placed.left = bounds.right - w;
    placed.right = placed.left + w;
    if (format & DT_VCENTER) placed.top = bounds.top + (bh - h) / 2;
    else if (format & DT_BOTTOM) placed.top = bounds.bottom - h;
    placed.bottom = placed.top + h;
    return placed;
}

int DrawControlText(HDC dc, const std::string& text, RECT rect, UINT format, bool enabled) {
    int oldMode = SetBkMode(dc, TRANSPARENT);
    const int n = static_cast<int>(text.size());
    int height;
    if (enabled) {
        height = DrawTextA(dc, text.c_str(), n, &rect, format);
    } else {
        COLORREF old = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        RECT shifted = rect;
        OffsetRect(&shifted, 1, 1);
        DrawTextA(dc, text.c_str(), n, &shifted, format);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
        height = DrawTextA(dc, text.c_str(), n, &rect, format);
        SetTextColor(dc, old);
    }
    SetBkMode(dc, oldMode);
    return height;
}

void RegisterControlClass(const char* name, WNDPROC proc, UINT style, LPCSTR cursor) {
    WNDCLASSA wc{};
    if (GetClassInfoA(nullptr, name, &wc)) return;
    wc = WNDCLASSA{};
    wc.style = style | CS_GLOBALCLASS;
    wc.lpfnWndProc = proc;
    wc.hCursor = LoadCursorA(nullptr, cursor);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

}  // namespace win32::user::controls
