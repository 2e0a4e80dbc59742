// Putting text on pixels: the glyphs of a run are composed onto a surface in
// the text colour, weighted by their grey-scale coverage, and clipped to a
// region; underline and strike-out are drawn as solid bars.
#pragma once

#include <vector>

#include "platform/gdi/font.h"
#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"

namespace win32::gdi {

// A run laid out in surface coordinates: each character with the x of its
// pen position on the baseline.
struct PlacedRun {
    std::vector<char32_t> chars;
    std::vector<int> penX;
    int baselineY = 0;
    int startX = 0;  // where the decorations begin
    int endX = 0;    // where they end
};

// Draws the run's glyphs (and underline and strike-out when the font asks
// for them) in `color`, clipped to `clip` (surface coordinates). Marks the
// touched rectangle dirty. A two-colour target (a monochrome bitmap) gets
// each pixel either fully or not at all, at half coverage.
enum class Coverage { Blended, TwoColour };
void RenderRun(Surface& surface, const Region& clip, Font& font, const PlacedRun& run, COLORREF color,
               Coverage coverage = Coverage::Blended);

// Fills the part of `r` inside the clip (surface coordinates) with a solid
// colour: the text background and the prefix underline.
void FillClipped(Surface& surface, const Region& clip, const RECT& r, COLORREF color);

}  // namespace win32::gdi
