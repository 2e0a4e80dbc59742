// The caret and the input method's composition, inside the window system.
#pragma once

#include <string>

#include "platform/windef.h"

namespace win32::user {

// Text being composed by the input method (empty when composition ends),
// from the backend; the focused window hears of it by message.
void DeliverComposition(const std::string& utf8);

// Where the input method shows its window: the caret of `hwnd` at client
// point `pt`, `height` pixels high.
void PlaceImeWindow(HWND hwnd, POINT pt, int height);

}  // namespace win32::user
