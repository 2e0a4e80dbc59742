// Test support for the menus: a window with the memo pad's menu tree on
// its menu bar, verbs that queue input while a menu loop runs (the loop
// takes the messages, so steps given to WhenIdle only queue input and look
// at the screen), and a log of the menu messages in order.
#pragma once

#include <string>
#include <vector>

#include "tests/platform/user/menu_tree.h"
#include "tests/support/window_fixture.h"

namespace test {

class MenuTest : public WindowTest {
protected:
    void SetUp() override;

    // A top-level window of 563 × 441 at (100, 80) with the memo pad's menu.
    HWND CreateMenuWindow();

    // Screen rectangles and centres of menu items (the menu must be shown).
    RECT ItemRect(HMENU menu, int index, HWND hwnd = nullptr);
    POINT ItemCenter(HMENU menu, int index, HWND hwnd = nullptr);

    // Input queued for the running loop (nothing is processed here).
    void QueueClick(POINT p);
    void QueueMove(POINT p);
    void QueueKey(UINT vk);
    void QueueAltKey(UINT vk);

    // Visible pop-up menu windows, topmost first.
    std::vector<HWND> OpenPopups();
    // The menu shown by a pop-up menu window.
    HMENU MenuOfPopup(HWND popup);

    // The menu messages of `hwnd` in order, as names with their arguments
    // where they matter ("WM_MENUSELECT 0 8090").
    std::vector<std::string> MenuTrace(HWND hwnd);

    MemoMenu memo;
    HWND window = nullptr;
};

}  // namespace test
