#include "platform/print/printer_dc.h"

#include <cmath>

#include "platform/kernel/winbase.h"
#include "platform/print/winspool.h"

namespace win32::print {

PrinterDC::PrinterDC(const PrinterEntry& printer, const PrintSettings& settings, bool informationOnly)
    : printer_(printer), settings_(settings), geometry_(GeometryOf(settings)), informationOnly_(informationOnly) {}

PrinterDC::~PrinterDC() { AbandonJob(); }

PrinterDC* FindPrinterDC(HDC dc) { return dynamic_cast<PrinterDC*>(gdi::FindDC(dc)); }

int PrinterDC::DeviceCaps(int index) const {
    const PageGeometry& g = geometry_;
    const auto mm = [&](int pixels) { return static_cast<int>(std::lround(pixels * 25.4 / g.dpi)); };
    switch (index) {
    case TECHNOLOGY: return DT_RASPRINTER;
    case HORZSIZE: return mm(g.printableWidth);
    case VERTSIZE: return mm(g.printableHeight);
    case HORZRES: return g.printableWidth;
    case VERTRES: return g.printableHeight;
    case LOGPIXELSX:
    case LOGPIXELSY: return g.dpi;
    case PHYSICALWIDTH: return g.physicalWidth;
    case PHYSICALHEIGHT: return g.physicalHeight;
    case PHYSICALOFFSETX: return g.offsetX;
    case PHYSICALOFFSETY: return g.offsetY;
    case SCALINGFACTORX:
    case SCALINGFACTORY: return 0;
    case ASPECTX:
    case ASPECTY: return g.dpi;
    case ASPECTXY: return static_cast<int>(std::lround(g.dpi * std::sqrt(2.0)));
    case BITSPIXEL: return 24;
    case COLORRES: return 24;
    case NUMCOLORS: return -1;
    case CLIPCAPS: return CP_RECTANGLE;
    case RASTERCAPS: return RC_BITBLT | RC_BANDING | RC_STRETCHBLT | RC_DI_BITMAP | RC_STRETCHDIB;
    default: return DeviceContext::DeviceCaps(index);
    }
}

Region PrinterDC::VisibleRegion() const {
    return Region(RECT{0, 0, geometry_.printableWidth, geometry_.printableHeight});
}

void PrinterDC::StateChanged(gdi::DcChange change) {
    if (change == gdi::DcChange::Clip || change == gdi::DcChange::Restore) clipApplied_ = false;
}

cairo_t* PrinterDC::Page() {
    if (!page_) return nullptr;
    const Region drawable = DrawableRegion();
    if (drawable.IsEmpty()) return nullptr;
    if (!clipApplied_ || !(drawable == appliedClip_)) {
        cairo_reset_clip(page_);
        cairo_new_path(page_);
        for (const RECT& r : drawable.Rects()) {
            cairo_rectangle(page_, r.left, r.top, r.right - r.left, r.bottom - r.top);
        }
        cairo_clip(page_);
        appliedClip_ = drawable;
        clipApplied_ = true;
    }
    cairo_new_path(page_);
    return page_;
}

// ---------------------------------------------------------------------------
// Jobs

int PrinterDC::StartDoc(const DOCINFOA& info) {
    if (informationOnly_) {
        SetLastError(ERROR_INVALID_HANDLE);
        return SP_ERROR;
    }
    if (job_) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return SP_ERROR;
    }
    JobRequest request;
    request.title = info.lpszDocName ? info.lpszDocName : "";
    request.output = info.lpszOutput ? info.lpszOutput : "";
    request.printer = printer_;
    request.settings = settings_;
    job_ = PrintJob::Start(request);
    if (!job_) return SP_ERROR;
    static int jobs = 0;
    return ++jobs;
}

int PrinterDC::StartPage() {
    if (!job_) {
        SetLastError(ERROR_SPL_NO_STARTDOC);
        return SP_ERROR;
    }
    if (page_) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return SP_ERROR;
    }
    page_ = job_->BeginPage(geometry_.sheetWidthPt, geometry_.sheetHeightPt);
    if (!page_) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return SP_ERROR;
    }
    // Device pixels from the printable area's corner, onto points of the
    // sheet.
    cairo_scale(page_, 72.0 / geometry_.dpi, 72.0 / geometry_.dpi);
    cairo_translate(page_, geometry_.offsetX, geometry_.offsetY);
    clipApplied_ = false;
    return 1;
}

int PrinterDC::EndPage() {
    if (!job_ || !page_) {
        SetLastError(job_ ? ERROR_INVALID_PARAMETER : ERROR_SPL_NO_STARTDOC);
        return SP_ERROR;
    }
    job_->EndPage();
    page_ = nullptr;
    if (abortProc_ && !abortProc_(Handle(), 0)) {
        AbandonJob();
        SetLastError(ERROR_PRINT_CANCELLED);
        return SP_APPABORT;
    }
    return 1;
}

int PrinterDC::EndDoc() {
    if (!job_) {
        SetLastError(ERROR_SPL_NO_STARTDOC);
        return SP_ERROR;
    }
    page_ = nullptr;
    std::unique_ptr<PrintJob> job = std::move(job_);
    return job->Finish() ? 1 : SP_ERROR;
}

int PrinterDC::AbortDoc() {
    if (!job_) {
        SetLastError(ERROR_SPL_NO_STARTDOC);
        return SP_ERROR;
    }
    AbandonJob();
    return 1;
}

void PrinterDC::AbandonJob() {
    page_ = nullptr;
    if (job_) {
        job_->Abort();
        job_.reset();
    }
}

bool PrinterDC::Reset(const DEVMODEA& devMode) {
    if (page_) return false;
    settings_ = MergeDevMode(settings_, devMode);
    geometry_ = GeometryOf(settings_);
    clipApplied_ = false;
    return true;
}

}  // namespace win32::print
