// Printers: the printer list, device modes and print jobs.
#pragma once

#include "platform/windef.h"

namespace win32 {

}  // namespace win32
