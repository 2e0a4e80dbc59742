// Painting menu items in the classic look, and owner-drawn items through
// WM_DRAWITEM.
#include "platform/user/menu_draw.h"

#include "platform/gdi/wingdi.h"
#include "platform/user/menu_layout.h"

namespace win32::user::menu {
namespace {

// Where the source is black the brush is painted; where it is white the
// destination stays (the glyphs of DrawFrameControl are such masks).
constexpr DWORD kRopBrushWhereBlack = 0x00B8074A;

std::string CaptionPart(const std::string& text) {
    std::size_t tab = text.find('\t');
    return tab == std::string::npos ? text : text.substr(0, tab);
}

std::string ShortcutPart(const std::string& text) {
    std::size_t tab = text.find('\t');
    return tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

// Saves the DC on construction and restores it on every way out.
class DcState {
public:
    explicit DcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~DcState() {
        if (saved_) RestoreDC(dc_, saved_);
    }
    DcState(const DcState&) = delete;
    DcState& operator=(const DcState&) = delete;

private:
    HDC dc_;
    int saved_;
};

void Fill(HDC dc, const RECT& r, int colorIndex) { FillRect(dc, &r, GetSysColorBrush(colorIndex)); }

void FillBackground(HDC dc, const RECT& r, const Menu& m) {
    FillRect(dc, &r, m.background ? m.background : GetSysColorBrush(COLOR_MENU));
}

// A menu glyph (check, bullet, arrow) in one colour, centred in `box`.
void DrawGlyph(HDC dc, const RECT& box, UINT glyph, COLORREF color) {
    int size = GetSystemMetrics(SM_CXMENUCHECK);
    int w = box.right - box.left, h = box.bottom - box.top;
    if (w <= 0 || h <= 0) return;
    if (size > w) size = w;
    if (size > h) size = h;
    HDC mem = CreateCompatibleDC(dc);
    if (!mem) return;
    HBITMAP bitmap = CreateCompatibleBitmap(dc, size, size);
    HGDIOBJ oldBitmap = SelectObject(mem, bitmap);
    RECT r{0, 0, size, size};
    DrawFrameControl(mem, &r, DFC_MENU, glyph);
    HBRUSH brush = CreateSolidBrush(color);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    BitBlt(dc, box.left + (w - size) / 2, box.top + (h - size) / 2, size, size, mem, 0, 0, kRopBrushWhereBlack);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
    SelectObject(mem, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(mem);
}

void DrawBitmapCentred(HDC dc, HBITMAP bitmap, const RECT& box) {
    BITMAP bm{};
    if (!bitmap || GetObjectA(bitmap, sizeof(bm), &bm) != sizeof(bm)) return;
    HDC mem = CreateCompatibleDC(dc);
    if (!mem) return;
    HGDIOBJ old = SelectObject(mem, bitmap);
    int x = box.left + (box.right - box.left - bm.bmWidth) / 2;
    int y = box.top + (box.bottom - box.top - bm.bmHeight) / 2;
    BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
}

// How a piece of an item's text is coloured.
struct TextLook {
    COLORREF color;
    bool embossed;  // disabled and not highlighted: a light copy below and right
};

TextLook LookOf(const MenuItem& item, bool selected) {
    if (item.IsDisabled()) {
        return selected ? TextLook{GetSysColor(COLOR_GRAYTEXT), false} : TextLook{GetSysColor(COLOR_GRAYTEXT), true};
    }
    return TextLook{GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT), false};
}

void DrawLookText(HDC dc, const std::string& text, RECT r, UINT format, const TextLook& look) {
    if (text.empty()) return;
    SetBkMode(dc, TRANSPARENT);
    if (look.embossed) {
        RECT shifted = r;
        OffsetRect(&shifted, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &shifted, format);
    }
    SetTextColor(dc, look.color);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
}

void DrawLookGlyph(HDC dc, const RECT& box, UINT glyph, const TextLook& look) {
    if (look.embossed) {
        RECT shifted = box;
        OffsetRect(&shifted, 1, 1);
        DrawGlyph(dc, shifted, glyph, GetSysColor(COLOR_3DHILIGHT));
    }
    DrawGlyph(dc, box, glyph, look.color);
}

UINT OwnerDrawState(const MenuItem& item, bool selected) {
    UINT state = 0;
    if (selected) state |= ODS_SELECTED;
    if (item.state & MF_GRAYED) state |= ODS_GRAYED;
    if (item.state & MF_DISABLED) state |= ODS_DISABLED;
    if (item.state & MF_CHECKED) state |= ODS_CHECKED;
    if (item.state & MFS_DEFAULT) state |= ODS_DEFAULT;
    return state;
}

// WM_DRAWITEM for an owner-drawn item: the DC comes with the menu font and
// the colours of the item's state, and whatever the owner selects into it
// is undone afterwards.
void SendDrawItem(HWND owner, HMENU menu, const MenuItem& item, HDC dc, const RECT& rect, bool selected,
                  UINT action) {
    if (!owner || !IsWindow(owner)) return;
    DcState state(dc);
    SelectObject(dc, Menus().Font((item.state & MFS_DEFAULT) != 0));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = item.id;
    dis.itemAction = action;
    dis.itemState = OwnerDrawState(item, selected);
    dis.hwndItem = reinterpret_cast<HWND>(menu);
    dis.hDC = dc;
    dis.rcItem = rect;
    dis.itemData = item.data;
    SendMessageA(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
}

void DrawSeparatorLine(HDC dc, const RECT& r) {
    int y = r.top + (r.bottom - r.top) / 2 - 1;
    RECT line{r.left + 1, y, r.right - 1, y + 2};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
}

void DrawPlainPopupItem(HDC dc, const Menu& m, const MenuItem& item, bool selected) {
    const RECT& r = item.rect;
    if (item.IsSeparator()) {
        FillBackground(dc, r, m);
        DrawSeparatorLine(dc, r);
        return;
    }
    if (selected) Fill(dc, r, COLOR_HIGHLIGHT);
    else FillBackground(dc, r, m);
    TextLook look = LookOf(item, selected);
    RECT check{r.left, r.top, r.left + metrics::CheckColumn(), r.bottom};
    HBITMAP custom = (item.state & MF_CHECKED) ? item.checkedBitmap : item.uncheckedBitmap;
    if (custom) DrawBitmapCentred(dc, custom, check);
    else if (item.state & MF_CHECKED) DrawLookGlyph(dc, check, (item.type & MFT_RADIOCHECK) ? DFCS_MENUBULLET : DFCS_MENUCHECK, look);
    RECT text{r.left + metrics::CheckColumn(), r.top, r.right - metrics::ArrowColumn(), r.bottom};
    if (item.type & MFT_BITMAP) {
        RECT box{text.left, r.top, text.left + item.textWidth, r.bottom};
        DrawBitmapCentred(dc, item.bitmap, box);
    } else {
        DcState state(dc);
        SelectObject(dc, Menus().Font((item.state & MFS_DEFAULT) != 0));
        DrawLookText(dc, CaptionPart(item.text), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE, look);
        DrawLookText(dc, ShortcutPart(item.text), text, DT_RIGHT | DT_VCENTER | DT_SINGLELINE, look);
    }
    if (FindMenu(item.submenu)) {
        RECT arrow{r.right - metrics::ArrowColumn(), r.top, r.right, r.bottom};
        DrawLookGlyph(dc, arrow, DFCS_MENUARROW, look);
    }
}

// The vertical bar an MFT_MENUBARBREAK column starts with.
void DrawColumnBars(HDC dc, const Menu& m) {
    for (std::size_t i = 1; i < m.items.size(); ++i) {
        const MenuItem& item = m.items[i];
        if (!(item.type & MFT_MENUBARBREAK) || item.rect.top != 0) continue;
        int x = item.rect.left - 3;
        RECT line{x, 0, x + 2, m.size.cy};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
    }
}

void DrawOnePopupItem(HMENU menu, int index, HDC dc, HWND owner, UINT action) {
    Menu* m = FindMenu(menu);
    if (!m || index < 0 || index >= static_cast<int>(m->items.size())) return;
    MenuItem item = m->items[static_cast<std::size_t>(index)];
    bool selected = m->selected == index || (item.state & MFS_HILITE);
    if (item.IsSeparator()) selected = false;
    if (item.IsOwnerDraw()) {
        // The owner paints over a clean background, as the menu would.
        if (action == ODA_DRAWENTIRE) FillBackground(dc, item.rect, *m);
        SendDrawItem(owner, menu, item, dc, item.rect, selected, action);
    } else {
        DrawPlainPopupItem(dc, *m, item, selected);
    }
}

// Plain bar items: raised while highlighted with the menu closed, sunken
// while their submenu is open.
void DrawPlainBarItem(HDC dc, const MenuItem& item, RECT r, bool selected, bool open) {
    Fill(dc, r, COLOR_MENU);
    if (item.IsSeparator()) return;
    if (selected) {
        RECT edge = r;
        DrawEdge(dc, &edge, open ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        if (open) OffsetRect(&r, 1, 1);
    }
    if (item.type & MFT_BITMAP) {
        DrawBitmapCentred(dc, item.bitmap, r);
        return;
    }
    DcState state(dc);
    SelectObject(dc, Menus().Font((item.state & MFS_DEFAULT) != 0));
    DrawLookText(dc, CaptionPart(item.text), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE, LookOf(item, false));
}

void DrawOneBarItem(HWND hwnd, HMENU menu, int index, HDC dc, const RECT& bar, UINT action) {
    Menu* m = FindMenu(menu);
    if (!m || index < 0 || index >= static_cast<int>(m->items.size())) return;
    MenuItem item = m->items[static_cast<std::size_t>(index)];
    bool hilite = (item.state & MFS_HILITE) != 0;
    bool selected = m->selected == index || hilite;
    bool open = (m->selected == index && m->selectedOpen) || hilite;
    RECT r = item.rect;
    OffsetRect(&r, bar.left, bar.top);
    RECT clipped;
    if (!IntersectRect(&clipped, &r, &bar)) return;
    DcState state(dc);
    IntersectClipRect(dc, bar.left, bar.top, bar.right, bar.bottom);
    if (item.IsOwnerDraw()) {
        Fill(dc, r, COLOR_MENU);
        SendDrawItem(hwnd, menu, item, dc, r, selected, action);
    } else {
        DrawPlainBarItem(dc, item, r, selected, open);
    }
}

}  // namespace

void DrawPopupMenu(HMENU menu, HDC dc, HWND owner, const RECT& clip) {
    Menu* m = FindMenu(menu);
    if (!m || !dc) return;
    FillBackground(dc, clip, *m);
    DrawColumnBars(dc, *m);
    std::size_t count = m->items.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (!(m = FindMenu(menu)) || i >= m->items.size()) return;
        RECT overlap;
        if (!IntersectRect(&overlap, &m->items[i].rect, &clip)) continue;
        DrawOnePopupItem(menu, static_cast<int>(i), dc, owner, ODA_DRAWENTIRE);
    }
}

void DrawPopupItem(HMENU menu, int index, HDC dc, HWND owner, UINT action) {
    if (!dc) return;
    DrawOnePopupItem(menu, index, dc, owner, action);
}

void DrawMenuBarItems(HWND hwnd, HDC dc, const RECT& bar) {
    Window* w = Wm().Find(hwnd);
    if (!w || !dc) return;
    HMENU menu = reinterpret_cast<HMENU>(w->id);
    Fill(dc, bar, COLOR_MENU);
    Menu* m = FindMenu(menu);
    if (!m) return;
    if (!m->layoutValid || m->layoutWidth != bar.right - bar.left) LayoutBar(menu, hwnd, bar.right - bar.left);
    for (std::size_t i = 0;; ++i) {
        if (!(m = FindMenu(menu)) || i >= m->items.size()) return;
        DrawOneBarItem(hwnd, menu, static_cast<int>(i), dc, bar, ODA_DRAWENTIRE);
    }
}

void RedrawBarItem(HWND hwnd, int index, UINT action) {
    BarPlace place = BarOf(hwnd);
    Window* w = Wm().Find(hwnd);
    if (!place.menu || !w || !IsReallyVisible(w)) return;
    HDC dc = GetWindowDC(hwnd);
    if (!dc) return;
    DrawOneBarItem(hwnd, place.menu, index, dc, place.rect, action);
    ReleaseDC(hwnd, dc);
}

}  // namespace win32::user::menu
