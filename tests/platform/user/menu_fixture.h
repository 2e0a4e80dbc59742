// Test support for the menus: a window with the memo pad's menu tree on
// its menu bar, verbs that queue input while a menu loop runs (the loop
// takes the messages, so steps given to WhenIdle only queue input and look
// at the screen), and a log of the menu messages in order.
#pragma once

#include <string>
#include <vector>

#include "tests/support/window_fixture.h"

namespace test {

// Identifiers of the commands of the memo pad's menu tree.
enum MemoCommand : UINT {
    kNew = 101, kOpen, kSave, kSaveAs, kPrinterSetup, kPreview, kPrint, kMail, kExit,
    kUndo = 201, kCut, kCopy, kPaste, kSelectAll,
    kToolbar = 301, kStatusBar, kWrap,
    kFind = 401, kReplace, kFindNext, kReplaceMarked, kReplaceAll,
    kFont = 501, kColor, kSettings,
    kDate = 601, kSignature, kSmall, kMedium, kLarge,
    kHelp = 701, kAbout,
};

// The memo pad's menu: top-level items ファイル(&F) ... ヘルプ(&H), each
// with its popup; サイズ is a submenu of オプション(&O).
struct MemoMenu {
    HMENU bar = nullptr;
    std::vector<HMENU> popups;  // one per top-level item, in order
    HMENU sizeMenu = nullptr;
};
MemoMenu BuildMemoMenu();

// Makes every item of a menu tree owner-drawn (item data = its identifier
// + 1000), as the menu decoration does.
void MakeOwnerDrawn(HMENU menu);

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
