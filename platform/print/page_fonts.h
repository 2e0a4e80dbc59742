// The cairo faces of GDI's fonts: the same font file and face that the font
// engine renders on the screen, with its synthetic bold, so a page carries
// the very glyphs the screen shows, embedded as real fonts.
#pragma once

#include <cairo.h>

#include "platform/gdi/font.h"

namespace win32::print {

// The face for a realised font (kept for the life of the process; callers
// do not release it), or null when the font has no face file.
cairo_font_face_t* PageFontFace(const gdi::Font& font);

// The font matrix that draws a realised font at its device size: its em
// sizes, leaning right as the font engine leans an oblique simulation.
cairo_matrix_t PageFontMatrix(const gdi::Font& font);

}  // namespace win32::print
