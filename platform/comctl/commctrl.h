// Common controls: image lists, status bar, progress bar, tab control, up-down control.
#pragma once

#include "platform/windef.h"

namespace win32 {

}  // namespace win32
