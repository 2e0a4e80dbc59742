// The menu loop end to end on the headless screen: opening the bar with the
// mouse and the keyboard, walking it, choosing items, and the messages the
// owner window receives on the way, in order.
#include <algorithm>
#include <functional>

#include "tests/platform/user/menu_fixture.h"

namespace test {
namespace {

using Trace = std::vector<std::string>;

class MenuLoop : public MenuTest {};

TEST_F(MenuLoop, ClickOnTheBarOpensTheMenuAndAClickOnAnItemChoosesIt) {
    CreateMenuWindow();
    POINT file = ItemCenter(memo.bar, 0);
    bool sawPopup = false;
    WhenIdle([&] {
        std::vector<HWND> popups = OpenPopups();
        ASSERT_EQ(popups.size(), 1u);
        EXPECT_EQ(MenuOfPopup(popups[0]), memo.popups[0]);
        // The pop-up hangs under the bar item.
        RECT popup, item = ItemRect(memo.bar, 0);
        GetWindowRect(popups[0], &popup);
        EXPECT_EQ(popup.left, item.left);
        EXPECT_EQ(popup.top, item.bottom);
        EXPECT_EQ(GetActiveWindow(), window);
        sawPopup = true;
        QueueClick(ItemCenter(memo.popups[0], 1));  // 開く(&O)
    });
    Click(file.x, file.y);
    EXPECT_TRUE(sawPopup);
    EXPECT_TRUE(OpenPopups().empty());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(MenuTrace(window),
              (Trace{"SYSCOMMAND F095", "ENTERMENULOOP 0", "INITMENU bar", "MENUSELECT 0 8090 bar",
                     "INITMENUPOPUP popup0 0 0", "MENUSELECT 102 8080 popup0", "UNINITMENUPOPUP popup0",
                     "MENUSELECT 0 FFFF 0", "EXITMENULOOP 0", "COMMAND 102"}));
}

TEST_F(MenuLoop, AltSelectsTheBarAndArrowsWalkToTheChosenItem) {
    CreateMenuWindow();
    WhenIdle([&] { QueueKey(VK_RIGHT); });
    WhenIdle([&] {
        EXPECT_TRUE(OpenPopups().empty());  // the bar is walked without opening menus
        QueueKey(VK_DOWN);
    });
    WhenIdle([&] {
        EXPECT_EQ(OpenPopups().size(), 1u);
        QueueKey(VK_DOWN);  // past the separator
    });
    WhenIdle([&] { QueueKey(VK_RETURN); });
    PressKey(VK_MENU);
    EXPECT_EQ(MenuTrace(window),
              (Trace{"SYSCOMMAND F100", "ENTERMENULOOP 0", "INITMENU bar", "MENUSELECT 0 90 bar",
                     "MENUSELECT 1 90 bar", "INITMENUPOPUP popup1 1 0", "MENUSELECT 201 80 popup1",
                     "MENUSELECT 202 80 popup1", "UNINITMENUPOPUP popup1", "MENUSELECT 0 FFFF 0", "EXITMENULOOP 0",
                     "COMMAND 202"}));
}

TEST_F(MenuLoop, KeysMoveBetweenMenusAndEscapeStepsBack) {
    CreateMenuWindow();
    std::vector<HMENU> shown;
    auto look = [&] {
        std::vector<HWND> popups = OpenPopups();
        shown.push_back(popups.empty() ? nullptr : MenuOfPopup(popups[0]));
    };
    WhenIdle([&] { QueueKey(VK_LEFT); });  // from ファイル to the window menu
    WhenIdle([&] {
        look();
        QueueKey(VK_LEFT);  // round to ヘルプ
    });
    WhenIdle([&] {
        look();
        QueueKey(VK_LEFT);  // オプション
    });
    WhenIdle([&] {
        look();
        QueueKey(VK_UP);  // from its first item round to the last, サイズ
    });
    WhenIdle([&] { QueueKey(VK_RIGHT); });  // opens its submenu
    WhenIdle([&] {
        EXPECT_EQ(OpenPopups().size(), 2u);
        QueueKey(VK_ESCAPE);
    });
    WhenIdle([&] {
        look();
        QueueKey(VK_ESCAPE);
    });
    WhenIdle([&] {
        look();  // back on the bar, nothing open
        QueueKey(VK_ESCAPE);
    });
    PressAltKey('F');
    EXPECT_EQ(shown, (std::vector<HMENU>{GetSystemMenu(window, FALSE), memo.popups[6], memo.popups[5], memo.popups[5],
                                         nullptr}));
    Trace t = MenuTrace(window);
    EXPECT_EQ(t.back(), "EXITMENULOOP 0");
    EXPECT_EQ(Log().Count(window, WM_COMMAND), 0);
}

TEST_F(MenuLoop, AltLetterOpensAMenuAndALetterChoosesItsItem) {
    CreateMenuWindow();
    WhenIdle([&] { QueueKey('O'); });
    PressAltKey('F');
    EXPECT_EQ(MenuTrace(window),
              (Trace{"SYSCOMMAND F100", "ENTERMENULOOP 0", "INITMENU bar", "MENUSELECT 0 90 bar",
                     "INITMENUPOPUP popup0 0 0", "MENUSELECT 101 80 popup0", "MENUSELECT 102 80 popup0",
                     "UNINITMENUPOPUP popup0", "MENUSELECT 0 FFFF 0", "EXITMENULOOP 0", "COMMAND 102"}));
    EXPECT_EQ(Log().Count(window, WM_MENUCHAR), 0);
}

TEST_F(MenuLoop, ALetterSharedByItemsHighlightsThemInTurn) {
    CreateMenuWindow();
    WhenIdle([&] { QueueKey('S'); });  // 上書き保存(&S)
    WhenIdle([&] { QueueKey('S'); });  // プリンターの設定(&S)
    WhenIdle([&] { QueueKey(VK_RETURN); });
    PressAltKey('F');
    EXPECT_EQ(Log().Last(window, WM_COMMAND)->wParam, static_cast<WPARAM>(kPrinterSetup));
}

TEST_F(MenuLoop, ALetterNoItemHasGoesToTheOwnerAndBeeps) {
    CreateMenuWindow();
    int beeps = Screen().Beeps();
    WhenIdle([&] { QueueKey('Q'); });
    WhenIdle([&] { QueueKey(VK_ESCAPE); });
    WhenIdle([&] { QueueKey(VK_ESCAPE); });
    PressAltKey('F');
    auto menuChar = Log().Last(window, WM_MENUCHAR);
    ASSERT_TRUE(menuChar);
    EXPECT_EQ(LOWORD(menuChar->wParam), 'q');
    EXPECT_EQ(HIWORD(menuChar->wParam), static_cast<WORD>(MF_POPUP));
    EXPECT_EQ(reinterpret_cast<HMENU>(menuChar->lParam), memo.popups[0]);
    EXPECT_EQ(Screen().Beeps(), beeps + 1);
    // Alt with a letter no bar item has leaves menu mode at once.
    Log().Clear();
    PressAltKey('Z');
    EXPECT_EQ(MenuTrace(window), (Trace{"SYSCOMMAND F100", "ENTERMENULOOP 0", "INITMENU bar", "MENUCHAR 122 0 bar",
                                        "MENUSELECT 0 FFFF 0", "EXITMENULOOP 0"}));
}

// An owner-drawn menu answers WM_MENUCHAR: the item at the position it
// names is chosen (MNC_EXECUTE) or highlighted (MNC_SELECT).
class OwnerDrawnLoop : public MenuLoop {
protected:
    void SetUp() override {
        MenuLoop::SetUp();
        MakeOwnerDrawn(memo.bar);
        CreateMenuWindow();
        OnMessage(window, WM_MEASUREITEM, [](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
            mis->itemWidth = 90;
            mis->itemHeight = 20;
            return TRUE;
        });
        OnMessage(window, WM_MENUCHAR, [this](HWND, UINT, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
            return answer(LOWORD(wp));
        });
        DrawMenuBar(window);
        RunUntilIdle();
        Log().Clear();
    }
    std::function<LRESULT(WORD)> answer = [](WORD) { return 0; };
};

TEST_F(OwnerDrawnLoop, EveryTypedCharacterAsksTheOwnerWhichItemItIs) {
    answer = [](WORD ch) -> LRESULT {
        if (ch == 'f') return MAKELRESULT(0, MNC_EXECUTE);
        if (ch == 'a') return MAKELRESULT(3, MNC_EXECUTE);  // 名前を付けて保存(&A) at position 3
        return MAKELRESULT(0, MNC_IGNORE);
    };
    WhenIdle([&] {
        ASSERT_EQ(OpenPopups().size(), 1u);
        QueueKey('A');
    });
    PressAltKey('F');
    EXPECT_EQ(MenuTrace(window),
              (Trace{"SYSCOMMAND F100", "ENTERMENULOOP 0", "INITMENU bar", "MENUCHAR 102 0 bar",
                     "MENUSELECT 0 190 bar", "INITMENUPOPUP popup0 0 0", "MENUSELECT 101 180 popup0",
                     "MENUCHAR 97 10 popup0", "MENUSELECT 104 180 popup0", "UNINITMENUPOPUP popup0",
                     "MENUSELECT 0 FFFF 0", "EXITMENULOOP 0", "COMMAND 104"}));
}

TEST_F(OwnerDrawnLoop, SelectCloseAndIgnoreAnswers) {
    answer = [](WORD ch) -> LRESULT {
        if (ch == 'e') return MAKELRESULT(1, MNC_EXECUTE);
        if (ch == 'd') return MAKELRESULT(6, MNC_SELECT);  // すべて選択(&D)
        if (ch == 'x') return MAKELRESULT(0, MNC_CLOSE);
        if (ch == 'w') return MAKELRESULT(40, MNC_EXECUTE);  // no such position
        return 0;
    };
    int beeps = Screen().Beeps();
    WhenIdle([&] { QueueKey('D'); });
    WhenIdle([&] {
        EXPECT_EQ(OpenPopups().size(), 1u);  // selected, not chosen
        QueueKey('W');
    });
    WhenIdle([&] { QueueKey('X'); });
    PressAltKey('E');
    EXPECT_EQ(Log().Count(window, WM_COMMAND), 0);
    EXPECT_EQ(Screen().Beeps(), beeps + 1);
    Trace t = MenuTrace(window);
    EXPECT_NE(std::find(t.begin(), t.end(), "MENUSELECT 205 180 popup1"), t.end());
    EXPECT_EQ(t.back(), "EXITMENULOOP 0");
}

TEST_F(OwnerDrawnLoop, PopupItemsAreMeasuredAndDrawnForTheOwner) {
    std::vector<MEASUREITEMSTRUCT> measured;
    std::vector<DRAWITEMSTRUCT> drawn;
    OnMessage(window, WM_MEASUREITEM, [&](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        measured.push_back(*mis);
        mis->itemWidth = 120;
        mis->itemHeight = mis->itemID == 0 ? 10 : 20;
        return TRUE;
    });
    OnMessage(window, WM_DRAWITEM, [&](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
        return TRUE;
    });
    EnableMenuItem(memo.bar, kPaste, MF_BYCOMMAND | MF_GRAYED);
    WhenIdle([&] {
        HWND popup = OpenPopups().at(0);
        RECT client;
        GetClientRect(popup, &client);
        EXPECT_EQ(client.right, 120);
        EXPECT_EQ(client.bottom, 5 * 20 + 2 * 10);
        drawn.clear();
        QueueMove(ItemCenter(memo.popups[1], 4));  // 貼り付け, greyed
    });
    WhenIdle([&] {
        ASSERT_FALSE(drawn.empty());
        const DRAWITEMSTRUCT& d = drawn.back();
        EXPECT_EQ(d.itemID, static_cast<UINT>(kPaste));
        EXPECT_EQ(d.itemAction, static_cast<UINT>(ODA_SELECT));
        EXPECT_EQ(d.itemState, static_cast<UINT>(ODS_SELECTED | ODS_GRAYED));
        EXPECT_EQ(d.hwndItem, reinterpret_cast<HWND>(memo.popups[1]));
        EXPECT_EQ(d.itemData, static_cast<ULONG_PTR>(kPaste + 1000));
        EXPECT_EQ(d.rcItem.top, 20 + 10 + 2 * 20);
        EXPECT_EQ(d.rcItem.right - d.rcItem.left, 120);
        // The rectangle is in the pop-up window's client coordinates: the
        // screen rectangle of the item is that moved by the client origin.
        RECT screen = ItemRect(memo.popups[1], 4);
        POINT origin{0, 0};
        ClientToScreen(OpenPopups().at(0), &origin);
        EXPECT_EQ(screen.left, d.rcItem.left + origin.x);
        EXPECT_EQ(screen.top, d.rcItem.top + origin.y);
        QueueClick(ItemCenter(memo.popups[1], 4));  // greyed: not chosen
    });
    WhenIdle([&] {
        EXPECT_EQ(OpenPopups().size(), 1u);
        QueueKey(VK_ESCAPE);
        QueueKey(VK_ESCAPE);
    });
    POINT edit = ItemCenter(memo.bar, 1);
    Click(edit.x, edit.y);
    int separators = 0;
    for (const MEASUREITEMSTRUCT& m : measured) {
        EXPECT_EQ(m.CtlType, static_cast<UINT>(ODT_MENU));
        EXPECT_EQ(m.itemData, m.itemID + 1000);
        if (m.itemID == 0) ++separators;
    }
    EXPECT_EQ(separators, 2);
    EXPECT_EQ(Log().Count(window, WM_COMMAND), 0);
}

TEST_F(MenuLoop, DisabledItemsAreHighlightedButNotChosen) {
    CreateMenuWindow();
    EnableMenuItem(memo.bar, kUndo, MF_BYCOMMAND | MF_GRAYED);
    WhenIdle([&] { QueueKey(VK_RETURN); });  // on 元に戻す, greyed
    WhenIdle([&] {
        EXPECT_EQ(OpenPopups().size(), 1u);
        QueueKey('U');  // its access key does not choose it either
    });
    WhenIdle([&] {
        EXPECT_EQ(OpenPopups().size(), 1u);
        QueueKey(VK_DOWN);
        QueueKey(VK_RETURN);
    });
    PressAltKey('E');
    EXPECT_EQ(Log().Count(window, WM_COMMAND), 1);
    EXPECT_EQ(Log().Last(window, WM_COMMAND)->wParam, static_cast<WPARAM>(kCut));
    Trace t = MenuTrace(window);
    EXPECT_NE(std::find(t.begin(), t.end(), "MENUSELECT 201 81 popup1"), t.end());
}

TEST_F(MenuLoop, TheMouseCarriesTheOpenMenuAlongTheBarAndPressingItAgainCloses) {
    CreateMenuWindow();
    std::vector<HMENU> shown;
    WhenIdle([&] { QueueMove(ItemCenter(memo.bar, 2)); });
    WhenIdle([&] {
        shown.push_back(MenuOfPopup(OpenPopups().at(0)));
        QueueMove(ItemCenter(memo.bar, 4));
    });
    WhenIdle([&] {
        shown.push_back(MenuOfPopup(OpenPopups().at(0)));
        QueueClick(ItemCenter(memo.bar, 4));  // the open item: closes
    });
    POINT file = ItemCenter(memo.bar, 0);
    Click(file.x, file.y);
    EXPECT_EQ(shown, (std::vector<HMENU>{memo.popups[2], memo.popups[4]}));
    EXPECT_TRUE(OpenPopups().empty());
    Trace t = MenuTrace(window);
    EXPECT_EQ(t.back(), "EXITMENULOOP 0");
    EXPECT_NE(std::find(t.begin(), t.end(), "MENUSELECT 4 8090 bar"), t.end());
}

TEST_F(MenuLoop, ASubmenuOpensWhenThePointerRestsOnItsItemOrAtOnceOnAPress) {
    CreateMenuWindow();
    WhenIdle([&] { QueueMove(ItemCenter(memo.popups[5], 3)); });
    WhenIdle([&] {
        EXPECT_EQ(OpenPopups().size(), 1u);
        Screen().Advance(500);  // longer than the pointer rests before a submenu opens
    });
    WhenIdle([&] {
        EXPECT_EQ(OpenPopups().size(), 2u);
        QueueMove(ItemCenter(memo.popups[5], 0));  // another item closes it
    });
    WhenIdle([&] {
        EXPECT_EQ(OpenPopups().size(), 1u);
        QueueClick(ItemCenter(memo.popups[5], 3));
    });
    WhenIdle([&] {
        EXPECT_EQ(OpenPopups().size(), 2u);
        QueueClick(ItemCenter(memo.sizeMenu, 2));
    });
    POINT options = ItemCenter(memo.bar, 5);
    Click(options.x, options.y);
    EXPECT_EQ(Log().Last(window, WM_COMMAND)->wParam, static_cast<WPARAM>(kLarge));
    Trace t = MenuTrace(window);
    EXPECT_NE(std::find(t.begin(), t.end(), "INITMENUPOPUP size 3 0"), t.end());
    EXPECT_NE(std::find(t.begin(), t.end(), "UNINITMENUPOPUP size"), t.end());
}

TEST_F(MenuLoop, APressOutsideClosesTheMenuAndReachesTheWindowUnderIt) {
    CreateMenuWindow();
    HWND other = CreateRecordedWindow(WS_POPUP | WS_VISIBLE, RECT{800, 600, 900, 700});
    SetActiveWindow(window);
    RunUntilIdle();
    Log().Clear();
    WhenIdle([&] { QueueClick(POINT{850, 650}); });
    POINT file = ItemCenter(memo.bar, 0);
    Click(file.x, file.y);
    EXPECT_TRUE(OpenPopups().empty());
    EXPECT_TRUE(Log().Saw(other, WM_LBUTTONDOWN));
    EXPECT_TRUE(Log().Saw(other, WM_LBUTTONUP));
    EXPECT_EQ(Log().Count(window, WM_COMMAND), 0);
}

TEST_F(MenuLoop, TheOwnerHearsWhenTheMenuIsIdleAndCanEndIt) {
    CreateMenuWindow();
    std::vector<Message> idle;
    OnMessage(window, WM_ENTERIDLE, [&](HWND h, UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
        idle.push_back(Message{h, m, wp, lp});
        EXPECT_EQ(reinterpret_cast<HWND>(lp), OpenPopups().at(0));
        EndMenu();
        return 0;
    });
    POINT file = ItemCenter(memo.bar, 0);
    Click(file.x, file.y);
    ASSERT_EQ(idle.size(), 1u);
    EXPECT_EQ(idle[0].wParam, MSGF_MENU);
    EXPECT_TRUE(OpenPopups().empty());
    EXPECT_EQ(MenuTrace(window).back(), "EXITMENULOOP 0");
}

TEST_F(MenuLoop, CancelModeOrAnotherWindowTakingTheMouseEndsTheLoop) {
    CreateMenuWindow();
    WhenIdle([&] { SendMessageA(window, WM_CANCELMODE, 0, 0); });
    POINT file = ItemCenter(memo.bar, 0);
    Click(file.x, file.y);
    EXPECT_TRUE(OpenPopups().empty());
    EXPECT_EQ(MenuTrace(window).back(), "EXITMENULOOP 0");
    HWND other = CreateRecordedWindow(WS_CHILD | WS_VISIBLE, RECT{10, 10, 60, 60}, window);
    WhenIdle([&] { SetCapture(other); });
    Screen().Advance(1000);  // a click of its own, not the second of a double click
    Click(file.x, file.y);
    EXPECT_TRUE(OpenPopups().empty());
    EXPECT_EQ(GetCapture(), other);
}

TEST_F(MenuLoop, AMenuDestroyedWhileOpenEndsTheLoop) {
    CreateMenuWindow();
    WhenIdle([&] { DestroyMenu(memo.popups[5]); });
    POINT options = ItemCenter(memo.bar, 5);
    WhenIdle([&] {});
    Click(options.x, options.y);
    EXPECT_TRUE(OpenPopups().empty());
    EXPECT_FALSE(IsMenu(memo.sizeMenu));
    EXPECT_EQ(MenuTrace(window).back(), "EXITMENULOOP 0");
    // The rest of the bar still works.
    WhenIdle([&] { QueueKey(VK_RETURN); });
    PressAltKey('F');
    EXPECT_EQ(Log().Last(window, WM_COMMAND)->wParam, static_cast<WPARAM>(kNew));
    // The whole bar destroyed from inside the loop.
    WhenIdle([&] { DestroyMenu(memo.bar); });
    PressAltKey('E');
    EXPECT_TRUE(OpenPopups().empty());
    EXPECT_EQ(GetMenu(window), nullptr);
}

TEST_F(MenuLoop, AWindowDestroyedDuringItsMenuLoopEndsIt) {
    CreateMenuWindow();
    WhenIdle([&] { DestroyWindow(window); });
    POINT file = ItemCenter(memo.bar, 0);
    Click(file.x, file.y);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(OpenPopups().empty());
    EXPECT_EQ(GetCapture(), nullptr);

    // And destroyed from inside the messages the loop sends.
    for (UINT msg : {WM_INITMENUPOPUP, WM_MENUSELECT, WM_ENTERMENULOOP, WM_INITMENU, WM_UNINITMENUPOPUP}) {
        memo = BuildMemoMenu();
        CreateMenuWindow();
        OnMessage(window, msg, [](HWND h, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
            DestroyWindow(h);
            return 0;
        });
        WhenIdle([&] { QueueKey(VK_ESCAPE); });
        WhenIdle([&] { QueueKey(VK_ESCAPE); });
        PressAltKey('F');
        Screen().ClearIdleSteps();
        EXPECT_FALSE(IsWindow(window));
        EXPECT_TRUE(OpenPopups().empty());
    }
}

}  // namespace
}  // namespace test
