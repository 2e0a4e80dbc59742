// Code page conversion: MultiByteToWideChar/WideCharToMultiByte for code
// page 932 (Shift-JIS) and UTF-8, and the UTF-8 helpers of the system.
#pragma once

#include "platform/windef.h"

namespace win32 {

}  // namespace win32
