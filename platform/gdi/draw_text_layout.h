// The layout behind DrawTextA, as a pure function of the text, the format
// flags, the rectangle's size and the advances of the font: prefix marks,
// line breaks, word wrapping, tab stops, ellipses, alignment and the
// visibility of the last line. Nothing here touches a device context, so
// the rules can be tested on made-up advances.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/windef.h"

namespace win32::gdi {

// Where the advances come from (a realised font, or a test's table).
class AdvanceSource {
public:
    virtual ~AdvanceSource() = default;
    virtual int Advance(char32_t c) = 0;
};

struct LayoutParams {
    UINT format = 0;
    int width = 0;        // rectangle width (may be zero or negative)
    int height = 0;       // rectangle height
    int lineHeight = 0;   // tmHeight (+ tmExternalLeading with DT_EXTERNALLEADING)
    int aveCharWidth = 0; // tmAveCharWidth, the unit of tab stops
    int tabLength = 8;    // tab stops in average character widths
    int charExtra = 0;    // SetTextCharacterExtra
};

struct LayoutLine {
    std::size_t begin = 0;  // range in TextLayout::chars / x
    std::size_t end = 0;
    int width = 0;          // advance width of the line
    int xOffset = 0;        // from the rectangle's left edge (alignment)
    int yOffset = 0;        // from the rectangle's top edge
    int prefix = -1;        // index into chars of the underlined character, or -1
    bool visible = true;    // false: DT_EDITCONTROL leaves a partial last line out
};

struct TextLayout {
    std::vector<char32_t> chars;  // displayed characters of all lines
    std::vector<int> x;           // pen x of each character from its line's start
    std::vector<int> advance;     // advance of each character (tab stops resolved)
    std::vector<LayoutLine> lines;
    int height = 0;     // DrawTextA's return value
    int maxWidth = 0;   // widest line, for DT_CALCRECT
};

// The tab stop length, the effective flags and the like that DT_TABSTOP
// packs into the format.
struct EffectiveFormat {
    UINT format;
    int tabLength;
};
EffectiveFormat SplitFormat(UINT format, int defaultTabLength = 8);

// Lays the UTF-8 text out. `params.format` must already be split.
void LayoutText(std::string_view text, const LayoutParams& params, AdvanceSource& advances, TextLayout& out);

}  // namespace win32::gdi
