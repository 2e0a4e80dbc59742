// Internals of the message queue shared by the queue, input and timer files.
#pragma once

#include "platform/user/window_manager.h"

namespace win32::user {

struct MessageFilter {
    HWND hwnd = nullptr;  // null: any; (HWND)-1: thread messages only
    UINT min = 0;
    UINT max = 0;

    bool Accepts(HWND target, UINT msg) const;
    bool AcceptsMessage(UINT msg) const { return (min == 0 && max == 0) || (msg >= min && msg <= max); }
};

// Takes the first raw input event that becomes a message the filter
// accepts (input.cpp). With `remove`, the event is consumed, the input state
// is updated and the hooks may swallow it.
bool TakeInputMessage(MSG& msg, const MessageFilter& filter, bool remove);

// The first due timer the filter accepts (timers.cpp); with `remove` its
// next period starts.
bool TakeTimerMessage(MSG& msg, const MessageFilter& filter, bool remove);
// Milliseconds until the next timer the filter accepts, -1 when none.
int MsUntilNextTimer(const MessageFilter& filter);

// Pulls every event the backend has ready, without waiting.
void PumpBackend();

}  // namespace win32::user

namespace win32::user {

// A WM_TIMER's lParam names a live timer's procedure (DispatchMessageA
// calls nothing else).
bool IsTimerProc(HWND hwnd, UINT_PTR id, TIMERPROC proc);

}  // namespace win32::user
