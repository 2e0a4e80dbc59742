// Code pages and locale data.
#pragma once

#include "platform/windef.h"

namespace win32 {

}  // namespace win32
