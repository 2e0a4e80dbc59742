// Kernel services: time, files, module path, profile (INI) functions, memory handles.
#pragma once

#include "platform/windef.h"

namespace win32 {

}  // namespace win32
