#include "classlib/printers.h"

#include <cstring>

#include "classlib/consts.h"

namespace classlib {

using namespace win32;

namespace {

// The system's reason for a failed printing call, in the user's words.
std::string PrintErrorMessage(DWORD error) {
    switch (error) {
    case ERROR_INVALID_PRINTER_NAME: return "プリンタ名が無効です。";
    case ERROR_PRINT_CANCELLED: return "印刷は取り消されました。";
    case ERROR_GEN_FAILURE: return "プリンタが印刷を受け付けませんでした。";
    case ERROR_WRITE_FAULT: return "印刷した文書を書き込めません。";
    default: return SysErrorMessage(error);
    }
}

// A device mode held locked for the length of a block.
class LockedDevMode {
public:
    explicit LockedDevMode(HGLOBAL h) : handle_(h), dm_(h ? static_cast<DEVMODEA*>(GlobalLock(h)) : nullptr) {}
    ~LockedDevMode() {
        if (dm_) GlobalUnlock(handle_);
    }
    LockedDevMode(const LockedDevMode&) = delete;
    LockedDevMode& operator=(const LockedDevMode&) = delete;
    DEVMODEA* get() const { return dm_; }
    DEVMODEA* operator->() const { return dm_; }

private:
    HGLOBAL handle_;
    DEVMODEA* dm_;
};

// Printer names compare without regard to ASCII case, as the spooler's do.
bool SamePrinterName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

TPrinter*& Current() {
    static TPrinter* printer = nullptr;
    return printer;
}

}  // namespace

// ---------------------------------------------------------------------------
// TPrinterCanvas

void TPrinterCanvas::CreateHandle() {
    printer_->SetState(psHandleIC);
    UpdateFont();
    SetHandle(printer_->Handle());
}

void TPrinterCanvas::Changing() {
    printer_->CheckPrinting(true);
    TCanvas::Changing();
    UpdateFont();
}

void TPrinterCanvas::UpdateFont() {
    const int dpi = GetDeviceCaps(printer_->Handle(), LOGPIXELSY);
    if (dpi <= 0 || dpi == Font()->PixelsPerInch()) return;
    const int size = Font()->Size();
    Font()->SetPixelsPerInch(dpi);
    Font()->SetSize(size);
}

// ---------------------------------------------------------------------------
// TPrinter: construction and the printer list

TPrinter::TPrinter() = default;

TPrinter::~TPrinter() {
    if (printing_) AbortDoc(dc_);
    printing_ = false;
    // The canvas lets go of the DC before the DC goes.
    if (canvas_) canvas_->SetHandle(nullptr);
    if (dc_) DeleteDC(dc_);
    FreeDeviceMode();
}

const std::vector<TPrinter::Device>& TPrinter::Devices() {
    if (devicesRead_) return devices_;
    devices_.clear();
    DWORD needed = 0, returned = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &returned);
    std::vector<BYTE> buffer(needed);
    if (needed > 0 && EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, buffer.data(),
                                    needed, &needed, &returned)) {
        auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
        for (DWORD i = 0; i < returned; ++i) {
            devices_.push_back(Device{info[i].pPrinterName ? info[i].pPrinterName : "", kPrinterDriverName,
                                      info[i].pPortName ? info[i].pPortName : ""});
        }
    }
    devicesRead_ = true;
    return devices_;
}

TStrings* TPrinter::Printers() {
    if (!printers_) printers_ = std::make_unique<TStringList>();
    if (!devicesRead_ || printers_->Count() != static_cast<int>(devices_.size())) {
        const auto& devices = Devices();
        printers_->BeginUpdate();
        printers_->Clear();
        for (const Device& d : devices) printers_->Add(d.device);
        printers_->EndUpdate();
    }
    return printers_.get();
}

void TPrinter::Refresh() {
    CheckPrinting(false);
    std::string keep = printerIndex_ >= 0 && printerIndex_ < static_cast<int>(devices_.size())
                           ? devices_[static_cast<std::size_t>(printerIndex_)].device
                           : std::string();
    devicesRead_ = false;
    FreeFonts();
    Printers();
    // The current printer stays current if it is still there.
    printerIndex_ = keep.empty() ? -1 : Printers()->IndexOf(keep);
    if (printerIndex_ < 0) {
        FreeDeviceMode();
        SetState(psNoHandle);
    }
}

int TPrinter::PrinterIndex() {
    if (printerIndex_ == -1) {
        char name[256];
        DWORD size = sizeof name;
        const int count = Printers()->Count();
        if (count == 0) throw EPrinter(SNoDefaultPrinter);
        printerIndex_ = GetDefaultPrinterA(name, &size) ? Printers()->IndexOf(name) : -1;
        if (printerIndex_ < 0) printerIndex_ = 0;
    }
    return printerIndex_;
}

void TPrinter::SetPrinterIndex(int index) {
    CheckPrinting(false);
    if (index != -1 && (index < 0 || index >= Printers()->Count())) throw EPrinter(SPrinterIndexError);
    if (index == printerIndex_ && index != -1) return;
    printerIndex_ = index;
    if (index == -1) PrinterIndex();
    FreeDeviceMode();
    FreeFonts();
    SetState(psNoHandle);
}

const TPrinter::Device& TPrinter::Current() {
    const int index = PrinterIndex();
    return devices_[static_cast<std::size_t>(index)];
}

HGLOBAL TPrinter::DeviceMode() {
    if (devMode_) return devMode_;
    const Device& d = Current();
    std::string name = d.device;
    HANDLE printer = nullptr;
    if (!OpenPrinterA(name.data(), &printer, nullptr)) return nullptr;
    const LONG size = DocumentPropertiesA(nullptr, printer, name.data(), nullptr, nullptr, 0);
    if (size > 0) {
        devMode_ = GlobalAlloc(GHND, static_cast<SIZE_T>(size));
        LockedDevMode dm(devMode_);
        if (!dm.get() || DocumentPropertiesA(nullptr, printer, name.data(), dm.get(), nullptr, DM_OUT_BUFFER) < 0) {
            GlobalFree(devMode_);
            devMode_ = nullptr;
        }
    }
    ClosePrinter(printer);
    return devMode_;
}

void TPrinter::FreeDeviceMode() {
    if (devMode_) GlobalFree(devMode_);
    devMode_ = nullptr;
}

void TPrinter::GetPrinter(std::string& device, std::string& driver, std::string& port, HGLOBAL& deviceMode) {
    const Device& d = Current();
    device = d.device;
    driver = d.driver;
    port = d.port;
    deviceMode = DeviceMode();
}

void TPrinter::SetPrinter(const std::string& device, const std::string& driver, const std::string& port,
                          HGLOBAL deviceMode) {
    CheckPrinting(false);
    if (deviceMode != devMode_) {
        FreeDeviceMode();
        devMode_ = deviceMode;
    }
    FreeFonts();
    SetState(psNoHandle);
    Devices();
    int found = -1;
    for (std::size_t i = 0; i < devices_.size(); ++i) {
        if (SamePrinterName(devices_[i].device, device)) {
            found = static_cast<int>(i);
            devices_[i].port = port;
            break;
        }
    }
    if (found < 0) {
        // A printer the list does not know becomes an entry of its own; its
        // DC will tell whether it exists.
        devices_.push_back(Device{device, driver.empty() ? kPrinterDriverName : driver, port});
        found = static_cast<int>(devices_.size()) - 1;
        Printers();
    }
    printerIndex_ = found;
}

// ---------------------------------------------------------------------------
// Handles

void TPrinter::CheckPrinting(bool printing) const {
    if (printing_ == printing) return;
    throw EPrinter(printing ? SNotPrinting : SPrinting);
}

void TPrinter::SetState(TPrinterState state) {
    if (state == state_) return;
    if (state == psHandleIC && state_ == psHandleDC) return;
    if (canvas_) canvas_->SetHandle(nullptr);
    if (dc_) DeleteDC(dc_);
    dc_ = nullptr;
    state_ = psNoHandle;
    if (state == psNoHandle) return;
    const Device d = Current();
    HGLOBAL mode = DeviceMode();
    {
        LockedDevMode dm(mode);
        dc_ = state == psHandleDC ? CreateDCA(d.driver.c_str(), d.device.c_str(), d.port.c_str(), dm.get())
                                  : CreateICA(d.driver.c_str(), d.device.c_str(), d.port.c_str(), dm.get());
    }
    if (!dc_) throw EPrinter(SInvalidPrinter);
    state_ = state;
    if (canvas_) canvas_->SetHandle(dc_);
}

HDC TPrinter::Handle() {
    SetState(psHandleIC);
    return dc_;
}

TPrinterCanvas* TPrinter::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<TPrinterCanvas>(this);
    return canvas_.get();
}

int TPrinter::PageWidth() { return GetDeviceCaps(Handle(), HORZRES); }

int TPrinter::PageHeight() { return GetDeviceCaps(Handle(), VERTRES); }

TPrinterOrientation TPrinter::Orientation() {
    LockedDevMode dm(DeviceMode());
    return dm.get() && dm->dmOrientation == DMORIENT_LANDSCAPE ? poLandscape : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation orientation) {
    CheckPrinting(false);
    {
        LockedDevMode dm(DeviceMode());
        if (!dm.get()) throw EPrinter(SInvalidPrinter);
        dm->dmFields |= DM_ORIENTATION;
        dm->dmOrientation = orientation == poLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    }
    SetState(psNoHandle);
}

int TPrinter::Copies() {
    LockedDevMode dm(DeviceMode());
    return dm.get() && (dm->dmFields & DM_COPIES) && dm->dmCopies > 0 ? dm->dmCopies : 1;
}

void TPrinter::SetCopies(int copies) {
    CheckPrinting(false);
    {
        LockedDevMode dm(DeviceMode());
        if (!dm.get()) throw EPrinter(SInvalidPrinter);
        dm->dmFields |= DM_COPIES;
        dm->dmCopies = static_cast<SHORT>(copies < 1 ? 1 : (copies > 32767 ? 32767 : copies));
    }
    SetState(psNoHandle);
}

TStrings* TPrinter::Fonts() {
    if (fonts_) return fonts_.get();
    auto fonts = std::make_unique<TStringList>();
    fonts->SetDuplicates(dupIgnore);
    fonts->SetSorted(true);
    LOGFONTA filter{};
    filter.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(
        Handle(), &filter,
        [](const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM list) -> int {
            reinterpret_cast<TStringList*>(list)->Add(lf->lfFaceName);
            return 1;
        },
        reinterpret_cast<LPARAM>(fonts.get()), 0);
    fonts_ = std::move(fonts);
    return fonts_.get();
}

// ---------------------------------------------------------------------------
// Jobs

void TPrinter::FailJob(const char* message, DWORD error) {
    if (dc_) AbortDoc(dc_);
    printing_ = false;
    pageNumber_ = 0;
    throw EPrinter(FormatResource(message, {PrintErrorMessage(error)}));
}

void TPrinter::BeginDoc() {
    CheckPrinting(false);
    SetState(psHandleDC);
    TPrinterCanvas* canvas = Canvas();
    canvas->Refresh();
    canvas->UpdateFont();
    aborted_ = false;
    DOCINFOA info{};
    info.cbSize = sizeof info;
    info.lpszDocName = title_.c_str();
    info.lpszOutput = outputFile_.empty() ? nullptr : outputFile_.c_str();
    SetLastError(ERROR_SUCCESS);
    if (StartDocA(dc_, &info) <= 0) {
        const DWORD error = GetLastError();
        // Nothing was started, so there is nothing to end.
        throw EPrinter(FormatResource(SPrintStartError, {PrintErrorMessage(error)}));
    }
    printing_ = true;
    pageNumber_ = 1;
    if (StartPage(dc_) <= 0) FailJob(SPrintStartError, GetLastError());
}

void TPrinter::NewPage() {
    CheckPrinting(true);
    if (EndPage(dc_) <= 0 || StartPage(dc_) <= 0) FailJob(SPrintPageError, GetLastError());
    ++pageNumber_;
    Canvas()->Refresh();
}

void TPrinter::EndDoc() {
    CheckPrinting(true);
    Canvas()->Refresh();
    if (EndPage(dc_) <= 0) FailJob(SPrintPageError, GetLastError());
    const int result = win32::EndDoc(dc_);
    const DWORD error = GetLastError();
    printing_ = false;
    pageNumber_ = 0;
    if (result <= 0) throw EPrinter(FormatResource(SPrintEndError, {PrintErrorMessage(error)}));
}

void TPrinter::Abort() {
    CheckPrinting(true);
    AbortDoc(dc_);
    Canvas()->Refresh();
    aborted_ = true;
    printing_ = false;
    pageNumber_ = 0;
}

// ---------------------------------------------------------------------------
// The program's printer

TPrinter* Printer() {
    TPrinter*& p = Current();
    if (!p) p = new TPrinter;
    return p;
}

std::unique_ptr<TPrinter> SetPrinter(std::unique_ptr<TPrinter> printer) {
    TPrinter*& p = Current();
    std::unique_ptr<TPrinter> old(p);
    p = printer.release();
    return old;
}

}  // namespace classlib
