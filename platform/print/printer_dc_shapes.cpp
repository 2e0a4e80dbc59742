// Lines, shapes and fills on a printer page. Paths run through pixel
// centres as GDI's lines do, so a one-pixel frame drawn at (0, 0)-(10, 10)
// covers the same pixels as on a screen; fills of shapes without a pen lose
// their right and bottom edge, as in GDI.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "platform/gdi/gdi_object.h"
#include "platform/print/printer_dc.h"

namespace win32::print {
namespace {

using gdi::PenObject;

// On and off lengths of the styled pens, in screen pixels.
std::vector<double> DashPattern(int style) {
    switch (style) {
    case PS_DASH: return {18, 6};
    case PS_DOT: return {3, 3};
    case PS_DASHDOT: return {9, 6, 3, 6};
    case PS_DASHDOTDOT: return {9, 3, 3, 3, 3, 3};
    default: return {};
    }
}

void AddEllipse(cairo_t* cr, double left, double top, double right, double bottom) {
    const double rx = (right - left) / 2, ry = (bottom - top) / 2;
    if (rx <= 0 || ry <= 0) return;
    cairo_save(cr);
    cairo_translate(cr, left + rx, top + ry);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
    cairo_close_path(cr);
    cairo_restore(cr);
}

}  // namespace

double PrinterDC::PenWidth() const {
    const PenObject* pen = gdi::FindPen(State().pen);
    if (!pen) return 1;
    // Width 0 is the device's thinnest line; other widths are logical units.
    const int w = pen->Width();
    return w == 0 ? 1.0 : std::max(1, ScaleWidth(w));
}

bool PrinterDC::StrokeWithPen(cairo_t* cr, bool closedFigure) {
    const PenObject* pen = gdi::FindPen(State().pen);
    if (!pen || pen->Style() == PS_NULL) {
        cairo_new_path(cr);
        return false;
    }
    const gdi::DcState& s = State();
    const COLORREF color = pen->FollowsDcColor() ? s.dcPenColor : pen->Pen().lopnColor;
    const std::uint8_t rop = gdi::Rop3FromRop2(s.rop2);
    const double width = PenWidth();
    const bool wide = width > 1;
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, wide ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cr, wide || !closedFigure ? CAIRO_LINE_JOIN_ROUND : CAIRO_LINE_JOIN_MITER);
    // Styles apply to thin lines only, as in GDI, at their screen lengths.
    std::vector<double> dashes = wide ? std::vector<double>{} : DashPattern(pen->Style());
    for (double& d : dashes) d *= ScreenScale();
    if (!dashes.empty() && s.bkMode == OPAQUE) SolidPaint(s.bkColor, rop).Stroke(cr);
    cairo_set_dash(cr, dashes.data(), static_cast<int>(dashes.size()), 0);
    SolidPaint(color, rop).Stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    cairo_new_path(cr);
    return true;
}

void PrinterDC::FillDeviceRect(cairo_t* cr, const RECT& d, const Paint& paint) {
    if (paint.None() || IsRectEmptyValue(d)) return;
    cairo_rectangle(cr, Near(d.left), Near(d.top), Near(d.right) - Near(d.left), Near(d.bottom) - Near(d.top));
    paint.Fill(cr);
    cairo_new_path(cr);
}

BOOL PrinterDC::Polyline(const POINT* points, int count) {
    if (!points || count < 2) return FALSE;
    cairo_t* cr = Page();
    if (!cr) return page_ ? TRUE : FALSE;
    for (int i = 0; i < count; ++i) {
        const POINT d = ToDevice(points[i]);
        if (i == 0) cairo_move_to(cr, Near(d.x + 0.5), Near(d.y + 0.5));
        else cairo_line_to(cr, Near(d.x + 0.5), Near(d.y + 0.5));
    }
    StrokeWithPen(cr, false);
    return TRUE;
}

BOOL PrinterDC::PolyPolygon(const POINT* points, const INT* counts, int polygons) {
    if (!points || !counts || polygons <= 0) return FALSE;
    for (int i = 0; i < polygons; ++i)
        if (counts[i] < 2) return FALSE;
    cairo_t* cr = Page();
    if (!cr) return page_ ? TRUE : FALSE;
    const POINT* p = points;
    for (int i = 0; i < polygons; ++i) {
        for (int k = 0; k < counts[i]; ++k) {
            const POINT d = ToDevice(p[k]);
            if (k == 0) cairo_move_to(cr, Near(d.x + 0.5), Near(d.y + 0.5));
            else cairo_line_to(cr, Near(d.x + 0.5), Near(d.y + 0.5));
        }
        cairo_close_path(cr);
        p += counts[i];
    }
    Paint fill = BrushPaint(*this, State().brush, gdi::Rop3FromRop2(State().rop2), ScreenScale());
    cairo_set_fill_rule(cr, State().polyFillMode == WINDING ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
    fill.Fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    StrokeWithPen(cr, true);
    return TRUE;
}

BOOL PrinterDC::Rectangle(const RECT& logical) {
    const RECT r = ToDeviceRect(logical);
    cairo_t* cr = Page();
    if (!cr) return page_ ? TRUE : FALSE;
    Paint fill = BrushPaint(*this, State().brush, gdi::Rop3FromRop2(State().rop2), ScreenScale());
    const PenObject* pen = gdi::FindPen(State().pen);
    if (!pen || pen->Style() == PS_NULL) {
        FillDeviceRect(cr, RECT{r.left, r.top, r.right - 1, r.bottom - 1}, fill);
        return TRUE;
    }
    if (r.right - r.left < 1 || r.bottom - r.top < 1) return TRUE;
    const double w = PenWidth();
    const double inset = pen->Style() == PS_INSIDEFRAME && w > 1 ? w / 2 : 0.5;
    const double left = r.left + inset, top = r.top + inset;
    const double right = std::max(left, r.right - inset), bottom = std::max(top, r.bottom - inset);
    cairo_rectangle(cr, Near(left), Near(top), Near(right) - Near(left), Near(bottom) - Near(top));
    fill.Fill(cr);
    StrokeWithPen(cr, true);
    return TRUE;
}

BOOL PrinterDC::Ellipse(const RECT& logical) {
    const RECT r = ToDeviceRect(logical);
    cairo_t* cr = Page();
    if (!cr) return page_ ? TRUE : FALSE;
    if (r.right - r.left < 1 || r.bottom - r.top < 1) return TRUE;
    Paint fill = BrushPaint(*this, State().brush, gdi::Rop3FromRop2(State().rop2), ScreenScale());
    const PenObject* pen = gdi::FindPen(State().pen);
    if (!pen || pen->Style() == PS_NULL) {
        AddEllipse(cr, Near(r.left), Near(r.top), Near(r.right - 1), Near(r.bottom - 1));
        fill.Fill(cr);
        cairo_new_path(cr);
        return TRUE;
    }
    const double w = PenWidth();
    const double inset = pen->Style() == PS_INSIDEFRAME && w > 1 ? w / 2 : 0.5;
    AddEllipse(cr, Near(r.left + inset), Near(r.top + inset), Near(r.right - inset), Near(r.bottom - inset));
    fill.Fill(cr);
    StrokeWithPen(cr, true);
    return TRUE;
}

BOOL PrinterDC::PatBlt(const RECT& r, HBRUSH brush, DWORD rop) {
    const std::uint8_t op = gdi::RopIndex(rop);
    if (gdi::RopUsesSource(op)) return FALSE;
    cairo_t* cr = Page();
    if (!cr) return page_ ? TRUE : FALSE;
    Paint paint = gdi::RopUsesPattern(op) ? BrushPaint(*this, brush, op, ScreenScale()) : SolidPaint(0, op);
    FillDeviceRect(cr, ToDeviceRect(r), paint);
    return TRUE;
}

BOOL PrinterDC::FillRegion(const Region& logical, HBRUSH brush, DWORD rop) {
    const std::uint8_t op = gdi::RopIndex(rop);
    if (gdi::RopUsesSource(op)) return FALSE;
    cairo_t* cr = Page();
    if (!cr) return page_ ? TRUE : FALSE;
    Paint paint = gdi::RopUsesPattern(op) ? BrushPaint(*this, brush, op, ScreenScale()) : SolidPaint(0, op);
    if (paint.None()) return TRUE;
    // Mapped and rebuilt, so that neighbouring rectangles stay seamless.
    std::vector<RECT> mapped;
    for (const RECT& r : logical.Rects()) mapped.push_back(ToDeviceRect(r));
    const Region device = Region::FromRects(mapped);
    for (const RECT& r : device.Rects()) {
        cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    paint.Fill(cr);
    cairo_new_path(cr);
    return TRUE;
}

COLORREF PrinterDC::SetPixel(POINT p, COLORREF color) {
    const POINT d = ToDevice(p);
    if (!DrawableRegion().Contains(d.x, d.y)) return CLR_INVALID;
    cairo_t* cr = Page();
    if (!cr) return CLR_INVALID;
    FillDeviceRect(cr, RECT{d.x, d.y, d.x + 1, d.y + 1}, Paint::Solid(PixelFromColor(color & 0x00FFFFFF)));
    return color & 0x00FFFFFF;
}

// The page cannot be read back.
COLORREF PrinterDC::GetPixel(POINT) { return CLR_INVALID; }

}  // namespace win32::print
