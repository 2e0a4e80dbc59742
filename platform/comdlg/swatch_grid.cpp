#include "platform/comdlg/swatch_grid.h"

#include <vector>

namespace win32::comdlg {

namespace {

constexpr const char* kGridProp = "comdlg.Swatches";

struct Grid {
    std::vector<COLORREF> colors;
    int columns = 1;
    int selected = -1;
};

Grid* GridOf(HWND hwnd) { return static_cast<Grid*>(GetPropA(hwnd, kGridProp)); }

int Rows(const Grid& g) { return g.colors.empty() ? 0 : (static_cast<int>(g.colors.size()) + g.columns - 1) / g.columns; }

RECT CellRect(HWND hwnd, const Grid& g, int index) {
    RECT client;
    GetClientRect(hwnd, &client);
    const int rows = Rows(g);
    const int col = index % g.columns, row = index / g.columns;
    RECT r{client.right * col / g.columns, client.bottom * row / rows, client.right * (col + 1) / g.columns,
           client.bottom * (row + 1) / rows};
    return r;
}

void Notify(HWND hwnd, WORD code) {
    HWND parent = GetParent(hwnd);
    if (parent) SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), reinterpret_cast<LPARAM>(hwnd));
}

void Select(HWND hwnd, Grid& g, int index, bool notify) {
    if (index < -1 || index >= static_cast<int>(g.colors.size())) return;
    g.selected = index;
    InvalidateRect(hwnd, nullptr, FALSE);
    if (notify) Notify(hwnd, SWN_SELCHANGE);
}

void Paint(HWND hwnd, const Grid& g) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
    const bool single = g.colors.size() == 1;
    for (int i = 0; i < static_cast<int>(g.colors.size()); ++i) {
        RECT cell = CellRect(hwnd, g, i);
        RECT inner = cell;
        if (!single) InflateRect(&inner, -3, -3);
        if (i == g.selected) {
            // The chosen cell stands in a black frame, as the desktop marks it.
            RECT frame = inner;
            InflateRect(&frame, 2, 2);
            FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            if (GetFocus() == hwnd) {
                RECT focus = cell;
                DrawFocusRect(dc, &focus);
            }
        }
        DrawEdge(dc, &inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        HBRUSH brush = CreateSolidBrush(g.colors[static_cast<std::size_t>(i)]);
        FillRect(dc, &inner, brush);
        DeleteObject(brush);
    }
    EndPaint(hwnd, &ps);
}

int HitCell(HWND hwnd, const Grid& g, LPARAM lParam) {
    POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    for (int i = 0; i < static_cast<int>(g.colors.size()); ++i) {
        RECT r = CellRect(hwnd, g, i);
        if (PtInRect(&r, p)) return i;
    }
    return -1;
}

LRESULT OnKey(HWND hwnd, Grid& g, WPARAM key) {
    const int n = static_cast<int>(g.colors.size());
    if (n == 0) return 0;
    int at = g.selected < 0 ? 0 : g.selected;
    switch (key) {
        case VK_LEFT: at = at > 0 ? at - 1 : at; break;
        case VK_RIGHT: at = at + 1 < n ? at + 1 : at; break;
        case VK_UP: at = at - g.columns >= 0 ? at - g.columns : at; break;
        case VK_DOWN: at = at + g.columns < n ? at + g.columns : at; break;
        case VK_HOME: at = 0; break;
        case VK_END: at = n - 1; break;
        default: return 0;
    }
    Select(hwnd, g, at, true);
    return 0;
}

LRESULT CALLBACK SwatchProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Grid* g = GridOf(hwnd);
    switch (msg) {
        case WM_CREATE: SetPropA(hwnd, kGridProp, new Grid); return 0;
        case WM_NCDESTROY:
            delete g;
            RemovePropA(hwnd, kGridProp);
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        default: break;
    }
    if (!g) return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
        case SWM_SETCOLORS: {
            const auto* colors = reinterpret_cast<const COLORREF*>(lParam);
            g->colors.assign(colors, colors + LOWORD(wParam));
            g->columns = HIWORD(wParam) ? HIWORD(wParam) : 1;
            if (g->selected >= static_cast<int>(g->colors.size())) g->selected = -1;
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        }
        case SWM_SETSEL: Select(hwnd, *g, static_cast<int>(static_cast<INT_PTR>(wParam)), false); return 0;
        case SWM_GETSEL: return g->selected;
        case SWM_GETCOLOR:
            return wParam < g->colors.size() ? static_cast<LRESULT>(g->colors[wParam]) : 0;
        case WM_PAINT: Paint(hwnd, *g); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_LBUTTONDOWN: {
            SetFocus(hwnd);
            int at = HitCell(hwnd, *g, lParam);
            if (at >= 0) Select(hwnd, *g, at, true);
            return 0;
        }
        case WM_LBUTTONDBLCLK:
            if (HitCell(hwnd, *g, lParam) >= 0) Notify(hwnd, SWN_DBLCLK);
            return 0;
        case WM_KEYDOWN: return OnKey(hwnd, *g, wParam);
        case WM_GETDLGCODE: return DLGC_WANTARROWS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: InvalidateRect(hwnd, nullptr, FALSE); return 0;
        default: return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

void RegisterSwatchClass() {
    WNDCLASSA wc{};
    if (GetClassInfoA(nullptr, kSwatchClass, &wc)) return;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = SwatchProc;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kSwatchClass;
    RegisterClassA(&wc);
}

}  // namespace win32::comdlg
