// What the menus look like: the classic pop-up frame, the highlight
// colours, embossed disabled items, check marks, the shortcut column, bold
// default items; and pictures of open menus under test-output/.
#include <filesystem>
#include <string>

#include "tests/platform/user/menu_fixture.h"

namespace test {
namespace {

class MenuLook : public MenuTest {
protected:
    // Counts the pixels of a screen rectangle that have a colour.
    int Count(const RECT& r, COLORREF c) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) n += ColorFromPixel(Screen().ScreenPixel(x, y)) == c;
        }
        return n;
    }
    // The leftmost and rightmost columns of `r` holding a pixel other than `bg`.
    std::pair<int, int> InkColumns(const RECT& r, COLORREF bg) {
        int first = -1, last = -1;
        for (int x = r.left; x < r.right; ++x) {
            for (int y = r.top; y < r.bottom; ++y) {
                if (ColorFromPixel(Screen().ScreenPixel(x, y)) != bg) {
                    if (first < 0) first = x;
                    last = x;
                    break;
                }
            }
        }
        return {first, last};
    }
    std::string Shot(const std::string& name) {
        std::string dir = std::string(MEMOPAD_BINARY_DIR) + "/test-output";
        std::filesystem::create_directories(dir);
        std::string path = dir + "/" + name + ".png";
        return Screen().SaveScreenPng(path) ? path : std::string();
    }
};

TEST_F(MenuLook, ASubmenuOpenLooksLikeAClassicDesktopMenu) {
    CreateMenuWindow();
    std::string path;
    WhenIdle([&] { QueueClick(ItemCenter(memo.popups[5], 3)); });
    WhenIdle([&] {
        path = Shot("menu_submenu");
        std::vector<HWND> popups = OpenPopups();
        ASSERT_EQ(popups.size(), 2u);
        RECT frame;
        GetWindowRect(popups[0], &frame);
        // The raised frame: light outer edge top-left, dark bottom-right,
        // then a ring in the menu colour.
        EXPECT_EQ(ColorFromPixel(Screen().ScreenPixel(frame.left, frame.top + 5)), GetSysColor(COLOR_3DLIGHT));
        EXPECT_EQ(ColorFromPixel(Screen().ScreenPixel(frame.left + 1, frame.top + 5)), GetSysColor(COLOR_3DHILIGHT));
        EXPECT_EQ(ColorFromPixel(Screen().ScreenPixel(frame.right - 1, frame.top + 5)), GetSysColor(COLOR_3DDKSHADOW));
        EXPECT_EQ(ColorFromPixel(Screen().ScreenPixel(frame.right - 2, frame.top + 5)), GetSysColor(COLOR_3DSHADOW));
        EXPECT_EQ(ColorFromPixel(Screen().ScreenPixel(frame.left + 2, frame.top + 5)), GetSysColor(COLOR_MENU));
        // The item whose submenu is open is highlighted, its text in the
        // highlight text colour.
        RECT item = ItemRect(memo.popups[5], 3);
        EXPECT_EQ(ColorFromPixel(Screen().ScreenPixel(item.left + 1, item.top + 1)), GetSysColor(COLOR_HIGHLIGHT));
        EXPECT_GT(Count(item, GetSysColor(COLOR_HIGHLIGHTTEXT)), 10);
        // The open bar item is sunken: a shadow line at its top.
        RECT bar = ItemRect(memo.bar, 5);
        EXPECT_EQ(ColorFromPixel(Screen().ScreenPixel(bar.left + 3, bar.top)), GetSysColor(COLOR_3DSHADOW));
        QueueKey(VK_ESCAPE);
        QueueKey(VK_ESCAPE);
        QueueKey(VK_ESCAPE);
    });
    POINT options = ItemCenter(memo.bar, 5);
    Click(options.x, options.y);
    EXPECT_FALSE(path.empty());
}

TEST_F(MenuLook, ShortcutsCheckMarksDisabledAndDefaultItems) {
    CreateMenuWindow();
    int boldInk = 0;
    EnableMenuItem(memo.bar, kUndo, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(memo.bar, kPaste, MF_BYCOMMAND | MF_GRAYED);
    SetMenuDefaultItem(memo.popups[1], kSelectAll, FALSE);
    WhenIdle([&] {
        Shot("menu_edit");
        COLORREF menu = GetSysColor(COLOR_MENU);
        // Disabled: a light copy under the grey text; highlighted, only the
        // grey text.
        RECT paste = ItemRect(memo.popups[1], 4), undo = ItemRect(memo.popups[1], 0);
        EXPECT_GT(Count(paste, GetSysColor(COLOR_3DHILIGHT)), 5);
        EXPECT_GT(Count(paste, GetSysColor(COLOR_GRAYTEXT)), 5);
        EXPECT_EQ(Count(undo, GetSysColor(COLOR_3DHILIGHT)), 0);
        EXPECT_GT(Count(undo, GetSysColor(COLOR_GRAYTEXT)), 5);
        // The shortcuts end at one column on the right, whatever their width.
        RECT cut = ItemRect(memo.popups[1], 2), copy = ItemRect(memo.popups[1], 3);
        RECT cutRight{cut.left + (cut.right - cut.left) / 2, cut.top, cut.right, cut.bottom};
        RECT copyRight{copy.left + (copy.right - copy.left) / 2, copy.top, copy.right, copy.bottom};
        int cutEnd = InkColumns(cutRight, menu).second, copyEnd = InkColumns(copyRight, menu).second;
        EXPECT_GT(cutEnd, 0);
        EXPECT_LE(std::abs(cutEnd - copyEnd), 1);
        EXPECT_LT(cutEnd, cut.right - 10);
        // The default item is bold: the same caption takes more ink bold.
        RECT all = ItemRect(memo.popups[1], 6);
        int bold = Count(all, GetSysColor(COLOR_MENUTEXT));
        EXPECT_GT(bold, 0);
        boldInk = bold;
        QueueKey(VK_RIGHT);
    });
    WhenIdle([&] {
        Shot("menu_view");
        // Checked items show a check mark left of their text.
        RECT toolbar = ItemRect(memo.popups[2], 1);
        RECT check{toolbar.left, toolbar.top, toolbar.left + GetSystemMetrics(SM_CXMENUCHECK) + 4, toolbar.bottom};
        EXPECT_GT(Count(check, GetSysColor(COLOR_MENUTEXT)), 8);
        QueueKey(VK_ESCAPE);
        QueueKey(VK_ESCAPE);
    });
    PressAltKey('E');
    // The same menu without a default item.
    SetMenuDefaultItem(memo.popups[1], 0xFFFFFFFFu, FALSE);
    int plainInk = 0;
    WhenIdle([&] {
        plainInk = Count(ItemRect(memo.popups[1], 6), GetSysColor(COLOR_MENUTEXT));
        QueueKey(VK_ESCAPE);
        QueueKey(VK_ESCAPE);
    });
    PressAltKey('E');
    EXPECT_GT(boldInk, plainInk + 10);
}

TEST_F(MenuLook, OwnerDrawnItemsPaintWhatTheOwnerDraws) {
    MakeOwnerDrawn(memo.bar);
    CreateMenuWindow();
    OnMessage(window, WM_MEASUREITEM, [](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        mis->itemWidth = 150;
        mis->itemHeight = mis->itemID == 0 ? 10 : 22;
        return TRUE;
    });
    // A picture column, the caption in the menu font the DC comes with, a
    // sunken square for checks.
    OnMessage(window, WM_DRAWITEM, [](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        bool selected = dis->itemState & ODS_SELECTED;
        RECT r = dis->rcItem;
        FillRect(dis->hDC, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
        if (dis->itemID == 0) {
            RECT line{r.left + 2, (r.top + r.bottom) / 2 - 1, r.right - 2, (r.top + r.bottom) / 2 + 1};
            DrawEdge(dis->hDC, &line, EDGE_ETCHED, BF_TOP);
            return TRUE;
        }
        RECT picture{r.left + 2, r.top + 3, r.left + 18, r.top + 19};
        FillRect(dis->hDC, &picture, GetSysColorBrush(COLOR_3DSHADOW));
        if (dis->itemState & ODS_CHECKED) DrawEdge(dis->hDC, &picture, BDR_SUNKENOUTER, BF_RECT);
        char text[64];
        int n = GetMenuStringA(reinterpret_cast<HMENU>(dis->hwndItem), dis->itemID, text, sizeof text, MF_BYCOMMAND);
        std::string caption = n > 0 ? std::string(text, static_cast<std::size_t>(n))
                                    : "項目 " + std::to_string(dis->itemID);
        RECT t{r.left + 24, r.top, r.right, r.bottom};
        SetTextColor(dis->hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
        DrawTextA(dis->hDC, caption.c_str(), -1, &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        return TRUE;
    });
    DrawMenuBar(window);
    RunUntilIdle();
    std::string path;
    WhenIdle([&] { QueueMove(ItemCenter(memo.popups[2], 1)); });
    WhenIdle([&] {
        path = Shot("menu_owner_drawn");
        RECT item = ItemRect(memo.popups[2], 1);
        EXPECT_EQ(ColorFromPixel(Screen().ScreenPixel(item.right - 3, item.top + 3)), GetSysColor(COLOR_HIGHLIGHT));
        QueueKey(VK_ESCAPE);
        QueueKey(VK_ESCAPE);
    });
    POINT view = ItemCenter(memo.bar, 2);
    Click(view.x, view.y);
    EXPECT_FALSE(path.empty());
}

}  // namespace
}  // namespace test
