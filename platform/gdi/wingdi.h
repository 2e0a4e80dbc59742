// Device contexts, GDI objects, drawing, fonts and text, bitmaps, metafiles.
#pragma once

#include "platform/windef.h"

namespace win32 {

}  // namespace win32
