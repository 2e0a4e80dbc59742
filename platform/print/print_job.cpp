#include "platform/print/print_job.h"

#include <cairo-pdf.h>
#include <unistd.h>

#include <cerrno>

#include "platform/kernel/kernel_object.h"
#include "platform/kernel/winbase.h"
#include "platform/print/print_queues.h"
#include "platform/print/winspool.h"

namespace win32::print {
namespace {

std::string& LastDelivered() {
    static std::string path;
    return path;
}

QueueOptions OptionsFor(const PrintSettings& s) {
    QueueOptions options;
    if (s.copies > 1) options.emplace_back("copies", std::to_string(s.copies));
    if (const PaperInfo* paper = FindPaper(s.paperCode)) options.emplace_back("media", paper->media);
    if (s.duplex == DMDUP_VERTICAL) options.emplace_back("sides", "two-sided-long-edge");
    if (s.duplex == DMDUP_HORIZONTAL) options.emplace_back("sides", "two-sided-short-edge");
    if (s.copies > 1) options.emplace_back("collate", s.collate == DMCOLLATE_TRUE ? "true" : "false");
    return options;
}

}  // namespace

const std::string& LastDeliveredDocument() { return LastDelivered(); }

std::unique_ptr<PrintJob> PrintJob::Start(const JobRequest& request) {
    std::unique_ptr<PrintJob> job(new PrintJob(request));
    bool opened;
    if (!request.output.empty()) {
        // A file the user named replaces what was there, as printing to a
        // file does; the default place never overwrites anything.
        opened = job->file_.Open(request.output, true);
    } else if (request.printer.kind == PrinterKind::Pdf) {
        opened = job->file_.Open(DefaultOutputFolder() + "/" + DocumentFileName(request.title), false);
    } else {
        opened = job->file_.OpenTemporary();
    }
    if (!opened) return nullptr;
    const PageGeometry g = GeometryOf(request.settings);
    job->surface_ = cairo_pdf_surface_create_for_stream(&PrintJob::Write, job.get(), g.sheetWidthPt, g.sheetHeightPt);
    if (cairo_surface_status(job->surface_) != CAIRO_STATUS_SUCCESS) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;  // the destructor removes the file
    }
    if (!request.title.empty()) {
        cairo_pdf_surface_set_metadata(job->surface_, CAIRO_PDF_METADATA_TITLE, request.title.c_str());
    }
    job->cr_ = cairo_create(job->surface_);
    return job;
}

PrintJob::~PrintJob() { Abort(); }

cairo_status_t PrintJob::Write(void* closure, const unsigned char* data, unsigned int length) {
    auto* job = static_cast<PrintJob*>(closure);
    if (job->writeError_ != 0) return CAIRO_STATUS_WRITE_ERROR;
    const int fd = job->file_.Descriptor();
    while (length > 0) {
        const ssize_t n = write(fd, data, length);
        if (n < 0) {
            if (errno == EINTR) continue;
            job->writeError_ = errno;
            return CAIRO_STATUS_WRITE_ERROR;
        }
        data += n;
        length -= static_cast<unsigned int>(n);
    }
    return CAIRO_STATUS_SUCCESS;
}

cairo_t* PrintJob::BeginPage(double widthPt, double heightPt) {
    if (!cr_ || pageOpen_) return nullptr;
    // The size of a page is fixed before anything is drawn on it.
    cairo_pdf_surface_set_size(surface_, widthPt, heightPt);
    cairo_identity_matrix(cr_);
    cairo_reset_clip(cr_);
    cairo_new_path(cr_);
    pageOpen_ = true;
    return cr_;
}

void PrintJob::EndPage() {
    if (!pageOpen_) return;
    cairo_show_page(cr_);
    pageOpen_ = false;
    ++pages_;
}

void PrintJob::Release() {
    if (cr_) {
        cairo_destroy(cr_);
        cr_ = nullptr;
    }
    if (surface_) {
        cairo_surface_destroy(surface_);
        surface_ = nullptr;
    }
}

bool PrintJob::Finish() {
    if (!surface_) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    EndPage();
    if (pages_ == 0) {
        // Nothing was printed: there is no document to deliver.
        Abort();
        return true;
    }
    cairo_surface_finish(surface_);
    const cairo_status_t status = cairo_surface_status(surface_);
    Release();
    if (writeError_ != 0 || status != CAIRO_STATUS_SUCCESS) {
        if (writeError_ != 0) {
            kernel::SetLastErrorFromErrno(writeError_, file_.TemporaryPath());
        } else {
            SetLastError(status == CAIRO_STATUS_NO_MEMORY ? ERROR_NOT_ENOUGH_MEMORY : ERROR_WRITE_FAULT);
        }
        file_.Discard();
        return false;
    }
    const std::string written = file_.Commit();
    if (written.empty()) return false;
    if (request_.printer.kind == PrinterKind::Queue && request_.output.empty()) {
        std::string why;
        const bool sent =
            Queues().Submit(request_.printer.name, written, request_.title, OptionsFor(request_.settings), why);
        unlink(written.c_str());
        if (!sent) {
            SetLastError(ERROR_GEN_FAILURE);
            return false;
        }
        delivered_ = request_.printer.name;
    } else {
        delivered_ = written;
    }
    LastDelivered() = delivered_;
    return true;
}

void PrintJob::Abort() {
    // Whatever cairo still has to say goes nowhere.
    if (writeError_ == 0) writeError_ = ECANCELED;
    Release();
    file_.Discard();
    pageOpen_ = false;
}

}  // namespace win32::print
