// The RICHEDIT plain-text editor control: messages, structures and
// notifications, with Win32's values. The edit-control messages it also
// answers (EM_GETSEL, EM_LINEINDEX, ...) are in platform/user/edit.h.
//
// Text crosses the messages as UTF-8; positions count UTF-16 code units, a
// line break (stored CR LF) two. Streams (EM_STREAMIN/EM_STREAMOUT with
// SF_TEXT) carry Shift-JIS: bytes that are not valid Shift-JIS come back out
// as the same bytes, characters code page 932 cannot hold go out as '?' and
// are counted (EM_GETLOSTCHARCOUNT below).
#pragma once

#include "platform/gdi/wingdi.h"
#include "platform/user/edit.h"
#include "platform/user/winuser_messages.h"
#include "platform/windef.h"

namespace win32 {

// A point as EM_POSFROMCHAR and EM_CHARFROMPOS of the rich-edit control pass it.
struct POINTL {
    LONG x;
    LONG y;
};

// The class names the control registers under (plain-text mode).
inline constexpr const char* RICHEDIT_CLASSA = "RICHEDIT";
inline constexpr const char* RICHEDIT_CLASS10A = "RICHEDIT";

// Styles of the rich-edit control.
constexpr DWORD ES_SAVESEL = 0x00008000;
constexpr DWORD ES_SUNKEN = 0x00004000;
constexpr DWORD ES_DISABLENOSCROLL = 0x00002000;
constexpr DWORD ES_SELECTIONBAR = 0x01000000;
constexpr DWORD ES_NOOLEDRAGDROP = 0x00000008;
constexpr DWORD ES_VERTICAL = 0x00400000;
constexpr DWORD ES_NOIME = 0x00080000;
constexpr DWORD ES_SELFIME = 0x00040000;

// Messages.
constexpr UINT EM_CANPASTE = WM_USER + 50;
constexpr UINT EM_DISPLAYBAND = WM_USER + 51;
constexpr UINT EM_EXGETSEL = WM_USER + 52;
constexpr UINT EM_EXLIMITTEXT = WM_USER + 53;
constexpr UINT EM_EXLINEFROMCHAR = WM_USER + 54;
constexpr UINT EM_EXSETSEL = WM_USER + 55;
constexpr UINT EM_FINDTEXT = WM_USER + 56;
constexpr UINT EM_FORMATRANGE = WM_USER + 57;
constexpr UINT EM_GETCHARFORMAT = WM_USER + 58;
constexpr UINT EM_GETEVENTMASK = WM_USER + 59;
constexpr UINT EM_GETOLEINTERFACE = WM_USER + 60;
constexpr UINT EM_GETPARAFORMAT = WM_USER + 61;
constexpr UINT EM_GETSELTEXT = WM_USER + 62;
constexpr UINT EM_HIDESELECTION = WM_USER + 63;
constexpr UINT EM_PASTESPECIAL = WM_USER + 64;
constexpr UINT EM_REQUESTRESIZE = WM_USER + 65;
constexpr UINT EM_SELECTIONTYPE = WM_USER + 66;
constexpr UINT EM_SETBKGNDCOLOR = WM_USER + 67;
constexpr UINT EM_SETCHARFORMAT = WM_USER + 68;
constexpr UINT EM_SETEVENTMASK = WM_USER + 69;
constexpr UINT EM_SETOLECALLBACK = WM_USER + 70;
constexpr UINT EM_SETPARAFORMAT = WM_USER + 71;
constexpr UINT EM_SETTARGETDEVICE = WM_USER + 72;
constexpr UINT EM_STREAMIN = WM_USER + 73;
constexpr UINT EM_STREAMOUT = WM_USER + 74;
constexpr UINT EM_GETTEXTRANGE = WM_USER + 75;
constexpr UINT EM_FINDWORDBREAK = WM_USER + 76;
constexpr UINT EM_SETOPTIONS = WM_USER + 77;
constexpr UINT EM_GETOPTIONS = WM_USER + 78;
constexpr UINT EM_FINDTEXTEX = WM_USER + 79;
constexpr UINT EM_SETUNDOLIMIT = WM_USER + 82;
constexpr UINT EM_REDO = WM_USER + 84;
constexpr UINT EM_CANREDO = WM_USER + 85;
constexpr UINT EM_STOPGROUPTYPING = WM_USER + 88;
constexpr UINT EM_SETTEXTMODE = WM_USER + 89;
constexpr UINT EM_GETTEXTMODE = WM_USER + 90;
constexpr UINT EM_GETTEXTEX = WM_USER + 94;
constexpr UINT EM_GETTEXTLENGTHEX = WM_USER + 95;

// This system's own: how many characters the last EM_STREAMOUT had to write
// as '?' because code page 932 cannot hold them (0 when the text went out
// whole). Callers use it to warn that a saved file lost characters.
constexpr UINT EM_GETLOSTCHARCOUNT = WM_USER + 0x200;

// Notification codes (WM_NOTIFY, after the edit codes of edit.h).
constexpr UINT EN_MSGFILTER = 0x0700;
constexpr UINT EN_REQUESTRESIZE = 0x0701;
constexpr UINT EN_SELCHANGE = 0x0702;
constexpr UINT EN_DROPFILES = 0x0703;
constexpr UINT EN_PROTECTED = 0x0704;
constexpr UINT EN_CORRECTTEXT = 0x0705;
constexpr UINT EN_STOPNOUNDO = 0x0706;
constexpr UINT EN_IMECHANGE = 0x0707;
constexpr UINT EN_SAVECLIPBOARD = 0x0708;
constexpr UINT EN_OLEOPFAILED = 0x0709;
constexpr UINT EN_LINK = 0x070B;

// Event mask (EM_SETEVENTMASK).
constexpr DWORD ENM_NONE = 0x00000000;
constexpr DWORD ENM_CHANGE = 0x00000001;
constexpr DWORD ENM_UPDATE = 0x00000002;
constexpr DWORD ENM_SCROLL = 0x00000004;
constexpr DWORD ENM_KEYEVENTS = 0x00010000;
constexpr DWORD ENM_MOUSEEVENTS = 0x00020000;
constexpr DWORD ENM_REQUESTRESIZE = 0x00040000;
constexpr DWORD ENM_SELCHANGE = 0x00080000;
constexpr DWORD ENM_DROPFILES = 0x00100000;
constexpr DWORD ENM_PROTECTED = 0x00200000;
constexpr DWORD ENM_CORRECTTEXT = 0x00400000;
constexpr DWORD ENM_IMECHANGE = 0x00800000;
constexpr DWORD ENM_LINK = 0x04000000;

struct CHARRANGE {
    LONG cpMin;
    LONG cpMax;
};

struct TEXTRANGEA {
    CHARRANGE chrg;
    LPSTR lpstrText;  // room for the range's UTF-8 and a terminator
};

// Find flags (as the find dialog's flags; FR_DOWN is implied).
constexpr WPARAM FT_MATCHCASE = 0x00000004;
constexpr WPARAM FT_WHOLEWORD = 0x00000002;

struct FINDTEXTA {
    CHARRANGE chrg;
    LPCSTR lpstrText;
};

struct FINDTEXTEXA {
    CHARRANGE chrg;
    LPCSTR lpstrText;
    CHARRANGE chrgText;
};

// Streams.
using EDITSTREAMCALLBACK = DWORD(CALLBACK*)(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb);

struct EDITSTREAM {
    DWORD_PTR dwCookie;
    DWORD dwError;
    EDITSTREAMCALLBACK pfnCallback;
};

constexpr WPARAM SF_TEXT = 0x0001;
constexpr WPARAM SF_RTF = 0x0002;
constexpr WPARAM SF_RTFNOOBJS = 0x0003;
constexpr WPARAM SF_TEXTIZED = 0x0004;
constexpr WPARAM SF_UNICODE = 0x0010;
constexpr WPARAM SFF_PLAINRTF = 0x4000;
constexpr WPARAM SFF_SELECTION = 0x8000;

// Character formats (the whole text has one in plain-text mode).
struct CHARFORMATA {
    UINT cbSize;
    DWORD dwMask;
    DWORD dwEffects;
    LONG yHeight;  // twips
    LONG yOffset;
    COLORREF crTextColor;
    BYTE bCharSet;
    BYTE bPitchAndFamily;
    char szFaceName[LF_FACESIZE];
};

constexpr DWORD CFM_BOLD = 0x00000001;
constexpr DWORD CFM_ITALIC = 0x00000002;
constexpr DWORD CFM_UNDERLINE = 0x00000004;
constexpr DWORD CFM_STRIKEOUT = 0x00000008;
constexpr DWORD CFM_PROTECTED = 0x00000010;
constexpr DWORD CFM_LINK = 0x00000020;
constexpr DWORD CFM_SIZE = 0x80000000;
constexpr DWORD CFM_COLOR = 0x40000000;
constexpr DWORD CFM_FACE = 0x20000000;
constexpr DWORD CFM_OFFSET = 0x10000000;
constexpr DWORD CFM_CHARSET = 0x08000000;

constexpr DWORD CFE_BOLD = 0x00000001;
constexpr DWORD CFE_ITALIC = 0x00000002;
constexpr DWORD CFE_UNDERLINE = 0x00000004;
constexpr DWORD CFE_STRIKEOUT = 0x00000008;
constexpr DWORD CFE_PROTECTED = 0x00000010;
constexpr DWORD CFE_LINK = 0x00000020;
constexpr DWORD CFE_AUTOCOLOR = 0x40000000;

constexpr WPARAM SCF_DEFAULT = 0x0000;
constexpr WPARAM SCF_SELECTION = 0x0001;
constexpr WPARAM SCF_WORD = 0x0002;
constexpr WPARAM SCF_ALL = 0x0004;

// Printing: the range of text to lay out on hdc within rc (twips), for a
// page of rcPage (twips).
struct FORMATRANGE {
    HDC hdc;
    HDC hdcTarget;
    RECT rc;
    RECT rcPage;
    CHARRANGE chrg;
};

// EN_SELCHANGE.
struct SELCHANGE {
    NMHDR nmhdr;
    CHARRANGE chrg;
    WORD seltyp;
};

constexpr WORD SEL_EMPTY = 0x0000;
constexpr WORD SEL_TEXT = 0x0001;
constexpr WORD SEL_OBJECT = 0x0002;
constexpr WORD SEL_MULTICHAR = 0x0004;
constexpr WORD SEL_MULTIOBJECT = 0x0008;

// EM_GETTEXTLENGTHEX and EM_GETTEXTEX.
struct GETTEXTLENGTHEX {
    DWORD flags;
    UINT codepage;
};

constexpr DWORD GTL_DEFAULT = 0;
constexpr DWORD GTL_USECRLF = 1;
constexpr DWORD GTL_PRECISE = 2;
constexpr DWORD GTL_CLOSE = 4;
constexpr DWORD GTL_NUMCHARS = 8;
constexpr DWORD GTL_NUMBYTES = 16;

struct GETTEXTEX {
    DWORD cb;
    DWORD flags;
    UINT codepage;
    LPCSTR lpDefaultChar;
    LPBOOL lpUsedDefChar;
};

constexpr DWORD GT_DEFAULT = 0;
constexpr DWORD GT_USECRLF = 1;
constexpr DWORD GT_SELECTION = 2;

// EM_SETTEXTMODE / EM_GETTEXTMODE.
constexpr WPARAM TM_PLAINTEXT = 1;
constexpr WPARAM TM_RICHTEXT = 2;
constexpr WPARAM TM_SINGLELEVELUNDO = 4;
constexpr WPARAM TM_MULTILEVELUNDO = 8;
constexpr WPARAM TM_SINGLECODEPAGE = 16;
constexpr WPARAM TM_MULTICODEPAGE = 32;

// EM_SETOPTIONS.
constexpr WPARAM ECOOP_SET = 0x0001;
constexpr WPARAM ECOOP_OR = 0x0002;
constexpr WPARAM ECOOP_AND = 0x0003;
constexpr WPARAM ECOOP_XOR = 0x0004;
constexpr LPARAM ECO_AUTOWORDSELECTION = 0x00000001;
constexpr LPARAM ECO_AUTOVSCROLL = 0x00000040;
constexpr LPARAM ECO_AUTOHSCROLL = 0x00000080;
constexpr LPARAM ECO_NOHIDESEL = 0x00000100;
constexpr LPARAM ECO_READONLY = 0x00000800;
constexpr LPARAM ECO_WANTRETURN = 0x00001000;
constexpr LPARAM ECO_SAVESEL = 0x00008000;
constexpr LPARAM ECO_SELECTIONBAR = 0x01000000;

}  // namespace win32
