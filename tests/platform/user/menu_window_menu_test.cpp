// The window menu: its Japanese items and identifiers, their state by the
// window's state, opening it with Alt+Space and from the caption icon,
// choosing its commands, and owner-drawn window-menu items.
#include <algorithm>

#include "tests/platform/user/menu_fixture.h"

namespace test {
namespace {

using Trace = std::vector<std::string>;

class WindowMenu : public MenuTest {
protected:
    std::vector<std::pair<UINT, std::string>> Items(HMENU menu) {
        std::vector<std::pair<UINT, std::string>> out;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char buf[64] = {};
            GetMenuStringA(menu, static_cast<UINT>(i), buf, sizeof buf, MF_BYPOSITION);
            out.emplace_back(GetMenuItemID(menu, i), buf);
        }
        return out;
    }
    bool Greyed(HMENU menu, WPARAM command) {
        return (GetMenuState(menu, static_cast<UINT>(command), MF_BYCOMMAND) & MF_GRAYED) != 0;
    }
    // Opens the window menu with Alt+Space and closes it again, so that its
    // items take the window's state.
    void OpenAndClose() {
        WhenIdle([&] { QueueKey(VK_ESCAPE); });
        WhenIdle([&] { QueueKey(VK_ESCAPE); });
        PressAltKey(VK_SPACE);
    }
};

TEST_F(WindowMenu, HasTheJapaneseItemsOfAClassicDesktop) {
    CreateMenuWindow();
    HMENU menu = GetSystemMenu(window, FALSE);
    ASSERT_TRUE(IsMenu(menu));
    EXPECT_EQ(GetSystemMenu(window, FALSE), menu);  // the same copy every time
    EXPECT_EQ(Items(menu), (std::vector<std::pair<UINT, std::string>>{
                               {SC_RESTORE, "元のサイズに戻す(&R)"},
                               {SC_MOVE, "移動(&M)"},
                               {SC_SIZE, "サイズ変更(&S)"},
                               {SC_MINIMIZE, "最小化(&N)"},
                               {SC_MAXIMIZE, "最大化(&X)"},
                               {0, ""},
                               {SC_CLOSE, "閉じる(&C)\tAlt+F4"},
                           }));
    EXPECT_EQ(GetMenuState(menu, 5, MF_BYPOSITION), static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), static_cast<UINT>(SC_CLOSE));
    // A dialog frame without boxes keeps moving and closing.
    HWND dialog = CreateRecordedWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME | WS_VISIBLE,
                                       RECT{50, 50, 250, 150});
    EXPECT_EQ(Items(GetSystemMenu(dialog, FALSE)),
              (std::vector<std::pair<UINT, std::string>>{{SC_MOVE, "移動(&M)"}, {0, ""}, {SC_CLOSE, "閉じる(&C)\tAlt+F4"}}));
    // Reverting gives the standard menu back, made afresh.
    DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
    EXPECT_EQ(GetSystemMenu(window, TRUE), nullptr);
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_EQ(GetMenuItemCount(GetSystemMenu(window, FALSE)), 7);
    HWND child = CreateRecordedWindow(WS_CHILD | WS_VISIBLE, RECT{0, 0, 20, 20}, window);
    EXPECT_EQ(GetSystemMenu(child, FALSE), nullptr);
}

TEST_F(WindowMenu, ItemsAreGreyedByTheWindowState) {
    CreateMenuWindow();
    HMENU menu = GetSystemMenu(window, FALSE);
    OpenAndClose();
    EXPECT_TRUE(Greyed(menu, SC_RESTORE));
    EXPECT_FALSE(Greyed(menu, SC_MOVE));
    EXPECT_FALSE(Greyed(menu, SC_SIZE));
    EXPECT_FALSE(Greyed(menu, SC_MINIMIZE));
    EXPECT_FALSE(Greyed(menu, SC_MAXIMIZE));
    EXPECT_FALSE(Greyed(menu, SC_CLOSE));
    ShowWindow(window, SW_MAXIMIZE);
    RunUntilIdle();
    OpenAndClose();
    EXPECT_FALSE(Greyed(menu, SC_RESTORE));
    EXPECT_TRUE(Greyed(menu, SC_MOVE));
    EXPECT_TRUE(Greyed(menu, SC_SIZE));
    EXPECT_FALSE(Greyed(menu, SC_MINIMIZE));
    EXPECT_TRUE(Greyed(menu, SC_MAXIMIZE));
    // The disabled bit is set too, as the painter of a decorated window
    // menu reads it.
    EXPECT_TRUE(GetMenuState(menu, SC_MOVE, MF_BYCOMMAND) & MF_DISABLED);
}

TEST_F(WindowMenu, AltSpaceOpensItAndItsCommandsComeAsSystemCommands) {
    CreateMenuWindow();
    HMENU menu = GetSystemMenu(window, FALSE);
    WhenIdle([&] {
        std::vector<HWND> popups = OpenPopups();
        ASSERT_EQ(popups.size(), 1u);
        EXPECT_EQ(MenuOfPopup(popups[0]), menu);
        // It hangs from the caption icon.
        RECT r, w;
        GetWindowRect(popups[0], &r);
        GetWindowRect(window, &w);
        EXPECT_LT(r.left - w.left, 10);
        EXPECT_EQ(r.top, w.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) - 1);
        QueueKey('X');  // 最大化(&X)
    });
    PressAltKey(VK_SPACE);
    Trace t = MenuTrace(window);
    Trace expected{"SYSCOMMAND F100", "ENTERMENULOOP 0", "INITMENU system", "MENUSELECT 0 2090 menu",
                   "INITMENUPOPUP system 0 1", "MENUSELECT 61728 2083 system", "MENUSELECT 61488 2080 system",
                   "UNINITMENUPOPUP system", "MENUSELECT 0 FFFF 0", "EXITMENULOOP 0", "SYSCOMMAND F030"};
    t.resize(std::min(t.size(), expected.size()));
    EXPECT_EQ(t, expected);
    EXPECT_TRUE(IsZoomed(window));
}

TEST_F(WindowMenu, TheCaptionIconOpensItAndADoubleClickThereCloses) {
    CreateMenuWindow();
    RECT w;
    GetWindowRect(window, &w);
    POINT icon{w.left + 10, w.top + GetSystemMetrics(SM_CYFRAME) + 8};
    WhenIdle([&] {
        ASSERT_EQ(OpenPopups().size(), 1u);
        EXPECT_EQ(MenuOfPopup(OpenPopups()[0]), GetSystemMenu(window, FALSE));
        QueueClick(ItemCenter(GetSystemMenu(window, FALSE), 3));  // 最小化(&N)
    });
    Click(icon.x, icon.y);
    EXPECT_TRUE(IsIconic(window));
    EXPECT_EQ(Log().Last(window, WM_SYSCOMMAND)->wParam, SC_MINIMIZE);
    ShowWindow(window, SW_RESTORE);
    RunUntilIdle();
    WhenIdle([&] { QueueClick(icon); });
    Click(icon.x, icon.y);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(WindowMenu, ItsItemsCanBeOwnerDrawnAndAnswerByMenuChar) {
    CreateMenuWindow();
    HMENU menu = GetSystemMenu(window, FALSE);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        UINT id = GetMenuItemID(menu, i);
        UINT state = GetMenuState(menu, id, MF_BYCOMMAND);
        ModifyMenuA(menu, id, MF_BYCOMMAND | MF_OWNERDRAW | (state & MF_SEPARATOR), id,
                    reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(0xABC)));
    }
    std::vector<UINT> measured, drawn;
    OnMessage(window, WM_MEASUREITEM, [&](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        EXPECT_EQ(mis->itemData, 0xABCu);
        measured.push_back(mis->itemID);
        mis->itemWidth = 150;
        mis->itemHeight = 20;
        return TRUE;
    });
    OnMessage(window, WM_DRAWITEM, [&](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        EXPECT_EQ(dis->hwndItem, reinterpret_cast<HWND>(menu));
        drawn.push_back(dis->itemID);
        return TRUE;
    });
    OnMessage(window, WM_MENUCHAR, [&](HWND, UINT, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
        EXPECT_EQ(reinterpret_cast<HMENU>(lp), menu);
        EXPECT_EQ(HIWORD(wp), static_cast<WORD>(MF_SYSMENU));
        return LOWORD(wp) == 'c' ? MAKELRESULT(6, MNC_EXECUTE) : 0;
    });
    WhenIdle([&] { QueueKey('C'); });
    PressAltKey(VK_SPACE);
    EXPECT_EQ(measured.size(), 7u);
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), static_cast<UINT>(SC_CLOSE)), drawn.end());
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(WindowMenu, LeftFromTheWindowMenuWalksOntoTheBar) {
    CreateMenuWindow();
    std::vector<HMENU> shown;
    WhenIdle([&] { QueueKey(VK_RIGHT); });
    WhenIdle([&] {
        shown.push_back(MenuOfPopup(OpenPopups().at(0)));
        QueueKey(VK_LEFT);
    });
    WhenIdle([&] {
        shown.push_back(MenuOfPopup(OpenPopups().at(0)));
        QueueKey(VK_LEFT);
    });
    WhenIdle([&] {
        shown.push_back(MenuOfPopup(OpenPopups().at(0)));
        QueueKey(VK_ESCAPE);
        QueueKey(VK_ESCAPE);
    });
    PressAltKey(VK_SPACE);
    EXPECT_EQ(shown, (std::vector<HMENU>{memo.popups[0], GetSystemMenu(window, FALSE), memo.popups[6]}));
}

}  // namespace
}  // namespace test
