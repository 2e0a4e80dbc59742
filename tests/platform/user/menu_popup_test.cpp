// TrackPopupMenu(Ex): where the menu opens, what it returns, the messages
// its flags allow, and submenus that open to the left or upwards when there
// is no room.
#include <algorithm>

#include "tests/platform/user/menu_fixture.h"

namespace test {
namespace {

using Trace = std::vector<std::string>;

class PopupMenu : public MenuTest {
protected:
    RECT PopupRect() {
        RECT r{0, 0, 0, 0};
        std::vector<HWND> popups = OpenPopups();
        if (!popups.empty()) GetWindowRect(popups.front(), &r);  // the topmost
        return r;
    }
};

TEST_F(PopupMenu, AClickOutsideEndsItWithNothingChosen) {
    CreateMenuWindow();
    WhenIdle([&] {
        RECT r = PopupRect();
        EXPECT_EQ(r.left, 300);
        EXPECT_EQ(r.top, 200);
        QueueClick(POINT{120, 300});  // the window's client area
    });
    UINT chosen = static_cast<UINT>(TrackPopupMenu(memo.popups[1], TPM_RETURNCMD, 300, 200, 0, window, nullptr));
    EXPECT_EQ(chosen, 0u);
    EXPECT_TRUE(OpenPopups().empty());
    EXPECT_EQ(MenuTrace(window),
              (Trace{"ENTERMENULOOP 1", "INITMENU popup1", "INITMENUPOPUP popup1 0 0", "UNINITMENUPOPUP popup1",
                     "MENUSELECT 0 FFFF 0", "EXITMENULOOP 1"}));
    RunUntilIdle();
    EXPECT_TRUE(Log().Saw(window, WM_LBUTTONDOWN));  // the press went on to the window
}

TEST_F(PopupMenu, ReturnsTheCommandOrPostsIt) {
    CreateMenuWindow();
    WhenIdle([&] { QueueClick(ItemCenter(memo.popups[1], 3)); });
    EXPECT_EQ(TrackPopupMenu(memo.popups[1], TPM_RETURNCMD, 300, 200, 0, window, nullptr), kCopy);
    RunUntilIdle();
    EXPECT_EQ(Log().Count(window, WM_COMMAND), 0);

    WhenIdle([&] { QueueClick(ItemCenter(memo.popups[1], 3)); });
    EXPECT_EQ(TrackPopupMenu(memo.popups[1], 0, 300, 200, 0, window, nullptr), TRUE);
    EXPECT_EQ(Log().Count(window, WM_COMMAND), 0);  // it comes through the queue
    RunUntilIdle();
    ASSERT_EQ(Log().Count(window, WM_COMMAND), 1);
    EXPECT_EQ(Log().Last(window, WM_COMMAND)->wParam, MAKEWPARAM(kCopy, 0));
    EXPECT_EQ(Log().Last(window, WM_COMMAND)->lParam, 0);

    // Without notifications: neither the item messages nor the command.
    Log().Clear();
    WhenIdle([&] { QueueClick(ItemCenter(memo.popups[1], 3)); });
    EXPECT_EQ(TrackPopupMenu(memo.popups[1], TPM_NONOTIFY | TPM_RETURNCMD, 300, 200, 0, window, nullptr), kCopy);
    RunUntilIdle();
    EXPECT_EQ(MenuTrace(window), (Trace{"ENTERMENULOOP 1", "EXITMENULOOP 1"}));
}

TEST_F(PopupMenu, TheRightButtonChoosesOnlyWhenAllowed) {
    CreateMenuWindow();
    WhenIdle([&] {
        POINT p = ItemCenter(memo.popups[1], 3);
        Screen().MouseMove(p);
        Screen().MouseButton(p, backend::MouseButton::Right, true);
        Screen().MouseButton(p, backend::MouseButton::Right, false);
    });
    WhenIdle([&] {
        EXPECT_EQ(OpenPopups().size(), 1u);
        QueueKey(VK_ESCAPE);
    });
    EXPECT_EQ(TrackPopupMenu(memo.popups[1], TPM_RETURNCMD, 300, 200, 0, window, nullptr), 0);
    WhenIdle([&] {
        POINT p = ItemCenter(memo.popups[1], 3);
        Screen().MouseMove(p);
        Screen().MouseButton(p, backend::MouseButton::Right, true);
        Screen().MouseButton(p, backend::MouseButton::Right, false);
    });
    EXPECT_EQ(TrackPopupMenu(memo.popups[1], TPM_RETURNCMD | TPM_RIGHTBUTTON, 300, 200, 0, window, nullptr), kCopy);
}

TEST_F(PopupMenu, AlignmentFlagsAndTheScreenEdgesPlaceIt) {
    CreateMenuWindow();
    struct Case {
        UINT flags;
        POINT at;
        bool right;   // the menu's right edge is at the point (else its left edge)
        bool bottom;  // the menu's bottom edge is at the point (else its top edge)
    };
    const Case cases[] = {
        {TPM_LEFTALIGN | TPM_TOPALIGN, {300, 200}, false, false},
        {TPM_RIGHTALIGN, {300, 200}, true, false},
        {TPM_BOTTOMALIGN, {300, 400}, false, true},
        {TPM_RIGHTALIGN | TPM_BOTTOMALIGN, {300, 400}, true, true},
        {TPM_LEFTALIGN, {1010, 200}, true, false},    // no room on the right
        {TPM_TOPALIGN, {300, 760}, false, true},      // no room below
        {TPM_RIGHTALIGN, {20, 200}, false, false},    // no room on the left
        {TPM_BOTTOMALIGN, {300, 10}, false, false},   // no room above
    };
    for (const Case& c : cases) {
        RECT r{0, 0, 0, 0};
        WhenIdle([&] {
            r = PopupRect();
            QueueKey(VK_ESCAPE);
        });
        TrackPopupMenu(memo.popups[1], c.flags, c.at.x, c.at.y, 0, window, nullptr);
        EXPECT_EQ(c.right ? r.right : r.left, c.at.x) << "flags " << c.flags << " at " << c.at.x << "," << c.at.y;
        EXPECT_EQ(c.bottom ? r.bottom : r.top, c.at.y) << "flags " << c.flags << " at " << c.at.x << "," << c.at.y;
    }
    // Centred both ways.
    RECT r{0, 0, 0, 0};
    WhenIdle([&] {
        r = PopupRect();
        QueueKey(VK_ESCAPE);
    });
    TrackPopupMenu(memo.popups[1], TPM_CENTERALIGN | TPM_VCENTERALIGN, 500, 300, 0, window, nullptr);
    EXPECT_LE(std::abs((r.left + r.right) / 2 - 500), 1);
    EXPECT_LE(std::abs((r.top + r.bottom) / 2 - 300), 1);
    // Kept off the excluded rectangle.
    TPMPARAMS params{sizeof(TPMPARAMS), RECT{280, 180, 400, 260}};
    WhenIdle([&] {
        r = PopupRect();
        QueueKey(VK_ESCAPE);
    });
    TrackPopupMenuEx(memo.popups[1], TPM_VERTICAL, 300, 200, window, &params);
    EXPECT_EQ(r.top, 260);
}

TEST_F(PopupMenu, SubmenusOpenToTheLeftAndUpwardsWhenThereIsNoRoom) {
    CreateMenuWindow();
    RECT parent{0, 0, 0, 0}, sub{0, 0, 0, 0}, item{0, 0, 0, 0};
    WhenIdle([&] {
        parent = PopupRect();
        item = ItemRect(memo.popups[5], 3);
        QueueClick(ItemCenter(memo.popups[5], 3));
    });
    WhenIdle([&] {
        sub = PopupRect();
        QueueKey(VK_ESCAPE);
        QueueKey(VK_ESCAPE);
    });
    TrackPopupMenu(memo.popups[5], TPM_LEFTALIGN, 1010, 750, 0, window, nullptr);
    EXPECT_EQ(parent.right, 1010);
    EXPECT_EQ(parent.bottom, 750);
    EXPECT_LT(sub.right, parent.left + 10);  // on the left of its parent
    EXPECT_GE(sub.right, parent.left);
    EXPECT_LE(sub.bottom, 768);
    EXPECT_GE(sub.bottom, item.bottom);  // grown upwards from its item
    EXPECT_LT(sub.top, item.top);

    // With room, to the right and down from the item.
    WhenIdle([&] {
        parent = PopupRect();
        item = ItemRect(memo.popups[5], 3);
        QueueClick(ItemCenter(memo.popups[5], 3));
    });
    WhenIdle([&] {
        sub = PopupRect();
        QueueKey(VK_ESCAPE);
        QueueKey(VK_ESCAPE);
    });
    TrackPopupMenu(memo.popups[5], 0, 100, 100, 0, window, nullptr);
    EXPECT_GT(sub.left, parent.right - 10);
    EXPECT_LE(sub.left, parent.right);
    EXPECT_LE(std::abs(sub.top - item.top), 3);
}

TEST_F(PopupMenu, ItemsFilledWhenTheMenuOpensAreShownAndAnEmptyMenuEndsAtOnce) {
    CreateMenuWindow();
    HMENU empty = CreatePopupMenu();
    EXPECT_EQ(TrackPopupMenu(empty, TPM_RETURNCMD, 300, 200, 0, window, nullptr), 0);
    EXPECT_TRUE(OpenPopups().empty());
    OnMessage(window, WM_INITMENUPOPUP, [&](HWND, UINT, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
        HMENU m = reinterpret_cast<HMENU>(wp);
        if (GetMenuItemCount(m) == 0) AppendMenuA(m, MF_STRING, 55, "追加(&A)");
        return 0;
    });
    WhenIdle([&] { QueueKey('A'); });
    EXPECT_EQ(TrackPopupMenu(empty, TPM_RETURNCMD, 300, 200, 0, window, nullptr), 55);
    // One menu at a time: a second loop from inside the first is refused.
    BOOL nested = -1;
    OnMessage(window, WM_ENTERIDLE, [&](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        nested = TrackPopupMenu(memo.popups[0], TPM_RETURNCMD, 10, 10, 0, window, nullptr);
        EndMenu();
        return 0;
    });
    TrackPopupMenu(empty, TPM_RETURNCMD, 300, 200, 0, window, nullptr);
    EXPECT_EQ(nested, FALSE);
    DestroyMenu(empty);
    EXPECT_FALSE(TrackPopupMenu(memo.popups[0], 0, 0, 0, 0, reinterpret_cast<HWND>(0x1234), nullptr));
}

}  // namespace
}  // namespace test
