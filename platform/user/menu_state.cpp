// The state of items: check marks, radio checks, enabled and greyed, the
// default item, check-mark bitmaps, reading an item's state and text, and
// the MENUINFO of a menu.
#include "platform/user/menu.h"
#include "platform/user/menu_loop.h"
#include "platform/user/window_text.h"

namespace win32::user::menu {
namespace {

// A change of state that keeps the item's size: only what shows it is
// repainted.
void Repaint(HMENU menu) {
    if (MenuTracker* t = Menus().tracker) t->OnMenuChanged(menu);
}

void Resized(HMENU menu) {
    if (Menu* m = FindMenu(menu)) InvalidateLayout(*m);
    Repaint(menu);
}

void ApplyMenuInfo(Menu& m, const MENUINFO& info) {
    if (info.fMask & MIM_STYLE) m.style = info.dwStyle;
    if (info.fMask & MIM_MAXHEIGHT) m.maxHeight = info.cyMax;
    if (info.fMask & MIM_BACKGROUND) m.background = info.hbrBack;
    if (info.fMask & MIM_HELPID) m.helpId = info.dwContextHelpID;
    if (info.fMask & MIM_MENUDATA) m.menuData = info.dwMenuData;
}

void ApplyToSubmenus(HMENU menu, const MENUINFO& info, int depth) {
    Menu* m = FindMenu(menu);
    if (!m || depth > 64) return;
    ApplyMenuInfo(*m, info);
    InvalidateLayout(*m);
    std::vector<HMENU> subs;
    for (const MenuItem& item : m->items) {
        if (item.submenu) subs.push_back(item.submenu);
    }
    for (HMENU sub : subs) ApplyToSubmenus(sub, info, depth + 1);
}

}  // namespace
}  // namespace win32::user::menu

namespace win32 {

using namespace user::menu;

UINT GetMenuState(HMENU menu, UINT id, UINT flags) {
    const MenuItem* item = FindItem(menu, id, flags).Item();
    if (!item) return 0xFFFFFFFFu;
    UINT state = ItemFlags(*item);
    if (Menu* sub = FindMenu(item->submenu)) {
        // A submenu item reports its item count in the high byte.
        return (static_cast<UINT>(sub->items.size() & 0xFF) << 8) | (state & 0xFF);
    }
    return state | (item->state & MFS_DEFAULT) | (item->type & (MFT_RADIOCHECK | MFT_RIGHTJUSTIFY));
}

int GetMenuStringA(HMENU menu, UINT id, LPSTR buffer, int maxCount, UINT flags) {
    const MenuItem* item = FindItem(menu, id, flags).Item();
    if (!item) return 0;
    bool hasText = !(item->type & (MFT_SEPARATOR | MFT_OWNERDRAW | MFT_BITMAP));
    const std::string text = hasText ? item->text : std::string();
    if (!buffer || maxCount <= 0) return static_cast<int>(text.size());
    return user::CopyTextOut(text, buffer, static_cast<std::size_t>(maxCount));
}

DWORD CheckMenuItem(HMENU menu, UINT id, UINT check) {
    ItemRef ref = FindItem(menu, id, check);
    MenuItem* item = ref.Item();
    if (!item) return 0xFFFFFFFFu;
    DWORD previous = item->state & MF_CHECKED;
    if (check & MF_CHECKED) item->state |= MF_CHECKED;
    else item->state &= ~MF_CHECKED;
    Repaint(ref.menu);
    return previous;
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
    ItemRef a = FindItem(menu, first, flags);
    ItemRef b = FindItem(menu, last, flags);
    ItemRef c = FindItem(menu, check, flags);
    // The range and the checked item must lie in one menu.
    if (!a || !b || !c || a.menu != b.menu || c.menu != a.menu) return FALSE;
    Menu* m = FindMenu(a.menu);
    int from = a.index < b.index ? a.index : b.index;
    int to = a.index < b.index ? b.index : a.index;
    if (c.index < from || c.index > to) return FALSE;
    for (int i = from; i <= to; ++i) {
        MenuItem& item = m->items[static_cast<std::size_t>(i)];
        if (i == c.index) {
            item.state |= MF_CHECKED;
            item.type |= MFT_RADIOCHECK;
        } else {
            item.state &= ~MF_CHECKED;
        }
    }
    Repaint(a.menu);
    return TRUE;
}

BOOL EnableMenuItem(HMENU menu, UINT id, UINT enable) {
    ItemRef ref = FindItem(menu, id, enable);
    MenuItem* item = ref.Item();
    if (!item) return -1;
    UINT previous = item->state & (MF_GRAYED | MF_DISABLED);
    item->state = (item->state & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    Repaint(ref.menu);
    return static_cast<BOOL>(previous);
}

BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition) {
    Menu* m = FindMenu(menu);
    if (!m) return FALSE;
    int target = -1;
    if (item != 0xFFFFFFFFu) {
        for (std::size_t i = 0; i < m->items.size(); ++i) {
            bool match = byPosition ? i == item : m->items[i].id == item;
            if (match) {
                target = static_cast<int>(i);
                break;
            }
        }
        if (target < 0) return FALSE;
    }
    for (std::size_t i = 0; i < m->items.size(); ++i) {
        MenuItem& it = m->items[i];
        bool isDefault = static_cast<int>(i) == target;
        if (((it.state & MFS_DEFAULT) != 0) != isDefault) it.measured = false;
        if (isDefault) it.state |= MFS_DEFAULT;
        else it.state &= ~MFS_DEFAULT;
    }
    Resized(menu);
    return TRUE;
}

UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT flags) {
    for (int depth = 0; depth < 64; ++depth) {
        Menu* m = FindMenu(menu);
        if (!m) return 0xFFFFFFFFu;
        int found = -1;
        for (std::size_t i = 0; i < m->items.size(); ++i) {
            if (m->items[i].state & MFS_DEFAULT) {
                found = static_cast<int>(i);
                break;
            }
        }
        if (found < 0) return 0xFFFFFFFFu;
        const MenuItem& item = m->items[static_cast<std::size_t>(found)];
        if (item.IsDisabled() && !(flags & GMDI_USEDISABLED)) return 0xFFFFFFFFu;
        if ((flags & GMDI_GOINTOPOPUPS) && FindMenu(item.submenu)) {
            // The default of the submenu, when it has one, stands for it.
            HMENU sub = item.submenu;
            UINT inner = GetMenuDefaultItem(sub, byPosition, flags & ~GMDI_GOINTOPOPUPS);
            if (inner != 0xFFFFFFFFu) {
                menu = sub;
                continue;
            }
        }
        return byPosition ? static_cast<UINT>(found) : item.id;
    }
    return 0xFFFFFFFFu;
}

BOOL SetMenuItemBitmaps(HMENU menu, UINT position, UINT flags, HBITMAP unchecked, HBITMAP checked) {
    ItemRef ref = FindItem(menu, position, flags);
    MenuItem* item = ref.Item();
    if (!item) return FALSE;
    item->uncheckedBitmap = unchecked;
    item->checkedBitmap = checked;
    Repaint(ref.menu);
    return TRUE;
}

BOOL SetMenuInfo(HMENU menu, LPCMENUINFO info) {
    Menu* m = FindMenu(menu);
    if (!m || !info || info->cbSize != sizeof(MENUINFO)) return FALSE;
    if (info->fMask & MIM_APPLYTOSUBMENUS) ApplyToSubmenus(menu, *info, 0);
    else ApplyMenuInfo(*m, *info);
    Resized(menu);
    return TRUE;
}

BOOL GetMenuInfo(HMENU menu, LPMENUINFO info) {
    Menu* m = FindMenu(menu);
    if (!m || !info || info->cbSize != sizeof(MENUINFO)) return FALSE;
    if (info->fMask & MIM_STYLE) info->dwStyle = m->style;
    if (info->fMask & MIM_MAXHEIGHT) info->cyMax = m->maxHeight;
    if (info->fMask & MIM_BACKGROUND) info->hbrBack = m->background;
    if (info->fMask & MIM_HELPID) info->dwContextHelpID = m->helpId;
    if (info->fMask & MIM_MENUDATA) info->dwMenuData = m->menuData;
    return TRUE;
}

}  // namespace win32
