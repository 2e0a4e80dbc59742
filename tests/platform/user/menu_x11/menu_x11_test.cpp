// The memo pad's menu tree under X11: the window system on a private Xvfb,
// input given to the X server through XTest, the menu loop taking it as
// it comes, with plain and with owner-drawn items.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/backend/x11/x11_backend.h"
#include "platform/user/window_system.h"
#include "tests/platform/backend/x11/xvfb_server.h"
#include "tests/platform/user/menu_tree.h"

// Xlib last: its macros would rename names of the headers above.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#undef Bool
#undef None
#undef Status

namespace test {
namespace {

memopad_test::XvfbServer& Server() {
    static memopad_test::XvfbServer server;
    return server;
}

// What the owner window heard, and how it answers owner-drawn items.
struct Owner {
    std::vector<UINT> commands;
    bool ownerDrawn = false;
    std::vector<std::vector<std::string>> captions;  // by menu, for WM_MENUCHAR
    std::vector<HMENU> menus;
};
Owner* owner = nullptr;

char AccessKey(const std::string& caption) {
    std::size_t amp = caption.find('&');
    if (amp == std::string::npos || amp + 1 >= caption.size()) return 0;
    char c = caption[amp + 1];
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
}

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            if (owner) owner->commands.push_back(LOWORD(wParam));
            return 0;
        case WM_MEASUREITEM: {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            mis->itemWidth = 110;
            mis->itemHeight = mis->itemID == 0 ? 10 : 20;
            return TRUE;
        }
        case WM_DRAWITEM: {
            auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            bool selected = dis->itemState & ODS_SELECTED;
            FillRect(dis->hDC, &dis->rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
            return TRUE;
        }
        case WM_MENUCHAR:
            if (owner) {
                for (std::size_t m = 0; m < owner->menus.size(); ++m) {
                    if (owner->menus[m] != reinterpret_cast<HMENU>(lParam)) continue;
                    const std::vector<std::string>& list = owner->captions[m];
                    for (std::size_t i = 0; i < list.size(); ++i) {
                        if (AccessKey(list[i]) == static_cast<char>(LOWORD(wParam)))
                            return MAKELRESULT(static_cast<WORD>(i), MNC_EXECUTE);
                    }
                }
            }
            return 0;
        default: return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

// Steps run by a timer inside whatever loop is running (the menu loop
// dispatches timers); each returns true when it has done its part.
struct Script {
    std::vector<std::function<bool()>> steps;
    std::size_t next = 0;
};
Script* script = nullptr;

void CALLBACK RunScript(HWND, UINT, UINT_PTR, DWORD) {
    if (script && script->next < script->steps.size() && script->steps[script->next]()) ++script->next;
}

class MenuX11 : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        if (!Server().Running()) GTEST_SKIP() << "skipped: " << Server().Reason();
        std::string error;
        auto x11 = backend::x11::X11Backend::Open(backend::x11::X11Options{Server().Display(), true}, error);
        ASSERT_TRUE(x11) << error;
        backend::Install(std::move(x11));
        user::ResetWindowSystem();
        other_ = XOpenDisplay(Server().Display().c_str());
        ASSERT_NE(other_, nullptr);
        owner_.ownerDrawn = GetParam();
        owner = &owner_;
        WNDCLASSA wc{};
        wc.lpfnWndProc = OwnerProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_WINDOW + 1));
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = "MenuOwner";
        RegisterClassA(&wc);
        memo_ = BuildMemoMenu();
        Remember(memo_.bar);
        if (owner_.ownerDrawn) MakeOwnerDrawn(memo_.bar);
        window_ = CreateWindowExA(0, "MenuOwner", "メニュー", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 563, 441, nullptr,
                                  memo_.bar, nullptr, nullptr);
        ASSERT_NE(window_, nullptr);
        // Until the display has shown and activated the window.
        PumpFor(std::chrono::milliseconds(300));
        script_.steps.clear();
        script_.next = 0;
        script = &script_;
        timer_ = SetTimer(nullptr, 0, 20, RunScript);
    }

    void TearDown() override {
        script = nullptr;
        owner = nullptr;
        if (timer_) KillTimer(nullptr, timer_);
        user::ResetWindowSystem();
        backend::Install(nullptr);
        if (other_) XCloseDisplay(other_);
    }

    void Remember(HMENU menu) {
        owner_.menus.push_back(menu);
        owner_.captions.emplace_back();
        std::size_t slot = owner_.captions.size() - 1;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char buf[64] = {};
            GetMenuStringA(menu, static_cast<UINT>(i), buf, sizeof buf, MF_BYPOSITION);
            owner_.captions[slot].push_back(buf);
            if (HMENU sub = GetSubMenu(menu, i)) Remember(sub);
        }
    }

    // Runs the window system's messages until `done` holds or the time is up.
    bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
        auto deadline = std::chrono::steady_clock::now() + limit;
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            MSG msg;
            if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            } else {
                // A timer of our own keeps the wait short.
                UINT_PTR tick = SetTimer(nullptr, 0, 10, nullptr);
                WaitMessage();
                KillTimer(nullptr, tick);
            }
        }
        return true;
    }
    void PumpFor(std::chrono::milliseconds ms) {
        auto end = std::chrono::steady_clock::now() + ms;
        PumpUntil([&] { return std::chrono::steady_clock::now() > end; }, ms + std::chrono::seconds(1));
    }

    void Move(POINT p) {
        XTestFakeMotionEvent(other_, -1, p.x, p.y, CurrentTime);
        XSync(other_, False);
    }
    void ClickAt(POINT p) {
        Move(p);
        XTestFakeButtonEvent(other_, 1, True, CurrentTime);
        XTestFakeButtonEvent(other_, 1, False, CurrentTime);
        XSync(other_, False);
    }
    void Key(KeySym keysym, bool down) {
        XTestFakeKeyEvent(other_, XKeysymToKeycode(other_, keysym), down ? True : False, CurrentTime);
        XSync(other_, False);
    }
    void Tap(KeySym keysym) {
        Key(keysym, true);
        Key(keysym, false);
    }

    // The screen centre of an item of a shown menu.
    static std::optional<POINT> Center(HWND hwnd, HMENU menu, int index) {
        RECT r;
        if (!GetMenuItemRect(hwnd, menu, static_cast<UINT>(index), &r)) return std::nullopt;
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    static bool Shown(HMENU menu) {
        HWND h = nullptr;
        while ((h = FindWindowExA(nullptr, h, "#32768", nullptr)) != nullptr) {
            if (IsWindowVisible(h) && reinterpret_cast<HMENU>(SendMessageA(h, MN_GETHMENU, 0, 0)) == menu) return true;
        }
        return false;
    }
    // A step that waits for `menu` to be shown, then clicks its item.
    std::function<bool()> ClickWhenShown(HMENU menu, int index) {
        return [this, menu, index] {
            if (!Shown(menu)) return false;
            std::optional<POINT> p = Center(nullptr, menu, index);
            if (!p) return false;
            ClickAt(*p);
            return true;
        };
    }
    std::function<bool()> TapWhenShown(HMENU menu, KeySym key) {
        return [this, menu, key] {
            if (!Shown(menu)) return false;
            Tap(key);
            return true;
        };
    }

    Display* other_ = nullptr;
    HWND window_ = nullptr;
    MemoMenu memo_;
    Owner owner_;
    Script script_;
    UINT_PTR timer_ = 0;
};

TEST_P(MenuX11, MouseChoosesItemsOfMenusAndSubmenus) {
    std::optional<POINT> file = Center(window_, memo_.bar, 0);
    ASSERT_TRUE(file);
    script_.steps = {ClickWhenShown(memo_.popups[0], 1)};
    ClickAt(*file);
    ASSERT_TRUE(PumpUntil([&] { return !owner_.commands.empty(); })) << "開く(&O) was not chosen";
    EXPECT_EQ(owner_.commands.back(), static_cast<UINT>(kOpen));

    std::optional<POINT> options = Center(window_, memo_.bar, 5);
    ASSERT_TRUE(options);
    script_.steps = {ClickWhenShown(memo_.popups[5], 3), ClickWhenShown(memo_.sizeMenu, 2)};
    script_.next = 0;
    ClickAt(*options);
    ASSERT_TRUE(PumpUntil([&] { return owner_.commands.size() == 2; })) << "ラージ(&L) was not chosen";
    EXPECT_EQ(owner_.commands.back(), static_cast<UINT>(kLarge));
}

TEST_P(MenuX11, KeyboardOpensTheBarAndChoosesByAccessKeysAndArrows) {
    // Alt+E, then C: コピー(&C).
    script_.steps = {TapWhenShown(memo_.popups[1], XK_c)};
    Key(XK_Alt_L, true);
    Tap(XK_e);
    Key(XK_Alt_L, false);
    ASSERT_TRUE(PumpUntil([&] { return !owner_.commands.empty(); })) << "コピー(&C) was not chosen";
    EXPECT_EQ(owner_.commands.back(), static_cast<UINT>(kCopy));

    // Alt alone, Right twice to 表示, Down opens it, Down, Enter: ステータスバー.
    script_.steps = {[this] {
                         Tap(XK_Right);
                         Tap(XK_Right);
                         Tap(XK_Down);
                         return true;
                     },
                     [this] {
                         if (!Shown(memo_.popups[2])) return false;
                         Tap(XK_Down);
                         Tap(XK_Return);
                         return true;
                     }};
    script_.next = 0;
    Tap(XK_Alt_L);
    ASSERT_TRUE(PumpUntil([&] { return owner_.commands.size() == 2; })) << "ステータスバー was not chosen";
    EXPECT_EQ(owner_.commands.back(), static_cast<UINT>(kStatusBar));
}

INSTANTIATE_TEST_SUITE_P(PlainAndOwnerDrawn, MenuX11, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "OwnerDrawn" : "Plain"; });

}  // namespace
}  // namespace test
