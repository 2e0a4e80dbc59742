// A print job: its pages rendered by cairo into one PDF document, which goes
// to a file (the PDF printer, or any printer printing to a file) or to a
// print queue. The job owns its output until it is finished; a job that is
// abandoned or destroyed unfinished leaves nothing behind.
#pragma once

#include <cairo.h>

#include <memory>
#include <string>

#include "platform/print/device_mode.h"
#include "platform/print/output_file.h"
#include "platform/print/printer_list.h"

namespace win32::print {

struct JobRequest {
    std::string title;
    std::string output;  // the file the caller named, or empty
    PrinterEntry printer;
    PrintSettings settings;
};

class PrintJob {
public:
    // Opens the job's output; null with the last error set when it cannot
    // be written (a missing or unwritable folder, a bad name).
    static std::unique_ptr<PrintJob> Start(const JobRequest& request);
    ~PrintJob();
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    // Opens a page of the given sheet size (points); the context draws in
    // points from the sheet's top-left corner.
    cairo_t* BeginPage(double widthPt, double heightPt);
    void EndPage();
    bool PageOpen() const { return pageOpen_; }
    int Pages() const { return pages_; }

    // Completes the document and delivers it; FALSE with the last error set
    // when it cannot be written or the queue refuses it, and then no file is
    // left in the output's place. A job without pages delivers nothing.
    bool Finish();
    // Abandons the job and removes its output.
    void Abort();

    // Where the document went (after Finish), for the user and for tests.
    const std::string& Delivered() const { return delivered_; }

private:
    explicit PrintJob(const JobRequest& request) : request_(request) {}
    static cairo_status_t Write(void* closure, const unsigned char* data, unsigned int length);
    void Release();

    JobRequest request_;
    OutputFile file_;
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
    bool pageOpen_ = false;
    int pages_ = 0;
    int writeError_ = 0;
    std::string delivered_;
};

// Where the last finished job's document went (the file, or the queue's
// name); empty before the first.
const std::string& LastDeliveredDocument();

}  // namespace win32::print
