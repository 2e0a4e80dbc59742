// Text on a printer page: placed by GDI's own text layout (alignment,
// spacing arrays, the mapping), then drawn as real text in the face the
// font engine chose, each character at the pen position GDI gave it, with
// its Unicode value attached so the page can be searched and copied.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>
#include <vector>

#include "platform/gdi/font_face.h"
#include "platform/gdi/text_out.h"
#include "platform/gdi/text_utf8.h"
#include "platform/print/page_fonts.h"
#include "platform/print/printer_dc.h"

namespace win32::print {
namespace {

void SetColor(cairo_t* cr, COLORREF c) {
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

void DrawGlyphs(cairo_t* cr, const gdi::Font& font, const gdi::PlacedRun& run) {
    cairo_font_face_t* face = PageFontFace(font);
    if (!face) return;
    FT_Face ft = font.Face() ? font.Face()->face : nullptr;
    std::string utf8;
    std::vector<cairo_glyph_t> glyphs;
    std::vector<cairo_text_cluster_t> clusters;
    glyphs.reserve(run.chars.size());
    clusters.reserve(run.chars.size());
    for (std::size_t i = 0; i < run.chars.size(); ++i) {
        const char32_t c = run.chars[i];
        // Control characters leave no ink and are no text of the page.
        if (c < 0x20 || c == 0x7F) continue;
        const std::size_t before = utf8.size();
        gdi::AppendUtf8(utf8, c);
        const unsigned long index = ft ? FT_Get_Char_Index(ft, c) : 0;
        glyphs.push_back(cairo_glyph_t{index, Near(run.penX[i]), Near(run.baselineY)});
        clusters.push_back(cairo_text_cluster_t{static_cast<int>(utf8.size() - before), 1});
    }
    if (glyphs.empty()) return;
    cairo_set_font_face(cr, face);
    const cairo_matrix_t m = PageFontMatrix(font);
    cairo_set_font_matrix(cr, &m);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    cairo_show_text_glyphs(cr, utf8.data(), static_cast<int>(utf8.size()), glyphs.data(),
                           static_cast<int>(glyphs.size()), clusters.data(), static_cast<int>(clusters.size()),
                           static_cast<cairo_text_cluster_flags_t>(0));
}

}  // namespace

BOOL PrinterDC::ExtTextOut(int x, int y, UINT options, const RECT* rect, std::string_view text, const INT* dx) {
    cairo_t* cr = Page();
    if (!cr) return page_ ? TRUE : FALSE;
    const gdi::DcState& s = State();
    const bool clipped = (options & ETO_CLIPPED) && rect;
    const RECT deviceRect = rect ? ToDeviceRect(*rect) : RECT{0, 0, 0, 0};
    const Paint background = Paint::Solid(PixelFromColor(s.bkColor));
    if ((options & ETO_OPAQUE) && rect) FillDeviceRect(cr, deviceRect, background);
    if (text.empty()) return TRUE;

    gdi::PlacedText placed;
    gdi::PlaceText(*this, x, y, text, dx, placed);
    if (s.bkMode == OPAQUE) {
        RECT cell = placed.cell;
        if (clipped) cell = IntersectRectValue(cell, deviceRect);
        FillDeviceRect(cr, cell, background);
    }
    if (clipped) {
        if (IsRectEmptyValue(deviceRect)) return TRUE;
        cairo_save(cr);
        cairo_rectangle(cr, deviceRect.left, deviceRect.top, deviceRect.right - deviceRect.left,
                        deviceRect.bottom - deviceRect.top);
        cairo_clip(cr);
    }
    const gdi::Font& font = *placed.deviceFont;
    const gdi::PlacedRun& run = placed.run;
    // Text wholly off the page is not drawn (and cannot be placed there).
    const RECT visible = DrawableRegion().Bounds();
    const TEXTMETRICA& tm = font.Metrics();
    const int margin = tm.tmHeight + tm.tmMaxCharWidth;
    if (run.baselineY + tm.tmDescent + margin < visible.top || run.baselineY - tm.tmAscent - margin > visible.bottom ||
        run.endX + margin < visible.left || run.startX - margin > visible.right) {
        if (clipped) cairo_restore(cr);
        return TRUE;
    }
    SetColor(cr, s.textColor);
    DrawGlyphs(cr, font, run);
    const LOGFONTA& lf = font.LogFont();
    if (lf.lfUnderline && run.endX > run.startX) {
        SetColor(cr, s.textColor);
        cairo_rectangle(cr, run.startX, run.baselineY + font.UnderlineOffset(), run.endX - run.startX,
                        font.UnderlineThickness());
        cairo_fill(cr);
    }
    if (lf.lfStrikeOut && run.endX > run.startX) {
        SetColor(cr, s.textColor);
        cairo_rectangle(cr, run.startX, run.baselineY - font.StrikeoutOffset(), run.endX - run.startX,
                        font.StrikeoutThickness());
        cairo_fill(cr);
    }
    if (clipped) cairo_restore(cr);
    return TRUE;
}

}  // namespace win32::print
