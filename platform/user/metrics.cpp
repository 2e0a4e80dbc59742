// System metrics of a classic Japanese desktop at 96 dpi, and the system
// parameters the program reads.
#include "platform/user/window_manager.h"

namespace win32 {
namespace user {
namespace {

struct Settings {
    BOOL dragFullWindows = FALSE;
    int doubleClickWidth = 4;
    int doubleClickHeight = 4;
};

Settings& CurrentSettings() {
    static Settings settings;
    return settings;
}

RECT WorkArea() {
    backend::Backend* b = Wm().Backend();
    if (b) return b->WorkArea();
    SIZE s = Wm().ScreenSize();
    return RECT{0, 0, s.cx, s.cy};
}

}  // namespace

void ResetSystemParameters() { CurrentSettings() = Settings{}; }

bool DragFullWindows() { return CurrentSettings().dragFullWindows != FALSE; }

}  // namespace user

using namespace user;

int GetSystemMetrics(int index) {
    SIZE screen = Wm().ScreenSize();
    RECT work = WorkArea();
    switch (index) {
        case SM_CXSCREEN: return screen.cx;
        case SM_CYSCREEN: return screen.cy;
        case SM_CXVSCROLL: return 16;
        case SM_CYHSCROLL: return 16;
        case SM_CYCAPTION: return 19;
        case SM_CXBORDER:
        case SM_CYBORDER: return 1;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME: return 3;
        case SM_CYVTHUMB:
        case SM_CXHTHUMB: return 16;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR: return 32;
        case SM_CYMENU: return 19;
        case SM_CXFULLSCREEN: return work.right - work.left;
        case SM_CYFULLSCREEN: return work.bottom - work.top - 19;
        case SM_CYKANJIWINDOW: return 0;
        case SM_MOUSEPRESENT: return 1;
        case SM_CYVSCROLL:
        case SM_CXHSCROLL: return 16;
        case SM_DEBUG: return 0;
        case SM_SWAPBUTTON: return 0;
        case SM_CXMIN: return 112;
        case SM_CYMIN: return 27;
        case SM_CXSIZE:
        case SM_CYSIZE: return 18;
        case SM_CXFRAME:
        case SM_CYFRAME: return 4;
        case SM_CXMINTRACK: return 112;
        case SM_CYMINTRACK: return 27;
        case SM_CXDOUBLECLK: return CurrentSettings().doubleClickWidth;
        case SM_CYDOUBLECLK: return CurrentSettings().doubleClickHeight;
        case SM_CXICONSPACING:
        case SM_CYICONSPACING: return 75;
        case SM_MENUDROPALIGNMENT: return 0;
        case SM_DBCSENABLED: return 1;
        case SM_CMOUSEBUTTONS: return 3;
        case SM_SECURE: return 0;
        case SM_CXEDGE:
        case SM_CYEDGE: return 2;
        case SM_CXMINSPACING: return 160;
        case SM_CYMINSPACING: return 24;
        case SM_CXSMICON:
        case SM_CYSMICON: return 16;
        case SM_CYSMCAPTION: return 16;
        case SM_CXSMSIZE: return 12;
        case SM_CYSMSIZE: return 15;
        case SM_CXMENUSIZE:
        case SM_CYMENUSIZE: return 18;
        case SM_ARRANGE: return 8;
        case SM_CXMINIMIZED: return 160;
        case SM_CYMINIMIZED: return 24;
        case SM_CXMAXTRACK: return screen.cx + 12;
        case SM_CYMAXTRACK: return screen.cy + 12;
        case SM_CXMAXIMIZED: return work.right - work.left + 8;
        case SM_CYMAXIMIZED: return work.bottom - work.top + 8;
        case SM_NETWORK: return 3;
        case SM_CLEANBOOT: return 0;
        case SM_CXDRAG:
        case SM_CYDRAG: return 4;
        case SM_SHOWSOUNDS: return 0;
        case SM_CXMENUCHECK:
        case SM_CYMENUCHECK: return 13;
        case SM_SLOWMACHINE: return 0;
        case SM_MIDEASTENABLED: return 0;
        case SM_MOUSEWHEELPRESENT: return 1;
        case SM_XVIRTUALSCREEN:
        case SM_YVIRTUALSCREEN: return 0;
        case SM_CXVIRTUALSCREEN: return screen.cx;
        case SM_CYVIRTUALSCREEN: return screen.cy;
        case SM_CMONITORS: return 1;
        case SM_SAMEDISPLAYFORMAT: return 1;
        case SM_CXFOCUSBORDER:
        case SM_CYFOCUSBORDER: return 1;
        case SM_REMOTESESSION: return 0;
        default: return 0;
    }
}

BOOL SystemParametersInfoA(UINT action, UINT uiParam, PVOID pvParam, UINT winIni) {
    Settings& s = CurrentSettings();
    auto setBool = [&](BOOL v) {
        if (!pvParam) return FALSE;
        *static_cast<BOOL*>(pvParam) = v;
        return TRUE;
    };
    auto setUint = [&](UINT v) {
        if (!pvParam) return FALSE;
        *static_cast<UINT*>(pvParam) = v;
        return TRUE;
    };
    BOOL changed = FALSE;
    BOOL result = FALSE;
    switch (action) {
        case SPI_GETWORKAREA:
            if (!pvParam) return FALSE;
            *static_cast<RECT*>(pvParam) = WorkArea();
            return TRUE;
        case SPI_SETWORKAREA: result = TRUE; changed = TRUE; break;
        case SPI_GETNONCLIENTMETRICS: return GetNonClientMetrics(uiParam, pvParam);
        case SPI_GETICONTITLELOGFONT: return GetIconTitleFont(uiParam, pvParam);
        case SPI_GETDRAGFULLWINDOWS: return setBool(s.dragFullWindows);
        case SPI_SETDRAGFULLWINDOWS: s.dragFullWindows = uiParam ? TRUE : FALSE; result = TRUE; changed = TRUE; break;
        case SPI_SETDOUBLECLKWIDTH: s.doubleClickWidth = static_cast<int>(uiParam); result = TRUE; changed = TRUE; break;
        case SPI_SETDOUBLECLKHEIGHT: s.doubleClickHeight = static_cast<int>(uiParam); result = TRUE; changed = TRUE; break;
        case SPI_SETDOUBLECLICKTIME: SetDoubleClickTime(uiParam); result = TRUE; changed = TRUE; break;
        case SPI_GETKEYBOARDCUES: return setBool(TRUE);
        case SPI_GETMENUANIMATION:
        case SPI_GETCOMBOBOXANIMATION:
        case SPI_GETTOOLTIPANIMATION:
        case SPI_GETMENUFADE:
        case SPI_GETFLATMENU:
        case SPI_GETGRADIENTCAPTIONS:
        case SPI_GETFONTSMOOTHING:
        case SPI_GETSCREENREADER:
        case SPI_GETSHOWSOUNDS:
        case SPI_GETKEYBOARDPREF:
        case SPI_GETMENUDROPALIGNMENT: return setBool(FALSE);
        case SPI_GETBEEP:
        case SPI_GETICONTITLEWRAP: return setBool(TRUE);
        case SPI_GETWHEELSCROLLLINES: return setUint(3);
        case SPI_GETMENUSHOWDELAY: return setUint(400);
        case SPI_GETKEYBOARDDELAY: return setUint(1);
        case SPI_GETKEYBOARDSPEED: return setUint(31);
        case SPI_GETBORDER: return setUint(1);
        case SPI_GETSCREENSAVETIMEOUT: return setUint(0);
        case SPI_ICONHORIZONTALSPACING:
        case SPI_ICONVERTICALSPACING:
            if (pvParam) *static_cast<int*>(pvParam) = 75;
            return TRUE;
        default: return FALSE;
    }
    if (changed && (winIni & SPIF_SENDCHANGE)) BroadcastMessage(WM_SETTINGCHANGE, action, 0, false);
    return result;
}

DWORD GetVersion() {
    // Windows 2000 (NT 5.0, build 2195): a version 4 or later system.
    return 0x08930005u;
}

BOOL MessageBeep(UINT) {
    if (backend::Backend* b = Wm().Backend()) b->Beep();
    return TRUE;
}

}  // namespace win32
