#include "platform/backend/x11/x11_cursors.h"

#include <X11/cursorfont.h>

namespace win32::backend::x11 {

int CursorFontGlyph(CursorShape shape) {
    switch (shape) {
        case CursorShape::Arrow: return XC_left_ptr;
        case CursorShape::IBeam: return XC_xterm;
        case CursorShape::Wait: return XC_watch;
        case CursorShape::Cross: return XC_crosshair;
        case CursorShape::UpArrow: return XC_sb_up_arrow;
        // The cursor font has no two-headed diagonals; the corner arrows
        // point the same ways.
        case CursorShape::SizeNWSE: return XC_bottom_right_corner;
        case CursorShape::SizeNESW: return XC_bottom_left_corner;
        case CursorShape::SizeWE: return XC_sb_h_double_arrow;
        case CursorShape::SizeNS: return XC_sb_v_double_arrow;
        case CursorShape::SizeAll: return XC_fleur;
        case CursorShape::No: return XC_X_cursor;
        case CursorShape::Hand: return XC_hand2;
        case CursorShape::AppStarting: return XC_watch;
        case CursorShape::Help: return XC_question_arrow;
        case CursorShape::Hidden: return -1;
    }
    return XC_left_ptr;
}

Cursors::~Cursors() {
    for (auto& [shape, cursor] : made_) XFreeCursor(display_, cursor);
}

Cursor Cursors::Get(CursorShape shape) {
    auto it = made_.find(shape);
    if (it != made_.end()) return it->second;
    Cursor cursor = None;
    int glyph = CursorFontGlyph(shape);
    if (glyph >= 0) {
        cursor = XCreateFontCursor(display_, static_cast<unsigned>(glyph));
    } else {
        // An invisible cursor: a one-pixel cursor whose mask is empty.
        static const char empty[1] = {0};
        Window root = DefaultRootWindow(display_);
        Pixmap bits = XCreateBitmapFromData(display_, root, empty, 1, 1);
        XColor black{};
        cursor = XCreatePixmapCursor(display_, bits, bits, &black, &black, 0, 0);
        XFreePixmap(display_, bits);
    }
    made_[shape] = cursor;
    return cursor;
}

}  // namespace win32::backend::x11
