// Items of a menu: appending, inserting, modifying, reading and removing
// them, with the old flag form (AppendMenuA, InsertMenuA, ModifyMenuA) and
// the MENUITEMINFOA form.
#include <cstddef>

#include "platform/user/menu.h"
#include "platform/user/menu_loop.h"
#include "platform/user/window_text.h"

namespace win32::user::menu {
namespace {

constexpr UINT kTypeFlags =
    MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_MENUBARBREAK | MF_MENUBREAK | MFT_RADIOCHECK | MF_RIGHTJUSTIFY |
    MFT_RIGHTORDER;
constexpr UINT kStateFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT;

// The size of MENUITEMINFOA before hbmpItem was added; callers written for
// older systems pass it.
constexpr UINT kOldItemInfoSize = offsetof(MENUITEMINFOA, hbmpItem);

bool ValidSubmenu(HMENU menu, HMENU submenu) {
    return FindMenu(submenu) && !WouldCycle(menu, submenu);
}

// An item described by the old flags. `menu` is where it goes (for the
// cycle test of a submenu).
bool ItemFromFlags(HMENU menu, UINT flags, UINT_PTR id, LPCSTR newItem, MenuItem& item) {
    item.type = flags & kTypeFlags;
    item.state = flags & kStateFlags;
    item.id = static_cast<UINT>(id);
    if (flags & MF_POPUP) {
        HMENU sub = reinterpret_cast<HMENU>(id);
        if (!ValidSubmenu(menu, sub)) return false;
        item.submenu = sub;
    }
    item.text.clear();
    item.bitmap = nullptr;
    if (flags & MF_OWNERDRAW) {
        // An owner-drawn item carries the caller's value in place of text.
        item.data = reinterpret_cast<ULONG_PTR>(newItem);
    } else if (flags & MF_BITMAP) {
        item.bitmap = reinterpret_cast<HBITMAP>(const_cast<char*>(newItem));
    } else if (!(flags & MF_SEPARATOR) && newItem) {
        item.text = newItem;
    }
    return true;
}

bool ApplyItemInfo(HMENU menu, const MENUITEMINFOA& info, MenuItem& item) {
    UINT mask = info.fMask;
    if ((mask & MIIM_SUBMENU) && info.hSubMenu && !ValidSubmenu(menu, info.hSubMenu)) return false;
    if (mask & MIIM_TYPE) {
        item.type = info.fType;
        item.text.clear();
        item.bitmap = nullptr;
        if (info.fType & MFT_BITMAP) item.bitmap = reinterpret_cast<HBITMAP>(info.dwTypeData);
        else if (!(info.fType & (MFT_SEPARATOR | MFT_OWNERDRAW)) && info.dwTypeData) item.text = info.dwTypeData;
    }
    if (mask & MIIM_FTYPE) item.type = (item.type & MFT_BITMAP) | (info.fType & ~MFT_BITMAP);
    if (mask & MIIM_STRING) item.text = info.dwTypeData ? info.dwTypeData : "";
    if ((mask & MIIM_BITMAP) && info.cbSize > kOldItemInfoSize) item.bitmap = info.hbmpItem;
    if (mask & MIIM_STATE) item.state = info.fState & kStateFlags;
    if (mask & MIIM_ID) item.id = info.wID;
    if (mask & MIIM_SUBMENU) item.submenu = info.hSubMenu;
    if (mask & MIIM_CHECKMARKS) {
        item.checkedBitmap = info.hbmpChecked;
        item.uncheckedBitmap = info.hbmpUnchecked;
    }
    if (mask & MIIM_DATA) item.data = info.dwItemData;
    return true;
}

bool ValidInfo(const MENUITEMINFOA* info) {
    return info && (info->cbSize == sizeof(MENUITEMINFOA) || info->cbSize == kOldItemInfoSize);
}

// The menu and index an insertion goes to: before the item named by
// position or command; past the end for a position beyond the last item.
bool InsertionPoint(HMENU menu, UINT position, bool byPosition, HMENU& target, std::size_t& index) {
    Menu* m = FindMenu(menu);
    if (!m) return false;
    if (byPosition) {
        target = menu;
        index = position >= m->items.size() ? m->items.size() : position;
        return true;
    }
    ItemRef ref = FindItem(menu, position, MF_BYCOMMAND);
    if (!ref) return false;
    target = ref.menu;
    index = static_cast<std::size_t>(ref.index);
    return true;
}

void Changed(HMENU menu) {
    Menu* m = FindMenu(menu);
    if (!m) return;
    InvalidateLayout(*m);
    if (MenuTracker* t = Menus().tracker) t->OnMenuChanged(menu);
}

bool Insert(HMENU menu, UINT position, bool byPosition, const MenuItem& item) {
    HMENU target = nullptr;
    std::size_t index = 0;
    if (!InsertionPoint(menu, position, byPosition, target, index)) return false;
    if (item.submenu && WouldCycle(target, item.submenu)) return false;
    Menu* m = FindMenu(target);
    m->items.insert(m->items.begin() + static_cast<std::ptrdiff_t>(index), item);
    Changed(target);
    return true;
}

bool Take(HMENU menu, UINT position, UINT flags, bool destroySubmenu) {
    ItemRef ref = FindItem(menu, position, flags);
    Menu* m = FindMenu(ref.menu);
    if (!ref || !m) return false;
    HMENU sub = m->items[static_cast<std::size_t>(ref.index)].submenu;
    m->items.erase(m->items.begin() + ref.index);
    Changed(ref.menu);
    if (destroySubmenu && sub) DestroyMenu(sub);
    return true;
}

}  // namespace
}  // namespace win32::user::menu

namespace win32 {

using namespace user::menu;

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCSTR newItem) {
    if (!FindMenu(menu)) return FALSE;
    MenuItem item;
    if (!ItemFromFlags(menu, flags, idNewItem, newItem, item)) return FALSE;
    return Insert(menu, 0xFFFFFFFFu, true, item) ? TRUE : FALSE;
}

BOOL InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR newItem) {
    if (!FindMenu(menu)) return FALSE;
    MenuItem item;
    if (!ItemFromFlags(menu, flags, idNewItem, newItem, item)) return FALSE;
    return Insert(menu, position, (flags & MF_BYPOSITION) != 0, item) ? TRUE : FALSE;
}

BOOL InsertMenuItemA(HMENU menu, UINT position, BOOL byPosition, LPCMENUITEMINFOA info) {
    if (!FindMenu(menu) || !ValidInfo(info)) return FALSE;
    MenuItem item;
    if (!ApplyItemInfo(menu, *info, item)) return FALSE;
    return Insert(menu, position, byPosition != FALSE, item) ? TRUE : FALSE;
}

BOOL ModifyMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR newItem) {
    ItemRef ref = FindItem(menu, position, flags);
    MenuItem* item = ref.Item();
    if (!item) return FALSE;
    MenuItem changed = *item;
    HMENU oldSub = item->submenu;
    if (!ItemFromFlags(ref.menu, flags, idNewItem, newItem, changed)) return FALSE;
    // Without MF_POPUP the item keeps the submenu it has; with it, a
    // submenu that is replaced by another goes away.
    if (!(flags & MF_POPUP)) changed.submenu = oldSub;
    changed.measured = false;
    if (!(item = ref.Item())) return FALSE;
    *item = changed;
    Changed(ref.menu);
    if ((flags & MF_POPUP) && oldSub && oldSub != changed.submenu) DestroyMenu(oldSub);
    return TRUE;
}

BOOL SetMenuItemInfoA(HMENU menu, UINT position, BOOL byPosition, LPCMENUITEMINFOA info) {
    if (!ValidInfo(info)) return FALSE;
    ItemRef ref = FindItem(menu, position, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
    MenuItem* item = ref.Item();
    if (!item) return FALSE;
    MenuItem changed = *item;
    if (!ApplyItemInfo(ref.menu, *info, changed)) return FALSE;
    changed.measured = false;
    *item = changed;
    Changed(ref.menu);
    return TRUE;
}

BOOL GetMenuItemInfoA(HMENU menu, UINT position, BOOL byPosition, LPMENUITEMINFOA info) {
    if (!ValidInfo(info)) return FALSE;
    ItemRef ref = FindItem(menu, position, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
    const MenuItem* item = ref.Item();
    if (!item) return FALSE;
    UINT mask = info->fMask;
    if (mask & (MIIM_TYPE | MIIM_FTYPE)) info->fType = item->type;
    if ((mask & MIIM_TYPE) && (item->type & MFT_BITMAP)) {
        info->dwTypeData = reinterpret_cast<LPSTR>(item->bitmap);
    } else if (mask & (MIIM_TYPE | MIIM_STRING)) {
        bool hasText = !(item->type & (MFT_SEPARATOR | MFT_OWNERDRAW));
        const std::string& text = hasText ? item->text : std::string();
        if (info->dwTypeData && info->cch > 0) {
            info->cch = static_cast<UINT>(user::CopyTextOut(text, info->dwTypeData, info->cch));
        } else {
            info->cch = static_cast<UINT>(text.size());
        }
    }
    if ((mask & MIIM_BITMAP) && info->cbSize > kOldItemInfoSize) info->hbmpItem = item->bitmap;
    if (mask & MIIM_STATE) info->fState = item->state;
    if (mask & MIIM_ID) info->wID = item->id;
    if (mask & MIIM_SUBMENU) info->hSubMenu = FindMenu(item->submenu) ? item->submenu : nullptr;
    if (mask & MIIM_CHECKMARKS) {
        info->hbmpChecked = item->checkedBitmap;
        info->hbmpUnchecked = item->uncheckedBitmap;
    }
    if (mask & MIIM_DATA) info->dwItemData = item->data;
    return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) { return Take(menu, position, flags, true) ? TRUE : FALSE; }

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) { return Take(menu, position, flags, false) ? TRUE : FALSE; }

int GetMenuItemCount(HMENU menu) {
    Menu* m = FindMenu(menu);
    return m ? static_cast<int>(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
    if (position < 0) return 0xFFFFFFFFu;
    const MenuItem* item = FindItem(menu, static_cast<UINT>(position), MF_BYPOSITION).Item();
    if (!item || FindMenu(item->submenu)) return 0xFFFFFFFFu;
    return item->id;
}

HMENU GetSubMenu(HMENU menu, int position) {
    if (position < 0) return nullptr;
    const MenuItem* item = FindItem(menu, static_cast<UINT>(position), MF_BYPOSITION).Item();
    if (!item || !FindMenu(item->submenu)) return nullptr;
    return item->submenu;
}

}  // namespace win32
