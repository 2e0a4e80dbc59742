// The printing part of the GDI interface: device modes, printer device
// contexts (CreateDCA, ResetDCA), print jobs (StartDocA ... EndDoc), the
// printer indices of GetDeviceCaps and DeviceCapabilitiesA. wingdi.h
// includes this header, so everything here is also reached through it, as
// on Win32.
#pragma once

#include "platform/windef.h"

namespace win32 {

// ---------------------------------------------------------------------------
// Device modes

constexpr int CCHDEVICENAME = 32;
constexpr int CCHFORMNAME = 32;

// The printer variant of DEVMODEA (the display variant shares its memory
// with dmOrientation ... dmPrintQuality and is not used here). The layout
// and size are those of Win32, so a device mode copied byte for byte keeps
// its meaning. Names are UTF-8 and cut at a whole character.
struct DEVMODEA {
    CHAR dmDeviceName[CCHDEVICENAME];
    WORD dmSpecVersion;
    WORD dmDriverVersion;
    WORD dmSize;
    WORD dmDriverExtra;
    DWORD dmFields;
    SHORT dmOrientation;
    SHORT dmPaperSize;
    SHORT dmPaperLength;  // 0.1 mm, overrides the paper code's length
    SHORT dmPaperWidth;   // 0.1 mm, overrides the paper code's width
    SHORT dmScale;
    SHORT dmCopies;
    SHORT dmDefaultSource;
    SHORT dmPrintQuality;  // dots per inch, or a DMRES_ value
    SHORT dmColor;
    SHORT dmDuplex;
    SHORT dmYResolution;
    SHORT dmTTOption;
    SHORT dmCollate;
    CHAR dmFormName[CCHFORMNAME];
    WORD dmLogPixels;
    DWORD dmBitsPerPel;
    DWORD dmPelsWidth;
    DWORD dmPelsHeight;
    DWORD dmNup;  // dmDisplayFlags for displays
    DWORD dmDisplayFrequency;
    DWORD dmICMMethod;
    DWORD dmICMIntent;
    DWORD dmMediaType;
    DWORD dmDitherType;
    DWORD dmReserved1;
    DWORD dmReserved2;
    DWORD dmPanningWidth;
    DWORD dmPanningHeight;
};
using PDEVMODEA = DEVMODEA*;
using LPDEVMODEA = DEVMODEA*;
static_assert(sizeof(DEVMODEA) == 156, "DEVMODEA keeps the Win32 layout");

constexpr WORD DM_SPECVERSION = 0x0401;

// dmFields.
constexpr DWORD DM_ORIENTATION = 0x00000001;
constexpr DWORD DM_PAPERSIZE = 0x00000002;
constexpr DWORD DM_PAPERLENGTH = 0x00000004;
constexpr DWORD DM_PAPERWIDTH = 0x00000008;
constexpr DWORD DM_SCALE = 0x00000010;
constexpr DWORD DM_POSITION = 0x00000020;
constexpr DWORD DM_NUP = 0x00000040;
constexpr DWORD DM_COPIES = 0x00000100;
constexpr DWORD DM_DEFAULTSOURCE = 0x00000200;
constexpr DWORD DM_PRINTQUALITY = 0x00000400;
constexpr DWORD DM_COLOR = 0x00000800;
constexpr DWORD DM_DUPLEX = 0x00001000;
constexpr DWORD DM_YRESOLUTION = 0x00002000;
constexpr DWORD DM_TTOPTION = 0x00004000;
constexpr DWORD DM_COLLATE = 0x00008000;
constexpr DWORD DM_FORMNAME = 0x00010000;
constexpr DWORD DM_LOGPIXELS = 0x00020000;
constexpr DWORD DM_BITSPERPEL = 0x00040000;
constexpr DWORD DM_PELSWIDTH = 0x00080000;
constexpr DWORD DM_PELSHEIGHT = 0x00100000;
constexpr DWORD DM_DISPLAYFLAGS = 0x00200000;
constexpr DWORD DM_DISPLAYFREQUENCY = 0x00400000;
constexpr DWORD DM_MEDIATYPE = 0x02000000;
constexpr DWORD DM_DITHERTYPE = 0x04000000;

constexpr SHORT DMORIENT_PORTRAIT = 1;
constexpr SHORT DMORIENT_LANDSCAPE = 2;

constexpr SHORT DMRES_DRAFT = -1;
constexpr SHORT DMRES_LOW = -2;
constexpr SHORT DMRES_MEDIUM = -3;
constexpr SHORT DMRES_HIGH = -4;

constexpr SHORT DMCOLOR_MONOCHROME = 1;
constexpr SHORT DMCOLOR_COLOR = 2;

constexpr SHORT DMDUP_SIMPLEX = 1;
constexpr SHORT DMDUP_VERTICAL = 2;
constexpr SHORT DMDUP_HORIZONTAL = 3;

constexpr SHORT DMCOLLATE_FALSE = 0;
constexpr SHORT DMCOLLATE_TRUE = 1;

constexpr SHORT DMTT_BITMAP = 1;
constexpr SHORT DMTT_DOWNLOAD = 2;
constexpr SHORT DMTT_SUBDEV = 3;
constexpr SHORT DMTT_DOWNLOAD_OUTLINE = 4;

constexpr SHORT DMBIN_ONLYONE = 1;
constexpr SHORT DMBIN_UPPER = 1;
constexpr SHORT DMBIN_LOWER = 2;
constexpr SHORT DMBIN_MANUAL = 4;
constexpr SHORT DMBIN_AUTO = 7;

// Paper codes (dmPaperSize).
constexpr SHORT DMPAPER_LETTER = 1;
constexpr SHORT DMPAPER_LETTERSMALL = 2;
constexpr SHORT DMPAPER_TABLOID = 3;
constexpr SHORT DMPAPER_LEDGER = 4;
constexpr SHORT DMPAPER_LEGAL = 5;
constexpr SHORT DMPAPER_STATEMENT = 6;
constexpr SHORT DMPAPER_EXECUTIVE = 7;
constexpr SHORT DMPAPER_A3 = 8;
constexpr SHORT DMPAPER_A4 = 9;
constexpr SHORT DMPAPER_A4SMALL = 10;
constexpr SHORT DMPAPER_A5 = 11;
constexpr SHORT DMPAPER_B4 = 12;
constexpr SHORT DMPAPER_B5 = 13;
constexpr SHORT DMPAPER_FOLIO = 14;
constexpr SHORT DMPAPER_QUARTO = 15;
constexpr SHORT DMPAPER_ENV_10 = 20;
constexpr SHORT DMPAPER_ENV_DL = 27;
constexpr SHORT DMPAPER_ENV_C5 = 28;
constexpr SHORT DMPAPER_ISO_B4 = 42;
constexpr SHORT DMPAPER_JAPANESE_POSTCARD = 43;
constexpr SHORT DMPAPER_A2 = 66;
constexpr SHORT DMPAPER_DBL_JAPANESE_POSTCARD = 69;
constexpr SHORT DMPAPER_A6 = 70;
constexpr SHORT DMPAPER_JENV_KAKU2 = 71;
constexpr SHORT DMPAPER_JENV_CHOU3 = 73;
constexpr SHORT DMPAPER_B6_JIS = 88;
constexpr SHORT DMPAPER_USER = 256;

// DocumentPropertiesA modes.
constexpr DWORD DM_UPDATE = 1;
constexpr DWORD DM_COPY = 2;
constexpr DWORD DM_PROMPT = 4;
constexpr DWORD DM_MODIFY = 8;
constexpr DWORD DM_IN_BUFFER = DM_MODIFY;
constexpr DWORD DM_IN_PROMPT = DM_PROMPT;
constexpr DWORD DM_OUT_BUFFER = DM_COPY;
constexpr DWORD DM_OUT_DEFAULT = DM_UPDATE;

// ---------------------------------------------------------------------------
// Printer device contexts and print jobs

// Device contexts of printers (and "DISPLAY", the screen). The driver and
// port may be null; the device is a name of the printer list. A device
// mode, when given, is merged over the printer's defaults. An information
// context answers questions (GetDeviceCaps, text metrics) but prints
// nothing. Printer DCs are deleted with DeleteDC, which abandons a job
// still open on them.
HDC CreateDCA(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA* devMode);
HDC CreateICA(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA* devMode);
// Takes a new device mode (paper, orientation) between pages; null when a
// page is open or the DC is no printer's.
HDC ResetDCA(HDC dc, const DEVMODEA* devMode);

struct DOCINFOA {
    int cbSize;
    LPCSTR lpszDocName;  // the job's title
    LPCSTR lpszOutput;   // a file to print to, or null
    LPCSTR lpszDatatype;
    DWORD fwType;
};
using LPDOCINFOA = DOCINFOA*;

using ABORTPROC = BOOL (*)(HDC, int);

// Results of the job functions: greater than zero on success.
constexpr int SP_ERROR = -1;
constexpr int SP_APPABORT = -2;
constexpr int SP_USERABORT = -3;
constexpr int SP_OUTOFDISK = -4;
constexpr int SP_OUTOFMEMORY = -5;

// A job that cannot start (no writable output, no such printer) returns
// SP_ERROR with the reason in the last error and leaves no file behind.
int StartDocA(HDC dc, const DOCINFOA* info);
int StartPage(HDC dc);
int EndPage(HDC dc);
// Writes the document (or hands it to the print queue). On failure nothing
// is left at the output's place.
int EndDoc(HDC dc);
// Abandons the job and removes what it had written.
int AbortDoc(HDC dc);
// The procedure is asked after every page whether the job may go on.
int SetAbortProc(HDC dc, ABORTPROC proc);

// GetDeviceCaps indices beyond those of wingdi.h.
constexpr int NUMMARKERS = 20;
constexpr int PDEVICESIZE = 26;
constexpr int CURVECAPS = 28;
constexpr int LINECAPS = 30;
constexpr int POLYGONALCAPS = 32;
constexpr int TEXTCAPS = 34;
constexpr int CLIPCAPS = 36;
constexpr int ASPECTX = 40;
constexpr int ASPECTY = 42;
constexpr int ASPECTXY = 44;
constexpr int COLORRES = 108;
constexpr int SCALINGFACTORX = 114;
constexpr int SCALINGFACTORY = 115;
constexpr int RC_BANDING = 2;
constexpr int RC_STRETCHDIB = 0x2000;
constexpr int CP_RECTANGLE = 1;

// ---------------------------------------------------------------------------
// Device capabilities

constexpr WORD DC_FIELDS = 1;
constexpr WORD DC_PAPERS = 2;        // WORD paper codes
constexpr WORD DC_PAPERSIZE = 3;     // POINT sizes in 0.1 mm, portrait
constexpr WORD DC_MINEXTENT = 4;     // result MAKELONG(width, length), 0.1 mm
constexpr WORD DC_MAXEXTENT = 5;
constexpr WORD DC_BINS = 6;          // WORD bin codes
constexpr WORD DC_DUPLEX = 7;
constexpr WORD DC_SIZE = 8;
constexpr WORD DC_EXTRA = 9;
constexpr WORD DC_VERSION = 10;
constexpr WORD DC_DRIVER = 11;
constexpr WORD DC_BINNAMES = 12;     // 24-byte names
constexpr WORD DC_ENUMRESOLUTIONS = 13;  // LONG pairs (x, y)
constexpr WORD DC_FILEDEPENDENCIES = 14;
constexpr WORD DC_TRUETYPE = 15;
constexpr WORD DC_PAPERNAMES = 16;   // 64-byte names
constexpr WORD DC_ORIENTATION = 17;  // degrees a landscape page is turned
constexpr WORD DC_COPIES = 18;
constexpr WORD DC_COLLATE = 22;
constexpr WORD DC_COLORDEVICE = 32;

constexpr int CCHPAPERNAME = 64;
constexpr int CCHBINNAME = 24;

// Fills `output` (when not null) and returns the number of entries, or the
// value asked for; -1 when the device or the capability is unknown.
int DeviceCapabilitiesA(LPCSTR device, LPCSTR port, WORD capability, LPSTR output, const DEVMODEA* devMode);

}  // namespace win32
