// The open and save dialogs' owner-drawn items: each name in the file list
// and in the folder combo box with a small folder or page picture beside
// it, the folders of the combo box indented by their depth.
#include <algorithm>
#include <cstring>

#include "platform/comdlg/file_dialog.h"

namespace win32::comdlg {

namespace {

constexpr int kIconSize = 16;
constexpr int kIndent = 10;

struct Gdi {
    HDC dc;
    HBRUSH brush;
    HPEN pen;
    HGDIOBJ oldBrush, oldPen;
    Gdi(HDC d, COLORREF fill, COLORREF line)
        : dc(d), brush(CreateSolidBrush(fill)), pen(CreatePen(PS_SOLID, 1, line)),
          oldBrush(SelectObject(d, brush)), oldPen(SelectObject(d, pen)) {}
    ~Gdi() {
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(brush);
        DeleteObject(pen);
    }
};

void DrawFolder(HDC dc, int x, int y) {
    Gdi g(dc, RGB(255, 220, 110), RGB(128, 96, 0));
    POINT tab[] = {{x + 1, y + 4}, {x + 2, y + 2}, {x + 6, y + 2}, {x + 7, y + 4}};
    Polygon(dc, tab, 4);
    Rectangle(dc, x + 1, y + 4, x + 15, y + 14);
}

void DrawPage(HDC dc, int x, int y) {
    Gdi g(dc, RGB(255, 255, 255), RGB(96, 96, 96));
    POINT page[] = {{x + 3, y + 1}, {x + 10, y + 1}, {x + 13, y + 4}, {x + 13, y + 15}, {x + 3, y + 15}};
    Polygon(dc, page, 5);
    MoveToEx(dc, x + 10, y + 1, nullptr);
    LineTo(dc, x + 10, y + 4);
    LineTo(dc, x + 13, y + 4);
    for (int line = 0; line < 3; ++line) {
        MoveToEx(dc, x + 5, y + 7 + 2 * line, nullptr);
        LineTo(dc, x + 11, y + 7 + 2 * line);
    }
}

std::string ItemText(const DRAWITEMSTRUCT& di) {
    const bool combo = di.CtlType == ODT_COMBOBOX;
    LRESULT n = SendMessageA(di.hwndItem, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, di.itemID, 0);
    if (n <= 0) return {};
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    SendMessageA(di.hwndItem, combo ? CB_GETLBTEXT : LB_GETTEXT, di.itemID, reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::strlen(text.c_str()));
    return text;
}

}  // namespace

void MeasureFileItem(MEASUREITEMSTRUCT& mi) { mi.itemHeight = kIconSize + 1; }

void DrawFileItem(const FileDialogState& state, const DRAWITEMSTRUCT& di) {
    HDC dc = di.hDC;
    RECT r = di.rcItem;
    const bool selected = (di.itemState & ODS_SELECTED) != 0;
    if (di.itemID == static_cast<UINT>(-1)) {
        FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
        if (di.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
        return;
    }
    FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
    bool folder = true;
    int indent = 0;
    if (di.CtlID == static_cast<UINT>(lst1)) {
        std::size_t index = static_cast<std::size_t>(di.itemData);
        folder = index < state.entries.size() && state.entries[index].isFolder;
    } else if (!(di.itemState & ODS_COMBOBOXEDIT)) {
        indent = static_cast<int>(di.itemData) * kIndent;
    }
    const int iconX = r.left + 2 + indent;
    const int iconY = r.top + std::max(0, static_cast<int>(r.bottom - r.top - kIconSize) / 2);
    if (folder) DrawFolder(dc, iconX, iconY);
    else DrawPage(dc, iconX, iconY);

    std::string text = ItemText(di);
    SIZE extent{0, 0};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    RECT textRect{iconX + kIconSize + 3, r.top, std::min<LONG>(r.right, iconX + kIconSize + 7 + extent.cx), r.bottom};
    if (selected) FillRect(dc, &textRect, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT inner = textRect;
    inner.left += 2;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &inner, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (di.itemState & ODS_FOCUS) DrawFocusRect(dc, &textRect);
}

}  // namespace win32::comdlg
