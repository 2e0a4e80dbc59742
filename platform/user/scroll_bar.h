// The standard scroll bars of WS_VSCROLL/WS_HSCROLL windows.
#pragma once

#include "platform/user/window_manager.h"

namespace win32::user {

// The parts of a bar along its length, in window coordinates.
struct ScrollBarParts {
    RECT bar{0, 0, 0, 0};
    RECT arrowStart{0, 0, 0, 0};  // up or left
    RECT arrowEnd{0, 0, 0, 0};    // down or right
    RECT thumb{0, 0, 0, 0};       // empty when the bar cannot scroll
    int trackStart = 0;           // along the bar
    int trackLength = 0;
    int thumbLength = 0;
};

ScrollBarParts ScrollBarGeometry(const Window* w, int bar, const RECT& barRect);
void PaintScrollBar(HWND hwnd, HDC dc, int bar, const RECT& barRect);

}  // namespace win32::user
