// Windows, messages, input, painting, menus, dialogs and system metrics.
#pragma once

#include "platform/windef.h"

namespace win32 {

}  // namespace win32
