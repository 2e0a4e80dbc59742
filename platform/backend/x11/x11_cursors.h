// Cursor shapes of the window system as X cursors from the standard cursor
// font, made on first use.
#pragma once

#include "platform/backend/x11/x11_display.h"

#include <map>

#include "platform/backend/backend.h"

namespace win32::backend::x11 {

class Cursors {
public:
    explicit Cursors(Display* display) : display_(display) {}
    ~Cursors();
    Cursors(const Cursors&) = delete;
    Cursors& operator=(const Cursors&) = delete;

    Cursor Get(CursorShape shape);

private:
    Display* display_;
    std::map<CursorShape, Cursor> made_;
};

// The cursor-font glyph of a shape (-1 for the invisible cursor).
int CursorFontGlyph(CursorShape shape);

}  // namespace win32::backend::x11
