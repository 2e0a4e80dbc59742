// The RICHEDIT plain-text editor control: messages, structures and notifications.
#pragma once

#include "platform/windef.h"

namespace win32 {

}  // namespace win32
