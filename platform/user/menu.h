// The menu system's objects: menus with their items, the table that holds
// them, and the lookups every menu file shares. Internal to platform/user;
// the public face is the menu section of winuser.h.
//
// A menu is reached by handle only: code that calls out (sends
// WM_MEASUREITEM, WM_INITMENUPOPUP, ...) looks it up again afterwards,
// because the callee may have destroyed or changed it.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/handle_table.h"
#include "platform/user/window_manager.h"

namespace win32::user::menu {

struct MenuItem {
    UINT type = MFT_STRING;  // MFT_ flags
    UINT state = 0;          // MFS_ flags
    UINT id = 0;
    HMENU submenu = nullptr;
    HBITMAP checkedBitmap = nullptr;
    HBITMAP uncheckedBitmap = nullptr;
    HBITMAP bitmap = nullptr;  // the picture of an MFT_BITMAP item
    ULONG_PTR data = 0;
    std::string text;  // caption, then a tab and the shortcut text

    // Layout: the measured size stays until the item changes; the rectangle
    // is set by the last layout (bar: relative to the bar's top-left corner;
    // pop-up: in the pop-up window's client coordinates).
    bool measured = false;
    SIZE size{0, 0};
    int textWidth = 0;      // caption part of a plain item
    int shortcutWidth = 0;  // part after the tab
    RECT rect{0, 0, 0, 0};

    bool IsSeparator() const { return (type & MFT_SEPARATOR) != 0; }
    bool IsOwnerDraw() const { return (type & MFT_OWNERDRAW) != 0; }
    bool IsDisabled() const { return (state & MFS_GRAYED) != 0; }
};

struct Menu {
    bool popup = false;   // made by CreatePopupMenu
    bool system = false;  // a window menu, or the one-item menu that holds it
    HWND systemOwner = nullptr;
    std::vector<MenuItem> items;

    // MENUINFO.
    DWORD style = 0;
    UINT maxHeight = 0;
    HBRUSH background = nullptr;
    DWORD helpId = 0;
    ULONG_PTR menuData = 0;

    // Layout of the whole menu, redone when an item changes.
    bool layoutValid = false;
    int layoutWidth = -1;  // the bar width it was laid out for
    SIZE size{0, 0};       // pop-up: client size; bar: rows × row height
    int rows = 0;

    // The window showing the menu: the pop-up window while it is open, or
    // the window whose menu bar it is.
    HWND popupWindow = nullptr;
    HWND barWindow = nullptr;

    // The highlighted item while the menu loop shows the menu, and whether
    // the submenu of that item is open; kept apart from the items so that
    // rebuilding an item keeps what the loop shows.
    int selected = -1;
    bool selectedOpen = false;
};

class MenuTracker;

// Everything the menu system keeps: the menu and accelerator tables, the
// window menus of the windows, the fonts and the running menu loop.
class MenuSystem {
public:
    HandleTable<Menu> menus{HandleKind::Menu};

    struct WindowMenu {
        HMENU popup = nullptr;    // what GetSystemMenu returns
        HMENU wrapper = nullptr;  // a one-item menu whose item opens it
    };
    std::map<HWND, WindowMenu> windowMenus;

    MenuTracker* tracker = nullptr;  // the menu loop that runs, if any

    // The menu font of the non-client metrics, plain and bold.
    HFONT Font(bool bold);
    void Reset();

private:
    HFONT font_ = nullptr;
    HFONT boldFont_ = nullptr;
};

MenuSystem& Menus();

Menu* FindMenu(HMENU menu);
HMENU ToHmenu(std::uintptr_t key);

// An item found by position or command: the menu that holds it and its
// index there.
struct ItemRef {
    HMENU menu = nullptr;
    int index = -1;

    explicit operator bool() const { return menu != nullptr && index >= 0; }
    MenuItem* Item() const;
};

// MF_BYPOSITION finds the item in `menu` itself; MF_BYCOMMAND searches
// `menu` and then its submenus, depth first, for the first item with the
// identifier.
ItemRef FindItem(HMENU menu, UINT idOrPosition, UINT flags);

// True when `submenu` is `menu` or holds it somewhere below, so that making
// it a submenu of `menu` would make a cycle.
bool WouldCycle(HMENU menu, HMENU submenu);

// The item changed: its size and the layout of its menu must be redone.
void InvalidateItem(Menu& menu, MenuItem& item);
void InvalidateLayout(Menu& menu);

// The character after the first single "&" of a caption, folded to lower
// case (0 when there is none).
char32_t AccessKeyOf(const std::string& text);
char32_t FoldCase(char32_t ch);

// The flags WM_MENUSELECT and GetMenuState report for an item.
UINT ItemFlags(const MenuItem& item);

// Sizes of the classic look.
namespace metrics {
int BarRowHeight();     // one row of the menu bar, without the line under it
int PopupBorder();      // each side of a pop-up menu window
int TextItemHeight();   // a plain pop-up item
int SeparatorHeight();
int CheckColumn();      // from the item's left edge to its text
int ArrowColumn();      // the submenu arrow at the right
int ShortcutGap();      // least space between caption and shortcut
int BarItemPadding();   // each side of a plain menu-bar item
}  // namespace metrics

}  // namespace win32::user::menu
