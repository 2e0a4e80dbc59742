// The small push buttons of the frame (caption buttons, scroll arrows)
// drawn in the classic look.
#pragma once

#include "platform/windef.h"

namespace win32::user {

enum class FrameGlyph { Close, Minimize, Maximize, Restore, ArrowUp, ArrowDown, ArrowLeft, ArrowRight };

void DrawFrameButton(HDC dc, const RECT& rect, FrameGlyph glyph, bool pushed, bool inactive);

}  // namespace win32::user
