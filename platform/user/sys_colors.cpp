// The desktop's colour scheme: the classic Windows standard scheme of a
// Japanese desktop of the non-themed era, indexed by COLOR_*.
#include "platform/user/window_manager.h"

namespace win32 {
namespace user {
namespace {

constexpr COLORREF kClassicScheme[COLOR_MAX_INDEX] = {
    RGB(192, 192, 192),  // COLOR_SCROLLBAR
    RGB(0, 128, 128),    // COLOR_BACKGROUND
    RGB(0, 0, 128),      // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(192, 192, 192),  // COLOR_ACTIVEBORDER
    RGB(192, 192, 192),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(0, 0, 128),      // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(192, 192, 192),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(192, 192, 192),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(0, 0, 0),        // COLOR_3DDKSHADOW
    RGB(192, 192, 192),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(181, 181, 181),  // 25, unused by the classic scheme
    RGB(0, 0, 255),      // COLOR_HOTLIGHT
    RGB(16, 132, 208),   // COLOR_GRADIENTACTIVECAPTION
    RGB(181, 181, 181),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(0, 0, 128),      // COLOR_MENUHILIGHT
    RGB(192, 192, 192),  // COLOR_MENUBAR
};

COLORREF* Scheme() {
    static COLORREF colors[COLOR_MAX_INDEX];
    static bool loaded = false;
    if (!loaded) {
        for (int i = 0; i < COLOR_MAX_INDEX; ++i) colors[i] = kClassicScheme[i];
        loaded = true;
    }
    return colors;
}

}  // namespace

void ResetSysColors() {
    COLORREF* colors = Scheme();
    for (int i = 0; i < COLOR_MAX_INDEX; ++i) colors[i] = kClassicScheme[i];
}

}  // namespace user

DWORD GetSysColor(int index) {
    if (index < 0 || index >= COLOR_MAX_INDEX) return 0;
    return user::Scheme()[index];
}

BOOL SetSysColors(int count, const INT* indexes, const COLORREF* colors) {
    if (count < 0 || (count > 0 && (!indexes || !colors))) return FALSE;
    COLORREF* scheme = user::Scheme();
    for (int i = 0; i < count; ++i) {
        if (indexes[i] >= 0 && indexes[i] < COLOR_MAX_INDEX) scheme[indexes[i]] = colors[i] & 0x00FFFFFF;
    }
    // Every top-level window hears of the change and repaints.
    user::BroadcastMessage(WM_SYSCOLORCHANGE, 0, 0, false);
    std::vector<HWND> top = user::Wm().Desktop()->children;
    for (HWND h : top) {
        if (user::Wm().Find(h)) RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    return TRUE;
}

}  // namespace win32
