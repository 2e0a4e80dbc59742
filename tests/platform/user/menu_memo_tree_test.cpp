// The memo pad's whole menu tree on a test window: every command reached
// with the mouse and with the keyboard, with plain items and with every
// item owner-drawn (the owner answering access keys by WM_MENUCHAR).
#include <map>

#include "tests/support/window_fixture.h"
#include "tests/platform/user/menu_fixture.h"

namespace test {
namespace {

// One command of the tree: the bar item, the path of positions below it
// and the access keys that lead there.
struct Command {
    int top;
    std::vector<int> path;
    UINT id;
};

std::vector<Command> AllCommands(const MemoMenu& m) {
    std::vector<Command> out;
    std::function<void(int, HMENU, std::vector<int>)> walk = [&](int top, HMENU menu, std::vector<int> path) {
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            std::vector<int> here = path;
            here.push_back(i);
            if (HMENU sub = GetSubMenu(menu, i)) walk(top, sub, here);
            else if (UINT id = GetMenuItemID(menu, i); id != 0) out.push_back(Command{top, here, id});
        }
    };
    for (int top = 0; top < static_cast<int>(m.popups.size()); ++top) walk(top, m.popups[static_cast<std::size_t>(top)], {});
    return out;
}

char AccessKey(const std::string& caption) {
    std::size_t amp = caption.find('&');
    if (amp == std::string::npos || amp + 1 >= caption.size()) return 0;
    char c = caption[amp + 1];
    return static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
}

class MemoTree : public MenuTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        MenuTest::SetUp();
        // Captions as the owner keeps them, before the items lose their text.
        std::function<void(HMENU)> remember = [&](HMENU menu) {
            for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                char buf[64] = {};
                GetMenuStringA(menu, static_cast<UINT>(i), buf, sizeof buf, MF_BYPOSITION);
                captions[menu].push_back(buf);
                if (HMENU sub = GetSubMenu(menu, i)) remember(sub);
            }
        };
        remember(memo.bar);
        commands = AllCommands(memo);
        if (!OwnerDrawn()) {
            CreateMenuWindow();
            return;
        }
        MakeOwnerDrawn(memo.bar);
        CreateMenuWindow();
        OnMessage(window, WM_MEASUREITEM, [](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
            mis->itemWidth = 100;
            mis->itemHeight = mis->itemID == 0 ? 10 : 20;
            return TRUE;
        });
        // The owner finds the item with the access key in its own captions.
        OnMessage(window, WM_MENUCHAR, [this](HWND, UINT, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
            const std::vector<std::string>& list = captions[reinterpret_cast<HMENU>(lp)];
            char typed = static_cast<char>(LOWORD(wp));
            if (typed >= 'a' && typed <= 'z') typed = static_cast<char>(typed - 'a' + 'A');
            for (std::size_t i = 0; i < list.size(); ++i) {
                if (AccessKey(list[i]) == typed) return MAKELRESULT(static_cast<WORD>(i), MNC_EXECUTE);
            }
            return 0;
        });
        DrawMenuBar(window);
        RunUntilIdle();
        Log().Clear();
    }
    bool OwnerDrawn() const { return GetParam(); }

    HMENU MenuAtPath(const Command& c, std::size_t depth) {
        HMENU menu = memo.popups[static_cast<std::size_t>(c.top)];
        for (std::size_t i = 0; i < depth; ++i) menu = GetSubMenu(menu, c.path[i]);
        return menu;
    }

    UINT LastCommand() {
        auto m = Log().Last(window, WM_COMMAND);
        return m ? LOWORD(m->wParam) : 0;
    }

    std::map<HMENU, std::vector<std::string>> captions;
    std::vector<Command> commands;
};

TEST_P(MemoTree, EveryCommandIsReachedWithTheMouse) {
    ASSERT_EQ(commands.size(), 32u);
    for (const Command& c : commands) {
        for (std::size_t depth = 0; depth < c.path.size(); ++depth) {
            WhenIdle([this, c, depth] { QueueClick(ItemCenter(MenuAtPath(c, depth), c.path[depth])); });
        }
        POINT top = ItemCenter(memo.bar, c.top);
        Click(top.x, top.y);
        EXPECT_EQ(LastCommand(), c.id);
        EXPECT_TRUE(OpenPopups().empty());
        EXPECT_EQ(Screen().PendingIdleSteps(), 0u);
    }
}

TEST_P(MemoTree, EveryCommandIsReachedWithTheKeyboard) {
    for (const Command& c : commands) {
        // By access keys where the key is the item's alone; by arrows
        // otherwise.
        char barKey = AccessKey(captions[memo.bar][static_cast<std::size_t>(c.top)]);
        for (std::size_t depth = 0; depth < c.path.size(); ++depth) {
            HMENU menu = MenuAtPath(c, depth);
            const std::vector<std::string>& list = captions[menu];
            int position = c.path[depth];
            char key = AccessKey(list[static_cast<std::size_t>(position)]);
            int sharing = 0;
            for (const std::string& s : list) sharing += key && AccessKey(s) == key;
            bool last = depth + 1 == c.path.size();
            if (key && sharing == 1) {
                WhenIdle([this, key] { QueueKey(static_cast<UINT>(key)); });
                continue;
            }
            WhenIdle([this, menu, position, last] {
                QueueKey(VK_HOME);
                for (int i = 0; i < position; ++i) {
                    if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) continue;
                    QueueKey(VK_DOWN);
                }
                QueueKey(last ? VK_RETURN : VK_RIGHT);
            });
        }
        PressAltKey(static_cast<UINT>(barKey));
        EXPECT_EQ(LastCommand(), c.id) << captions[MenuAtPath(c, c.path.size() - 1)][static_cast<std::size_t>(c.path.back())];
        EXPECT_TRUE(OpenPopups().empty());
        Screen().ClearIdleSteps();
    }
}

INSTANTIATE_TEST_SUITE_P(PlainAndOwnerDrawn, MemoTree, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "OwnerDrawn" : "Plain"; });

}  // namespace
}  // namespace test
