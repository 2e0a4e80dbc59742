#include "classlib/menu_platform.h"

// The library's menus on the window system's menu handles: every item is
// inserted with its command as identifier (also items that open a submenu,
// so that they are found by command like any other).

namespace classlib::menu_platform {

using namespace win32;

HMENU CreateMenuHandle(bool popup) { return popup ? CreatePopupMenu() : CreateMenu(); }

void DestroyMenuHandle(HMENU menu) {
    // The submenus belong to their own items, which destroy them.
    ClearMenu(menu);
    DestroyMenu(menu);
}

void ClearMenu(HMENU menu) {
    for (int n = GetMenuItemCount(menu); n > 0; --n) {
        if (!RemoveMenu(menu, 0, MF_BYPOSITION)) break;
    }
}

void AppendItem(HMENU menu, const ItemSpec& item) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_TYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
    info.fType = item.separator ? MFT_SEPARATOR : MFT_STRING;
    if (item.radio) info.fType |= MFT_RADIOCHECK;
    if (item.menuBreak == 1) info.fType |= MFT_MENUBREAK;
    if (item.menuBreak == 2) info.fType |= MFT_MENUBARBREAK;
    if (item.checked) info.fState |= MFS_CHECKED;
    if (!item.enabled) info.fState |= MFS_GRAYED;
    if (item.isDefault) info.fState |= MFS_DEFAULT;
    info.wID = item.command;
    info.hSubMenu = item.submenu;
    std::string text = item.text;
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
}

void CheckItem(HMENU menu, UINT command, bool checked) {
    CheckMenuItem(menu, command, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void EnableItem(HMENU menu, UINT command, bool enabled) {
    EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void DrawBar(HWND window) { DrawMenuBar(window); }

void SetWindowMenu(HWND window, HMENU menu) { SetMenu(window, menu); }

HMENU SubMenu(HMENU menu, int position) { return GetSubMenu(menu, position); }

UINT TrackPopup(HMENU menu, PopupAlign align, int x, int y, HWND owner) {
    UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON;
    if (align == PopupAlign::Right) flags |= TPM_RIGHTALIGN;
    if (align == PopupAlign::Center) flags |= TPM_CENTERALIGN;
    return static_cast<UINT>(TrackPopupMenu(menu, flags, x, y, 0, owner, nullptr));
}

}  // namespace classlib::menu_platform
