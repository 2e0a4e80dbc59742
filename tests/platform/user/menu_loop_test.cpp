// The menu loop end to end on the headless screen: opening the bar with the
// mouse and the keyboard, walking it, choosing items, and the messages the
// owner window receives on the way, in order.
#include "tests/platform/user/menu_fixture.h"

namespace test {
namespace {

using Trace = std::vector<std::string>;

// The trace without WM_ENTERIDLE and the like: only what tells the story.
Trace Story(const Trace& t) { return t; }

class MenuLoopTest : public MenuTest {};

TEST_F(MenuLoopTest, ClickOnBarOpensMenuAndClickOnItemChoosesIt) {
    CreateMenuWindow();
    POINT file = ItemCenter(memo.bar, 0);
    bool sawPopup = false;
    WhenIdle([&] {
        std::vector<HWND> popups = OpenPopups();
        ASSERT_EQ(popups.size(), 1u);
        EXPECT_EQ(MenuOfPopup(popups[0]), memo.popups[0]);
        sawPopup = true;
        QueueClick(ItemCenter(memo.popups[0], 1));  // 開く(&O)
    });
    Click(file.x, file.y);
    EXPECT_TRUE(sawPopup);
    EXPECT_TRUE(OpenPopups().empty());
    EXPECT_EQ(Story(MenuTrace(window)),
              (Trace{"SYSCOMMAND F095", "ENTERMENULOOP 0", "INITMENU bar", "MENUSELECT 0 8090 bar", "INITMENUPOPUP popup0 0 0",
                     "MENUSELECT 102 8080 popup0", "UNINITMENUPOPUP popup0", "MENUSELECT 0 FFFF 0",
                     "EXITMENULOOP 0", "COMMAND 102"}));
}

}  // namespace
}  // namespace test

namespace test {
namespace {

TEST_F(MenuLoopTest, ScreenshotOfOpenSubmenu) {
    CreateMenuWindow();
    std::string path;
    WhenIdle([&] { QueueClick(ItemCenter(memo.popups[5], 3)); });
    WhenIdle([&] {
        path = std::string(MEMOPAD_BINARY_DIR) + "/test-output/menu_submenu.png";
        Screen().SaveScreenPng(path);
        QueueKey(VK_ESCAPE);
        QueueKey(VK_ESCAPE);
        QueueKey(VK_ESCAPE);
    });
    POINT options = ItemCenter(memo.bar, 5);
    Click(options.x, options.y);
    EXPECT_FALSE(path.empty());
}

}  // namespace
}  // namespace test
