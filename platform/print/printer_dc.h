// The printer device context: GDI's state and operations on a page of a
// print job. Drawing goes straight to cairo while a page is open, in vector
// form (lines, fills and text as text, bitmaps as images), so a page costs
// no raster memory at printer resolution and text stays searchable. The
// DC's device units are printer pixels with (0, 0) at the top-left corner
// of the printable area; the page's cairo matrix turns them into points on
// the sheet.
#pragma once

#include <cairo.h>

#include <memory>
#include <string>

#include "platform/gdi/dc.h"
#include "platform/print/device_mode.h"
#include "platform/print/paper_ink.h"
#include "platform/print/print_job.h"
#include "platform/print/printer_list.h"

namespace win32::print {

// Coordinates far beyond any page are brought near it, where cairo's
// fixed-point numbers still hold them (they are clipped away anyway).
inline double Near(double v) {
    constexpr double kFar = 1 << 24;
    return v < -kFar ? -kFar : (v > kFar ? kFar : v);
}

class PrinterDC : public gdi::DeviceContext {
public:
    // An information context reports the same as a DC but prints nothing.
    PrinterDC(const PrinterEntry& printer, const PrintSettings& settings, bool informationOnly);
    ~PrinterDC() override;  // abandons an unfinished job

    DWORD Type() const override { return OBJ_DC; }
    bool DeletableByDeleteDC() const override { return true; }
    int DeviceCaps(int index) const override;
    Region VisibleRegion() const override;

    const PrinterEntry& Printer() const { return printer_; }
    const PrintSettings& Settings() const { return settings_; }
    const PageGeometry& Geometry() const { return geometry_; }
    bool InformationOnly() const { return informationOnly_; }

    // ---- Jobs (the values StartDocA ... AbortDoc return) -----------------
    int StartDoc(const DOCINFOA& info);
    int StartPage();
    int EndPage();
    int EndDoc();
    int AbortDoc();
    bool Reset(const DEVMODEA& devMode);
    void SetAbortProc(ABORTPROC proc) { abortProc_ = proc; }
    bool InJob() const { return job_ != nullptr; }

    // ---- Drawing -----------------------------------------------------------
    BOOL Polyline(const POINT* points, int count) override;
    BOOL PolyPolygon(const POINT* points, const INT* counts, int polygons) override;
    BOOL Rectangle(const RECT& r) override;
    BOOL Ellipse(const RECT& r) override;
    BOOL PatBlt(const RECT& r, HBRUSH brush, DWORD rop) override;
    BOOL FillRegion(const Region& logical, HBRUSH brush, DWORD rop) override;
    BOOL StretchBlt(const gdi::BltRect& dst, DeviceContext* src, const gdi::BltRect& srcRect, DWORD rop) override;
    BOOL MaskBlt(const gdi::BltRect& dst, DeviceContext* src, POINT srcOrg, gdi::BitmapObject* mask, POINT maskOrg,
                 DWORD rop4) override;
    BOOL TransparentBlt(const gdi::BltRect& dst, DeviceContext* src, const gdi::BltRect& srcRect, COLORREF key) override;
    COLORREF SetPixel(POINT p, COLORREF color) override;
    COLORREF GetPixel(POINT p) override;
    BOOL ExtTextOut(int x, int y, UINT options, const RECT* rect, std::string_view text, const INT* dx) override;

protected:
    void StateChanged(gdi::DcChange change) override;

private:
    // The page's context with the DC's clip applied, or null when no page
    // is open or nothing can be drawn.
    cairo_t* Page();
    // Screen pixels to printer pixels, for hatches, patterns and dash
    // lengths that should look on paper as they look on the screen.
    double ScreenScale() const { return geometry_.dpi / 96.0; }
    void FillDeviceRect(cairo_t* cr, const RECT& device, const Paint& paint);
    // Strokes the current path with the selected pen; false when there is
    // no pen.
    bool StrokeWithPen(cairo_t* cr, bool closedFigure);
    double PenWidth() const;
    // Draws an image of raster effects so that its pixel (0, 0) lands at
    // device point `origin` and each pixel covers (sx, sy) device units.
    void DrawImage(cairo_t* cr, const EffectImage& image, int width, int height, double originX, double originY,
                   double sx, double sy);
    void AbandonJob();

    PrinterEntry printer_;
    PrintSettings settings_;
    PageGeometry geometry_;
    bool informationOnly_;
    std::unique_ptr<PrintJob> job_;
    ABORTPROC abortProc_ = nullptr;
    cairo_t* page_ = nullptr;
    bool clipApplied_ = false;
    Region appliedClip_;
};

// The printer DC behind a handle, or null.
PrinterDC* FindPrinterDC(HDC dc);

}  // namespace win32::print
