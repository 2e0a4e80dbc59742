// The GDI functions of printing: printer device contexts, jobs and device
// capabilities.
#include <cstring>
#include <memory>

#include "platform/gdi/dc.h"
#include "platform/kernel/winbase.h"
#include "platform/print/device_mode.h"
#include "platform/print/printer_dc.h"
#include "platform/print/printer_list.h"
#include "platform/print/winspool.h"

namespace win32 {

using print::FindPrinterDC;
using print::PrinterDC;

namespace {

HDC CreatePrinterContext(LPCSTR device, const DEVMODEA* devMode, bool informationOnly) {
    const print::PrinterEntry* printer = device ? print::FindPrinter(device) : nullptr;
    if (!printer) {
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return nullptr;
    }
    return gdi::RegisterDC(
        std::make_unique<PrinterDC>(*printer, print::SettingsFor(*printer, devMode), informationOnly));
}

PrinterDC* JobDC(HDC dc) {
    PrinterDC* p = FindPrinterDC(dc);
    if (!p) SetLastError(ERROR_INVALID_HANDLE);
    return p;
}

// Copies fixed-size names into the caller's buffer, padded with zeros.
void PutName(LPSTR output, int index, int width, const char* name) {
    char* slot = output + static_cast<std::ptrdiff_t>(index) * width;
    std::memset(slot, 0, static_cast<std::size_t>(width));
    std::size_t n = std::min(std::strlen(name), static_cast<std::size_t>(width - 1));
    while (n > 0 && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80) --n;
    std::memcpy(slot, name, n);
}

}  // namespace

HDC CreateDCA(LPCSTR, LPCSTR device, LPCSTR, const DEVMODEA* devMode) {
    return CreatePrinterContext(device, devMode, false);
}

HDC CreateICA(LPCSTR, LPCSTR device, LPCSTR, const DEVMODEA* devMode) {
    return CreatePrinterContext(device, devMode, true);
}

HDC ResetDCA(HDC dc, const DEVMODEA* devMode) {
    PrinterDC* p = JobDC(dc);
    if (!p || !devMode) return nullptr;
    DEVMODEA copy{};
    std::size_t size = devMode->dmSize == 0 ? sizeof copy : std::min<std::size_t>(devMode->dmSize, sizeof copy);
    std::memcpy(&copy, devMode, size);
    return p->Reset(copy) ? dc : nullptr;
}

int StartDocA(HDC dc, const DOCINFOA* info) {
    PrinterDC* p = JobDC(dc);
    if (!p) return SP_ERROR;
    if (!info) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return SP_ERROR;
    }
    return p->StartDoc(*info);
}

int StartPage(HDC dc) {
    PrinterDC* p = JobDC(dc);
    return p ? p->StartPage() : SP_ERROR;
}

int EndPage(HDC dc) {
    PrinterDC* p = JobDC(dc);
    return p ? p->EndPage() : SP_ERROR;
}

int EndDoc(HDC dc) {
    PrinterDC* p = JobDC(dc);
    return p ? p->EndDoc() : SP_ERROR;
}

int AbortDoc(HDC dc) {
    PrinterDC* p = JobDC(dc);
    return p ? p->AbortDoc() : SP_ERROR;
}

int SetAbortProc(HDC dc, ABORTPROC proc) {
    PrinterDC* p = JobDC(dc);
    if (!p) return SP_ERROR;
    p->SetAbortProc(proc);
    return 1;
}

int DeviceCapabilitiesA(LPCSTR device, LPCSTR, WORD capability, LPSTR output, const DEVMODEA*) {
    const print::PrinterEntry* printer = device ? print::FindPrinter(device) : nullptr;
    if (!printer) {
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return -1;
    }
    const bool queue = printer->kind == print::PrinterKind::Queue;
    const auto papers = print::Papers();
    const int count = static_cast<int>(papers.size());
    switch (capability) {
    case DC_FIELDS:
        return static_cast<int>(DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_COPIES |
                                DM_PRINTQUALITY | DM_YRESOLUTION | DM_COLOR | DM_COLLATE | DM_FORMNAME |
                                (queue ? DM_DUPLEX : 0));
    case DC_PAPERS:
        if (output) {
            auto* codes = reinterpret_cast<WORD*>(output);
            for (int i = 0; i < count; ++i) codes[i] = static_cast<WORD>(papers[static_cast<std::size_t>(i)].code);
        }
        return count;
    case DC_PAPERNAMES:
        if (output) {
            for (int i = 0; i < count; ++i) PutName(output, i, CCHPAPERNAME, papers[static_cast<std::size_t>(i)].name);
        }
        return count;
    case DC_PAPERSIZE:
        if (output) {
            auto* sizes = reinterpret_cast<POINT*>(output);
            for (int i = 0; i < count; ++i) {
                sizes[i] = POINT{papers[static_cast<std::size_t>(i)].width, papers[static_cast<std::size_t>(i)].length};
            }
        }
        return count;
    case DC_MINEXTENT: return MAKELONG(print::kMinPaperExtent, print::kMinPaperExtent);
    case DC_MAXEXTENT: return MAKELONG(print::kMaxPaperWidth, print::kMaxPaperLength);
    case DC_BINS:
        if (output) *reinterpret_cast<WORD*>(output) = static_cast<WORD>(DMBIN_AUTO);
        return 1;
    case DC_BINNAMES:
        if (output) PutName(output, 0, CCHBINNAME, "自動選択");
        return 1;
    case DC_ENUMRESOLUTIONS: {
        const int n = static_cast<int>(std::size(print::kResolutions));
        if (output) {
            auto* pairs = reinterpret_cast<LONG*>(output);
            for (int i = 0; i < n; ++i) pairs[2 * i] = pairs[2 * i + 1] = print::kResolutions[i];
        }
        return n;
    }
    case DC_DUPLEX: return queue ? 1 : 0;
    case DC_SIZE: return sizeof(DEVMODEA);
    case DC_EXTRA: return 0;
    case DC_VERSION: return DM_SPECVERSION;
    case DC_DRIVER: return 0x0100;
    case DC_FILEDEPENDENCIES: return 0;
    case DC_TRUETYPE: return 2;  // DCTT_DOWNLOAD: the fonts travel with the document
    case DC_ORIENTATION: return 90;
    // A PDF holds each page once; copies are the print queue's business.
    case DC_COPIES: return queue ? print::kMaxCopies : 1;
    case DC_COLLATE: return queue ? 1 : 0;
    case DC_COLORDEVICE: return 1;
    default: SetLastError(ERROR_NOT_SUPPORTED); return -1;
    }
}

}  // namespace win32
