// Keyboard accelerator tables: keys with Shift, Ctrl and Alt, typed
// characters, the menu messages that come first, and commands of disabled
// items that are not sent.
#include "tests/platform/user/menu_fixture.h"

namespace test {
namespace {

class Accelerators : public MenuTest {
protected:
    // The program's message loop with the table in front of the window.
    int Pump(HACCEL table) {
        int translated = 0;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (TranslateAcceleratorA(window, table, &msg)) {
                ++translated;
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        return translated;
    }
};

TEST_F(Accelerators, KeysBecomeCommandsAfterTheMenusHearOfThem) {
    CreateMenuWindow();
    ACCEL entries[] = {{FVIRTKEY | FCONTROL, 'F', kFind},
                       {FVIRTKEY, VK_F3, kFindNext},
                       {FVIRTKEY | FSHIFT | FCONTROL, 'A', kSelectAll},
                       {0, 'q', kExit},
                       {FVIRTKEY | FALT, VK_RETURN, SC_MAXIMIZE}};
    HACCEL table = CreateAcceleratorTableA(entries, 5);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(CopyAcceleratorTableA(table, nullptr, 0), 5);
    ACCEL copy[2];
    EXPECT_EQ(CopyAcceleratorTableA(table, copy, 2), 2);
    EXPECT_EQ(copy[1].key, VK_F3);

    Screen().Key(VK_CONTROL, true);
    Screen().Key('F', true);
    Screen().Key('F', false);
    Screen().Key(VK_CONTROL, false);
    EXPECT_EQ(Pump(table), 1);
    EXPECT_EQ(MenuTrace(window), (std::vector<std::string>{"INITMENU bar", "INITMENUPOPUP popup3 3 0", "COMMAND 401"}));
    EXPECT_EQ(HIWORD(Log().Last(window, WM_COMMAND)->wParam), 1);

    Log().Clear();
    Screen().Key('F', true);  // without Ctrl: an ordinary key
    Screen().Key('F', false);
    Screen().Key(VK_F3, true);
    Screen().Key(VK_F3, false);
    Screen().Key(VK_SHIFT, true);
    Screen().Key(VK_CONTROL, true);
    Screen().Key('A', true);
    Screen().Key('A', false);
    Screen().Key(VK_CONTROL, false);
    Screen().Key(VK_SHIFT, false);
    Screen().Key('Q', true);  // types "q"
    Screen().Key('Q', false);
    EXPECT_EQ(Pump(table), 3);
    EXPECT_EQ(Log().Count(window, WM_COMMAND), 3);

    // A command of a greyed item is not sent; the key is still taken.
    Log().Clear();
    EnableMenuItem(memo.bar, kFindNext, MF_BYCOMMAND | MF_GRAYED);
    Screen().Key(VK_F3, true);
    Screen().Key(VK_F3, false);
    EXPECT_EQ(Pump(table), 1);
    EXPECT_EQ(Log().Count(window, WM_COMMAND), 0);

    // A command of the window menu comes as a system command.
    Screen().Key(VK_MENU, true);
    Screen().Key(VK_RETURN, true);
    Screen().Key(VK_RETURN, false);
    Screen().Key(VK_MENU, false);
    EXPECT_EQ(Pump(table), 1);
    EXPECT_TRUE(IsZoomed(window));

    EXPECT_TRUE(DestroyAcceleratorTable(table));
    EXPECT_FALSE(DestroyAcceleratorTable(table));
    MSG msg{window, WM_KEYDOWN, VK_F3, 0, 0, {0, 0}};
    EXPECT_EQ(TranslateAcceleratorA(window, table, &msg), 0);
    EXPECT_EQ(CreateAcceleratorTableA(entries, 0), nullptr);
}

}  // namespace
}  // namespace test
