// The library's calls into the window system's menus, in one place: menu
// handles, their items, the menu bar and pop-up tracking.
#pragma once

#include <string>

#include "platform/windows.h"

namespace classlib::menu_platform {

struct ItemSpec {
    std::string text;  // caption, a tab and the shortcut text
    win32::UINT command = 0;
    win32::HMENU submenu = nullptr;
    bool separator = false;
    bool checked = false;
    bool enabled = true;
    bool radio = false;
    bool isDefault = false;
    int menuBreak = 0;  // 0 none, 1 column break, 2 column break with a bar
};

// The MF_POPUP bit of WM_MENUSELECT's flags.
inline constexpr win32::WORD kPopupFlag = 0x0010;

enum class PopupAlign { Left, Right, Center };

win32::HMENU CreateMenuHandle(bool popup);
void DestroyMenuHandle(win32::HMENU menu);
// Removes every item without destroying submenus (they belong to items).
void ClearMenu(win32::HMENU menu);
void AppendItem(win32::HMENU menu, const ItemSpec& item);
void CheckItem(win32::HMENU menu, win32::UINT command, bool checked);
void EnableItem(win32::HMENU menu, win32::UINT command, bool enabled);
void DrawBar(win32::HWND window);
void SetWindowMenu(win32::HWND window, win32::HMENU menu);
win32::HMENU SubMenu(win32::HMENU menu, int position);
// Runs the pop-up menu and returns the chosen command (0 for none).
win32::UINT TrackPopup(win32::HMENU menu, PopupAlign align, int x, int y, win32::HWND owner);

}  // namespace classlib::menu_platform
