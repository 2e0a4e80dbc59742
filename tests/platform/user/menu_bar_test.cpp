// The menu bar in the non-client area: the client area it takes, rows,
// painting of plain and owner-drawn items, and item geometry that agrees
// with what is on the screen.
#include "tests/platform/user/menu_fixture.h"

namespace test {
namespace {

class MenuBar : public MenuTest {};

COLORREF ColourOfItem(ULONG_PTR data) { return RGB(static_cast<BYTE>(data * 37), static_cast<BYTE>(200 - data), 90); }

TEST_F(MenuBar, SetMenuTakesARowOfTheFrameAndDrawMenuBarAddsRows) {
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 80, 663, 521});
    RECT before;
    GetClientRect(w, &before);
    SetMenu(w, memo.bar);
    RECT after;
    GetClientRect(w, &after);
    EXPECT_EQ(before.bottom - after.bottom, GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(GetMenu(w), memo.bar);
    RECT adjusted{0, 0, 100, 100};
    AdjustWindowRect(&adjusted, WS_OVERLAPPEDWINDOW, TRUE);
    RECT window;
    GetWindowRect(w, &window);
    EXPECT_EQ(adjusted.bottom - adjusted.top - 100, (window.bottom - window.top) - after.bottom);

    // A narrow window puts the items on two rows.
    MoveWindow(w, 100, 80, 300, 300, TRUE);
    RECT narrow;
    GetClientRect(w, &narrow);
    RECT first = ItemRect(memo.bar, 0, w), last = ItemRect(memo.bar, 6, w);
    EXPECT_EQ(last.top - first.top, GetSystemMetrics(SM_CYMENU) - 1);
    RECT wide;
    MoveWindow(w, 100, 80, 563, 441, TRUE);
    GetClientRect(w, &wide);
    EXPECT_EQ((wide.bottom - wide.top) - (narrow.bottom - narrow.top), 441 - 300 + (GetSystemMetrics(SM_CYMENU) - 1));

    // Items added later show once DrawMenuBar is called.
    for (int i = 0; i < 6; ++i) AppendMenuA(memo.bar, MF_STRING, 800 + i, "追加項目(&Z)");
    DrawMenuBar(w);
    RECT more;
    GetClientRect(w, &more);
    EXPECT_EQ(wide.bottom - more.bottom, GetSystemMetrics(SM_CYMENU) - 1);
    SetMenu(w, nullptr);
    GetClientRect(w, &more);
    EXPECT_EQ(more.bottom, before.bottom);
    EXPECT_EQ(GetMenu(w), nullptr);
}

TEST_F(MenuBar, PlainItemsArePaintedInTheMenuColoursWhereTheirRectanglesSay) {
    CreateMenuWindow();
    COLORREF menu = GetSysColor(COLOR_MENU);
    for (int i = 0; i < 7; ++i) {
        RECT r = ItemRect(memo.bar, i);
        EXPECT_EQ(MenuItemFromPoint(window, memo.bar, POINT{r.left, r.top}), i);
        EXPECT_EQ(MenuItemFromPoint(window, memo.bar, POINT{r.right - 1, r.bottom - 1}), i);
        // The caption is drawn inside the item's rectangle, and nothing
        // else: its edges keep the menu colour.
        int textPixels = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                if (ScreenColor(x, y) != menu) ++textPixels;
            }
            EXPECT_EQ(ScreenColor(r.left, y), menu);
            EXPECT_EQ(ScreenColor(r.right - 1, y), menu);
        }
        EXPECT_GT(textPixels, 20) << "item " << i;
    }
    RECT last = ItemRect(memo.bar, 6);
    EXPECT_EQ(MenuItemFromPoint(window, memo.bar, POINT{last.right + 5, last.top + 2}), -1);
    // The same answers for a window that does not show the menu fail.
    HWND other = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 200, 200});
    RECT r;
    EXPECT_FALSE(GetMenuItemRect(other, memo.bar, 0, &r));
    EXPECT_FALSE(GetMenuItemRect(window, memo.bar, 7, &r));
}

TEST_F(MenuBar, OwnerDrawnItemsAreMeasuredAndDrawnWithTheMenuStructures) {
    MakeOwnerDrawn(memo.bar);
    std::vector<MEASUREITEMSTRUCT> measured;
    std::vector<DRAWITEMSTRUCT> drawn;
    window = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 80, 663, 521});
    OnMessage(window, WM_MEASUREITEM, [&](HWND, UINT, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        EXPECT_EQ(wp, 0u);
        measured.push_back(*mis);
        mis->itemWidth = 40;
        mis->itemHeight = 20;
        return TRUE;
    });
    OnMessage(window, WM_DRAWITEM, [&](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        drawn.push_back(*dis);
        HBRUSH b = CreateSolidBrush(ColourOfItem(dis->itemData - 1000));
        FillRect(dis->hDC, &dis->rcItem, b);
        DeleteObject(b);
        return TRUE;
    });
    SetMenu(window, memo.bar);
    RunUntilIdle();
    ASSERT_EQ(measured.size(), 7u);  // once each, until the items change
    for (const MEASUREITEMSTRUCT& m : measured) {
        EXPECT_EQ(m.CtlType, static_cast<UINT>(ODT_MENU));
        EXPECT_EQ(m.CtlID, 0u);
        EXPECT_EQ(m.itemData, m.itemID + 1000);
    }
    ASSERT_GE(drawn.size(), 7u);
    const DRAWITEMSTRUCT& d = drawn.back();
    EXPECT_EQ(d.CtlType, static_cast<UINT>(ODT_MENU));
    EXPECT_EQ(d.hwndItem, reinterpret_cast<HWND>(memo.bar));
    EXPECT_EQ(d.itemAction, static_cast<UINT>(ODA_DRAWENTIRE));
    EXPECT_EQ(d.itemState, 0u);
    EXPECT_EQ(d.rcItem.bottom - d.rcItem.top, GetSystemMetrics(SM_CYMENU) - 1);
    for (int i = 0; i < 7; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_DATA;
        GetMenuItemInfoA(memo.bar, static_cast<UINT>(i), TRUE, &info);
        POINT c = ItemCenter(memo.bar, i);
        EXPECT_EQ(ScreenColor(c.x, c.y), ColourOfItem(info.dwItemData - 1000)) << "item " << i;
        EXPECT_EQ(MenuItemFromPoint(window, memo.bar, c), i);
    }
    // The rectangle handed to the owner is the one GetMenuItemRect gives,
    // in window coordinates.
    RECT wr;
    GetWindowRect(window, &wr);
    RECT last = ItemRect(memo.bar, 6);
    EXPECT_EQ(d.rcItem.left + wr.left, last.left);
    EXPECT_EQ(d.rcItem.top + wr.top, last.top);

    // A greyed, checked default item says so in its state.
    measured.clear();
    EnableMenuItem(memo.bar, 2, MF_BYPOSITION | MF_GRAYED);
    CheckMenuItem(memo.bar, 2, MF_BYPOSITION | MF_CHECKED);
    SetMenuDefaultItem(memo.bar, 2, TRUE);
    drawn.clear();
    DrawMenuBar(window);
    RunUntilIdle();
    EXPECT_EQ(measured.size(), 1u);  // the item that became the default
    bool found = false;
    for (const DRAWITEMSTRUCT& item : drawn) {
        if (item.rcItem.left == ItemRect(memo.bar, 2).left - wr.left) {
            found = true;
            EXPECT_EQ(item.itemState, static_cast<UINT>(ODS_GRAYED | ODS_CHECKED | ODS_DEFAULT));
        }
    }
    EXPECT_TRUE(found);
}

TEST_F(MenuBar, HiliteMenuItemShowsTheItemPressed) {
    CreateMenuWindow();
    RECT r = ItemRect(memo.bar, 1);
    COLORREF edgeBefore = ScreenColor(r.left, r.top);
    EXPECT_TRUE(HiliteMenuItem(window, memo.bar, 1, MF_BYPOSITION | MF_HILITE));
    EXPECT_EQ(GetMenuState(memo.bar, 1, MF_BYPOSITION) & MF_HILITE, static_cast<UINT>(MF_HILITE));
    EXPECT_NE(ScreenColor(r.left, r.top), edgeBefore);
    EXPECT_TRUE(HiliteMenuItem(window, memo.bar, 1, MF_BYPOSITION | MF_UNHILITE));
    EXPECT_EQ(ScreenColor(r.left, r.top), edgeBefore);
    EXPECT_FALSE(HiliteMenuItem(window, memo.popups[0], 1, MF_BYPOSITION | MF_HILITE));
    EXPECT_FALSE(HiliteMenuItem(window, memo.bar, 17, MF_BYPOSITION | MF_HILITE));
}

TEST_F(MenuBar, AWindowTakesItsMenuWithIt) {
    CreateMenuWindow();
    HMENU kept = CreateMenu();
    AppendMenuA(kept, MF_STRING, 1, "kept");
    DestroyWindow(window);
    EXPECT_FALSE(IsMenu(memo.bar));
    EXPECT_FALSE(IsMenu(memo.sizeMenu));
    EXPECT_TRUE(IsMenu(kept));
    // A destroyed menu on a live window leaves a window without a bar.
    HWND w = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 300, 200});
    SetMenu(w, kept);
    RECT with;
    GetClientRect(w, &with);
    DestroyMenu(kept);
    DrawMenuBar(w);
    RECT without;
    GetClientRect(w, &without);
    EXPECT_EQ(without.bottom - with.bottom, GetSystemMetrics(SM_CYMENU));
    EXPECT_FALSE(SetMenu(w, kept));
    HWND child = CreateRecordedWindow(WS_CHILD | WS_VISIBLE, RECT{0, 0, 50, 50}, w);
    HMENU menu = CreateMenu();
    EXPECT_FALSE(SetMenu(child, menu));
    EXPECT_EQ(GetMenu(child), nullptr);
    DestroyMenu(menu);
}

}  // namespace
}  // namespace test
