#include "platform/print/paper_ink.h"

#include <utility>

#include "platform/gdi/gdi_object.h"

namespace win32::print {
namespace {

// The hatch patterns at screen size, one byte per row, bit 7 leftmost.
const std::uint8_t kHatch[6][8] = {
    {0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00},  // HS_HORIZONTAL
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // HS_VERTICAL
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // HS_FDIAGONAL
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // HS_BDIAGONAL
    {0x08, 0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08},  // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // HS_DIAGCROSS
};

cairo_pattern_t* SolidPattern(Pixel c) {
    return cairo_pattern_create_rgb(((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0);
}

COLORREF SolidBrushColor(const gdi::DeviceContext& dc, const gdi::BrushObject& brush) {
    switch (brush.ColorSource()) {
    case gdi::BrushObject::Source::DcColor: return dc.State().dcBrushColor;
    case gdi::BrushObject::Source::SysColor: return gdi::SystemColor(brush.SysColorIndex());
    default: return brush.Color();
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// Paint

Paint::~Paint() {
    for (Step& s : steps_) cairo_pattern_destroy(s.pattern);
}

Paint::Paint(Paint&& other) noexcept : steps_(std::exchange(other.steps_, {})) {}

Paint& Paint::operator=(Paint&& other) noexcept {
    if (this != &other) {
        for (Step& s : steps_) cairo_pattern_destroy(s.pattern);
        steps_ = std::exchange(other.steps_, {});
    }
    return *this;
}

Paint Paint::Solid(Pixel color) {
    Paint p;
    p.Add(CAIRO_OPERATOR_OVER, SolidPattern(color));
    return p;
}

void Paint::Add(cairo_operator_t op, cairo_pattern_t* pattern) {
    if (pattern) steps_.push_back(Step{op, pattern});
}

void Paint::Fill(cairo_t* cr) const {
    for (const Step& s : steps_) {
        cairo_set_operator(cr, s.op);
        cairo_set_source(cr, s.pattern);
        cairo_fill_preserve(cr);
    }
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

void Paint::Stroke(cairo_t* cr) const {
    for (const Step& s : steps_) {
        cairo_set_operator(cr, s.op);
        cairo_set_source(cr, s.pattern);
        cairo_stroke_preserve(cr);
    }
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

// ---------------------------------------------------------------------------
// EffectImage

EffectImage::EffectImage(int width, int height)
    : width_(width), height_(height), keep_(static_cast<std::size_t>(width) * height, 0x00FFFFFF),
      flip_(static_cast<std::size_t>(width) * height, 0) {}

void EffectImage::Set(int x, int y, RopEffect e) {
    const std::size_t i = static_cast<std::size_t>(y) * width_ + x;
    keep_[i] = e.keep;
    flip_[i] = e.flip;
    if (e.Nothing()) return;
    anyEffect_ = true;
    if (!e.Copies()) onlyCopiesAndNothing_ = false;
    if (e.keep != 0x00FFFFFF) keepsAll_ = false;
    if (e.flip != 0) flipsNone_ = false;
}

cairo_pattern_t* EffectImage::Pattern(const std::vector<std::uint32_t>& pixels, cairo_format_t format,
                                      const cairo_matrix_t& toImage, cairo_filter_t filter,
                                      cairo_extend_t extend) const {
    cairo_surface_t* image = cairo_image_surface_create(format, width_, height_);
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(image);
        return nullptr;
    }
    cairo_surface_flush(image);
    unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    for (int y = 0; y < height_; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < width_; ++x) row[x] = pixels[static_cast<std::size_t>(y) * width_ + x];
    }
    cairo_surface_mark_dirty(image);
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(image);
    cairo_surface_destroy(image);
    cairo_pattern_set_matrix(pattern, &toImage);
    cairo_pattern_set_filter(pattern, filter);
    cairo_pattern_set_extend(pattern, extend);
    return pattern;
}

Paint EffectImage::MakePaint(const cairo_matrix_t& toImage, cairo_filter_t filter, cairo_extend_t extend) const {
    Paint paint;
    if (!anyEffect_) return paint;
    if (onlyCopiesAndNothing_) {
        // Painted pixels and holes: one picture with transparency.
        std::vector<std::uint32_t> argb(flip_.size());
        for (std::size_t i = 0; i < argb.size(); ++i) {
            argb[i] = keep_[i] == 0 ? (0xFF000000u | flip_[i]) : 0u;
        }
        paint.Add(CAIRO_OPERATOR_OVER, Pattern(argb, CAIRO_FORMAT_ARGB32, toImage, filter, extend));
        return paint;
    }
    if (!keepsAll_) paint.Add(CAIRO_OPERATOR_MULTIPLY, Pattern(keep_, CAIRO_FORMAT_RGB24, toImage, filter, extend));
    if (!flipsNone_) paint.Add(CAIRO_OPERATOR_DIFFERENCE, Pattern(flip_, CAIRO_FORMAT_RGB24, toImage, filter, extend));
    return paint;
}

// ---------------------------------------------------------------------------
// Brushes

BrushTile TileOfBrush(const gdi::DeviceContext& dc, HBRUSH handle) {
    BrushTile tile;
    const gdi::BrushObject* brush = gdi::FindBrush(handle);
    if (!brush) return tile;
    const gdi::DcState& s = dc.State();
    tile.origin = s.brushOrg;
    switch (brush->Style()) {
    case BS_SOLID:
        tile.solid = true;
        tile.color = PixelFromColor(SolidBrushColor(dc, *brush));
        break;
    case BS_HATCHED: {
        int h = brush->Hatch();
        if (h < 0 || h > 5) h = 0;
        const Pixel fg = PixelFromColor(brush->Color());
        const Pixel bg = PixelFromColor(s.bkColor);
        tile.width = tile.height = 8;
        tile.pixels.resize(64);
        tile.clear.assign(64, false);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                const bool on = (kHatch[h][y] >> (7 - x)) & 1;
                const std::size_t i = static_cast<std::size_t>(y * 8 + x);
                tile.pixels[i] = on ? fg : bg;
                tile.clear[i] = !on && s.bkMode == TRANSPARENT;
            }
        }
        break;
    }
    case BS_PATTERN: {
        const Surface& pat = brush->PatternPixels();
        if (pat.Empty()) break;
        const Pixel fg = PixelFromColor(s.textColor);
        const Pixel bg = PixelFromColor(s.bkColor);
        tile.width = pat.Width();
        tile.height = pat.Height();
        tile.pixels.resize(static_cast<std::size_t>(tile.width) * tile.height);
        tile.clear.assign(tile.pixels.size(), false);
        for (int y = 0; y < tile.height; ++y) {
            for (int x = 0; x < tile.width; ++x) {
                Pixel p = pat.At(x, y) & 0x00FFFFFF;
                // A monochrome pattern takes the DC's colours: 0 is the text
                // colour, 1 the background colour.
                if (brush->PatternIsMonochrome()) p = p ? bg : fg;
                tile.pixels[static_cast<std::size_t>(y) * tile.width + x] = p;
            }
        }
        break;
    }
    default: break;
    }
    return tile;
}

Pixel BrushTile::At(int x, int y, bool& isClear) const {
    isClear = false;
    if (solid) return color;
    if (width == 0) return 0;
    x %= width;
    y %= height;
    if (x < 0) x += width;
    if (y < 0) y += height;
    const std::size_t i = static_cast<std::size_t>(y) * width + x;
    isClear = clear[i];
    return pixels[i];
}

Paint EffectPaint(const RopEffect& e) {
    Paint paint;
    if (e.Nothing()) return paint;
    if (e.Copies()) {
        paint.Add(CAIRO_OPERATOR_OVER, SolidPattern(e.flip));
        return paint;
    }
    if (e.keep != 0x00FFFFFF) paint.Add(CAIRO_OPERATOR_MULTIPLY, SolidPattern(e.keep));
    if (e.flip != 0) paint.Add(CAIRO_OPERATOR_DIFFERENCE, SolidPattern(e.flip));
    return paint;
}

Paint SolidPaint(COLORREF color, std::uint8_t rop) {
    return EffectPaint(EffectOf(rop, PixelFromColor(color & 0x00FFFFFF), 0));
}

Paint BrushPaint(const gdi::DeviceContext& dc, HBRUSH handle, std::uint8_t rop, double scale) {
    const BrushTile tile = TileOfBrush(dc, handle);
    if (tile.solid) return EffectPaint(EffectOf(rop, tile.color, 0));
    if (tile.None()) return Paint{};
    EffectImage image(tile.width, tile.height);
    for (int y = 0; y < tile.height; ++y) {
        for (int x = 0; x < tile.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * tile.width + x;
            if (!tile.clear[i]) image.Set(x, y, EffectOf(rop, tile.pixels[i], 0));
        }
    }
    // Device pixels to tile pixels: from the brush origin, at screen size.
    cairo_matrix_t m;
    cairo_matrix_init_scale(&m, 1.0 / scale, 1.0 / scale);
    cairo_matrix_translate(&m, -tile.origin.x, -tile.origin.y);
    return image.MakePaint(m, CAIRO_FILTER_NEAREST, CAIRO_EXTEND_REPEAT);
}

}  // namespace win32::print
