// Text output shared by every kind of device: measuring a run of UTF-8 text
// with the selected font (spacing arrays included) and placing it by the
// DC's text alignment. Surface DCs then compose the glyphs; metafile DCs
// record the placed run.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "platform/gdi/font.h"
#include "platform/gdi/text_render.h"

namespace win32::gdi {

class DeviceContext;

// The characters of a run with their advances in logical units: from the
// spacing array when one is given (the entries of a character's bytes
// summed), otherwise from the font plus the character extra.
struct MeasuredRun {
    std::vector<char32_t> chars;
    std::vector<int> advances;
    int width = 0;
};
void MeasureRun(Font& font, std::string_view text, const INT* dx, int charExtra, MeasuredRun& out);

// A run placed on the device: pen positions and baseline in device
// coordinates, the character cell's box, and the device font to draw with.
struct PlacedText {
    std::shared_ptr<Font> deviceFont;
    MeasuredRun measured;  // logical units
    PlacedRun run;         // device units
    RECT cell{0, 0, 0, 0};
    POINT logicalOrigin{0, 0};  // left end of the baseline, logical units
};

// Measures and places text at (x, y) by the DC's alignment; with
// TA_UPDATECP the current position is the reference point and moves past
// the text.
void PlaceText(DeviceContext& dc, int x, int y, std::string_view text, const INT* dx, PlacedText& out);

}  // namespace win32::gdi
