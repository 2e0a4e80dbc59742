// Calling hook chains from the message machinery.
#pragma once

#include "platform/user/window_manager.h"

namespace win32::user {

bool HasHooks(int kind);
// Runs the chain of `kind` from its newest hook; 0 when there is none.
LRESULT CallHookChain(int kind, int code, WPARAM wParam, LPARAM lParam);

}  // namespace win32::user
