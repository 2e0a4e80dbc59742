// Pressing a caption button: it shows pressed while the mouse is held over
// it, and acts only when released there.
#include "platform/user/def_window_proc.h"
#include "platform/user/frame_glyphs.h"
#include "platform/user/frame_layout.h"

namespace win32::user {
namespace {

bool In(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

struct Button {
    RECT rect;
    FrameGlyph glyph;
};

Button ButtonOf(const Window* w, LRESULT hit) {
    FrameLayout f = ComputeFrameLayout(w);
    bool maximized = (w->style & WS_MAXIMIZE) != 0, minimized = (w->style & WS_MINIMIZE) != 0;
    switch (hit) {
        case HTCLOSE: return Button{f.closeButton, FrameGlyph::Close};
        case HTMAXBUTTON: return Button{f.maxButton, maximized ? FrameGlyph::Restore : FrameGlyph::Maximize};
        default: return Button{f.minButton, minimized ? FrameGlyph::Restore : FrameGlyph::Minimize};
    }
}

void Draw(HWND hwnd, const Button& b, bool pushed) {
    HDC dc = GetWindowDC(hwnd);
    if (!dc) return;
    DrawFrameButton(dc, b.rect, b.glyph, pushed, false);
    ReleaseDC(hwnd, dc);
}

}  // namespace

bool TrackCaptionButton(HWND hwnd, LRESULT hit) {
    WindowManager& wm = Wm();
    Window* w = wm.Find(hwnd);
    if (!w) return false;
    Button b = ButtonOf(w, hit);
    if (IsRectEmptyValue(b.rect)) return false;
    bool pushed = true;
    Draw(hwnd, b, true);
    SetCapture(hwnd);
    MSG msg;
    for (;;) {
        if (GetCapture() != hwnd) {
            pushed = false;
            break;
        }
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            pushed = false;
            break;
        }
        if (!(w = wm.Find(hwnd))) return false;
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
            POINT o = WindowOrigin(w);
            bool over = In(b.rect, POINT{msg.pt.x - o.x, msg.pt.y - o.y});
            if (over != pushed) {
                pushed = over;
                Draw(hwnd, b, pushed);
            }
            if (msg.message == WM_LBUTTONUP) break;
        } else if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
            continue;
        } else {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (GetCapture() == hwnd) ReleaseCapture();
    if (wm.Find(hwnd)) Draw(hwnd, b, false);
    return pushed && wm.Find(hwnd);
}

}  // namespace win32::user
