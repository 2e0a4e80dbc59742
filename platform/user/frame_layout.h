// Geometry of the classic non-client area: border, caption with its
// buttons, menu bar, client edge and scroll bars, all in window
// coordinates. Shared by WM_NCCALCSIZE, WM_NCHITTEST and WM_NCPAINT.
#pragma once

#include "platform/user/window_manager.h"

namespace win32::user {

enum class BorderKind { None, Thin, Dialog, Sizing };

struct FrameLayout {
    BorderKind border = BorderKind::None;
    int borderWidth = 0;
    bool hasCaption = false;
    bool smallCaption = false;
    RECT caption{0, 0, 0, 0};  // the caption band, without the line under it
    RECT closeButton{0, 0, 0, 0};
    RECT maxButton{0, 0, 0, 0};
    RECT minButton{0, 0, 0, 0};
    RECT sysMenu{0, 0, 0, 0};
    RECT menuBar{0, 0, 0, 0};
    int edgeWidth = 0;  // WS_EX_CLIENTEDGE (2) or WS_EX_STATICEDGE (1)
    RECT vscroll{0, 0, 0, 0};
    RECT hscroll{0, 0, 0, 0};
    RECT sizeBox{0, 0, 0, 0};
    RECT client{0, 0, 0, 0};
};

// The layout for a window of `size` with the window's styles.
FrameLayout ComputeFrameLayout(const Window* w, SIZE size);
inline FrameLayout ComputeFrameLayout(const Window* w) {
    return ComputeFrameLayout(w, SIZE{w->window.right - w->window.left, w->window.bottom - w->window.top});
}

// What DefWindowProcA answers to WM_NCHITTEST for a point in window
// coordinates.
LRESULT DefaultHitTest(const Window* w, POINT windowPt);

// Paints the frame through a window DC (WM_NCPAINT's default).
void PaintFrame(HWND hwnd, HDC dc);
// Repaints just the caption band (WM_NCACTIVATE, WM_SETTEXT).
void PaintCaption(HWND hwnd);

}  // namespace win32::user
