// Turning raw input into messages (input.cpp, mouse_input.cpp,
// keyboard_input.cpp).
#pragma once

#include "platform/user/message_queue.h"

namespace win32::user {

// What a raw event becomes. `drop` means the event produces no message
// (for example a click on the bare desktop) and is to be discarded.
struct Conversion {
    MSG msg{};
    bool drop = false;
    LRESULT hit = HTNOWHERE;
};

Conversion ConvertMouse(const InputEvent& e, bool remove);
Conversion ConvertKey(const InputEvent& e, bool remove);

// Side effects of taking a message out of the queue: hooks (which may
// swallow it; returns false then), activation by click, WM_SETCURSOR,
// key state.
bool CommitMouse(const InputEvent& e, Conversion& c);
bool CommitKey(const InputEvent& e, Conversion& c);

// Adds raw input as a device would deliver it (async key state and the
// cursor position change at once).
void QueueInput(InputEvent e);

// The keyboard state flags of a client mouse message (MK_*).
WPARAM MouseKeyFlags();

}  // namespace win32::user
