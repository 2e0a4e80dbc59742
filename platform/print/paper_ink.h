// GDI's raster operations on a page description. A page cannot be read
// back, but every ternary operation, pixel by pixel, is
//
//     result = (destination AND keep) XOR flip
//
// with keep and flip found by trying the operation on a black and a white
// destination. That is drawn as a page description can: where keep is 0
// the pixel is simply painted with flip; where keep is all ones and flip 0
// nothing happens; anything else is a multiply by keep followed by a
// difference with flip (PDF blend modes), which is exact wherever the
// colours are black or white and close elsewhere. Copies and fills come out
// as plain painting, transparent pictures drawn in the mask-and-paint way,
// inverting and XOR pens as blends.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <vector>

#include "platform/gdi/dc.h"
#include "platform/gdi/raster_ops.h"

namespace win32::print {

struct RopEffect {
    Pixel keep = 0x00FFFFFF;  // 0x00RRGGBB
    Pixel flip = 0;

    bool Copies() const { return keep == 0; }
    bool Nothing() const { return keep == 0x00FFFFFF && flip == 0; }
};

inline RopEffect EffectOf(std::uint8_t rop, Pixel pattern, Pixel source) {
    const Pixel onBlack = gdi::ApplyRop(rop, pattern, source, 0x000000);
    const Pixel onWhite = gdi::ApplyRop(rop, pattern, source, 0x00FFFFFF);
    return RopEffect{(onBlack ^ onWhite) & 0x00FFFFFF, onBlack};
}

// How a fill, a line or a picture is drawn: one or two cairo sources, each
// with its compositing operator. Owns its patterns.
class Paint {
public:
    Paint() = default;
    ~Paint();
    Paint(Paint&& other) noexcept;
    Paint& operator=(Paint&& other) noexcept;
    Paint(const Paint&) = delete;
    Paint& operator=(const Paint&) = delete;

    static Paint Solid(Pixel color);
    // Takes the pattern's reference.
    void Add(cairo_operator_t op, cairo_pattern_t* pattern);

    bool None() const { return steps_.empty(); }
    // Fill or stroke the current path with every step; the path stays.
    void Fill(cairo_t* cr) const;
    void Stroke(cairo_t* cr) const;

private:
    struct Step {
        cairo_operator_t op;
        cairo_pattern_t* pattern;
    };
    std::vector<Step> steps_;
};

// A picture of raster effects (a blit's pixels or a brush's tile) and the
// paint that puts it on the page.
class EffectImage {
public:
    EffectImage(int width, int height);
    void Set(int x, int y, RopEffect e);
    RopEffect At(int x, int y) const {
        const std::size_t i = static_cast<std::size_t>(y) * width_ + x;
        return RopEffect{keep_[i], flip_[i]};
    }
    // `toImage` maps the page's device pixels to the image's pixels.
    Paint MakePaint(const cairo_matrix_t& toImage, cairo_filter_t filter, cairo_extend_t extend) const;

private:
    cairo_pattern_t* Pattern(const std::vector<std::uint32_t>& pixels, cairo_format_t format,
                             const cairo_matrix_t& toImage, cairo_filter_t filter, cairo_extend_t extend) const;

    int width_;
    int height_;
    std::vector<std::uint32_t> keep_;
    std::vector<std::uint32_t> flip_;
    bool anyEffect_ = false;
    bool onlyCopiesAndNothing_ = true;
    bool keepsAll_ = true;  // no pixel needs the multiply
    bool flipsNone_ = true;  // no pixel needs the difference
};

// The pixels a brush paints with on this DC: one colour, or a tile at
// screen size anchored at the DC's brush origin, where `clear` marks the
// pixels a hatch leaves alone (its gaps in transparent mode). A null brush
// has neither.
struct BrushTile {
    bool solid = false;
    Pixel color = 0;
    int width = 0;
    int height = 0;
    std::vector<Pixel> pixels;
    std::vector<bool> clear;
    POINT origin{0, 0};

    bool None() const { return !solid && width == 0; }
    // The pixel at a position of the tile's own grid.
    Pixel At(int x, int y, bool& isClear) const;
};
BrushTile TileOfBrush(const gdi::DeviceContext& dc, HBRUSH brush);

// The paint of one effect, the same everywhere.
Paint EffectPaint(const RopEffect& effect);
// Drawing `color` with a raster operation.
Paint SolidPaint(COLORREF color, std::uint8_t rop);
// Filling with a brush of the DC and a raster operation. Hatches and
// pattern brushes are tiled at their screen size (`scale` device pixels per
// screen pixel) from the DC's brush origin.
Paint BrushPaint(const gdi::DeviceContext& dc, HBRUSH brush, std::uint8_t rop, double scale);

}  // namespace win32::print
