// Common dialogs: open and save, font, colour, find and replace, print and
// printer setup. The structures, flags and notifications keep their Win32
// names and values; the dialogs are Japanese and work by mouse and
// keyboard.
#pragma once

#include "platform/gdi/wingdi.h"
#include "platform/user/winuser.h"
#include "platform/windef.h"

namespace win32 {

// Hooks of every common dialog have the dialog procedure's shape.
using LPOFNHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using LPCCHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using LPCFHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using LPFRHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using LPPRINTHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using LPSETUPHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

// ---- Errors (CommDlgExtendedError) ----------------------------------------------

constexpr DWORD CDERR_DIALOGFAILURE = 0xFFFF;
constexpr DWORD CDERR_STRUCTSIZE = 0x0001;
constexpr DWORD CDERR_INITIALIZATION = 0x0002;
constexpr DWORD CDERR_NOTEMPLATE = 0x0003;
constexpr DWORD CDERR_NOHINSTANCE = 0x0004;
constexpr DWORD CDERR_LOADSTRFAILURE = 0x0005;
constexpr DWORD CDERR_FINDRESFAILURE = 0x0006;
constexpr DWORD CDERR_LOADRESFAILURE = 0x0007;
constexpr DWORD CDERR_LOCKRESFAILURE = 0x0008;
constexpr DWORD CDERR_MEMALLOCFAILURE = 0x0009;
constexpr DWORD CDERR_MEMLOCKFAILURE = 0x000A;
constexpr DWORD CDERR_NOHOOK = 0x000B;
constexpr DWORD CDERR_REGISTERMSGFAIL = 0x000C;
constexpr DWORD PDERR_SETUPFAILURE = 0x1001;
constexpr DWORD PDERR_PARSEFAILURE = 0x1002;
constexpr DWORD PDERR_RETDEFFAILURE = 0x1003;
constexpr DWORD PDERR_LOADDRVFAILURE = 0x1004;
constexpr DWORD PDERR_GETDEVMODEFAIL = 0x1005;
constexpr DWORD PDERR_INITFAILURE = 0x1006;
constexpr DWORD PDERR_NODEVICES = 0x1007;
constexpr DWORD PDERR_NODEFAULTPRN = 0x1008;
constexpr DWORD PDERR_DNDMMISMATCH = 0x1009;
constexpr DWORD PDERR_CREATEICFAILURE = 0x100A;
constexpr DWORD PDERR_PRINTERNOTFOUND = 0x100B;
constexpr DWORD PDERR_DEFAULTDIFFERENT = 0x100C;
constexpr DWORD CFERR_NOFONTS = 0x2001;
constexpr DWORD CFERR_MAXLESSTHANMIN = 0x2002;
constexpr DWORD FNERR_SUBCLASSFAILURE = 0x3001;
constexpr DWORD FNERR_INVALIDFILENAME = 0x3002;
constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;
constexpr DWORD FRERR_BUFFERLENGTHZERO = 0x4001;
constexpr DWORD CCERR_CHOOSECOLORCODES = 0x5000;

// The error of the last common dialog call (0 when it succeeded or the
// user cancelled).
DWORD CommDlgExtendedError();

// ---- Open and save ---------------------------------------------------------------

struct OPENFILENAMEA {
    DWORD lStructSize;
    HWND hwndOwner;
    // With OFN_ENABLETEMPLATE the module of lpTemplateName; with
    // OFN_ENABLETEMPLATEHANDLE a const DLGTEMPLATE* itself.
    HINSTANCE hInstance;
    LPCSTR lpstrFilter;  // pairs of zero-terminated strings, ended by an empty one
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;  // 1-based
    LPSTR lpstrFile;
    DWORD nMaxFile;
    LPSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCSTR lpstrDefExt;
    LPARAM lCustData;
    LPOFNHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
    void* pvReserved;
    DWORD dwReserved;
    DWORD FlagsEx;
};
using LPOPENFILENAMEA = OPENFILENAMEA*;
// The size of the structure before the Windows 2000 additions.
constexpr DWORD OPENFILENAME_SIZE_VERSION_400A = offsetof(OPENFILENAMEA, pvReserved);

constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_SHOWHELP = 0x00000010;
constexpr DWORD OFN_ENABLEHOOK = 0x00000020;
constexpr DWORD OFN_ENABLETEMPLATE = 0x00000040;
constexpr DWORD OFN_ENABLETEMPLATEHANDLE = 0x00000080;
constexpr DWORD OFN_NOVALIDATE = 0x00000100;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
constexpr DWORD OFN_EXTENSIONDIFFERENT = 0x00000400;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_CREATEPROMPT = 0x00002000;
constexpr DWORD OFN_SHAREAWARE = 0x00004000;
constexpr DWORD OFN_NOREADONLYRETURN = 0x00008000;
constexpr DWORD OFN_NOTESTFILECREATE = 0x00010000;
constexpr DWORD OFN_NONETWORKBUTTON = 0x00020000;
constexpr DWORD OFN_NOLONGNAMES = 0x00040000;
constexpr DWORD OFN_EXPLORER = 0x00080000;
constexpr DWORD OFN_NODEREFERENCELINKS = 0x00100000;
constexpr DWORD OFN_LONGNAMES = 0x00200000;
constexpr DWORD OFN_ENABLEINCLUDENOTIFY = 0x00400000;
constexpr DWORD OFN_ENABLESIZING = 0x00800000;
constexpr DWORD OFN_DONTADDTORECENT = 0x02000000;
constexpr DWORD OFN_FORCESHOWHIDDEN = 0x10000000;

// WM_NOTIFY of an Explorer-style dialog's hook (lParam: OFNOTIFYA*).
struct OFNOTIFYA {
    NMHDR hdr;
    LPOPENFILENAMEA lpOFN;
    LPSTR pszFile;
};
using LPOFNOTIFYA = OFNOTIFYA*;

constexpr UINT CDN_FIRST = 0u - 601u;
constexpr UINT CDN_LAST = 0u - 699u;
constexpr UINT CDN_INITDONE = CDN_FIRST - 0;
constexpr UINT CDN_SELCHANGE = CDN_FIRST - 1;
constexpr UINT CDN_FOLDERCHANGE = CDN_FIRST - 2;
constexpr UINT CDN_SHAREVIOLATION = CDN_FIRST - 3;
constexpr UINT CDN_HELP = CDN_FIRST - 4;
constexpr UINT CDN_FILEOK = CDN_FIRST - 5;
constexpr UINT CDN_TYPECHANGE = CDN_FIRST - 6;
constexpr UINT CDN_INCLUDEITEM = CDN_FIRST - 7;

// Messages a hook sends to the dialog (the parent of its child dialog).
constexpr UINT CDM_FIRST = WM_USER + 100;
constexpr UINT CDM_LAST = WM_USER + 200;
constexpr UINT CDM_GETSPEC = CDM_FIRST + 0x0000;
constexpr UINT CDM_GETFILEPATH = CDM_FIRST + 0x0001;
constexpr UINT CDM_GETFOLDERPATH = CDM_FIRST + 0x0002;
constexpr UINT CDM_GETFOLDERIDLIST = CDM_FIRST + 0x0003;
constexpr UINT CDM_SETCONTROLTEXT = CDM_FIRST + 0x0004;
constexpr UINT CDM_HIDECONTROL = CDM_FIRST + 0x0005;
constexpr UINT CDM_SETDEFEXT = CDM_FIRST + 0x0006;

// The control identifiers of the common dialogs (a template's placeholder
// for the standard controls is stc32).
constexpr int chx1 = 0x0410;
constexpr int chx2 = 0x0411;
constexpr int chx3 = 0x0412;
constexpr int pshHelp = 0x040E;
constexpr int psh1 = 0x0400;
constexpr int psh2 = 0x0401;
constexpr int psh3 = 0x0402;
constexpr int psh4 = 0x0403;
constexpr int psh15 = 0x040E;
constexpr int rad1 = 0x0420;
constexpr int rad2 = 0x0421;
constexpr int rad3 = 0x0422;
constexpr int grp1 = 0x0430;
constexpr int grp2 = 0x0431;
constexpr int grp3 = 0x0432;
constexpr int grp4 = 0x0433;
constexpr int stc1 = 0x0440;
constexpr int stc2 = 0x0441;
constexpr int stc3 = 0x0442;
constexpr int stc4 = 0x0443;
constexpr int stc5 = 0x0444;
constexpr int stc6 = 0x0445;
constexpr int stc7 = 0x0446;
constexpr int stc8 = 0x0447;
constexpr int stc32 = 0x045F;
constexpr int lst1 = 0x0460;
constexpr int lst2 = 0x0461;
constexpr int cmb1 = 0x0470;
constexpr int cmb2 = 0x0471;
constexpr int cmb3 = 0x0472;
constexpr int cmb4 = 0x0473;
constexpr int cmb5 = 0x0474;
constexpr int cmb13 = 0x047C;
constexpr int edt1 = 0x0480;
constexpr int edt2 = 0x0481;
constexpr int edt3 = 0x0482;
constexpr int edt4 = 0x0483;

BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn);
BOOL GetSaveFileNameA(LPOPENFILENAMEA ofn);
// The file-name part of a path (after the last '/' or '\\'); with a null
// buffer the size needed, terminator included.
short GetFileTitleA(LPCSTR file, LPSTR title, WORD size);

// ---- Font ---------------------------------------------------------------------------

struct CHOOSEFONTA {
    DWORD lStructSize;
    HWND hwndOwner;
    HDC hDC;
    LPLOGFONTA lpLogFont;
    INT iPointSize;  // tenths of a point
    DWORD Flags;
    COLORREF rgbColors;
    LPARAM lCustData;
    LPCFHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
    HINSTANCE hInstance;
    LPSTR lpszStyle;
    WORD nFontType;
    WORD ___MISSING_ALIGNMENT__;
    INT nSizeMin;
    INT nSizeMax;
};
using LPCHOOSEFONTA = CHOOSEFONTA*;

constexpr DWORD CF_SCREENFONTS = 0x00000001;
constexpr DWORD CF_PRINTERFONTS = 0x00000002;
constexpr DWORD CF_BOTH = CF_SCREENFONTS | CF_PRINTERFONTS;
constexpr DWORD CF_SHOWHELP = 0x00000004;
constexpr DWORD CF_ENABLEHOOK = 0x00000008;
constexpr DWORD CF_ENABLETEMPLATE = 0x00000010;
constexpr DWORD CF_ENABLETEMPLATEHANDLE = 0x00000020;
constexpr DWORD CF_INITTOLOGFONTSTRUCT = 0x00000040;
constexpr DWORD CF_USESTYLE = 0x00000080;
constexpr DWORD CF_EFFECTS = 0x00000100;
constexpr DWORD CF_APPLY = 0x00000200;
constexpr DWORD CF_ANSIONLY = 0x00000400;
constexpr DWORD CF_SCRIPTSONLY = CF_ANSIONLY;
constexpr DWORD CF_NOVECTORFONTS = 0x00000800;
constexpr DWORD CF_NOOEMFONTS = CF_NOVECTORFONTS;
constexpr DWORD CF_NOSIMULATIONS = 0x00001000;
constexpr DWORD CF_LIMITSIZE = 0x00002000;
constexpr DWORD CF_FIXEDPITCHONLY = 0x00004000;
constexpr DWORD CF_WYSIWYG = 0x00008000;
constexpr DWORD CF_FORCEFONTEXIST = 0x00010000;
constexpr DWORD CF_SCALABLEONLY = 0x00020000;
constexpr DWORD CF_TTONLY = 0x00040000;
constexpr DWORD CF_NOFACESEL = 0x00080000;
constexpr DWORD CF_NOSTYLESEL = 0x00100000;
constexpr DWORD CF_NOSIZESEL = 0x00200000;
constexpr DWORD CF_SELECTSCRIPT = 0x00400000;
constexpr DWORD CF_NOSCRIPTSEL = 0x00800000;
constexpr DWORD CF_NOVERTFONTS = 0x01000000;

constexpr WORD SIMULATED_FONTTYPE = 0x8000;
constexpr WORD PRINTER_FONTTYPE = 0x4000;
constexpr WORD SCREEN_FONTTYPE = 0x2000;
constexpr WORD BOLD_FONTTYPE = 0x0100;
constexpr WORD ITALIC_FONTTYPE = 0x0200;
constexpr WORD REGULAR_FONTTYPE = 0x0400;

// The font dialog's messages to and from a hook.
constexpr UINT WM_CHOOSEFONT_GETLOGFONT = WM_USER + 1;
constexpr UINT WM_CHOOSEFONT_SETLOGFONT = WM_USER + 101;
constexpr UINT WM_CHOOSEFONT_SETFLAGS = WM_USER + 102;

BOOL ChooseFontA(LPCHOOSEFONTA cf);

// ---- Colour -------------------------------------------------------------------------

struct CHOOSECOLORA {
    DWORD lStructSize;
    HWND hwndOwner;
    HWND hInstance;
    COLORREF rgbResult;
    COLORREF* lpCustColors;  // 16 colours, kept between calls by the caller
    DWORD Flags;
    LPARAM lCustData;
    LPCCHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
};
using LPCHOOSECOLORA = CHOOSECOLORA*;

constexpr DWORD CC_RGBINIT = 0x00000001;
constexpr DWORD CC_FULLOPEN = 0x00000002;
constexpr DWORD CC_PREVENTFULLOPEN = 0x00000004;
constexpr DWORD CC_SHOWHELP = 0x00000008;
constexpr DWORD CC_ENABLEHOOK = 0x00000010;
constexpr DWORD CC_ENABLETEMPLATE = 0x00000020;
constexpr DWORD CC_ENABLETEMPLATEHANDLE = 0x00000040;
constexpr DWORD CC_SOLIDCOLOR = 0x00000080;
constexpr DWORD CC_ANYCOLOR = 0x00000100;

// The colour dialog's controls, for hooks and templates.
constexpr int COLOR_HUESCROLL = 700;
constexpr int COLOR_SATSCROLL = 701;
constexpr int COLOR_LUMSCROLL = 702;
constexpr int COLOR_HUE = 703;
constexpr int COLOR_SAT = 704;
constexpr int COLOR_LUM = 705;
constexpr int COLOR_RED = 706;
constexpr int COLOR_GREEN = 707;
constexpr int COLOR_BLUE = 708;
constexpr int COLOR_CURRENT = 709;
constexpr int COLOR_RAINBOW = 710;
constexpr int COLOR_SAVE = 711;
constexpr int COLOR_ADD = 712;
constexpr int COLOR_SOLID = 713;
constexpr int COLOR_TUNE = 714;
constexpr int COLOR_SCHEMES = 715;
constexpr int COLOR_ELEMENT = 716;
constexpr int COLOR_SAMPLES = 717;
constexpr int COLOR_PALETTE = 718;
constexpr int COLOR_MIX = 719;
constexpr int COLOR_BOX1 = 720;
constexpr int COLOR_CUSTOM1 = 721;

BOOL ChooseColorA(LPCHOOSECOLORA cc);

// ---- Find and replace ---------------------------------------------------------------

struct FINDREPLACEA {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    DWORD Flags;
    LPSTR lpstrFindWhat;
    LPSTR lpstrReplaceWith;
    WORD wFindWhatLen;
    WORD wReplaceWithLen;
    LPARAM lCustData;
    LPFRHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
};
using LPFINDREPLACEA = FINDREPLACEA*;

constexpr DWORD FR_DOWN = 0x00000001;
constexpr DWORD FR_WHOLEWORD = 0x00000002;
constexpr DWORD FR_MATCHCASE = 0x00000004;
constexpr DWORD FR_FINDNEXT = 0x00000008;
constexpr DWORD FR_REPLACE = 0x00000010;
constexpr DWORD FR_REPLACEALL = 0x00000020;
constexpr DWORD FR_DIALOGTERM = 0x00000040;
constexpr DWORD FR_SHOWHELP = 0x00000080;
constexpr DWORD FR_ENABLEHOOK = 0x00000100;
constexpr DWORD FR_ENABLETEMPLATE = 0x00000200;
constexpr DWORD FR_NOUPDOWN = 0x00000400;
constexpr DWORD FR_NOMATCHCASE = 0x00000800;
constexpr DWORD FR_NOWHOLEWORD = 0x00001000;
constexpr DWORD FR_ENABLETEMPLATEHANDLE = 0x00002000;
constexpr DWORD FR_HIDEUPDOWN = 0x00004000;
constexpr DWORD FR_HIDEMATCHCASE = 0x00008000;
constexpr DWORD FR_HIDEWHOLEWORD = 0x00010000;

// The message the find and replace dialogs send their owner (register it
// with RegisterWindowMessageA); lParam is the FINDREPLACEA.
inline constexpr const char* FINDMSGSTRINGA = "commdlg_FindReplace";
inline constexpr const char* HELPMSGSTRINGA = "commdlg_help";

// Modeless: they return the dialog at once; the owner's loop must pass its
// messages through IsDialogMessageA.
HWND FindTextA(LPFINDREPLACEA fr);
HWND ReplaceTextA(LPFINDREPLACEA fr);

// ---- Print and printer setup ---------------------------------------------------------

struct PRINTDLGA {
    DWORD lStructSize;
    HWND hwndOwner;
    HGLOBAL hDevMode;   // DEVMODEA in a GlobalAlloc block
    HGLOBAL hDevNames;  // DEVNAMES in a GlobalAlloc block
    HDC hDC;
    DWORD Flags;
    WORD nFromPage;
    WORD nToPage;
    WORD nMinPage;
    WORD nMaxPage;
    WORD nCopies;
    HINSTANCE hInstance;
    LPARAM lCustData;
    LPPRINTHOOKPROC lpfnPrintHook;
    LPSETUPHOOKPROC lpfnSetupHook;
    LPCSTR lpPrintTemplateName;
    LPCSTR lpSetupTemplateName;
    HGLOBAL hPrintTemplate;
    HGLOBAL hSetupTemplate;
};
using LPPRINTDLGA = PRINTDLGA*;

constexpr DWORD PD_ALLPAGES = 0x00000000;
constexpr DWORD PD_SELECTION = 0x00000001;
constexpr DWORD PD_PAGENUMS = 0x00000002;
constexpr DWORD PD_NOSELECTION = 0x00000004;
constexpr DWORD PD_NOPAGENUMS = 0x00000008;
constexpr DWORD PD_COLLATE = 0x00000010;
constexpr DWORD PD_PRINTTOFILE = 0x00000020;
constexpr DWORD PD_PRINTSETUP = 0x00000040;
constexpr DWORD PD_NOWARNING = 0x00000080;
constexpr DWORD PD_RETURNDC = 0x00000100;
constexpr DWORD PD_RETURNIC = 0x00000200;
constexpr DWORD PD_RETURNDEFAULT = 0x00000400;
constexpr DWORD PD_SHOWHELP = 0x00000800;
constexpr DWORD PD_ENABLEPRINTHOOK = 0x00001000;
constexpr DWORD PD_ENABLESETUPHOOK = 0x00002000;
constexpr DWORD PD_ENABLEPRINTTEMPLATE = 0x00004000;
constexpr DWORD PD_ENABLESETUPTEMPLATE = 0x00008000;
constexpr DWORD PD_ENABLEPRINTTEMPLATEHANDLE = 0x00010000;
constexpr DWORD PD_ENABLESETUPTEMPLATEHANDLE = 0x00020000;
constexpr DWORD PD_USEDEVMODECOPIES = 0x00040000;
constexpr DWORD PD_USEDEVMODECOPIESANDCOLLATE = 0x00040000;
constexpr DWORD PD_DISABLEPRINTTOFILE = 0x00080000;
constexpr DWORD PD_HIDEPRINTTOFILE = 0x00100000;
constexpr DWORD PD_NONETWORKBUTTON = 0x00200000;

BOOL PrintDlgA(LPPRINTDLGA pd);

}  // namespace win32
