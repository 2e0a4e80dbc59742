// Common controls. Each class has its own source in this folder:
//   image lists            image_list.cpp
//   "msctls_updown32"      up_down.cpp      up-down control
//   "msctls_statusbar32"   status_bar.cpp   status bar
//   "msctls_progress32"    progress_bar.cpp progress bar
//   "SysTabControl32"      tab_control.cpp  tab control
#pragma once

#include "platform/user/edit.h"  // NMHDR
#include "platform/windef.h"

namespace win32 {

// ---------------------------------------------------------------------------
// Image lists

constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR = 0x0000;
constexpr UINT ILC_COLORDDB = 0x00FE;
constexpr UINT ILC_COLOR4 = 0x0004;
constexpr UINT ILC_COLOR8 = 0x0008;
constexpr UINT ILC_COLOR16 = 0x0010;
constexpr UINT ILC_COLOR24 = 0x0018;
constexpr UINT ILC_COLOR32 = 0x0020;

constexpr UINT ILD_NORMAL = 0x0000;
constexpr UINT ILD_TRANSPARENT = 0x0001;
constexpr UINT ILD_BLEND25 = 0x0002;
constexpr UINT ILD_FOCUS = ILD_BLEND25;
constexpr UINT ILD_BLEND50 = 0x0004;
constexpr UINT ILD_SELECTED = ILD_BLEND50;
constexpr UINT ILD_BLEND = ILD_BLEND50;
constexpr UINT ILD_MASK = 0x0010;
constexpr UINT ILD_IMAGE = 0x0020;
constexpr UINT ILD_ROP = 0x0040;
constexpr UINT ILD_OVERLAYMASK = 0x0F00;

constexpr COLORREF CLR_NONE = 0xFFFFFFFF;
constexpr COLORREF CLR_DEFAULT = 0xFF000000;
constexpr COLORREF CLR_HILIGHT = CLR_DEFAULT;

struct IMAGEINFO {
    HBITMAP hbmImage;
    HBITMAP hbmMask;
    int Unused1;
    int Unused2;
    RECT rcImage;
};

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_SetImageCount(HIMAGELIST list, UINT count);
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask);
int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon);
inline int ImageList_AddIcon(HIMAGELIST list, HICON icon) { return ImageList_ReplaceIcon(list, -1, icon); }
BOOL ImageList_Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask);
BOOL ImageList_Remove(HIMAGELIST list, int index);
inline BOOL ImageList_RemoveAll(HIMAGELIST list) { return ImageList_Remove(list, -1); }
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int dx, int dy, COLORREF bk,
                      COLORREF fg, UINT style);
HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT flags);
COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF bk);
COLORREF ImageList_GetBkColor(HIMAGELIST list);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
BOOL ImageList_SetIconSize(HIMAGELIST list, int cx, int cy);
BOOL ImageList_GetImageInfo(HIMAGELIST list, int index, IMAGEINFO* info);

// ---------------------------------------------------------------------------
// Up-down control ("msctls_updown32"): a pair of arrows that step a
// position within a range, tell the parent first (UDN_DELTAPOS, which may
// refuse) and after (WM_VSCROLL or WM_HSCROLL), repeat while held, and
// may show the position in a buddy window.

inline constexpr const char* UPDOWN_CLASSA = "msctls_updown32";

constexpr DWORD UDS_WRAP = 0x0001;
constexpr DWORD UDS_SETBUDDYINT = 0x0002;
constexpr DWORD UDS_ALIGNRIGHT = 0x0004;
constexpr DWORD UDS_ALIGNLEFT = 0x0008;
constexpr DWORD UDS_AUTOBUDDY = 0x0010;
constexpr DWORD UDS_ARROWKEYS = 0x0020;
constexpr DWORD UDS_HORZ = 0x0040;
constexpr DWORD UDS_NOTHOUSANDS = 0x0080;
constexpr DWORD UDS_HOTTRACK = 0x0100;

constexpr int UD_MAXVAL = 0x7fff;
constexpr int UD_MINVAL = -UD_MAXVAL;

constexpr UINT UDM_SETRANGE = 0x0400 + 101;
constexpr UINT UDM_GETRANGE = 0x0400 + 102;
constexpr UINT UDM_SETPOS = 0x0400 + 103;
constexpr UINT UDM_GETPOS = 0x0400 + 104;
constexpr UINT UDM_SETBUDDY = 0x0400 + 105;
constexpr UINT UDM_GETBUDDY = 0x0400 + 106;
constexpr UINT UDM_SETACCEL = 0x0400 + 107;
constexpr UINT UDM_GETACCEL = 0x0400 + 108;
constexpr UINT UDM_SETBASE = 0x0400 + 109;
constexpr UINT UDM_GETBASE = 0x0400 + 110;
constexpr UINT UDM_SETRANGE32 = 0x0400 + 111;
constexpr UINT UDM_GETRANGE32 = 0x0400 + 112;
constexpr UINT UDM_SETPOS32 = 0x0400 + 113;
constexpr UINT UDM_GETPOS32 = 0x0400 + 114;

constexpr UINT UDN_FIRST = 0U - 721U;
constexpr UINT UDN_DELTAPOS = UDN_FIRST - 1;

struct UDACCEL {
    UINT nSec;
    UINT nInc;
};

struct NMUPDOWN {
    NMHDR hdr;
    int iPos;
    int iDelta;
};
using LPNMUPDOWN = NMUPDOWN*;

HWND CreateUpDownControl(DWORD style, int x, int y, int cx, int cy, HWND parent, int id, HINSTANCE instance,
                         HWND buddy, int upper, int lower, int pos);

}  // namespace win32

namespace win32 {

// ---------------------------------------------------------------------------
// Status bar ("msctls_statusbar32"): a row of sunken parts along the edge
// of the parent, each with its text, or one simple part across the bar.

inline constexpr const char* STATUSCLASSNAMEA = "msctls_statusbar32";

constexpr DWORD CCS_TOP = 0x0001;
constexpr DWORD CCS_NOMOVEY = 0x0002;
constexpr DWORD CCS_BOTTOM = 0x0003;
constexpr DWORD CCS_NORESIZE = 0x0004;
constexpr DWORD CCS_NOPARENTALIGN = 0x0008;
constexpr DWORD SBARS_SIZEGRIP = 0x0100;

constexpr UINT SB_SETTEXTA = 0x0400 + 1;
constexpr UINT SB_GETTEXTA = 0x0400 + 2;
constexpr UINT SB_GETTEXTLENGTHA = 0x0400 + 3;
constexpr UINT SB_SETPARTS = 0x0400 + 4;
constexpr UINT SB_GETPARTS = 0x0400 + 6;
constexpr UINT SB_SETMINHEIGHT = 0x0400 + 8;
constexpr UINT SB_SIMPLE = 0x0400 + 9;
constexpr UINT SB_GETRECT = 0x0400 + 10;
constexpr UINT SB_ISSIMPLE = 0x0400 + 14;

constexpr UINT SBT_OWNERDRAW = 0x1000;
constexpr UINT SBT_NOBORDERS = 0x0100;
constexpr UINT SBT_POPOUT = 0x0200;
constexpr UINT SB_SIMPLEID = 0x00FF;

}  // namespace win32

namespace win32 {

// ---------------------------------------------------------------------------
// Progress bar ("msctls_progress32"): a sunken well that fills from the
// left (from the bottom when vertical) as its position goes from the low
// to the high end of its range, in blocks or as one smooth bar.

inline constexpr const char* PROGRESS_CLASSA = "msctls_progress32";

constexpr DWORD PBS_SMOOTH = 0x01;
constexpr DWORD PBS_VERTICAL = 0x04;

constexpr UINT PBM_SETRANGE = 0x0400 + 1;
constexpr UINT PBM_SETPOS = 0x0400 + 2;
constexpr UINT PBM_DELTAPOS = 0x0400 + 3;
constexpr UINT PBM_SETSTEP = 0x0400 + 4;
constexpr UINT PBM_STEPIT = 0x0400 + 5;
constexpr UINT PBM_SETRANGE32 = 0x0400 + 6;
constexpr UINT PBM_GETRANGE = 0x0400 + 7;
constexpr UINT PBM_GETPOS = 0x0400 + 8;
constexpr UINT PBM_SETBARCOLOR = 0x0400 + 9;
constexpr UINT PBM_GETBKCOLOR = 0x0400 + 14;
constexpr UINT PBM_GETBARCOLOR = 0x0400 + 15;
constexpr UINT CCM_SETBKCOLOR = 0x2000 + 1;
constexpr UINT PBM_SETBKCOLOR = CCM_SETBKCOLOR;

struct PBRANGE {
    int iLow;
    int iHigh;
};
using PPBRANGE = PBRANGE*;

// ---------------------------------------------------------------------------
// Tab control ("SysTabControl32"): a row of tabs above a framed display
// area. A click or a key on the focused control asks the parent first
// (TCN_SELCHANGING, which may refuse) and tells it after (TCN_SELCHANGE);
// TCM_SETCURSEL changes the tab silently. Tabs that do not fit scroll
// behind a pair of arrows at the row's right end.

inline constexpr const char* WC_TABCONTROLA = "SysTabControl32";

constexpr DWORD TCS_FORCEICONLEFT = 0x0010;
constexpr DWORD TCS_FORCELABELLEFT = 0x0020;
constexpr DWORD TCS_TABS = 0x0000;
constexpr DWORD TCS_SINGLELINE = 0x0000;
constexpr DWORD TCS_FIXEDWIDTH = 0x0400;
constexpr DWORD TCS_FOCUSONBUTTONDOWN = 0x1000;
constexpr DWORD TCS_FOCUSNEVER = 0x8000;

constexpr UINT TCM_FIRST = 0x1300;
constexpr UINT TCM_GETITEMCOUNT = TCM_FIRST + 4;
constexpr UINT TCM_GETITEMA = TCM_FIRST + 5;
constexpr UINT TCM_SETITEMA = TCM_FIRST + 6;
constexpr UINT TCM_INSERTITEMA = TCM_FIRST + 7;
constexpr UINT TCM_DELETEITEM = TCM_FIRST + 8;
constexpr UINT TCM_DELETEALLITEMS = TCM_FIRST + 9;
constexpr UINT TCM_GETITEMRECT = TCM_FIRST + 10;
constexpr UINT TCM_GETCURSEL = TCM_FIRST + 11;
constexpr UINT TCM_SETCURSEL = TCM_FIRST + 12;
constexpr UINT TCM_HITTEST = TCM_FIRST + 13;
constexpr UINT TCM_ADJUSTRECT = TCM_FIRST + 40;
constexpr UINT TCM_SETITEMSIZE = TCM_FIRST + 41;
constexpr UINT TCM_SETPADDING = TCM_FIRST + 43;
constexpr UINT TCM_GETROWCOUNT = TCM_FIRST + 44;
constexpr UINT TCM_GETCURFOCUS = TCM_FIRST + 47;
constexpr UINT TCM_SETCURFOCUS = TCM_FIRST + 48;

constexpr UINT TCIF_TEXT = 0x0001;
constexpr UINT TCIF_IMAGE = 0x0002;
constexpr UINT TCIF_PARAM = 0x0008;
constexpr UINT TCIF_STATE = 0x0010;

constexpr DWORD TCIS_BUTTONPRESSED = 0x0001;
constexpr DWORD TCIS_HIGHLIGHTED = 0x0002;

constexpr UINT TCHT_NOWHERE = 0x0001;
constexpr UINT TCHT_ONITEMICON = 0x0002;
constexpr UINT TCHT_ONITEMLABEL = 0x0004;
constexpr UINT TCHT_ONITEM = TCHT_ONITEMICON | TCHT_ONITEMLABEL;

constexpr UINT TCN_FIRST = 0U - 550U;
constexpr UINT TCN_KEYDOWN = TCN_FIRST - 0;
constexpr UINT TCN_SELCHANGE = TCN_FIRST - 1;
constexpr UINT TCN_SELCHANGING = TCN_FIRST - 2;

struct TCITEMA {
    UINT mask;
    DWORD dwState;
    DWORD dwStateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
};
using LPTCITEMA = TCITEMA*;

struct TCHITTESTINFO {
    POINT pt;
    UINT flags;
};
using LPTCHITTESTINFO = TCHITTESTINFO*;

struct NMTCKEYDOWN {
    NMHDR hdr;
    WORD wVKey;
    UINT flags;
};

}  // namespace win32
