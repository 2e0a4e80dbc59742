#include "tests/platform/user/menu_fixture.h"

#include <cstdio>

namespace test {
namespace {

std::string Hex(UINT v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%X", v);
    return buf;
}

}  // namespace

void MenuTest::SetUp() {
    WindowTest::SetUp();
    memo = BuildMemoMenu();
}

HWND MenuTest::CreateMenuWindow() {
    window = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 80, 663, 521});
    SetMenu(window, memo.bar);
    RunUntilIdle();
    Log().Clear();
    return window;
}

RECT MenuTest::ItemRect(HMENU menu, int index, HWND hwnd) {
    RECT r{0, 0, 0, 0};
    EXPECT_TRUE(GetMenuItemRect(hwnd ? hwnd : window, menu, static_cast<UINT>(index), &r))
        << "item " << index << " is not shown";
    return r;
}

POINT MenuTest::ItemCenter(HMENU menu, int index, HWND hwnd) {
    RECT r = ItemRect(menu, index, hwnd);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void MenuTest::QueueClick(POINT p) {
    Screen().MouseMove(p);
    Screen().MouseButton(p, backend::MouseButton::Left, true);
    Screen().MouseButton(p, backend::MouseButton::Left, false);
}

void MenuTest::QueueMove(POINT p) { Screen().MouseMove(p); }

void MenuTest::QueueKey(UINT vk) {
    Screen().Key(vk, true);
    Screen().Key(vk, false);
}

void MenuTest::QueueAltKey(UINT vk) {
    Screen().Key(VK_MENU, true);
    Screen().Key(vk, true);
    Screen().Key(vk, false);
    Screen().Key(VK_MENU, false);
}

std::vector<HWND> MenuTest::OpenPopups() {
    std::vector<HWND> out;
    HWND h = nullptr;
    while ((h = FindWindowExA(nullptr, h, "#32768", nullptr)) != nullptr) {
        if (IsWindowVisible(h)) out.push_back(h);
    }
    return out;
}

HMENU MenuTest::MenuOfPopup(HWND popup) {
    return reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
}

std::vector<std::string> MenuTest::MenuTrace(HWND hwnd) {
    auto name = [&](HMENU m) -> std::string {
        if (!m) return "0";
        if (m == memo.bar) return "bar";
        for (std::size_t i = 0; i < memo.popups.size(); ++i) {
            if (m == memo.popups[i]) return "popup" + std::to_string(i);
        }
        if (m == memo.sizeMenu) return "size";
        if (m == GetSystemMenu(hwnd, FALSE)) return "system";
        return "menu";
    };
    std::vector<std::string> out;
    for (const Message& msg : Log().All()) {
        if (msg.hwnd != hwnd) continue;
        HMENU lp = reinterpret_cast<HMENU>(msg.lParam);
        HMENU wp = reinterpret_cast<HMENU>(msg.wParam);
        switch (msg.msg) {
            case WM_ENTERMENULOOP: out.push_back("ENTERMENULOOP " + std::to_string(msg.wParam)); break;
            case WM_EXITMENULOOP: out.push_back("EXITMENULOOP " + std::to_string(msg.wParam)); break;
            case WM_INITMENU: out.push_back("INITMENU " + name(wp)); break;
            case WM_INITMENUPOPUP:
                out.push_back("INITMENUPOPUP " + name(wp) + " " + std::to_string(LOWORD(msg.lParam)) + " " +
                              std::to_string(HIWORD(msg.lParam)));
                break;
            case WM_UNINITMENUPOPUP: out.push_back("UNINITMENUPOPUP " + name(wp)); break;
            case WM_MENUSELECT:
                out.push_back("MENUSELECT " + std::to_string(LOWORD(msg.wParam)) + " " + Hex(HIWORD(msg.wParam)) + " " +
                              name(lp));
                break;
            case WM_MENUCHAR:
                out.push_back("MENUCHAR " + std::to_string(LOWORD(msg.wParam)) + " " + Hex(HIWORD(msg.wParam)) + " " +
                              name(lp));
                break;
            case WM_COMMAND: out.push_back("COMMAND " + std::to_string(LOWORD(msg.wParam))); break;
            case WM_SYSCOMMAND: out.push_back("SYSCOMMAND " + Hex(static_cast<UINT>(msg.wParam))); break;
            default: break;
        }
    }
    return out;
}

}  // namespace test
