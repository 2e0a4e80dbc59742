// Menu handles: creation and destruction, the table behind them, the item
// lookups and the sizes of the classic look.
#include <functional>
#include <set>

#include "platform/gdi/wingdi.h"
#include "platform/user/menu.h"
#include "platform/user/menu_bridge.h"
#include "platform/user/menu_loop.h"

namespace win32::user::menu {

MenuSystem& Menus() {
    static MenuSystem system;
    return system;
}

HMENU ToHmenu(std::uintptr_t key) { return ToHandle<HMENU>(key); }

Menu* FindMenu(HMENU menu) { return Menus().menus.Get(menu); }

HFONT MenuSystem::Font(bool bold) {
    HFONT& slot = bold ? boldFont_ : font_;
    // The font table may have been cleared behind our back (a reset of the
    // drawing system); a handle that no longer names a font is made anew.
    if (slot && GetObjectType(slot) != OBJ_FONT) slot = nullptr;
    if (!slot) {
        NONCLIENTMETRICSA ncm{};
        ncm.cbSize = sizeof(ncm);
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
        LOGFONTA lf = ncm.lfMenuFont;
        if (bold) lf.lfWeight = FW_BOLD;
        slot = CreateFontIndirectA(&lf);
    }
    return slot;
}

void MenuSystem::Reset() {
    menus.Clear();
    windowMenus.clear();
    tracker = nullptr;
    if (font_) DeleteObject(font_);
    if (boldFont_) DeleteObject(boldFont_);
    font_ = boldFont_ = nullptr;
}

MenuItem* ItemRef::Item() const {
    Menu* m = FindMenu(menu);
    if (!m || index < 0 || index >= static_cast<int>(m->items.size())) return nullptr;
    return &m->items[static_cast<std::size_t>(index)];
}

namespace {

ItemRef FindByCommand(HMENU menu, UINT id, std::set<HMENU>& visited) {
    Menu* m = FindMenu(menu);
    if (!m || !visited.insert(menu).second) return {};
    for (std::size_t i = 0; i < m->items.size(); ++i) {
        const MenuItem& item = m->items[i];
        if (item.id == id) return ItemRef{menu, static_cast<int>(i)};
        if (item.submenu) {
            HMENU sub = item.submenu;
            ItemRef found = FindByCommand(sub, id, visited);
            if (found) return found;
            m = FindMenu(menu);
            if (!m) return {};
        }
    }
    return {};
}

}  // namespace

ItemRef FindItem(HMENU menu, UINT idOrPosition, UINT flags) {
    Menu* m = FindMenu(menu);
    if (!m) return {};
    if (flags & MF_BYPOSITION) {
        if (idOrPosition >= m->items.size()) return {};
        return ItemRef{menu, static_cast<int>(idOrPosition)};
    }
    std::set<HMENU> visited;
    return FindByCommand(menu, idOrPosition, visited);
}

bool WouldCycle(HMENU menu, HMENU submenu) {
    std::set<HMENU> visited;
    std::function<bool(HMENU)> reaches = [&](HMENU from) {
        if (from == menu) return true;
        Menu* m = FindMenu(from);
        if (!m || !visited.insert(from).second) return false;
        for (const MenuItem& item : m->items) {
            if (item.submenu && reaches(item.submenu)) return true;
        }
        return false;
    };
    return reaches(submenu);
}

void InvalidateLayout(Menu& menu) {
    menu.layoutValid = false;
    menu.layoutWidth = -1;
}

void InvalidateItem(Menu& menu, MenuItem& item) {
    item.measured = false;
    InvalidateLayout(menu);
}

char32_t FoldCase(char32_t ch) {
    if (ch >= 'A' && ch <= 'Z') return ch - 'A' + 'a';
    if (ch >= 0xFF21 && ch <= 0xFF3A) return ch - 0xFF21 + 0xFF41;  // full-width Latin capitals
    if (ch >= 0xC0 && ch <= 0xDE && ch != 0xD7) return ch + 0x20;
    return ch;
}

namespace {

// One code point of UTF-8 at `i`, advancing `i`; malformed bytes stand for
// themselves.
char32_t NextCodePoint(const std::string& s, std::size_t& i) {
    unsigned char c = static_cast<unsigned char>(s[i++]);
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    char32_t cp = extra == 3 ? c & 0x07 : extra == 2 ? c & 0x0F : extra == 1 ? c & 0x1F : c;
    for (int k = 0; k < extra && i < s.size(); ++k) {
        unsigned char d = static_cast<unsigned char>(s[i]);
        if ((d & 0xC0) != 0x80) return c;
        cp = (cp << 6) | (d & 0x3F);
        ++i;
    }
    return cp;
}

}  // namespace

char32_t AccessKeyOf(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        char c = text[i];
        if (c == '\t') break;
        if (c != '&') {
            NextCodePoint(text, i);
            continue;
        }
        ++i;
        if (i >= text.size()) return 0;
        if (text[i] == '&') {  // "&&" is a literal ampersand
            ++i;
            continue;
        }
        if (text[i] == '\t') return 0;
        return FoldCase(NextCodePoint(text, i));
    }
    return 0;
}

UINT ItemFlags(const MenuItem& item) {
    UINT flags = item.type & (MFT_BITMAP | MFT_OWNERDRAW | MFT_SEPARATOR | MFT_MENUBARBREAK | MFT_MENUBREAK);
    flags |= item.state & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE);
    if (FindMenu(item.submenu)) flags |= MF_POPUP;
    return flags;
}

namespace metrics {
int BarRowHeight() { return GetSystemMetrics(SM_CYMENU) - 1; }
int PopupBorder() { return 3; }
int TextItemHeight() { return GetSystemMetrics(SM_CYMENU) - 1; }
int SeparatorHeight() { return (GetSystemMetrics(SM_CYMENU) - 1) / 2; }
int CheckColumn() { return GetSystemMetrics(SM_CXMENUCHECK) + 5; }
int ArrowColumn() { return GetSystemMetrics(SM_CXMENUCHECK) + 4; }
int ShortcutGap() { return 16; }
int BarItemPadding() { return 6; }
}  // namespace metrics

namespace {

HMENU NewMenu(bool popup) {
    auto object = std::make_unique<Menu>();
    object->popup = popup;
    return ToHmenu(Menus().menus.Add(std::move(object)));
}

void Destroy(HMENU menu, int depth) {
    std::unique_ptr<Menu> gone = Menus().menus.Remove(menu);
    if (!gone) return;
    // A menu that is open at this moment makes the loop end; its window
    // is closed by the loop.
    if (MenuTracker* t = Menus().tracker) t->OnMenuDestroyed(menu);
    if (depth > 64) return;
    for (const MenuItem& item : gone->items) {
        if (item.submenu) Destroy(item.submenu, depth + 1);
    }
}

}  // namespace

void ResetMenus() { Menus().Reset(); }

}  // namespace win32::user::menu

namespace win32 {

using namespace user::menu;

HMENU CreateMenu() { return NewMenu(false); }

HMENU CreatePopupMenu() { return NewMenu(true); }

BOOL DestroyMenu(HMENU menu) {
    if (!FindMenu(menu)) return FALSE;
    Destroy(menu, 0);
    return TRUE;
}

BOOL IsMenu(HMENU menu) { return FindMenu(menu) ? TRUE : FALSE; }

LONG GetMenuCheckMarkDimensions() {
    return MAKELONG(static_cast<WORD>(GetSystemMetrics(SM_CXMENUCHECK)),
                    static_cast<WORD>(GetSystemMetrics(SM_CYMENUCHECK)));
}

}  // namespace win32
