// Lookup of registered window classes, for window creation.
#pragma once

#include "platform/user/window_manager.h"

namespace win32::user {

// The class named `name` (compared without case) or with the atom given as
// MAKEINTRESOURCE; nullptr when there is none.
WindowClass* FindClass(LPCSTR name);

}  // namespace win32::user
