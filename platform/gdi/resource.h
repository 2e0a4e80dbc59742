// Pictures compiled into the program: bitmaps and icons drawn as text, one
// character per pixel, registered by name and loaded with LoadBitmapA,
// LoadIconA and LoadImageA. The palette maps each character to a colour
// ("c RRGGBB" pairs separated by blanks); in an icon the character ' '
// is transparent.
#pragma once

#include <cstddef>
#include <string>

#include "platform/gdi/surface.h"
#include "platform/windef.h"

namespace win32::gdi {

struct TextPicture {
    const char* name;
    const char* palette;
    const char* const* rows;
    int height;
};

enum class PictureKind { Bitmap, Icon };

// Registers pictures under their names (names compare without regard to
// case, as resource names do; "#123" is the resource with number 123).
// Registering a name again replaces the earlier picture.
void RegisterPictures(PictureKind kind, const TextPicture* pictures, std::size_t count);
const TextPicture* FindPicture(PictureKind kind, LPCSTR name);

// Renders a text picture into pixels and, for icons, an opacity mask
// (true = opaque). False when the picture is malformed.
bool RenderPicture(const TextPicture& picture, Surface& pixels, std::vector<bool>* opaque);

// The resource name as a string: "#123" for MAKEINTRESOURCE(123).
std::string ResourceName(LPCSTR name);

}  // namespace win32::gdi
