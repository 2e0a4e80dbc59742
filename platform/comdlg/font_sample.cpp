#include "platform/comdlg/font_sample.h"

namespace win32::comdlg {

namespace {

constexpr const char* kSampleProp = "comdlg.FontSample";

struct Sample {
    HFONT font = nullptr;
    COLORREF color = 0;
};

Sample* SampleOf(HWND hwnd) { return static_cast<Sample*>(GetPropA(hwnd, kSampleProp)); }

void Paint(HWND hwnd, const Sample& s) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
    char text[128] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    int saved = SaveDC(dc);
    IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    if (s.font) SelectObject(dc, s.font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, s.color);
    DrawTextA(dc, text, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    RestoreDC(dc, saved);
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK SampleProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Sample* s = SampleOf(hwnd);
    switch (msg) {
        case WM_CREATE: SetPropA(hwnd, kSampleProp, new Sample); return 0;
        case WM_NCDESTROY:
            if (s && s->font) DeleteObject(s->font);
            delete s;
            RemovePropA(hwnd, kSampleProp);
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        case FSM_SETFONT:
            if (!s) return 0;
            if (s->font) DeleteObject(s->font);
            s->font = lParam ? CreateFontIndirectA(reinterpret_cast<const LOGFONTA*>(lParam)) : nullptr;
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        case FSM_SETCOLOR:
            if (!s) return 0;
            s->color = static_cast<COLORREF>(wParam);
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        case WM_SETTEXT: {
            LRESULT r = DefWindowProcA(hwnd, msg, wParam, lParam);
            InvalidateRect(hwnd, nullptr, FALSE);
            return r;
        }
        case WM_PAINT:
            if (s) Paint(hwnd, *s);
            else ValidateRect(hwnd, nullptr);
            return 0;
        case WM_ERASEBKGND: return 1;
        case WM_GETDLGCODE: return DLGC_STATIC;
        case WM_NCHITTEST: return HTTRANSPARENT;
        default: return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

void RegisterFontSampleClass() {
    WNDCLASSA wc{};
    if (GetClassInfoA(nullptr, kFontSampleClass, &wc)) return;
    wc.lpfnWndProc = SampleProc;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kFontSampleClass;
    RegisterClassA(&wc);
}

}  // namespace win32::comdlg
