// TPrinter: the current printer, its device context and canvas, and the
// print job, as the class library offers them. Printer() is the one every
// part of the program prints through; the print dialogs change its printer
// and device mode with SetPrinter.
//
// Failures of the system (no such printer, a job that cannot start or be
// finished) raise EPrinter with the reason; a job is ended on every way out
// of the operation that failed, so no half-written document is left.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "classlib/canvas.h"
#include "classlib/exceptions.h"
#include "classlib/strings.h"
#include "platform/windows.h"

namespace classlib {

enum TPrinterOrientation { poPortrait, poLandscape };
enum TPrinterState { psNoHandle, psHandleIC, psHandleDC };

class TPrinter;

// The printer's canvas: drawing is allowed only while a job runs, and its
// font keeps its point size at the printer's resolution.
class TPrinterCanvas : public TCanvas {
public:
    explicit TPrinterCanvas(TPrinter* printer) : printer_(printer) {}
    // Brings the font to the printer's resolution, keeping its size in
    // points.
    void UpdateFont();

protected:
    void CreateHandle() override;
    void Changing() override;

private:
    TPrinter* printer_;
};

class TPrinter : public TObject {
public:
    TPrinter();
    ~TPrinter() override;  // abandons a job still running

    // ---- Jobs ------------------------------------------------------------
    // Starts a job titled Title on the current printer with its first page.
    void BeginDoc();
    // Ends the last page and the job; the document is delivered.
    void EndDoc();
    // Abandons the job; what it had printed is thrown away.
    void Abort();
    void NewPage();
    bool Printing() const { return printing_; }
    // True after Abort, until the next BeginDoc.
    bool Aborted() const { return aborted_; }
    // The page being printed, from 1; 0 when no job runs.
    int PageNumber() const { return pageNumber_; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    // The file the next jobs print to ("print to file"); empty for the
    // printer's own destination (the PDF printer's documents folder, or a
    // print queue).
    const std::string& OutputFile() const { return outputFile_; }
    void SetOutputFile(const std::string& file) { outputFile_ = file; }

    // ---- The printer -----------------------------------------------------
    TPrinterCanvas* Canvas();
    // The printer's DC while a job runs, otherwise an information context.
    win32::HDC Handle();
    // The printable area in printer pixels.
    int PageWidth();
    int PageHeight();
    TPrinterOrientation Orientation();
    void SetOrientation(TPrinterOrientation orientation);
    int Copies();
    void SetCopies(int copies);
    // The faces the printer offers, sorted, each name once.
    TStrings* Fonts();

    // The names of the printers, the PDF printer first.
    TStrings* Printers();
    // The current printer's index in Printers; -1 chooses the default.
    int PrinterIndex();
    void SetPrinterIndex(int index);
    // Reads the printer list again.
    void Refresh();

    // The current printer's device, driver and port, and its device mode
    // (a GlobalAlloc block TPrinter keeps; callers lock it to read it and
    // must not free it).
    void GetPrinter(std::string& device, std::string& driver, std::string& port, win32::HGLOBAL& deviceMode);
    // Makes the named printer current (a name not in the list joins it) and
    // takes ownership of the device mode, which may be null for the
    // printer's defaults: what the print dialogs hand back after a choice.
    void SetPrinter(const std::string& device, const std::string& driver, const std::string& port,
                    win32::HGLOBAL deviceMode);

    TPrinterState State() const { return state_; }
    // Raises EPrinter when the printer is (or is not) printing.
    void CheckPrinting(bool printing) const;
    // Moves to a kind of handle: none, an information context, or a DC
    // (an information context is never asked for while a DC exists).
    void SetState(TPrinterState state);

private:
    struct Device {
        std::string device;
        std::string driver;
        std::string port;
    };
    const std::vector<Device>& Devices();
    const Device& Current();
    win32::HGLOBAL DeviceMode();
    void FreeDeviceMode();
    void FreeFonts() { fonts_.reset(); }
    // Ends a job that failed and raises the printer error for it.
    [[noreturn]] void FailJob(const char* message, win32::DWORD error);

    std::unique_ptr<TStringList> printers_;
    std::vector<Device> devices_;
    bool devicesRead_ = false;
    int printerIndex_ = -1;
    win32::HGLOBAL devMode_ = nullptr;
    std::unique_ptr<TStringList> fonts_;
    std::unique_ptr<TPrinterCanvas> canvas_;
    win32::HDC dc_ = nullptr;
    TPrinterState state_ = psNoHandle;
    std::string title_;
    std::string outputFile_;
    bool printing_ = false;
    bool aborted_ = false;
    int pageNumber_ = 0;
};

// The program's printer, made on first use and kept until the process ends.
TPrinter* Printer();
// Replaces it; returns the one it replaces (null when none was made yet).
std::unique_ptr<TPrinter> SetPrinter(std::unique_ptr<TPrinter> printer);

}  // namespace classlib
