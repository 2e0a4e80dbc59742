// The dialog manager and message boxes: dialog templates built in code,
// modeless and modal dialogs, the dialog procedure's default handling,
// keyboard navigation between controls, and MessageBoxA.
//
// Templates are an in-memory form of DLGTEMPLATE and its items: the fixed
// fields keep their Win32 names and meaning, the variable-length parts of
// the packed resource (class, title, font, items) are ordinary members.
// Coordinates are dialog units, converted with the base units of the
// dialog's font (a quarter of the average character width, an eighth of
// the character height).
#pragma once

#include <string>
#include <vector>

#include "platform/windef.h"

namespace win32 {

// ---- Dialog styles -----------------------------------------------------------

constexpr DWORD DS_ABSALIGN = 0x0001;
constexpr DWORD DS_SYSMODAL = 0x0002;
constexpr DWORD DS_3DLOOK = 0x0004;
constexpr DWORD DS_FIXEDSYS = 0x0008;
constexpr DWORD DS_NOFAILCREATE = 0x0010;
constexpr DWORD DS_LOCALEDIT = 0x0020;
constexpr DWORD DS_SETFONT = 0x0040;
constexpr DWORD DS_MODALFRAME = 0x0080;
constexpr DWORD DS_NOIDLEMSG = 0x0100;
constexpr DWORD DS_SETFOREGROUND = 0x0200;
constexpr DWORD DS_CONTROL = 0x0400;
constexpr DWORD DS_CENTER = 0x0800;
constexpr DWORD DS_CENTERMOUSE = 0x1000;
constexpr DWORD DS_CONTEXTHELP = 0x2000;
constexpr DWORD DS_SHELLFONT = DS_SETFONT | DS_FIXEDSYS;

// A point size of 0x7FFF with DS_SETFONT asks for the message box font.
constexpr WORD DIALOG_MESSAGE_FONT = 0x7FFF;

// ---- Dialog window data and messages ------------------------------------------

// Offsets into a dialog's window extra bytes (GetWindowLongPtrA).
constexpr int DWLP_MSGRESULT = 0;
constexpr int DWLP_DLGPROC = DWLP_MSGRESULT + static_cast<int>(sizeof(LRESULT));
constexpr int DWLP_USER = DWLP_DLGPROC + static_cast<int>(sizeof(DLGPROC));
constexpr int DWL_MSGRESULT = DWLP_MSGRESULT;
constexpr int DWL_DLGPROC = DWLP_DLGPROC;
constexpr int DWL_USER = DWLP_USER;
// Extra bytes a class must reserve for windows that use DefDlgProcA.
constexpr int DLGWINDOWEXTRA = 48;

// The class name of the system's dialog windows.
#define WC_DIALOG (::win32::MAKEINTRESOURCEA(0x8002))
constexpr const char* DIALOG_CLASS_NAME = "#32770";

constexpr UINT DM_GETDEFID = 0x0400;
constexpr UINT DM_SETDEFID = 0x0401;
constexpr UINT DM_REPOSITION = 0x0402;
constexpr WORD DC_HASDEFID = 0x534B;

// The modal loop's WM_ENTERIDLE reason.
constexpr WPARAM MSGF_DIALOGBOX = 0;
constexpr WPARAM MSGF_MESSAGEBOX = 1;

// Standard control identifiers, and the answers of MessageBoxA.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
constexpr int IDCLOSE = 8;
constexpr int IDHELP = 9;
constexpr int IDTRYAGAIN = 10;
constexpr int IDCONTINUE = 11;

// ---- Templates ------------------------------------------------------------------

struct DLGITEMTEMPLATE {
    DWORD style = 0;  // WS_CHILD is implied
    DWORD dwExtendedStyle = 0;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
    WORD id = 0;
    std::string windowClass;  // "BUTTON", "STATIC", "EDIT", ... or a registered class
    std::string title;        // "#123" names a resource by number, as in a packed template
    LPVOID creationData = nullptr;  // lpCreateParams of the control's WM_CREATE
};

struct DLGTEMPLATE {
    DWORD style = 0;
    DWORD dwExtendedStyle = 0;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
    std::string menu;         // a menu resource name, or empty
    std::string windowClass;  // empty: the system dialog class
    std::string title;
    // With DS_SETFONT: the font; otherwise the system font is used.
    WORD pointSize = 0;
    std::string typeface;
    WORD weight = 0;  // FW_NORMAL when 0
    BYTE italic = 0;
    BYTE charset = 1;  // DEFAULT_CHARSET
    std::vector<DLGITEMTEMPLATE> items;
};
using LPDLGTEMPLATEA = DLGTEMPLATE*;
using LPCDLGTEMPLATEA = const DLGTEMPLATE*;

// Dialog templates compiled into the program, found by CreateDialogParamA,
// DialogBoxParamA and the common dialogs' custom templates. Names compare
// without regard to case; "#123" is MAKEINTRESOURCE(123). Registering a
// name again replaces the template.
void RegisterDialogTemplate(LPCSTR name, const DLGTEMPLATE& dialogTemplate);
const DLGTEMPLATE* FindDialogTemplate(HINSTANCE instance, LPCSTR name);

// ---- Creating and ending dialogs (dialog_create.cpp, dialog_modal.cpp) ----------

HWND CreateDialogIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND parent, DLGPROC proc,
                                LPARAM initParam);
HWND CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM initParam);
inline HWND CreateDialogIndirectA(HINSTANCE instance, LPCDLGTEMPLATEA t, HWND parent, DLGPROC proc) {
    return CreateDialogIndirectParamA(instance, t, parent, proc, 0);
}
inline HWND CreateDialogA(HINSTANCE instance, LPCSTR name, HWND parent, DLGPROC proc) {
    return CreateDialogParamA(instance, name, parent, proc, 0);
}
// Runs the dialog modally: the owner is disabled until EndDialog; returns
// EndDialog's result, or -1 when the dialog could not be made.
INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND parent, DLGPROC proc,
                                LPARAM initParam);
INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM initParam);
inline INT_PTR DialogBoxIndirectA(HINSTANCE instance, LPCDLGTEMPLATEA t, HWND parent, DLGPROC proc) {
    return DialogBoxIndirectParamA(instance, t, parent, proc, 0);
}
inline INT_PTR DialogBoxA(HINSTANCE instance, LPCSTR name, HWND parent, DLGPROC proc) {
    return DialogBoxParamA(instance, name, parent, proc, 0);
}
BOOL EndDialog(HWND dialog, INT_PTR result);

// ---- The default dialog procedure and navigation (dialog_proc.cpp, dialog_navigation.cpp)

LRESULT DefDlgProcA(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL IsDialogMessageA(HWND dialog, LPMSG msg);
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);

// ---- Controls of a dialog (dialog_items.cpp) --------------------------------------

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text);
UINT GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size);
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId);
LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam);

// ---- Dialog units (dialog_units.cpp) ---------------------------------------------

BOOL MapDialogRect(HWND dialog, LPRECT rect);
// The system font's base units: average character width in the low word,
// height in the high word.
LONG GetDialogBaseUnits();

// ---- Message boxes (message_box.cpp) ----------------------------------------------

constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_OKCANCEL = 0x00000001;
constexpr UINT MB_ABORTRETRYIGNORE = 0x00000002;
constexpr UINT MB_YESNOCANCEL = 0x00000003;
constexpr UINT MB_YESNO = 0x00000004;
constexpr UINT MB_RETRYCANCEL = 0x00000005;
constexpr UINT MB_CANCELTRYCONTINUE = 0x00000006;
constexpr UINT MB_ICONHAND = 0x00000010;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONASTERISK = 0x00000040;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_DEFBUTTON1 = 0x00000000;
constexpr UINT MB_DEFBUTTON2 = 0x00000100;
constexpr UINT MB_DEFBUTTON3 = 0x00000200;
constexpr UINT MB_DEFBUTTON4 = 0x00000300;
constexpr UINT MB_APPLMODAL = 0x00000000;
constexpr UINT MB_SYSTEMMODAL = 0x00001000;
constexpr UINT MB_TASKMODAL = 0x00002000;
constexpr UINT MB_HELP = 0x00004000;
constexpr UINT MB_NOFOCUS = 0x00008000;
constexpr UINT MB_SETFOREGROUND = 0x00010000;
constexpr UINT MB_DEFAULT_DESKTOP_ONLY = 0x00020000;
constexpr UINT MB_TOPMOST = 0x00040000;
constexpr UINT MB_RIGHT = 0x00080000;
constexpr UINT MB_RTLREADING = 0x00100000;
constexpr UINT MB_TYPEMASK = 0x0000000F;
constexpr UINT MB_ICONMASK = 0x000000F0;
constexpr UINT MB_DEFMASK = 0x00000F00;
constexpr UINT MB_MODEMASK = 0x00003000;
constexpr UINT MB_MISCMASK = 0x0000C000;

// Shows a modal message box owned by `owner` (may be null) and returns the
// button chosen (IDOK, IDCANCEL, IDYES, IDNO, ...), 0 when it could not be
// shown. A null caption gives "エラー".
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

}  // namespace win32
