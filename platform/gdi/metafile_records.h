// The typed records of an enhanced metafile. Coordinates are device units of
// the recording context (pixels of its reference device); state records
// precede the drawing records they apply to, so each drawing record replays
// with the pen, brush, font, colours, modes and clip it was drawn with.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "platform/gdi/dc.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/wingdi.h"

namespace win32::gdi::emf {

// Pixels carried by a record (the source of a blit, a brush pattern).
struct Bits {
    int width = 0;
    int height = 0;
    bool monochrome = false;
    std::vector<Pixel> pixels;  // width * height, rows top-down
};

struct SelectFont {
    LOGFONTA font;  // height and width in device units
};
struct SelectPen {
    UINT style;
    int width;
    COLORREF color;
};
struct SelectBrush {
    UINT style;  // BS_SOLID, BS_NULL, BS_HATCHED, BS_PATTERN
    COLORREF color;
    int hatch;
    Bits pattern;  // BS_PATTERN only
};
struct SetColors {
    COLORREF text;
    COLORREF background;
};
struct SetModes {
    int bkMode;
    int rop2;
    int polyFillMode;
    int stretchMode;
};
struct SetBrushOrg {
    POINT origin;
};
struct SetClip {
    bool hasClip;
    std::vector<RECT> rects;
};
struct Polyline {
    std::vector<POINT> points;
};
struct PolyPolygon {
    std::vector<POINT> points;
    std::vector<INT> counts;
};
struct Rectangle {
    RECT rect;
};
struct Ellipse {
    RECT rect;
};
struct PatBlt {
    RECT rect;  // with the current brush
    DWORD rop;
};
struct FillRegion {
    std::vector<RECT> rects;  // with the current brush
    DWORD rop;
};
struct StretchBlt {
    BltRect dst;
    BltRect src;  // inside `bits`
    DWORD rop;
    bool hasSource;
    Bits bits;
};
struct TransparentBlt {
    BltRect dst;
    BltRect src;
    COLORREF key;
    Bits bits;
};
struct MaskBlt {
    BltRect dst;  // source and mask are cut to the destination's size
    DWORD rop4;
    bool hasSource;
    Bits bits;
    bool hasMask;
    Bits mask;
};
struct SetPixel {
    POINT point;
    COLORREF color;
};
// Text keeps its string, its left end on the baseline, the ExtTextOut
// options and rectangle, and the advance of every character (one entry per
// byte, as ExtTextOutA takes them).
struct ExtTextOut {
    POINT origin;
    UINT options;
    bool hasRect;
    RECT rect;
    std::string text;
    std::vector<INT> dx;
};

using Record = std::variant<SelectFont, SelectPen, SelectBrush, SetColors, SetModes, SetBrushOrg, SetClip, Polyline,
                            PolyPolygon, Rectangle, Ellipse, PatBlt, FillRegion, StretchBlt, TransparentBlt, MaskBlt,
                            SetPixel, ExtTextOut>;

struct Header {
    RECT frame{0, 0, 0, 0};   // 0.01 mm, right and bottom exclusive
    RECT bounds{0, 0, -1, -1};  // device units, inclusive; empty when nothing was drawn
    SIZE devicePixels{0, 0};
    SIZE deviceMillimeters{0, 0};
    SIZE dpi{96, 96};
    std::string description;
};

struct Metafile {
    Header header;
    std::vector<Record> records;
};

}  // namespace win32::gdi::emf
