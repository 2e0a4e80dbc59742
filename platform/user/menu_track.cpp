// Ways into the menu loop: TrackPopupMenu(Ex) at a point, a press on the
// menu bar or the window-menu icon, and the keyboard (Alt, F10, Alt+letter,
// Alt+Space); EndMenu closes whatever is open.
#include <algorithm>

#include "platform/user/menu_bridge.h"
#include "platform/user/menu_layout.h"
#include "platform/user/menu_loop.h"
#include "platform/user/popup_menu.h"
#include "platform/user/system_menu.h"

namespace win32::user::menu {
namespace {

// A tracked pop-up menu's place: aligned to the point as the flags ask,
// flipped to the other side of the point when it would leave the screen,
// and kept off the excluded rectangle.
RECT PlacePopup(POINT at, SIZE size, UINT flags, const RECT* exclude) {
    SIZE screen = Wm().ScreenSize();
    int left = at.x, top = at.y;
    if (flags & TPM_CENTERALIGN) left -= size.cx / 2;
    else if (flags & TPM_RIGHTALIGN) left -= size.cx;
    if (flags & TPM_VCENTERALIGN) top -= size.cy / 2;
    else if (flags & TPM_BOTTOMALIGN) top -= size.cy;
    if (left + size.cx > screen.cx) left = at.x - size.cx;
    if (left < 0) left = (flags & TPM_RIGHTALIGN) ? at.x : 0;
    if (top + size.cy > screen.cy) top = at.y - size.cy;
    if (top < 0) top = (flags & TPM_BOTTOMALIGN) ? at.y : 0;
    if (exclude) {
        RECT menu{left, top, left + size.cx, top + size.cy}, overlap;
        if (IntersectRect(&overlap, &menu, exclude)) {
            if (flags & TPM_VERTICAL) {
                top = exclude->bottom + size.cy <= screen.cy ? exclude->bottom : exclude->top - size.cy;
            } else {
                left = exclude->right + size.cx <= screen.cx ? exclude->right : exclude->left - size.cx;
            }
        }
    }
    left = std::clamp<int>(left, 0, std::max<int>(0, screen.cx - size.cx));
    top = std::clamp<int>(top, 0, std::max<int>(0, screen.cy - size.cy));
    return RECT{left, top, left + size.cx, top + size.cy};
}

HMENU BarWithItems(HWND hwnd) {
    HMENU bar = GetMenu(hwnd);
    return GetMenuItemCount(bar) > 0 ? bar : nullptr;
}

HMENU WindowMenuHolderIfShown(HWND hwnd) {
    Window* w = Wm().Find(hwnd);
    if (!w || !(w->style & WS_SYSMENU)) return nullptr;
    return WindowMenuHolder(hwnd);
}

bool CanTrack(HWND hwnd) {
    Window* w = Wm().Find(hwnd);
    return w && !Menus().tracker && IsTopLevel(w) && IsWindowVisible(hwnd);
}

}  // namespace

UINT MenuTracker::TrackPopup(HMENU menu, POINT at, const RECT* exclude) {
    levels_.push_back(Level{menu, nullptr, false});
    if (Begin(menu)) {
        bool system = FindMenu(menu)->system;
        if (system) UpdateWindowMenuState(FindMenu(menu)->systemOwner);
        if (!(flags_ & TPM_NONOTIFY))
            SendMessageA(owner_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, system ? 1 : 0));
        Menu* m = FindMenu(menu);
        if (!ended_ && StillValid() && m && !m->items.empty()) {
            SIZE screen = Wm().ScreenSize();
            SIZE client = LayoutPopup(menu, owner_, screen.cy - 2 * metrics::PopupBorder());
            if (!ended_ && StillValid()) {
                RECT place = PlacePopup(at, PopupWindowSize(client), flags_, exclude);
                HWND popup = CreatePopupWindow(menu, owner_, place);
                if (popup && (m = FindMenu(menu))) {
                    m->popupWindow = popup;
                    m->selected = -1;
                    m->selectedOpen = false;
                    levels_[0].window = popup;
                    ShowPopupWindow(popup);
                    Run();
                } else if (popup) {
                    DestroyWindow(popup);
                }
            }
        }
    }
    return Finish();
}

void MenuTracker::TrackBarByMouse(LRESULT hit, POINT screenPt) {
    bar_ = BarWithItems(owner_);
    windowMenu_ = WindowMenuHolderIfShown(owner_);
    if (hit == HTSYSMENU) {
        if (!windowMenu_) return;
        startedOnIcon_ = true;
        levels_.push_back(Level{windowMenu_, nullptr, false});
        if (Begin(WindowMenuOf(owner_))) {
            Select(0, 0, true);
            if (!ended_) OpenSubmenu(0, false);
            Run();
        }
        Finish();
        return;
    }
    if (!bar_) return;
    int index = ItemAtScreenPoint(owner_, bar_, screenPt);
    const MenuItem* item = FindItem(bar_, static_cast<UINT>(index < 0 ? 0 : index), MF_BYPOSITION).Item();
    if (index < 0 || !item || item->IsSeparator()) return;
    levels_.push_back(Level{bar_, nullptr, false});
    if (Begin(bar_)) {
        Select(0, index, true);
        if (!ended_) OpenSubmenu(0, false);
        Run();
    }
    Finish();
}

void MenuTracker::TrackBarByKey(UINT key) {
    bar_ = BarWithItems(owner_);
    windowMenu_ = WindowMenuHolderIfShown(owner_);
    if (key == ' ' || (key == 0 && !bar_)) {
        // Alt+Space, or Alt in a window without a menu bar: the window menu.
        if (!windowMenu_) return;
        levels_.push_back(Level{windowMenu_, nullptr, false});
        if (Begin(WindowMenuOf(owner_))) {
            Select(0, 0, false);
            if (key == ' ' && !ended_) OpenSubmenu(0, true);
            Run();
        }
        Finish();
        return;
    }
    if (!bar_) {
        MessageBeep(0);
        return;
    }
    levels_.push_back(Level{bar_, nullptr, false});
    if (Begin(bar_)) {
        if (key == 0) {
            Select(0, NextSelectable(0, -1, 1), false);
        } else {
            OnAccessKey(0, static_cast<char32_t>(key), true);
            // A letter that names no item leaves menu mode at once.
            Menu* m = MenuAt(0);
            if (!m || m->selected < 0) End();
        }
        Run();
    }
    Finish();
}

void TrackKeyboardMenu(HWND hwnd, UINT key) {
    if (!CanTrack(hwnd)) return;
    MenuTracker tracker(hwnd, MenuTracker::Kind::Bar, 0);
    tracker.TrackBarByKey(key);
}

void TrackMouseMenu(HWND hwnd, LRESULT hit, POINT screenPt) {
    if (!CanTrack(hwnd)) return;
    MenuTracker tracker(hwnd, MenuTracker::Kind::Bar, 0);
    tracker.TrackBarByMouse(hit, screenPt);
}

}  // namespace win32::user::menu

namespace win32 {

using namespace user::menu;

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS params) {
    if (!IsMenu(menu) || !IsWindow(owner) || Menus().tracker) return FALSE;
    const RECT* exclude = params && params->cbSize == sizeof(TPMPARAMS) ? &params->rcExclude : nullptr;
    MenuTracker tracker(owner, MenuTracker::Kind::Popup, flags);
    UINT command = tracker.TrackPopup(menu, POINT{x, y}, exclude);
    if (flags & TPM_RETURNCMD) return static_cast<BOOL>(command);
    return TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
    return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}

BOOL EndMenu() {
    if (MenuTracker* t = Menus().tracker) t->Cancel();
    return TRUE;
}

}  // namespace win32
