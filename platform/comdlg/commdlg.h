// Common dialogs: open and save, font, colour, find and replace, print.
#pragma once

#include "platform/windef.h"

namespace win32 {

}  // namespace win32
