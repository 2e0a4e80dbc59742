// Code pages and locale data.
#pragma once

#include "platform/windef.h"
#include "platform/kernel/codepage.h"

namespace win32 {

}  // namespace win32
