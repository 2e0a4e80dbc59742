// Printers: the printer list, device modes and the spooler's functions.
//
// The list holds a built-in PDF printer, the default, whose jobs become PDF
// files, followed by the print queues of the machine when it has any (their
// jobs are rendered to PDF and handed to the queue). The device contexts and
// jobs themselves are GDI's functions (wingdi_printing.h).
#pragma once

#include "platform/print/wingdi_printing.h"
#include "platform/windef.h"

namespace win32 {

// The name of the built-in PDF printer.
inline constexpr const char* kPdfPrinterName = "PDF プリンター";

// Errors of the spooler (the last error after a failure).
constexpr DWORD ERROR_PRINT_CANCELLED = 63;
constexpr DWORD ERROR_INVALID_LEVEL = 124;
constexpr DWORD ERROR_INVALID_PRINTER_NAME = 1801;
constexpr DWORD ERROR_SPL_NO_STARTDOC = 3003;

// ---------------------------------------------------------------------------
// The printer list

constexpr DWORD PRINTER_ENUM_DEFAULT = 0x00000001;
constexpr DWORD PRINTER_ENUM_LOCAL = 0x00000002;
constexpr DWORD PRINTER_ENUM_CONNECTIONS = 0x00000004;
constexpr DWORD PRINTER_ENUM_NAME = 0x00000008;
constexpr DWORD PRINTER_ENUM_NETWORK = 0x00000040;

constexpr DWORD PRINTER_ATTRIBUTE_QUEUED = 0x00000001;
constexpr DWORD PRINTER_ATTRIBUTE_DEFAULT = 0x00000004;
constexpr DWORD PRINTER_ATTRIBUTE_NETWORK = 0x00000010;
constexpr DWORD PRINTER_ATTRIBUTE_LOCAL = 0x00000040;

constexpr DWORD PRINTER_ENUM_ICON8 = 0x00800000;

struct PRINTER_INFO_1A {
    DWORD Flags;
    LPSTR pDescription;  // "name,driver,location"
    LPSTR pName;
    LPSTR pComment;
};

struct PRINTER_INFO_2A {
    LPSTR pServerName;
    LPSTR pPrinterName;
    LPSTR pShareName;
    LPSTR pPortName;
    LPSTR pDriverName;
    LPSTR pComment;
    LPSTR pLocation;
    LPDEVMODEA pDevMode;  // inside the same buffer
    LPSTR pSepFile;
    LPSTR pPrintProcessor;
    LPSTR pDatatype;
    LPSTR pParameters;
    PVOID pSecurityDescriptor;
    DWORD Attributes;
    DWORD Priority;
    DWORD DefaultPriority;
    DWORD StartTime;
    DWORD UntilTime;
    DWORD Status;
    DWORD cJobs;
    DWORD AveragePPM;
};

struct PRINTER_INFO_4A {
    LPSTR pPrinterName;
    LPSTR pServerName;
    DWORD Attributes;
};

struct PRINTER_INFO_5A {
    LPSTR pPrinterName;
    LPSTR pPortName;
    DWORD Attributes;
    DWORD DeviceNotSelectedTimeout;
    DWORD TransmissionRetryTimeout;
};

// Levels 1, 2, 4 and 5. The structures come first in the buffer and the
// strings they point to after them; a buffer that is too small gives FALSE
// with ERROR_INSUFFICIENT_BUFFER and the size needed in *needed.
BOOL EnumPrintersA(DWORD flags, LPSTR name, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed,
                   LPDWORD returned);

// The default printer's name; *size is in bytes, the terminator included.
BOOL GetDefaultPrinterA(LPSTR buffer, LPDWORD size);

struct PRINTER_DEFAULTSA {
    LPSTR pDatatype;
    LPDEVMODEA pDevMode;
    DWORD DesiredAccess;
};
using LPPRINTER_DEFAULTSA = PRINTER_DEFAULTSA*;

BOOL OpenPrinterA(LPSTR printerName, HANDLE* printer, LPPRINTER_DEFAULTSA defaults);
BOOL ClosePrinter(HANDLE printer);
// Levels 1, 2, 4 and 5 as EnumPrintersA lays them out.
BOOL GetPrinterA(HANDLE printer, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed);

// With mode 0 returns the size of the printer's device mode. DM_OUT_BUFFER
// writes the printer's device mode (its defaults, with the fields of
// `input` merged when DM_IN_BUFFER is given) to `output`. There is no
// property sheet: DM_IN_PROMPT is accepted and answered at once. Returns
// IDOK, or a negative value on failure.
LONG DocumentPropertiesA(HWND owner, HANDLE printer, LPSTR deviceName, PDEVMODEA output, PDEVMODEA input,
                         DWORD mode);

// ---------------------------------------------------------------------------
// DEVNAMES: the driver, device and port of a printer as the print dialogs
// hand them over, in one GlobalAlloc block (the offsets count bytes from
// the start of the structure).

struct DEVNAMES {
    WORD wDriverOffset;
    WORD wDeviceOffset;
    WORD wOutputOffset;
    WORD wDefault;
};
using LPDEVNAMES = DEVNAMES*;

constexpr WORD DN_DEFAULTPRN = 0x0001;

// The driver name every printer of the list reports.
inline constexpr const char* kPrinterDriverName = "winspool";

}  // namespace win32
