// Lookup of registered window classes, for window creation.
#pragma once

#include "platform/user/window_manager.h"

namespace win32::user {

// The class named `name` (compared without case) or with the atom given as
// MAKEINTRESOURCE; nullptr when there is none.
WindowClass* FindClass(LPCSTR name);

// Registers the system control class of that name ("EDIT", "RICHEDIT", ...)
// if there is one (system_classes.cpp); false otherwise.
bool RegisterSystemClass(LPCSTR name);

}  // namespace win32::user
